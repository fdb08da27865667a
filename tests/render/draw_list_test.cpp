// Transform, projection and the draw list: culling, two-sided triangles,
// depth order and which triangles enter at all.
#include "model/car_model.h"
#include "render/render.h"
#include "render/render_harness.h"

#include <cfloat>
#include <cmath>

namespace {

class DrawListTest : public RendererTest {};

// A camera at distance 10 looking along -z with no turn (yaw 0, pitch 0).
void straightCamera(float focal) {
    camera.live.yaw = 0;
    camera.live.pitch = 0;
    camera.live.distance = 10.0f;
    camera.live.focalLength = focal;
    updateOrbitOffset();
    camera.viewMatrix = multiply(rotationY(1440), rotationX(1440));
}

TEST_F(DrawListTest, PerspectiveProjectionInFrontAtAndBehindTheCamera) {
    straightCamera(-500.0f);
    const Vec3 points[] = {{1, 2, 0},    {-1, -2, 0}, {1, 2, 10},
                           {-1, -2, 10}, {1, -2, 12}, {-1, 2, 25}};
    Vec3 view[6];
    float screen[6][2];
    transformPoints(points, view, 6, Vec3{0, 0, 0});
    EXPECT_EQ(view[0].z, -10.0f);
    projectPoints(view, &screen[0][0], 6, 0);
    // cx + x F / z and cy - y F / z, rounded down.
    EXPECT_EQ(screen[0][0], 304.0f + 50.0f);
    EXPECT_EQ(screen[0][1], 276.0f - 100.0f);
    EXPECT_EQ(screen[1][0], 304.0f - 50.0f);
    EXPECT_EQ(screen[1][1], 276.0f + 100.0f);
    // At the camera plane (z = 0) and behind it: sent far away by quadrant.
    EXPECT_EQ(screen[2][0], SCREEN_FAR);
    EXPECT_EQ(screen[2][1], -SCREEN_FAR);
    EXPECT_EQ(screen[3][0], -SCREEN_FAR);
    EXPECT_EQ(screen[3][1], SCREEN_FAR);
    EXPECT_EQ(screen[4][0], SCREEN_FAR);
    EXPECT_EQ(screen[4][1], SCREEN_FAR);
    EXPECT_EQ(screen[5][0], -SCREEN_FAR);
    EXPECT_EQ(screen[5][1], -SCREEN_FAR);
}

TEST_F(DrawListTest, ProjectionRoundsDownAndSaturates) {
    straightCamera(-500.0f);
    // Just in front of the camera the projection exceeds any float.
    Vec3 view[2] = {{0.3f, 0.0f, -1e-40f}, {-2.5f, 0.0f, -4.0f}};
    float screen[2][2];
    projectPoints(view, &screen[0][0], 2, 0);
    EXPECT_EQ(screen[0][0], FLT_MAX);
    EXPECT_EQ(screen[1][0], -9.0f); // 304 - 312.5 rounded down, not toward zero
}

TEST_F(DrawListTest, OrthographicProjectionIgnoresDepth) {
    useFrontAxisCamera(2.0f);
    Vec3 view[3] = {{1.0f, 1.0f, -5.0f}, {1.0f, 1.0f, 50.0f}, {-0.25f, 0.25f, 0.0f}};
    float screen[3][2];
    projectPoints(view, &screen[0][0], 3, 0);
    EXPECT_EQ(screen[0][0], 306.0f);
    EXPECT_EQ(screen[0][1], 274.0f);
    EXPECT_EQ(screen[1][0], 306.0f);
    EXPECT_EQ(screen[2][0], 303.0f); // floor(303.5)
    EXPECT_EQ(screen[2][1], 275.0f);
}

TEST_F(DrawListTest, InPlaceProjectionKeepsCameraDepth) {
    useFrontAxisCamera(1.0f);
    Vec3 points[2] = {{3.0f, 4.0f, 0.0f}, {-3.0f, -4.0f, 1.0f}};
    transformPoints(points, points, 2, Vec3{1.0f, 0.0f, 0.0f});
    projectPoints(points, reinterpret_cast<float*>(points), 2, 1);
    EXPECT_EQ(points[0].x, 308.0f);
    EXPECT_EQ(points[0].y, 272.0f);
    EXPECT_EQ(points[0].z, -100.0f);
    EXPECT_EQ(points[1].x, 302.0f);
    EXPECT_EQ(points[1].z, -99.0f);
}

TEST_F(DrawListTest, TransformCentresOnTheSelectedPart) {
    useFrontAxisCamera(1.0f);
    buildTriangleModel({{screenTriangle(0, 0, 1, 0, 0, 1)}, {screenTriangle(0, 0, 1, 0, 0, 1)}});
    model.header.partPos[1] = {5.0f, 6.0f, 7.0f};
    model.selectedPart = 1;
    camera.partCentred = true;
    camera.live.panX = 0.5f;
    const Vec3 p{5.0f, 6.0f, 7.0f};
    Vec3 out;
    transformPoints(&p, &out, 1, Vec3{1.0f, 0.0f, 0.0f});
    EXPECT_EQ(out.x, 0.5f); // 5 + 1 - 5 - pan
    EXPECT_EQ(out.y, 0.0f);
    EXPECT_EQ(out.z, -100.0f);
}

TEST_F(DrawListTest, CullingKeepsClockwiseFacesAndMarksTwoSidedOnesFromBehind) {
    useFrontAxisCamera();
    buildTriangleModel({{
        screenTriangle(0, 0, 40, 0, 0, 40),                 // clockwise on screen
        screenTriangle(0, 0, 0, 40, 40, 0),                 // counter-clockwise
        screenTriangle(0, 0, 0, 40, 40, 0, 0, TRI_NO_CULL), // two-sided, from behind
        screenTriangle(0, 0, 40, 0, 0, 40, 0, TRI_NO_CULL), // two-sided, from the front
    }});
    model.triangles[3].flags |= TRI_SEEN_FROM_BEHIND; // left from an earlier frame
    prepareFrame();
    ASSERT_EQ(render.drawCount, 3);
    EXPECT_EQ(model.triangleWork[0].triangle, 0u);
    EXPECT_EQ(model.triangleWork[1].triangle, 2u);
    EXPECT_EQ(model.triangleWork[2].triangle, 3u);
    EXPECT_TRUE(model.triangles[2].flags & TRI_SEEN_FROM_BEHIND);
    EXPECT_FALSE(model.triangles[3].flags & TRI_SEEN_FROM_BEHIND);
    EXPECT_FALSE(model.triangles[1].flags & TRI_SEEN_FROM_BEHIND);
    EXPECT_EQ(model.triangleWork[0].depth, -100.0f);
}

TEST_F(DrawListTest, TwoSidedTriangleFromBehindIsDrawnLikeAFrontFace) {
    useFrontAxisCamera();
    buildTriangleModel({{screenTriangle(0, 0, 0, 40, 40, 0, 0, TRI_NO_CULL)}});
    renderFrame();
    EXPECT_GT(countOther(0, 304, 276, 344, 316), 700);
    model.triangles[0].flags = 0; // one-sided and wound the other way: culled
    renderFrame();
    EXPECT_EQ(render.drawCount, 0);
    EXPECT_EQ(countOther(0, 304, 276, 344, 316), 0);
}

TEST_F(DrawListTest, SortedFarToNearWithEqualDepthsInStoredOrder) {
    useFrontAxisCamera();
    buildTriangleModel(
        {{screenTriangle(0, 0, 9, 0, 0, 9, -5), screenTriangle(0, 0, 9, 0, 0, 9, -20),
          screenTriangle(0, 0, 9, 0, 0, 9, -10), screenTriangle(0, 0, 9, 0, 0, 9, -20),
          screenTriangle(0, 0, 9, 0, 0, 9, -5)}});
    prepareFrame();
    ASSERT_EQ(render.drawCount, 5);
    const uint32_t order[] = {1, 3, 2, 0, 4};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(model.triangleWork[i].triangle, order[i]) << i;
    EXPECT_EQ(model.triangleWork[0].depth, -120.0f);
    EXPECT_EQ(model.triangleWork[4].depth, -105.0f);
}

TEST_F(DrawListTest, OnlyVisibleTrianglesInFrontOfTheCameraEnter) {
    useFrontAxisCamera();
    const TestTriangle window = screenTriangle(0, 0, 9, 0, 0, 9, 0, TRI_ALL_WINDOWS);
    const TestTriangle glass = screenTriangle(0, 0, 9, 0, 0, 9, 0, TRI_SEMI_TRANSPARENT);
    buildTriangleModel({{screenTriangle(0, 0, 9, 0, 0, 9), window, glass,
                         screenTriangle(0, 0, 9, 0, 0, 9, 150)}, // behind the camera
                        {screenTriangle(0, 0, 9, 0, 0, 9)}});
    prepareFrame();
    EXPECT_EQ(render.drawCount, 4);
    render.viewFlags &= ~VIEW_WINDOWS;
    prepareFrame();
    EXPECT_EQ(render.drawCount, 2);
    model.partFlags[1] &= ~PART_VISIBLE;
    prepareFrame();
    EXPECT_EQ(render.drawCount, 1);
    model.header.numParts = 0;
    prepareFrame();
    EXPECT_EQ(render.drawCount, 0);
}

TEST_F(DrawListTest, SurfacesAndTexturesPagesListOnlyTheSelectedPart) {
    useFrontAxisCamera();
    buildTriangleModel({{screenTriangle(0, 0, 9, 0, 0, 9)},
                        {screenTriangle(0, 0, 9, 0, 0, 9), screenTriangle(0, 0, 9, 0, 0, 9)}});
    model.header.partPos[0] = {100.0f, 0.0f, 0.0f};
    model.selectedPart = 1;
    for (int page : {PAGE_SURFACES, PAGE_TEXTURES}) {
        render.page = page;
        prepareFrame();
        ASSERT_EQ(render.drawCount, 2);
        EXPECT_EQ(model.triangleWork[0].triangle, 1u);
        // Every part is still transformed.
        EXPECT_EQ(model.screenPoints[0].x, 404.0f);
    }
    render.page = PAGE_PARTS;
    prepareFrame();
    EXPECT_EQ(render.drawCount, 3);
}

TEST_F(DrawListTest, TriangleNamingSlotsOutsideTheStoreIsNeverDrawn) {
    useFrontAxisCamera();
    buildTriangleModel({{screenTriangle(0, 0, 9, 0, 0, 9), screenTriangle(0, 0, 9, 0, 0, 9)}});
    model.triangles[0].v[2] = 0xFFFFFFF0u;
    model.triangles[1].groupAndBase = 0xFFFF;
    renderFrame();
    EXPECT_EQ(render.drawCount, 0);
}

} // namespace
