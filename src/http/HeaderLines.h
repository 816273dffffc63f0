#pragma once
// Reading a raw response header block by header name. The block is what the
// server sent: its status line, then "Name: value" lines. A header is found
// only as a whole name at the start of a line, ignoring ASCII letter case, so
// "Content-Location:" is never a Location and "X-Content-Length:" never a
// Content-Length.
//
// No CR, LF or NUL byte of the block ever enters a value: lines end at LF
// (a CR before it is part of the line end), and a value ends at its line's
// first CR or NUL; the rest of that line is not read at all, so nothing
// after a stray CR or NUL can pose as a header line of its own. Line ends
// are found as bytes: CR and LF are never the second byte of a GBK pair, so
// a value that ends in a lone byte of 0x80 or more does not swallow them.

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace brevaro::http {

// The value of a header line as the server wrote it after the colon: up to
// the line's first CR or NUL, leading spaces not removed.
using HeaderVisit = std::function<bool(std::string_view rawValue)>;

// Calls visit with the raw value of every line whose name is `name`, in
// order, until visit returns false. (The status line has no header name.)
void forEachHeaderValue(std::string_view headers, std::string_view name, const HeaderVisit& visit);

// The first such value with its leading spaces and tabs removed; nullopt
// when no line has that name.
std::optional<std::string_view> headerValue(std::string_view headers, std::string_view name);

// The text up to its first CR, LF or NUL byte: what of a value from the wire
// may go into a cookie store or a header the program sends.
std::string_view beforeLineBreak(std::string_view text);

}  // namespace brevaro::http
