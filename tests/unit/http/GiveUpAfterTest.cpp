#include "http/GiveUpAfter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <system_error>
#include <thread>

namespace brevaro::http {
namespace {

// A machine out of threads: the start throws as std::thread's constructor
// does then, and the task never runs.
struct NoThreadStart {
    template <typename Task>
    void operator()(Task&&) const {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }
};

TEST(GiveUpAfter, WithoutAThreadTheCallRunsOnTheCallersThread) {
    // The call owns its data, as a fetch owns the address it opens: it must
    // still hold it when the call runs here instead of on a thread.
    const std::string page = "http://127.0.0.1/announcement.html";
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id ranOn;
    const std::optional<std::string> result = giveUpAfter(
        1000,
        [address = std::string(page), &ranOn] {
            ranOn = std::this_thread::get_id();
            return address;
        },
        NoThreadStart{});
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, page);
    EXPECT_EQ(ranOn, caller);
}

TEST(GiveUpAfter, WithoutAThreadACallThatThrowsHasNoResult) {
    const std::optional<int> result =
        giveUpAfter(1000, []() -> int { throw std::runtime_error("refused"); }, NoThreadStart{});
    EXPECT_FALSE(result.has_value());
}

TEST(GiveUpAfter, OnItsThreadTheCallsResultComesBack) {
    const std::string page = "http://127.0.0.1/announcement.html";
    std::thread::id ranOn;
    const std::optional<std::string> result = giveUpAfter(60000, [address = std::string(page), &ranOn] {
        ranOn = std::this_thread::get_id();
        return address;
    });
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, page);
    EXPECT_NE(ranOn, std::this_thread::get_id());
}

}  // namespace
}  // namespace brevaro::http
