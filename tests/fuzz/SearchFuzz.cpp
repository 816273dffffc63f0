// The forward search and TextBetween against a plain reference on small
// texts: every character boundary from the search position on is tried in
// turn (a byte of 0x80 or more takes the next byte with it), comparing byte
// by byte; ignoring case, an ASCII letter of the needle also matches its other
// case, while the second byte of a needle's pair compares exactly.
//
// Input: a text, a needle (also the start mark), an end mark and a byte that
// picks the search position and the letter case, separated by the part
// separator.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "text/AsciiCase.h"
#include "text/Search.h"
#include "text/TextBetween.h"

namespace brevaro::fuzz {
namespace {

constexpr std::size_t kNpos = std::string_view::npos;

bool isLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Which bytes of the needle are the second byte of a pair.
std::vector<bool> pairSeconds(std::string_view needle) {
    std::vector<bool> second(needle.size(), false);
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (isLead(needle[i]) && i + 1 < needle.size()) second[++i] = true;
    }
    return second;
}

bool matchesAt(std::string_view text, std::size_t at, std::string_view needle, bool ignoreCase) {
    if (at + needle.size() > text.size()) return false;
    const std::vector<bool> second = pairSeconds(needle);
    for (std::size_t k = 0; k < needle.size(); ++k) {
        const char t = text[at + k];
        const char n = needle[k];
        if (t == n) continue;
        if (ignoreCase && !second[k] && isLetter(n) && isLetter(t) &&
            text::asciiLower(t) == text::asciiLower(n)) {
            continue;
        }
        return false;
    }
    return true;
}

std::size_t referenceFind(std::string_view text, std::string_view needle, std::size_t from,
                          bool ignoreCase) {
    if (needle.empty() || from > text.size()) return kNpos;
    for (std::size_t at = from; at < text.size(); at += isLead(text[at]) ? 2 : 1) {
        if (matchesAt(text, at, needle, ignoreCase)) return at;
    }
    return kNpos;
}

// "#引号" in a mark stands for a double quote (replaced where a character
// starts, in one pass).
std::string referenceQuotes(std::string_view mark) {
    static constexpr std::string_view kQuoteWord = "#引号";
    std::string out;
    for (std::size_t at = 0; at < mark.size();) {
        if (mark.substr(at).starts_with(kQuoteWord)) {
            out += '"';
            at += kQuoteWord.size();
        } else {
            const std::size_t length = isLead(mark[at]) && at + 1 < mark.size() ? 2 : 1;
            out += mark.substr(at, length);
            at += length;
        }
    }
    return out;
}

std::string referenceBetween(std::string_view text, std::string_view startMark,
                             std::string_view endMark, std::size_t from, bool caseSensitive) {
    const std::string start = referenceQuotes(startMark);
    const std::string end = referenceQuotes(endMark);
    const std::size_t startAt = referenceFind(text, start, from, !caseSensitive);
    if (startAt == kNpos) return {};
    const std::size_t valueAt = startAt + start.size();
    const std::size_t endAt = referenceFind(text, end, valueAt, !caseSensitive);
    if (endAt == kNpos) return {};
    return std::string(text.substr(valueAt, endAt - valueAt));
}

std::string shownPosition(std::size_t at) { return at == kNpos ? "npos" : std::to_string(at); }

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevaro;
    using fuzz::shown;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> parts = fuzz::splitParts(input, 4);
    // Small texts: the reference is quadratic.
    const std::string_view text = parts[0].substr(0, 512);
    const std::string_view needle = parts[1].substr(0, 16);
    const std::string_view endMark = parts[2].substr(0, 16);
    const auto pick = parts[3].empty() ? 0u : static_cast<unsigned char>(parts[3][0]);
    // The search position is a character boundary of the text.
    std::size_t from = 0;
    for (std::size_t steps = pick >> 1; steps > 0 && from < text.size(); --steps) {
        from += fuzz::isLead(text[from]) ? 2 : 1;
    }
    from = std::min(from, text.size());
    const bool caseSensitive = (pick & 1) != 0;
    const std::string context = "\ntext: " + shown(text) + "\nneedle: " + shown(needle) +
                                "\nfrom: " + std::to_string(from);

    const std::size_t found = text::findText(text, needle, from);
    const std::size_t expected = fuzz::referenceFind(text, needle, from, false);
    FUZZ_CHECK(found == expected, "findText gives " + fuzz::shownPosition(found) + ", not " +
                                      fuzz::shownPosition(expected) + context);
    const std::size_t foundIgnoringCase = text::findTextIgnoringCase(text, needle, from);
    const std::size_t expectedIgnoringCase = fuzz::referenceFind(text, needle, from, true);
    FUZZ_CHECK(foundIgnoringCase == expectedIgnoringCase,
               "findTextIgnoringCase gives " + fuzz::shownPosition(foundIgnoringCase) + ", not " +
                   fuzz::shownPosition(expectedIgnoringCase) + context);

    const std::string between = text::TextBetween(text, needle, endMark, from, caseSensitive);
    const std::string expectedBetween =
        fuzz::referenceBetween(text, needle, endMark, from, caseSensitive);
    FUZZ_CHECK(between == expectedBetween, "TextBetween gives " + shown(between) + ", not " +
                                               shown(expectedBetween) + context +
                                               "\nend mark: " + shown(endMark));
    return 0;
}
