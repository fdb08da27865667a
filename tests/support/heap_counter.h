// Counting heap allocations: every malloc, calloc and realloc of a test
// binary that uses these (operator new goes through malloc).
#pragma once

// The allocations so far. A sanitizer brings its own allocator, which the
// counter cannot see: there counting is off and the count stays 0.
long heapAllocations();
#if defined(__SANITIZE_ADDRESS__)
constexpr bool heapCounting = false;
#else
constexpr bool heapCounting = true;
#endif
