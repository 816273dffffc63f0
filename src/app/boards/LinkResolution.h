#pragma once
// Which address a double click on a result row opens. A row's link is text
// cut from a remote page: the forum writes it relative ("thread-1-1-1.html"),
// and a hostile page could write "file:", "javascript:" or a local program's
// path. The link is resolved against the board's list page address, the way
// a browser resolves an href (RFC 3986, section 5), and only an absolute
// http or https address with a host is ever handed to the shell. The row,
// the list's link column and the popup's command line keep the link as found.
// Portable.

#include <optional>
#include <string>
#include <string_view>

namespace brevaro::app {

// RFC 3986 section 5.2 (strict): `reference` resolved against `base`, an
// absolute URI. Dot segments are removed, "//host" references take the
// base's scheme, an empty reference is the base without its fragment.
// nullopt when the base has no scheme or when the reference starts with a
// scheme that is not one (letters, digits, "+", "-", "." after a letter).
std::optional<std::string> resolveReference(std::string_view base, std::string_view reference);

// The address to open for a row's link on a board whose list page is
// `listUrl`, or nullopt when nothing may be opened. Leading and trailing
// control characters and spaces of the link are dropped (as browsers do
// with an href); an empty link opens nothing; the result must be http or
// https (letter case ignored) with a non-empty host. It is handed on in the
// shell's form (text/ShellAddress.h): pure ASCII, GBK characters as their
// UTF-8 escapes, every byte that could split or quote the browser's command
// line escaped, so the address stays one argument.
std::optional<std::string> openableLink(std::string_view listUrl, std::string_view link);

}  // namespace brevaro::app
