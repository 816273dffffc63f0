#pragma once
// The platform half of the conversions in Encoding.h: whole-text conversions
// that refuse any input they cannot convert exactly. Encoding.cpp builds the
// "?" rule on top, so both platforms replace the same characters.

#include <string>
#include <string_view>

namespace brevaro::text::detail {

enum class Charset { Gbk, Utf8 };

// Decodes bytes in the charset; false (out unspecified) when any part of the
// input is ill-formed or has no Unicode counterpart.
bool decodeStrict(Charset charset, std::string_view bytes, std::u16string& out);

// Encodes UTF-16 into the charset; false (out unspecified) when any character
// cannot be represented or a surrogate is unpaired.
bool encodeStrict(Charset charset, std::u16string_view text, std::string& out);

}  // namespace brevaro::text::detail
