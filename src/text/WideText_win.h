#pragma once
// The W side of the Windows API: GBK texts to and from wchar_t strings, for
// every platform call (code page 936 whatever the system's ANSI code page).

#include <string>
#include <string_view>

#include "text/Encoding.h"

namespace brevaro::text {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline std::wstring gbkToWide(std::string_view gbk) {
    const std::u16string utf16 = gbkToUtf16(gbk);
    return std::wstring(reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size());
}

inline std::string wideToGbk(std::wstring_view wide) {
    return utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

inline std::wstring utf8ToWide(std::string_view utf8) {
    const std::u16string utf16 = utf8ToUtf16(utf8);
    return std::wstring(reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size());
}

inline std::string wideToUtf8(std::wstring_view wide) {
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace brevaro::text
