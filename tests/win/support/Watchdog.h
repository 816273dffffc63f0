#pragma once
// A blocking call under a watchdog: it runs on a thread of its own and its
// result is handed back; a call that has not returned when the (generous)
// watchdog runs out fails the test and ends the process there and then,
// since a hung thread can be neither joined nor abandoned. For tests whose
// point is that a call returns at all; nothing measures how fast.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <thread>
#include <type_traits>
#include <utility>

namespace brevaro::test {

inline constexpr std::chrono::seconds kCallWatchdog{60};

template <typename Call>
std::invoke_result_t<Call&> returnsBeforeWatchdog(Call call, const char* what,
                                                  std::chrono::seconds watchdog = kCallWatchdog) {
    std::packaged_task<std::invoke_result_t<Call&>()> task(std::move(call));
    auto result = task.get_future();
    std::thread runner(std::move(task));
    if (result.wait_for(watchdog) != std::future_status::ready) {
        ADD_FAILURE() << what << ": still blocked after " << watchdog.count() << " s";
        std::fflush(stdout);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 1);
    }
    runner.join();
    return result.get();
}

}  // namespace brevaro::test
