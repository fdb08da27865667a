// The camera and its motion, and the frame as a whole. The camera: fit and
// slots, the eye point, projection, the light that follows the camera,
// keyboard and demo motion and the driver swing. The frame: creating its
// buffers, a screen of 2160 rows, and frames of a real car on every page that
// draw only inside the view and allocate nothing.
//
// Angles are quarter degrees: 180 is 45 degrees, 1260 is -45 degrees.
#include "model/fce_file.h"
#include "render/render_harness.h"
#include "support/heap_counter.h"

#include <bit>
#include <cmath>

namespace {

// Two parts of one triangle each, corners (0, 0, 0), (9, 0, 0), (0, -9, 0),
// half size 2.8 x 0.8 x 2.5, on the start-up renderer (view 608 x 552).
class CameraTest : public RendererTest {
  protected:
    void SetUp() override {
        const TestTriangle triangle = screenTriangle(0, 0, 9, 0, 0, 9);
        RendererTest::SetUp(), buildTriangleModel({{triangle}, {triangle}});
        model.header.halfSize = {2.8f, 0.8f, 2.5f};
    }
};

TEST_F(CameraTest, FitFramesTheModelOrItsPartAndSlotsKeepTheirSettings) {
    // The largest half size h fills half the 46-degree field: the distance is
    // h / tan(23 degrees) = 2.35585 h, never below 0.5. Without extent (0, not
    // a number) the distance stays. {part-centred, part half width, distance}:
    const float cases[][3] = {{0, 9, 6.59639f},   {1, 1, 2.35585f},     {1, 0, 2.35585f},
                              {1, NAN, 2.35585f}, {1, 0.25f, 0.58896f}, {1, 0.1f, 0.5f}};
    for (const auto& c : cases) {
        camera.partCentred = c[0] != 0, model.partHalfWidth[0] = c[1], fitCamera();
        EXPECT_NEAR(camera.live.distance, c[2], 1e-5) << c[1];
    }
    selectCamera(6); // an axis view seen first is reset and fitted: (552 - 16) / (2 * 2.8)
    EXPECT_NEAR(camera.live.orthoScale, 95.71429, 1e-4);
    // 7 and -1: no such slot.
    camera.live.orthoScale = 42.0f, selectCamera(0), selectCamera(7), selectCamera(-1);
    EXPECT_EQ(camera.currentCamera, 0);
    selectCamera(6);
    EXPECT_EQ(camera.live.orthoScale, 42.0f);
    model.header.halfSize = {0, 0, 0}, fitCamera();
    EXPECT_EQ(camera.live.orthoScale, 42.0f);
    // Reset puts the perspective camera back to its start-up angles and focal
    // length, -276 / tan(23 degrees) for the 46-degree field over half the
    // view's 552 rows; 180 degrees and more give none.
    selectCamera(0), camera.live = {.pitch = 20, .yaw = 10}, camera.partCentred = true;
    resetCamera();
    EXPECT_EQ(std::tuple(camera.live.yaw, camera.live.pitch, camera.partCentred),
              std::tuple(900, 1260, false));
    EXPECT_NEAR(camera.live.focalLength, -650.2153, 1e-3);
    EXPECT_EQ(focalFromFov(180), 0.0f);
}

TEST_F(CameraTest, EyePointFollowsOrbitPanAndCentredPart) {
    // eye = direction(pitch, yaw, d) + (panX cos -yaw, panY cos -pitch,
    //       panX sin -yaw + panY sin -pitch), direction = (cos p sin y, -sin p,
    //       cos p cos y) d. With d = 10: 10 cos 30 sin 45 = 6.12372, 10 sin 30 = 5,
    //       2 sin 45 = 1.41421, 4 cos 30 = 3.46410, 4 sin 30 = 2.
    // yaw 45, pitch 30, pan (2, -4): x = 6.12372 + 1.41421, y = -5 - 3.46410,
    //   z = 6.12372 - 1.41421 + 2.
    // yaw -45, pitch -30, pan (-2, 4): x and y change sign, z keeps its terms.
    // yaw -45, pitch 30, pan (2, 4): x = -6.12372 + 1.41421, y = -5 + 3.46410,
    //   z = 6.12372 + 1.41421 - 2; centred on part 0, (1, 2, 3) is added.
    // {yaw, pitch, pan x, pan y, eye x, y, z, centred}:
    const float cases[][8] = {{180, 120, 2, -4, 7.53794f, -8.46410f, 6.70951f, 0},
                              {1260, 1320, -2, 4, -7.53794f, 8.46410f, 6.70951f, 0},
                              {1260, 120, 2, 4, -4.70951f, -1.53590f, 5.53794f, 0},
                              {1260, 120, 2, 4, -3.70951f, 0.46410f, 8.53794f, 1}};
    model.header.partPos[0] = {1.0f, 2.0f, 3.0f};
    EXPECT_EQ(sinCos(-1).cosine, 1.0); // a negative angle, which no caller passes, reads nothing
    for (const auto& c : cases) {
        camera.live = {
            .panX = c[2], .panY = c[3], .distance = 10, .pitch = int(c[1]), .yaw = int(c[0])};
        camera.partCentred = c[7] != 0, updateOrbitOffset(), computeEyePoint();
        const Vec3& e = camera.eyePoint;
        EXPECT_LT(std::hypot(e.x - c[4], e.y - c[5], e.z - c[6]), 1e-4) << c[0] << " " << c[1];
    }
}

TEST_F(CameraTest, ProjectionRoundsDownAndSendsPointsBehindFarAway) {
    // Camera point (-2.5, 1, -4), F = -500: x F / z = -312.5 and y F / z = 125,
    // so (304 - 312.5, 276 - 125) rounded down. At the camera plane and behind
    // it a point goes far away in its quadrant; a hair in front, beyond any
    // float, it is held.
    camera.live.focalLength = -500.0f;
    const Vec3 view[] = {{-2.5f, 1, -4}, {1, 2, 0}, {-1, -2, 3}, {0.3f, 0, -1e-40f}};
    const float far = SCREEN_FAR,
                expected[4][2] = {{-9, 151}, {far, -far}, {-far, far}, {FLT_MAX, 276}};
    float screen[4][2];
    projectPoints(view, &screen[0][0], 4, 0);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(screen[i / 2][i % 2], expected[i / 2][i % 2]) << i;
}

TEST_F(CameraTest, LightFollowingTheCameraComesFromTheViewersSide) {
    light.lightFollowsCamera = true;
    // {pitch, yaw, light pitch 1440 - pitch, light yaw yaw + 720}, inside a turn.
    const int cases[][4] = {
        {1300, 900, 140, 180}, {1300, 719, 140, 1439}, {0, 100, 0, 820}, {1, 0, 1439, 720}};
    for (const auto& c : cases) {
        camera.live = {.pitch = c[0], .yaw = c[1]}, prepareFrame();
        EXPECT_EQ(std::pair(light.lightPitch, light.lightYaw), std::pair(c[2], c[3])) << c[0];
    }
}

TEST_F(CameraTest, MotionWrapsAnglesHoldsZoomAndTurnsOrbitsBackBeyondTheirRange) {
    // Yaw and pitch wrap at a full turn. Zoom is held to 0.5..50. Camera pitch
    // 1260..1436, light pitch 0..240 and driver angle -120..120 (moved by the
    // step truncated toward zero): a step may end beyond the range, then the
    // step turns round. {motion, from, step, to, step after}:
    const float y = MOTION_YAW, p = MOTION_PITCH, z = MOTION_ZOOM, o = MOTION_ORBIT;
    const float l = MOTION_LIGHT_ORBIT, d = MOTION_DRIVER;
    const float cases[][5] = {{y, 1438, 4, 2, 4},         {p, 2, -4, 1438, -4},
                              {z, 45, 15, 50, 15},        {z, 49.75f, 0.25f, 50, 0.25f},
                              {z, 1, -0.5f, 0.5f, -0.5f}, {z, 0.75f, -0.5f, 0.5f, -0.5f},
                              {o, 1435, 1, 1436, 1},      {o, 1436, 1, 1437, -1},
                              {o, 1261, -1, 1260, -1},    {o, 1260, -1, 1259, 1},
                              {l, 239, 1, 240, 1},        {l, 240, 1, 241, -1},
                              {l, 0, -1, 1439, 1},        {d, 118, 2.7f, 120, 2.7f},
                              {d, 120, 2.7f, 122, -2.7f}, {d, -120, -2.7f, -122, 2.7f},
                              {d, 0, -0.9f, 0, -0.9f},    {d, 0, NAN, 0, NAN}};
    for (const auto& c : cases) {
        ViewCamera& v = camera.live;
        v.distance = c[1], v.yaw = v.pitch = light.lightPitch = int(c[1]);
        motion = {uint32_t(c[0]), int(c[2]), int(c[2]), c[2], int(c[1])}; // flags, steps, angle
        stepMotion();
        // The angle (or distance) and the step of each motion, by its flag's bit.
        const std::pair<float, float> moved[] = {
            {v.pitch, motion.pitchStep},   {light.lightPitch, motion.yawStep},
            {v.yaw, motion.yawStep},       {v.pitch, motion.pitchStep},
            {v.distance, motion.zoomStep}, {motion.driverAngle, motion.zoomStep}};
        const auto [angle, step] = moved[std::countr_zero(uint32_t(c[0]))];
        EXPECT_EQ(std::pair(angle, step == c[4] || std::isnan(c[4])), std::pair(c[3], true))
            << c[0] << " " << c[1] << ": step " << step;
    }
}

TEST_F(CameraTest, DriverSwingTurnsTheSavedPositionsAndLeavesFixedSlots) {
    model.selectedPart = 7; // no such part
    EXPECT_FALSE(startDriverSwing());
    model.selectedPart = 1, model.vertexFlags[partSlot(1) + 1] = VERTEX_FIXED;
    Vec3* corner = model.vertices + partSlot(1);
    ASSERT_TRUE(startDriverSwing());
    motion.motionFlags = MOTION_DRIVER;
    // A quarter turn about z takes (x, y) to (-y, x): (0, -9) to (9, 0); the
    // negative one to (y, -x): (-9, 0), from the saved copy.
    for (int sign : {1, -1}) {
        motion.driverAngle = 360 * sign, prepareFrame();
        EXPECT_LT(std::hypot(corner[2].x - 9.0f * sign, corner[2].y), 1e-5) << sign;
        EXPECT_TRUE(corner[1].x == 9.0f && model.vertices[2].y == -9.0f); // fixed; part 0 stays
    }
    stopDriverSwing();
    EXPECT_TRUE(corner[2].y == -9.0f && !motion.swingSaved);
}

using FrameTest = RendererTest;

// Draws the car on every page in four view modes, each with one kind of
// motion, in light mode, with the rubber band and on the Textures page the
// texture-mapping view. Every frame must show part of the car and leave the
// frame outside the view alone. Returns the heap allocations of the frames.
long drawEveryPage(const std::string& car) {
    EXPECT_TRUE(loadFceFile(car, false));
    fillTexture([](int, int) { return 0xFF8090A0u; }), buildDummySymbols(-1);
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
            render.textureMappingActive = page == PAGE_TEXTURES, buildAxisCross();
            const long before = heapAllocations();
            stepMotion(), prepareFrame(), drawFrame(), allocations += heapAllocations() - before;
            EXPECT_GT(countOther(0, 0, 24, 607, 551), 100) << page << " " << flags;
        }
    EXPECT_EQ(changedOutsideView(), 0);
    // A draw list left from the car is not followed into a smaller model.
    stopDriverSwing(), buildTriangleModel({{screenTriangle(0, 0, 9, 0, 0, 9)}}), drawFrame();
    EXPECT_LE(render.drawCount, 1);
    return allocations;
}

TEST_F(FrameTest, CarFramesStayInsideTheViewAndAllocateNothing) {
    const long before = heapAllocations();
    freeBlock(allocBlock(16)); // the count sees the allocator's calloc, unless a sanitizer's
    EXPECT_EQ(heapAllocations() - before, long(heapCounting));
    EXPECT_EQ(drawEveryPage(sampleFce()), 0);
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
    setViewSize(3840, 2160), useFrontAxisCamera();
    buildTriangleModel({{screenTriangle(-2000, -1100, 2000, 1100, -2000, 1100)}});
    fillTexture([](int, int) { return 0xFF204060u; });
    for (uint32_t flags : {VIEW_SOLID, VIEW_TEXTURES}) {
        render.viewFlags = flags, prepareFrame(), drawFrame();
        EXPECT_NE(*pixelAt(3, 2111), 0u) << flags;
    }
}

} // namespace
