#include "alerts/Companion.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "alerts/CompanionResource.h"
#include "alerts/PopupCommandLine.h"
#include "text/WideText_win.h"

namespace brevaro::alerts {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// The paths are kept as UTF-16 from GetModuleFileNameW on: a directory name
// that GBK cannot hold still works.
std::wstring executableDirectory() {
    std::vector<wchar_t> buffer(MAX_PATH);
    while (true) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            const std::wstring_view path(buffer.data(), length);
            const std::size_t slash = path.find_last_of(L"\\/");
            return std::wstring(slash == std::wstring_view::npos ? std::wstring_view{} : path.substr(0, slash));
        }
        buffer.resize(buffer.size() * 2);  // truncated: try again with room
    }
}

std::wstring companionPathIn(const std::wstring& directory) { return directory + L"\\Pellis.exe"; }

// The embedded program, in the executable's read-only data; empty when the
// executable does not carry it.
std::span<const std::byte> embeddedCompanion() {
    const HMODULE module = GetModuleHandleW(nullptr);
    // RT_RCDATA is the narrow MAKEINTRESOURCE(10) here (UNICODE is not
    // defined): the wide form of the same type.
    const HRSRC resource =
        FindResourceW(module, MAKEINTRESOURCEW(BREVARO_COMPANION_RESOURCE), MAKEINTRESOURCEW(10));
    if (resource == nullptr) return {};
    const HGLOBAL loaded = LoadResource(module, resource);
    const DWORD size = SizeofResource(module, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || size == 0) return {};
    return {static_cast<const std::byte*>(data), size};
}

bool writeAll(HANDLE file, std::span<const std::byte> bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

// The whole program into a fresh temporary file of the directory; true when
// every byte reached it.
bool writeTemporary(const std::wstring& temporary, std::span<const std::byte> program) {
    const HANDLE opened = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const UniqueHandle file(opened);
    return writeAll(file.get(), program) && FlushFileBuffers(file.get());
}

}  // namespace

std::string companionProgramPath() {
    try {
        return text::wideToGbk(companionPathIn(executableDirectory()));
    } catch (...) {
        return {};
    }
}

void ensureCompanionProgram() noexcept {
    try {
        const std::wstring directory = executableDirectory();
        if (directory.empty()) return;
        const std::wstring path = companionPathIn(directory);
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
        const std::span<const std::byte> program = embeddedCompanion();
        if (program.empty()) return;

        // GetTempFileNameW creates the file under a name unique in the
        // directory, so two writers never share their temporary file.
        wchar_t temporary[MAX_PATH + 1] = {};
        if (GetTempFileNameW(directory.c_str(), L"Pel", 0, temporary) == 0) return;
        const bool written = writeTemporary(temporary, program);
        // No MOVEFILE_REPLACE_EXISTING: when another writer got there first,
        // its file stays and ours goes.
        if (!written || !MoveFileExW(temporary, path.c_str(), MOVEFILE_WRITE_THROUGH)) DeleteFileW(temporary);
    } catch (...) {
        // Out of memory building a path: no file, no alert this time.
    }
}

void launchPopupAlert(const AlertRequest& alert) noexcept {
    try {
        const std::wstring directory = executableDirectory();
        if (directory.empty()) return;
        const std::wstring program = companionPathIn(directory);
        // CreateProcessW may write into the command line: a buffer of our own.
        const std::wstring line = text::gbkToWide(popupCommandLine(alert));
        std::vector<wchar_t> commandLine(line.begin(), line.end());
        commandLine.push_back(L'\0');

        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           directory.c_str(), &startup, &started)) {
            CloseHandle(started.hThread);
            CloseHandle(started.hProcess);
        }
    } catch (...) {
        // Out of memory building the command line: no alert this time.
    }
}

}  // namespace brevaro::alerts
