#include "app/boards/BoardPage_win.h"

#include <string>

#include "app/boards/BoardStatusLine_win.h"
#include "app/catalogue/ControlIds.h"
#include "app/boards/PanelKeys_win.h"
#include "app/boards/ResultsList_win.h"
#include "app/widgets/Widgets_win.h"
#include "app/widgets/WindowClass_win.h"
#include "monitor/Board.h"
#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"

namespace brevaro::app {

struct BoardPageAccess {
    static BoardPage* make() { return new BoardPage(); }
    static void setWindow(BoardPage& page, HWND window) { page.window_ = window; }
    static ColourTable& colours(BoardPage& page) { return page.colours_; }
};

namespace {

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* page =
            static_cast<BoardPage*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        BoardPageAccess::setWindow(*page, window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    BoardPage* page = BoardPage::fromWindow(window);
    if (page == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (isColourMessage(message)) {
        return BoardPageAccess::colours(*page).answer(message, reinterpret_cast<HWND>(lParam),
                                                      reinterpret_cast<HDC>(wParam),
                                                      kPageBackground);
    }
    switch (message) {
        case WM_COMMAND:
            if (BoardPageHandler* handler = page->handler()) {
                handler->onCommand(*page, LOWORD(wParam), HIWORD(wParam),
                                   reinterpret_cast<HWND>(lParam));
            }
            return 0;
        case WM_NOTIFY:
            if (BoardPageHandler* handler = page->handler()) {
                LRESULT result = 0;
                if (handler->onNotify(*page, *reinterpret_cast<NMHDR*>(lParam), result))
                    return result;
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case kSetControlColours:
            BoardPageAccess::colours(*page).set(reinterpret_cast<HWND>(wParam),
                                                *reinterpret_cast<const ControlColours*>(lParam));
            return TRUE;
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window, &client);
            skin::fillSolid(reinterpret_cast<HDC>(wParam), client, kPageBackground);
            return 1;
        }
        case WM_NCDESTROY: {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete page;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

BoardPage* BoardPage::create(HWND container, int pageIndex, const Box& place, const Fonts& fonts) {
    if (!registerWindowClass(kBoardPageClass, guardedWindowProc<handleMessage>)) return nullptr;
    std::unique_ptr<BoardPage> page(BoardPageAccess::make());
    page->pageIndex_ = pageIndex;
    const HWND window =
        CreateWindowExW(0, kBoardPageClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        place.left, place.top, place.width, place.height, container,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(pageId(pageIndex))),
                        GetModuleHandleW(nullptr), page.get());
    if (window == nullptr) return nullptr;
    // From WM_NCCREATE on the window owns the page.
    BoardPage* built = page.release();
    if (!built->build(fonts)) {
        DestroyWindow(window);
        return nullptr;
    }
    return built;
}

BoardPage* BoardPage::fromWindow(HWND window) {
    if (window == nullptr || !skin::hasClass(window, kBoardPageClass)) return nullptr;
    return reinterpret_cast<BoardPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void BoardPage::setHandler(std::unique_ptr<BoardPageHandler> handler) {
    handler_ = std::move(handler);
}

bool BoardPage::build(const Fonts& fonts) {
    const HWND page = window_;
    const ControlColours plainText{kBlack};

    resultsList_ = createControl(
        page, WC_LISTVIEWW, kResultsListId, "", kResultsList,
        WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    if (resultsList_ == nullptr) return false;
    setFont(resultsList_, fonts, FontRole::Standard);
    SendMessageW(resultsList_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    setUpResultColumns(resultsList_, monitor::columnsForPage(pageIndex_));
    SendMessageW(resultsList_, LVM_SETITEMCOUNT, 0, 0);

    const std::string panelCaption =
        std::string(kNavPages[static_cast<std::size_t>(pageIndex_)].name) +
        std::string(kControlPanelSuffix);
    controlPanel_ = createGroupBox(page, kControlPanelId, panelCaption, kControlPanel);
    setFont(controlPanel_, fonts, FontRole::Standard);
    if (monitor::boardForPage(pageIndex_) != nullptr) statusLine_ = createBoardStatusLine(controlPanel_, fonts);

    const HWND intervalGroup = createGroupBox(controlPanel_, kIntervalGroupId, "", kIntervalGroup);
    setFont(intervalGroup, fonts, FontRole::Hei12);
    const HWND intervalLabel = createLabel(intervalGroup, kIntervalLabelId, kIntervalLabelText,
                                           kIntervalLabel, SS_LEFT | SS_CENTERIMAGE);
    intervalBox_ = createEdit(intervalGroup, kIntervalBoxId, kInitialInterval, kIntervalBox,
                              ES_CENTER | ES_AUTOHSCROLL);
    const HWND stayLabel = createLabel(intervalGroup, kStayLabelId, kStayLabelText, kStayLabel,
                                       SS_LEFT | SS_CENTERIMAGE);
    stayBox_ =
        createEdit(intervalGroup, kStayBoxId, kInitialStay, kStayBox, ES_CENTER | ES_AUTOHSCROLL);

    const HWND keywordGroup = createGroupBox(controlPanel_, kKeywordGroupId, "", kKeywordGroup);
    setFont(keywordGroup, fonts, FontRole::Standard);
    const HWND keywordLabel = createLabel(keywordGroup, kKeywordLabelId, kKeywordLabelText,
                                          kKeywordLabel, SS_LEFT | SS_CENTERIMAGE);
    voiceCheck_ = createCheckBox(keywordGroup, kVoiceCheckId, kVoiceCaption, kVoiceCheck);
    popupCheck_ = createCheckBox(keywordGroup, kPopupCheckId, kPopupCaption, kPopupCheck);
    // It wraps its text over its two lines, but the keywords stay one line
    // (PanelKeys_win.h).
    keywordBox_ =
        createEdit(keywordGroup, kKeywordBoxId, "", kKeywordBox, ES_MULTILINE | ES_AUTOVSCROLL);

    const HWND startGroup = createGroupBox(controlPanel_, kStartGroupId, "", kStartGroup);
    setFont(startGroup, fonts, FontRole::Standard);
    startButton_ = createPushButton(startGroup, kStartButtonId, kStartCaption, kStartButton);

    for (HWND control : {intervalLabel, stayLabel, keywordLabel}) {
        setFont(control, fonts, FontRole::Standard);
        setControlColours(control, plainText);
    }
    for (HWND control :
         {intervalBox_, stayBox_, voiceCheck_, popupCheck_, keywordBox_, startButton_}) {
        setFont(control, fonts, FontRole::Standard);
    }
    takePanelKeys({intervalBox_, stayBox_, voiceCheck_, popupCheck_, keywordBox_, startButton_}, keywordBox_);
    // The boxes lie over the gaps their labels leave: above them, so the
    // labels never paint there.
    for (HWND box : {intervalBox_, stayBox_}) {
        SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    if (pageIndex_ == 5) {
        linkBox_ = createEdit(page, kLinkBoxId, "", kLinkBox);
        if (linkBox_ != nullptr) {
            ShowWindow(linkBox_, SW_HIDE);
            setFont(linkBox_, fonts, FontRole::Standard);
        }
    }
    return controlPanel_ != nullptr && intervalBox_ != nullptr && stayBox_ != nullptr &&
           voiceCheck_ != nullptr && popupCheck_ != nullptr && keywordBox_ != nullptr &&
           startButton_ != nullptr;
}

}  // namespace brevaro::app
