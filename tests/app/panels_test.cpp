// The side panel pages: where every control of a page goes and which are
// shown, the latched buttons, and the texts and selections the refresh
// routines put into the lists and fields for the sample and third-party cars.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/owner_draw.h"
#include "app/panels.h"
#include "model/car_model.h"
#include "render/camera.h"
#include "render/light.h"
#include "render/render_state.h"
#include "texture/tint.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

struct Expected {
    int id;
    ClientRect rect;
};

ClientRect button(int x, int y) {
    return {x, y, 32, 32};
}

std::string text(ClientRect r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
}

struct PageLayout {
    int page;
    const char* title;
    std::vector<Expected> placed; // shown at these rectangles
};

// The six pages as the panel design draws them (driver-only controls apart).
const std::vector<PageLayout>& layouts() {
    static const std::vector<PageLayout> pages = {
        {PAGE_CAMERA_LIGHT,
         " Camera",
         {{1241, button(8, 72)},
          {1242, button(44, 72)},
          {1243, button(80, 72)},
          {1244, button(116, 72)},
          {1205, button(8, 108)},
          {1245, button(44, 108)},
          {1246, button(80, 108)},
          {1247, button(116, 108)},
          {1248, button(8, 144)},
          {1249, button(44, 144)},
          {1250, button(80, 144)},
          {1251, button(116, 144)},
          {1206, button(8, 236)},
          {1252, button(8, 272)},
          {1253, button(44, 272)},
          {1254, button(116, 272)},
          {ID_HEADER_LABEL_2, {8, 212, 176, 16}},
          {ID_GROUP_BOX_2, {8, 304, 176, 56}},
          {1300, {16, 320, 160, 16}},
          {ID_SLIDER, {16, 336, 160, 16}}}},
        {PAGE_PARTS,
         " Parts",
         {{ID_PART_LIST, {8, 72, 140, 224}},
          {1214, button(152, 72)},
          {1215, button(152, 108)},
          {1216, button(152, 144)},
          {1217, button(152, 180)},
          {ID_GROUP_BOX_1, {8, 284, 176, 120}},
          {ID_PART_INFO, {16, 300, 160, 40}},
          {ID_PART_NAME, {16, 348, 160, 20}},
          {ID_X, {16, 376, 50, 20}},
          {ID_Y, {71, 376, 50, 20}},
          {ID_Z, {126, 376, 50, 20}},
          {1255, button(8, 412)},
          {1256, button(44, 412)},
          {1257, button(80, 412)},
          {1258, button(116, 412)},
          {1259, button(152, 412)},
          {1218, button(8, 448)},
          {1219, button(44, 448)},
          {1220, button(80, 448)},
          {1221, button(116, 448)},
          {1222, button(152, 448)}}},
        {PAGE_SURFACES,
         " Surfaces",
         {{ID_GROUP_BOX_1, {8, 72, 176, 64}},
          {1303, {16, 72, 60, 16}},
          {1260, button(16, 96)},
          {1261, button(52, 96)},
          {1262, button(88, 96)},
          {1211, button(144, 96)},
          {ID_GROUP_BOX_2, {8, 144, 176, 232}},
          {1302, {16, 144, 120, 16}},
          {ID_GROUP_LIST, {16, 168, 80, 68}},
          {1207, button(108, 168)},
          {1208, button(144, 168)},
          {1209, button(108, 204)},
          {1210, button(144, 204)},
          {1304, {16, 252, 130, 16}},
          {ID_ANGLE, {146, 250, 30, 20}},
          {1301, {16, 272, 160, 16}},
          {ID_SLIDER, {16, 288, 160, 16}},
          {1305, {16, 316, 160, 16}},
          {1212, button(16, 336)},
          {1213, button(52, 336)},
          {1263, button(108, 336)},
          {1264, button(144, 336)},
          {ID_GROUP_BOX_3, {8, 384, 176, 136}},
          {1306, {16, 384, 96, 16}},
          {ID_FLAG_LIST, {16, 408, 160, 100}}}},
        {PAGE_DUMMIES,
         " Dummies",
         {{ID_DUMMY_LIST, {8, 72, 140, 144}},
          {1223, button(152, 72)},
          {1224, button(152, 108)},
          {1216, button(152, 144)},
          {1217, button(152, 180)},
          {ID_GROUP_BOX_1, {8, 208, 176, 200}},
          {1307, {16, 220, 160, 12}},
          {2011, {16, 232, 64, 100}},
          {2012, {88, 232, 48, 100}},
          {2013, {144, 232, 32, 100}},
          {1308, {16, 336, 160, 12}},
          {2014, {16, 348, 80, 52}},
          {2015, {104, 348, 32, 52}},
          {2016, {144, 348, 32, 52}},
          {ID_GROUP_BOX_2, {8, 406, 176, 44}},
          {ID_X, {16, 422, 50, 20}},
          {ID_Y, {71, 422, 50, 20}},
          {ID_Z, {126, 422, 50, 20}},
          {1255, button(8, 456)},
          {1256, button(44, 456)},
          {1257, button(80, 456)}}},
        {PAGE_COLORS,
         " Colors",
         {{ID_PRESET_LIST, {8, 72, 140, 132}},
          {1216, button(152, 72)},
          {1217, button(152, 108)},
          {1265, button(8, 210)},
          {1266, button(44, 210)},
          {1267, button(80, 210)},
          {1268, button(116, 210)},
          {ID_GROUP_BOX_1, {8, 242, 176, 210}},
          {ID_HUE_BAR, {16, 260, 24, 182}},
          {ID_SWATCH, {47, 260, 130, 44}},
          {ID_SQUARE, {47, 312, 130, 130}}}},
        {PAGE_TEXTURES,
         " Textures",
         {{ID_GROUP_BOX_1, {8, 72, 176, 64}},
          {1303, {16, 72, 60, 16}},
          {1260, button(16, 96)},
          {1261, button(52, 96)},
          {1262, button(88, 96)},
          {1211, button(144, 96)},
          {ID_GROUP_BOX_2, {8, 144, 176, 100}},
          {1309, {16, 144, 105, 16}},
          {1272, button(16, 168)},
          {1269, button(72, 168)},
          {1270, button(108, 168)},
          {1271, button(144, 168)},
          {1228, button(144, 204)},
          {ID_GROUP_BOX_3, {8, 384, 176, 136}},
          {1306, {16, 384, 96, 16}},
          {ID_FLAG_LIST, {16, 408, 160, 100}}}},
    };
    return pages;
}

