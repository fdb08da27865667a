// The side panel pages: which controls each page shows, the latched buttons,
// and the texts and selections the refresh routines put into the lists and
// fields.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/menu.h"
#include "app/owner_draw.h"
#include "app/panels.h"
#include "model/car_model.h"
#include "render/render.h"

#include <cstring>

namespace {

class PanelTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        start(sampleCopy());
    }
    void selectOnlyPart(int p) {
        for (int i = 0; i < model.header.numParts; ++i) model.partFlags[i] &= ~PART_SELECTED;
        model.partFlags[p] |= PART_SELECTED;
        model.selectedPart = uint32_t(p);
    }
    char marker(int k) { return ownerDraw.flagEntries[k].at(0); }
    // Selects the first `count` triangles of part p; the first of them gets
    // `firstFlags`, the others `otherFlags`.
    int selectTriangles(int p, int count, uint32_t firstFlags, uint32_t otherFlags) {
        const int first = model.header.partFirstTriangle[p];
        for (int t = first; t < first + model.header.partTriangleCount[p]; ++t)
            model.triangles[t].flags &= ~TRI_SELECTED;
        for (int i = 0; i < count; ++i)
            model.triangles[first + i].flags = TRI_SELECTED | (i == 0 ? firstFlags : otherFlags);
        return first;
    }
    void setCornerFlags(int triangle, int p, uint32_t flags) {
        for (uint32_t v : model.triangles[triangle].v)
            model.vertexFlags[model.header.partFirstVertex[p] + int(v)] = flags;
    }
    void nameDummy(int d, const char* name) {
        std::memset(model.header.dummyNames[d], 0, NAME_SIZE);
        std::strncpy(model.header.dummyNames[d], name, NAME_SIZE - 1);
        model.selectedDummy = uint32_t(d);
        refreshDummyFields(true, true);
    }
};

} // namespace

TEST_F(PanelTest, EachPageShowsItsOwnControlsOnly) {
    const struct {
        int page;
        const char* title;
        int controls[2]; // found on this page only
    } pages[] = {{PAGE_CAMERA_LIGHT, " Camera", {1241, 1300}},
                 {PAGE_PARTS, " Parts", {ID_PART_LIST, 1218}},
                 {PAGE_SURFACES, " Surfaces", {ID_GROUP_LIST, ID_ANGLE}},
                 {PAGE_DUMMIES, " Dummies", {ID_DUMMY_LIST, 1223}},
                 {PAGE_COLORS, " Colors", {ID_HUE_BAR, ID_SQUARE}},
                 {PAGE_TEXTURES, " Textures", {1269, 1228}}};
    for (const auto& shown : pages) {
        page(shown.page);
        EXPECT_EQ(ws.control(ID_HEADER_LABEL_1).text, shown.title);
        for (const auto& other : pages)
            for (int id : other.controls) EXPECT_EQ(ws.shown(id), &other == &shown) << id;
    }
    EXPECT_EQ(ws.control(ID_FLAG_LIST).rect.height, 100); // no driver part selected
}

TEST_F(PanelTest, CameraPageShowsTheLightAndLatchesItsChoices) {
    EXPECT_EQ(ws.control(ID_HEADER_LABEL_2).text, " Light");
    EXPECT_EQ(ws.control(ID_SLIDER).sliderMaximum, 100);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 75); // diffuse 0.75
    page(PAGE_PARTS);
    camera.currentCamera = 3;
    panel.dragTarget = DRAG_ROTATE_LIGHT;
    camera.partCentred = light.lightFollowsCamera = true;
    light.lightDiffuse = 0.426;
    page(PAGE_CAMERA_LIGHT);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 43);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(buttonStateOf(1241 + k), k == 3 ? BUTTON_DOWN : BUTTON_UP);
    // An axis view only pans and zooms: its orbit and light buttons stay off.
    for (int id : {1251, 1254, 1249, 1253}) EXPECT_EQ(buttonStateOf(id), BUTTON_DISABLED) << id;
    EXPECT_EQ(buttonStateOf(1248), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1252), BUTTON_DOWN);
    camera.currentCamera = 0;
    panel.dragTarget = DRAG_MOVE_CAMERA;
    camera.partCentred = light.lightFollowsCamera = false;
    page(PAGE_PARTS);
    page(PAGE_CAMERA_LIGHT);
    EXPECT_EQ(buttonStateOf(1250), BUTTON_DOWN);
    for (int id : {1251, 1254, 1248, 1252}) EXPECT_EQ(buttonStateOf(id), BUTTON_UP) << id;
}

