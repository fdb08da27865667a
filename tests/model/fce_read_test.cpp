// The FCE reader: real cars, the conversion into memory, the fix-up after
// reading, the program's smoothing data (kept, damaged, unreadable),
// centring, and files the data model cannot hold or that are no FCE files.
#include "model/alloc.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/file_io.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class FceRead : public ModelTest {
  protected:
    // A valid file of a test model, as bytes.
    std::vector<uint8_t> testFile(int parts, int trianglesPerPart, int groupsOfPart1 = 1) {
        buildTestModel(parts, trianglesPerPart), model.groupCount[1] = uint16_t(groupsOfPart1);
        EXPECT_TRUE(saveFceFile(dir.file("valid.fce")));
        resetModel();
        return readBytes(dir.file("valid.fce"));
    }
    bool readBytesAsModel(const std::vector<uint8_t>& bytes) {
        writeBytes(dir.file("in.fce"), bytes);
        return loadFceFile(dir.file("in.fce"), false);
    }
};

} // namespace

TEST_F(FceRead, FixUpResetsSelectionsAndKeepsAValidCurrentPart) {
    std::vector<uint8_t> file = testFile(3, 4);
    model.selectedPart = 2, model.selectedDummy = model.selectedColor = model.colorLayer = 3;
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_EQ(model.selectedPart, 2u);
    EXPECT_TRUE((model.partFlags[2] & PART_SELECTED) && !(model.partFlags[0] & PART_SELECTED));
    EXPECT_EQ(model.selectedDummy + model.selectedColor + model.colorLayer, 0u);
    model.selectedPart = 3; // the first index beyond the parts
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_EQ(model.selectedPart, 0u);
    float halfWidth = 0; // the largest |x| of part 1's six vertices
    for (int i = 0; i < 6; ++i)
        halfWidth = std::max(halfWidth, std::fabs(model.vertices[12 + i].x));
    EXPECT_EQ(model.partHalfWidth[1], halfWidth);
}

TEST_F(FceRead, ASystemErrorWhileReadingFailsTheWholeRead) {
    const std::vector<uint8_t> valid = testFile(2, 150);
    writeBytes(dir.file("car.fce"), valid);
    // Inside the smoothing data, and inside the vertex table.
    for (size_t at : {size_t(8248 + wordAt(valid, 0x44) + 20), size_t(8248 + 100)}) {
        messages.errors.clear(), failReadsFrom(int64_t(at), EIO);
        EXPECT_FALSE(loadFceFile(dir.file("car.fce"), false) || model.modelLoaded) << at;
        EXPECT_EQ(messages.errors,
                  std::vector<std::string>{"Error:5\nInput/output error: " + dir.file("car.fce")});
    }
}

TEST_F(FceRead, NamesWithoutTerminatorKeepTheirBytesAcrossASave) {
    std::vector<uint8_t> file = testFile(2, 3);
    std::memset(file.data() + 0xE28, 'N', 128); // part names 0 and 1, no NUL
    file[0xE28 + 63] = 'Z';
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_EQ(nameString(model.header.partNames[0]), std::string(63, 'N'));
    ASSERT_TRUE(saveFceFile(dir.file("again.fce")));
    EXPECT_EQ(std::memcmp(readBytes(dir.file("again.fce")).data() + 0xE28, &file[0xE28], 128), 0);
}

