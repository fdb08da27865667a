// The FCE writer: file layout, extra blocks, what a save changes and what it
// must not, colour scale, and saves that fail.
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/file_io.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

uint32_t word(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

class FceWrite : public ::testing::Test {
  protected:
    void TearDown() override { resetModel(); }
    std::vector<uint8_t> save() {
        const std::string path = dir.file("out.fce");
        EXPECT_TRUE(saveFceFile(path));
        return readBytes(path);
    }
    bool reload() {
        model.selectedPart = 0;
        return loadFceFile(dir.file("out.fce"), false);
    }
    RecordingMessages messages;
    TempDir dir;
};

bool sameBits(const void* a, const void* b, size_t n) { return std::memcmp(a, b, n) == 0; }

} // namespace

TEST_F(FceWrite, LayoutOfThreeHundredVerticesAndTwoHundredTriangles) {
    buildTestModel(2, 100);
    model.header.partVertexCount[0] = model.header.partVertexCount[1] = 150;
    const std::vector<uint8_t> file = save();
    const uint32_t expected[14] = {0,     3600,  7200,  18400, 28000, 31600, 35200,
                                   38800, 42400, 46000, 49600, 50800, 52000, 53200};
    for (int i = 0; i < 14; ++i) EXPECT_EQ(word(file, 0x14 + 4 * size_t(i)), expected[i]) << i;
    EXPECT_EQ(file.size(), 63848u);
    EXPECT_EQ(fceFileSize(), 63848);
    EXPECT_EQ(word(file, 0x0), FCE_VERSION);
    EXPECT_EQ(std::memcmp(file.data() + 4, "VRNX", 4), 0);
    EXPECT_EQ(word(file, 0xC), 300u);
    // Block A: tag, V, T, part count, then the part tables in file form.
    const size_t blockA = 8248 + 52000;
    EXPECT_EQ(std::memcmp(file.data() + blockA, "VRNX", 4), 0);
    EXPECT_EQ(word(file, blockA + 4), 300u);
    EXPECT_EQ(word(file, blockA + 8), 200u);
    EXPECT_EQ(word(file, blockA + 12), 2u);
    EXPECT_EQ(word(file, blockA + 16 + 4), 150u); // partFirstVertex[1], the running index
    EXPECT_EQ(std::memcmp(file.data() + blockA + 1040, "VRNXVRNX", 8), 0);
    // The model keeps its slot form.
    EXPECT_EQ(model.header.partFirstVertex[1], 300);
}

TEST_F(FceWrite, OddTriangleCountsMakeBlockBTwoBytesLonger) {
    buildTestModel(1, 5); // V = 7, T = 5: block A is 4V, block B 12T + 2
    const std::vector<uint8_t> file = save();
    EXPECT_EQ(file.size(), size_t(8248 + 136 * 7 + 56 * 5 + 28 + 62));
    EXPECT_EQ(int64_t(file.size()), fceFileSize());
    buildTestModel(1, 6); // even: exactly 12T
    EXPECT_EQ(save().size(), size_t(8248 + 136 * 8 + 56 * 6 + 32 + 72));
}

TEST_F(FceWrite, TinyModelsWriteOnlyTheHeadOfBlockA) {
    buildTestModel(1, 1); // V = 3
    const std::vector<uint8_t> file = save();
    EXPECT_EQ(word(file, 0x14 + 4 * 13), uint32_t(140 * 3 + 56)); // block B by the formula
    EXPECT_EQ(file.size(), size_t(8248 + 136 * 3 + 56 + 16 + 2 + 8 + 4));
    EXPECT_EQ(int64_t(file.size()), fceFileSize());
}

TEST_F(FceWrite, PartRecordsLongerThanTheRoomGrowBlockB) {
    buildTestModel(2, 1); // T = 2: 10T = 20 bytes of room
    model.groupCount[0] = 10;
    const std::vector<uint8_t> file = save();
    const size_t records = (4 + 40) + (4 + 4);
    EXPECT_EQ(file.size(), size_t(8248 + 136 * 6 + 56 * 2 + 24) + 4 + records);
    EXPECT_EQ(int64_t(file.size()), fceFileSize());
}

