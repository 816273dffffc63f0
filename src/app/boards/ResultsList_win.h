#pragma once
// A board's results list: a virtual report-style list view (created by the
// board page with LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
// LVS_SHOWSELALWAYS) that shows rows this object keeps. The list view holds
// only the item count; each cell's text is computed when the list asks for
// it (LVN_GETDISPINFOW): column 0 is the row number (index + 1), the other
// columns the board's fields (monitor::cellText).
//
// The board's worker shows its rows in two ways: one row at a time at the
// end during the baseline, and later a rebuild from its whole model for
// every new matching row. The rows are the worker's own, shared: the list
// holds no copy of them. Between two rebuilds the model only grows at the
// front and loses its oldest rows at the back, so a rebuild takes over just
// those changes: its cost does not grow with the rows already shown. The
// first rebuild after appends (the baseline shows only the matching rows)
// takes the model whole once.
//
// UI thread only. The list view must outlive this object or be destroyed
// with it; the page forwards the list's WM_NOTIFY to handleNotify.

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <deque>
#include <optional>
#include <span>
#include <string>

#include "monitor/Board.h"
#include "monitor/BoardRows.h"

namespace brevaro::app {

// Inserts the columns into a report-style list view: captions (GBK),
// widths, alignments; the link column is 0 pixels wide. Also for the inert
// page, whose list shows its header only.
void setUpResultColumns(HWND list, std::span<const monitor::ColumnSpec> columns);

class ResultsList {
public:
    // Sets up the columns unless the list has its columns already;
    // linkColumn indexes columns.
    ResultsList(HWND list, std::span<const monitor::ColumnSpec> columns, int linkColumn);
    ResultsList(const ResultsList&) = delete;
    ResultsList& operator=(const ResultsList&) = delete;

    HWND window() const { return list_; }

    // One row at the end of the list.
    void append(const monitor::SharedRow& row);
    // The list becomes exactly `model`, in its order, numbered from 1. The
    // selected row stays selected when it is still shown.
    void rebuild(const monitor::BoardRows& model);
    // No rows.
    void clear();

    std::size_t size() const { return rows_.size(); }
    // The text a cell shows; empty outside the list.
    std::string cellAt(std::size_t index, std::size_t column) const;
    // The link column's text of a row; empty outside the list.
    std::string linkAt(std::size_t index) const;
    // The selected row, if any.
    std::optional<std::size_t> selectedIndex() const;

    // LVN_GETDISPINFOW (and the other notifications of a virtual list) from
    // the list view; false for anything else, which the page handles.
    bool handleNotify(NMHDR& header, LRESULT& result);

private:
    void showCount(DWORD flags);
    void redrawVisible();

    HWND list_;
    std::span<const monitor::ColumnSpec> columns_;
    std::size_t linkColumn_;
    monitor::BoardRows rows_;  // the worker's own rows, shared
    // True while rows_ equals the worker's model as of the last rebuild, so
    // the next rebuild may take over only what was added at the front.
    bool mirrorsModel_ = false;
    // Where the selection was last seen: a hint, checked before use.
    mutable std::optional<std::size_t> lastSelected_;
};

}  // namespace brevaro::app
