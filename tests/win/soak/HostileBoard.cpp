#include "HostileBoard.h"

#include <algorithm>
#include <chrono>

namespace brevaro::soak {

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

// A row as the forum serves it, with nothing the cutter does not need.
void appendRow(std::string& page, const std::string& title, int id) {
    const std::string url = "http://f/thread-" + std::to_string(id) + "-1-1.html";
    page += "<tr><td><a href=\"";
    page += url;
    page += "\" title=\"open\" target=\"_blank\"></a></td><th><a href=\"";
    page += url;
    page += "\"  class=\"s xst\" target=\"_blank\">";
    page += title;
    page += "</a></th><td><em><span>2026-12-8</span></em></td></tr>\r\n";
}

std::string response(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace

std::string hostilePage(std::size_t bytes, int serial) {
    std::string page = "<table>\r\n";
    page.reserve(bytes + 512);
    const std::string prefix = "h" + std::to_string(serial) + "-";
    for (int n = 1; page.size() < bytes; ++n) appendRow(page, prefix + std::to_string(n), n);
    return page + "</table>\r\n";
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

}  // namespace brevaro::soak