TEST_F(PanelTest, PagesLatchTheirToolAndLayerButtons) {
    panel.axisLock[1] = 0;
    panel.moveOriginOnly = true;
    page(PAGE_PARTS);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(buttonStateOf(1255 + k), k == 1 || k == 3 ? BUTTON_UP : BUTTON_DOWN);
    panel.axisLock[1] = 1;
    panel.axisLock[2] = 0;
    page(PAGE_DUMMIES);
    EXPECT_EQ(buttonStateOf(1256), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1257), BUTTON_UP);
    panel.selectionTool = 4;
    page(PAGE_SURFACES);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(buttonStateOf(1260 + k), k == 4 ? BUTTON_DOWN : BUTTON_UP);
    model.colorLayer = 2;
    page(PAGE_COLORS);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(buttonStateOf(1265 + k), k == 2 ? BUTTON_DOWN : BUTTON_UP);
    panel.mappingTool = 1;
    panel.mirrorMapping = true;
    page(PAGE_TEXTURES);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(buttonStateOf(1273 + k), k == 1 ? BUTTON_DOWN : BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1272), BUTTON_DOWN);
}

TEST_F(PanelTest, TexturesPageKeepsToThreeToolsAndEndsAMappingEdit) {
    for (int tool : {3, 4, 2, 1}) {
        panel.selectionTool = tool;
        page(PAGE_TEXTURES);
        EXPECT_EQ(panel.selectionTool, std::min(tool, 2)) << tool;
        EXPECT_EQ(buttonStateOf(1260 + std::min(tool, 2)), BUTTON_DOWN);
        page(PAGE_PARTS);
    }
    // A page shown while a mapping was being edited ends the edit: the
    // mapping buttons go, the ordinary ones and the top strip come back.
    render.textureMappingActive = true;
    for (int id : {1226, 1227, 1229, 1230, 1273, 1274, 1275}) ws.showControl(id, true);
    ws.showControl(1200, false);
    render.bandX0 = 5;
    render.bandX1 = 9;
    showPage(PAGE_TEXTURES, true);
    EXPECT_FALSE(render.textureMappingActive);
    EXPECT_EQ(render.bandX1, 0);
    for (int id : {1226, 1227, 1229, 1230, 1273, 1274, 1275}) EXPECT_FALSE(ws.shown(id)) << id;
    for (int id : {1269, 1270, 1271, 1272, 1228, 1200}) EXPECT_TRUE(ws.shown(id)) << id;
    ws.showControl(1226, true); // hiding the page hides the mapping buttons whoever showed them
    showPage(PAGE_TEXTURES, false);
    EXPECT_FALSE(ws.shown(1226));
}

TEST_F(PanelTest, DriverPartShortensTheFlagListForItsControls) {
    for (int which : {PAGE_SURFACES, PAGE_TEXTURES}) {
        selectOnlyPart(5); // ":OD"
        model.partFlags[5] &= ~PART_DRIVER;
        page(which);
        EXPECT_TRUE(model.partFlags[5] & PART_DRIVER);
        EXPECT_EQ(ws.control(ID_FLAG_LIST).rect.height, 84);
        EXPECT_TRUE(ws.shown(ID_DRIVER_MOVEMENT));
        EXPECT_TRUE(ws.shown(ID_TEST));
        page(PAGE_PARTS);
        EXPECT_FALSE(ws.shown(ID_DRIVER_MOVEMENT));
        std::strcpy(model.header.partNames[5], ":ODX"); // renamed away: no driver
        page(which);
        EXPECT_FALSE(model.partFlags[5] & PART_DRIVER);
        EXPECT_EQ(ws.control(ID_FLAG_LIST).rect.height, 100);
        EXPECT_FALSE(ws.shown(ID_TEST));
        std::strcpy(model.header.partNames[5], ":OD");
        page(PAGE_PARTS);
    }
}

