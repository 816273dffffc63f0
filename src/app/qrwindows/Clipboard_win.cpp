#include "app/qrwindows/Clipboard_win.h"

#include <cwchar>
#include <memory>
#include <string>

#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

// The clipboard is open for the scope.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

struct GlobalFreer {
    void operator()(HGLOBAL memory) const noexcept { GlobalFree(memory); }
};
using OwnedGlobal = std::unique_ptr<void, GlobalFreer>;

}  // namespace

bool putTextOnClipboard(HWND owner, std::string_view gbk) {
    const std::wstring text = text::gbkToWide(gbk);
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    OwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    void* locked = GlobalLock(memory.get());
    if (locked == nullptr) return false;
    std::wmemcpy(static_cast<wchar_t*>(locked), text.c_str(), text.size() + 1);
    GlobalUnlock(memory.get());

    const OpenedClipboard clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard()) return false;
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

}  // namespace brevaro::app
