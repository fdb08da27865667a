// The allocator: every large heap block of the program is taken here, and a
// failure is shown to the user as "Out of memory!" before null is returned.
#pragma once

#include <cstddef>

void* allocBlock(size_t size); // zero-filled; null (after the message) on failure
void freeBlock(void* block);

// Frees the block and sets its one owning pointer to null.
template <class T> void releaseBlock(T*& owner) {
    freeBlock(owner);
    owner = nullptr;
}

// Tests can make the next allocations fail: after `successes` more
// allocations succeed, every allocation fails until this is called again
// with a negative count.
void failAllocationsAfter(int successes);
