// The request object's cookie store and the Set-Cookie lines of a response.
// MergeCookieTexts and the other free-standing rules are in CookieMerge.cpp.
#include "http/CookieText.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "http/CookieSpaces.h"
#include "http/HeaderLines.h"
#include "text/AsciiCase.h"
#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::http {
namespace {

using text::findText;
using text::npos;

// Byte-exact on purpose: "=DeLeTeD;" is an ordinary value.
constexpr std::string_view kDeletedMarkers[] = {"=deleted;", "=DELETED;", "=Deleted;"};

// One Set-Cookie pair: "name=value;" (or whatever the line holds before its
// first ";"), leading spaces removed, always ending in ";".
struct SetCookiePair {
    std::string text;

    bool isDeletion() const {
        for (std::string_view marker : kDeletedMarkers) {
            if (std::string_view(text).ends_with(marker)) return true;
        }
        return false;
    }
    std::size_t equalsAt() const { return findText(text, "="); }
    // Between the first "=" and the closing ";"; call only when there is a "=".
    std::string_view value() const {
        const std::size_t valueAt = equalsAt() + 1;
        return std::string_view(text).substr(valueAt, text.size() - 1 - valueAt);
    }
};

// The pair of one Set-Cookie line's value: "name=value;" (whatever the value
// holds before its first ";"), leading spaces removed, always ending in ";".
// The value never runs past its line (HeaderLines.h): a cookie without
// attributes ends with its line as if a ";" stood there, and reading on to a
// ";" in a later line would store header text, CR LF included, as a cookie
// value (and send it back in the Cookie header).
SetCookiePair setCookiePair(std::string_view rawValue) {
    const std::size_t semicolon = findText(rawValue, ";");
    SetCookiePair pair;
    pair.text = spaces::withoutLeadingSpaces(
        spaces::wholeCharacters(rawValue.substr(0, semicolon == npos ? rawValue.size() : semicolon)));
    pair.text += ';';
    return pair;
}

// Calls visit for every Set-Cookie pair of the block in header order.
template <typename Visit>
void forEachSetCookiePair(std::string_view headers, Visit visit) {
    forEachHeaderValue(headers, "Set-Cookie", [&visit](std::string_view rawValue) {
        visit(setCookiePair(rawValue));
        return true;
    });
}

// Where the store entry whose key ("; " + name + "=") starts at keyAt ends:
// the ";" of the "; " that follows it. npos only in a store without its frame.
std::size_t entryEnd(std::string_view store, std::size_t keyAt, std::size_t keySize) {
    return findText(store, "; ", keyAt + keySize);
}

std::string storeKey(std::string_view nameWithEquals) {
    std::string key(kEmptyCookieStore);
    key += nameWithEquals;
    return key;
}

}  // namespace

// --- The request object's store ------------------------------------------

// A cookie text with every entry cut at its first CR, LF or NUL: the text
// came from a store a server filled, and goes out in a Cookie header.
std::string cookieTextWithoutLineBreaks(std::string_view cookieText) {
    if (cookieText.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos) {
        return std::string(cookieText);
    }
    std::string clean;
    std::size_t at = 0;
    while (true) {
        const std::size_t semicolon = cookieText.find(';', at);
        clean += beforeLineBreak(cookieText.substr(at, semicolon == npos ? npos : semicolon - at));
        if (semicolon == npos) return clean;
        clean += ';';
        at = semicolon + 1;
    }
}

std::string cookieStoreFromText(std::string_view rawText) {
    const std::string clean = cookieTextWithoutLineBreaks(rawText);
    const std::string_view text = clean;
    std::string store;
    if (!text.starts_with(kEmptyCookieStore)) store = kEmptyCookieStore;
    store += text;
    if (!std::string_view(store).ends_with(kEmptyCookieStore)) {
        store += store.back() == ';' ? " " : "; ";
    }
    return store;
}

std::string cookieTextFromStore(std::string_view store) {
    if (store.size() <= 4) return {};
    return std::string(store.substr(2, store.size() - 4));
}

bool mergeResponseCookies(std::string& store, std::string_view headers, bool ignoreEmpty) {
    const std::string before = store;
    forEachSetCookiePair(headers, [&](const SetCookiePair& pair) {
        const std::size_t equals = pair.equalsAt();
        if (equals == npos) return;
        const std::string key = storeKey(std::string_view(pair.text).substr(0, equals + 1));
        const std::size_t keyAt = findText(store, key);
        if (keyAt == npos) {
            if (!pair.isDeletion()) store += pair.text + " ";
            return;
        }
        if (ignoreEmpty && spaces::withoutLeadingSpaces(pair.value()).empty()) return;
        const std::size_t end = entryEnd(store, keyAt, key.size());
        if (end == npos) return;
        const std::size_t nameAt = keyAt + 2;
        if (pair.isDeletion()) {
            // From the space before the name through the entry's ";".
            store.erase(nameAt - 1, end + 1 - (nameAt - 1));
        } else {
            store.replace(nameAt, end + 1 - nameAt, pair.text);
        }
    });
    return store != before;
}