TEST_F(PanelTest, LoadFillsTheListsWithTheNamesAsText) {
    EXPECT_EQ(items(ID_PART_LIST).size(), 9u);
    EXPECT_EQ(selection(ID_PART_LIST), std::vector<int>{0});
    EXPECT_EQ(items(ID_GROUP_LIST),
              (std::vector<std::string>{"Base", "Group 1", "Group 2", "Group 3", "Group 4"}));
    EXPECT_EQ(items(ID_FLAG_LIST).size(), 11u);
    EXPECT_EQ(items(ID_DUMMY_LIST).at(11), ":SMOKE");
    EXPECT_EQ(selection(ID_DUMMY_LIST), std::vector<int>{0});
    EXPECT_EQ(items(2013).at(9), "9");
    EXPECT_EQ(items(2017).at(1), ":LICENSE_EURO");
    EXPECT_EQ(items(ID_PRESET_LIST).at(5), "Color Preset 6");
    // Names are Windows-1252 bytes: the lists and fields get them as text.
    std::strcpy(model.header.dummyNames[3], ":Pl\xE4tte \x80");
    std::strcpy(model.header.partNames[2], "\xC3\xA9"); // not UTF-8 for e-acute: two letters
    ASSERT_TRUE(saveModel());
    ASSERT_TRUE(openModelFile(model.fcePath)); // a second load refills the model's lists
    EXPECT_EQ(items(ID_DUMMY_LIST).at(3), ":Pl\xC3\xA4tte \xE2\x82\xAC");
    EXPECT_EQ(items(ID_DUMMY_LIST).size(), 12u);
    EXPECT_EQ(items(2011).size(), 6u); // the fixed lists are filled once
    selectOnlyPart(2);
    page(PAGE_PARTS);
    EXPECT_EQ(ws.control(ID_PART_NAME).text, "\xC3\x83\xC2\xA9");
}

TEST_F(PanelTest, PartFieldsFollowTheLastSelectedPart) {
    page(PAGE_PARTS);
    EXPECT_EQ(ws.control(ID_PART_NAME).text, ":HB");
    EXPECT_EQ(ws.control(ID_Y).text, "-0.190");
    EXPECT_EQ(ws.control(ID_PART_INFO).text, " Vertices: 992\n Polygons: 1488");
    model.partFlags[0] &= ~PART_SELECTED;
    model.partFlags[1] |= PART_SELECTED;
    model.partFlags[3] |= PART_SELECTED;
    refreshPartFields();
    EXPECT_EQ(model.selectedPart, 3u);
    EXPECT_EQ(selection(ID_PART_LIST), (std::vector<int>{1, 3}));
    EXPECT_EQ(ws.control(ID_PART_NAME).text, ":HLRW");
    EXPECT_EQ(ws.control(ID_X).text, "-0.750");
    EXPECT_EQ(ws.control(ID_Z).text, "1.300");
    EXPECT_EQ(ws.control(ID_PART_INFO).text, " Vertices: 114\n Polygons: 128");
}

TEST_F(PanelTest, AngleFieldShowsOffDegreesOrNo) {
    page(PAGE_SURFACES);
    const int p = int(model.selectedPart);
    const struct {
        uint16_t angle;
        const char* text;
        int slider;
    } cases[] = {{0, "off", 0}, {1, "1\xB0", 1}, {90, "90\xB0", 90}, {91, "no", 100}, {100, "no", 100}};
    for (const auto& c : cases) {
        model.groups[p][model.currentGroup[p]].smoothAngle = c.angle;
        refreshAngleField(true);
        EXPECT_EQ(ws.control(ID_ANGLE).text, c.text) << c.angle;
        EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, c.slider) << c.angle;
    }
    model.currentGroup[p] = 2; // the group list selects the current group and shows its angle
    model.groups[p][2].smoothAngle = 45;
    refreshGroupList();
    EXPECT_EQ(selection(ID_GROUP_LIST), std::vector<int>{2});
    EXPECT_EQ(ws.control(ID_ANGLE).text, "45\xB0");
}

