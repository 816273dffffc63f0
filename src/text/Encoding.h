#pragma once
// Conversions between the program's GBK texts (code page 936), UTF-16 and
// UTF-8. Every text inside the program is a GBK byte string; pages that arrive
// as UTF-8 and every platform call go through these.
//
// A character that does not convert becomes "?" in the result: an ill-formed
// byte sequence, a GBK code with no Unicode counterpart, a Unicode character
// that GBK cannot hold, an unpaired surrogate. Natively the conversions use
// iconv (CP936, UTF-8); in the Windows build MultiByteToWideChar and
// WideCharToMultiByte (936, 65001). Both give the same results.

#include <string>
#include <string_view>

namespace brevaro::text {

std::u16string gbkToUtf16(std::string_view gbk);
std::string utf16ToGbk(std::u16string_view utf16);

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

// Through UTF-16, so the "?" rule applies on both steps.
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

}  // namespace brevaro::text
