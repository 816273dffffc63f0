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

    for (std::string_view piece : cutPieces(board_, page)) {
        std::optional<ResultRow> row = extractRow(board_, piece);
        if (!row) continue;
        if (stopped()) return 0;
        baselineTaken_ = true;

        if (!seen_.remember(row->title)) continue;

        // Insertion at either end of a deque leaves references to its
        // elements valid, so the stored copy can be used for the rest of the
        // row.
        const ResultRow& stored =
            baseline ? rows_.emplace_back(std::move(*row)) : rows_.emplace_front(std::move(*row));

        const std::string keywords = settings.keywordText();
        if (!matchKeywords(stored.title, keywords, matchedKeyword_)) continue;

        if (!baseline) {
            const bool keywordsGiven = !keywords.empty();
            if (settings.voiceChecked() && (keywordsGiven || !board_.voiceNeedsKeywords)) {
                actions.playVoiceAlert();
            }
            if (settings.popupChecked()) {
                actions.ensureCompanionProgram();
                if (keywordsGiven) {
                    actions.launchPopupAlert(alerts::AlertRequest{
                        .link = stored.link,
                        .title = stored.title,
                        .postTime = stored.postTime,
                        .keyword = matchedKeyword_,
                        .staySeconds = settings.popupStayText(),
                    });
                }
            }
        }

        if (baseline) {
            actions.appendShownRow(stored);
        } else {
            actions.rebuildShownRows(rows_);
        }
    }

    if (stopped()) return 0;
    const int seconds = text::readInteger(settings.intervalText());
    return seconds > 0 ? static_cast<long long>(seconds) * 1000 : 0;
}

}  // namespace brevaro::monitor
