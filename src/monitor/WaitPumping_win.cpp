#include "monitor/WaitPumping_win.h"

#include <windows.h>

namespace brevaro::monitor {

bool waitPumping(long long milliseconds, void* stopEvent) {
    if (milliseconds <= 0) return true;
    HANDLE timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    if (timer == nullptr) return true;
    LARGE_INTEGER due;
    due.QuadPart = -milliseconds * 10000;  // relative, in 100-nanosecond units
    SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);

    const HANDLE handles[] = {timer, static_cast<HANDLE>(stopEvent)};
    const DWORD count = stopEvent != nullptr ? 2 : 1;
    bool timedOut = true;
    while (true) {
        const DWORD woken = MsgWaitForMultipleObjects(count, handles, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_OBJECT_0 + 1 && count == 2) {
            timedOut = false;
            break;
        }
        if (woken == WAIT_OBJECT_0 + count) {
            MSG message;
            bool quit = false;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    // Not ours to swallow: put it back for the thread's own loop.
                    PostQuitMessage(static_cast<int>(message.wParam));
                    quit = true;
                    break;
                }
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (!quit) continue;
            timedOut = false;
        }
        break;  // WAIT_FAILED: give up waiting rather than spin
    }
    CloseHandle(timer);
    return timedOut;
}

}  // namespace brevaro::monitor
