// Continuous motion: turning, zoom limits, the demo orbits and the driver swing.
#include "model/car_model.h"
#include "render/render.h"
#include "render/render_harness.h"

#include <cmath>

namespace {

class MotionTest : public RendererTest {};

TEST_F(MotionTest, YawAndPitchWrapAndRecomputeTheOrbit) {
    camera.live.yaw = 1438;
    camera.live.pitch = 2;
    motion.motionFlags = MOTION_YAW | MOTION_PITCH;
    motion.yawStep = 4;
    motion.pitchStep = -4;
    stepMotion();
    EXPECT_EQ(camera.live.yaw, 2);
    EXPECT_EQ(camera.live.pitch, 1438);
    EXPECT_EQ(camera.live.orbitOffset, direction(1438, 2, camera.live.distance));
}

TEST_F(MotionTest, ZoomIsHeldBetweenNearestAndFarthest) {
    motion.motionFlags = MOTION_ZOOM;
    camera.live.distance = 45.0f;
    motion.zoomStep = 15.0f;
    stepMotion();
    EXPECT_EQ(camera.live.distance, 50.0f);
    camera.live.distance = 0.7f;
    motion.zoomStep = -0.5f;
    stepMotion();
    EXPECT_EQ(camera.live.distance, 0.5f);
    motion.zoomStep = 1.0f;
    stepMotion();
    EXPECT_EQ(camera.live.distance, 1.5f);
    EXPECT_EQ(camera.live.orbitOffset, direction(1260, 900, 1.5f));
}

TEST_F(MotionTest, DemoOrbitTurnsBackAfterLeavingItsPitchRange) {
    motion.motionFlags = MOTION_ORBIT;
    camera.live.yaw = 1438;
    camera.live.pitch = 1435;
    motion.pitchStep = 1;
    stepMotion();
    EXPECT_EQ(camera.live.yaw, 2);
    EXPECT_EQ(camera.live.pitch, 1436);
    EXPECT_EQ(motion.pitchStep, 1);
    stepMotion(); // one step beyond, then the step turns round
    EXPECT_EQ(camera.live.pitch, 1437);
    EXPECT_EQ(motion.pitchStep, -1);
    stepMotion();
    EXPECT_EQ(camera.live.pitch, 1436);

    camera.live.pitch = 1260;
    motion.pitchStep = -1;
    stepMotion();
    EXPECT_EQ(camera.live.pitch, 1259);
    EXPECT_EQ(motion.pitchStep, 1);
    stepMotion();
    EXPECT_EQ(camera.live.pitch, 1260);
}

TEST_F(MotionTest, LightOrbitTurnsBackAndInvalidatesShades) {
    motion.motionFlags = MOTION_LIGHT_ORBIT;
    light.lightYaw = 2;
    light.lightPitch = 240;
    motion.yawStep = 1;
    model.renderCacheValid = true;
    stepMotion();
    EXPECT_EQ(light.lightYaw, 1438);
    EXPECT_EQ(light.lightPitch, 241);
    EXPECT_EQ(motion.yawStep, -1);
    EXPECT_FALSE(model.renderCacheValid);
    EXPECT_EQ(light.lightDir, direction(241, 1438, 1.0f));

    light.lightPitch = 0; // below 0 it wraps to 1439, which also turns back
    stepMotion();
    EXPECT_EQ(light.lightPitch, 1439);
    EXPECT_EQ(motion.yawStep, 1);
    stepMotion();
    EXPECT_EQ(light.lightPitch, 0);
}

TEST_F(MotionTest, DriverAngleTruncatesAndTurnsBack) {
    motion.motionFlags = MOTION_DRIVER;
    motion.zoomStep = 2.7f;
    motion.driverAngle = 118;
    stepMotion();
    EXPECT_EQ(motion.driverAngle, 120);
    EXPECT_EQ(motion.zoomStep, 2.7f);
    stepMotion();
    EXPECT_EQ(motion.driverAngle, 122);
    EXPECT_EQ(motion.zoomStep, -2.7f);
    motion.driverAngle = 0;
    motion.zoomStep = -0.9f; // truncation toward zero: no movement
    stepMotion();
    EXPECT_EQ(motion.driverAngle, 0);
    motion.zoomStep = NAN; // never set by a command; must not convert undefined
    stepMotion();
    EXPECT_EQ(motion.driverAngle, 0);
}

// A part of four vertices, two of them marked as staying where they are.
void buildDriverPart() {
    buildTriangleModel({{screenTriangle(0, 0, 1, 0, 0, 1)}, {screenTriangle(2, 0, 3, 0, 2, 1)}});
    model.selectedPart = 1;
    model.partFlags[1] |= PART_DRIVER;
    const int slot = partSlot(1);
    model.vertices[slot + 0] = {1.0f, 0.0f, 0.0f};
    model.vertices[slot + 1] = {0.0f, 2.0f, 0.0f};
    model.vertices[slot + 2] = {3.0f, 0.0f, 5.0f};
    model.vertexFlags[slot + 1] = VERTEX_FIXED;
}

TEST_F(MotionTest, DriverSwingTurnsTheSavedPositionsAndLeavesFixedSlots) {
    buildDriverPart();
    const int slot = partSlot(1);
    const Vec3 otherPart = model.vertices[0];
    ASSERT_TRUE(startDriverSwing());
    motion.motionFlags = MOTION_DRIVER;
    motion.driverAngle = 360; // a quarter turn about z
    prepareFrame();
    EXPECT_NEAR(model.vertices[slot + 0].x, 0.0f, 1e-6);
    EXPECT_NEAR(model.vertices[slot + 0].y, 1.0f, 1e-6);
    EXPECT_EQ(model.vertices[slot + 1].x, 0.0f); // VERTEX_FIXED: untouched
    EXPECT_EQ(model.vertices[slot + 1].y, 2.0f);
    EXPECT_NEAR(model.vertices[slot + 2].y, 3.0f, 1e-6);
    EXPECT_EQ(model.vertices[slot + 2].z, 5.0f);
    EXPECT_EQ(model.vertices[0].x, otherPart.x);

    motion.driverAngle = -360; // negative angles turn the other way, from the saved copy
    prepareFrame();
    EXPECT_NEAR(model.vertices[slot + 0].y, -1.0f, 1e-6);
    EXPECT_NEAR(model.vertices[slot + 2].y, -3.0f, 1e-6);
    EXPECT_EQ(model.vertices[slot + 1].y, 2.0f);

    stopDriverSwing();
    EXPECT_EQ(model.vertices[slot + 0].x, 1.0f);
    EXPECT_EQ(model.vertices[slot + 0].y, 0.0f);
    EXPECT_EQ(model.vertices[slot + 2].x, 3.0f);
    EXPECT_EQ(motion.swingSaved, nullptr);
}

TEST_F(MotionTest, DriverSwingNeedsAPart) {
    buildDriverPart();
    model.selectedPart = 7; // no such part
    EXPECT_FALSE(startDriverSwing());
    motion.motionFlags = MOTION_DRIVER;
    motion.driverAngle = 90;
    prepareFrame(); // nothing saved: nothing moves
    EXPECT_EQ(model.vertices[partSlot(1)].x, 1.0f);
}

} // namespace
