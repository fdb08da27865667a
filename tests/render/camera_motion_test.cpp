// The camera and its motion: fit and slots, the eye point, projection, the
// light that follows the camera, keyboard and demo motion and the driver swing.
//
// Angles are quarter degrees: 180 is 45 degrees, 1260 is -45 degrees.
#include "render/render_harness.h"

#include <bit>
#include <cmath>

namespace {

// Two parts of one triangle each, corners (0, 0, 0), (9, 0, 0), (0, -9, 0),
// half size 2.8 x 0.8 x 2.5, on the start-up renderer (view 608 x 552).
class CameraTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp();
        buildTriangleModel(
            {{screenTriangle(0, 0, 9, 0, 0, 9)}, {screenTriangle(0, 0, 9, 0, 0, 9)}});
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
        camera.partCentred = c[0] != 0, model.partHalfWidth[0] = c[1];
        fitCamera();
        EXPECT_NEAR(camera.live.distance, c[2], 1e-5) << c[1];
    }
    selectCamera(6); // an axis view seen first is reset and fitted: (552 - 16) / (2 * 2.8)
    EXPECT_NEAR(camera.live.orthoScale, 95.71429, 1e-4);
    camera.live.orthoScale = 42.0f;
    selectCamera(0);
    for (int slot : {7, -1}) selectCamera(slot); // no such slot
    EXPECT_EQ(camera.currentCamera, 0);
    selectCamera(6);
    EXPECT_EQ(camera.live.orthoScale, 42.0f);
    model.header.halfSize = {0, 0, 0};
    fitCamera();
    EXPECT_EQ(camera.live.orthoScale, 42.0f);
    // Reset puts the perspective camera back to its start-up angles and focal
    // length, -276 / tan(23 degrees) for the 46-degree field over half the
    // view's 552 rows; 180 degrees and more give none.
    selectCamera(0);
    camera.live = {.pitch = 20, .yaw = 10}, camera.partCentred = true; // no focal length
    resetCamera();
    EXPECT_EQ(std::pair(camera.live.yaw, camera.live.pitch), std::pair(900, 1260));
    EXPECT_FALSE(camera.partCentred);
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
    const float cases[][7] = {{180, 120, 2, -4, 7.53794f, -8.46410f, 6.70951f},
                              {1260, 1320, -2, 4, -7.53794f, 8.46410f, 6.70951f},
                              {1260, 120, 2, 4, -4.70951f, -1.53590f, 5.53794f},
                              {1260, 120, 2, 4, -3.70951f, 0.46410f, 8.53794f}};
    model.header.partPos[0] = {1.0f, 2.0f, 3.0f};
    EXPECT_EQ(sinCos(-1).cosine, 1.0); // a negative angle, which no caller passes, reads nothing
    for (int i = 0; i < 4; ++i) {
        const float* c = cases[i];
        camera.live = {
            .panX = c[2], .panY = c[3], .distance = 10, .pitch = int(c[1]), .yaw = int(c[0])};
        camera.partCentred = i == 3;
        updateOrbitOffset(), computeEyePoint();
        EXPECT_NEAR(camera.eyePoint.x, c[4], 1e-4) << i;
        EXPECT_NEAR(camera.eyePoint.y, c[5], 1e-4) << i;
        EXPECT_NEAR(camera.eyePoint.z, c[6], 1e-4) << i;
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
        camera.live = {.pitch = c[0], .yaw = c[1]};
        prepareFrame();
        EXPECT_EQ(light.lightPitch, c[2]) << c[0];
        EXPECT_EQ(light.lightYaw, c[3]) << c[1];
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
        const float angle[] = {float(v.pitch), float(light.lightPitch),
                               float(v.yaw),   float(v.pitch),
                               v.distance,     float(motion.driverAngle)};
        const float step[] = {float(motion.pitchStep), float(motion.yawStep), float(motion.yawStep),
                              float(motion.pitchStep), motion.zoomStep,       motion.zoomStep};
        const int bit = std::countr_zero(uint32_t(c[0]));
        EXPECT_EQ(angle[bit], c[3]) << c[0] << " " << c[1];
        EXPECT_TRUE(step[bit] == c[4] || std::isnan(c[4])) << c[0] << " " << c[1];
    }
}

TEST_F(CameraTest, DriverSwingTurnsTheSavedPositionsAndLeavesFixedSlots) {
    model.selectedPart = 7; // no such part
    EXPECT_FALSE(startDriverSwing());
    model.selectedPart = 1;
    Vec3* corner = model.vertices + partSlot(1);
    model.vertexFlags[partSlot(1) + 1] = VERTEX_FIXED;
    ASSERT_TRUE(startDriverSwing());
    motion.motionFlags = MOTION_DRIVER;
    // A quarter turn about z takes (x, y) to (-y, x): (0, -9) to (9, 0); the
    // negative one to (y, -x): (-9, 0), from the saved copy.
    for (int sign : {1, -1}) {
        motion.driverAngle = 360 * sign;
        prepareFrame();
        EXPECT_NEAR(corner[2].x, 9.0f * sign, 1e-5);
        EXPECT_NEAR(corner[2].y, 0.0f, 1e-5);
        EXPECT_EQ(corner[1].x, 9.0f);          // fixed
        EXPECT_EQ(model.vertices[2].y, -9.0f); // part 0 stays
    }
    stopDriverSwing();
    EXPECT_EQ(corner[2].y, -9.0f);
    EXPECT_EQ(motion.swingSaved, nullptr);
}

} // namespace
