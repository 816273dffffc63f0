#pragma once
// The soak run's eight boards, as it sets them up in the program: which
// sample page each board's site serves and which post new ones are copied
// from, the keywords typed in, the boxes ticked, and the one hostile board.
// Every board polls with interval 0; popups stay kPopupStay seconds.

#include <string>
#include <vector>

#include "win/app/BoardPages.h"

namespace brevaro::soak {

inline constexpr wchar_t kPopupStay[] = L"3";

// The keywords of every board: the new posts' titles either hold one of them
// or none, and no sample page's title does.
inline constexpr wchar_t kKeywords[] = L"秒杀*福利";

// The board's host and path are the catalogue's (monitor/Board.h).
struct SoakBoard {
    int page;             // the board's page in the main window
    std::string fixture;  // tests/fixtures/boards/NAME.html (ordinary boards)
    test::FirstPost first;
    bool popup, voice;
    bool hostile;  // served by the hostile site instead (a forum board)
};

// In page order: six forum boards (one of them hostile), the article site
// and Lumaq.
const std::vector<SoakBoard>& soakBoards();

}  // namespace brevaro::soak
