// Angles, the view geometry, focal length, camera slots, reset, fit and the
// eye point.
#include "model/car_model.h"
#include "render/render.h"
#include "render/render_harness.h"

#include <cmath>

namespace {
constexpr double PI = 3.14159265358979323846;

TEST(Angles, SinCosAtQuadrantBoundariesAndFullTurn) {
    const struct {
        int angle;
        double sine, cosine;
    } cases[] = {{0, 0, 1}, {360, 1, 0}, {720, 0, -1}, {1080, -1, 0}, {1440, 0, 1}, {2000, 0, 1}};
    for (const auto& c : cases) {
        const SinCos r = sinCos(c.angle);
        EXPECT_EQ(r.sine, c.sine) << c.angle;
        EXPECT_EQ(r.cosine, c.cosine) << c.angle;
    }
}

TEST(Angles, SinCosFollowsTheCircleInEveryQuadrant) {
    for (int a = 0; a < 1440; ++a) {
        const SinCos r = sinCos(a);
        EXPECT_NEAR(r.sine, std::sin(a * PI / 720), 1e-8) << a;
        EXPECT_NEAR(r.cosine, std::cos(a * PI / 720), 1e-8) << a;
    }
    // Neighbours of the boundaries read the mirrored table entries.
    EXPECT_EQ(sinCos(359).cosine, sineTable()[1]);
    EXPECT_EQ(sinCos(361).cosine, -sineTable()[1]);
    EXPECT_EQ(sinCos(1439).sine, -sineTable()[1]);
}

TEST(Angles, NegativeAngleStaysInsideTheTable) {
    const SinCos r = sinCos(-1);
    EXPECT_EQ(r.sine, 0.0);
    EXPECT_EQ(r.cosine, 1.0);
}

TEST(Angles, DirectionAndRotations) {
    const Direction d = direction(180, 180, 1.0f);
    EXPECT_NEAR(d[0], 0.5, 1e-9);
    EXPECT_NEAR(d[1], -std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(d[2], 0.5, 1e-9);
    // rotationX(1440) is the identity, so a pitch of 0 leaves the view unturned.
    const Matrix3 x = rotationX(1440);
    const Matrix3 i = identityMatrix();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(x.m[r][c], i.m[r][c]);
    // The rotated (0, 0, -1) of composeRotation(a, b, 0) is minus direction(a, b).
    composeRotation(200, 100, 0);
    const Direction e = direction(200, 100, 1.0f);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(-camera.viewMatrix.m[2][c], -e[c], 1e-12);
    // rotationZ turns x towards y for a row vector.
    const Matrix3 z = rotationZ(360);
    EXPECT_NEAR(z.m[0][1], 1.0, 1e-12);
    EXPECT_NEAR(z.m[1][0], -1.0, 1e-12);
}

TEST_F(RendererTest, ViewSizeFromClientArea) {
    setViewSize(800, 600);
    EXPECT_EQ(frame.viewWidth, 608);
    EXPECT_EQ(frame.viewHeight, 552);
    EXPECT_EQ(frame.viewCentreX, 304);
    EXPECT_EQ(frame.viewCentreY, 276);
    EXPECT_EQ(frame.viewCentreXf, 304.0f);
    EXPECT_EQ(frame.clipLeft, 0.0f);
    EXPECT_EQ(frame.clipTop, 0.0f);
    EXPECT_EQ(frame.clipRight, 607.0f);
    EXPECT_EQ(frame.clipBottom, 551.0f);

    setViewSize(5000, 5000); // larger than the 1024 x 768 screen
    EXPECT_EQ(frame.viewWidth, 1024 - 192);
    EXPECT_EQ(frame.viewHeight, 768 - 48);

    setViewSize(100, 30); // smaller than panel and strip
    EXPECT_EQ(frame.viewWidth, 0);
    EXPECT_EQ(frame.viewHeight, 0);
}

TEST_F(RendererTest, FocalLengthFromFieldOfView) {
    EXPECT_EQ(focalFromFov(0), 0.0f);
    EXPECT_EQ(focalFromFov(180), 0.0f);
    EXPECT_EQ(focalFromFov(-5), 0.0f);
    // An 800 x 600 view: half the smaller side is 300.
    setViewSize(800 + 192, 600 + 48);
    EXPECT_NEAR(focalFromFov(46), -300 / std::tan(23 * PI / 180), 1e-3);
    EXPECT_NEAR(focalFromFov(46), -706.8, 0.05);
    // An 800 x 600 client area gives a 608 x 552 view: half of 552.
    setViewSize(800, 600);
    EXPECT_NEAR(focalFromFov(46), -276 / std::tan(23 * PI / 180), 1e-3);
}

TEST_F(RendererTest, FitFramesTheModelOrItsPart) {
    buildRingModel(200); // half size 2.8 x 0.8 x 2.8
    model.partHalfWidth[0] = 1.0f;
    fitCamera();
    const SinCos half = sinCos(92);
    EXPECT_FLOAT_EQ(camera.live.distance, float(half.cosine * (2.8f / half.sine)));
    EXPECT_EQ(camera.live.orbitOffset, direction(1260, 900, camera.live.distance));

    camera.partCentred = true;
    fitCamera();
    EXPECT_FLOAT_EQ(camera.live.distance, float(half.cosine * (1.0 / half.sine)));

    model.partHalfWidth[0] = 0.1f; // too close: held at the nearest distance
    fitCamera();
    EXPECT_EQ(camera.live.distance, 0.5f);

    camera.partCentred = false;
    camera.live.panX = 3.0f;
    camera.live.panY = -2.0f;
    selectCamera(2); // first time: reset and fitted
    EXPECT_EQ(camera.live.panX, 0.0f);
    EXPECT_FLOAT_EQ(camera.live.orthoScale, float((552 - 16) / (2.8f + 2.8f)));
}

TEST_F(RendererTest, FitKeepsTheCameraForAModelWithoutExtent) {
    buildRingModel(200);
    fitCamera();
    const float distance = camera.live.distance;
    selectCamera(1);
    const float scale = camera.live.orthoScale;
    ASSERT_GT(scale, 0.0f);

    model.header.halfSize = {0.0f, 0.0f, 0.0f};
    fitCamera();
    EXPECT_EQ(camera.live.orthoScale, scale);
    selectCamera(0);
    fitCamera();
    EXPECT_EQ(camera.live.distance, distance);

    model.header.halfSize = {NAN, NAN, NAN};
    fitCamera();
    EXPECT_EQ(camera.live.distance, distance);
    camera.partCentred = true; // the part has no width either
    fitCamera();
    EXPECT_EQ(camera.live.distance, distance);
    EXPECT_TRUE(std::isfinite(camera.live.orbitOffset[2]));
    EXPECT_TRUE(std::isfinite(camera.eyePoint.z));
}

TEST_F(RendererTest, AxisViewKeepsItsScaleWhenSelectedAgain) {
    buildRingModel(200);
    selectCamera(3);
    EXPECT_EQ(camera.currentCamera, 3);
    EXPECT_EQ(camera.live.viewIndex, 3);
    camera.live.orthoScale = 42.0f;
    camera.live.panX = 1.5f;
    selectCamera(0);
    EXPECT_EQ(camera.live.viewIndex, 0);
    EXPECT_EQ(camera.cameraSlots[3].orthoScale, 42.0f);
    selectCamera(3);
    EXPECT_EQ(camera.live.orthoScale, 42.0f);
    EXPECT_EQ(camera.live.panX, 1.5f);
    selectCamera(9); // no such slot
    EXPECT_EQ(camera.currentCamera, 3);
}

TEST_F(RendererTest, ResetCameraRestoresAnglesAndStopsCentring) {
    buildRingModel(200);
    camera.live.yaw = 10;
    camera.live.pitch = 20;
    camera.live.panX = 1.0f;
    camera.partCentred = true;
    resetCamera();
    EXPECT_EQ(camera.live.yaw, 900);
    EXPECT_EQ(camera.live.pitch, 1260);
    EXPECT_EQ(camera.live.panX, 0.0f);
    EXPECT_FALSE(camera.partCentred);
    EXPECT_EQ(camera.live.focalLength, focalFromFov(46));
}

TEST_F(RendererTest, EyePointFollowsOrbitPanAndCentredPart) {
    buildRingModel(200);
    camera.live.yaw = 0;
    camera.live.pitch = 0;
    camera.live.distance = 10.0f;
    updateOrbitOffset();
    camera.live.panX = 2.0f;
    camera.live.panY = 3.0f;
    computeEyePoint();
    // yaw 0 and pitch 0: a = b = 1440, sine 0 and cosine 1.
    EXPECT_FLOAT_EQ(camera.eyePoint.x, 2.0f);
    EXPECT_FLOAT_EQ(camera.eyePoint.y, 3.0f);
    EXPECT_FLOAT_EQ(camera.eyePoint.z, 10.0f);
    model.header.partPos[0] = {1.0f, 1.0f, 1.0f};
    camera.partCentred = true;
    computeEyePoint();
    EXPECT_FLOAT_EQ(camera.eyePoint.x, 3.0f);
    EXPECT_FLOAT_EQ(camera.eyePoint.z, 11.0f);
}

} // namespace
