#pragma once
// Allocation failure on demand, for tests that show what a program does when
// memory runs out under it. Linking FailingAllocations.cpp into a test
// executable replaces its global operator new: while armed, every
// allocation of at least the armed size made by a thread that has not
// excused itself throws std::bad_alloc, as a real shortage would.

#include <cstddef>

namespace brevaro::test {

// While it lives, allocations of `bytes` or more fail.
class AllocationsFailFrom {
public:
    explicit AllocationsFailFrom(std::size_t bytes);
    ~AllocationsFailFrom();
    AllocationsFailFrom(const AllocationsFailFrom&) = delete;
    AllocationsFailFrom& operator=(const AllocationsFailFrom&) = delete;
};

// While it lives, the allocations of the thread that made it never fail
// (for a test's own servers, which make large pages on purpose).
class ExcusedFromFailingAllocations {
public:
    ExcusedFromFailingAllocations();
    ~ExcusedFromFailingAllocations();
    ExcusedFromFailingAllocations(const ExcusedFromFailingAllocations&) = delete;
    ExcusedFromFailingAllocations& operator=(const ExcusedFromFailingAllocations&) = delete;

private:
    bool wasExcused_;
};

}  // namespace brevaro::test
