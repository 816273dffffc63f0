#pragma once
// The page container: a tab control holding the main window's eleven pages
// (nine board pages, the login page, the usage page). Its tab headers lie
// along its right-hand edge, beyond the visible part of the main window and
// under the pages, so pages change only through the navigation buttons.
// Each page fills the container and follows its size. GUI thread only.
// Windows only.

#include <windows.h>

#include <array>

#include "app/boards/BoardPage_win.h"
#include "app/widgets/Fonts_win.h"
#include "app/catalogue/ShellConfig.h"
#include "app/catalogue/ShellLayout.h"

namespace brevaro::app {

struct PageSet {
    HWND container = nullptr;
    std::array<HWND, kPageCount> pages{};
    std::array<BoardPage*, kPageCount> boards{};  // pages 0-8; owned by their windows
};

// Builds the container at its design place in `main` with page 0 selected
// and shown. container is nullptr when the tab control cannot be made.
PageSet createPageContainer(HWND main, const Fonts& fonts, const ShellConfig& config);

// Selects page `index` in the container and shows it alone.
void showPage(const PageSet& pages, int index);

// The page the container shows.
int shownPage(const PageSet& pages);

}  // namespace brevaro::app
