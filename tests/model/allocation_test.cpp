// Reading and writing allocate nothing per vertex or per triangle: the two
// model blocks are the only allocations that grow with the model.
#include "model/car_model.h"
#include "model/fce_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> heapAllocations{0};
}

// The replacement pair below counts every allocation of the test binary.
// GCC cannot see that operator new hands out malloc'ed memory here.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
    ++heapAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

// Allocations made by one read and one write of a model of the given size.
std::pair<long, long> allocationsFor(int parts, int trianglesPerPart) {
    RecordingMessages messages;
    TempDir dir;
    const std::string path = dir.file("car.fce");
    buildTestModel(parts, trianglesPerPart);
    EXPECT_TRUE(saveFceFile(path));
    long before = heapAllocations;
    EXPECT_TRUE(loadFceFile(path, false));
    const long reading = heapAllocations - before;
    before = heapAllocations;
    EXPECT_TRUE(saveFceFile(path));
    const long writing = heapAllocations - before;
    resetModel();
    return {reading, writing};
}

} // namespace

TEST(Allocation, ReadAndWriteDoNotAllocatePerVertexOrTriangle) {
    const auto small = allocationsFor(2, 10);
    const auto large = allocationsFor(40, 500);
    // A model forty times larger costs no more allocations (the path string
    // may or may not need one, whatever the size).
    EXPECT_LE(large.first, small.first);
    EXPECT_LE(large.second, small.second);
    EXPECT_LE(small.first, 2);
    EXPECT_LE(small.second, 4); // the path strings of the temporary file and the target
}
