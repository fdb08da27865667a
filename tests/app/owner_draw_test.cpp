// The looks of the bitmap buttons, the colour controls and the list items.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/owner_draw.h"
#include "model/car_model.h"
#include "render/render_state.h"

TEST_F(EditorTest, BitmapButtonsComposeUpDownAndDisabledLooks) {
    start();
    std::vector<uint32_t> picture(32 * 32, 0x123456);
    setButtonPicture(1207, picture.data());
    const FakePaint up = ws.paintControl(1207), down = ws.paintControl(1207, true); // held
    // Light top and left edges, dark bottom and right ones; swapped when held.
    const int edges[][2] = {{5, 0}, {0, 5}, {31, 0}, {31, 5}, {5, 31}, {0, 31}};
    for (int k = 0; k < 6; ++k) {
        const auto [x, y] = edges[k];
        EXPECT_EQ(up.at(x, y), k < 3 ? 0xFFFFFFu : 0x000000u) << x << "," << y;
        if (k != 2 && k != 5) {
            EXPECT_EQ(down.at(x, y), k < 3 ? 0x000000u : 0xFFFFFFu);
        }
    }
    EXPECT_EQ(up.at(10, 10), 0x123456u);
    EXPECT_EQ(down.at(10, 10), 0x123456u); // not shifted
    setButtonState(1207, BUTTON_DISABLED);
    const FakePaint off = ws.paintControl(1207);
    const uint32_t g = 0x56 | 0x34 | 0x12; // the OR of the pixel's bytes, on a stipple
    EXPECT_EQ(off.at(0, 0), (g & 0xE0) * 0x010101u);
    EXPECT_EQ(off.at(1, 0), 0xC0C0C0u);
    EXPECT_EQ(off.at(1, 1), g * 0x010101u);

    setButtonState(1250, BUTTON_DOWN); // latched buttons keep their look until changed
    EXPECT_EQ(ws.paintControl(1250, false, true).at(5, 0), 0x000000u);
    EXPECT_EQ(ws.paintControl(1251, true, true).at(5, 0), 0x000000u); // a press shows down
    const int repaints = ws.control(1250).repaints;
    setButtonState(1250, BUTTON_DOWN);
    EXPECT_EQ(ws.control(1250).repaints, repaints);
}

TEST_F(EditorTest, HueBarAndSquareMarkTheCurrentColour) {
    start(sampleCopy());
    model.selectedColor = model.colorLayer = 0;
    model.colorLayers[0][0] = {179, 127, 127, 0};
    fillSquare(179);
    const FakePaint bar = ws.paintControl(ID_HUE_BAR);
    EXPECT_EQ(bar.at(1, 180), 0xFFFFFFu); // ticks at both ends of the last coloured row
    EXPECT_EQ(bar.at(22, 180), 0xFFFFFFu);
    EXPECT_EQ(bar.at(11, 180), 0xFF0008u); // hue 179 of 180: red, a breath of blue
    EXPECT_EQ(bar.at(0, 0), 0x000000u);
    EXPECT_EQ(ownerDraw.hueBar[180 * 24 + 1], ownerDraw.hueBar[180 * 24 + 11]); // put back
    const FakePaint square = ws.paintControl(ID_SQUARE);
    // Brightness 127: the marker's centre at row 1, its upward arm cut off,
    // black above row 65; the centre keeps the colour.
    EXPECT_EQ(square.at(127, 1), 0x000000u);
    EXPECT_EQ(square.at(128, 2), 0x000000u);
    EXPECT_EQ(square.at(128, 1), 0xFF0008u);
    EXPECT_EQ(ws.paintControl(ID_SWATCH).at(3, 3), 0xFF0008u);
}

TEST_F(EditorTest, PartAndFlagItemsShowStateByColourAndIcon) {
    start(sampleCopy());
    page(PAGE_PARTS);
    // Pixel (3, 6) is white of an open eye and outline of a closed one; the
    // highlighted pictures show them in their own colours.
    const struct {
        uint32_t flags, eye, corner;
        bool highlighted;
    } cases[] = {{PART_VISIBLE, 0xFFFFFF, 0xE0E0E0, false},
                 {0, 0x202020, 0xE0E0E0, false},
                 {PART_VISIBLE | PART_SELECTED, 0x000080, 0x1F1F8F, true},
                 {PART_SELECTED, 0xDFDFEF, 0x1F1F8F, true}};
    for (const auto& c : cases) {
        model.partFlags[1] = c.flags;
        const FakePaint item = ws.paintListItem(ID_PART_LIST, 1);
        EXPECT_EQ(item.at(3, 6), c.eye) << c.flags;
        EXPECT_EQ(item.at(0, 0), c.corner) << c.flags;
        EXPECT_EQ(item.at(100, 8), c.highlighted ? ws.highlight : 0xE0E0E0u) << c.flags;
        ASSERT_EQ(item.text.size(), 1u);
        EXPECT_EQ(item.text[0].text, ":HLFW");
        EXPECT_EQ(item.text[0].x, 20);
        EXPECT_EQ(item.text[0].color, c.highlighted ? 0xFFFFFFu : 0x000000u);
    }
    page(PAGE_SURFACES);
    ownerDraw.flagEntries[0][0] = FLAG_MARKER_ALL;
    ownerDraw.flagEntries[1][0] = FLAG_MARKER_SOME;
    ownerDraw.flagEntries[2][0] = FLAG_MARKER_NONE;
    EXPECT_EQ(ws.paintListItem(ID_FLAG_LIST, 0).at(50, 5), ws.highlight);
    const FakePaint some = ws.paintListItem(ID_FLAG_LIST, 1);
    EXPECT_EQ(some.at(50, 5), 0x94AAD6u);
    EXPECT_EQ(some.text[0].text, "High Chrome");
    EXPECT_EQ(some.text[0].x, 4);
    EXPECT_EQ(ws.paintListItem(ID_FLAG_LIST, 2).at(50, 5), 0xE0E0E0u);
}
