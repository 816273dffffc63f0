#pragma once
// The slides' wait between two steps: the calling thread's messages are
// handled until GetTickCount has moved on by the time asked for. A step ends
// at the first tick past it, where a timer's wait is rounded up to whole
// timer periods and can take twice as long.

namespace brevaro::app {

void pumpUntilTicksPass(unsigned milliseconds);

}  // namespace brevaro::app
