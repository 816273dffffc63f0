#include "PostingBoard.h"

#include <algorithm>
#include <vector>

namespace brevaro::soak {

namespace {

using namespace std::chrono_literals;

// How many of the newest new posts a page shows.
constexpr int kShownNewPosts = 5;

}  // namespace

PostingBoard::PostingBoard(const SoakBoard& board, int order, Clock::time_point start)
    : board_(board),
      sample_(test::boardFixture(board.fixture)),
      firstPostAt_(start + 40s + order * 3s),
      pace_(20s + order * 4s) {}

test::NewPost PostingBoard::newPost(int n) {
    const std::wstring number = std::to_wstring(n + 1);
    return {std::to_string(5500000 + n),
            matches(n) ? (n % 2 == 0 ? L"限时秒杀 第" + number + L"波 先到先得"
                                     : L"周末福利 第" + number + L"期 人人有份")
                       : L"日常签到 第" + number + L"天 打卡"};
}

std::string PostingBoard::pageWith(int newPosts) const {
    std::vector<test::NewPost> shown;
    for (int n = newPosts - 1; n >= std::max(0, newPosts - kShownNewPosts); --n)
        shown.push_back(newPost(n));
    return shown.empty() ? sample_ : test::withNewPosts(sample_, board_.first, shown);
}

std::string PostingBoard::page() {
    const Clock::time_point now = Clock::now();
    const int newPosts =
        now < firstPostAt_ ? 0 : static_cast<int>((now - firstPostAt_) / pace_) + 1;
    std::lock_guard lock(mutex_);
    if (newPosts != pageFor_) {
        page_ = pageWith(newPosts);
        pageFor_ = newPosts;
    }
    return page_ + "\r\n<!-- answer " + std::to_string(++answers_) + " -->\r\n";
}

}  // namespace brevaro::soak
