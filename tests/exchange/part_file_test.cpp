// The part file: a part exported and imported comes back whole, and files
// the model cannot hold are refused, with the reason, before anything changes.
#include "editing/rebuild.h"
#include "exchange/part_file.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/file_io.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class PartFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(loadFceFile(sampleFce(), false));
        rebuildPartVertices(5); // the driver, shared by its groups as an import shares it
        ASSERT_TRUE(openForWriting(file) && writePartFile(5));
    }
    void TearDown() override { resetModel(); }
    bool import(const std::vector<uint8_t>& bytes) {
        writeBytes(file, bytes);
        return openForReading(file) && readPartFile(3);
    }
    TempDir dir;
    const std::string file = dir.file("driver.ffp");
    RecordingMessages messages;
};

} // namespace

TEST_F(PartFile, AnExportedPartComesBackWhole) {
    const std::vector<uint8_t> source = partBytes(5), part3 = partBytes(3);
    const uint32_t flags = model.partFlags[5];
    EXPECT_EQ(readBytes(file).size(), 360 + 28 * 260u + 56 * 368u);
    ASSERT_TRUE(import(readBytes(file)));
    EXPECT_EQ(std::make_tuple(model.header.numParts, model.selectedPart, model.currentGroup[3]),
              std::make_tuple(10, 3u, uint16_t(0)));
    EXPECT_EQ(partBytes(3), source);
    EXPECT_EQ(model.partFlags[3], flags | PART_SELECTED);
    EXPECT_EQ(partBytes(4), part3); // the old part 3 moved up
}

TEST_F(PartFile, FilesTheModelCannotHoldAreRefusedWithTheReason) {
    const std::vector<uint8_t> valid = readBytes(file);
    const uint32_t nan = 0x7FC00000;
    const struct {
        size_t offset;
        uint32_t word;
        const char* reason;
    } cases[] = {
        {4, 0x54524150 + 1, "it is no part file"},
        {12, 0, "the part has no triangles"},
        {8, 3 * 368 + 1, "more vertices or triangles than a part can hold"},
        {12, 21846, "more vertices or triangles than a part can hold"},
        {100, 0, "smoothing-group count is not 1..64"},
        {100, 65, "smoothing-group count is not 1..64"},
        {84, nan, "its position is not a number"},
        {360 + 4, nan, "a vertex has no valid position"},
        {360 + 28 * 260 + 4, 260, "a triangle names a vertex the part does not have"},
        {8, 300, "the file is shorter than its counts say"},
    };
    const std::vector<uint8_t> before = partBytes(3);
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = valid;
        setWordAt(bytes, c.offset, c.word);
        messages.errors.clear();
        EXPECT_FALSE(import(bytes)) << c.reason;
        ASSERT_EQ(messages.errors.size(), 1u) << c.reason;
        EXPECT_NE(messages.errors[0].find(c.reason), std::string::npos) << messages.errors[0];
        EXPECT_EQ(std::make_pair(model.header.numParts, partBytes(3)), std::make_pair(9, before));
    }
    EXPECT_FALSE(import(std::vector<uint8_t>(valid.begin(), valid.end() - 1)));
    EXPECT_FALSE(import(std::vector<uint8_t>(valid.begin(), valid.begin() + 359)));
    EXPECT_EQ(model.header.numParts, 9);
}
