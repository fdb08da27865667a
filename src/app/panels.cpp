// Side panel pages: where each page puts its controls, which of them it
// shows, and the button latches it takes from the panel state. Each page sets
// the header title; the overlays a page shows in the view (axis cross, dummy
// symbols) are built when it is shown. The lists are made on the first load.
#include "app/panels.h"

#include "app/app_state.h"
#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/mapping_commands.h"
#include "app/menu.h"
#include "editing/mapping.h"
#include "model/car_model.h"
#include "model/names.h"
#include "platform/window_system.h"
#include "render/camera.h"
#include "render/frame_buffer.h"
#include "render/light.h"
#include "render/overlays.h"
#include "render/render_state.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <string>

namespace {

struct ListSpec {
    int id;
    ControlKind kind;
    uint32_t style;
    ClientRect rect;
};
const ListSpec panelLists[] = {
    {2001,
     CONTROL_OWNER_LIST,
     STYLE_MULTI_SELECT | STYLE_VSCROLL | STYLE_NOTIFY,
     {8, 72, 140, 224}},
    {2008, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {16, 96, 72, 68}},
    {2009,
     CONTROL_OWNER_LIST,
     STYLE_MULTI_SELECT | STYLE_VSCROLL | STYLE_NOTIFY,
     {16, 96, 160, 96}},
    {2010, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {8, 72, 140, 144}},
    {2011, CONTROL_LIST, STYLE_NOTIFY, {16, 232, 64, 100}},
    {2012, CONTROL_LIST, STYLE_NOTIFY, {88, 232, 48, 100}},
    {2013, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {144, 232, 32, 100}},
    {2014, CONTROL_LIST, STYLE_NOTIFY, {16, 348, 80, 52}},
    {2015, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {104, 348, 32, 52}},
    {2016, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {144, 348, 32, 52}},
    {2017, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {16, 224, 160, 100}},
    {2018, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {8, 72, 140, 132}},
};

const char* const pageTitles[6] = {" Camera",  " Parts",  " Surfaces",
                                   " Dummies", " Colors", " Textures"};
const ClientRect headerRect{8, 48, 176, 16};
// The flag list, shorter when the driver-movement controls stand below it.
const ClientRect flagListRect{16, 408, 160, 100};
constexpr int DRIVER_FLAG_LIST_HEIGHT = 84;

// A control and where a page puts it.
struct Place {
    int id;
    ClientRect rect;
};

ClientRect button(int x, int y) {
    return {x, y, 32, 32};
}

const Place cameraPlaces[] = {
    {1241, button(8, 72)},
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
    {ID_SLIDER, {16, 336, 160, 16}},
};

const Place partPlaces[] = {
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
    {1222, button(152, 448)},
};
const int partShown[] = {ID_PART_LIST, ID_PART_INFO, ID_PART_NAME, ID_X, ID_Y, ID_Z, ID_GROUP_BOX_1,
                         1255,         1256,         1257,         1258, 1259, 1214, 1215,
                         1216,         1217,         1218,         1219, 1220, 1221, 1222};

// The selection row and the flag box are shared by Surfaces and Textures.
const Place selectionPlaces[] = {
    {ID_GROUP_BOX_1, {8, 72, 176, 64}},
    {1303, {16, 72, 60, 16}},
    {1260, button(16, 96)},
    {1261, button(52, 96)},
    {1262, button(88, 96)},
    {1211, button(144, 96)},
    {ID_GROUP_BOX_3, {8, 384, 176, 136}},
    {1306, {16, 384, 96, 16}},
    {ID_DRIVER_MOVEMENT, {16, 496, 128, 16}},
    {ID_TEST, {144, 496, 32, 16}},
};

const Place surfacePlaces[] = {
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
};
const int surfaceShown[] = {ID_GROUP_BOX_1, ID_GROUP_BOX_2, ID_GROUP_BOX_3, 1301,     1302,
                            1303,           1304,           1305,           1306,     1260,
                            1261,           1262,           1263,           1264,     1207,
                            1208,           1209,           1210,           1211,     1212,
                            1213,           ID_GROUP_LIST,  ID_SLIDER,      ID_ANGLE, ID_FLAG_LIST};

const Place dummyPlaces[] = {
    {1223, button(152, 72)},
    {1224, button(152, 108)},
    {1216, button(152, 144)},
    {1217, button(152, 180)},
    {ID_GROUP_BOX_1, {8, 208, 176, 200}},
    {1307, {16, 220, 160, 12}},
    {1308, {16, 336, 160, 12}},
    {ID_GROUP_BOX_2, {8, 406, 176, 44}},
    {ID_X, {16, 422, 50, 20}},
    {ID_Y, {71, 422, 50, 20}},
    {ID_Z, {126, 422, 50, 20}},
    {1255, button(8, 456)},
    {1256, button(44, 456)},
    {1257, button(80, 456)},
};
const int dummyShown[] = {ID_DUMMY_LIST,  ID_X, ID_Y, ID_Z, ID_GROUP_BOX_1,
                          ID_GROUP_BOX_2, 1255, 1256, 1257, 1223,
                          1224,           1216, 1217};
// Shown or not by refreshDummyFields; hidden with the page.
const int dummyDetails[] = {2011, 2012, 2013, 2014, 2015, 2016, 2017, 1307, 1308};

const Place colorPlaces[] = {
    {1216, button(152, 72)},
    {1217, button(152, 108)},
    {1265, button(8, 210)},
    {1266, button(44, 210)},
    {1267, button(80, 210)},
    {1268, button(116, 210)},
    {ID_GROUP_BOX_1, {8, 242, 176, 210}},
    {ID_HUE_BAR, {16, 260, 24, 182}},
    {ID_SWATCH, {47, 260, 130, 44}},
    {ID_SQUARE, {47, 312, 130, 130}},
};
const int colorShown[] = {ID_GROUP_BOX_1, 1216,           1217,       1265,      1266,     1267,
                          1268,           ID_PRESET_LIST, ID_HUE_BAR, ID_SQUARE, ID_SWATCH};

const Place texturePlaces[] = {
    {ID_GROUP_BOX_2, {8, 144, 176, 100}},
    {1309, {16, 144, 105, 16}},
    {1272, button(16, 168)},
    {1269, button(72, 168)},
    {1270, button(108, 168)},
    {1271, button(144, 168)},
    {1228, button(144, 204)},
    {1273, button(16, 168)},
    {1274, button(52, 168)},
    {1275, button(88, 168)},
    {1229, button(16, 204)},
    {1230, button(52, 204)},
    {1226, button(144, 168)},
    {1227, button(144, 204)},
};
const int textureShown[] = {ID_GROUP_BOX_1, ID_GROUP_BOX_2, ID_GROUP_BOX_3, 1303,        1306, 1309,
                            1260,           1261,           1262,           1211,        1269, 1270,
                            1271,           1272,           1228,           ID_FLAG_LIST};
// Shown only while a mapping is being edited; hidden with the page.
const int mappingEditButtons[] = {1226, 1227, 1229, 1230, 1273, 1274, 1275};

template <size_t N> void place(const Place (&places)[N]) {
    WindowSystem& ws = windows();
    for (const Place& p : places) ws.moveControl(p.id, p.rect);
}

template <size_t N> void showAll(const int (&ids)[N], bool show) {
    WindowSystem& ws = windows();
    for (int id : ids) ws.showControl(id, show);
}

void latch(int id, bool down) {
    setButtonState(id, down ? BUTTON_DOWN : BUTTON_UP);
}

// A part named ":OD" is the driver; the flag list makes room below it for
// the driver-movement controls.
bool driverCheck() {
    const int p = selectedPartIndex();
    bool driver = false;
    if (p >= 0) {
        driver = nameString(model.header.partNames[p]) == ":OD";
        if (driver)
            model.partFlags[p] |= PART_DRIVER;
        else
            model.partFlags[p] &= ~PART_DRIVER;
    }
    ClientRect list = flagListRect;
    if (driver) list.height = DRIVER_FLAG_LIST_HEIGHT;
    windows().moveControl(ID_FLAG_LIST, list);
    return driver;
}

void resetSelectionRectangle() {
    render.bandX0 = render.bandY0 = render.bandX1 = render.bandY1 = 0;
}

void layoutCamera() {
    WindowSystem& ws = windows();
    place(cameraPlaces);
    ws.setText(ID_HEADER_LABEL_2, " Light");
    ws.setSlider(ID_SLIDER, 0, 100, int(std::lround(light.lightDiffuse * 100.0)));
    for (int k = 0; k < 7; ++k) latch(BUTTON_CAMERA_FIRST + k, camera.currentCamera == k);
    latch(1250, panel.dragTarget == DRAG_MOVE_CAMERA);
    latch(1251, panel.dragTarget == DRAG_ROTATE_CAMERA);
    latch(1254, panel.dragTarget == DRAG_ROTATE_LIGHT);
    latch(1248, camera.partCentred);
    latch(1252, light.lightFollowsCamera);
    // The axis views only pan and zoom: their orbit and light buttons stay off.
    if (camera.currentCamera > 0)
        for (int id : {1251, 1254, 1249, 1253}) setButtonState(id, BUTTON_DISABLED);
}

void showCamera(bool show) {
    WindowSystem& ws = windows();
    for (const Place& p : cameraPlaces) ws.showControl(p.id, show);
}

void layoutSurfaces() {
    place(selectionPlaces);
    place(surfacePlaces);
    refreshGroupList();
    for (int k = 0; k < 5; ++k) latch(1260 + k, panel.selectionTool == k);
    driverCheck();
    refreshSurfaceFlags();
    resetSelectionRectangle();
}

void layoutDummies() {
    place(dummyPlaces);
    for (int k = 0; k < 3; ++k) latch(1255 + k, panel.axisLock[k] != 0);
    refreshDummyFields(true, true);
}

void layoutColors() {
    place(colorPlaces);
    for (int k = 0; k < 4; ++k) latch(1265 + k, model.colorLayer == uint32_t(k));
    refreshColorPresets(false);
}

void layoutTextures() {
    place(selectionPlaces);
    place(texturePlaces);
    if (panel.selectionTool > 2) panel.selectionTool = 2; // only three tools here
    render.selectionMode = panel.selectionTool;
    for (int k = 0; k < 3; ++k) latch(1260 + k, panel.selectionTool == k);
    for (int k = 0; k < 3; ++k) latch(1273 + k, mapping.tool == k);
    latch(1272, mapping.mirror);
    driverCheck();
    refreshSurfaceFlags();
    resetSelectionRectangle();
    if (render.textureMappingActive) cancelMappingEdit();
}

bool selectedIsDriver() {
    const int p = selectedPartIndex();
    return p >= 0 && (model.partFlags[p] & PART_DRIVER);
}

// The lists whose items never change: filled once, when they are still empty.
void fillFixedLists() {
    WindowSystem& ws = windows();
    auto fillCodes = [&ws](int id, const NameCode* table, int count) {
        if (ws.listCount(id) != 0) return;
        for (int i = 0; i < count; ++i) ws.listAdd(id, table[i].text);
    };
    fillCodes(2011, lightKinds, 6);
    fillCodes(2012, lightColors, 4);
    fillCodes(2014, flashModes, 3);
    for (int id : {2013, 2015, 2016}) {
        if (ws.listCount(id) != 0) continue;
        for (char digit = '0'; digit <= '9'; ++digit) ws.listAdd(id, std::string(1, digit));
    }
    if (ws.listCount(2017) == 0)
        for (int i = 0; i < SPECIAL_DUMMY_COUNT; ++i) ws.listAdd(2017, specialDummyNames[i]);
}

} // namespace

