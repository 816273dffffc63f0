#pragma once
// One look at the running program from outside: what it holds (memory,
// handles, GDI and USER objects, threads), how many companion programs
// (Pellis.exe, one per popup on screen) run, and whether its main window
// answers a message within kAnswerMilliseconds.

#include <windows.h>

#include <cstdint>

#include "support/ProcessCounts.h"

namespace brevaro::soak {

inline constexpr UINT kAnswerMilliseconds = 100;

struct ProgramSample {
    test::ProcessCounts counts;
    int companions = 0;
    bool answered = false;
};

ProgramSample sampleProgram(std::uint32_t processId, HWND mainWindow);

// The Pellis.exe processes of this Wine session.
int companionsRunning();

}  // namespace brevaro::soak
