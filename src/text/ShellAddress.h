#pragma once
// The form in which a web address goes to the shell's "open" action. The
// address is text from a remote page (a row's link, the popup's post
// address) or a build-time link, and the browser's registered command is
// typically `"browser.exe" "%1"`: a quote or a space that reached it would
// let the page add its own switches to the browser's command line. So the
// shell only ever receives a pure ASCII address that holds no byte below
// 0x21 and none of '"', '<', '>', '\', '^', '`', '{', '|', '}', and only
// when it is an absolute http:// or https:// address with a host.
// Portable.

#include <optional>
#include <string>
#include <string_view>

namespace brevaro::text {

// `address` (GBK) as it may be handed to the shell, or nullopt when it opens
// nothing. Percent-encoded, each byte as "%" and two upper-case hexadecimal
// digits:
// - the bytes below 0x21, 0x7F and '"', '<', '>', '\', '^', '`', '{', '|', '}';
// - a GBK pair that code page 936 turns into a character: that character's
//   UTF-8 bytes (the form browsers expect of a non-ASCII address);
// - every other byte of 0x80 or more, and both bytes of a pair with a GBK
//   lead and trail byte that does not convert: the byte itself. The pairs of
//   GBK's user-defined areas count as not converting: glibc's CP936 refuses
//   them and Windows' code page 936 gives private-use characters, which no
//   page means as text.
// Every other ASCII byte, "%" included (an address may carry its own
// escapes), is kept. The result must then start with "http://" or
// "https://" (letter case ignored) and name a non-empty host (after any
// "user@", before any ":port"); otherwise nullopt.
std::optional<std::string> shellAddress(std::string_view address);

}  // namespace brevaro::text
