// The FCE reader: a real third-party car, round trips, the fix-up after
// reading, extra data, centring, and files the data model cannot hold.
#include "model/alloc.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/file_io.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

uint32_t word(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}
void setWord(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
}
float floatAt(const std::vector<uint8_t>& bytes, size_t offset) {
    float value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

class FceRead : public ::testing::Test {
  protected:
    void TearDown() override {
        failAllocationsAfter(-1);
        resetModel();
    }
    // A valid file of a test model with `parts` parts, as bytes.
    std::vector<uint8_t> testFile(int parts, int trianglesPerPart) {
        buildTestModel(parts, trianglesPerPart);
        EXPECT_TRUE(saveFceFile(dir.file("valid.fce")));
        resetModel();
        return readBytes(dir.file("valid.fce"));
    }
    bool readBytesAsModel(const std::vector<uint8_t>& bytes) {
        writeBytes(dir.file("in.fce"), bytes);
        return loadFceFile(dir.file("in.fce"), false);
    }
    RecordingMessages messages;
    TempDir dir;
};

} // namespace

TEST_F(FceRead, SnowmanCarReadsWithDefaultSmoothingData) {
    SKIP_WITHOUT_SNOWMAN();
    ASSERT_TRUE(loadFceFile(snowmanFce(), false));
    const FceHeader& h = model.header;
    EXPECT_TRUE(model.modelLoaded);
    EXPECT_EQ(h.numTriangles, 236);
    EXPECT_EQ(h.numParts, 5);
    EXPECT_EQ(h.numColors, 8);
    EXPECT_EQ(h.numDummies, 0);
    int vertices = 0;
    for (int p = 0; p < h.numParts; ++p) vertices += h.partVertexCount[p];
    EXPECT_EQ(vertices, 159);
    EXPECT_EQ(h.extraDataTag, 0u);
    EXPECT_EQ(nameString(h.partNames[3]), ":HB");
    EXPECT_TRUE(messages.errors.empty());
    for (int p = 0; p < h.numParts; ++p) {
        EXPECT_EQ(h.partFirstVertex[p], 3 * h.partFirstTriangle[p]);
        EXPECT_EQ(model.groupCount[p], 1);
        EXPECT_EQ(model.groups[p][63].smoothAngle, 60);
        EXPECT_EQ(model.partFlags[p] & PART_VISIBLE, PART_VISIBLE);
        for (int t = h.partFirstTriangle[p]; t < h.partFirstTriangle[p] + h.partTriangleCount[p];
             ++t) {
            const ModelTriangle& tri = model.triangles[t];
            EXPECT_EQ(tri.groupAndBase, uint32_t(3 * h.partFirstTriangle[p]));
            // The stored face normals are garbage in this file; they are recomputed.
            const Vec3& n = tri.faceNormal;
            EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0, 1e-5) << t;
        }
    }
    EXPECT_EQ(model.partFlags[0], PART_VISIBLE | PART_SELECTED);
}

TEST_F(FceRead, ZIsMirroredAndCornersReversedInMemory) {
    SKIP_WITHOUT_SNOWMAN();
    const std::vector<uint8_t> raw = readBytes(snowmanFce());
    ASSERT_TRUE(loadFceFile(snowmanFce(), false));
    const size_t vertexTable = 8248 + word(raw, 0x14), triangleTable = 8248 + word(raw, 0x1C);
    // Part 0 starts at slot 0 and at vertex 0 of the file.
    EXPECT_EQ(model.vertices[1].x, floatAt(raw, vertexTable + 12 + 0));
    EXPECT_EQ(model.vertices[1].z, -floatAt(raw, vertexTable + 12 + 8));
    EXPECT_EQ(model.triangles[0].v[0], word(raw, triangleTable + 4));
    EXPECT_EQ(model.triangles[0].v[1], word(raw, triangleTable + 12));
    EXPECT_EQ(model.triangles[0].v[2], word(raw, triangleTable + 8));
    EXPECT_EQ(model.triangles[0].texU[1], floatAt(raw, triangleTable + 32 + 8));
    EXPECT_EQ(model.header.partPos[0].z, -floatAt(raw, 0x120 + 8));
}

