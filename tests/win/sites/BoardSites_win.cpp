#include <string>

#include "BoardSites.h"
#include "monitor/Board.h"

namespace brevaro::sites {

namespace {

using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;
using test::RequestLog;

constexpr char kNoticePath[] = "/app/fenfa/604183527/zaixiangonggao.html";
constexpr char kNetTestPath[] = "/connecttest.txt";

const monitor::BoardSpec& catalogueEntry(const SiteBoard& board) {
    return *monitor::boardForPage(board.page);
}

// The board polled on the host; with a path, the forum's board at that path.
std::optional<std::size_t> boardAt(monitor::HostRole host, const std::string& path = "/") {
    const auto& boards = siteBoards();
    for (std::size_t i = 0; i < boards.size(); ++i) {
        const monitor::BoardSpec& catalogued = catalogueEntry(boards[i]);
        if (catalogued.host == host && catalogued.path == path) return i;
    }
    return std::nullopt;
}

std::vector<std::unique_ptr<PostingBoard>> postingBoards(std::chrono::steady_clock::time_point start,
                                                         const SitesOptions& options) {
    std::vector<std::unique_ptr<PostingBoard>> postings;
    const auto& boards = siteBoards();
    for (std::size_t i = 0; i < boards.size(); ++i) {
        const bool hostile = boards[i].hostile && options.hostilePageBytes > 0;
        postings.push_back(hostile ? nullptr
                                   : std::make_unique<PostingBoard>(boards[i], static_cast<int>(i), start,
                                                                    options.pace));
    }
    return postings;
}

// The path without a query.
std::string pathOf(const std::string& target) {
    return target.substr(0, target.find('?'));
}

}  // namespace

BoardSites::BoardSites(const SitesOptions& options)
    : options_(options),
      hostile_(options.hostilePageBytes),
      postings_(postingBoards(started_, options)),
      counters_(std::make_unique<Counter[]>(siteBoards().size())),
      forum_(
          [this](const ReceivedRequest& request) {
              return answer(boardAt(monitor::HostRole::Forum, pathOf(request.target)));
          },
          1, RequestLog::CountOnly),
      article_(
          [this](const ReceivedRequest&) { return answer(boardAt(monitor::HostRole::Article)); }, 1,
          RequestLog::CountOnly),
      lumaq_([this](const ReceivedRequest&) { return answer(boardAt(monitor::HostRole::TipSite)); },
             1, RequestLog::CountOnly),
      misc_(
          [this](const ReceivedRequest& request) {
              if (pathOf(request.target) == kNoticePath) {
                  return Reply::make("200 OK", "Content-Type: text/html; charset=utf-8\r\n",
                                     reinterpret_cast<const char*>(u8"<p>在线公告内容1=") +
                                         options_.announcement + "<br></p>");
              }
              return Reply::make("200 OK", "Content-Type: text/plain\r\n",
                                 "Microsoft Connect Test");
          },
          1, RequestLog::CountOnly),
      articleRelay_(article_.port(), options.relayLifetime),
      lumaqRelay_(lumaq_.port(), options.relayLifetime) {}

test::ShellOptions BoardSites::shellOptions() const {
    return {.noticeUrl = misc_.url(kNoticePath),
            .netTestUrl = misc_.url(kNetTestPath),
            .forumHost = "127.0.0.1:" + std::to_string(forum_.port()),
            .articleHost = articleRelay_.host(),
            .tipSiteHost = lumaqRelay_.host()};
}

Reply BoardSites::answer(std::optional<std::size_t> board) {
    if (!board) return Reply::make("404 Not Found", "", "");
    Counter& counter = counters_[*board];
    ++counter.requests;
    counter.last = Clock::now().time_since_epoch().count();
    if (hostile(*board)) return hostile_.answer();
    return Reply::make("200 OK", "Content-Type: text/html\r\n", postings_[*board]->page());
}

void BoardSites::boardsStarted() {
    const Clock::rep now = Clock::now().time_since_epoch().count();
    for (std::size_t i = 0; i < siteBoards().size(); ++i) {
        Clock::rep none = 0;
        counters_[i].last.compare_exchange_strong(none, now);
    }
}

BoardSites::Tally BoardSites::tally(std::size_t board) const {
    const Counter& counter = counters_[board];
    const Clock::rep last = counter.last;
    const double quiet =
        last == 0
            ? 0.0
            : std::chrono::duration<double>(Clock::now().time_since_epoch() - Clock::duration(last))
                  .count();
    return {counter.requests, quiet};
}

bool BoardSites::hostile(std::size_t board) const { return postings_[board] == nullptr; }

int BoardSites::newPosts(std::size_t board) const {
    return postings_[board] != nullptr ? postings_[board]->newPostsNow() : 0;
}

}  // namespace brevaro::sites
