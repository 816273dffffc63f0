#pragma once
// Cookies are never parsed into records: they are kept as GBK text and edited
// with the rules below. Two forms:
//   cookie text   "a=1; b=2"        what a Cookie header carries
//   cookie store  "; a=1; b=2; "    the framed form a request object keeps;
//                                   every entry is preceded by "; " and ended
//                                   by ";", so "; " + name + "=" finds exactly
//                                   that entry. The empty store is "; ".
// Names compare as exact bytes except in CookieValueByName and
// responseCookie, which ignore ASCII letter case. Where a rule removes or trims
// spaces, both the ASCII space and the GBK full-width space (A1 A1) count.
// Only the first "name=value" of a Set-Cookie line is kept: a Set-Cookie pair
// runs from after "Set-Cookie:" (leading spaces removed) through the first ";"
// of its line, and a line without ";" ends its pair at the line's end as if a
// ";" stood there. Set-Cookie lines are found by whole header name at the
// start of a line (HeaderLines.h).
//
// No CR, LF or NUL ever enters a store, and so none reaches a Cookie header:
// a Set-Cookie value ends at its line's first CR or NUL (a lone lead byte
// left at its end is no character and goes), and a cookie text given to the
// store has each of its entries cut at its first such byte.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brevaro::http {

inline constexpr std::string_view kEmptyCookieStore = "; ";

// --- The request object's store ------------------------------------------

// The cookie text with each entry cut at its first CR, LF or NUL (texts
// without one come back unchanged).
std::string cookieTextWithoutLineBreaks(std::string_view cookieText);

// The store for a cookie text: "a=1; b=2" → "; a=1; b=2; ", "a=1;" →
// "; a=1; ", "" → "; ", "; a=1; " unchanged.
std::string cookieStoreFromText(std::string_view text);

// The cookie text of a store: without its first two and last two characters
// ("; a=1; b=2; " → "a=1; b=2", "; " → "", anything shorter → "").
std::string cookieTextFromStore(std::string_view store);

// Merges every Set-Cookie pair of a raw response header block into the store
// (found ignoring case; "=deleted;", "=DELETED;", "=Deleted;" delete). With
// ignoreEmpty, a pair with an empty value leaves an existing entry alone.
// True when the store changed.
bool mergeResponseCookies(std::string& store, std::string_view headers, bool ignoreEmpty);

// Merges a cookie text's "name=value" pieces into the store, replacing
// entries of the same name in place and appending new ones. No deleted
// markers here. True when the store changed.
bool mergeCookies(std::string& store, std::string_view cookieText);

// Removes the entries named in a ";"-separated list (a piece with "=" counts
// by its name; a blank piece names nothing). True when the store changed.
bool deleteCookies(std::string& store, std::string_view names);

// The value of a store entry ("name=value" with withName); empty when absent.
std::string cookieValue(std::string_view store, std::string_view name, bool withName = false);

// --- Response header blocks ------------------------------------------------

// The cookie text of a response: its Set-Cookie pairs in header order,
// deleted ones skipped ("a=1; b=2").
std::string responseCookies(std::string_view headers);

// One cookie of a response: the value after "Set-Cookie: name=" (or
// "Set-Cookie:name="), both found ignoring case, up to the next ";" or the end
// of its line; empty when absent.
std::string responseCookie(std::string_view headers, std::string_view name);

// The (name, value) pairs that a response asks the browser store to keep: a
// deletion has an empty value; with ignoreEmpty, a non-deletion with an empty
// value is left out.
std::vector<std::pair<std::string, std::string>> responseCookiesForBrowser(
    std::string_view headers, bool ignoreEmpty);

// The (name, value) pairs of a cookie text, for writing into the browser store.
std::vector<std::pair<std::string, std::string>> cookiePairs(std::string_view cookieText);

// --- Free-standing rules -----------------------------------------------------

// Merges two cookie texts: every space is removed from both (and the caller's
// texts are replaced by those space-free forms); newer entries come first and
// win by name, older entries whose names the newer text lacks follow; entries
// ending in "=deleted" (lower case only) are dropped; with removeDuplicates,
// byte-equal entries are kept once. An empty piece between two ";" is an
// entry, one after a final ";" is not. The result also replaces older.
std::string MergeCookieTexts(std::string& older, std::string& newer, bool removeDuplicates);

// The name of an entry: the text before its first "=", trimmed of spaces; an
// entry without "=" has the empty name.
std::string CookieName(std::string_view entry);

// The entry of a cookie text whose name (as CookieName gives it) equals name
// ignoring case: "name=value" with the caller's spelling of name, or the value
// alone when valueOnly is set or the value is empty; empty when there is none.
// The value runs from the entry's first "=" up to a ":" that follows it, if
// any ("sid=YWJj==" → "YWJj==", "t=12:30" → "12").
std::string CookieValueByName(std::string_view cookieText, std::string_view name, bool valueOnly);

}  // namespace brevaro::http