// Every panel control that some page shows, driver and mapping-edit ones too.
std::set<int> panelControls() {
    std::set<int> ids = {
        ID_DRIVER_MOVEMENT, ID_TEST, 1226, 1227, 1229, 1230, 1273, 1274, 1275, 2017};
    for (const PageLayout& page : layouts())
        for (const Expected& e : page.placed) ids.insert(e.id);
    return ids;
}

class PanelTest : public EditorTest {
  protected:
    void openSample() { start(sampleCopy()); }
    void page(int which) { ASSERT_TRUE(ws.menu(CMD_PAGE_FIRST + which)); }
    void selectOnlyPart(int p) {
        for (int i = 0; i < model.header.numParts; ++i) model.partFlags[i] &= ~PART_SELECTED;
        model.partFlags[p] |= PART_SELECTED;
        model.selectedPart = uint32_t(p);
    }
    std::vector<std::string> items(int id) { return ws.control(id).items; }
    std::vector<int> selection(int id) {
        std::vector<int> chosen;
        const FakeControl& c = ws.control(id);
        for (size_t i = 0; i < c.selected.size(); ++i)
            if (c.selected[i]) chosen.push_back(int(i));
        return chosen;
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

TEST_F(PanelTest, EveryPageSetsItsControlsAndHidesThemWhenLeft) {
    openSample();
    const std::set<int> all = panelControls();
    for (const PageLayout& layout : layouts()) {
        SCOPED_TRACE(layout.title);
        page(layout.page);
        EXPECT_EQ(ws.control(ID_HEADER_LABEL_1).text, layout.title);
        EXPECT_TRUE(ws.shown(ID_HEADER_LABEL_1));
        std::set<int> expectedShown;
        for (const Expected& e : layout.placed) {
            EXPECT_EQ(text(ws.control(e.id).rect), text(e.rect)) << "control " << e.id;
            expectedShown.insert(e.id);
        }
        for (int id : all)
            EXPECT_EQ(ws.shown(id), expectedShown.count(id) != 0) << "control " << id;
        // Away to another page: nothing of this one stays.
        const int other = layout.page == PAGE_PARTS ? PAGE_COLORS : PAGE_PARTS;
        page(other);
        for (int id : expectedShown) {
            bool onOther = false;
            for (const Expected& e : layouts()[size_t(other)].placed) onOther |= e.id == id;
            EXPECT_EQ(ws.shown(id), onOther) << "control " << id << " after leaving";
        }
        page(layout.page == PAGE_CAMERA_LIGHT ? PAGE_SURFACES : PAGE_CAMERA_LIGHT);
    }
}

TEST_F(PanelTest, CameraPageShowsLightHeaderSliderAndLatches) {
    openSample();
    EXPECT_EQ(ws.control(ID_HEADER_LABEL_2).text, " Light");
    const FakeControl& slider = ws.control(ID_SLIDER);
    EXPECT_EQ(slider.sliderMinimum, 0);
    EXPECT_EQ(slider.sliderMaximum, 100);
    EXPECT_EQ(slider.sliderPosition, 75); // diffuse 0.75
    page(PAGE_PARTS);
    camera.currentCamera = 3;
    panel.dragTarget = DRAG_ROTATE_LIGHT;
    camera.partCentred = true;
    light.lightFollowsCamera = true;
    light.lightDiffuse = 0.426;
    page(PAGE_CAMERA_LIGHT);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 43);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(buttonStateOf(1241 + k), k == 3 ? BUTTON_DOWN : BUTTON_UP) << k;
    EXPECT_EQ(buttonStateOf(1250), BUTTON_UP);
    // An axis view only pans and zooms: its orbit and light buttons stay off.
    for (int id : {1251, 1254, 1249, 1253}) EXPECT_EQ(buttonStateOf(id), BUTTON_DISABLED) << id;
    EXPECT_EQ(buttonStateOf(1248), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1252), BUTTON_DOWN);
    camera.currentCamera = 0;
    page(PAGE_PARTS);
    page(PAGE_CAMERA_LIGHT);
    EXPECT_EQ(buttonStateOf(1251), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1254), BUTTON_DOWN);
    panel.dragTarget = DRAG_MOVE_CAMERA;
    camera.partCentred = false;
    light.lightFollowsCamera = false;
    page(PAGE_PARTS);
    page(PAGE_CAMERA_LIGHT);
    EXPECT_EQ(buttonStateOf(1250), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1254), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1248), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1252), BUTTON_UP);
}