TEST_F(FceRead, SnowmanRoundTripKeepsGeometryFlagsPartsAndColours) {
    SKIP_WITHOUT_SNOWMAN();
    const std::vector<uint8_t> original = readBytes(snowmanFce());
    ASSERT_TRUE(loadFceFile(snowmanFce(), false));
    const int slots = 3 * model.storeTriangles;
    const std::vector<Vec3> vertices(model.vertices, model.vertices + slots);
    const std::vector<ModelTriangle> triangles(model.triangles,
                                               model.triangles + model.storeTriangles);
    const FceHeader header = model.header;
    convertColorsAfterRead();
    ASSERT_TRUE(saveFceFile(dir.file("resaved.fce")));
    resetModel();
    ASSERT_TRUE(loadFceFile(dir.file("resaved.fce"), false));
    EXPECT_EQ(std::memcmp(vertices.data(), model.vertices, sizeof(Vec3) * size_t(slots)), 0);
    for (int t = 0; t < model.storeTriangles; ++t) {
        const ModelTriangle &a = triangles[t], &b = model.triangles[t];
        EXPECT_EQ(std::memcmp(a.v, b.v, sizeof a.v), 0);
        EXPECT_EQ(a.flags, b.flags);
        EXPECT_EQ(std::memcmp(a.texU, b.texU, sizeof a.texU), 0);
        EXPECT_EQ(std::memcmp(a.texV, b.texV, sizeof a.texV), 0);
        EXPECT_EQ(a.groupAndBase, b.groupAndBase);
    }
    for (int p = 0; p < header.numParts; ++p) {
        EXPECT_EQ(std::memcmp(&header.partPos[p], &model.header.partPos[p], 12), 0);
        EXPECT_EQ(header.partVertexCount[p], model.header.partVertexCount[p]);
        EXPECT_EQ(header.partTriangleCount[p], model.header.partTriangleCount[p]);
        EXPECT_STREQ(header.partNames[p], model.header.partNames[p]);
    }
    // Fewer than 260 vertices: the smoothing data did not fit, so none came back.
    EXPECT_EQ(model.header.extraDataTag, 0u);
    // Colours keep their bytes.
    EXPECT_EQ(std::memcmp(model.header.fileColors, original.data() + 0x824, 256), 0);
}

TEST_F(FceRead, FixUpResetsSelectionsAndKeepsAValidCurrentPart) {
    std::vector<uint8_t> file = testFile(3, 4);
    model.selectedPart = 2;
    model.selectedDummy = model.selectedColor = model.colorLayer = 3;
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_EQ(model.selectedPart, 2u);
    EXPECT_EQ(model.partFlags[2] & PART_SELECTED, PART_SELECTED);
    EXPECT_EQ(model.partFlags[0] & PART_SELECTED, 0u);
    EXPECT_EQ(model.selectedDummy, 0u);
    EXPECT_EQ(model.colorLayer, 0u);
    model.selectedPart = 7;
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_EQ(model.selectedPart, 0u);
    EXPECT_FLOAT_EQ(model.partHalfWidth[1], [] {
        float w = 0;
        for (int i = 0; i < 6; ++i) w = std::max(w, std::fabs(model.vertices[12 + i].x));
        return w;
    }());
}

TEST_F(FceRead, UnknownTagLoadsWithDefaultsAndKeepsTheTag) {
    std::vector<uint8_t> file = testFile(2, 150);
    std::memcpy(file.data() + 4, "ABCD", 4);
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_EQ(std::memcmp(&model.header.extraDataTag, "ABCD", 4), 0);
    EXPECT_EQ(model.groupCount[0], 1);
}

TEST_F(FceRead, DamagedExtraDataAreIgnored) {
    std::vector<uint8_t> file = testFile(2, 150); // V = 304, T = 300
    const size_t blockB = 8248 + word(file, 0x48);
    // Group count of the first part record: 0 is damaged.
    file[blockB + 2 * 300 + 2] = 0;
    file[blockB + 2 * 300 + 3] = 0;
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_EQ(model.header.extraDataTag, 0u);
    EXPECT_EQ(model.groupCount[0], 1);
    EXPECT_EQ(model.triangles[0].groupAndBase, 0u);

    file = testFile(2, 150);
    setWord(file, 8248 + word(file, 0x44) + 16 + 256 + 4, 5); // part table disagrees
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_EQ(model.header.extraDataTag, 0u);
}