bool mergeCookies(std::string& store, std::string_view rawCookieText) {
    const std::string before = store;
    const std::string cookieText = cookieTextWithoutLineBreaks(rawCookieText);
    for (std::string_view piece : text::splitNonEmpty(cookieText, ";")) {
        piece = spaces::withoutLeadingSpaces(piece);
        const std::size_t equals = findText(piece, "=");
        if (equals == npos) continue;
        const std::string key = storeKey(piece.substr(0, equals + 1));
        const std::size_t keyAt = findText(store, key);
        if (keyAt == npos) {
            store += piece;
            store += kEmptyCookieStore;
            continue;
        }
        const std::size_t end = entryEnd(store, keyAt, key.size());
        if (end == npos) continue;
        store.replace(keyAt + 2, end - (keyAt + 2), piece);
    }
    return store != before;
}

bool deleteCookies(std::string& store, std::string_view names) {
    const std::string before = store;
    for (std::string_view piece : text::splitNonEmpty(names, ";")) {
        std::string_view name = spaces::withoutLeadingSpaces(piece);
        // The blank after a final "; " names nothing; it must not delete an
        // entry with the empty name ("=x"), which only "=..." can name.
        if (name.empty()) continue;
        name = name.substr(0, findText(name, "="));
        std::string key = storeKey(name);
        key += '=';
        const std::size_t keyAt = findText(store, key);
        if (keyAt == npos) continue;
        const std::size_t end = entryEnd(store, keyAt, key.size());
        if (end == npos) continue;
        store.erase(keyAt, end - keyAt);
    }
    return store != before;
}

std::string cookieValue(std::string_view store, std::string_view name, bool withName) {
    std::string key = storeKey(name);
    key += '=';
    const std::size_t keyAt = findText(store, key);
    if (keyAt == npos) return {};
    const std::size_t valueAt = keyAt + key.size();
    std::size_t end = findText(store, ";", valueAt);
    if (end == npos) end = store.size();
    const std::size_t from = withName ? keyAt + 2 : valueAt;
    return std::string(store.substr(from, end - from));
}

// --- Response header blocks ------------------------------------------------

std::string responseCookies(std::string_view headers) {
    std::string cookies;
    forEachSetCookiePair(headers, [&](const SetCookiePair& pair) {
        if (pair.isDeletion()) return;
        cookies += pair.text;
        cookies += ' ';
    });
    // Every pair ends in "; ": the last separator goes.
    if (!cookies.empty()) cookies.resize(cookies.size() - 2);
    return cookies;
}

std::string responseCookie(std::string_view headers, std::string_view name) {
    std::optional<std::string> found;
    // "Set-Cookie: name=" is looked for first, then "Set-Cookie:name=".
    for (std::string_view marker : {" ", ""}) {
        std::string needle(marker);
        needle += name;
        needle += '=';
        forEachHeaderValue(headers, "Set-Cookie", [&](std::string_view rawValue) {
            if (!text::startsWithIgnoringAsciiCase(rawValue, needle)) return true;
            const std::string_view value = rawValue.substr(needle.size());
            found = spaces::wholeCharacters(value.substr(0, std::min(findText(value, ";"), value.size())));
            return false;
        });
        if (found) break;
    }
    return found.value_or(std::string{});
}

std::vector<std::pair<std::string, std::string>> responseCookiesForBrowser(std::string_view headers,
                                                                           bool ignoreEmpty) {
    std::vector<std::pair<std::string, std::string>> cookies;
    forEachSetCookiePair(headers, [&](const SetCookiePair& pair) {
        const std::size_t equals = pair.equalsAt();
        if (equals == npos) return;
        const bool deletion = pair.isDeletion();
        const std::string_view value = deletion ? std::string_view{} : pair.value();
        if (ignoreEmpty && !deletion && spaces::withoutLeadingSpaces(value).empty()) return;
        cookies.emplace_back(pair.text.substr(0, equals), value);
    });
    return cookies;
}

std::vector<std::pair<std::string, std::string>> cookiePairs(std::string_view rawCookieText) {
    std::vector<std::pair<std::string, std::string>> pairs;
    const std::string cookieText = cookieTextWithoutLineBreaks(rawCookieText);
    for (std::string_view piece : text::splitNonEmpty(cookieText, ";")) {
        piece = spaces::withoutLeadingSpaces(piece);
        const std::size_t equals = findText(piece, "=");
        if (equals == npos) continue;
        pairs.emplace_back(piece.substr(0, equals), piece.substr(equals + 1));
    }
    return pairs;
}

}  // namespace brevaro::http
