#include "http/InternetTimeouts_win.h"

#include <windows.h>
#include <wininet.h>

namespace brevaro::http {
namespace {

// WinINet's initial values, for a handle that does not report its own.
constexpr int kInitialConnectMs = 60000;
constexpr int kInitialSendReceiveMs = 30000;

void cutOption(HINTERNET request, DWORD option, int initialMs, const Deadline& deadline) {
    DWORD value = static_cast<DWORD>(initialMs);
    DWORD size = sizeof value;
    InternetQueryOptionW(request, option, &value, &size);
    // A value already cut earlier in the same request reads back cut: cutting
    // it again to a shorter time left gives the same as cutting the original.
    DWORD cut = static_cast<DWORD>(deadline.cut(static_cast<int>(value)));
    InternetSetOptionW(request, option, &cut, sizeof cut);
}

}  // namespace

void cutInternetTimeouts(void* request, const Deadline& deadline) {
    if (!deadline.limited() || request == nullptr) return;
    const HINTERNET handle = static_cast<HINTERNET>(request);
    cutOption(handle, INTERNET_OPTION_CONNECT_TIMEOUT, kInitialConnectMs, deadline);
    cutOption(handle, INTERNET_OPTION_SEND_TIMEOUT, kInitialSendReceiveMs, deadline);
    cutOption(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, kInitialSendReceiveMs, deadline);
}

}  // namespace brevaro::http
