#include "app/window/TickWait_win.h"

#include <windows.h>

namespace brevaro::app {

void pumpUntilTicksPass(unsigned milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The loop that owns the thread ends on it: hand it back.
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        // Unsigned arithmetic: right across the counter's wrap after 49 days.
        if (GetTickCount() - start >= milliseconds) return;
        // Give the processor up until the next message or the next tick.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

}  // namespace brevaro::app
