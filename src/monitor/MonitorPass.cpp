// One pass of a board's monitor over a fetched page, and the run's memory of
// the titles it has handled.

#include "monitor/MonitorPass.h"

#include <optional>
#include <utility>

#include "monitor/Extraction.h"
#include "monitor/Keywords.h"
#include "text/IntegerText.h"
#include "text/TextPieces.h"

namespace brevaro::monitor {

namespace {

// The fields of a row, for what is done to each of them.
template <typename Row, typename Visit>
void forEachField(Row& row, Visit visit) {
    for (auto* field : {&row.title, &row.readLevel, &row.replies, &row.views, &row.postTime, &row.link,
                        &row.remaining, &row.category, &row.bounty}) {
        visit(*field);
    }
}

std::size_t rowBytes(const ResultRow& row) {
    std::size_t bytes = 0;
    forEachField(row, [&bytes](const std::string& field) { bytes += field.size(); });
    return bytes;
}

}  // namespace

bool SeenTitles::remember(const std::string& title) {
    if (index_.contains(title)) return false;
    // The index views the string inside the deque, which never moves its
    // other elements when it grows at the end or shrinks at the front.
    const std::string& kept = ordered_.emplace_back(title);
    try {
        index_.insert(kept);
    } catch (...) {
        ordered_.pop_back();  // memory ran out: the title is not half remembered
        throw;
    }
    bytes_ += kept.size();
    while (ordered_.size() > maxTitles_ || (bytes_ > maxBytes_ && ordered_.size() > 1)) forgetEarliest();
    return true;
}

void SeenTitles::forgetEarliest() {
    index_.erase(ordered_.front());
    bytes_ -= ordered_.front().size();
    ordered_.pop_front();
}

// The bottom of the list goes first. Only a later pass stores past the
// limits: the baseline holds one page's rows at most, which the limits
// always leave room for.
void MonitorRun::forgetOldestRows() {
    while (rows_.size() > 1 && (rows_.size() > limits_.storedRows || rowBytes_ > limits_.storedRowBytes)) {
        rowBytes_ -= rowBytes(*rows_.back());
        rows_.pop_back();
    }
}

long long MonitorRun::waitAfterPass(BoardSettings& settings) {
    const int seconds = text::readInteger(settings.intervalText());
    return seconds > 0 ? static_cast<long long>(seconds) * 1000 : 0;
}

long long MonitorRun::runPass(std::string_view body, BoardSettings& settings, PassActions& actions,
                              const std::function<bool()>& stopRequested) {
    const auto stopped = [&stopRequested] { return stopRequested && stopRequested(); };

    ++passCount_;
    // Every pass up to and including the first one that finds a row is the
    // baseline; the passes before it find nothing, so only that one acts.
    const bool baseline = !baselineTaken_;
    // The page as the rows are cut from it: the body itself, up to a zero
    // byte, unless it must be converted (the Lumaq site), so that a large
    // page is not held twice while the pass reads it.
    std::string converted;
    std::string_view page = text::textBeforeNul(body);
    if (board_.pageEncoding == PageEncoding::Utf8) {
        converted = boardPageText(board_, body);
        page = converted;
    }
    // A page full of new matching rows must not start a process and a sound
    // thread for each of them: the rows are all stored and shown, but only
    // the first few raise their alerts.
    int popupsRaised = 0;
    int soundsRaised = 0;

    std::size_t rowsTaken = 0;
    bool pageFull = false;
    lastPassRows_ = 0;
    lastPassShowedQuickLogin_ = pageShowsQuickLogin(board_, page);

    const auto handlePiece = [&](std::string_view piece) {
        // Each field is cut to its limit as it is taken from the page.
        std::optional<ResultRow> row = extractRow(board_, piece, listUrl_, limits_.fieldBytes);
        if (!row) return true;
        baselineTaken_ = true;
        // The rest of a page past its rows' limit is not read.
        if (++rowsTaken > limits_.rowsPerPage) {
            pageFull = true;
            return false;
        }
        lastPassRows_ = rowsTaken;

        if (!seen_.remember(row->title)) return true;

        const std::size_t bytes = rowBytes(*row);
        const SharedRow shared = std::make_shared<const ResultRow>(std::move(*row));
        if (baseline) {
            rows_.push_back(shared);
        } else {
            rows_.push_front(shared);
        }
        rowBytes_ += bytes;
        if (!baseline) forgetOldestRows();
        const ResultRow& stored = *shared;

        const std::string keywords = settings.keywordText();
        if (!matchKeywords(stored.title, keywords, matchedKeyword_)) return true;

        if (!baseline) {
            const bool keywordsGiven = !keywords.empty();
            bool held = false;
            if (settings.voiceChecked() && (keywordsGiven || !board_.voiceNeedsKeywords)) {
                if (soundsRaised < kMaxAlertsPerPass && alertBudget_->takeSound()) {
                    actions.playVoiceAlert();
                    ++soundsRaised;
                } else {
                    held = true;
                }
            }
            if (settings.popupChecked()) {
                if (popupsRaised < kMaxAlertsPerPass && (!keywordsGiven || alertBudget_->takePopup())) {
                    actions.ensureCompanionProgram();
                    if (keywordsGiven) {
                        actions.launchPopupAlert(alerts::AlertRequest{
                            .link = stored.link,
                            .title = stored.title,
                            .postTime = stored.postTime,
                            .keyword = matchedKeyword_,
                            .staySeconds = settings.popupStayText(),
                        });
                        ++popupsRaised;
                    }
                } else {
                    held = true;
                }
            }
            if (held) alertBudget_->noteHeldRow();
        }

        if (baseline) {
            actions.appendShownRow(shared);
        } else {
            actions.rebuildShownRows(rows_);
        }
        return true;
    };
    // The stop is asked before every piece, and once more after the last.
    if (!cutEachPiece(board_, page, handlePiece, stopped) && (!pageFull || stopped())) return 0;
    return waitAfterPass(settings);
}

}  // namespace brevaro::monitor
