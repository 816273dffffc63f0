#pragma once
// What the files of HttpRequest over WinHttp share (HttpRequest_win.cpp and
// its HttpRequest*_win.cpp parts): the platform headers, the handle cast, the
// process heap, a count of the sends under way and a time-out reader. Not for
// use outside them.

#include <windows.h>
#include <winhttp.h>

#include "text/WideText_win.h"

namespace brevaro::http {

using text::gbkToWide;
using text::wideToGbk;

inline constexpr DWORD kAddOrReplace = WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE;

inline HANDLE processHeap() {
    static const HANDLE heap = GetProcessHeap();
    return heap;
}

inline HINTERNET asInternet(void* handle) { return static_cast<HINTERNET>(handle); }

// Counts a Send under way for as long as it lasts.
class SendUnderWay {
public:
    explicit SendUnderWay(int& count) : count_(count) { ++count_; }
    ~SendUnderWay() { --count_; }
    SendUnderWay(const SendUnderWay&) = delete;
    SendUnderWay& operator=(const SendUnderWay&) = delete;

private:
    int& count_;
};

// A time-out option of a request handle, or `fallback` when it cannot be read.
inline int requestTimeout(HINTERNET request, DWORD option, int fallback) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!WinHttpQueryOption(request, option, &value, &size)) return fallback;
    return static_cast<int>(value);  // "none" reads as 0 or as 0xFFFFFFFF, that is -1
}

}  // namespace brevaro::http
