#pragma once
// The soak run's sites on 127.0.0.1, in this process: the forum (the six
// forum boards by path, the hostile one among them), the article site and
// Lumaq (each polled over HTTPS, through a TLS relay in front of its own
// server), and a site for the announcement and the network test. They count
// each board's requests and note when each came.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "HostileBoard.h"
#include "PostingBoard.h"
#include "support/LoopbackServer.h"
#include "support/TlsRelay.h"
#include "win/app/ShellDriver.h"

namespace brevaro::soak {

class SoakSites {
  public:
    using Clock = std::chrono::steady_clock;

    // The relays outlive the run by a margin should this process die first.
    SoakSites(std::size_t hostilePageBytes, std::chrono::seconds runLength);
    SoakSites(const SoakSites&) = delete;
    SoakSites& operator=(const SoakSites&) = delete;

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
    // By index into soakBoards().
    Tally tally(std::size_t board) const;

  private:
    struct Counter {
        std::atomic<int> requests = 0;
        std::atomic<Clock::rep> last{0};  // ticks of Clock
    };

    // A board's answer; a 404 for a path no board polls.
    test::Reply answer(std::optional<std::size_t> board);

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

}  // namespace brevaro::soak