TEST_F(FceWrite, SmoothingDataSurviveFromTwoHundredSixtyVertices) {
    buildTestModel(3, 100); // V = 306
    model.groupCount[1] = 3;
    model.groups[1][1] = {8, 45};
    model.groups[1][2] = {16, 30};
    model.partFlags[2] = PART_VISIBLE | PART_DRIVER | PART_NORMALS_READY;
    model.partFlags[1] = 0;
    for (int t = 100; t < 200; t += 3) model.triangles[t].groupAndBase |= 8u << 16;
    model.triangles[150].groupAndBase |= 0x17u << 16;
    save();
    resetModel();
    ASSERT_TRUE(reload());
    EXPECT_EQ(model.header.extraDataTag, FCE_TAG_VRNX);
    EXPECT_EQ(model.groupCount[0], 1);
    EXPECT_EQ(model.groupCount[1], 3);
    EXPECT_EQ(model.groups[1][1].groupId, 8);
    EXPECT_EQ(model.groups[1][1].smoothAngle, 45);
    EXPECT_EQ(model.groups[1][2].smoothAngle, 30);
    EXPECT_EQ(model.partFlags[1], 0u); // hidden stays hidden: flags come from the file
    EXPECT_EQ(model.partFlags[2], PART_VISIBLE | PART_DRIVER | PART_NORMALS_READY);
    EXPECT_EQ(model.partFlags[0], PART_VISIBLE | PART_SELECTED);
    EXPECT_EQ(model.triangles[103].groupAndBase, (8u << 16) | 300u);
    EXPECT_EQ(model.triangles[104].groupAndBase, 300u);
    EXPECT_EQ(model.triangles[150].groupAndBase >> 16, 0x17u);
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(FceWrite, SmallModelsLoseTheirSmoothingData) {
    buildTestModel(2, 20); // V = 44
    model.groupCount[0] = 2;
    model.partFlags[1] = 0;
    model.triangles[0].groupAndBase |= 8u << 16;
    save();
    ASSERT_TRUE(reload());
    EXPECT_EQ(model.header.extraDataTag, 0u);
    EXPECT_EQ(model.groupCount[0], 1);
    EXPECT_EQ(model.partFlags[1], PART_VISIBLE); // defaults from the name
    EXPECT_EQ(model.triangles[0].groupAndBase, 0u);
}

TEST_F(FceWrite, SavingChangesOnlyWhatTheWriterRecomputes) {
    buildTestModel(4, 30);
    model.header.partPos[1] = {0.1f, 1.37f, -2.71f};
    model.header.partPos[3] = {123.456f, -0.003f, 7.7f};
    model.triangles[7].flags |= TRI_SELECTED;
    model.header.numArts = 77;
    model.header.unknown1[5] = 0xAB;
    model.header.unknown2[527] = 0xCD;
    const int slots = 3 * model.storeTriangles;
    const std::vector<Vec3> vertices(model.vertices, model.vertices + slots);
    const std::vector<Vec3> damaged(model.damagedVertices, model.damagedVertices + slots);
    const std::vector<uint32_t> flags(model.vertexFlags, model.vertexFlags + slots);
    std::vector<ModelTriangle> triangles(model.triangles, model.triangles + model.storeTriangles);
    const FceHeader header = model.header;
    save();
    // Vertices are compared bit for bit: a save must not move them.
    EXPECT_TRUE(sameBits(vertices.data(), model.vertices, sizeof(Vec3) * size_t(slots)));
    EXPECT_TRUE(sameBits(damaged.data(), model.damagedVertices, sizeof(Vec3) * size_t(slots)));
    EXPECT_TRUE(sameBits(flags.data(), model.vertexFlags, 4 * size_t(slots)));
    for (int t = 0; t < model.storeTriangles; ++t) {
        ModelTriangle now = model.triangles[t];
        now.faceNormal = triangles[t].faceNormal = {};
        EXPECT_TRUE(sameBits(&now, &triangles[t], sizeof now)) << t;
    }
    EXPECT_TRUE(sameBits(header.partPos, model.header.partPos, sizeof header.partPos));
    EXPECT_TRUE(sameBits(header.dummyPos, model.header.dummyPos, sizeof header.dummyPos));
    EXPECT_TRUE(sameBits(header.partFirstVertex, model.header.partFirstVertex,
                         sizeof header.partFirstVertex));
    EXPECT_EQ(model.header.numArts, 77);
    EXPECT_FALSE(model.renderCacheValid);

    // What was saved reads back exactly.
    ASSERT_TRUE(reload());
    for (int p = 0; p < model.header.numParts; ++p) // the used slots of each part
        EXPECT_TRUE(sameBits(vertices.data() + partSlot(p), model.vertices + partSlot(p),
                             sizeof(Vec3) * size_t(model.header.partVertexCount[p])));
    EXPECT_EQ(model.triangles[7].flags & TRI_SELECTED, TRI_SELECTED);
    EXPECT_EQ(model.header.unknown1[5], 0xAB);
    EXPECT_EQ(model.header.unknown2[527], 0xCD);
    EXPECT_EQ(model.header.numArts, 77);
    for (int t = 0; t < model.storeTriangles; ++t) {
        EXPECT_EQ(std::memcmp(model.triangles[t].texU, triangles[t].texU, 24), 0) << t;
        EXPECT_EQ(std::memcmp(model.triangles[t].v, triangles[t].v, 12), 0) << t;
    }
}

TEST_F(FceWrite, BoundingBoxIsTakenInModelSpace) {
    buildTestModel(1, 1);
    model.vertices[0] = {1, 1, 1};
    model.vertices[1] = {-1, 2, 0};
    model.vertices[2] = {0, 0, -3};
    model.header.partPos[0] = {10, 0, 0};
    save();
    // x spans 0 (the box always holds the origin) .. 11, y 0..2, z (mirrored) -1..3.
    EXPECT_FLOAT_EQ(model.header.halfSize.x, 5.5f);
    EXPECT_FLOAT_EQ(model.header.halfSize.y, 1.0f);
    EXPECT_FLOAT_EQ(model.header.halfSize.z, 2.0f);
}

TEST(ColorScale, ReadWriteReadKeepsEveryValue) {
    // Reading scales hue by 180/256 and halves saturation and brightness:
    // byte 255 reads as hue 179, saturation and brightness 127.
    const HsbColor top = colorFromFile({{255, 255, 255, 9}});
    EXPECT_EQ(top.hue, 179);
    EXPECT_EQ(top.saturation, 127);
    EXPECT_EQ(top.brightness, 127);
    EXPECT_EQ(top.extra, 9);
    for (int b = 0; b < 256; ++b) {
        const FileColor stored{{uint8_t(b), uint8_t(b), uint8_t(b), uint8_t(b)}};
        const FileColor written = colorToFile(colorFromFile(stored), stored);
        EXPECT_EQ(std::memcmp(&written, &stored, 4), 0) << b; // stored bytes stay
    }
    // A colour the stored bytes do not read as gets the smallest bytes that
    // read back as it: hue h needs b * 180 >= h * 256.
    const FileColor other{{1, 1, 1, 1}};
    for (int hue = 0; hue < 180; ++hue) {
        const FileColor f = colorToFile({uint8_t(hue), 3, 127, 0}, other);
        EXPECT_EQ(colorFromFile(f).hue, hue) << hue;
        EXPECT_EQ(f.b[0] * 180 >= hue * 256 && (f.b[0] - 1) * 180 < hue * 256, true) << hue;
        EXPECT_EQ(f.b[1], 6);
        EXPECT_EQ(f.b[2], 254);
    }
}

TEST_F(FceWrite, EditedColoursAreWrittenAsTheSmallestBytesThatReadBack) {
    buildTestModel(1, 3);
    model.colorLayers[2][1] = {11, 64, 127, 5}; // 15 would read back as hue 10
    model.colorLayers[0][0] = {179, 0, 1, 0};
    const std::vector<uint8_t> file = save();
    const size_t at = 0x824 + 2 * 64 + 1 * 4;
    EXPECT_EQ(file[at], 16);
    EXPECT_EQ(file[at + 1], 128);
    EXPECT_EQ(file[at + 2], 254);
    EXPECT_EQ(file[at + 3], 5);
    EXPECT_EQ(file[0x824], 255);
    EXPECT_EQ(file[0x826], 2);
}

TEST_F(FceWrite, FailedSaveLeavesTheOldFileAsItWas) {
    buildTestModel(3, 60);
    const std::string path = dir.file("out.fce");
    ASSERT_TRUE(saveFceFile(path));
    const std::vector<uint8_t> before = readBytes(path);
    buildTestModel(6, 120); // a bigger model whose save runs into the size limit

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 20000;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = saveFceFile(path);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(saved);
    EXPECT_EQ(readBytes(path), before);
    ASSERT_FALSE(messages.errors.empty());
    EXPECT_EQ(messages.errors.back(), "Error:27\nFile too large: " + path); // EFBIG
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);
    // The model in memory is intact and can still be saved.
    EXPECT_EQ(model.header.partFirstVertex[1], 360);
    EXPECT_TRUE(saveFceFile(path));
}

