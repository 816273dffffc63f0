#include "BoardOnScreen.h"

#include "app/catalogue/ControlIds.h"

namespace brevaro::test {

BoardOnScreen::BoardOnScreen(const ShellProcess& shell, int pageIndex) : page(pageIndex) {
    using namespace app;
    const int id = pageId(pageIndex);
    list = shell.control({kPageContainerId, id, kResultsListId});
    interval =
        shell.control({kPageContainerId, id, kControlPanelId, kIntervalGroupId, kIntervalBoxId});
    stay = shell.control({kPageContainerId, id, kControlPanelId, kIntervalGroupId, kStayBoxId});
    voice = shell.control({kPageContainerId, id, kControlPanelId, kKeywordGroupId, kVoiceCheckId});
    popup = shell.control({kPageContainerId, id, kControlPanelId, kKeywordGroupId, kPopupCheckId});
    keywords =
        shell.control({kPageContainerId, id, kControlPanelId, kKeywordGroupId, kKeywordBoxId});
    start = shell.control({kPageContainerId, id, kControlPanelId, kStartGroupId, kStartButtonId});
}

std::wstring BoardOnScreen::state() const {
    int enabled = 0;
    for (HWND control : {interval, stay, voice, popup, keywords})
        enabled += IsWindowEnabled(control) ? 1 : 0;
    return textOf(start) + (IsWindowEnabled(start) ? L" | button on" : L" | button off") +
           (enabled == 5   ? L" | settings on"
            : enabled == 0 ? L" | settings off"
                           : L" | settings mixed");
}

bool BoardOnScreen::setUp(const std::wstring& keywordText, bool withPopup) const {
    typeInto(keywords, keywordText);
    typeInto(interval, L"0");
    typeInto(stay, L"60");
    return (!withPopup || tick(popup)) && textOf(keywords) == keywordText &&
           textOf(interval) == L"0";
}

}  // namespace brevaro::test
