#include "popup/AlertWorker_win.h"

#include <memory>
#include <optional>

#include "popup/PopupArguments.h"
#include "text/WindowText_win.h"

namespace brevaro::popup {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

constexpr DWORD kTickMilliseconds = 100;

// A window's text from another thread: SetWindowTextW sends WM_SETTEXT to the
// window's own thread and returns once it is done (or at once when the window
// is gone, as after the user closed it).
// About one tick on the waitable timer, dispatching this thread's messages
// whenever some arrive meanwhile. Without a timer the tick is a plain sleep,
// so the countdown never spins.
void waitOneTick(HANDLE timer) {
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(kTickMilliseconds) * 10000;  // relative, 100 ns units
    if (timer == nullptr || !SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
        Sleep(kTickMilliseconds);
        return;
    }
    while (true) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 + 1) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            continue;
        }
        if (woken != WAIT_OBJECT_0) Sleep(kTickMilliseconds);  // the wait failed: no spinning
        return;
    }
}

// The countdown in the caption: the seconds left, refreshed every tick, until
// the stay is over. GetTickCount wraps after 49.7 days; the unsigned
// difference stays right across the wrap.
void countDown(HWND window, int staySeconds) {
    const DWORD start = GetTickCount();
    const UniqueHandle timer(CreateWaitableTimerW(nullptr, FALSE, nullptr));
    while (const std::optional<int> left = secondsLeft(staySeconds, GetTickCount() - start)) {
        text::setWindowTextGbk(window, countdownCaption(*left));
        waitOneTick(timer.get());
    }
}

void run(const AlertWorkerJob& job) {
    for (const std::string& raw : job.arguments) {
        PopupArgument argument = readArgument(raw);
        switch (argument.kind) {
            case ArgumentKind::Address:
                SendMessageW(job.window, kPostAddressMessage, 0, reinterpret_cast<LPARAM>(&argument.value));
                break;
            case ArgumentKind::Title: text::setWindowTextGbk(job.titleLine, labelText(argument.kind, argument.value)); break;
            case ArgumentKind::Time: text::setWindowTextGbk(job.timeLine, labelText(argument.kind, argument.value)); break;
            case ArgumentKind::Keyword: text::setWindowTextGbk(job.keywordLine, labelText(argument.kind, argument.value)); break;
            case ArgumentKind::Stay: countDown(job.window, argument.staySeconds); break;
            case ArgumentKind::Ignored: break;
        }
    }
}

DWORD WINAPI workerEntry(LPVOID parameter) noexcept {
    {
        const std::unique_ptr<AlertWorkerJob> job(static_cast<AlertWorkerJob*>(parameter));
        try {
            run(*job);
        } catch (...) {
            // Out of memory while converting a text: the alert simply ends.
        }
    }
    // The alert's life ends with its arguments, whatever the window is doing.
    ExitProcess(0);
}

}  // namespace

bool startAlertWorker(std::unique_ptr<AlertWorkerJob> job) {
    const HANDLE thread = CreateThread(nullptr, 0, workerEntry, job.get(), 0, nullptr);
    if (thread == nullptr) return false;
    job.release();  // the thread owns it now
    CloseHandle(thread);
    return true;
}

}  // namespace brevaro::popup
