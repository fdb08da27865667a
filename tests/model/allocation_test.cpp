// Reading and writing allocate nothing per vertex or per triangle: the two
// model blocks are the only allocations that grow with the model.
#include "model/car_model.h"
#include "model/fce_file.h"
#include "support/heap_counter.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {
// Allocations made by one read and one write of a model of the given size.
std::pair<long, long> allocationsFor(int parts, int trianglesPerPart) {
    RecordingMessages messages;
    TempDir dir;
    const std::string path = dir.file("car.fce");
    buildTestModel(parts, trianglesPerPart);
    EXPECT_TRUE(saveFceFile(path));
    resetModel();
    const long start = heapAllocations();
    EXPECT_TRUE(loadFceFile(path, false));
    const long afterRead = heapAllocations();
    EXPECT_TRUE(saveFceFile(path));
    const long afterWrite = heapAllocations();
    resetModel();
    return {afterRead - start, afterWrite - afterRead};
}
} // namespace

TEST(Allocation, ReadAndWriteDoNotAllocatePerVertexOrTriangle) {
    if (!heapCounting) GTEST_SKIP() << "the sanitizer's allocator is not counted";
    const auto small = allocationsFor(2, 10);
    const auto large = allocationsFor(40, 500);
    // A model forty times larger costs no more allocations. Reading takes the
    // two model blocks (and maybe the path); writing only the path strings
    // of the temporary file and its target.
    EXPECT_TRUE(large.first <= small.first && large.second <= small.second && small.first >= 2 &&
                small.first <= 3 && small.second <= 3)
        << small.first << " " << small.second << ", " << large.first << " " << large.second;
}
