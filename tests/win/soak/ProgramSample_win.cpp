#include "ProgramSample.h"

// tlhelp32.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

namespace brevaro::soak {

int companionsRunning() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int running = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, L"Pellis.exe") == 0) ++running;
    }
    CloseHandle(snapshot);
    return running;
}

ProgramSample sampleProgram(std::uint32_t processId, HWND mainWindow) {
    ProgramSample sample;
    // First, so that the answer is not held up by the reads below.
    DWORD_PTR ignored = 0;
    sample.answered = SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                          kAnswerMilliseconds, &ignored) != 0;
    sample.counts = test::processCounts(processId);
    sample.companions = companionsRunning();
    return sample;
}

}  // namespace brevaro::soak
