#pragma once
// The start-up's network test and its alarm. Windows only.

#include <windows.h>

#include <string>

namespace brevaro::app {

// Whether the network is up: the system reports a connection and the
// well-known page at `url` opens (WinINet, agent "test", the page fetched
// afresh rather than from the cache) within the start-up's 10 s (or
// `timeLimitMs`); a page that takes longer counts as down. Every handle is
// closed again. Blocks until then.
bool networkIsUp(const std::string& url);
bool networkIsUp(const std::string& url, int timeLimitMs);

// How a thread is started: CreateThread's routine and parameter; null when
// no thread could be started.
using ThreadStarter = HANDLE (*)(LPTHREAD_START_ROUTINE routine, void* parameter);

// Runs networkIsUp on a thread of its own, so the window keeps answering
// while a slow network makes up its mind, then posts `message` to `notify`
// with wParam 1 (up) or 0 (down). When no thread can be started the check
// runs here instead and its answer is sent to `notify` before this returns:
// the window hears it the same way (indicator and alarm alike). True when
// the check went to a thread. `start` replaces CreateThread (for tests).
bool startNetworkCheck(HWND notify, UINT message, std::string url, ThreadStarter start = nullptr);

// Plays the network alarm (NetworkAlarmSound.h) once, asynchronously, from
// memory. Returns at once.
void playNetworkAlarm();

}  // namespace brevaro::app
