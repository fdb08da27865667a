// The frame as a whole: creating its buffers, drawing without allocating,
// and the hash that golden-frame tests compare.
#include "model/alloc.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "render/render.h"
#include "render/render_harness.h"
#include "support/test_support.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
std::atomic<long> heapAllocations{0};
}

// Counts every allocation of the test binary.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
    ++heapAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

namespace {

class FrameTest : public RendererTest {};

TEST_F(FrameTest, FramesAllocateNothing) {
    buildRingModel(4000);
    fillTexture(0xFF808080);
    model.header.numDummies = 1;
    std::strcpy(model.header.dummyNames[0], "HWYN5");
    buildDummySymbols(-1);
    for (int t = 0; t < model.storeTriangles; t += 5) model.triangles[t].flags |= TRI_SELECTED;
    camera.live = ViewCamera{};
    resetCamera();
    ASSERT_TRUE(startDriverSwing());
    RecordingMessages messages;
    const struct {
        int page;
        uint32_t flags;
        uint32_t motion;
    } cases[] = {{PAGE_CAMERA_LIGHT, 0xC2 | VIEW_WIREFRAME | VIEW_NORMALS, MOTION_ORBIT},
                 {PAGE_PARTS, VIEW_TEXTURES | VIEW_WINDOWS, MOTION_DRIVER},
                 {PAGE_SURFACES, VIEW_WIREFRAME, MOTION_LIGHT_ORBIT},
                 {PAGE_DUMMIES, 0xC2, MOTION_ZOOM},
                 {PAGE_TEXTURES, 0xC6, 0}};
    render.lightMode = true;
    render.selectionMode = SELECTION_RECTANGLE_ADD;
    render.bandX0 = 10, render.bandY0 = 10, render.bandX1 = 200, render.bandY1 = 100;
    render.textureMappingActive = true;
    light.lightFollowsCamera = true;
    for (const auto& c : cases) {
        render.page = c.page;
        render.viewFlags = c.flags;
        motion.motionFlags = c.motion;
        motion.pitchStep = motion.yawStep = 1;
        motion.zoomStep = 0.1f;
        failAllocationsAfter(0); // any allocBlock now fails and says so
        const long before = heapAllocations;
        for (int i = 0; i < 3; ++i) {
            stepMotion();
            prepareFrame();
            drawFrame();
        }
        const long allocations = heapAllocations - before;
        failAllocationsAfter(-1);
        EXPECT_EQ(allocations, 0) << c.page;
        EXPECT_TRUE(messages.errors.empty()) << c.page;
        EXPECT_GT(render.drawCount, 0) << c.page;
    }
    stopDriverSwing();
}

TEST_F(FrameTest, CreatingTheFrameBufferReportsWhatFailed) {
    RecordingMessages messages;
    uint32_t* const before = frame.frameBits;
    failAllocationsAfter(1); // the picture succeeds, the z-buffer does not
    EXPECT_FALSE(createFrameBuffer(1920, 1080));
    failAllocationsAfter(-1);
    ASSERT_EQ(messages.errors.size(), 2u);
    EXPECT_EQ(messages.errors[0], "Out of memory!");
    EXPECT_EQ(messages.errors[1], "Out of memory! (z-buffer)");
    // The old buffers are still there and still work.
    EXPECT_EQ(frame.frameBits, before);
    EXPECT_EQ(frame.screenWidth, 1024);
    drawFrame();

    failAllocationsAfter(3); // the row table and scratch fail: no z-buffer message
    EXPECT_FALSE(createFrameBuffer(1920, 1080));
    failAllocationsAfter(-1);
    EXPECT_EQ(messages.errors.size(), 3u);
    EXPECT_FALSE(createFrameBuffer(0, 100));
    EXPECT_FALSE(createFrameBuffer(100, -1));

    ASSERT_TRUE(createFrameBuffer(640, 480)); // a smaller screen keeps the view inside
    EXPECT_EQ(frame.viewWidth, 640 - 192);
    EXPECT_EQ(frame.viewHeight, 480 - 48);
    EXPECT_EQ(frame.rowOffsets[479], 479 * 640);
}

TEST_F(FrameTest, ClearAndFillTouchOnlyTheView) {
    *pixelAt(608, 0) = 0x123456;
    *pixelAt(0, 552) = 0x123456;
    fillView(NO_MODEL_COLOR);
    EXPECT_EQ(pixel(607, 551), 0xC0C0C0u);
    EXPECT_EQ(pixel(0, 0), 0xC0C0C0u);
    *depthAt(5, 5) = 3.0f;
    clearView();
    EXPECT_EQ(pixel(607, 551), 0u);
    EXPECT_EQ(depth(5, 5), -320.0f);
    EXPECT_EQ(pixel(608, 0), 0x123456u);
    EXPECT_EQ(pixel(0, 552), 0x123456u);
}

TEST_F(FrameTest, FrameHashIsStableAndSeesEveryPixel) {
    buildRingModel(2000);
    const std::vector<uint32_t> first = renderView(320, 240);
    const uint64_t hash = hashFrame();
    EXPECT_EQ(renderView(320, 240), first);
    EXPECT_EQ(hashFrame(), hash);
    EXPECT_EQ(first.size(), 320u * 240u);
    *pixelAt(319, 239) ^= 1;
    EXPECT_NE(hashFrame(), hash);
    render.viewFlags |= VIEW_WIREFRAME;
    renderView(320, 240);
    EXPECT_NE(hashFrame(), hash);
}

TEST_F(FrameTest, ADrawListLeftFromALargerModelIsNotFollowed) {
    buildRingModel(2000);
    camera.live = ViewCamera{};
    resetCamera();
    prepareFrame();
    ASSERT_GT(render.drawCount, 100);
    useFrontAxisCamera();
    buildTriangleModel({{screenTriangle(0, 0, 9, 0, 0, 9)}});
    drawFrame(); // without prepareFrame: the old count must not index the new arrays
    EXPECT_LE(render.drawCount, 1);
}

TEST_F(FrameTest, RealCarDrawsInEveryPageAndModeInsideTheView) {
    SKIP_WITHOUT_SNOWMAN();
    RecordingMessages messages;
    ASSERT_TRUE(loadFceFile(snowmanFce(), false));
    fillTexture(0xFF8090A0);
    buildDummySymbols(-1);
    camera.live = ViewCamera{};
    resetCamera();
    for (int y = 0; y < frame.screenHeight; ++y)
        for (int x = frame.viewWidth; x < frame.screenWidth - 96; ++x) *pixelAt(x, y) = 0x123456;
    const uint32_t modes[] = {0xC2, VIEW_TEXTURES | VIEW_WINDOWS, VIEW_WIREFRAME | VIEW_NORMALS,
                              0xC3 | VIEW_NORMALS};
    for (int page = PAGE_CAMERA_LIGHT; page <= PAGE_TEXTURES; ++page)
        for (uint32_t mode : modes) {
            render.page = page;
            render.viewFlags = mode;
            render.lightMode = true;
            model.renderCacheValid = false;
            buildAxisCross();
            renderFrame();
            EXPECT_GT(render.drawCount, 0) << page << " " << mode;
            // The Surfaces and Textures pages show the selected part alone.
            const bool onePart = page == PAGE_SURFACES || page == PAGE_TEXTURES;
            EXPECT_GT(countDrawn(), onePart ? 100 : 1000) << page << " " << mode;
        }
    int outside = 0;
    for (int y = 0; y < frame.screenHeight; ++y)
        for (int x = frame.viewWidth; x < frame.screenWidth - 96; ++x)
            outside += *pixelAt(x, y) != 0x123456;
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(messages.errors.empty());
}

} // namespace
