// Planar mapping and the mapping edit on hand-made triangles.
#include "editing/mapping.h"
#include "model/car_model.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

class Mapping : public ModelTest {
  protected:
    // Part 0: two triangles over the points given (x, y, z per corner), both selected.
    void SetUp() override { buildTestModel(1, 2); }
    void TearDown() override { releaseSavedUvs(), mapping = MappingState{}, ModelTest::TearDown(); }
    void corners(std::initializer_list<Vec3> points) {
        std::copy(points.begin(), points.end(), model.vertices);
        for (int i = 0; i < 6; ++i) model.triangles[i / 3].v[i % 3] = uint32_t(i);
        model.triangles[0].flags |= TRI_SELECTED, model.triangles[1].flags |= TRI_SELECTED;
    }
    float u(int t, int c) const { return model.triangles[t].texU[c]; }
    float v(int t, int c) const { return model.triangles[t].texV[c]; }
};

} // namespace

TEST_F(Mapping, PlanarProjectionsScaleBothDirectionsAlike) {
    corners({{-1, 0, 0}, {1, 0.5f, 0}, {0, 0, 0}, {-0.5f, 0.5f, 0}, {1, 0, 0}, {0.5f, 0.5f, 0}});
    ASSERT_TRUE(mapPlanar(1)); // along Z: s = 1/2, U 0..1, V falls as y rises
    EXPECT_EQ(std::make_tuple(u(0, 0), u(0, 1), v(0, 0), v(0, 1)),
              std::make_tuple(0.0f, 1.0f, 0.625f, 0.375f));
    mapping.mirror = true; // both halves map onto 0.5..1
    ASSERT_TRUE(mapPlanar(1));
    EXPECT_EQ(std::make_tuple(u(0, 0), u(0, 1), u(1, 0)), std::make_tuple(1.0f, 1.0f, 0.75f));
    corners({{10, 0, 0}, {12, 1, 0}, {11, 0, 0}, {10, 1, 0}, {12, 0, 0}, {11, 1, 0}});
    ASSERT_TRUE(mapPlanar(1)); // ranges far apart: s = 1/12
    EXPECT_FLOAT_EQ(u(0, 1) - u(0, 0), 2.0f / 12);
    corners({{3, 3, 3}, {3, 3, 3}, {3, 3, 3}, {3, 3, 3}, {3, 3, 3}, {3, 3, 3}});
    for (int projection : {1, 2, 3}) { // no extent: scale 1, nothing infinite
        ASSERT_TRUE(mapPlanar(projection));
        EXPECT_EQ(std::make_pair(u(1, 2), v(1, 2)), std::make_pair(0.5f, 0.5f));
    }
    model.triangles[0].flags &= ~TRI_SELECTED, model.triangles[1].flags &= ~TRI_SELECTED;
    EXPECT_FALSE(mapPlanar(1) || beginUvEdit());
    EXPECT_EQ(messages.messages,
              (std::vector<std::string>{"Please select triangles you want to map",
                                        "Please select triangles you want to edit"}));
}

TEST_F(Mapping, TheEditMovesTurnsScalesAndFlipsOnlyTheSelection) {
    corners({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    model.triangles[1].flags &= ~TRI_SELECTED;
    model.triangles[0].texU[0] = 2.0f; // outside 0..1: U 0.25..2 (and 0.5) flip about 1.125
    ASSERT_TRUE(beginUvEdit());
    const std::vector<ModelTriangle> before(model.triangles, model.triangles + 2);
    const float u0 = u(0, 0), u1 = u(0, 1);
    flipUvs(0);
    EXPECT_EQ(std::make_tuple(u(0, 0), u(0, 1), u(0, 2)), std::make_tuple(0.25f, 2.0f, 1.75f));
    flipUvs(0);
    EXPECT_EQ(std::make_pair(u(0, 0), u(0, 1)), std::make_pair(u0, u1));
    dragUvs(51.2f, 0, 0, 512); // move: 0.1 to the right
    EXPECT_FLOAT_EQ(u(0, 1), u1 + 0.1f);
    // A long turn: 90 degrees once the turns are off.
    mapping.tool = 1, dragUvs(1440 * 1000 + 360, 0, 0, 512);
    // About the middle (1.225, 0.5) of U 0.35..2.1 and V 0..1: (2.1, 0) goes to (1.725, 1.375).
    EXPECT_NEAR(u(0, 0), 1.725, 1e-5);
    EXPECT_NEAR(v(0, 0), 1.375, 1e-5);
    mapping.tool = 2, std::fill_n(model.triangles[0].texV, 3, 0.3f);
    dragUvs(0, 100, 0, 512); // no height: V stays
    EXPECT_EQ(v(0, 2), 0.3f);
    auto width = [this] {
        return std::max({u(0, 0), u(0, 1), u(0, 2)}) - std::min({u(0, 0), u(0, 1), u(0, 2)});
    };
    const float w = width();
    dragUvs(512 * w, 0, DRAG_CONSTRAINED, 512); // the right button: uniform, the larger factor
    EXPECT_FLOAT_EQ(width(), 2 * w);
    // With the move tool: each direction alone.
    mapping.tool = 0, dragUvs(-512 * w, 0, DRAG_CONSTRAINED, 512);
    EXPECT_FLOAT_EQ(width(), w);
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(std::isfinite(u(0, c))) << c;
    restoreUvs();
    EXPECT_EQ(std::memcmp(before.data(), model.triangles, 112), 0); // bit for bit
}

// OK counts every corner of the part, selected or not; 0.9999 is in range,
// 1.0 is not, and clamping reaches every triangle of the part.
TEST_F(Mapping, OutOfRangeCornersAreCountedAndClamped) {
    corners({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    for (int t = 0; t < 2; ++t)
        for (int c = 0; c < 3; ++c) model.triangles[t].texU[c] = model.triangles[t].texV[c] = 0.5f;
    model.triangles[0].texU[0] = 0.9999f, model.triangles[1].flags &= ~TRI_SELECTED;
    model.triangles[1].texU[1] = 1.0f, model.triangles[1].texV[2] = std::nextafter(0.0f, -1.0f);
    EXPECT_EQ(countUvsOutOfRange(), 2);
    clampUvs();
    EXPECT_EQ(std::make_tuple(countUvsOutOfRange(), u(1, 1), v(1, 2), u(0, 0)),
              std::make_tuple(0, 0.9999f, 0.0f, 0.9999f));
}
