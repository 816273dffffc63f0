#pragma once
// The hostile board's site during the soak run. Its list pages are huge
// (32 MiB unless told otherwise) and made of minimal forum rows whose titles
// are all new: no title comes back, on a page or across pages, and none
// holds a keyword. Between pages the site misbehaves in turn: it resets the
// connection at once, drips an answer's body a byte at a time, resets it
// halfway through a page, stalls (sends the head of an answer and then
// nothing, holding the connection open), drips the header block itself a
// byte every 2 s (about 3 minutes for the whole block), and cuts a page
// short (it claims the whole page's Content-Length, sends two fifths of it
// and closes). A drip, a stall and a header drip each hold a fetch until the
// board's 60 s time limit for the whole request gives it up; a cut page is a
// failed fetch.

#include <cstddef>
#include <mutex>
#include <string>

#include "support/LoopbackServer.h"

namespace brevaro::sites {

// A forum list page of minimal rows, at least `bytes` long, whose titles are
// "hSERIAL-N" for this page's serial.
std::string hostilePage(std::size_t bytes, int serial);

class HostileBoard {
  public:
    explicit HostileBoard(std::size_t pageBytes) : pageBytes_(pageBytes) {}

    // The next answer in the cycle. Safe from any thread.
    test::Reply answer();

  private:
    std::size_t pageBytes_;
    std::mutex mutex_;
    int answers_ = 0;
    int pages_ = 0;
};

}  // namespace brevaro::sites
