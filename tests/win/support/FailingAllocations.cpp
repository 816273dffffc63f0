#include "support/FailingAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace brevaro::test {

namespace {
std::atomic<std::size_t> failFrom = 0;
thread_local bool excused = false;
}  // namespace

AllocationsFailFrom::AllocationsFailFrom(std::size_t bytes) { failFrom = bytes; }
AllocationsFailFrom::~AllocationsFailFrom() { failFrom = 0; }

ExcusedFromFailingAllocations::ExcusedFromFailingAllocations() : wasExcused_(excused) { excused = true; }
ExcusedFromFailingAllocations::~ExcusedFromFailingAllocations() { excused = wasExcused_; }

}  // namespace brevaro::test

// The library's other forms (arrays, nothrow, sized delete) come down to
// these two.
void* operator new(std::size_t size) {
    const std::size_t limit = brevaro::test::failFrom.load();
    if (limit != 0 && size >= limit && !brevaro::test::excused) throw std::bad_alloc();
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
