// Pellis.exe, the companion program: shows one alert and ends. The popup
// launcher starts one process per alert with the command line of
// alerts/PopupCommandLine.h; the process ends by itself when its countdown
// is over, or when the user closes the window. Exit code 0 in every case.

#include <windows.h>

#include "popup/AlertWindow_win.h"
#include "popup/PopupArguments.h"
#include "text/WideText_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        // The whole line, program name included, read as code page 936
        // whatever the system's ANSI code page is.
        std::vector<std::string> arguments =
            brevaro::popup::splitCommandLine(brevaro::text::wideToGbk(GetCommandLineW()));
        if (brevaro::popup::createAlertWindow(instance, std::move(arguments)) == nullptr) return 0;
    } catch (...) {
        return 0;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
