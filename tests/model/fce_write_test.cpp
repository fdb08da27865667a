// The FCE writer: file layout, extra blocks, the normals it writes and
// recomputes, what a save must not change, the colour scale, and saves that
// fail or must be refused.
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/file_io.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

class FceWrite : public ModelTest {
  protected:
    std::vector<uint8_t> save() {
        EXPECT_TRUE(saveFceFile(dir.file("out.fce")));
        return readBytes(dir.file("out.fce"));
    }
    bool reload() {
        model.selectedPart = 0;
        return loadFceFile(dir.file("out.fce"), false);
    }
};

const auto sameBits = [](const void* a, const void* b, size_t n) { return !std::memcmp(a, b, n); };

Vec3 vecAt(const std::vector<uint8_t>& file, size_t at) {
    return {floatAt(file, at), floatAt(file, at + 4), floatAt(file, at + 8)};
}

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
        if (k == 0) first = readBytes(to);
        EXPECT_TRUE(readBytes(to) == first) << "resave " << k << " of " << car;
        from = to;
    }
}

} // namespace

TEST_F(FceWrite, LayoutOfThreeHundredVerticesAndTwoHundredTriangles) {
    buildTestModel(2, 100), model.header.partVertexCount[0] = model.header.partVertexCount[1] = 150;
    const std::vector<uint8_t> file = save();
    const uint32_t expected[14] = {0,     3600,  7200,  18400, 28000, 31600, 35200,
                                   38800, 42400, 46000, 49600, 50800, 52000, 53200};
    for (int i = 0; i < 14; ++i) EXPECT_EQ(wordAt(file, 0x14 + 4 * size_t(i)), expected[i]) << i;
    auto text = [&](size_t at, size_t n) { return std::string(&file[at], &file[at] + n); };
    EXPECT_EQ(
        std::make_tuple(file.size(), fceFileSize(), wordAt(file, 0), text(4, 4), wordAt(file, 12)),
        std::make_tuple(63848u, 63848, 0x00101014u, "VRNX", 300u));
    // Block A: tag, V, T, part count, the part tables in file form (with
    // partFirstVertex[1] as the running index), then filler words of the tag.
    const size_t A = 8248 + 52000;
    EXPECT_EQ(std::make_tuple(text(A, 4), wordAt(file, A + 4), wordAt(file, A + 8),
                              wordAt(file, A + 12), wordAt(file, A + 16 + 4), text(A + 1040, 8)),
              std::make_tuple("VRNX", 300u, 200u, 2u, 150u, "VRNXVRNX"));
    EXPECT_EQ(model.header.partFirstVertex[1], 300); // the model keeps its slot form
}

TEST_F(FceWrite, BlockBHoldsTenBytesPerTriangleOrWhatThePartRecordsNeed) {
    // Parts, triangles per part, groups of part 0, and the sizes of blocks A and B.
    const std::tuple<int, int, int, size_t, size_t> cases[] = {
        {1, 6, 1, 4 * 8, 12 * 6},            // V = 8: exactly 12T
        {1, 5, 1, 4 * 7, 12 * 5 + 2},        // odd T: the padding rounds up to whole words
        {1, 1, 1, 16, 2 + 8 + 4},            // V = 3: only the head of block A
        {2, 1, 10, 4 * 6, 4 + (4 + 40) + 8}, // the records need more than 10T = 20 bytes
    };
    for (const auto& [parts, trianglesPerPart, groupsOfPart0, blockA, blockB] : cases) {
        buildTestModel(parts, trianglesPerPart), model.groupCount[0] = uint16_t(groupsOfPart0);
        const int V = parts * (trianglesPerPart + 2), T = parts * trianglesPerPart;
        const std::vector<uint8_t> file = save();
        EXPECT_EQ(file.size(), 8248 + 136 * size_t(V) + 56 * size_t(T) + blockA + blockB)
            << V << " " << T;
        EXPECT_EQ(int64_t(file.size()), fceFileSize());
    }
}

