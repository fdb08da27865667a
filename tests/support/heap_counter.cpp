// Counting heap allocations by standing in for glibc's allocator entry
// points, which still do the work.
#include "support/heap_counter.h"

#include <atomic>
#include <cstddef>

static std::atomic<long> allocations{0};

long heapAllocations() {
    return allocations;
}

#if !defined(__SANITIZE_ADDRESS__)
#define COUNTED(function, parameters, arguments)                                                   \
    void* function parameters noexcept {                                                           \
        ++allocations;                                                                             \
        return __libc_##function arguments;                                                        \
    }
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
COUNTED(malloc, (size_t size), (size))
COUNTED(calloc, (size_t count, size_t size), (count, size))
COUNTED(realloc, (void* block, size_t size), (block, size))
}
#endif
