#include "ShellDriver.h"
#include "app/catalogue/ControlIds.h"
#include "win/support/UnixPath.h"
#include "win/support/WindowText.h"

#include <commctrl.h>

#include <algorithm>

namespace brevaro::test {
namespace {

struct Search {
    DWORD process;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && classOf(window) == search->className)
        search->found.push_back(window);
    return TRUE;
}

// Any process's visible windows of the class.
BOOL CALLBACK collectVisible(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (IsWindowVisible(window) && classOf(window) == search->className)
        search->found.push_back(window);
    return TRUE;
}

std::wstring widen(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

void setVariable(const wchar_t* name, const std::string& value) {
    SetEnvironmentVariableW(name, value.empty() ? nullptr : widen(value).c_str());
}

}  // namespace

std::wstring textOf(HWND window) { return windowText(window); }

RECT placeOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LONG widthOf(const RECT& rect) {
    return rect.right - rect.left;
}
LONG heightOf(const RECT& rect) {
    return rect.bottom - rect.top;
}

COLORREF screenPixel(int x, int y) {
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

COLORREF pixelOf(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return screenPixel(point.x, point.y);
}

ShellProcess::ShellProcess(const ShellOptions& options) {
    setVariable(L"BREVARO_TEST_NOTICE_URL", options.noticeUrl);
    setVariable(L"BREVARO_TEST_NETTEST_URL", options.netTestUrl);
    setVariable(L"BREVARO_TEST_FORUM_HOST", options.forumHost);
    setVariable(L"BREVARO_TEST_ARTICLE_HOST", options.articleHost);
    setVariable(L"BREVARO_TEST_TIPSITE_HOST", options.tipSiteHost);
    const std::wstring exe = windowsPathOf(BREVARO_SHELL_TEST_EXE);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &created)) {
        return;
    }
    CloseHandle(created.hThread);
    process_ = created.hProcess;
    id_ = created.dwProcessId;
    waitFor([this] {
        const std::vector<HWND> mains = windowsOfClass(app::kMainWindowClass);
        if (mains.empty() || !IsWindowVisible(mains.front())) return false;
        main_ = mains.front();
        return true;
    });
    if (main_ == nullptr) return;
    const std::vector<HWND> shadows = windowsOfClass(app::kShadowOwnerClass);
    shadow_ = shadows.empty() ? nullptr : shadows.front();
    // The first activation has run once the network test has answered.
    const HWND indicator = control({app::kStatusBarId, app::kNetworkIndicatorId});
    if (!waitFor([&] { return !tooltipOf(indicator).empty(); })) main_ = nullptr;
}

ShellProcess::~ShellProcess() {
    if (process_ == nullptr) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kWatchdogMilliseconds);
    }
    CloseHandle(process_);
}

HWND ShellProcess::control(const std::vector<int>& path) const {
    HWND window = main_;
    for (int id : path) {
        if (window == nullptr) return nullptr;
        window = GetDlgItem(window, id);
    }
    return window;
}

std::vector<HWND> ShellProcess::windowsOfClass(const wchar_t* className) const {
    Search search{id_, className, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ShellProcess::readRemote(const void* remote, void* local, std::size_t size) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_, remote, local, size, &read) && read == size;
}

bool ShellProcess::writeRemote(void* remote, const void* local, std::size_t size) const {
    SIZE_T written = 0;
    return WriteProcessMemory(process_, remote, local, size, &written) && written == size;
}

void* ShellProcess::allocateRemote(std::size_t size) const {
    return VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

std::vector<ShellProcess::Cells> ShellProcess::rowsOf(HWND list) const {
    std::vector<Cells> rows;
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    // Long enough for a forum row's time cell, which carries markup.
    constexpr std::size_t kTextChars = 2048;
    struct Block {
        LVITEMW item;
        wchar_t text[kTextChars];
    };
    auto* remote = static_cast<Block*>(allocateRemote(sizeof(Block)));
    if (remote == nullptr) return rows;
    for (int i = 0; i < count; ++i) {
        Cells cells;
        for (int column = 0; column < columns; ++column) {
            Block block{};
            block.item.iSubItem = column;
            block.item.pszText = remote->text;
            block.item.cchTextMax = kTextChars;
            writeRemote(remote, &block, sizeof block);
            const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i),
                                             reinterpret_cast<LPARAM>(&remote->item));
            readRemote(remote, &block, sizeof block);
            cells.emplace_back(
                block.text,
                std::min(static_cast<std::size_t>(std::max<LRESULT>(length, 0)), kTextChars - 1));
        }
        rows.push_back(std::move(cells));
    }
    freeRemote(remote);
    return rows;
}