TEST_F(PanelTest, PagesLatchTheirToolAndLayerButtons) {
    openSample();
    panel.axisLock[0] = 1;
    panel.axisLock[1] = 0;
    panel.axisLock[2] = 1;
    panel.moveOriginOnly = true;
    page(PAGE_PARTS);
    EXPECT_EQ(buttonStateOf(1255), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1256), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1257), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1258), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1259), BUTTON_DOWN);
    panel.axisLock[1] = 1;
    panel.axisLock[2] = 0;
    page(PAGE_DUMMIES);
    EXPECT_EQ(buttonStateOf(1256), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1257), BUTTON_UP);

    panel.selectionTool = 4;
    page(PAGE_SURFACES);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(buttonStateOf(1260 + k), k == 4 ? BUTTON_DOWN : BUTTON_UP);

    model.colorLayer = 2;
    page(PAGE_COLORS);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(buttonStateOf(1265 + k), k == 2 ? BUTTON_DOWN : BUTTON_UP);

    panel.mappingTool = 1;
    panel.mirrorMapping = true;
    page(PAGE_TEXTURES);
    EXPECT_EQ(buttonStateOf(1273), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1274), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1275), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1272), BUTTON_DOWN);
}

TEST_F(PanelTest, TexturesPageKeepsToThreeToolsAndLeavesMappingEdit) {
    openSample();
    for (int tool : {3, 4}) {
        panel.selectionTool = tool;
        page(PAGE_TEXTURES);
        EXPECT_EQ(panel.selectionTool, 2);
        EXPECT_EQ(buttonStateOf(1262), BUTTON_DOWN);
        EXPECT_EQ(buttonStateOf(1260), BUTTON_UP);
        page(PAGE_PARTS);
    }
    panel.selectionTool = 1;
    page(PAGE_TEXTURES);
    EXPECT_EQ(panel.selectionTool, 1); // the first three stay
    page(PAGE_PARTS);

    // A page shown while a mapping was being edited ends the edit: the
    // mapping buttons go, the ordinary ones and the top strip come back.
    render.textureMappingActive = true;
    for (int id : {1226, 1227, 1229, 1230, 1273, 1274, 1275}) ws.showControl(id, true);
    ws.showControl(1200, false);
    render.bandX0 = 5;
    render.bandX1 = 9;
    showPage(PAGE_TEXTURES, true);
    EXPECT_FALSE(render.textureMappingActive);
    EXPECT_EQ(render.bandX0, 0);
    EXPECT_EQ(render.bandX1, 0);
    for (int id : {1226, 1227, 1229, 1230, 1273, 1274, 1275}) EXPECT_FALSE(ws.shown(id)) << id;
    for (int id : {1269, 1270, 1271, 1272, 1228, 1200}) EXPECT_TRUE(ws.shown(id)) << id;
    EXPECT_EQ(text(ws.control(1274).rect), text(button(52, 168)));
    EXPECT_EQ(text(ws.control(1229).rect), text(button(16, 204)));
    EXPECT_EQ(text(ws.control(1226).rect), text(button(144, 168)));
    EXPECT_EQ(text(ws.control(1227).rect), text(button(144, 204)));
    // Hiding the page hides the mapping buttons whatever showed them.
    for (int id : {1226, 1273}) ws.showControl(id, true);
    showPage(PAGE_TEXTURES, false);
    EXPECT_FALSE(ws.shown(1226));
    EXPECT_FALSE(ws.shown(1273));
}

