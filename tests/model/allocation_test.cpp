// Reading and writing allocate nothing per vertex or per triangle: the two
// model blocks are the only allocations that grow with the model.
#include "model/car_model.h"
#include "model/fce_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#if !defined(__SANITIZE_ADDRESS__)
// Every allocation of the test binary passes through these: operator new,
// calloc and realloc included.
namespace {
std::atomic<long> heapAllocations{0};
}
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
void* malloc(size_t size) {
    ++heapAllocations;
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    ++heapAllocations;
    return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) {
    ++heapAllocations;
    return __libc_realloc(p, size);
}
void free(void* p) { __libc_free(p); }
}

namespace {
// Allocations made by one read and one write of a model of the given size.
std::pair<long, long> allocationsFor(int parts, int trianglesPerPart) {
    RecordingMessages messages;
    TempDir dir;
    const std::string path = dir.file("car.fce");
    buildTestModel(parts, trianglesPerPart);
    EXPECT_TRUE(saveFceFile(path));
    resetModel();
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
#endif

TEST(Allocation, ReadAndWriteDoNotAllocatePerVertexOrTriangle) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer build counts allocations its own way";
#else
    const auto small = allocationsFor(2, 10);
    const auto large = allocationsFor(40, 500);
    // A model forty times larger costs no more allocations. Reading takes the
    // two model blocks (and maybe the path); writing only the path strings
    // of the temporary file and its target.
    EXPECT_LE(large.first, small.first);
    EXPECT_LE(large.second, small.second);
    EXPECT_LE(small.first, 3);
    EXPECT_LE(small.second, 3);
#endif
}
