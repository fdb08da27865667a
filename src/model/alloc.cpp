// The allocator.
#include "model/alloc.h"

#include "model/messages.h"

#include <cstdlib>

namespace {
int allocationsBeforeFailure = -1;
}

void failAllocationsAfter(int successes) { allocationsBeforeFailure = successes; }

void* allocBlock(size_t size) {
    void* block = nullptr;
    if (allocationsBeforeFailure != 0) {
        block = std::calloc(size ? size : 1, 1);
        if (allocationsBeforeFailure > 0) --allocationsBeforeFailure;
    }
    if (!block) showError("Out of memory!");
    return block;
}

void freeBlock(void* block) { std::free(block); }