TEST_F(PanelTest, DriverPartShortensTheFlagListForItsControls) {
    openSample();
    for (int which : {PAGE_SURFACES, PAGE_TEXTURES}) {
        SCOPED_TRACE(which);
        selectOnlyPart(5); // ":OD"
        model.partFlags[5] &= ~PART_DRIVER;
        page(which);
        EXPECT_TRUE(model.partFlags[5] & PART_DRIVER);
        EXPECT_EQ(text(ws.control(ID_FLAG_LIST).rect), text({16, 408, 160, 84}));
        EXPECT_EQ(text(ws.control(ID_DRIVER_MOVEMENT).rect), text({16, 496, 128, 16}));
        EXPECT_EQ(text(ws.control(ID_TEST).rect), text({144, 496, 32, 16}));
        EXPECT_TRUE(ws.shown(ID_DRIVER_MOVEMENT));
        EXPECT_TRUE(ws.shown(ID_TEST));
        page(PAGE_PARTS);
        EXPECT_FALSE(ws.shown(ID_DRIVER_MOVEMENT));
        EXPECT_FALSE(ws.shown(ID_TEST));

        // Renamed away, the part is no driver at the next refresh.
        std::strcpy(model.header.partNames[5], ":ODX");
        page(which);
        EXPECT_FALSE(model.partFlags[5] & PART_DRIVER);
        EXPECT_EQ(ws.control(ID_FLAG_LIST).rect.height, 100);
        EXPECT_FALSE(ws.shown(ID_DRIVER_MOVEMENT));
        EXPECT_FALSE(ws.shown(ID_TEST));
        std::strcpy(model.header.partNames[5], ":OD");
        page(PAGE_PARTS);
    }
}

