#include "app/PumpWait_win.h"

#include <windows.h>

namespace brevaro::app {

void waitDispatching(unsigned milliseconds) {
    const DWORD start = GetTickCount();
    while (true) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        // Unsigned arithmetic: right across the counter's wrap-around.
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed > milliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed + 1, QS_ALLINPUT);
    }
}

}  // namespace brevaro::app
