#pragma once
// The keys of a board page's control panel, which has no dialog manager to
// give them their usual meaning: Tab and Shift+Tab move the focus to the
// next and previous control of the panel that can take it (enabled and
// visible, round from the last to the first); in the keyword box a typed or
// pasted line break or tab becomes the separator "*" (KeywordInput.h), so
// the keywords stay one line. UI thread only.

#include <windows.h>

#include <vector>

namespace brevaro::app {

// controls: the panel's controls in focus order; keywordBox: the one among
// them that holds the keywords. Each control keeps what it needs until it is
// destroyed.
void takePanelKeys(const std::vector<HWND>& controls, HWND keywordBox);

}  // namespace brevaro::app
