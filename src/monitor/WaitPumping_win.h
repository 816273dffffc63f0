#pragma once
// A wait that keeps the calling thread's window messages flowing: a board's
// interval between passes, and the UI thread's short waits.

namespace brevaro::monitor {

// Waits `milliseconds` on a waitable timer, dispatching the thread's pending
// messages whenever they arrive. A wait of 0 or less returns at once. When
// stopEvent (a HANDLE) is given and becomes signalled, the wait ends early;
// returns false in that case, true when the time ran out.
bool waitPumping(long long milliseconds, void* stopEvent = nullptr);

}  // namespace brevaro::monitor