TEST_F(FceWrite, SmoothingDataSurviveFromTwoHundredSixtyVertices) {
    buildTestModel(1, 258); // V = 260, the fewest that keep them
    model.groupCount[0] = 3, model.groups[0][1] = {8, 45}, model.groups[0][2] = {16, 30};
    model.partFlags[0] = PART_VISIBLE | PART_DRIVER | PART_NORMALS_READY;
    for (int t = 100; t < 200; t += 3) model.triangles[t].groupAndBase |= 8u << 16;
    model.triangles[150].groupAndBase |= 0x17u << 16, save();
    ASSERT_TRUE(reload());
    EXPECT_EQ(std::make_tuple(model.header.extraDataTag, model.groupCount[0],
                              model.groups[0][1].groupId, model.groups[0][2].smoothAngle,
                              model.partFlags[0]),
              std::make_tuple(FCE_TAG_VRNX, 3, 8, 30,
                              PART_VISIBLE | PART_DRIVER | PART_NORMALS_READY | PART_SELECTED));
    EXPECT_EQ(std::make_tuple(model.triangles[103].groupAndBase, model.triangles[104].groupAndBase,
                              model.triangles[150].groupAndBase >> 16),
              std::make_tuple(8u << 16, 0u, 0x17u));

    buildTestModel(1, 257); // V = 259: block A has no room for the part tables
    model.groupCount[0] = 2, model.partFlags[0] = 0, model.triangles[0].groupAndBase |= 8u << 16;
    save();
    ASSERT_TRUE(reload());
    EXPECT_EQ(std::make_tuple(model.header.extraDataTag, model.groupCount[0],
                              model.triangles[0].groupAndBase, model.partFlags[0], messages.errors),
              std::make_tuple(0u, 1, 0u, PART_VISIBLE | PART_SELECTED, // flags from the name
                              std::vector<std::string>{}));
}

TEST_F(FceWrite, NormalsAreWrittenAsTheyAreAndRecomputedAfterwards) {
    // One triangle (0,0,0) (1,0,0) (0,1,0); the damaged shape lifts the third
    // corner to z = 1. The normals in memory are nonsense on purpose.
    buildTestModel(1, 1);
    const Vec3 corners[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    for (int i = 0; i < 3; ++i)
        model.vertices[i] = model.damagedVertices[i] = corners[i],
        model.normals[i] = model.damagedNormals[i] = {7, 7, 7};
    model.damagedVertices[2] = {0, 1, 1};
    const std::vector<uint8_t> file = save();
    const double h = std::sqrt(0.5);
    auto expectNear = [](const Vec3& v, double x, double y, double z, const char* what) {
        EXPECT_LT(std::hypot(v.x - x, v.y - y, v.z - z), 1e-6) << what;
    };
    // In the file z is mirrored and the corners run the other way: the
    // damaged face (0,1,-1) x (1,0,0) = (0,-1,-1), at unit length.
    expectNear(vecAt(file, 8248 + 24 * 3 + 16), 0, -h, -h, "face normal");
    for (int i = 0; i < 3; ++i) {
        const Vec3 normal = vecAt(file, 8248 + 12 * 3 + 12 * size_t(i));
        EXPECT_TRUE(normal.x == 7 && normal.y == 7 && normal.z == -7) << i; // as in memory
        expectNear(vecAt(file, 8248 + 116 * 3 + 56 + 12 * size_t(i)), 0, h, h, "damaged normal");
        // Memory gets the normals of the undamaged shape: face (0,0,1), negated.
        expectNear(model.normals[i], 0, 0, -1, "normal in memory");
    }
    EXPECT_EQ(model.triangles[0].faceNormal.z, 1);
}

TEST_F(FceWrite, SavingChangesOnlyWhatTheWriterRecomputes) {
    buildTestModel(4, 30);
    model.header.partPos[3] = {123.456f, -0.003f, 7.7f}, model.triangles[7].flags |= TRI_SELECTED;
    model.header.unknown1[5] = 0xAB, model.header.unknown2[527] = 0xCD;
    const int slots = 3 * model.storeTriangles;
    const std::vector<Vec3> vertices(model.vertices, model.vertices + slots);
    const std::vector<Vec3> damaged(model.damagedVertices, model.damagedVertices + slots);
    std::vector<ModelTriangle> triangles(model.triangles, model.triangles + model.storeTriangles);
    const FceHeader header = model.header;
    save();
    // Vertices are compared bit for bit: a save must not move them.
    EXPECT_TRUE(sameBits(vertices.data(), model.vertices, sizeof(Vec3) * size_t(slots)));
    EXPECT_TRUE(sameBits(damaged.data(), model.damagedVertices, sizeof(Vec3) * size_t(slots)));
    for (int t = 0; t < model.storeTriangles; ++t) // all but the face normals
        model.triangles[t].faceNormal = triangles[t].faceNormal = {};
    EXPECT_TRUE(sameBits(triangles.data(), model.triangles, 56 * triangles.size()));
    EXPECT_TRUE(sameBits(header.partPos, model.header.partPos, sizeof header.partPos));
    EXPECT_TRUE(sameBits(header.partFirstVertex, model.header.partFirstVertex,
                         sizeof header.partFirstVertex));
    EXPECT_FALSE(model.renderCacheValid);
    ASSERT_TRUE(reload()); // and the file keeps what the reader does not interpret
    EXPECT_EQ(std::make_tuple(model.triangles[7].flags & TRI_SELECTED, model.header.unknown1[5],
                              model.header.unknown2[527]),
              std::make_tuple(TRI_SELECTED, 0xAB, 0xCD));
    EXPECT_TRUE(sameBits(vertices.data() + partSlot(3), model.vertices + partSlot(3), 12 * 32));
}

TEST_F(FceWrite, ColoursKeepTheirBytesAndEditedOnesTakeTheSmallestThatReadBack) {
    // Reading scales hue by 180/256 and halves saturation and brightness.
    const HsbColor top = colorFromFile({{255, 255, 255, 9}});
    EXPECT_TRUE(top.hue == 179 && top.saturation == 127 && top.brightness == 127 && top.extra == 9);
    for (int b = 0; b < 256; ++b) {
        const FileColor stored{{uint8_t(b), uint8_t(b), uint8_t(b), uint8_t(b)}};
        const FileColor written = colorToFile(colorFromFile(stored), stored);
        EXPECT_TRUE(sameBits(&written, &stored, 4)) << b; // stored bytes stay
    }
    // Hue h needs the smallest b with b * 180 >= h * 256.
    for (int hue = 0; hue < 180; ++hue) {
        const FileColor f = colorToFile({uint8_t(hue), 3, 127, 0}, {{1, 1, 1, 1}});
        EXPECT_TRUE(f.b[0] * 180 >= hue * 256 && (f.b[0] - 1) * 180 < hue * 256) << hue;
        EXPECT_TRUE(f.b[1] == 6 && f.b[2] == 254);
    }
    buildTestModel(1, 3);                       // a colour edited in memory is written by that rule
    model.colorLayers[2][1] = {11, 64, 127, 5}; // 15 would read back as hue 10
    const std::vector<uint8_t> file = save();
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 0x8A8, file.begin() + 0x8AC),
              (std::vector<uint8_t>{16, 128, 254, 5}));
}

