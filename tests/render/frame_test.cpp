// The frame as a whole: creating its buffers, a screen of 2160 rows, and
// frames of a real car on every page that draw only inside the view and
// allocate nothing.
#include "model/fce_file.h"
#include "render/render_harness.h"

#include "support/heap_counter.h"

namespace {

class FrameTest : public RendererTest {};

// Draws the car on every page in four view modes, each with one kind of
// motion, in light mode, with the rubber band and on the Textures page the
// texture-mapping view. Every frame must show part of the car and leave the
// frame outside the view alone. Returns the heap allocations of the frames.
long drawEveryPage(const std::string& car) {
    EXPECT_TRUE(loadFceFile(car, false));
    fillTexture(0xFF8090A0);
    buildDummySymbols(-1);
    for (int t = 0; t < model.storeTriangles; t += 5) model.triangles[t].flags |= TRI_SELECTED;
    resetCamera();
    EXPECT_TRUE(startDriverSwing());
    light.lightFollowsCamera = render.lightMode = true;
    render.selectionMode = SELECTION_RECTANGLE_ADD;
    render.bandX0 = render.bandY0 = 10, render.bandX1 = 200, render.bandY1 = 100;
    motion.pitchStep = motion.yawStep = 1, motion.zoomStep = 0.1f;
    const uint32_t modes[4][2] = {{0xC2, MOTION_ORBIT},
                                  {VIEW_TEXTURES | VIEW_WINDOWS, MOTION_DRIVER},
                                  {VIEW_WIREFRAME | VIEW_NORMALS, MOTION_LIGHT_ORBIT},
                                  {0xC3 | VIEW_NORMALS, MOTION_ZOOM | MOTION_YAW | MOTION_PITCH}};
    changedOutsideView(true);
    long allocations = 0;
    for (int page = PAGE_CAMERA_LIGHT; page <= PAGE_TEXTURES; ++page)
        for (const auto& [flags, moving] : modes) {
            render.page = page, render.viewFlags = flags, motion.motionFlags = moving;
            render.textureMappingActive = page == PAGE_TEXTURES;
            buildAxisCross();
            const long before = heapAllocations();
            stepMotion();
            renderFrame();
            allocations += heapAllocations() - before;
            EXPECT_GT(countOther(0, 0, 24, 607, 551), 100) << page << " " << flags;
        }
    EXPECT_EQ(changedOutsideView(), 0);
    // A draw list left from the car is not followed into a smaller model.
    buildTriangleModel({{screenTriangle(0, 0, 9, 0, 0, 9)}});
    drawFrame();
    EXPECT_LE(render.drawCount, 1);
    return allocations;
}

TEST_F(FrameTest, SampleCarFramesStayInsideTheViewAndAllocateNothing) {
    const long allocations = drawEveryPage(sampleFce());
    if (!heapCounting) GTEST_SKIP() << "the sanitizer's allocator is not counted";
    EXPECT_EQ(allocations, 0);
    const long before = heapAllocations();
    freeBlock(allocBlock(16)); // the count sees the allocator's calloc
    EXPECT_EQ(heapAllocations() - before, 1);
}

TEST_F(FrameTest, ThirdPartyCarFramesStayInsideTheViewAndAllocateNothing) {
    SKIP_WITHOUT_SNOWMAN();
    EXPECT_EQ(drawEveryPage(snowmanFce()), 0);
}

TEST_F(FrameTest, FrameBufferCreationReportsFailuresAndDrawsEveryRowOfATallScreen) {
    RecordingMessages messages;
    uint32_t* const before = frame.frameBits;
    for (int successes : {1, 3}) { // the picture alone; the picture and z-buffer
        failAllocationsAfter(successes);
        EXPECT_FALSE(createFrameBuffer(1920, 1080));
        failAllocationsAfter(-1);
    }
    ASSERT_EQ(messages.errors.size(), 3u); // "Out of memory!" for each, and
    EXPECT_EQ(messages.errors[1], "Out of memory! (z-buffer)");
    EXPECT_EQ(frame.frameBits, before);
    // Sides of 1 to 32768 pixels; the view is kept inside a smaller screen.
    for (auto [w, h] : {std::array{0, 1}, {1, 0}, {32769, 1}, {1, 32769}})
        EXPECT_FALSE(createFrameBuffer(w, h)) << w << "x" << h;
    ASSERT_TRUE(createFrameBuffer(400, 60));
    EXPECT_EQ(std::pair(frame.viewWidth, frame.viewHeight), std::pair(400 - 192, 60 - 48));
    for (int more : {0, 1}) { // a client no larger than panel and strip has no view
        setViewSize(192 + more, 48 + more);
        EXPECT_EQ(frame.viewWidth + frame.viewHeight, 2 * more);
    }
    EXPECT_TRUE(createFrameBuffer(32768, 1));
    // The row tables are sized from the screen: a triangle over a view of
    // 2112 rows is drawn, shaded and textured, down to its last row.
    ASSERT_TRUE(createFrameBuffer(3840, 2160));
    setViewSize(3840, 2160);
    useFrontAxisCamera();
    buildTriangleModel({{screenTriangle(-2000, -1100, 2000, 1100, -2000, 1100)}});
    fillTexture(0xFF204060);
    for (uint32_t flags : {VIEW_SOLID, VIEW_TEXTURES}) {
        render.viewFlags = flags;
        renderFrame();
        EXPECT_NE(pixel(3, 2111), 0u) << flags;
    }
}

} // namespace
