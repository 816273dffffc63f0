#include "app/NetworkCheck_win.h"

// wininet.h and mmsystem.h need the types of windows.h; wininet.h cannot
// share a translation unit with winhttp.h. Keep this order.
// clang-format off
#include <windows.h>
#include <wininet.h>
#include <mmsystem.h>
// clang-format on

#include <memory>
#include <type_traits>

#include "app/NetworkAlarmSound.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

struct InternetCloser {
    void operator()(HINTERNET handle) const noexcept { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetCloser>;

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

bool networkIsUp(const std::string& url) {
    DWORD flags = 0;
    if (!InternetGetConnectedState(&flags, 0)) return false;
    const InternetHandle session(
        InternetOpenW(L"test", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return false;
    const std::wstring wide = text::gbkToWide(url);
    const InternetHandle page(
        InternetOpenUrlW(session.get(), wide.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
    return page != nullptr;
}

bool startNetworkCheck(HWND notify, UINT message, std::string url) {
    auto job = std::make_unique<CheckJob>(CheckJob{notify, message, std::move(url)});
    const HANDLE thread = CreateThread(nullptr, 0, checkThread, job.get(), 0, nullptr);
    if (thread == nullptr) return false;
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
