#pragma once
// Paths between the two sides of Wine: a file of the build tree, named by its
// Unix path, as a Windows path (Wine shows the Unix root as drive Z:), and a
// Windows path as the Unix path that a host program started by a test uses.

#include <windows.h>

#include <optional>
#include <string>

#include "text/WideText_win.h"

namespace brevaro::test {

inline std::wstring windowsPathOf(const char* unixPath) {
    std::wstring path = L"Z:" + text::utf8ToWide(unixPath);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

// Wine's own export; nullopt when not running under Wine.
inline std::optional<std::string> unixPathOf(const std::wstring& windowsPath) {
    using Converter = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Converter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr) return std::nullopt;
    char* path = convert(windowsPath.c_str());
    if (path == nullptr) return std::nullopt;
    std::string result(path);
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

}  // namespace brevaro::test
