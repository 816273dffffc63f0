// Cookie texts merged and read without a store: the two texts that the
// browser cookie store gives for a host, and sent with received cookies.
#include "http/CookieText.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "http/CookieSpaces.h"
#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::http {
namespace {

using text::findText;
using text::npos;

// The entries of a space-free cookie text: every piece between ";"
// separators, so "a=1;;b=2" holds an empty entry, but the empty piece after a
// final ";" is none ("a=1;" is one entry, "" none).
std::vector<std::string_view> entriesOf(std::string_view cookieText) {
    std::vector<std::string_view> entries;
    std::size_t start = 0;
    while (true) {
        const std::size_t separator = findText(cookieText, ";", start);
        if (separator == npos) {
            if (start < cookieText.size()) entries.push_back(cookieText.substr(start));
            return entries;
        }
        entries.push_back(cookieText.substr(start, separator - start));
        start = separator + 1;
    }
}

// ASCII letters without regard to case, the bytes of two-byte characters
// exactly (a trail byte in the letter range is no letter).
bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    return a.empty() || text::findTextIgnoringCase(a, b) == 0;
}

}  // namespace

std::string MergeCookieTexts(std::string& older, std::string& newer, bool removeDuplicates) {
    // Both space-free forms are taken before either argument is written, so
    // the caller may pass one text as both.
    std::string olderText = spaces::withoutSpaces(older);
    std::string newerText = spaces::withoutSpaces(newer);

    const std::vector<std::string_view> newerEntries = entriesOf(newerText);
    std::vector<std::string> newerNames;
    for (std::string_view entry : newerEntries) newerNames.push_back(CookieName(entry));

    // Newer entries first; an older entry follows only when the newer text
    // has no entry of its name (a newer "x=deleted" still hides an older x).
    std::vector<std::string_view> merged = newerEntries;
    for (std::string_view entry : entriesOf(olderText)) {
        if (std::ranges::find(newerNames, CookieName(entry)) == newerNames.end()) {
            merged.push_back(entry);
        }
    }

    std::vector<std::string_view> kept;
    for (std::string_view entry : merged) {
        if (entry.ends_with("=deleted")) continue;
        if (removeDuplicates && std::ranges::find(kept, entry) != kept.end()) continue;
        kept.push_back(entry);
    }

    std::string result;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i != 0) result += "; ";
        result += kept[i];
    }
    newer = std::move(newerText);
    older = result;
    return result;
}

std::string CookieName(std::string_view entry) {
    const std::size_t equals = findText(entry, "=");
    if (equals == npos) return {};
    return std::string(spaces::trimmed(entry.substr(0, equals)));
}

std::string CookieValueByName(std::string_view cookieText, std::string_view name, bool valueOnly) {
    // A lone lead byte left at the end is no character and goes: the ";"
    // added after it would become its second byte and part of the value.
    std::string cookies(spaces::wholeCharacters(spaces::trimmed(cookieText)));
    if (!cookies.ends_with(';')) cookies += ';';
    for (std::string_view piece : text::splitNonEmpty(cookies, ";")) {
        if (!sameIgnoringCase(CookieName(piece), name)) continue;
        const std::string_view entry = spaces::trimmed(piece);
        const std::size_t equals = findText(entry, "=");
        std::string_view value;
        if (equals != npos) {
            // The value runs from the first "=": values such as base64 text
            // carry "=" of their own. A ":" after it ends the value.
            const std::size_t valueAt = equals + 1;
            const std::size_t colon = findText(entry, ":", valueAt);
            value = entry.substr(valueAt, colon == npos ? npos : colon - valueAt);
        }
        if (valueOnly || value.empty()) return std::string(value);
        std::string hit(name);
        hit += '=';
        hit += value;
        return hit;
    }
    return {};
}

}  // namespace brevaro::http
