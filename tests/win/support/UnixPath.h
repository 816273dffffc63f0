#pragma once
// A file of the build tree, named by its Unix path, as a Windows path: Wine
// shows the Unix root as drive Z:.

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

}  // namespace brevaro::test
