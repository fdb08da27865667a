// Smoothing groups, surface flags and driver movement on a small part: the
// group table's rules and limits, and what the flag list keeps.
#include "editing/surfaces.h"
#include "model/car_model.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

class Surfaces : public ModelTest {
  protected:
    void SetUp() override { buildTestModel(1, 10); }
    void select(std::initializer_list<int> triangles) {
        for (int t = 0; t < 10; ++t) model.triangles[t].flags &= ~TRI_SELECTED;
        for (int t : triangles) model.triangles[t].flags |= TRI_SELECTED;
    }
    uint32_t group(int t) const { return model.triangles[t].groupAndBase >> 16; }
    uint16_t currentId() const { return model.groups[0][model.currentGroup[0]].groupId; }
};

} // namespace

TEST_F(Surfaces, TheGroupTableStaysWholeAndNeverHandsAnIdOutTwice) {
    select({});
    EXPECT_EQ(newGroup(), GROUP_NOTHING);
    select({0, 1, 2});
    ASSERT_EQ(newGroup(), GROUP_DONE);
    EXPECT_EQ(
        std::make_tuple(group(0), model.groupCount[0], currentId(), model.groups[0][1].smoothAngle),
        std::make_tuple(8u, uint16_t(2), uint16_t(8), uint16_t(60))); // the base's angle
    model.groups[0][2] = {16, 30}, model.groupCount[0] = 3;           // listed, used by no triangle
    select({5});
    ASSERT_EQ(newGroup(), GROUP_DONE_REMOVED); // 16 went, the current group stays the new one
    EXPECT_EQ(std::make_tuple(group(5), model.groupCount[0], currentId()),
              std::make_tuple(24u, uint16_t(3), uint16_t(24)));
    select({3, 4, 6, 7, 8, 9}); // the base empties and goes
    ASSERT_EQ(newGroup(), GROUP_DONE_REMOVED);
    EXPECT_EQ(std::make_tuple(model.groupCount[0], model.groups[0][0].groupId, currentId()),
              std::make_tuple(uint16_t(3), uint16_t(8), uint16_t(16))); // free again
    select({9}); // back to the base: its entry returns at index 0
    ASSERT_EQ(moveToBase(), GROUP_DONE);
    EXPECT_EQ(std::make_tuple(model.groupCount[0], model.groups[0][0].groupId,
                              model.groups[0][0].smoothAngle, currentId()),
              std::make_tuple(uint16_t(4), uint16_t(0), uint16_t(60), uint16_t(16)));
    deleteGroup(3); // the last entry, current: the one before becomes current
    EXPECT_EQ(std::make_tuple(model.groupCount[0], currentId(), group(8)),
              std::make_tuple(uint16_t(3), uint16_t(24), 0u));
    // An entry used by no triangle goes below the current group, which stays the same group.
    model.groups[0][1] = {40, 60}, model.groups[0][3] = {8, 60}, model.groupCount[0] = 4;
    ASSERT_TRUE(removeEmptyGroups());
    EXPECT_EQ(std::make_pair(model.currentGroup[0], currentId()),
              std::make_pair(uint16_t(1), uint16_t(24)));

    model.groupCount[0] = 64;
    for (int g = 3; g < 64; ++g) model.groups[0][g] = {uint16_t(800 + 8 * g), 60};
    select({1});
    EXPECT_EQ(newGroup(), GROUP_NOTHING);
    EXPECT_EQ(messages.messages.back(), "Maximal number of groups is 64!");
    EXPECT_EQ(std::make_pair(group(1), model.groupCount[0]), std::make_pair(8u, uint16_t(64)));
}

TEST_F(Surfaces, FlagsAndDriverMovementChangeOnlyWhatTheListShows) {
    model.triangles[0].flags = TRI_HIGH_CHROME | TRI_NO_CULL | 1u << 20; // "some" have High
    model.triangles[1].flags = TRI_NO_CULL; // Chrome, both No Cull: "every one"
    select({0, 1});
    const SurfaceState before = surfaceState();
    EXPECT_EQ(std::make_tuple(before.flags[1], before.flags[2], before.flags[3]),
              std::make_tuple(3, 1, 2));
    ASSERT_TRUE(applySurfaceFlags(1u << 3)); // No Cull unselected: cleared; Semi Transparent set
    EXPECT_EQ(model.triangles[0].flags & 0x7FFFFFFF,
              TRI_HIGH_CHROME | 1u << 20 | TRI_SEMI_TRANSPARENT);
    EXPECT_EQ(model.triangles[1].flags & 0x7FFFFFFF, TRI_SEMI_TRANSPARENT);
    EXPECT_EQ(model.triangles[2].flags & TRI_SEMI_TRANSPARENT, 0u); // not selected
    ASSERT_TRUE(setDriverMovement(false));
    select({0, 9});
    EXPECT_EQ(surfaceState().driverMovement, 2); // corners of 0 fixed, those of 9 moving
    select({});
    EXPECT_FALSE(applySurfaceFlags(1) || setDriverMovement(true) || surfaceState().anySelected);
}
