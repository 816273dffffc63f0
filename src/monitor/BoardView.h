#pragma once
// The board's side of the user interface, as a board's monitor sees it: its
// settings controls, its results list and its status line. The main window's board page
// implements it; every call comes on the UI thread.

#include "monitor/Board.h"
#include "monitor/BoardHealth.h"
#include "monitor/MonitorPass.h"

namespace brevaro::monitor {

class BoardView : public BoardSettings {
public:
    // The baseline's rows, one at a time, at the end of the list.
    virtual void appendShownRow(const SharedRow& row) = 0;
    // A later pass: the list becomes exactly these rows, in this order.
    virtual void rebuildShownRows(const BoardRows& rows) = 0;
    // The end of a pass: how it went (BoardHealth.h). Never called for a
    // pass that a stop cut short.
    virtual void showPassStatus(const PassReport& report) = 0;
    // A pass under way that has waited `seconds` for its page so far, once
    // a second while it waits (from the first second on).
    virtual void showPassWaiting(int seconds) = 0;
};

}  // namespace brevaro::monitor
