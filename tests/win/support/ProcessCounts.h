#pragma once
// What a process holds, read from outside it as a machine's tools read it:
// its memory, its kernel handles, its GDI and USER objects and its threads.
// For tests and the soak run that watch the program over many operations.
//
// Wine answers several of the documented calls with zero (GetGuiResources,
// GetProcessHandleCount, PrivateUsage); where a call says zero each count is
// taken the long way instead: the process's GDI handle table, the system's
// handle list, its windows, its anonymous resident memory.

#include <cstddef>
#include <cstdint>

namespace brevaro::test {

struct ProcessCounts {
    std::size_t residentBytes = 0;
    std::size_t privateBytes = 0;
    int handles = 0;
    int gdiObjects = 0;
    int userObjects = 0;  // USER objects, or (under Wine) the process's windows
    int threads = 0;
};

// Counts of a process of this session by its id (this process: its own id);
// every count that cannot be read is -1 (0 for the byte counts).
ProcessCounts processCounts(std::uint32_t processId);

}  // namespace brevaro::test