TEST_F(PanelTest, LoadFillsTheListsOfTheSampleCar) {
    openSample();
    EXPECT_EQ(items(ID_PART_LIST).size(), 9u);
    EXPECT_EQ(selection(ID_PART_LIST), std::vector<int>{0});
    EXPECT_EQ(items(ID_GROUP_LIST),
              (std::vector<std::string>{"Base", "Group 1", "Group 2", "Group 3", "Group 4"}));
    EXPECT_EQ(selection(ID_GROUP_LIST), std::vector<int>{0});
    EXPECT_EQ(items(ID_FLAG_LIST).size(), 11u);
    const std::vector<std::string> dummies = items(ID_DUMMY_LIST);
    ASSERT_EQ(dummies.size(), 12u);
    EXPECT_EQ(dummies[0], "HWYN900");
    EXPECT_EQ(dummies[10], ":LICENSE");
    EXPECT_EQ(dummies[11], ":SMOKE");
    EXPECT_EQ(selection(ID_DUMMY_LIST), std::vector<int>{0});
    EXPECT_EQ(items(2011),
              (std::vector<std::string>{"Head", "Tail", "Brake", "Reverse", "Direction", "Siren"}));
    EXPECT_EQ(items(2012), (std::vector<std::string>{"White", "Red", "Blue", "Orange"}));
    EXPECT_EQ(items(2014), (std::vector<std::string>{"No", "Moment 1", "Moment 2"}));
    const std::vector<std::string> digits = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int id : {2013, 2015, 2016}) EXPECT_EQ(items(id), digits) << id;
    EXPECT_EQ(items(2017), (std::vector<std::string>{" no name", ":LICENSE_EURO", ":LICENSE",
                                                     ":LICMED", ":LICLOW", ":SMOKE"}));
    EXPECT_EQ(items(ID_PRESET_LIST),
              (std::vector<std::string>{"Color Preset 1", "Color Preset 2", "Color Preset 3",
                                        "Color Preset 4", "Color Preset 5", "Color Preset 6"}));
    EXPECT_EQ(selection(ID_PRESET_LIST), std::vector<int>{0});

    // A second load refills the model's lists but not the fixed ones.
    ASSERT_TRUE(openModelFile(sampleCopy("again.fce")));
    EXPECT_EQ(items(ID_PART_LIST).size(), 9u);
    EXPECT_EQ(items(ID_DUMMY_LIST).size(), 12u);
    EXPECT_EQ(items(ID_PRESET_LIST).size(), 6u);
    EXPECT_EQ(items(2011).size(), 6u);
    EXPECT_EQ(items(2013).size(), 10u);
    EXPECT_EQ(items(2017).size(), 6u);
}

TEST_F(PanelTest, LoadFillsTheListsOfTheThirdPartyCar) {
    SKIP_WITHOUT_SNOWMAN();
    start(snowmanFce());
    EXPECT_EQ(items(ID_PART_LIST).size(), 5u);
    EXPECT_EQ(selection(ID_PART_LIST), std::vector<int>{0});
    EXPECT_EQ(items(ID_GROUP_LIST), std::vector<std::string>{"Base"});
    EXPECT_TRUE(items(ID_DUMMY_LIST).empty());
    EXPECT_TRUE(selection(ID_DUMMY_LIST).empty());
    ASSERT_EQ(items(ID_PRESET_LIST).size(), 8u);
    EXPECT_EQ(items(ID_PRESET_LIST)[7], "Color Preset 8");
    EXPECT_EQ(items(2011).size(), 6u);

    // The parts page on the body.
    selectOnlyPart(3);
    page(PAGE_PARTS);
    EXPECT_EQ(ws.control(ID_PART_NAME).text, ":HB");
    EXPECT_EQ(ws.control(ID_PART_INFO).text, " Vertices: 143\n Polygons: 228");
    EXPECT_EQ(selection(ID_PART_LIST), std::vector<int>{3});

    // No dummies: empty fields and the special-name list with nothing named.
    page(PAGE_DUMMIES);
    EXPECT_EQ(ws.control(ID_X).text, "");
    EXPECT_EQ(selection(2017), std::vector<int>{0});
    EXPECT_TRUE(ws.shown(2017));
    EXPECT_FALSE(ws.shown(2011));

    model.selectedColor = 4;
    model.colorLayer = 0;
    page(PAGE_COLORS);
    EXPECT_EQ(selection(ID_PRESET_LIST), std::vector<int>{4});
    EXPECT_EQ(ownerDraw.square[1 * 130 + 128], hsbToPixel({179, 127, 127, 0}) & 0xFFFFFFu);
}