bool ShellProcess::rightClickRow(HWND list, int item) const {
    auto* remote = static_cast<RECT*>(allocateRemote(sizeof(RECT)));
    if (remote == nullptr) return false;
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    writeRemote(remote, &bounds, sizeof bounds);
    const bool placed = SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                                     reinterpret_cast<LPARAM>(remote)) != FALSE &&
                        readRemote(remote, &bounds, sizeof bounds);
    freeRemote(remote);
    if (!placed) return false;
    // Inside the title column, halfway down the row: a left click selects
    // the row, then the right button goes down and up on it.
    const LPARAM at = MAKELPARAM(300, (bounds.top + bounds.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageW(list, WM_RBUTTONUP, 0, at);
    return true;
}

void ShellProcess::freeRemote(void* remote) const {
    if (remote != nullptr) VirtualFreeEx(process_, remote, 0, MEM_RELEASE);
}

std::wstring ShellProcess::tooltipOf(HWND tool) const {
    const std::vector<HWND> controls = windowsOfClass(TOOLTIPS_CLASSW);
    if (controls.empty() || tool == nullptr) return {};
    constexpr std::size_t kTextChars = 512;
    struct Block {
        TTTOOLINFOW info;
        wchar_t text[kTextChars];
    };
    auto* remote = static_cast<Block*>(allocateRemote(sizeof(Block)));
    if (remote == nullptr) return {};
    std::wstring result;
    for (HWND tooltips : controls) {
        const auto count = static_cast<int>(SendMessageW(tooltips, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count && result.empty(); ++i) {
            Block block{};
            block.info.cbSize = TTTOOLINFOW_V2_SIZE;
            if (!writeRemote(remote, &block, sizeof block)) break;
            if (!SendMessageW(tooltips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                              reinterpret_cast<LPARAM>(&remote->info))) {
                continue;
            }
            if (!readRemote(remote, &block, sizeof block)) break;
            if (block.info.uId != reinterpret_cast<UINT_PTR>(tool)) continue;
            block.info.lpszText = remote->text;
            block.text[0] = L'\0';
            writeRemote(remote, &block, sizeof block);
            SendMessageW(tooltips, TTM_GETTEXTW, kTextChars,
                         reinterpret_cast<LPARAM>(&remote->info));
            readRemote(remote, &block, sizeof block);
            block.text[kTextChars - 1] = L'\0';
            result = block.text;
        }
    }
    freeRemote(remote);
    return result;
}

std::vector<ShellProcess::Column> ShellProcess::columnsOf(HWND list) const {
    std::vector<Column> columns;
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const auto count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    constexpr std::size_t kTextChars = 256;
    struct Block {
        LVCOLUMNW info;
        wchar_t text[kTextChars];
    };
    auto* remote = static_cast<Block*>(allocateRemote(sizeof(Block)));
    if (remote == nullptr) return columns;
    for (int i = 0; i < count; ++i) {
        Block block{};
        block.info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        block.info.pszText = remote->text;
        block.info.cchTextMax = kTextChars;
        writeRemote(remote, &block, sizeof block);
        SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&remote->info));
        readRemote(remote, &block, sizeof block);
        block.text[kTextChars - 1] = L'\0';
        columns.push_back({block.text, block.info.cx, block.info.fmt & LVCFMT_JUSTIFYMASK});
    }
    freeRemote(remote);
    return columns;
}

testing::AssertionResult ShellProcess::endsWithExitCodeZero() const {
    if (process_ == nullptr) return testing::AssertionFailure() << "not started";
    if (WaitForSingleObject(process_, kWatchdogMilliseconds) != WAIT_OBJECT_0) {
        return testing::AssertionFailure() << "still running after the watchdog";
    }
    DWORD code = 1;
    GetExitCodeProcess(process_, &code);
    if (code != 0) return testing::AssertionFailure() << "exit code " << code;
    return testing::AssertionSuccess();
}

bool ShellProcess::waitUntilHandled() const {
    // The marker: the text limit of page 5's hidden link box, changed by a
    // posted EM_SETLIMITTEXT (nothing on the screen changes). Posted messages
    // are handled in the order they were posted, so once it has changed,
    // everything posted before it has been handled (or, for a handler that
    // waits dispatching messages, has begun, and the main window is disabled
    // until it ends).
    const HWND marker = control({app::kPageContainerId, app::pageId(5), app::kLinkBoxId});
    if (marker == nullptr) return false;
    const LRESULT was = SendMessageW(marker, EM_GETLIMITTEXT, 0, 0);
    const LRESULT next = was == 40000 ? 40001 : 40000;
    PostMessageW(marker, EM_SETLIMITTEXT, static_cast<WPARAM>(next), 0);
    return waitFor([&] { return SendMessageW(marker, EM_GETLIMITTEXT, 0, 0) == next; }) &&
           waitFor([&] { return IsWindowEnabled(main_) != FALSE; });
}

bool ShellProcess::running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void press(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void typeInto(HWND box, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
}

bool tick(HWND checkBox) {
    if (SendMessageW(checkBox, BM_GETCHECK, 0, 0) != BST_CHECKED) press(checkBox);
    return waitFor([&] { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; });
}

std::vector<HWND> visibleWindowsOfClass(const wchar_t* className) {
    Search search{0, className, {}};
    EnumWindows(collectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void endProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    if (id == 0 || id == GetCurrentProcessId()) return;
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process == nullptr) return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kWatchdogMilliseconds);
    CloseHandle(process);
}

void pressLabel(HWND label, bool down) {
    PostMessageW(label, down ? WM_LBUTTONDOWN : WM_LBUTTONUP, down ? MK_LBUTTON : 0,
                 MAKELPARAM(2, 2));
}

}  // namespace brevaro::test
