// The snapshot ring: what each page brings back, the ring's limits, restores
// that must refuse a snapshot and leave everything as it was, and a soak of
// random edits, undos and redos against a plain list of recorded states.
#include "model/alloc.h"
#include "model/car_model.h"
#include "support/test_support.h"
#include "undo/undo_store.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <random>
#include <sys/resource.h>

namespace {

enum { CAMERA, PARTS, SURFACES, DUMMIES, COLORS, TEXTURES };

// Everything a snapshot may bring back, as bytes.
std::vector<uint8_t> state() {
    const uint32_t selection[] = {model.selectedPart, model.selectedDummy, model.selectedColor};
    const std::pair<const void*, size_t> pieces[] = {
        {&model.header, sizeof model.header},
        {model.geometryBlock, size_t(model.storeTriangles) * GEOMETRY_BYTES_PER_TRIANGLE},
        {model.partFlags, sizeof model.partFlags},
        {model.partHalfWidth, sizeof model.partHalfWidth},
        {model.groupCount, sizeof model.groupCount},
        {model.currentGroup, sizeof model.currentGroup},
        {model.groups, sizeof model.groups},
        {model.colorLayers, sizeof model.colorLayers},
        {selection, sizeof selection}};
    std::vector<uint8_t> s;
    for (auto [p, n] : pieces)
        s.insert(s.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
    return s;
}

// One edit of what `page` keeps, as the page's tools make them.
void edit(int page, std::mt19937& random) {
    const int t = int(random() % uint32_t(model.header.numTriangles));
    const int p = int(random() % uint32_t(model.header.numParts)), k = int(random() % 16);
    const auto f = uint16_t(random() % 1000);
    ModelTriangle& tri = model.triangles[t];
    if (page == PARTS) {
        model.header.partPos[p].y = f, model.partFlags[p] ^= PART_VISIBLE;
        model.selectedPart = uint32_t(p), model.groups[p][0].smoothAngle = f;
        model.colorLayers[1][2].hue = uint8_t(f), model.vertices[partSlot(p)].x = f;
        std::snprintf(model.header.partNames[p], NAME_SIZE, "n%d", f);
    } else if (page == SURFACES) {
        model.groupCount[p] = uint16_t(1 + f % 64), model.currentGroup[p] = f % 64 / 2;
        model.groups[p][f % 64] = {f, 45};
        tri.groupAndBase = (tri.groupAndBase & 0xFFFF) | uint32_t(f) << 16, tri.flags ^= 0x40;
        model.vertices[3 * t].z = model.damagedVertices[3 * t].y = f, model.vertexFlags[3 * t] ^= 4;
        for (int q = 0; q < model.header.numParts; ++q) // as the page's tools do
            computeVertexNormals(model.header.partFirstTriangle[q], model.normals + partSlot(q),
                                 model.header.partTriangleCount[q],
                                 model.header.partVertexCount[q]);
    } else if (page == DUMMIES) {
        model.header.numDummies = int(f % 17), model.selectedDummy = uint32_t(k);
        model.header.dummyPos[k].x = f, model.header.dummyNames[15 - k][3] = char('A' + f % 26);
    } else if (page == COLORS) {
        model.header.numColors = int(f % 17), model.selectedColor = uint32_t(k);
        model.colorLayers[f % 4][k] = {uint8_t(f), 1, 2, 3};
    } else {
        tri.texU[f % 3] = f, tri.flags ^= 0x4, tri.groupAndBase ^= 1u << 20;
        model.vertexFlags[3 * t + 1] ^= 4;
    }
}

class UndoStore : public ModelTest {
  protected:
    void SetUp() override { buildTestModel(3, 10), setUndoFolder(dir.path().string()); }
    void TearDown() override {
        failAllocationsAfter(-1), endUndoHistory(), undo = UndoState{}, ModelTest::TearDown();
    }
    void begin(int page) {
        endUndoHistory(), beginUndoHistory(page);
        ASSERT_TRUE(takeSnapshot(true));
    }
    std::mt19937 random{7};
};

} // namespace

// A Parts snapshot holds what the FCE form cannot carry for a small model
// (smoothing data below 260 vertices, colours as edited) and is restored
// without centring, keeping the texture; the triangle count may change.
TEST_F(UndoStore, PartsSnapshotsKeepEverythingAcrossACountChange) {
    model.centerOnLoad = model.textureLoaded = true;
    uint8_t* texture = model.textureImage = static_cast<uint8_t*>(allocBlock(64));
    model.groupCount[1] = 3, model.groups[1][2] = {9, 33},
    model.triangles[12].groupAndBase |= 9u << 16;
    model.colorLayers[0][1] = {179, 127, 1, 0}, model.header.partPos[0] = {5, 5, 5}, begin(PARTS);
    const std::vector<uint8_t> before = state();
    model.textureImage = nullptr; // kept aside: the next model is built anew
    buildTestModel(5, 7), model.textureImage = texture, model.textureLoaded = true;
    ASSERT_TRUE(takeSnapshot(false) && undoStep());
    EXPECT_TRUE(state() == before && model.storeTriangles == 30 && model.textureImage == texture);
}

TEST_F(UndoStore, TheRingGoesBackSixtyTwoStepsAndANewEditEndsTheRedoBranch) {
    begin(TEXTURES);
    for (int k = 0; k < 70; ++k) edit(TEXTURES, random), takeSnapshot(false);
    for (int k = 1; k <= 62; ++k) ASSERT_TRUE(undoStep()) << k;
    EXPECT_FALSE(undo.canUndo || undoStep());
    ASSERT_TRUE(redoStep());
    edit(TEXTURES, random);
    ASSERT_TRUE(takeSnapshot(false));
    EXPECT_FALSE(undo.canRedo || redoStep() || undo.slotValid[(undo.current + 1) & 63]);
    begin(CAMERA), edit(PARTS, random); // the Camera page keeps nothing: Undo is never offered
    EXPECT_TRUE(takeSnapshot(false) && !undo.canUndo && !undoStep());
}

// Snapshots that cannot be read, or hold what the model cannot hold, are
// refused: the model and the ring stay as they were.
TEST_F(UndoStore, ARestoreThatFailsChangesNothing) {
    const std::string file = snapshotPath(1);
    const size_t partsTriangles = 8 + 8248 + 256 + 256 + 128 + 128 + 16384 + 156 * 30;
    // The page, what is wrong, where a word goes into the file (-1: the file
    // goes, -2: its last byte) and the word.
    std::vector<std::tuple<int, const char*, int64_t, uint32_t>> cases;
    for (int page : {PARTS, SURFACES, TEXTURES})
        cases.insert(cases.end(), {{page, "missing", -1, 0}, {page, "short", -2, 0}});
    cases.insert(cases.end(),
                 {{SURFACES, "page word 3", 0, 3},
                  {TEXTURES, "page word 2", 0, 2},
                  {PARTS, "page word 2", 0, 2},
                  {PARTS, "65 parts", 8 + 0x11C, 65},
                  {PARTS, "17 dummies", 8 + 0x58, 17},
                  {PARTS, "a corner outside", int64_t(partsTriangles) + 4, 12},
                  {SURFACES, "group count 0 of part 2", 4 + 256 + 128 + 2, 0x00000001},
                  {SURFACES, "group count 65 of part 2", 4 + 256 + 128 + 2, 0x00410001},
                  {SURFACES, "31 vertices for 10 triangles", 4 + 4, 31},
                  {SURFACES, "a corner outside", 16900 + 56 * 10 + 4, 12},
                  {TEXTURES, "a corner outside", 4 + 56 * 29 + 12, 12}});
    for (const auto& [page, what, offset, word] : cases) {
        begin(page);
        model.triangles[0].flags ^= 0x40; // kept by every page with files
        ASSERT_TRUE(takeSnapshot(false));
        const std::vector<uint8_t> now = state();
        std::vector<uint8_t> bytes = readBytes(file);
        if (offset == -2) bytes.pop_back();
        if (offset >= 0) setWordAt(bytes, size_t(offset), word);
        std::remove(file.c_str());
        if (offset != -1) writeBytes(file, bytes);
        messages.errors.clear();
        EXPECT_TRUE(!undoStep() && state() == now && undo.current == 2 && undo.canUndo &&
                    !undo.canRedo)
            << page << " " << what;
        EXPECT_EQ(messages.errors.back(), "Data couldn't be restored!") << what;
        EXPECT_TRUE(offset != -1 ||
                    messages.errors.front() == "Error:2\nNo such file or directory: " + file);
    }
}

TEST_F(UndoStore, WithoutMemoryTheEditStillCounts) {
    failAllocationsAfter(0), beginUndoHistory(DUMMIES);
    failAllocationsAfter(-1);
    EXPECT_EQ(messages.errors.back(), "Not enough memory for Undo storage!");
    model.modelModified = false;
    EXPECT_FALSE(takeSnapshot(false) || undo.canUndo || undo.slotValid[1]);
    EXPECT_TRUE(model.modelModified);
}

// 2000 random steps on random pages: after each, the model is the state the
// list of snapshots holds for that position. Now and then the disk is full:
// the snapshot fails, the ring stays, and the next event stores the edit.
TEST_F(UndoStore, SoakOfEditsUndosAndRedosAcrossPages) {
    int page = PARTS, failures = 0;
    begin(page);
    std::vector<std::vector<uint8_t>> history{state()};
    size_t at = 0;
    rlimit old, full;
    getrlimit(RLIMIT_FSIZE, &old), full = old, full.rlim_cur = 1000; // below every snapshot file
    std::signal(SIGXFSZ, SIG_IGN);
    for (int step = 0; step < 2000; ++step) {
        const uint32_t action = random() % 100;
        if (action < 3) { // another page
            begin(page = 1 + int(random() % 5)), history = {state()}, at = 0;
        } else if (action < 45) {
            edit(page, random);
            const bool diskFull = random() % 20 == 0;
            const uint32_t current = undo.current;
            if (diskFull) setrlimit(RLIMIT_FSIZE, &full);
            const bool stored = takeSnapshot(false);
            setrlimit(RLIMIT_FSIZE, &old);
            if (!stored) {
                ++failures;
                ASSERT_TRUE(diskFull && page != DUMMIES && page != COLORS &&
                            undo.current == current);
                ASSERT_EQ(messages.errors.end()[-2].rfind("Error:27\n", 0), 0u);
                ASSERT_EQ(messages.errors.back(),
                          "Not enough memory or disk space for Undo storage!");
                ASSERT_FALSE(std::filesystem::exists(snapshotPath(int((current + 1) & 63))));
                ASSERT_TRUE(takeSnapshot(false)) << step;
            }
            history.resize(at + 1), history.push_back(state());
            if (history.size() > 63) history.erase(history.begin());
            at = history.size() - 1;
        } else {
            const bool back = action < 75;
            const bool possible = back ? at > 0 : at + 1 < history.size();
            ASSERT_EQ(back ? undoStep() : redoStep(), possible) << step;
            if (possible) at += back ? -1 : 1;
        }
        ASSERT_EQ(state(), history[at]) << "step " << step << " page " << page;
        ASSERT_EQ(std::make_pair(undo.canUndo, undo.canRedo),
                  std::make_pair(at > 0, at + 1 < history.size()));
    }
    EXPECT_GT(failures, 10);
}
