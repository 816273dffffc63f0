#pragma once
// The eight boards' sites on 127.0.0.1, in this process, for the programs
// that put the test build to work on them (the soak run's driver, the
// demo's): the forum (the six forum boards by path, the hostile one among
// them when asked for), the article site and Lumaq (each polled over HTTPS,
// through a TLS relay in front of its own server), and a site for the
// announcement and the network test. Their pages are the sample pages of
// tests/fixtures/boards with new posts coming in (PostingBoard.h). They
// count each board's requests and note when each came.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "HostileBoard.h"
#include "PostingBoard.h"
#include "support/LoopbackServer.h"
#include "support/TlsRelay.h"
#include "win/app/program/ShellDriver.h"

namespace brevaro::sites {

struct SitesOptions {
    // The hostile board's page size (HostileBoard.h); 0: no hostile site,
    // its board's site posts as the others do.
    std::size_t hostilePageBytes = 0;
    // How long the TLS relays live, should this process die first.
    std::chrono::seconds relayLifetime{600};
    PostingPace pace;
    // The announcement's text (UTF-8).
    std::string announcement;
};

class BoardSites {
  public:
    using Clock = std::chrono::steady_clock;

    explicit BoardSites(const SitesOptions& options);
    BoardSites(const BoardSites&) = delete;
    BoardSites& operator=(const BoardSites&) = delete;

    bool ready() const { return articleRelay_.ready() && lumaqRelay_.ready(); }
    // The program's addresses: every site here.
    test::ShellOptions shellOptions() const;

    // The boards were started: from now on a board's quiet time counts, from
    // its last request, or from now while it has made none.
    void boardsStarted();

    struct Tally {
        int requests;
        double quietSeconds;  // since its last request came
    };
    // By index into siteBoards().
    Tally tally(std::size_t board) const;
    // Whether the board is served by the hostile site.
    bool hostile(std::size_t board) const;
    // The new posts the board's page shows by now (none on the hostile site).
    int newPosts(std::size_t board) const;

  private:
    struct Counter {
        std::atomic<int> requests = 0;
        std::atomic<Clock::rep> last{0};  // ticks of Clock
    };

    // A board's answer; a 404 for a path no board polls.
    test::Reply answer(std::optional<std::size_t> board);

    SitesOptions options_;
    Clock::time_point started_ = Clock::now();
    HostileBoard hostile_;
    std::vector<std::unique_ptr<PostingBoard>> postings_;  // by board; none for the hostile one
    std::unique_ptr<Counter[]> counters_;
    // The servers stop before the boards and counters their threads use.
    test::LoopbackServer forum_;
    test::LoopbackServer article_;
    test::LoopbackServer lumaq_;
    test::LoopbackServer misc_;
    test::TlsRelay articleRelay_;
    test::TlsRelay lumaqRelay_;
};

}  // namespace brevaro::sites
