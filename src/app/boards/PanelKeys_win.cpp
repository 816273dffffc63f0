#include "app/boards/PanelKeys_win.h"

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstddef>
#include <string>

#include "app/boards/KeywordInput.h"

namespace brevaro::app {
namespace {

constexpr UINT_PTR kPanelKeysId = 0x4B5703;

struct PanelControl {
    std::vector<HWND> panel;
    bool keywordBox = false;
    bool tabPressed = false;  // its character is on its way and means nothing
};

bool canTakeFocus(HWND control) { return IsWindowEnabled(control) && IsWindowVisible(control); }

void moveFocus(HWND from, const std::vector<HWND>& panel, bool backwards) {
    std::size_t at = 0;
    while (at < panel.size() && panel[at] != from) ++at;
    if (at == panel.size()) return;
    for (std::size_t step = 1; step < panel.size(); ++step) {
        const std::size_t next = backwards ? (at + panel.size() - step) % panel.size() : (at + step) % panel.size();
        const HWND control = panel[next];
        if (!canTakeFocus(control)) continue;
        SetFocus(control);
        // A box reached by Tab has its text selected, as in a dialog.
        wchar_t className[16] = {};
        GetClassNameW(control, className, 16);
        if (lstrcmpiW(className, L"Edit") == 0) SendMessageW(control, EM_SETSEL, 0, -1);
        return;
    }
}

std::wstring clipboardText(HWND owner) {
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

LRESULT CALLBACK panelKeysProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data) noexcept {
    auto* state = reinterpret_cast<PanelControl*>(data);
    try {
        switch (message) {
            case WM_NCDESTROY:
                RemoveWindowSubclass(control, panelKeysProc, id);
                delete state;
                return DefSubclassProc(control, message, wParam, lParam);
            case WM_KEYDOWN:
                if (wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0) break;
                state->tabPressed = true;
                moveFocus(control, state->panel, GetKeyState(VK_SHIFT) < 0);
                return 0;
            case WM_CHAR:
                if (wParam == L'\t' && state->tabPressed) {
                    state->tabPressed = false;
                    return 0;
                }
                if (state->keywordBox && (wParam == L'\r' || wParam == L'\n' || wParam == L'\t'))
                    return DefSubclassProc(control, WM_CHAR, L'*', lParam);
                break;
            case WM_PASTE: {
                if (!state->keywordBox) break;
                const std::wstring pasted = breaksAsSeparators<wchar_t>(clipboardText(control));
                if (!pasted.empty())
                    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
                return 0;
            }
            default:
                break;
        }
    } catch (...) {
        return 0;  // out of memory for the text: the key or the paste is dropped
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void takePanelKeys(const std::vector<HWND>& controls, HWND keywordBox) {
    for (HWND control : controls) {
        if (control == nullptr) continue;
        auto* state = new PanelControl{controls, control == keywordBox};
        if (!SetWindowSubclass(control, panelKeysProc, kPanelKeysId, reinterpret_cast<DWORD_PTR>(state))) delete state;
    }
}

}  // namespace brevaro::app
