// One pass of a board's monitor over a fetched page, and the run's memory of
// the titles it has handled.

#include "monitor/MonitorPass.h"

#include <optional>
#include <utility>

#include "monitor/Extraction.h"
#include "monitor/Keywords.h"
#include "text/IntegerText.h"

namespace brevaro::monitor {

bool SeenTitles::remember(const std::string& title) {
    if (index_.contains(title)) return false;
    // The index views the string inside the deque, which never moves its
    // elements when it grows at the end.
    index_.insert(ordered_.emplace_back(title));
    return true;
}

long long MonitorRun::runPass(std::string_view body, BoardSettings& settings, PassActions& actions,
                              const std::function<bool()>& stopRequested) {
    const auto stopped = [&stopRequested] { return stopRequested && stopRequested(); };

    ++passCount_;
    // Every pass up to and including the first one that finds a row is the
    // baseline; the passes before it find nothing, so only that one acts.
    const bool baseline = !baselineTaken_;
    const std::string page = boardPageText(board_, body);
    // A page full of new matching rows must not start a process and a sound
    // thread for each of them: the rows are all stored and shown, but only
    // the first few raise their alerts.
    int popupsRaised = 0;
    int soundsRaised = 0;

    const auto handlePiece = [&](std::string_view piece) {
        std::optional<ResultRow> row = extractRow(board_, piece);
        if (!row) return true;
        baselineTaken_ = true;

        if (!seen_.remember(row->title)) return true;

        // Insertion at either end of a deque leaves references to its
        // elements valid, so the stored copy can be used for the rest of the
        // row.
        const ResultRow& stored =
            baseline ? rows_.emplace_back(std::move(*row)) : rows_.emplace_front(std::move(*row));

        const std::string keywords = settings.keywordText();
        if (!matchKeywords(stored.title, keywords, matchedKeyword_)) return true;

        if (!baseline) {
            const bool keywordsGiven = !keywords.empty();
            if (soundsRaised < kMaxAlertsPerPass && settings.voiceChecked() &&
                (keywordsGiven || !board_.voiceNeedsKeywords)) {
                actions.playVoiceAlert();
                ++soundsRaised;
            }
            if (popupsRaised < kMaxAlertsPerPass && settings.popupChecked()) {
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
            }
        }

        if (baseline) {
            actions.appendShownRow(stored);
        } else {
            actions.rebuildShownRows(rows_);
        }
        return true;
    };
    // The stop is asked before every piece, and once more after the last.
    if (!cutEachPiece(board_, page, handlePiece, stopped)) return 0;

    const int seconds = text::readInteger(settings.intervalText());
    return seconds > 0 ? static_cast<long long>(seconds) * 1000 : 0;
}

}  // namespace brevaro::monitor
