#include "HostileBoard.h"

#include <algorithm>
#include <chrono>

#include "support/ForumPages.h"

namespace brevaro::sites {

namespace {

using test::Reply;
using namespace std::chrono_literals;

enum class Answer { Page, ResetAtOnce, Drip, ResetHalfway, Stall, HeaderDrip, CutBody };

// One turn of the site. Pages come between the misbehaviours, so that the
// board keeps taking in new titles while it is being mistreated.
// Every two pages (or a page and a half) are followed by an answer that
// holds the fetch a while with a small body: the request keeps its body's
// buffer, as large as the latest body, until the next body comes in, so
// the program holds a 32 MiB page's bytes until then. This way no minute
// goes by without a stretch in which it holds none, which the soak run's
// lowest count of a minute stands for; the header drip, whose body comes
// last, follows a drip.
constexpr Answer kCycle[] = {Answer::Page, Answer::ResetAtOnce,  Answer::Page, Answer::Drip,
                             Answer::HeaderDrip,
                             Answer::Page, Answer::ResetHalfway, Answer::Page, Answer::Stall,
                             Answer::Page, Answer::CutBody,      Answer::Page, Answer::Drip};

// The page of a drip or a stall: long enough that a byte every kDripPause
// outlasts the board's time limit several times over.
constexpr std::size_t kSmallPageBytes = 16 * 1024;
constexpr auto kDripPause = 20ms;
// A header block dripped a byte every kHeaderDripPause, long enough (with a
// header line of padding) to take about three minutes: a fetch that waits
// for the header block's end instead of its time limit stays away past the
// soak run's allowance.
constexpr auto kHeaderDripPause = 2s;
constexpr std::size_t kHeaderPaddingBytes = 8;

std::string response(const std::string& body, const std::string& extraHeaders = {}) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n" + extraHeaders +
           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
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
        case Answer::HeaderDrip: {
            const std::string whole =
                response(hostilePage(std::min(pageBytes_, kSmallPageBytes), serial),
                         "X-Padding: " + std::string(kHeaderPaddingBytes, 'x') + "\r\n");
            const std::size_t head = whole.find("\r\n\r\n") + 4;
            for (std::size_t i = 0; i < head; ++i) reply.chunks.emplace_back(1, whole[i]);
            reply.chunks.push_back(whole.substr(head));
            reply.pause = kHeaderDripPause;
            break;
        }
        case Answer::CutBody: {
            const std::string body = hostilePage(pageBytes_, serial);
            const std::string whole = response(body);
            reply.chunks.push_back(whole.substr(0, whole.size() - body.size() + body.size() * 2 / 5));
            reply.closeAfter = true;
            break;
        }
    }
    return reply;
}

}  // namespace brevaro::sites
