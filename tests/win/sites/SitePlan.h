#pragma once
// The eight boards of the sites on 127.0.0.1 (BoardSites.h) that the soak
// run and the demo put the program to work on: which sample page each
// board's site serves and which post new ones are copied from, the keywords
// typed in, the boxes the soak run ticks, and the board whose site can be
// hostile. The soak run polls every board with interval 0; its popups stay
// kPopupStay seconds.

#include <string>
#include <vector>

#include "win/app/program/BoardPages.h"

namespace brevaro::sites {

inline constexpr wchar_t kPopupStay[] = L"3";

// The keywords of every board: the new posts' titles either hold one of them
// or none, and no sample page's title does.
inline constexpr wchar_t kKeywords[] = L"秒杀*福利";

// The board's host and path are the catalogue's (monitor/Board.h).
struct SiteBoard {
    int page;             // the board's page in the main window
    std::string fixture;  // tests/fixtures/boards/NAME.html (ordinary boards)
    test::FirstPost first;
    bool popup, voice;
    bool hostile;  // served by the hostile site instead when the sites have one (a forum board)
};

// In page order: six forum boards (one of them the hostile one), the article
// site and Lumaq.
const std::vector<SiteBoard>& siteBoards();

}  // namespace brevaro::sites
