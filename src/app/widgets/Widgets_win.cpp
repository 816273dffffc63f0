#include "app/widgets/Widgets_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"
#include "text/ShellAddress.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

using skin::colorref;

constexpr UINT_PTR kClickLabelId = 0x43CC01;
constexpr UINT_PTR kPassUpId = 0x43CC02;

struct ClickLabelState {
    bool handCursor = false;
    bool pressed = false;
};

void notifyParent(HWND control, WORD code) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

LRESULT CALLBACK clickLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR data) noexcept {
    auto* state = reinterpret_cast<ClickLabelState*>(data);
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(label, clickLabelProc, id);
            delete state;
            break;
        case WM_NCHITTEST:
            return HTCLIENT;  // a plain label lets the mouse through
        case WM_SETCURSOR:
            if (state->handCursor && LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            state->pressed = true;
            notifyParent(label, kLabelPressed);
            return 0;
        case WM_LBUTTONUP: {
            // Sent or posted without a press (by a tool), or after one: the
            // release over the label is what counts.
            state->pressed = false;
            RECT client;
            GetClientRect(label, &client);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (PtInRect(&client, at)) notifyParent(label, kLabelReleased);
            return 0;
        }
        default:
            break;
    }
    return DefSubclassProc(label, message, wParam, lParam);
}

LRESULT CALLBACK passUpProc(HWND container, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR fillBackground) noexcept {
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(container, passUpProc, id);
            break;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case kSetControlColours:
            return SendMessageW(GetParent(container), message, wParam, lParam);
        case WM_ERASEBKGND:
            if (fillBackground != 0) {
                const auto dc = reinterpret_cast<HDC>(wParam);
                RECT client;
                GetClientRect(container, &client);
                skin::fillParentBackground(
                    dc, client, skin::askParentColours(container, dc, WM_CTLCOLORSTATIC));
                return 1;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(container, message, wParam, lParam);
}

bool isEdit(HWND control) {
    return skin::hasClass(control, L"Edit");
}

}  // namespace

// ---- Colours ----------------------------------------------------------------

void ColourTable::set(HWND control, const ControlColours& colours) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [control](const auto& e) { return e.first == control; });
    if (found != entries_.end()) {
        found->second = colours;
    } else {
        entries_.emplace_back(control, colours);
    }
}

const ControlColours* ColourTable::find(HWND control) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [control](const auto& e) { return e.first == control; });
    return found != entries_.end() ? &found->second : nullptr;
}

LRESULT ColourTable::answer(UINT message, HWND control, HDC dc, Colour background) const {
    const skin::Palette& palette = skin::lookPalette();
    Colour text = kBlack;
    Colour fill = background;
    bool transparent = false;
    if (isEdit(control)) {
        const bool editable = message == WM_CTLCOLOREDIT;
        fill = editable ? palette.surface : palette.disabledFill;
        text = IsWindowEnabled(control) ? kBlack : palette.disabledText;
    }
    if (const ControlColours* colours = find(control)) {
        text = colours->text;
        if (colours->background) fill = *colours->background;
        transparent = colours->transparent;
    }
    SetTextColor(dc, colorref(text));
    if (transparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
    }
    SetBkColor(dc, colorref(fill));
    // The DC's own brush: the flash's random colours make no brush each.
    return reinterpret_cast<LRESULT>(skin::dcBrush(dc, fill));
}

bool isColourMessage(UINT message) {
    return message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN ||
           message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
}

void setControlColours(HWND control, const ControlColours& colours) {
    for (HWND container = GetParent(control); container != nullptr;
         container = GetParent(container)) {
        if (SendMessageW(container, kSetControlColours, reinterpret_cast<WPARAM>(control),
                         reinterpret_cast<LPARAM>(&colours)) != FALSE) {
            return;
        }
    }
}

// ---- Controls ---------------------------------------------------------------

HWND createControl(HWND parent, const wchar_t* className, int id, std::string_view caption,
                   const Box& box, DWORD style, DWORD exStyle) {
    const std::wstring text = text::gbkToWide(caption);
    return CreateWindowExW(
        exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, box.left,
        box.top, box.width, box.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

HWND createLabel(HWND parent, int id, std::string_view caption, const Box& box, DWORD style) {
    return createControl(parent, L"STATIC", id, caption, box, style | SS_NOPREFIX);
}

HWND createEdit(HWND parent, int id, std::string_view text, const Box& box, DWORD style) {
    // A client edge rather than WS_BORDER: an edit box paints a WS_BORDER
    // inside its own text area, while a client edge is a frame around it
    // that the look repaints flat.
    return createControl(parent, L"EDIT", id, text, box, style | WS_TABSTOP, WS_EX_CLIENTEDGE);
}

HWND createPushButton(HWND parent, int id, std::string_view caption, const Box& box) {
    return createControl(parent, L"BUTTON", id, caption, box, BS_PUSHBUTTON | WS_TABSTOP);
}

HWND createCheckBox(HWND parent, int id, std::string_view caption, const Box& box) {
    return createControl(parent, L"BUTTON", id, caption, box, BS_AUTOCHECKBOX | WS_TABSTOP);
}

HWND createGroupBox(HWND parent, int id, std::string_view caption, const Box& box) {
    const HWND group =
        createControl(parent, L"BUTTON", id, caption, box, BS_GROUPBOX | WS_CLIPCHILDREN);
    if (group != nullptr) passChildMessagesUp(group, true);
    return group;
}

HWND createClickLabel(HWND parent, int id, std::string_view caption, const Box& box, DWORD style,
                      bool handCursor) {
    const HWND label = createLabel(parent, id, caption, box, style);
    if (label == nullptr) return nullptr;
    auto state = std::make_unique<ClickLabelState>();
    state->handCursor = handCursor;
    if (SetWindowSubclass(label, clickLabelProc, kClickLabelId,
                          reinterpret_cast<DWORD_PTR>(state.get()))) {
        state.release();
    }
    return label;
}

void passChildMessagesUp(HWND container, bool fillBackground) {
    SetWindowSubclass(container, passUpProc, kPassUpId, fillBackground ? 1 : 0);
}

void moveControl(HWND control, int left, int top, HWND insertAfter) {
    UINT flags = SWP_NOSIZE | SWP_NOACTIVATE;
    if (insertAfter == nullptr) flags |= SWP_NOZORDER;
    SetWindowPos(control, insertAfter, left, top, 0, 0, flags);
}

// ---- Links ------------------------------------------------------------------

void openWebAddress(HWND owner, std::string_view address) {
    const std::optional<std::string> shell = text::shellAddress(address);
    if (!shell) return;
    const std::wstring wide = text::gbkToWide(*shell);
    ShellExecuteW(owner, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace brevaro::app