TEST_F(PanelTest, PartFieldsFollowTheLastSelectedPart) {
    openSample();
    page(PAGE_PARTS);
    EXPECT_EQ(ws.control(ID_PART_NAME).text, ":HB");
    EXPECT_EQ(ws.control(ID_X).text, "0.000");
    EXPECT_EQ(ws.control(ID_Y).text, "-0.190");
    EXPECT_EQ(ws.control(ID_Z).text, "0.000");
    EXPECT_EQ(ws.control(ID_PART_INFO).text, " Vertices: 992\n Polygons: 1488");

    model.partFlags[0] &= ~PART_SELECTED;
    model.partFlags[1] |= PART_SELECTED;
    model.partFlags[3] |= PART_SELECTED;
    refreshPartFields();
    EXPECT_EQ(model.selectedPart, 3u);
    EXPECT_EQ(selection(ID_PART_LIST), (std::vector<int>{1, 3}));
    EXPECT_EQ(items(ID_PART_LIST).size(), 9u);
    EXPECT_EQ(ws.control(ID_PART_NAME).text, ":HLRW");
    EXPECT_EQ(ws.control(ID_X).text, "-0.750");
    EXPECT_EQ(ws.control(ID_Y).text, "-0.460");
    EXPECT_EQ(ws.control(ID_Z).text, "1.300");
    EXPECT_EQ(ws.control(ID_PART_INFO).text, " Vertices: 114\n Polygons: 128");
}

TEST_F(PanelTest, AngleFieldShowsOffDegreesOrNo) {
    openSample();
    page(PAGE_SURFACES);
    const int p = int(model.selectedPart);
    struct Case {
        uint16_t angle;
        const char* text;
        int slider;
    } cases[] = {
        {0, "off", 0}, {1, "1\xB0", 1}, {90, "90\xB0", 90}, {91, "no", 100}, {100, "no", 100}};
    for (const Case& c : cases) {
        model.groups[p][model.currentGroup[p]].smoothAngle = c.angle;
        const int repaints = ws.control(ID_SLIDER).repaints;
        refreshAngleField(true);
        EXPECT_EQ(ws.control(ID_ANGLE).text, c.text) << c.angle;
        EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, c.slider) << c.angle;
        EXPECT_GT(ws.control(ID_SLIDER).repaints, repaints);
    }
    // The group list selects the part's current group and shows its angle.
    model.currentGroup[p] = 2;
    model.groups[p][2].smoothAngle = 45;
    refreshGroupList();
    EXPECT_EQ(selection(ID_GROUP_LIST), std::vector<int>{2});
    EXPECT_EQ(ws.control(ID_ANGLE).text, "45\xB0");
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 45);
}