TEST_F(FceRead, CentringMovesPartsAndDummiesToTheBoxCentre) {
    buildTestModel(1, 1);
    model.vertices[0] = {1, 1, 1};
    model.vertices[1] = {3, 2, 1};
    model.vertices[2] = {2, 4, 2};
    model.header.partPos[0] = {5, 5, 5};
    ASSERT_TRUE(saveFceFile(dir.file("c.fce")));
    model.centerOnLoad = true;
    ASSERT_TRUE(loadFceFile(dir.file("c.fce"), false));
    // In memory z is mirrored back: the box is x 0..3, y 0..4, z 0..2 (the origin included).
    EXPECT_FLOAT_EQ(model.header.halfSize.x, 1.5f);
    EXPECT_FLOAT_EQ(model.header.halfSize.y, 2.0f);
    EXPECT_FLOAT_EQ(model.header.halfSize.z, 1.0f);
    EXPECT_FLOAT_EQ(model.header.partPos[0].x, 3.5f);
    EXPECT_FLOAT_EQ(model.header.partPos[0].y, 3.0f);
    EXPECT_FLOAT_EQ(model.header.partPos[0].z, 4.0f);
    EXPECT_FLOAT_EQ(model.header.dummyPos[0].x, 0.5f - 1.5f);
    EXPECT_FLOAT_EQ(model.vertices[0].x, 1.0f); // vertices stay where they are
}

TEST_F(FceRead, UnterminatedNamesAreCutAtTheirField) {
    std::vector<uint8_t> file = testFile(2, 3);
    std::memset(file.data() + 0xE28, 'N', 128); // part names 0 and 1, no NUL
    ASSERT_TRUE(readBytesAsModel(file));
    EXPECT_EQ(nameString(model.header.partNames[0]), std::string(63, 'N'));
}

TEST_F(FceRead, FilesTheModelCannotHoldAreRefusedBeforeAllocating) {
    const std::vector<uint8_t> valid = testFile(3, 10); // T = 30, V = 36
    const float nan = std::numeric_limits<float>::quiet_NaN();
    uint32_t nanBits;
    std::memcpy(&nanBits, &nan, 4);
    const struct {
        const char* what;
        size_t offset;
        uint32_t value;
    } cases[] = {
        {"65 parts", 0x11C, 65},
        {"negative parts", 0x11C, uint32_t(-1)},
        {"17 dummies", 0x58, 17},
        {"negative dummies", 0x58, uint32_t(-3)},
        {"17 colours", 0x820, 17},
        {"negative triangles", 0x8, uint32_t(-1)},
        {"21846 triangles", 0x8, 21846},
        {"more triangles than the parts hold", 0x8, 31},
        {"part 1 not after part 0", 0x620 + 4, 11},
        {"part 0 starting late", 0x620, 1},
        {"negative part triangle count", 0x720 + 8, uint32_t(-10)},
        {"negative part vertex count", 0x520 + 4, uint32_t(-1)},
        {"more than 3 vertices per triangle", 0x520, 31},
        {"vertex table past the end", 0x14, 0xFFFFFF00},
        {"triangle table past the end", 0x1C, 60000},
        {"movement table past the end", 0x40, 0x80000000},
        {"damaged normals past the end", 0x38, 70000},
        {"part position not a number", 0x120 + 12, nanBits},
        {"dummy position not a number", 0x5C + 4, nanBits},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> file = valid;
        setWord(file, c.offset, c.value);
        messages.errors.clear();
        failAllocationsAfter(0); // any allocation would show "Out of memory!"
        EXPECT_FALSE(readBytesAsModel(file)) << c.what;
        failAllocationsAfter(-1);
        EXPECT_FALSE(model.modelLoaded) << c.what;
        EXPECT_EQ(model.geometryBlock, nullptr) << c.what;
        ASSERT_EQ(messages.errors.size(), 1u) << c.what;
        EXPECT_EQ(messages.errors[0].rfind("Unreadable FCE file: ", 0), 0u)
            << c.what << ": " << messages.errors[0];
    }
}

