#pragma once
// What one run of a board keeps, whatever its server sends. A real list page
// holds about 50 rows with titles under 200 bytes and links under 300; a
// busy board brings some hundreds of new rows a day. The limits are far
// above that, so months of polling a real board never meet them, and they
// hold the memory of a run under a few hundred MiB when a server sends pages
// of tens of thousands of unique rows on every pass.
//
//   rowsPerPage     rows taken from one page, in page order; the rest of the
//                   page is not read (20 times a real page).
//   fieldBytes      bytes of one field of a row, cut at a whole character
//                   (5 times a real title, 3 times a real link).
//   storedRows,     the run's board rows: beyond either, the oldest rows (the
//   storedRowBytes  bottom of the list) go first. 100,000 rows is months of
//                   a busy board's posts; 32 MiB of field bytes is 100,000
//                   rows of 330 bytes.
//   seenTitles,     the titles the run has handled: beyond either, the
//   seenTitleBytes  earliest go first. Both stay well above the stored rows'
//                   (twice the rows, half as many bytes again), so the title
//                   of every row still stored is still known: a row is never
//                   taken as new while it is shown. A forgotten title could
//                   only come back on a page after 200,000 newer ones, which
//                   a real list page, showing its newest 50, never does.
//
// A run's worst case: 32 MiB of row bytes and 48 MiB of title bytes, with
// their bookkeeping (about 350 bytes a row, 100 a title) about 130 MiB.

#include <algorithm>
#include <cstddef>
#include <limits>

namespace brevaro::monitor {

struct RunLimits {
    std::size_t rowsPerPage = 1000;
    std::size_t fieldBytes = 1024;
    std::size_t storedRows = 100000;
    std::size_t storedRowBytes = 32u * 1024 * 1024;
    std::size_t seenTitles = 200000;
    std::size_t seenTitleBytes = 48u * 1024 * 1024;
};

// Lower limits for the test builds (the test program, the developer tool's
// watch, the long-run tests), so that a run meets them within minutes: the
// four limits of the stores divided by `divisor`, in the proportions above.
// A page's limits stay, so a page still gives all its rows. The divisor
// goes from 1 to 100: at 100 the stores still hold a whole page's rows
// (1,000), which a baseline takes in before anything is forgotten.
constexpr RunLimits storesDividedBy(std::size_t divisor, RunLimits limits = {}) {
    divisor = std::clamp<std::size_t>(divisor, 1, 100);
    limits.storedRows /= divisor;
    limits.storedRowBytes /= divisor;
    limits.seenTitles /= divisor;
    limits.seenTitleBytes /= divisor;
    return limits;
}

// Stores that never forget: every row and title of the run is kept, so they
// grow for as long as new titles come (for the soak run's check that growth
// shows). A page's limits stay.
constexpr RunLimits storesWithoutLimits(RunLimits limits = {}) {
    constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();
    limits.storedRows = limits.storedRowBytes = kUnlimited;
    limits.seenTitles = limits.seenTitleBytes = kUnlimited;
    return limits;
}

}  // namespace brevaro::monitor
