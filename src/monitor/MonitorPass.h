#pragma once
// One run of a board's monitor, without the platform: each fetched page goes
// through a pass that finds the rows new in this run, stores them, tests them
// against the keywords, raises the alerts the board's settings ask for and
// shows the rows. The Windows worker plugs its request object, the board's
// controls and its results list into it; tests plug in scripted pages.
//
// A pass, row by row in page order:
//   new-row test  a title seen before in this run (byte-equal) is dropped;
//   store         baseline: append to the board rows; later: insert at the front;
//   keyword test  the keyword text is read now; no match: next row (it stays stored);
//   alerts        outside the baseline: the sound (voice box on and keywords
//                 given; the article site needs no keywords) and the popup
//                 (popup box on: the companion file is made sure of, then,
//                 with keywords given, started with the row's alert);
//   show          baseline: append the row; later: rebuild the whole list.
// Alerts are bounded: a pass starts at most kMaxAlertsPerPass popups and as
// many sounds, and the board's budget (AlertBudget.h) at most
// kMaxAlertsPerMinute of each in any minute; the rows beyond are stored and
// shown all the same, and counted as held.
// Memory is bounded too (RunLimits.h): a pass takes at most so many rows of
// a page, each field at most so many bytes, and the run keeps at most so
// many rows and titles, forgetting the oldest first.
// After the last row the interval text is read (seconds, read as a user
// types numbers).
//
// The baseline is the first pass whose page yields at least one accepted row:
// a fetch that failed or found nothing before it changes nothing, so the rows
// of the first real page never alert.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "alerts/AlertRequest.h"
#include "monitor/AlertBudget.h"
#include "monitor/Board.h"
#include "monitor/BoardRows.h"
#include "monitor/RunLimits.h"

namespace brevaro::monitor {

inline constexpr int kMaxAlertsPerPass = 5;

// The board's settings, read at the moment of use (on Windows each read is a
// blocking call to the UI thread).
class BoardSettings {
public:
    virtual ~BoardSettings() = default;
    virtual std::string keywordText() = 0;
    virtual bool voiceChecked() = 0;
    virtual bool popupChecked() = 0;
    virtual std::string popupStayText() = 0;
    virtual std::string intervalText() = 0;
};

// What a pass does to the world: the results list and the alerts.
class PassActions {
public:
    virtual ~PassActions() = default;
    // Baseline: one more row at the end of the list.
    virtual void appendShownRow(const SharedRow& row) = 0;
    // Later passes: the list becomes exactly these rows, in this order.
    virtual void rebuildShownRows(const BoardRows& rows) = 0;
    virtual void playVoiceAlert() = 0;
    virtual void ensureCompanionProgram() = 0;
    virtual void launchPopupAlert(const alerts::AlertRequest& alert) = 0;
};

// The titles handled since the start of a run, in order of discovery, with an
// index beside them: a lookup costs the same after a week as after a minute.
// Past its limits (titles, bytes of titles) the earliest are forgotten.
class SeenTitles {
public:
    explicit SeenTitles(std::size_t maxTitles = RunLimits{}.seenTitles,
                        std::size_t maxBytes = RunLimits{}.seenTitleBytes)
        : maxTitles_(maxTitles), maxBytes_(maxBytes) {}
    // The index views the strings of the ordered list: a copy would view the
    // original's. A move takes the strings along where they stand.
    SeenTitles(const SeenTitles&) = delete;
    SeenTitles& operator=(const SeenTitles&) = delete;
    SeenTitles(SeenTitles&&) = default;
    SeenTitles& operator=(SeenTitles&&) = default;

    // True when the title is new (it is then remembered); false when seen.
    bool remember(const std::string& title);
    bool contains(std::string_view title) const { return index_.contains(title); }
    std::size_t size() const { return ordered_.size(); }
    std::size_t bytes() const { return bytes_; }

private:
    void forgetEarliest();

    std::size_t maxTitles_;
    std::size_t maxBytes_;
    std::size_t bytes_ = 0;
    std::deque<std::string> ordered_;                // stable addresses for the index's views
    std::unordered_set<std::string_view> index_;
};

class MonitorRun {
public:
    // listUrl: the URL the run fetches its pages from (the article site's
    // links are made absolute against it); empty stands for the board's own.
    // alertBudget: the board's, shared by its runs; none gives the run one
    // of its own.
    explicit MonitorRun(const BoardSpec& board, const RunLimits& limits = {}, std::string listUrl = {},
                        std::shared_ptr<AlertBudget> alertBudget = {})
        : board_(board),
          limits_(limits),
          listUrl_(std::move(listUrl)),
          seen_(limits.seenTitles, limits.seenTitleBytes),
          alertBudget_(alertBudget ? std::move(alertBudget) : std::make_shared<AlertBudget>()) {}

    // One pass over a fetched body (as received: the Lumaq page is converted
    // from UTF-8 here). stopRequested is asked before each piece of the page
    // (rows or not) and after the last one, before the interval text is read;
    // once it answers true the pass ends at once,
    // reads and does nothing more and returns 0. Returns the wait before the
    // next pass in milliseconds (the interval text's seconds × 1000, never
    // below 0).
    long long runPass(std::string_view body, BoardSettings& settings, PassActions& actions,
                      const std::function<bool()>& stopRequested = {});

    bool baselineTaken() const { return baselineTaken_; }
    int passCount() const { return passCount_; }
    const BoardRows& boardRows() const { return rows_; }
    const SeenTitles& seenTitles() const { return seen_; }
    const std::string& matchedKeyword() const { return matchedKeyword_; }
    // Of the latest pass: the rows its page gave (new or not; at most the
    // page's limit) and whether its page held the forum's quick-login form.
    std::size_t lastPassRows() const { return lastPassRows_; }
    bool lastPassShowedQuickLogin() const { return lastPassShowedQuickLogin_; }
    // Matching new rows of the last minute that raised no alert they asked
    // for, the bounds having been reached.
    std::size_t alertsHeldLastMinute() { return alertBudget_->heldInLastMinute(); }

    // The wait before the next pass, as a pass ends with it: the interval
    // text's seconds × 1000, never below 0. Also the end of a pass that
    // failed part-way (memory ran out, say), which counts as a failed fetch.
    long long waitAfterPass(BoardSettings& settings);

private:
    void forgetOldestRows();

    const BoardSpec& board_;
    RunLimits limits_;
    std::string listUrl_;
    int passCount_ = 0;
    bool baselineTaken_ = false;
    SeenTitles seen_;
    BoardRows rows_;
    std::size_t rowBytes_ = 0;
    std::string matchedKeyword_;
    std::size_t lastPassRows_ = 0;
    bool lastPassShowedQuickLogin_ = false;
    std::shared_ptr<AlertBudget> alertBudget_;
};

}  // namespace brevaro::monitor
