#pragma once
// The alert's worker thread: reads the arguments in order, fills the labels,
// hands the post address to the window, runs the countdown in the caption and
// then ends the process (exit code 0).

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace brevaro::popup {

// Sent (not posted) by the worker to the alert window with a
// `const std::string*` (GBK) in lParam: the post address. The window copies it
// before the call returns.
inline constexpr UINT kPostAddressMessage = WM_APP + 1;

struct AlertWorkerJob {
    HWND window = nullptr;
    HWND titleLine = nullptr;
    HWND timeLine = nullptr;
    HWND keywordLine = nullptr;
    std::vector<std::string> arguments;  // the command line's arguments, GBK
};

// Starts the worker thread, which owns the job from then on. False when no
// thread could be started (the job is dropped).
bool startAlertWorker(std::unique_ptr<AlertWorkerJob> job);

}  // namespace brevaro::popup
