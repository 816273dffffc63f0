#pragma once
// An ordinary board's site during the soak run: its sample page, changed on
// every answer (a line that counts the answers), with new posts coming in on
// top now and then. New posts come in at a steady pace of their own for each
// board; two in three carry a keyword (a popup, a sound, a list rebuild where
// the board asks for them), the third joins silently. The page shows the
// newest few of them above the sample page's own posts, as a site's list
// pushes its older posts down and off.

#include <chrono>
#include <mutex>
#include <string>

#include "SoakPlan.h"

namespace brevaro::soak {

class PostingBoard {
  public:
    using Clock = std::chrono::steady_clock;

    // `order` staggers the boards' paces (0 for the first board, 1 for the
    // next...). The first new post comes in a little after `start`.
    PostingBoard(const SoakBoard& board, int order, Clock::time_point start);

    // The page as the site shows it now. Safe from any thread.
    std::string page();

    // The new post number n (0, 1, ...) as the page shows it, and whether
    // it carries a keyword.
    static test::NewPost newPost(int n);
    static bool matches(int n) { return n % 3 != 2; }
    // The sample page with these new posts; empty when the sample's first
    // post is not found.
    std::string pageWith(int newPosts) const;

  private:
    const SoakBoard& board_;
    std::string sample_;
    Clock::time_point firstPostAt_;
    Clock::duration pace_;
    std::mutex mutex_;
    int answers_ = 0;
    int pageFor_ = -1;  // the number of new posts `page_` shows
    std::string page_;
};

}  // namespace brevaro::soak
