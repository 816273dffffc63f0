// Brevaro.exe: the program, with the addresses it was built with.

#include <windows.h>

#include "app/catalogue/ShellConfig.h"
#include "app/shell/Shell_win.h"
#include "monitor/ThreadLibrary_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    brevaro::monitor::prepareThreadLibrary();
    try {
        return brevaro::app::runShell(instance, brevaro::app::releaseShellConfig(),
                                      brevaro::app::programPlugins());
    } catch (...) {
        return 1;
    }
}