TEST_F(FceRead, DamagedFilesAreRefusedOrLoseOnlyTheirSmoothingData) {
    const std::vector<uint8_t> valid = testFile(2, 150, 64); // V = 304, T = 300
    const size_t blockA = 8248 + wordAt(valid, 0x44), blockB = 8248 + wordAt(valid, 0x48);
    const size_t part1Count = blockB + 2 * 300 + (4 + 4) + 2; // part 0 has one group
    const uint32_t nan = 0x7FC00000;
    // Refused before the model's blocks are allocated, refused after reading,
    // or loaded with default smoothing data.
    enum { EARLY, LATE, DEFAULTS };
    // What is wrong, where a word goes, the word, and the outcome.
    const std::tuple<const char*, size_t, uint32_t, int> cases[] = {
        {"65 parts", 0x11C, 65, EARLY},
        {"negative parts", 0x11C, uint32_t(-1), EARLY},
        {"17 dummies", 0x58, 17, EARLY},
        {"negative dummies", 0x58, uint32_t(-3), EARLY},
        {"17 colours", 0x820, 17, EARLY},
        {"negative triangles", 0x8, uint32_t(-1), EARLY},
        {"21846 triangles", 0x8, 21846, EARLY},
        {"more triangles than the parts hold", 0x8, 301, EARLY},
        {"part 1 not after part 0", 0x620 + 4, 151, EARLY},
        {"part 0 starting late", 0x620, 1, EARLY},
        {"part 1 running past the last triangle", 0x720 + 4, 151, EARLY},
        {"negative part triangle count", 0x720 + 4, uint32_t(-10), EARLY},
        {"negative part vertex count", 0x520 + 4, uint32_t(-1), EARLY},
        {"451 vertices for 150 triangles", 0x520, 451, EARLY},
        {"vertex table past the end", 0x14, 0xFFFFFF00, EARLY},
        {"triangle table past the end", 0x1C, 0x7FFFFFF0, EARLY},
        {"movement table past the end", 0x40, 0x80000000, EARLY},
        {"damaged normals one byte past the end", 0x38,
         uint32_t(valid.size() - 8248 - 304 * 12 + 1), EARLY},
        {"part position not a number", 0x120 + 12, nan, EARLY},
        {"dummy position not a number", 0x5C + 4, nan, EARLY},
        {"a corner outside its part", 8248 + wordAt(valid, 0x1C) + 56 * 150 + 8, 152, LATE},
        {"a vertex at infinity", 8248 + wordAt(valid, 0x14) + 4, 0x7F800000, LATE},
        {"vertex count in block A", blockA + 4, 305, DEFAULTS},
        {"triangle count in block A", blockA + 8, 299, DEFAULTS},
        {"part count in block A", blockA + 12, 3, DEFAULTS},
        {"part table in block A", blockA + 16 + 256 + 4, 5, DEFAULTS},
        {"group count 0", part1Count, 0, DEFAULTS},
        {"group count 65", part1Count, 65, DEFAULTS}};
    for (const auto& [what, offset, value, outcome] : cases) {
        std::vector<uint8_t> file = valid;
        setWordAt(file, offset, value), messages.errors.clear();
        failAllocationsAfter(outcome == EARLY ? 0 : -1); // else "Out of memory!"
        const bool loaded = readBytesAsModel(file);
        failAllocationsAfter(-1);
        EXPECT_EQ(loaded, outcome == DEFAULTS) << what;
        if (loaded) { // group 0 and the base slot, as a file without the data gets
            EXPECT_EQ(std::make_tuple(model.smoothingDataDamaged, model.header.extraDataTag,
                                      model.groupCount[1], model.triangles[150].groupAndBase,
                                      messages.errors.size()),
                      std::make_tuple(true, 0u, 1, 450u, 0u))
                << what;
            continue;
        }
        EXPECT_EQ(model.geometryBlock, nullptr) << what;
        ASSERT_EQ(messages.errors.size(), 1u) << what;
        EXPECT_EQ(messages.errors[0].rfind("Unreadable FCE file: ", 0), 0u) << messages.errors[0];
        EXPECT_NE(messages.errors[0].find("\n" + dir.file("in.fce")), std::string::npos);
    }
    ASSERT_TRUE(readBytesAsModel(valid));
    // The largest group count a part can hold.
    EXPECT_EQ(std::tuple(model.groupCount[1], model.smoothingDataDamaged), std::tuple(64, false));
    std::vector<uint8_t> file = valid; // another tag is no damage: a plain file keeping it
    std::memcpy(file.data() + 4, "ABCD", 4);
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_TRUE(!std::memcmp(&model.header.extraDataTag, "ABCD", 4) && !model.smoothingDataDamaged);
    // The largest counts the model holds are taken: 64 parts of one triangle
    // and three vertices each, 16 dummies and 16 colour presets, 21845 triangles.
    std::vector<uint8_t> largest = testFile(64, 1);
    setWordAt(largest, 0x58, 16), setWordAt(largest, 0x820, 16);
    EXPECT_TRUE(readBytesAsModel(largest));
    std::vector<uint8_t> most = testFile(1, MAX_TRIANGLES);
    EXPECT_TRUE(readBytesAsModel(most));
    // One more, and a part that holds them all.
    setWordAt(most, 0x8, 21846), setWordAt(most, 0x720, 21846);
    EXPECT_FALSE(readBytesAsModel(most));
}

TEST_F(FceRead, TruncatedFilesNeverLoadHalfAModel) {
    const std::vector<uint8_t> valid = testFile(2, 150);
    const size_t extraStart = 8248 + wordAt(valid, 0x44);
    const size_t recordsEnd = 8248 + wordAt(valid, 0x48) + 2 * 300 + 2 * 8;
    for (size_t cut = 0; cut < valid.size(); cut += cut < 8300 ? 37 : 997) {
        const bool loaded = readBytesAsModel({valid.begin(), valid.begin() + long(cut)});
        // Past the start of the program's own data the car loads, with default
        // smoothing data unless just the zero padding after them is missing.
        if (cut < extraStart)
            EXPECT_TRUE(!loaded && !model.geometryBlock && messages.errors.size() == 1) << cut;
        else
            EXPECT_TRUE(loaded && model.smoothingDataDamaged == (cut < recordsEnd)) << cut;
        messages.errors.clear();
    }
}

TEST_F(FceRead, FailedReadDropsTheTextureEvenWhenKeepingIt) {
    std::vector<uint8_t> file = testFile(2, 4);
    for (uint32_t parts : {70u, 2u}) { // refused: the texture goes; read: it stays
        setWordAt(file, 0x11C, parts), writeBytes(dir.file("car.fce"), file);
        model.textureImage = static_cast<uint8_t*>(allocBlock(64)), model.textureLoaded = true;
        ASSERT_TRUE(openForReading(dir.file("car.fce")));
        EXPECT_EQ(readFceFile(true), parts == 2);
        EXPECT_EQ(std::make_tuple(model.textureLoaded, model.textureImage != nullptr, fileIsOpen()),
                  std::make_tuple(parts == 2, parts == 2, false))
            << parts;
    }
}
