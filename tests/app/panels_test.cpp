// The side panel: which controls each page shows, what the refresh routines
// put into its lists and fields, and the looks of its owner-drawn controls.
#include "editor_fixture.h"

#include "app/owner_draw.h"
#include "app/panels.h"

TEST_F(CarTest, EachPageShowsItsOwnControlsAndLatchesItsChoices) {
    const int own[6][2] = {{1241, 1300},          {ID_PART_LIST, 1218}, {ID_GROUP_LIST, ID_ANGLE},
                           {ID_DUMMY_LIST, 1223}, {ID_HUE_BAR, 1265},   {1269, 1228}};
    for (int shown = 5; shown >= 0; --shown) {
        page(shown);
        for (int other = 0; other < 6; ++other)
            for (int id : own[other]) EXPECT_EQ(ws.shown(id), other == shown) << id;
    }
    panel.selectionTool = 4, model.colorLayer = 2, page(PAGE_SURFACES), page(PAGE_COLORS);
    EXPECT_EQ(states(1260, 9), "UUUUDUUDU"); // tools, then colour layers
    panel.selectionTool = 3;
    page(PAGE_TEXTURES); // three tools only
    EXPECT_EQ(std::make_tuple(panel.selectionTool, states(1260, 3)), std::make_tuple(2, "UUD"));
}

TEST_F(CarTest, DriverPartShortensTheFlagListForItsControls) {
    page(PAGE_PARTS);
    ws.selectListItem(ID_PART_LIST, 5, 100); // ":OD"
    for (int which : {PAGE_SURFACES, PAGE_TEXTURES}) {
        page(which);
        EXPECT_EQ(ws.control(ID_FLAG_LIST).rect.height, 84);
        EXPECT_TRUE(ws.shown(ID_DRIVER_MOVEMENT) && ws.shown(ID_TEST));
        std::strcpy(model.header.partNames[5], ":ODX"), page(which); // renamed away: no driver
        EXPECT_EQ(ws.control(ID_FLAG_LIST).rect.height, 100);
        EXPECT_FALSE(ws.shown(ID_DRIVER_MOVEMENT) || ws.shown(ID_TEST));
        std::strcpy(model.header.partNames[5], ":OD");
    }
}

// Names are Windows-1252 bytes: the lists and fields get them as UTF-8 text.
TEST_F(CarTest, LoadFillsTheListsWithTheNamesAsText) {
    std::strcpy(model.header.dummyNames[3], ":Pl\xE4tte \x80");
    std::strcpy(model.header.partNames[2], "\xC3\xA9"); // two letters, not UTF-8 for e-acute
    ASSERT_TRUE(saveModel());
    ASSERT_TRUE(openModelFile(model.fcePath)); // a second load refills the model's lists
    EXPECT_EQ(ws.control(ID_DUMMY_LIST).items.at(3), ":Pl\xC3\xA4tte \xE2\x82\xAC");
    EXPECT_EQ(ws.control(ID_DUMMY_LIST).items.size() + ws.control(2011).items.size(),
              12u + 6); // fixed lists once
    page(PAGE_PARTS), ws.selectListItem(ID_PART_LIST, 2, 100);
    EXPECT_EQ(text(ID_PART_NAME), "\xC3\x83\xC2\xA9");
}

TEST_F(CarTest, PartFieldsFollowTheLastSelectedPart) {
    model.partFlags[3] |= PART_SELECTED, page(PAGE_PARTS);
    EXPECT_EQ(std::make_tuple(model.selectedPart, selection(ID_PART_LIST)),
              std::make_tuple(3u, std::vector<int>{0, 3}));
    EXPECT_EQ(text(ID_PART_NAME) + text(ID_X) + text(ID_Y) + text(ID_Z), ":HLRW-0.750-0.4601.300");
    EXPECT_EQ(text(ID_PART_INFO), " Vertices: 114\n Polygons: 128");
}

TEST_F(CarTest, AngleFieldShowsOffDegreesOrNo) {
    page(PAGE_SURFACES);
    const int p = int(model.selectedPart);
    const std::tuple<uint16_t, const char*, int> cases[] = {
        {0, "off", 0}, {1, "1\xB0", 1}, {90, "90\xB0", 90}, {91, "no", 100}};
    for (const auto& [angle, shown, slider] : cases) {
        model.groups[p][model.currentGroup[p]].smoothAngle = angle, refreshAngleField(true);
        EXPECT_EQ(std::make_pair(text(ID_ANGLE), ws.control(ID_SLIDER).sliderPosition),
                  std::make_pair(std::string(shown), slider));
    }
}