TEST_F(FceWrite, ResavesOfTheSampleAndTheThirdPartyCarAreByteIdentical) {
    expectStableResaves(sampleFce(), dir);
    SKIP_WITHOUT_SNOWMAN();
    expectStableResaves(snowmanFce(), dir);
}

TEST_F(FceWrite, AFullDiskLeavesTheOldFileAsItWas) {
    buildTestModel(3, 60);
    const std::string path = dir.file("out.fce");
    ASSERT_TRUE(saveFceFile(path));
    const std::vector<uint8_t> before = readBytes(path);
    buildTestModel(6, 120); // a bigger model whose save runs into the size limit
    rlimit old, small;
    getrlimit(RLIMIT_FSIZE, &old), small = old, small.rlim_cur = 20000;
    std::signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = saveFceFile(path);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(!saved && readBytes(path) == before);
    EXPECT_EQ(messages.errors, std::vector<std::string>{"Error:27\nFile too large: " + path});
    EXPECT_EQ(dir.entries(), 1);    // no temporary file left behind
    EXPECT_TRUE(saveFceFile(path)); // the model is intact and can still be saved
}

// A value the file cannot hold, and that the reader would refuse, stops the
// save before any file is touched; the largest float still saves.
TEST_F(FceWrite, NumbersTheFileCannotHoldStopTheSave) {
    const std::string path = dir.file("out.fce");
    auto spoil = [](int which) {
        buildTestModel(2, 4);
        const float huge = 3.4028235e38f;
        switch (which) {
        case 0: model.header.partPos[1].x = huge, model.vertices[partSlot(1)].x = 0.0f; break;
        case 1: model.header.partPos[1].x = huge, model.vertices[partSlot(1)].x = 1e32f; break;
        case 2: model.damagedVertices[partSlot(1) + 2].y = -INFINITY; break;
        case 3: model.triangles[5].texV[2] = NAN; break;
        case 4: model.header.dummyPos[1].z = NAN; break;
        }
    };
    const char* faults[] = {nullptr, "part 1 holds a number that is not finite",
                            "part 1 holds a number that is not finite",
                            "part 1 holds a number that is not finite",
                            "dummy 1 has no finite position"};
    for (int which = 0; which < 5; ++which) {
        spoil(which);
        messages.errors.clear();
        EXPECT_EQ(saveFceFile(path), faults[which] == nullptr) << which;
        const std::string expected =
            faults[which] ? "The car was not saved: " + std::string(faults[which]) + ".\n" + path : "";
        EXPECT_EQ(messages.errors.empty() ? "" : messages.errors[0], expected);
        std::filesystem::remove(path);
        EXPECT_EQ(dir.entries(), 0) << which;
    }
}
