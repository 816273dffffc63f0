#pragma once
// The short waits of the main window's slides and flashes: the UI thread
// keeps dispatching its messages until GetTickCount passes the deadline,
// so the window repaints between the steps. GUI thread only. Windows only.

namespace brevaro::app {

// Dispatches the thread's messages for about `milliseconds`. A WM_QUIT that
// arrives meanwhile ends the wait and is posted again for the thread's own
// loop.
void waitDispatching(unsigned milliseconds);

}  // namespace brevaro::app
