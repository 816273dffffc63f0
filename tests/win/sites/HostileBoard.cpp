#include "HostileBoard.h"

#include <algorithm>
#include <chrono>

#include "support/ForumPages.h"

namespace brevaro::sites {

namespace {

using test::Reply;
using namespace std::chrono_literals;

enum class Answer { Page, ResetAtOnce, Drip, ResetHalfway, Stall };

// One turn of the site. Pages come between the misbehaviours, so that the
// board keeps taking in new titles while it is being mistreated.
constexpr Answer kCycle[] = {Answer::Page, Answer::ResetAtOnce,  Answer::Page, Answer::Drip,
                             Answer::Page, Answer::ResetHalfway, Answer::Stall};

// The page of a drip or a stall: long enough that a byte every kDripPause
// outlasts the board's time limit several times over.
constexpr std::size_t kSmallPageBytes = 16 * 1024;
constexpr auto kDripPause = 20ms;

std::string response(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace

std::string hostilePage(std::size_t bytes, int serial) {
    return test::forumPageOfUniqueTitles("h" + std::to_string(serial) + "-", bytes);
}

Reply HostileBoard::answer() {
    Answer turn;
    int serial;
    {
        std::lock_guard lock(mutex_);
        turn = kCycle[answers_++ % std::size(kCycle)];
        serial = turn == Answer::ResetAtOnce ? 0 : ++pages_;
    }
    Reply reply;
    switch (turn) {
        case Answer::Page:
            reply.chunks.push_back(response(hostilePage(pageBytes_, serial)));
            break;
        case Answer::ResetAtOnce:
            reply.reset = true;
            break;
        case Answer::Drip: {
            const std::string whole =
                response(hostilePage(std::min(pageBytes_, kSmallPageBytes), serial));
            const std::size_t head = whole.find("\r\n\r\n") + 4;
            reply.chunks.push_back(whole.substr(0, head));
            for (std::size_t i = head; i < whole.size(); ++i)
                reply.chunks.emplace_back(1, whole[i]);
            reply.pause = kDripPause;
            break;
        }
        case Answer::ResetHalfway: {
            const std::string whole = response(hostilePage(pageBytes_, serial));
            reply.chunks.push_back(whole.substr(0, whole.size() / 2));
            reply.reset = true;
            break;
        }
        case Answer::Stall: {
            const std::string whole =
                response(hostilePage(std::min(pageBytes_, kSmallPageBytes), serial));
            reply.chunks.push_back(whole.substr(0, whole.size() / 4));
            reply.holdOpen = true;
            break;
        }
    }
    return reply;
}

}  // namespace brevaro::sites
