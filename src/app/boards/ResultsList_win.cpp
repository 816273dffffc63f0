#include "app/boards/ResultsList_win.h"

#include <algorithm>
#include <cwchar>

#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

int asListIndex(std::size_t index) { return static_cast<int>(index); }

void setItemState(HWND list, int index, UINT state, UINT mask) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// Copies text into the list's buffer, cut to fit with its terminating zero.
void copyText(const std::wstring& text, wchar_t* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(capacity) - 1);
    std::wmemcpy(buffer, text.data(), count);
    buffer[count] = L'\0';
}

}  // namespace

void setUpResultColumns(HWND list, std::span<const monitor::ColumnSpec> columns) {
    int index = 0;
    for (const monitor::ColumnSpec& column : columns) {
        std::wstring caption = text::gbkToWide(column.caption);
        LVCOLUMNW header{};
        header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        header.fmt = column.align == monitor::ColumnAlign::Center ? LVCFMT_CENTER : LVCFMT_LEFT;
        header.cx = column.width;
        header.pszText = caption.data();
        header.iSubItem = index;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&header));
        ++index;
    }
}

ResultsList::ResultsList(HWND list, std::span<const monitor::ColumnSpec> columns, int linkColumn)
    : list_(list), columns_(columns), linkColumn_(static_cast<std::size_t>(std::max(linkColumn, 0))) {
    // The board page has built the columns with the list; a bare list view
    // gets them here.
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
    if (header == nullptr || SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) <= 0) setUpResultColumns(list_, columns_);
    // A click anywhere on a row selects it: the title, in the third column,
    // is where users double-click.
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void ResultsList::append(const monitor::SharedRow& row) {
    rows_.push_back(row);
    mirrorsModel_ = false;
    showCount(LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    // The new row is drawn when it is in view (LVSICF_NOINVALIDATEALL).
}

void ResultsList::rebuild(const monitor::BoardRows& model) {
    // Between two rebuilds the model only gains rows at the front and loses
    // its oldest at the back: our first row is then found a few places
    // down, and every row from there on is ours, in order. Rows are shared,
    // so a row is known by its address. Anything else is taken whole.
    std::size_t added = 0;
    std::size_t kept = 0;
    bool takeOver = false;
    if (mirrorsModel_ && !rows_.empty()) {
        while (added < model.size() && model[added] != rows_.front()) ++added;
        kept = model.size() - added;
        takeOver = added < model.size() && kept <= rows_.size() && model.back() == rows_[kept - 1];
    } else if (mirrorsModel_) {
        takeOver = true;
        added = model.size();
    }
    mirrorsModel_ = false;  // until the copy below is complete

    if (takeOver) {
        const std::size_t dropped = rows_.size() - kept;
        if (added == 0 && dropped == 0) {
            mirrorsModel_ = true;
            return;
        }
        std::optional<std::size_t> selected = selectedIndex();
        if (selected) setItemState(list_, asListIndex(*selected), 0, LVIS_SELECTED | LVIS_FOCUSED);
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(kept), rows_.end());
        rows_.insert(rows_.begin(), model.begin(), model.begin() + static_cast<std::ptrdiff_t>(added));
        mirrorsModel_ = true;
        showCount(LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        lastSelected_.reset();
        if (selected && *selected < kept) {
            // The same row stays selected at its new position.
            setItemState(list_, asListIndex(*selected + added), LVIS_SELECTED | LVIS_FOCUSED,
                         LVIS_SELECTED | LVIS_FOCUSED);
            lastSelected_ = *selected + added;
        }
        redrawVisible();
        return;
    }

    rows_.assign(model.begin(), model.end());
    mirrorsModel_ = true;
    // Other rows stand under the old indices now: nothing stays selected.
    setItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    lastSelected_.reset();
    showCount(0);
}

void ResultsList::clear() {
    rows_.clear();
    mirrorsModel_ = false;
    lastSelected_.reset();
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
}

std::string ResultsList::cellAt(std::size_t index, std::size_t column) const {
    if (index >= rows_.size() || column >= columns_.size()) return {};
    return monitor::cellText(columns_[column], *rows_[index], asListIndex(index + 1));
}

std::string ResultsList::linkAt(std::size_t index) const { return cellAt(index, linkColumn_); }

// The list view finds its selected item by walking the items from the top
// (Wine's does): the row found last is asked first, so that a rebuild does
// not walk a long list. A lone selected item in a single-selection list is
// the selection.
std::optional<std::size_t> ResultsList::selectedIndex() const {
    if (SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0) <= 0) {
        lastSelected_.reset();
        return std::nullopt;
    }
    if (lastSelected_ && *lastSelected_ < rows_.size() &&
        (SendMessageW(list_, LVM_GETITEMSTATE, *lastSelected_, LVIS_SELECTED) & LVIS_SELECTED) != 0) {
        return lastSelected_;
    }
    const LRESULT found = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (found < 0 || static_cast<std::size_t>(found) >= rows_.size()) {
        lastSelected_.reset();
    } else {
        lastSelected_ = static_cast<std::size_t>(found);
    }
    return lastSelected_;
}

bool ResultsList::handleNotify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != list_) return false;
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
            if ((item.mask & LVIF_TEXT) != 0) {
                const std::string cell = item.iItem >= 0 && item.iSubItem >= 0
                                             ? cellAt(static_cast<std::size_t>(item.iItem),
                                                      static_cast<std::size_t>(item.iSubItem))
                                             : std::string();
                copyText(text::gbkToWide(cell), item.pszText, item.cchTextMax);
            }
            result = 0;
            return true;
        }
        case LVN_ODFINDITEMW:
            result = -1;  // no type-ahead search
            return true;
        case LVN_ODCACHEHINT:
            result = 0;
            return true;
        case LVN_ITEMCHANGED: {
            // Noted for selectedIndex(); the page may want it too.
            const NMLISTVIEW& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if ((change.uChanged & LVIF_STATE) != 0 && (change.uNewState & LVIS_SELECTED) != 0 && change.iItem >= 0) {
                lastSelected_ = static_cast<std::size_t>(change.iItem);
            }
            return false;
        }
        default:
            return false;
    }
}

void ResultsList::showCount(DWORD flags) {
    SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows_.size()), static_cast<LPARAM>(flags));
}

// After rows were added at the front every visible row shows another row:
// the rows' area below the header is drawn again, and nothing else. One
// invalidation: the list view's own per-item redraw costs far more.
void ResultsList::redrawVisible() {
    RECT area{};
    if (!GetClientRect(list_, &area)) return;
    const LRESULT top = SendMessageW(list_, LVM_GETTOPINDEX, 0, 0);
    RECT firstRow{};
    firstRow.left = LVIR_BOUNDS;
    if (top >= 0 && SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&firstRow))) {
        area.top = std::max(area.top, firstRow.top);
    }
    InvalidateRect(list_, &area, FALSE);
}

}  // namespace brevaro::app
