#pragma once
// An ordinary board's site: its sample page (a forum's as a member sees it),
// changed on every answer (a line that counts the answers), with new posts coming in on top now and then.
// New posts come in at a steady pace of their own for each board; two in three carry a keyword (a popup, a sound, a list rebuild where
// the board asks for them), the third joins silently. The page shows the
// newest few of them above the sample page's own posts, as a site's list
// pushes its older posts down and off.

#include <chrono>
#include <mutex>
#include <string>

#include "SitePlan.h"

namespace brevaro::sites {

// When new posts come in: the first one `firstAfter` the sites' start, then
// one every `every`; each board in page order a little later and slower than
// the one before (`stagger`).
struct PostingPace {
    std::chrono::seconds firstAfter{40};
    std::chrono::seconds every{20};
    std::chrono::seconds firstStagger{3};
    std::chrono::seconds everyStagger{4};
};

class PostingBoard {
  public:
    using Clock = std::chrono::steady_clock;

    // `order` staggers the boards' paces (0 for the first board, 1 for the
    // next...).
    PostingBoard(const SiteBoard& board, int order, Clock::time_point start, const PostingPace& pace = {});

    // The page as the site shows it now. Safe from any thread.
    std::string page();
    // How many new posts have come in by now.
    int newPostsNow() const;

    // The new post number n (0, 1, ...), and whether it carries a keyword.
    // On a board's page (0-8) its title ends with the board's name, so
    // that the alerts of two boards tell apart.
    static test::NewPost newPost(int n, int page = -1);
    static bool matches(int n) { return n % 3 != 2; }
    // The sample page with these new posts; empty when the sample's first
    // post is not found.
    std::string pageWith(int newPosts) const;

  private:
    const SiteBoard& board_;
    std::string sample_;
    Clock::time_point firstPostAt_;
    Clock::duration pace_;
    std::mutex mutex_;
    int answers_ = 0;
    int pageFor_ = -1;  // the number of new posts `page_` shows
    std::string page_;
};

}  // namespace brevaro::sites
