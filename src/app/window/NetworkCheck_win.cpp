#include "app/window/NetworkCheck_win.h"

// wininet.h and mmsystem.h need the types of windows.h; wininet.h cannot
// share a translation unit with winhttp.h. Keep this order.
// clang-format off
#include <windows.h>
#include <wininet.h>
#include <mmsystem.h>
// clang-format on

#include <memory>
#include <type_traits>

#include "app/window/NetworkAlarmSound.h"
#include "http/GiveUpAfter.h"
#include "http/Deadline.h"
#include "http/InternetTimeouts_win.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

struct InternetCloser {
    void operator()(HINTERNET handle) const noexcept { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetCloser>;

// The start-up waits no longer than this for the test page: a page that
// takes longer counts as no network.
constexpr int kNetworkTestTimeLimitMs = 10000;

struct CheckJob {
    HWND notify;
    UINT message;
    std::string url;
};

DWORD WINAPI checkThread(void* parameter) noexcept {
    const std::unique_ptr<CheckJob> job(static_cast<CheckJob*>(parameter));
    bool up = false;
    try {
        up = networkIsUp(job->url);
    } catch (...) {
        up = false;
    }
    // The window may be gone by now: the post then simply fails.
    PostMessageW(job->notify, job->message, up ? 1 : 0, 0);
    return 0;
}

}  // namespace

// Whether the test page opens, its steps each cut to the time left.
static bool testPageOpens(const std::string& url, int timeLimitMs) {
    const http::Deadline deadline = http::Deadline::after(timeLimitMs);
    DWORD flags = 0;
    if (!InternetGetConnectedState(&flags, 0)) return false;
    const InternetHandle session(
        InternetOpenW(L"test", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return false;

    // The page is opened as InternetOpenUrl opens an http(s) page (a GET,
    // fetched afresh), one step at a time: WinINet heeds only a request's own
    // time-outs, and the request must exist to be given them before it goes
    // out.
    const std::wstring wide = text::gbkToWide(url);
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!InternetCrackUrlW(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
        return false;
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (parts.dwUrlPathLength == 0) path.insert(0, L"/");

    const InternetHandle connection(InternetConnectW(
        session.get(), host.c_str(), parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return false;
    DWORD requestFlags = INTERNET_FLAG_RELOAD;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) requestFlags |= INTERNET_FLAG_SECURE;
    const InternetHandle request(HttpOpenRequestW(connection.get(), L"GET", path.c_str(), nullptr,
                                                  nullptr, nullptr, requestFlags, 0));
    if (!request) return false;
    http::cutInternetTimeouts(request.get(), deadline);
    return HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0) && !deadline.passed();
}

bool networkIsUp(const std::string& url) { return networkIsUp(url, kNetworkTestTimeLimitMs); }

// A test page that a server keeps from ever timing out counts as down once
// the limit has passed.
bool networkIsUp(const std::string& url, int timeLimitMs) {
    return http::giveUpAfter(timeLimitMs, [url, timeLimitMs] { return testPageOpens(url, timeLimitMs); })
        .value_or(false);
}

static HANDLE startThread(LPTHREAD_START_ROUTINE routine, void* parameter) {
    return CreateThread(nullptr, 0, routine, parameter, 0, nullptr);
}

bool startNetworkCheck(HWND notify, UINT message, std::string url, ThreadStarter start) {
    auto job = std::make_unique<CheckJob>(CheckJob{notify, message, std::move(url)});
    const HANDLE thread = (start != nullptr ? start : startThread)(checkThread, job.get());
    if (thread == nullptr) {
        const bool up = networkIsUp(job->url);
        SendMessageW(notify, message, up ? 1 : 0, 0);
        return false;
    }
    job.release();
    CloseHandle(thread);
    return true;
}

void playNetworkAlarm() {
    const auto wav = networkAlarmWav();
    PlaySoundW(reinterpret_cast<LPCWSTR>(wav.data()), nullptr,
               SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace brevaro::app