TEST_F(PanelTest, SurfaceFlagMarkersTellAllSomeOrNone) {
    openSample();
    selectOnlyPart(1);
    page(PAGE_SURFACES);
    for (int k = 0; k < 11; ++k) EXPECT_EQ(marker(k), FLAG_MARKER_NONE) << k; // nothing selected
    EXPECT_TRUE(selection(ID_FLAG_LIST).empty());

    // No Cull in all three, High Chrome in the first only, Don't Chrome in none.
    selectTriangles(1, 3, TRI_NO_CULL | TRI_HIGH_CHROME | TRI_BROKEN_WINDOW,
                    TRI_NO_CULL | TRI_BROKEN_WINDOW);
    refreshSurfaceFlags();
    for (int k = 0; k < 11; ++k) {
        const char expected = (k == 2 || k == 10) ? FLAG_MARKER_ALL
                              : k == 1            ? FLAG_MARKER_SOME
                                                  : FLAG_MARKER_NONE;
        EXPECT_EQ(marker(k), expected) << k;
    }
    EXPECT_EQ(selection(ID_FLAG_LIST), (std::vector<int>{2, 10}));
    EXPECT_EQ(ownerDraw.flagEntries[2].substr(1), " No Cull"); // the label stays

    // Deselected again: back to the dash and no list selection.
    selectTriangles(1, 0, 0, 0);
    refreshSurfaceFlags();
    EXPECT_EQ(marker(2), FLAG_MARKER_NONE);
    EXPECT_EQ(marker(1), FLAG_MARKER_NONE);
    EXPECT_TRUE(selection(ID_FLAG_LIST).empty());
}

TEST_F(PanelTest, DriverMovementCheckFollowsTheSelectedCorners) {
    openSample();
    selectOnlyPart(5);
    page(PAGE_SURFACES);
    EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).check, 0); // nothing selected

    const int first = selectTriangles(5, 2, 0, 0);
    setCornerFlags(first, 5, VERTEX_MOVES);
    setCornerFlags(first + 1, 5, VERTEX_MOVES);
    refreshSurfaceFlags();
    EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).check, 1); // none fixed
    setCornerFlags(first + 1, 5, VERTEX_FIXED);
    refreshSurfaceFlags();
    EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).check, 2); // mixed
    setCornerFlags(first, 5, VERTEX_FIXED);
    refreshSurfaceFlags();
    EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).check, 0); // all fixed
}

TEST_F(PanelTest, DummyFieldsDecodeLightNames) {
    openSample();
    page(PAGE_DUMMIES);
    // Dummy 0 is "HWYN900".
    EXPECT_EQ(selection(ID_DUMMY_LIST), std::vector<int>{0});
    EXPECT_EQ(ws.control(ID_X).text, "-0.500");
    EXPECT_EQ(ws.control(ID_Y).text, "-0.150");
    EXPECT_EQ(ws.control(ID_Z).text, "-2.160");
    EXPECT_EQ(selection(2011), std::vector<int>{0});
    EXPECT_EQ(selection(2012), std::vector<int>{0});
    EXPECT_EQ(selection(2014), std::vector<int>{0});
    EXPECT_EQ(selection(2013), std::vector<int>{9});
    for (int id : {2015, 2016}) EXPECT_EQ(selection(id), std::vector<int>{0});
    for (int id : {2011, 2012, 2013, 2014, 2015, 2016, 1307, 1308}) EXPECT_TRUE(ws.shown(id)) << id;
    EXPECT_FALSE(ws.shown(2017));

    nameDummy(2, "PBYE975"); // Direction, Blue, Moment 2, digits 9 7 5
    EXPECT_EQ(selection(ID_DUMMY_LIST), std::vector<int>{2});
    EXPECT_EQ(items(ID_DUMMY_LIST)[2], "PBYE975");
    EXPECT_EQ(selection(2011), std::vector<int>{4});
    EXPECT_EQ(selection(2012), std::vector<int>{2});
    EXPECT_EQ(selection(2014), std::vector<int>{2});
    EXPECT_EQ(selection(2013), std::vector<int>{9});
    EXPECT_EQ(selection(2015), std::vector<int>{7});
    EXPECT_EQ(selection(2016), std::vector<int>{5});

    // A flash code that matches nothing leaves the flash list alone.
    nameDummy(2, "HWY1234");
    EXPECT_EQ(selection(2011), std::vector<int>{0});
    EXPECT_EQ(selection(2012), std::vector<int>{0});
    EXPECT_EQ(selection(2014), std::vector<int>{2});
    EXPECT_EQ(selection(2013), std::vector<int>{2});
    EXPECT_EQ(selection(2015), std::vector<int>{3});
    EXPECT_EQ(selection(2016), std::vector<int>{4});

    // Short names and letters where digits belong select "0".
    nameDummy(2, "TRYOx");
    EXPECT_EQ(selection(2011), std::vector<int>{1});
    EXPECT_EQ(selection(2014), std::vector<int>{1});
    for (int id : {2013, 2015, 2016}) EXPECT_EQ(selection(id), std::vector<int>{0}) << id;
}