void showPage(int page, bool show) {
    if (page < 0 || page > 5) return;
    WindowSystem& ws = windows();
    if (show) {
        ws.moveControl(ID_HEADER_LABEL_1, headerRect);
        ws.setText(ID_HEADER_LABEL_1, pageTitles[page]);
    }
    switch (page) {
    case PAGE_CAMERA_LIGHT:
        if (show) layoutCamera();
        showCamera(show);
        break;
    case PAGE_PARTS:
        if (show) {
            place(partPlaces);
            refreshPartFields(); // builds the axis cross
        }
        showAll(partShown, show);
        break;
    case PAGE_SURFACES:
        if (show) layoutSurfaces();
        showAll(surfaceShown, show);
        ws.showControl(ID_DRIVER_MOVEMENT, show && selectedIsDriver());
        ws.showControl(ID_TEST, show && selectedIsDriver());
        break;
    case PAGE_DUMMIES:
        if (show) layoutDummies(); // builds the axis cross and the dummy symbols
        showAll(dummyShown, show);
        if (!show) showAll(dummyDetails, false);
        break;
    case PAGE_COLORS:
        if (show) layoutColors();
        showAll(colorShown, show);
        break;
    case PAGE_TEXTURES:
        if (show) layoutTextures();
        showAll(textureShown, show);
        ws.showControl(ID_DRIVER_MOVEMENT, show && selectedIsDriver());
        ws.showControl(ID_TEST, show && selectedIsDriver());
        if (!show) showAll(mappingEditButtons, false);
        break;
    }
    ws.showControl(ID_HEADER_LABEL_1, show);
}

