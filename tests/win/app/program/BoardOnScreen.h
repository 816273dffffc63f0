#pragma once
// A board page of the program seen from outside: its results list, settings
// and start button found through the control ids, its state read as a user
// reads it, and its settings filled in as a user types them.

#include <windows.h>

#include <string>

#include "ShellDriver.h"

namespace brevaro::test {

struct BoardOnScreen {
    int page;
    HWND list, interval, stay, voice, popup, keywords, start;

    BoardOnScreen(const ShellProcess& shell, int pageIndex);

    bool found() const { return list && interval && stay && voice && popup && keywords && start; }

    // The start button's caption, whether it takes clicks and whether the
    // settings (interval, stay, voice, popup, keywords) do.
    std::wstring state() const;

    // Keywords typed in, the smallest interval, and the popup ticked (with
    // its stay) when asked for.
    bool setUp(const std::wstring& keywordText, bool withPopup) const;
};

}  // namespace brevaro::test