TEST_F(PanelTest, SurfaceFlagsAndTheDriverCheckTellAllSomeOrNone) {
    selectOnlyPart(5);
    page(PAGE_SURFACES);
    for (int k = 0; k < 11; ++k) EXPECT_EQ(marker(k), FLAG_MARKER_NONE) << k; // nothing selected
    EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).check, 0);
    // No Cull in all three, High Chrome in the first only, Don't Chrome in none.
    const int first = selectTriangles(5, 3, TRI_NO_CULL | TRI_HIGH_CHROME | TRI_BROKEN_WINDOW,
                                      TRI_NO_CULL | TRI_BROKEN_WINDOW);
    for (int t = 0; t < 3; ++t) setCornerFlags(first + t, 5, VERTEX_MOVES);
    refreshSurfaceFlags();
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(marker(k), k == 2 || k == 10 ? FLAG_MARKER_ALL
                             : k == 1          ? FLAG_MARKER_SOME
                                               : FLAG_MARKER_NONE)
            << k;
    EXPECT_EQ(selection(ID_FLAG_LIST), (std::vector<int>{2, 10}));
    EXPECT_EQ(ownerDraw.flagEntries[2].substr(1), " No Cull"); // the label stays
    EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).check, 1); // no corner fixed
    setCornerFlags(first + 1, 5, VERTEX_FIXED);
    refreshSurfaceFlags();
    EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).check, 2); // mixed
    setCornerFlags(first, 5, VERTEX_FIXED);
    setCornerFlags(first + 2, 5, VERTEX_FIXED);
    refreshSurfaceFlags();
    EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).check, 0); // all fixed
    selectTriangles(5, 0, 0, 0);
    refreshSurfaceFlags();
    EXPECT_EQ(marker(2), FLAG_MARKER_NONE);
    EXPECT_TRUE(selection(ID_FLAG_LIST).empty());
}

TEST_F(PanelTest, DummyFieldsDecodeLightAndSpecialNames) {
    page(PAGE_DUMMIES);
    EXPECT_EQ(ws.control(ID_X).text, "-0.500"); // dummy 0, "HWYN900"
    EXPECT_EQ(ws.control(ID_Z).text, "-2.160");
    const int light[] = {2011, 2012, 2014, 2013, 2015, 2016};
    const struct {
        const char* name;
        int selected[6]; // kind, colour, flash, three digits; -1: a special name
        int special;
    } cases[] = {
        {"HWYN900", {0, 0, 0, 9, 0, 0}, 0},
        {"PBYE975", {4, 2, 2, 9, 7, 5}, 0},
        {"HWY1234", {0, 0, 2, 2, 3, 4}, 0}, // a flash code of no table leaves the list as it was
        {"TRYOx", {1, 1, 1, 0, 0, 0}, 0},   // short names and letters select "0"
        {":LICENSE_EUROPE", {-1}, 1},
        {":LICENSEX", {-1}, 2},
        {":LICLOW2", {-1}, 4},
        {"", {-1}, 0},
        {" HWYN000", {-1}, 0},
    };
    for (const auto& c : cases) {
        nameDummy(2, c.name);
        EXPECT_EQ(selection(ID_DUMMY_LIST), std::vector<int>{2});
        const bool isLight = c.selected[0] >= 0;
        for (int k = 0; k < 6; ++k) {
            EXPECT_EQ(ws.shown(light[k]), isLight) << c.name;
            if (isLight) {
                EXPECT_EQ(selection(light[k]), std::vector<int>{c.selected[k]}) << c.name << k;
            }
        }
        EXPECT_EQ(ws.shown(2017), !isLight) << c.name;
        if (!isLight) {
            EXPECT_EQ(selection(2017), std::vector<int>{c.special}) << c.name;
        }
    }
    page(PAGE_PARTS); // leaving the page hides whichever detail lists were up
    EXPECT_FALSE(ws.shown(2017));
    model.header.numDummies = 0; // without dummies the fields are empty
    page(PAGE_DUMMIES);
    EXPECT_EQ(ws.control(ID_X).text, "");
}

TEST_F(PanelTest, ColorPresetsSelectAndRepaintOnRequest) {
    model.selectedColor = 1;
    page(PAGE_COLORS);
    EXPECT_EQ(selection(ID_PRESET_LIST), std::vector<int>{1});
    // The square shows the preset's hue at full saturation and brightness in
    // its top-right corner: hue 118 of 180 is 236 degrees, blue with a little
    // green (255 * 4 / 60).
    EXPECT_EQ(ownerDraw.square[1 * 130 + 128], 0x0010FFu);
    const int hue = ws.control(ID_HUE_BAR).repaints, swatch = ws.control(ID_SWATCH).repaints;
    refreshColorPresets(false);
    EXPECT_EQ(ws.control(ID_HUE_BAR).repaints, hue);
    model.selectedColor = 2;
    refreshColorPresets(true);
    EXPECT_GT(ws.control(ID_HUE_BAR).repaints, hue);
    EXPECT_GT(ws.control(ID_SWATCH).repaints, swatch);
    EXPECT_EQ(selection(ID_PRESET_LIST), std::vector<int>{2});
    EXPECT_EQ(ownerDraw.square[1 * 130 + 128], 0xFFDD00u); // 52 degrees: 255 * 52 / 60 green

}
