#include "support/ScreenQr.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "support/UnixPath.h"

namespace brevaro::test {
namespace {

constexpr ULONGLONG kWatchdogMilliseconds = 60000;

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

RECT visibleScreenRect(HWND control) {
    RECT shown{};
    GetWindowRect(control, &shown);
    const HWND top = GetAncestor(control, GA_ROOT);
    RECT client{};
    GetClientRect(top, &client);
    MapWindowPoints(top, nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&shown, &shown, &client);
    return shown;
}

std::optional<std::string> decodeQrOnScreen(const RECT& rect, const std::function<void()>& idle) {
    static int serial = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) /
                                         ("brevaro-screen-qr-" + std::to_string(GetCurrentProcessId()) + "-" +
                                          std::to_string(++serial));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder, ignored);
    const std::optional<std::string> unixFolder = unixPathOf(folder.wstring());
    if (!unixFolder) return std::nullopt;

    std::string command = std::string("/bin/sh \"") + BREVARO_SCREEN_QR_SCRIPT + "\" " + std::to_string(rect.left) +
                          " " + std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) + " " +
                          std::to_string(rect.bottom - rect.top) + " \"" + *unixFolder + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        return std::nullopt;
    }
    // A Unix program started by Wine has no Windows process to wait for:
    // its last act is to write the status file.
    if (started.hThread != nullptr) CloseHandle(started.hThread);
    if (started.hProcess != nullptr) CloseHandle(started.hProcess);
    const ULONGLONG deadline = GetTickCount64() + kWatchdogMilliseconds;
    while (!std::filesystem::exists(folder / "status", ignored)) {
        if (GetTickCount64() > deadline) return std::nullopt;
        if (idle) {
            idle();
        } else {
            Sleep(20);
        }
    }
    const std::optional<std::string> status = readFile(folder / "status");
    const std::optional<std::string> payload = readFile(folder / "payload");
    if (!status || status->rfind("0", 0) != 0 || !payload) {
        // Kept for a look at what the screen showed.
        std::fprintf(stderr, "no QR code found; the screenshot is in %s/shot.png\n", unixFolder->c_str());
        return std::nullopt;
    }
    std::filesystem::remove_all(folder, ignored);
    return payload;
}

}  // namespace brevaro::test