TEST_F(PanelTest, DummyFieldsPickSpecialNamesByPrefix) {
    openSample();
    page(PAGE_DUMMIES);
    struct Case {
        const char* name;
        int index;
    } cases[] = {{":LICENSE", 2}, {":LICENSE_EURO", 1}, {":LICENSE_EUROPE", 1}, {":LICENSEX", 2},
                 {":LICMED", 3},  {":LICLOW2", 4},      {":SMOKE", 5},          {":FOO", 0},
                 {"", 0},         {" HWYN000", 0}};
    for (const Case& c : cases) {
        nameDummy(10, c.name);
        EXPECT_EQ(selection(2017), std::vector<int>{c.index}) << '"' << c.name << '"';
        EXPECT_TRUE(ws.shown(2017));
        for (int id : {2011, 2012, 2013, 2014, 2015, 2016, 1307, 1308})
            EXPECT_FALSE(ws.shown(id)) << id;
    }
    EXPECT_EQ(ws.control(ID_X).text, "0.000");
    EXPECT_EQ(ws.control(ID_Z).text, "2.170");

    // Leaving the page hides whichever detail lists were up.
    page(PAGE_PARTS);
    EXPECT_FALSE(ws.shown(2017));
    page(PAGE_DUMMIES);
    nameDummy(0, "HWYN000");
    EXPECT_TRUE(ws.shown(2011));
    page(PAGE_PARTS);
    for (int id : {2011, 2012, 2013, 2014, 2015, 2016, 2017, 1307, 1308})
        EXPECT_FALSE(ws.shown(id)) << id;
}

TEST_F(PanelTest, ColorPresetsSelectAndRepaintOnRequest) {
    openSample();
    model.selectedColor = 1;
    model.colorLayer = 0;
    page(PAGE_COLORS);
    EXPECT_EQ(items(ID_PRESET_LIST).size(), 6u);
    EXPECT_EQ(selection(ID_PRESET_LIST), std::vector<int>{1});
    EXPECT_EQ(ownerDraw.square[1 * 130 + 128], hsbToPixel({118, 127, 127, 0}) & 0xFFFFFFu);

    const int hue = ws.control(ID_HUE_BAR).repaints;
    const int square = ws.control(ID_SQUARE).repaints;
    const int swatch = ws.control(ID_SWATCH).repaints;
    refreshColorPresets(false);
    EXPECT_EQ(ws.control(ID_HUE_BAR).repaints, hue);
    EXPECT_EQ(ws.control(ID_SQUARE).repaints, square);
    EXPECT_EQ(ws.control(ID_SWATCH).repaints, swatch);
    model.selectedColor = 2;
    refreshColorPresets(true);
    EXPECT_GT(ws.control(ID_HUE_BAR).repaints, hue);
    EXPECT_GT(ws.control(ID_SQUARE).repaints, square);
    EXPECT_GT(ws.control(ID_SWATCH).repaints, swatch);
    EXPECT_EQ(selection(ID_PRESET_LIST), std::vector<int>{2});
    EXPECT_EQ(ownerDraw.square[1 * 130 + 128], hsbToPixel({26, 127, 127, 0}) & 0xFFFFFFu);
}
