#include "PostingBoard.h"

#include <algorithm>
#include <vector>

#include "monitor/Board.h"
#include "text/WideText_win.h"

namespace brevaro::sites {

namespace {

// How many of the newest new posts a page shows.
constexpr int kShownNewPosts = 5;

}  // namespace

PostingBoard::PostingBoard(const SiteBoard& board, int order, Clock::time_point start, const PostingPace& pace)
    : board_(board),
      sample_(test::membersView(test::boardFixture(board.fixture))),
      firstPostAt_(start + pace.firstAfter + order * pace.firstStagger),
      pace_(pace.every + order * pace.everyStagger) {}

test::NewPost PostingBoard::newPost(int n, int page) {
    const std::wstring number = std::to_wstring(n + 1);
    std::wstring title = matches(n) ? (n % 2 == 0 ? L"限时秒杀 第" + number + L"波 先到先得"
                                                   : L"周末福利 第" + number + L"期 人人有份")
                                     : L"日常签到 第" + number + L"天 打卡";
    if (const monitor::BoardSpec* board = monitor::boardForPage(page))
        title += L"（" + text::gbkToWide(board->displayName) + L"）";
    return {std::to_string(5500000 + n), title};
}

std::string PostingBoard::pageWith(int newPosts) const {
    std::vector<test::NewPost> shown;
    for (int n = newPosts - 1; n >= std::max(0, newPosts - kShownNewPosts); --n)
        shown.push_back(newPost(n, board_.page));
    return shown.empty() ? sample_ : test::withNewPosts(sample_, board_.first, shown);
}

int PostingBoard::newPostsNow() const {
    const Clock::time_point now = Clock::now();
    return now < firstPostAt_ ? 0 : static_cast<int>((now - firstPostAt_) / pace_) + 1;
}

std::string PostingBoard::page() {
    const int newPosts = newPostsNow();
    std::lock_guard lock(mutex_);
    if (newPosts != pageFor_) {
        page_ = pageWith(newPosts);
        pageFor_ = newPosts;
    }
    return page_ + "\r\n<!-- answer " + std::to_string(++answers_) + " -->\r\n";
}

}  // namespace brevaro::sites