TEST_F(FceRead, CornersOutsideTheirPartAndBadVerticesAreRefused) {
    const std::vector<uint8_t> valid = testFile(3, 10);
    const size_t triangles = 8248 + word(valid, 0x1C);
    std::vector<uint8_t> file = valid;
    setWord(file, triangles + 56 * 12 + 8, 12); // part 1 has 12 vertices: 0..11
    EXPECT_FALSE(readBytesAsModel(file));
    EXPECT_FALSE(model.modelLoaded);
    EXPECT_EQ(model.geometryBlock, nullptr);
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_NE(messages.errors[0].find("part 1"), std::string::npos);

    file = valid;
    setWord(file, 8248 + word(valid, 0x14) + 4, 0x7F800000); // +infinity
    messages.errors.clear();
    EXPECT_FALSE(readBytesAsModel(file));
    EXPECT_EQ(messages.errors.size(), 1u);
}

TEST_F(FceRead, TruncatedFilesNeverLoadHalfAModel) {
    const std::vector<uint8_t> valid = testFile(2, 150);
    const size_t extraStart = 8248 + word(valid, 0x44);
    const size_t recordsEnd = 8248 + word(valid, 0x48) + 2 * 300 + 2 * 8;
    for (size_t cut = 0; cut < valid.size(); cut += cut < 8300 ? 37 : 997) {
        std::vector<uint8_t> file(valid.begin(), valid.begin() + long(cut));
        const bool loaded = readBytesAsModel(file);
        if (cut < extraStart) {
            EXPECT_FALSE(loaded) << cut;
            EXPECT_EQ(model.geometryBlock, nullptr) << cut;
            EXPECT_FALSE(messages.errors.empty()) << cut;
        } else {
            // Only the program's own data are cut: the car loads, with default
            // smoothing data unless just the zero padding after them is missing.
            EXPECT_TRUE(loaded) << cut;
            EXPECT_EQ(model.header.extraDataTag, cut < recordsEnd ? 0u : FCE_TAG_VRNX) << cut;
        }
        messages.errors.clear();
    }
}

TEST_F(FceRead, FailedReadDropsTheTextureEvenWhenKeepingIt) {
    const std::vector<uint8_t> valid = testFile(2, 4);
    model.textureImage = static_cast<uint8_t*>(allocBlock(64));
    model.textureLoaded = true;
    std::vector<uint8_t> file = valid;
    setWord(file, 0x11C, 70);
    writeBytes(dir.file("bad.fce"), file);
    ASSERT_TRUE(openForReading(dir.file("bad.fce")));
    EXPECT_FALSE(readFceFile(true));
    EXPECT_EQ(model.textureImage, nullptr);
    EXPECT_FALSE(model.textureLoaded);
    EXPECT_FALSE(fileIsOpen());

    // A good read with keepTexture keeps it.
    model.textureImage = static_cast<uint8_t*>(allocBlock(64));
    model.textureLoaded = true;
    writeBytes(dir.file("good.fce"), valid);
    ASSERT_TRUE(openForReading(dir.file("good.fce")));
    EXPECT_TRUE(readFceFile(true));
    EXPECT_NE(model.textureImage, nullptr);
}

TEST_F(FceRead, MissingAndNonFceFilesAreReported) {
    EXPECT_FALSE(loadFceFile(dir.file("missing.fce"), false));
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0], "Error:2\nNo such file or directory: " + dir.file("missing.fce"));
    messages.errors.clear();
    writeBytes(dir.file("short.fce"), std::vector<uint8_t>(100, 1));
    EXPECT_FALSE(loadFceFile(dir.file("short.fce"), false));
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0], "Unreadable FCE file: the file is shorter than an FCE header.\n" +
                                      dir.file("short.fce"));
    EXPECT_TRUE(model.fcePath.empty());
}
