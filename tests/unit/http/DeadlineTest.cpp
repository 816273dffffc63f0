#include "http/Deadline.h"

#include <gtest/gtest.h>

#include <chrono>

namespace brevaro::http {
namespace {

using namespace std::chrono_literals;

const Deadline::Clock::time_point kStart{};

TEST(Deadline, CutsPlatformTimeoutsToTheTimeLeftAndNeverToZero) {
    const Deadline tenSeconds = Deadline::after(10000, kStart);
    const struct {
        const char* name;
        const Deadline& deadline;
        std::chrono::microseconds elapsed;
        int platform;
        int cut;
    } cases[] = {
        {"no limit keeps the platform's", Deadline(), 0ms, 30000, 30000},
        {"no limit keeps no time-out", Deadline(), 0ms, 0, 0},
        {"a shorter platform time-out stays", tenSeconds, 0ms, 2000, 2000},
        {"a longer one is cut to the time left", tenSeconds, 4000ms, 30000, 6000},
        {"no time-out becomes the time left", tenSeconds, 4000ms, 0, 6000},
        {"so does a negative one", tenSeconds, 4000ms, -1, 6000},
        {"part of a millisecond left counts whole", tenSeconds, 9999500us, 30000, 1},
        {"nothing left is 1, not 0 (no time-out)", tenSeconds, 10000ms, 30000, 1},
        {"long past is still 1", tenSeconds, 60000ms, 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.deadline.cut(c.platform, kStart + c.elapsed), c.cut) << c.name;
    }
}

TEST(Deadline, PassesOnlyWithALimitAndOnceItHasRunOut) {
    EXPECT_FALSE(Deadline().passed(kStart + 1000h));
    EXPECT_FALSE(Deadline::after(0, kStart).limited());
    EXPECT_FALSE(Deadline::after(-5, kStart).passed(kStart + 1h));
    const Deadline deadline = Deadline::after(1500, kStart);
    EXPECT_TRUE(deadline.limited());
    EXPECT_FALSE(deadline.passed(kStart + 1499ms));
    EXPECT_TRUE(deadline.passed(kStart + 1500ms));
}

}  // namespace
}  // namespace brevaro::http