TEST_F(FceWrite, SaveIntoAMissingFolderReportsTheSystemError) {
    buildTestModel(1, 3);
    EXPECT_FALSE(saveFceFile(dir.file("no/such/folder/car.fce")));
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0],
              "Error:2\nNo such file or directory: " + dir.file("no/such/folder/car.fce"));
}

namespace {
// Saves `car`, then saves each saved file again; every later file must be
// the first one byte for byte.
void expectStableResaves(const std::string& car, const TempDir& dir) {
    std::string from = car;
    std::vector<uint8_t> first;
    for (int k = 0; k < 6; ++k) {
        resetModel();
        ASSERT_TRUE(loadFceFile(from, false));
        convertColorsAfterRead();
        const std::string to = dir.file("resave" + std::to_string(k) + ".fce");
        ASSERT_TRUE(saveFceFile(to));
        if (k == 0)
            first = readBytes(to);
        else
            EXPECT_TRUE(readBytes(to) == first) << "resave " << k << " of " << car;
        from = to;
    }
}
} // namespace

TEST_F(FceWrite, ResavesOfTheSampleCarAreByteIdentical) { expectStableResaves(sampleFce(), dir); }

TEST_F(FceWrite, ResavesOfTheThirdPartyCarAreByteIdentical) {
    SKIP_WITHOUT_SNOWMAN();
    expectStableResaves(snowmanFce(), dir);
}
