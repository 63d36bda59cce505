// Kept apart from the tests so that the compiler does not see these
// replacements next to the uses of new it inlines.
#include "AllocationFault.h"

#include <cstdlib>
#include <new>

namespace {
thread_local long allocationsLeft = 0;
thread_local bool allocationFailed = false;
}  // namespace

AllocationFault::AllocationFault(long n)
{
    allocationsLeft = n;
    allocationFailed = false;
}

AllocationFault::~AllocationFault() { allocationsLeft = 0; }

bool AllocationFault::hit() { return allocationFailed; }

void* operator new(std::size_t size)
{
    if (allocationsLeft > 0 && --allocationsLeft == 0) {
        allocationFailed = true;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

// The library's own nothrow form would not pair with the delete above.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
