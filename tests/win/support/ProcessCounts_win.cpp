#include "support/ProcessCounts.h"

#include <windows.h>
#include <winternl.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstring>
#include <vector>

namespace brevaro::test {

namespace {

struct ProcessHandle {
    HANDLE value;
    explicit ProcessHandle(std::uint32_t processId)
        : value(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {}
    ~ProcessHandle() {
        if (value != nullptr) CloseHandle(value);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
};

// The system's handle list (the SystemHandleInformation class): one entry per
// open handle of every process.
struct SystemHandleEntry {
    ULONG ownerProcessId;
    UCHAR objectType;
    UCHAR flags;
    USHORT handleValue;
    PVOID object;
    ACCESS_MASK access;
};

int handlesFromSystemList(std::uint32_t processId) {
    constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<unsigned char> buffer(1 << 20);
    NTSTATUS status;
    ULONG length = 0;
    while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &length)) ==
           kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return -1;
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    const auto* entries = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(void*));
    int owned = 0;
    for (ULONG i = 0; i < count; ++i) {
        if (entries[i].ownerProcessId == processId) ++owned;
    }
    return owned;
}

// The GDI handle table the process environment block points at: an entry
// whose type byte is not zero is an object in use. Wine keeps one table per
// process.
struct GdiHandleEntry {
    void* object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    void* user;
};
constexpr std::size_t kGdiTableEntries = 0x10000;

int gdiFromHandleTable(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return -1;
    }
    constexpr std::size_t kGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + kGdiTableOffset,
                           &table, sizeof table, &read) ||
        table == nullptr) {
        return -1;
    }
    std::vector<GdiHandleEntry> entries(kGdiTableEntries);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiHandleEntry), &read)) {
        return -1;
    }
    int used = 0;
    for (const GdiHandleEntry& entry : entries) {
        if (entry.type != 0) ++used;
    }
    return used;
}

struct WindowCount {
    DWORD processId;
    int windows = 0;
};

BOOL CALLBACK countChild(HWND window, LPARAM context) {
    auto* count = reinterpret_cast<WindowCount*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count->processId) ++count->windows;
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM context) {
    countChild(window, context);
    EnumChildWindows(window, countChild, context);
    return TRUE;
}

int windowsOf(std::uint32_t processId) {
    WindowCount count{processId};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        countTopLevel(window, reinterpret_cast<LPARAM>(&count));
    }
    return count.windows;
}

int threadsOf(std::uint32_t processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int threads = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == processId) ++threads;
    }
    CloseHandle(snapshot);
    return threads;
}

}  // namespace

ProcessCounts processCounts(std::uint32_t processId) {
    ProcessCounts counts;
    counts.threads = threadsOf(processId);
    ProcessHandle process(processId);
    if (process.value == nullptr) return ProcessCounts{0, 0, -1, -1, -1, counts.threads};

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.value, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        counts.residentBytes = memory.WorkingSetSize;
        // Wine leaves PrivateUsage at zero and gives the anonymous resident
        // memory (and its swap) as the page-file use.
        counts.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    }

    DWORD handles = 0;
    counts.handles = GetProcessHandleCount(process.value, &handles) && handles != 0
                         ? static_cast<int>(handles)
                         : handlesFromSystemList(processId);

    const DWORD gdi = GetGuiResources(process.value, GR_GDIOBJECTS);
    counts.gdiObjects = gdi != 0 ? static_cast<int>(gdi) : gdiFromHandleTable(process.value);
    const DWORD user = GetGuiResources(process.value, GR_USEROBJECTS);
    counts.userObjects = user != 0 ? static_cast<int>(user) : windowsOf(processId);
    return counts;
}

}  // namespace brevaro::test
