// The cookie rules over response headers a server controls. A request
// object's store stays framed ("; " in front, "; " at the end) and never
// holds CR, LF or NUL, whatever the Set-Cookie lines hold; nor does any
// cookie text or value read from a response. Merged cookie texts keep their
// rules (no spaces, newer names win, deletions dropped, duplicates once when
// asked). Reading and merging stay linear in the header block.
//
// Input: two header blocks, a cookie text and a cookie name, separated by the
// part separator.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "http/CookieText.h"
#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::fuzz {
namespace {

using http::kEmptyCookieStore;

void checkClean(std::string_view text, const char* what, std::string_view headers) {
    FUZZ_CHECK(!holdsLineBreakOrNul(text),
               std::string(what) + " holds CR, LF or NUL: " + shown(text) + "\nheaders: " + shown(headers));
}

void checkStore(const std::string& store, std::string_view headers) {
    FUZZ_CHECK(store.starts_with(kEmptyCookieStore) && store.ends_with(kEmptyCookieStore),
               "the cookie store lost its frame: " + shown(store));
    checkClean(store, "the cookie store", headers);
}

// Every entry of a merged text ("a=1; b=2"). Separators, like spaces, count
// where a character starts: in "\xB0;" the ";" is the second byte of a pair.
std::vector<std::string_view> mergedEntries(std::string_view merged) {
    std::vector<std::string_view> entries;
    if (merged.empty()) return entries;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text::findText(merged, "; ", start);
        entries.push_back(merged.substr(start, at == text::npos ? at : at - start));
        if (at == text::npos) return entries;
        start = at + 2;
    }
}

bool isEntryOf(std::string_view entry, std::string_view spaceFree) {
    for (std::string_view piece : text::splitNonEmpty(spaceFree, ";")) {
        if (piece == entry) return true;
    }
    return entry.empty();
}

void checkMerge(std::string older, std::string newer, bool removeDuplicates) {
    std::string olderCopy = older;
    std::string newerCopy = newer;
    const std::string merged = http::MergeCookieTexts(olderCopy, newerCopy, removeDuplicates);
    const std::string context = "\nolder: " + shown(older) + "\nnewer: " + shown(newer) +
                                "\nmerged: " + shown(merged);
    FUZZ_CHECK(olderCopy == merged, "the older text is not replaced by the merge" + context);
    const std::string newerFree = text::removeAll(text::removeAll(newer, "　"), " ");
    const std::string olderFree = text::removeAll(text::removeAll(older, "　"), " ");
    FUZZ_CHECK(newerCopy == newerFree, "the newer text is not its space-free form" + context);

    std::vector<std::string> newerNames;
    for (std::string_view piece : text::splitNonEmpty(newerFree, ";")) {
        newerNames.push_back(http::CookieName(piece));
    }
    std::vector<std::string_view> seen;
    for (std::string_view entry : mergedEntries(merged)) {
        FUZZ_CHECK(!text::containsText(entry, " ") && !text::containsText(entry, ";") &&
                       !text::containsText(entry, "　"),
                   "a merged entry holds a space or a separator" + context);
        FUZZ_CHECK(!entry.ends_with("=deleted"), "a deleted entry survived the merge" + context);
        const bool fromNewer = isEntryOf(entry, newerFree);
        FUZZ_CHECK(fromNewer || isEntryOf(entry, olderFree), "a merged entry from nowhere" + context);
        if (!fromNewer) {
            for (const std::string& name : newerNames) {
                FUZZ_CHECK(http::CookieName(entry) != name,
                           "an older entry beat a newer one of its name" + context);
            }
        }
        if (removeDuplicates) {
            for (std::string_view other : seen) {
                FUZZ_CHECK(other != entry, "a duplicate entry was kept" + context);
            }
        }
        seen.push_back(entry);
    }
}

void checkValueByName(std::string_view cookieText, std::string_view name) {
    for (const bool valueOnly : {false, true}) {
        const std::string value = http::CookieValueByName(cookieText, name, valueOnly);
        if (value.empty()) continue;
        std::string_view bare = value;
        const std::string withName = std::string(name) + "=";
        if (!valueOnly) {
            FUZZ_CHECK(bare.starts_with(withName), "a named value without its name: " + shown(value));
            bare.remove_prefix(withName.size());
        }
        FUZZ_CHECK(cookieText.find(bare) != std::string_view::npos,
                   "a value that is not text of the cookies: " + shown(value));
    }
}

void checkHeaders(std::string_view headers, std::string_view name) {
    for (const bool ignoreEmpty : {false, true}) {
        std::string store(kEmptyCookieStore);
        http::mergeResponseCookies(store, headers, ignoreEmpty);
        checkStore(store, headers);
        http::mergeResponseCookies(store, headers, ignoreEmpty);
        checkStore(store, headers);
        http::deleteCookies(store, name);
        checkStore(store, headers);
    }
    const std::string cookies = http::responseCookies(headers);
    checkClean(cookies, "a response's cookie text", headers);
    std::string store(kEmptyCookieStore);
    http::mergeCookies(store, cookies);
    checkStore(store, headers);
    checkClean(http::responseCookie(headers, name), "a response cookie's value", headers);
    for (const auto& [cookieName, value] : http::responseCookiesForBrowser(headers, false)) {
        checkClean(cookieName, "a cookie name for the browser", headers);
        checkClean(value, "a cookie value for the browser", headers);
    }
}

void readCookies(std::string_view headers) {
    std::string store(kEmptyCookieStore);
    http::mergeResponseCookies(store, headers, false);
    http::responseCookies(headers);
    http::responseCookie(headers, "sid");
}

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevaro;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> parts = fuzz::splitParts(input, 4);
    // A name is the program's, a few bytes (the search for it is not meant
    // for long needles).
    const std::string_view name = parts[3].substr(0, 32);
    fuzz::checkHeaders(parts[0], name);
    fuzz::checkHeaders(parts[1], name);
    const std::string older = http::responseCookies(parts[0]);
    const std::string newer = http::responseCookies(parts[1]);
    for (const bool removeDuplicates : {false, true}) {
        fuzz::checkMerge(older, newer, removeDuplicates);
        fuzz::checkMerge(std::string(parts[2]), newer, removeDuplicates);
    }
    fuzz::checkValueByName(parts[2], name);
    fuzz::checkValueByName(older, name);
    fuzz::checkLinearTime(parts[0], fuzz::readCookies, "reading a response's cookies");
    return 0;
}
