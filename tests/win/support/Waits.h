#pragma once
// The Windows tests' waits: each polls a condition until it holds or a
// generous watchdog runs out (a hang, not a speed goal); nothing measures
// time.

#include <windows.h>

#include <chrono>
#include <functional>

#include "monitor/WaitPumping_win.h"

namespace brevaro::test {

inline constexpr DWORD kWatchdogMilliseconds = 60000;

// Polls `condition` every 20 ms, sleeping in between, until it holds (true)
// or the watchdog expires (false). For a thread that owns no windows, or
// whose windows another thread drives.
inline bool waitFor(const std::function<bool()>& condition, DWORD watchdogMs = kWatchdogMilliseconds) {
    const ULONGLONG deadline = GetTickCount64() + watchdogMs;
    while (!condition()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(20);
    }
    return true;
}

// Keeps the calling thread's messages flowing (monitor::waitPumping) until
// the condition holds (true) or the watchdog runs out (false).
inline bool pumpUntil(const std::function<bool()>& condition, int watchdogMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(watchdogMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        monitor::waitPumping(10);
    }
    return true;
}

}  // namespace brevaro::test