void createPanelLists() {
    if (app.panelListsCreated) return;
    for (const ListSpec& list : panelLists)
        windows().createControl(list.id, list.kind, list.rect, list.style | STYLE_SUNKEN, "");
    app.panelListsCreated = true;
}

void fillPanelLists() {
    createPanelLists();
    WindowSystem& ws = windows();
    // The part list is owner-drawn: its items are painted from the model.
    ws.listClear(ID_PART_LIST);
    const int parts = std::clamp<int>(model.header.numParts, 0, MAX_PARTS);
    for (int p = 0; p < parts; ++p) ws.listAdd(ID_PART_LIST, "");
    for (int p = 0; p < parts; ++p)
        if (model.partFlags[p] & PART_SELECTED) ws.listSelect(ID_PART_LIST, p, true);
    refreshGroupList();
    ws.listClear(ID_FLAG_LIST);
    for (int k = 0; k < 11; ++k) ws.listAdd(ID_FLAG_LIST, "");
    ws.listClear(ID_DUMMY_LIST);
    const int dummies = std::clamp<int>(model.header.numDummies, 0, MAX_DUMMIES);
    for (int d = 0; d < dummies; ++d)
        ws.listAdd(ID_DUMMY_LIST, nameText(model.header.dummyNames[d]));
    if (model.selectedDummy < uint32_t(dummies))
        ws.listSelect(ID_DUMMY_LIST, int(model.selectedDummy), true);
    fillFixedLists();
    refreshColorPresets(false);
}

int panelMinimumHeight() {
    int right = 0, bottom = 0;
    auto extend = [&](const ClientRect& r) {
        right = std::max(right, r.x + r.width);
        bottom = std::max(bottom, r.y + r.height);
    };
    const std::span<const Place> pages[] = {cameraPlaces,  partPlaces,  selectionPlaces,
                                            surfacePlaces, dummyPlaces, colorPlaces,
                                            texturePlaces};
    for (std::span<const Place> places : pages)
        for (const Place& p : places) extend(p.rect);
    for (const ListSpec& list : panelLists) extend(list.rect);
    extend(headerRect), extend(flagListRect);
    return bottom + (PANEL_WIDTH - right);
}