// No Cull in all three selected triangles, High Chrome in the first only;
// the driver check tells whether none, some or all of their corners are
// fixed.
TEST_F(CarTest, SurfaceFlagsAndTheDriverCheckTellAllSomeOrNone) {
    page(PAGE_PARTS), ws.selectListItem(ID_PART_LIST, 5, 100), page(PAGE_SURFACES);
    const int first = model.header.partFirstTriangle[5];
    for (int t = first; t < first + model.header.partTriangleCount[5]; ++t)
        model.triangles[t].flags = t - first < 3 ? TRI_SELECTED | TRI_NO_CULL : 0;
    model.triangles[first].flags |= TRI_HIGH_CHROME;
    for (const auto& [fixed, check] : {std::pair(-1, 1), std::pair(1, 2), std::pair(3, 0)}) {
        for (int t = 0; t < 3; ++t)
            for (uint32_t v : model.triangles[first + t].v)
                model.vertexFlags[model.header.partFirstVertex[5] + int(v)] =
                    t == fixed || fixed == 3 ? VERTEX_FIXED : VERTEX_MOVES;
        refreshSurfaceFlags();
        EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).check, check) << fixed; // 2: mixed
    }
    std::string markers;
    for (const std::string& entry : ownerDraw.flagEntries) markers += entry.at(0);
    EXPECT_EQ(markers, std::string({FLAG_MARKER_NONE, FLAG_MARKER_SOME, FLAG_MARKER_ALL}) +
                           std::string(8, FLAG_MARKER_NONE));
    EXPECT_EQ(selection(ID_FLAG_LIST), std::vector<int>{2});
}

// Light dummies' names select kind, colour, flash and three digits in their
// lists (a flash code of no table, as in HWY1234, leaves its list as it was);
// other names select their entry in the list of special names.
TEST_F(CarTest, DummyFieldsDecodeLightAndSpecialNames) {
    page(PAGE_DUMMIES), model.selectedDummy = 2;
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"PBYE975", {4, 2, 2, 9, 7, 5}}, {"HWY1234", {0, 0, 2, 2, 3, 4}}, {":LICENSEX", {2}}};
    for (const auto& [name, expected] : cases) {
        std::strcpy(model.header.dummyNames[2], name), refreshDummyFields(true, true);
        std::vector<int> got; // of the lists shown
        for (int id : {2011, 2012, 2014, 2013, 2015, 2016, 2017})
            for (int s : ws.shown(id) ? selection(id) : std::vector<int>{}) got.push_back(s);
        EXPECT_EQ(got, expected) << name;
    }
}

// A bitmap button's edges change places while it is held; disabled, it
// shows a stipple of the OR of its pixel's bytes; a
// state set again is no repaint. Pixel (3, 6) of a part item is white of an
// open eye and outline of a closed one, in their own colours when
// highlighted. Hue 118 of 180 is blue with 255 * 4 / 60 green, at full
// saturation and brightness in the top right of the colour square, which is
// repainted only on request.
TEST_F(CarTest, OwnerDrawnControlsShowTheirState) {
    std::vector<uint32_t> picture(32 * 32, 0x123456);
    setButtonPicture(1207, picture.data());
    EXPECT_EQ(std::make_pair(ws.paintControl(1207).at(5, 0), ws.paintControl(1207, true).at(5, 0)),
              std::make_pair(0xFFFFFFu, 0u)); // a light top edge, dark while held
    setButtonState(1207, BUTTON_DISABLED);
    const int repaints = ws.control(1207).repaints;
    setButtonState(1207, BUTTON_DISABLED); // the same state again
    const FakePaint off = ws.paintControl(1207);
    const uint32_t g = 0x56 | 0x34 | 0x12;
    EXPECT_EQ(std::make_tuple(off.at(0, 0), off.at(1, 0), off.at(1, 1), ws.control(1207).repaints),
              std::make_tuple((g & 0xE0) * 0x010101u, 0xC0C0C0u, g * 0x010101u, repaints));

    page(PAGE_PARTS);
    const uint32_t cases[][3] = {{PART_VISIBLE, 0xFFFFFF, 0xE0E0E0},
                                 {0, 0x202020, 0xE0E0E0},
                                 {PART_VISIBLE | PART_SELECTED, 0x000080, 0x1F1F8F},
                                 {PART_SELECTED, 0xDFDFEF, 0x1F1F8F}};
    for (const auto& [flags, eye, corner] : cases) {
        model.partFlags[1] = flags;
        const FakePaint item = ws.paintListItem(ID_PART_LIST, 1);
        EXPECT_EQ(std::make_tuple(item.at(3, 6), item.at(0, 0), item.at(100, 8)),
                  std::make_tuple(eye, corner, flags & PART_SELECTED ? ws.highlight : 0xE0E0E0u));
    }

    model.selectedColor = 1, page(PAGE_COLORS);
    EXPECT_EQ(std::make_tuple(selection(ID_PRESET_LIST), ws.paintControl(ID_SQUARE).at(128, 1)),
              std::make_tuple(std::vector<int>{1}, 0x0010FFu));
    const int swatch = ws.control(ID_SWATCH).repaints;
    refreshColorPresets(false);
    EXPECT_EQ(ws.control(ID_SWATCH).repaints, swatch);
    refreshColorPresets(true);
    EXPECT_GT(ws.control(ID_SWATCH).repaints, swatch);
}
