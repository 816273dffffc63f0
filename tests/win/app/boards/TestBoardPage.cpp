#include "app/boards/TestBoardPage.h"

#include <commctrl.h>

#include "app/widgets/WindowClass_win.h"
#include "text/WindowText_win.h"
#include "text/WideText_win.h"
#include "win/support/WindowText.h"

namespace brevaro::app::test {
namespace {

constexpr wchar_t kPageClass[] = L"Brevaro.TestBoardPage";

HWND child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width,
           int height, DWORD exStyle = 0) {
    const HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | style, x, y, width, height, parent,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void registerPageClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        return registerWindowClass(kPageClass, procedure, GetSysColorBrush(COLOR_BTNFACE));
    }();
    (void)registered;
}

}  // namespace

TestBoardPage::TestBoardPage(int pageIndex, const std::string& listUrl, alerts::AlertSink& alerts, int left,
                             int top) {
    registerPageClass(procedure);

    window_ = CreateWindowExW(0, kPageClass, L"board page", WS_POPUP | WS_VISIBLE, left, top, 840, 480, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const DWORD visible = WS_VISIBLE;
    controls_.list = child(window_, WC_LISTVIEWW, L"",
                           visible | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 840, 345,
                           WS_EX_CLIENTEDGE);
    controls_.interval = child(window_, L"EDIT", L"10", visible | WS_BORDER, 100, 370, 48, 24);
    controls_.popupStay = child(window_, L"EDIT", L"10", visible | WS_BORDER, 100, 404, 48, 24);
    controls_.voice = child(window_, L"BUTTON", L"voice", visible | BS_AUTOCHECKBOX, 440, 360, 72, 22);
    controls_.popup = child(window_, L"BUTTON", L"popup", visible | BS_AUTOCHECKBOX, 520, 360, 72, 22);
    controls_.keywords = child(window_, L"EDIT", L"", visible | WS_BORDER, 200, 390, 384, 48);
    controls_.start = child(window_, L"BUTTON", text::gbkToWide("开始监控").c_str(), visible | BS_PUSHBUTTON, 610,
                            380, 200, 56);
    controls_.linkBox = child(window_, L"EDIT", L"", 0, 47, 54, 96, 24);  // hidden
    controller_ = std::make_unique<BoardController>(*monitor::boardForPage(pageIndex), controls_, alerts, listUrl);
}

TestBoardPage::~TestBoardPage() {
    controller_.reset();
    if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK TestBoardPage::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* page = reinterpret_cast<TestBoardPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (page != nullptr && page->controller_) {
        if (message == WM_COMMAND) {
            if (reinterpret_cast<HWND>(lParam) == page->controls_.start && HIWORD(wParam) == BN_CLICKED &&
                page->beforeStartClick) {
                page->beforeStartClick();
            }
            if (page->controller_->handleCommand(wParam, lParam)) return 0;
        } else if (message == WM_NOTIFY) {
            LRESULT result = 0;
            if (page->controller_->handleNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TestBoardPage::setText(HWND control, const std::string& gbk) { text::setWindowTextGbk(control, gbk); }

void TestBoardPage::setChecked(HWND box, bool checked) {
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string TestBoardPage::text(HWND control) const { return text::windowTextGbk(control); }

int TestBoardPage::shownCount() const {
    return static_cast<int>(SendMessageW(controls_.list, LVM_GETITEMCOUNT, 0, 0));
}

std::string TestBoardPage::shownCell(int item, int column) const {
    wchar_t buffer[1024] = {};
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = buffer;
    cell.cchTextMax = static_cast<int>(std::size(buffer));
    const LRESULT length = SendMessageW(controls_.list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                        reinterpret_cast<LPARAM>(&cell));
    return text::wideToGbk(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

std::vector<std::vector<std::string>> TestBoardPage::shownRows() const {
    const int columns = static_cast<int>(controller_->board().columns.size());
    std::vector<std::vector<std::string>> rows;
    for (int item = 0; item < shownCount(); ++item) {
        std::vector<std::string> row;
        for (int column = 0; column < columns; ++column) row.push_back(shownCell(item, column));
        rows.push_back(row);
    }
    return rows;
}

std::wstring wideText(HWND window) { return brevaro::test::windowText(window); }

}  // namespace brevaro::app::test
