#include "support/TlsRelay.h"

#include <windows.h>

#include <fstream>

#include "support/UnixPath.h"

namespace brevaro::test {
namespace {

constexpr ULONGLONG kWatchdogMilliseconds = 60000;

}  // namespace

TlsRelay::TlsRelay(int backendPort, std::chrono::seconds watchdog, Certificate certificate) {
    static int serial = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::filesystem::path(temp) /
              ("brevaro-tls-relay-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++serial));
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    std::filesystem::create_directories(folder_, ignored);
    std::ofstream(folder_ / "running") << "remove to end the relay\n";
    const std::optional<std::string> unixFolder = unixPathOf(folder_.wstring());
    if (!unixFolder) return;

    std::string command = std::string("/usr/bin/python3 \"") + BREVARO_TLS_RELAY_SCRIPT + "\" " +
                          std::to_string(backendPort) + " \"" + *unixFolder + "\" " +
                          std::to_string(watchdog.count());
    if (certificate == Certificate::SignedByTestAuthority) {
        command += std::string(" \"") + BREVARO_TEST_AUTHORITY_DIR + "\"";
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return;
    }
    // A Unix program started by Wine has no Windows process to wait for: it
    // writes its port file last, once it listens.
    if (started.hThread != nullptr) CloseHandle(started.hThread);
    if (started.hProcess != nullptr) CloseHandle(started.hProcess);
    const ULONGLONG deadline = GetTickCount64() + kWatchdogMilliseconds;
    while (!std::filesystem::exists(folder_ / "port", ignored)) {
        if (GetTickCount64() > deadline) return;
        Sleep(20);
    }
    int port = 0;
    std::ifstream(folder_ / "port") >> port;
    port_ = port;
}

TlsRelay::~TlsRelay() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

}  // namespace brevaro::test
