// A request stopped from another thread while its own thread is inside a
// blocking call, under Wine. WinHttp does not let a handle be closed while
// a call on it is under way: the value can be handed to the next request
// made anywhere in the process, and the blocked thread would then act on
// that one. So the stop only marks the request; the thread that makes the
// calls closes the handle once its call has returned.

#include "http/HttpRequest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "support/LoopbackServer.h"
#include "support/Waits.h"

namespace brevaro::http {
namespace {

using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;

struct Gate {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Gate() { CloseHandle(event); }
    void open() const { SetEvent(event); }
    void wait() const { WaitForSingleObject(event, 30000); }
};

TEST(HttpRequestAbort, AHandleInUseIsNeitherClosedNorHandedOnByAStopFromAnotherThread) {
    Gate answer;
    std::atomic<int> arrived = 0;
    LoopbackServer server([&](const ReceivedRequest& received) {
        if (received.target == "/held") {
            ++arrived;
            answer.wait();
        }
        return Reply::make("200 OK", "", "page");
    });

    HttpRequest held;
    ASSERT_TRUE(held.Open("GET", server.url("/held")));
    void* const heldHandle = held.RequestHandle();
    ASSERT_NE(heldHandle, nullptr);
    bool sent = true;
    std::string body = "unset";
    std::thread worker([&] {
        sent = held.Send();
        body = held.BodyText();
    });
    ASSERT_TRUE(test::waitFor([&] { return arrived.load() == 1; }));

    held.Abort();
    // Another board's request, made while the stopped one is still blocked.
    HttpRequest other;
    ASSERT_TRUE(other.Open("GET", server.url("/other")));
    for (void* handed : {other.SessionHandle(), other.ConnectionHandle(), other.RequestHandle()}) {
        EXPECT_NE(handed, heldHandle)
            << "the stopped request's handle was closed under its blocked call and given to another";
    }

    answer.open();
    worker.join();
    EXPECT_FALSE(sent) << "a stopped request has failed";
    EXPECT_EQ(body, "");
    EXPECT_TRUE(other.Send());
    EXPECT_EQ(other.BodyText(), "page");
    EXPECT_FALSE(held.Open("GET", server.url("/held"))) << "a stopped request makes no further request";
}

}  // namespace
}  // namespace brevaro::http
