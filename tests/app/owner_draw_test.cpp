// The looks of the bitmap buttons and the colour controls.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/owner_draw.h"
#include "model/car_model.h"
#include "texture/tint.h"

TEST_F(EditorTest, BitmapButtonsComposeUpDownAndDisabledLooks) {
    start();
    std::vector<uint32_t> picture(32 * 32, 0x123456);
    setButtonPicture(1207, picture.data());
    FakePaint up = ws.paintControl(1207);
    EXPECT_EQ(up.at(5, 0), 0xFFFFFFu);
    EXPECT_EQ(up.at(0, 5), 0xFFFFFFu);
    EXPECT_EQ(up.at(31, 5), 0x000000u);
    EXPECT_EQ(up.at(5, 31), 0x000000u);
    EXPECT_EQ(up.at(31, 0), 0xFFFFFFu);
    EXPECT_EQ(up.at(0, 31), 0x000000u);
    EXPECT_EQ(up.at(10, 10), 0x123456u);
    FakePaint down = ws.paintControl(1207, true); // held
    EXPECT_EQ(down.at(5, 0), 0x000000u);
    EXPECT_EQ(down.at(31, 5), 0xFFFFFFu);
    EXPECT_EQ(down.at(10, 10), 0x123456u); // not shifted

    setButtonState(1207, BUTTON_DISABLED);
    FakePaint off = ws.paintControl(1207);
    const uint32_t g = 0x56 | 0x34 | 0x12; // the OR of the pixel's bytes
    EXPECT_EQ(off.at(0, 0), (g & 0xE0) * 0x010101u);
    EXPECT_EQ(off.at(1, 0), 0xC0C0C0u);
    EXPECT_EQ(off.at(0, 1), 0xC0C0C0u);
    EXPECT_EQ(off.at(1, 1), g * 0x010101u);
}

TEST_F(EditorTest, LatchedButtonsKeepTheirLookUntilTheStateChanges) {
    start();
    setButtonState(1250, BUTTON_DOWN);
    EXPECT_EQ(ws.paintControl(1250).at(5, 0), 0x000000u);                 // latched down
    EXPECT_EQ(ws.paintControl(1250, false, true).at(5, 0), 0x000000u);   // a release keeps it
    setButtonState(1251, BUTTON_UP);
    EXPECT_EQ(ws.paintControl(1251, true, true).at(5, 0), 0x000000u);    // a press shows down
    EXPECT_EQ(ws.paintControl(1251).at(5, 0), 0xFFFFFFu);
    const int repaints = ws.control(1250).repaints;
    setButtonState(1250, BUTTON_DOWN); // no change: no repaint
    EXPECT_EQ(ws.control(1250).repaints, repaints);
}

TEST_F(EditorTest, HueBarAndSquareMarkTheCurrentColour) {
    start(sampleCopy());
    model.selectedColor = 0;
    model.colorLayer = 0;
    model.colorLayers[0][0] = {179, 127, 127, 0};
    fillSquare(179);
    FakePaint bar = ws.paintControl(ID_HUE_BAR);
    EXPECT_EQ(bar.at(1, 180), 0xFFFFFFu);   // tick in the last coloured row
    EXPECT_EQ(bar.at(22, 180), 0xFFFFFFu);
    EXPECT_NE(bar.at(11, 180), 0xFFFFFFu);  // the middle keeps the hue
    EXPECT_EQ(bar.at(0, 0), 0x000000u);
    EXPECT_EQ(bar.at(5, 181), 0xFFFFFFu);
    EXPECT_EQ(ownerDraw.hueBar[180 * 24 + 1], ownerDraw.hueBar[180 * 24 + 11]); // put back

    FakePaint square = ws.paintControl(ID_SQUARE);
    // Brightness 127: centre at row 1, the upward arm cut off; marker black above row 65.
    EXPECT_EQ(square.at(128 - 1, 1), 0x000000u);
    EXPECT_EQ(square.at(128, 2), 0x000000u);
    EXPECT_EQ(square.at(128, 1), hsbToPixel({179, 127, 127, 0}) & 0xFFFFFF); // the centre stays
    FakePaint swatch = ws.paintControl(ID_SWATCH);
    EXPECT_EQ(swatch.at(3, 3), hsbToPixel({179, 127, 127, 0}) & 0xFFFFFF);
}

TEST_F(EditorTest, PartAndFlagItemsShowStateByColourAndIcon) {
    start(sampleCopy());
    ws.createControl(ID_PART_LIST, CONTROL_OWNER_LIST, {8, 72, 140, 224}, 0, "");
    ws.listAdd(ID_PART_LIST, "");
    ws.listAdd(ID_PART_LIST, "");
    model.partFlags[0] = PART_SELECTED; // hidden and current
    model.partFlags[1] = PART_VISIBLE;
    FakePaint selected = ws.paintListItem(ID_PART_LIST, 0);
    FakePaint plain = ws.paintListItem(ID_PART_LIST, 1);
    EXPECT_EQ(selected.at(100, 8), ws.highlight);
    EXPECT_EQ(plain.at(100, 8), 0xE0E0E0u);
    ASSERT_EQ(plain.text.size(), 1u);
    EXPECT_EQ(plain.text[0].x, 20);
    EXPECT_EQ(plain.text[0].text, nameString(model.header.partNames[1]));
    EXPECT_EQ(selected.text[0].color, 0xFFFFFFu);
    // The closed-eye highlight icon differs from the open eye of the plain item.
    bool differs = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) differs |= selected.at(x, y) != plain.at(x, y);
    EXPECT_TRUE(differs);

    ws.createControl(ID_FLAG_LIST, CONTROL_OWNER_LIST, {16, 408, 160, 100}, 0, "");
    for (int k = 0; k < 3; ++k) ws.listAdd(ID_FLAG_LIST, "");
    ownerDraw.flagEntries[0][0] = FLAG_MARKER_ALL;
    ownerDraw.flagEntries[1][0] = FLAG_MARKER_SOME;
    EXPECT_EQ(ws.paintListItem(ID_FLAG_LIST, 0).at(50, 5), ws.highlight);
    FakePaint some = ws.paintListItem(ID_FLAG_LIST, 1);
    EXPECT_EQ(some.at(50, 5), 0x94AAD6u);
    EXPECT_EQ(some.text[0].text, "High Chrome");
    EXPECT_EQ(some.text[0].x, 4);
    FakePaint none = ws.paintListItem(ID_FLAG_LIST, 2);
    EXPECT_EQ(none.at(50, 5), 0xE0E0E0u);
    EXPECT_EQ(none.text[0].color, 0x000000u);
}
