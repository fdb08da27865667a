// The Dummies and Colors pages through the window: lists, code lists,
// a dummy dragged in the view, a hue pick with the tint following, and undo.
#include "editor_fixture.h"

TEST_F(CarTest, DummiesAreNamedDraggedAndTakenBack) {
    page(PAGE_DUMMIES);
    // TRYN600, then the colour Blue: one character changes.
    ws.selectListItem(ID_DUMMY_LIST, 1), ws.selectListItem(2012, 2);
    EXPECT_EQ(std::make_pair(ws.control(ID_DUMMY_LIST).items.at(1), states(1203, 1)),
              std::make_pair(std::string("TBYN600"), std::string("U")));
    const Vec3 before = model.header.dummyPos[1];
    ws.click(1256), drag(KEY_LEFT, 400, 300, 30, -20); // Y locked
    const Vec3 after = model.header.dummyPos[1];
    EXPECT_NEAR(after.x, before.x + 0.3, 1e-6); // 0.01 a pixel in perspective
    EXPECT_EQ(std::make_pair(after.y, text(ID_X)), std::make_pair(before.y, std::string("-0.320")));
    ws.pressAccelerator(ACCEL_LETTER, 'Z'), ws.pressAccelerator(ACCEL_LETTER, 'Z');
    EXPECT_EQ(std::make_tuple(model.header.dummyPos[1].x, nameString(model.header.dummyNames[1])),
              std::make_tuple(before.x, std::string("TRYN600")));
}

TEST_F(CarTest, AHuePickTintsTheCarAndUndoTakesItBack) {
    page(PAGE_COLORS);
    const std::vector<uint8_t> tinted(model.textureImage, model.textureImage + (2 << 20));
    ws.click(ID_HUE_BAR); // at the bar's middle row
    EXPECT_EQ(model.colorLayers[0][0].hue, ws.control(ID_HUE_BAR).rect.height / 2 - 1);
    EXPECT_FALSE(std::equal(tinted.begin(), tinted.end(), model.textureImage));
    ws.menu(CMD_UNDO);
    EXPECT_TRUE(std::equal(tinted.begin(), tinted.end(), model.textureImage));
}

TEST_F(CarTest, TheMappingEditIsOneUndoStepAndCancelLeavesNothing) {
    const int count = model.header.partTriangleCount[0];
    for (int t = 0; t < count; ++t) model.triangles[t].flags |= TRI_SELECTED;
    page(PAGE_TEXTURES);
    const std::vector<ModelTriangle> before(model.triangles, model.triangles + count);
    auto same = [&] { return !std::memcmp(before.data(), model.triangles, 56 * size_t(count)); };
    ws.click(1269);
    EXPECT_TRUE(render.textureMappingActive && (ws.menuState(CMD_SAVE) & MENU_GRAYED));
    drag(KEY_LEFT, 400, 300, 40, 0), ws.pressAccelerator(ACCEL_RIGHT);
    ws.click(1227); // Cancel: every coordinate back
    EXPECT_TRUE(same() && !render.textureMappingActive);
    ws.click(1269), drag(KEY_LEFT, 400, 300, 600, 0); // far out of range
    ws.messageBoxAnswers = {2, 1}, ws.click(1226);    // the question: Cancel, then OK
    EXPECT_TRUE(render.textureMappingActive);
    ws.click(1226);
    EXPECT_EQ(ws.messageBoxes.back().text.rfind("texture coordinates are out of range!"), 5u);
    EXPECT_TRUE(!render.textureMappingActive && model.triangles[0].texU[0] <= 0.9999f);
    ws.pressAccelerator(ACCEL_LETTER, 'Z'); // one step takes the whole edit back
    EXPECT_TRUE(same());
    ws.click(1228), drag(KEY_LEFT, 400, 300, 40, 0);
    ws.messageBoxAnswers = {ANSWER_CANCEL}, ws.close(); // closing cancels the edit first
    EXPECT_TRUE(same() && !render.textureMappingActive);
}
