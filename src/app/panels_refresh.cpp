// The page refresh routines: they rewrite the panel's lists and fields from
// the model after a load, a page change, an edit or an undo restore. They are
// the only writers of the lists' contents.
#include "app/app_state.h"
#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/owner_draw.h"
#include "app/panels.h"
#include "editing/surfaces.h"
#include "model/car_model.h"
#include "model/names.h"
#include "platform/window_system.h"
#include "render/overlays.h"

#include <algorithm>
#include <cstdio>
#include <string>

std::string format3(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", double(value));
    return text;
}

void setPositionFields(const Vec3* position) {
    WindowSystem& ws = windows();
    ws.setText(ID_X, position ? format3(position->x) : "");
    ws.setText(ID_Y, position ? format3(position->y) : "");
    ws.setText(ID_Z, position ? format3(position->z) : "");
}

namespace {

void latch(int id, bool down) {
    setButtonState(id, down ? BUTTON_DOWN : BUTTON_UP);
}

constexpr int digitLists[3] = {2013, 2015, 2016};
constexpr int specialNameList = 2017;

} // namespace

int selectedPartIndex() {
    const int parts = std::clamp<int>(model.header.numParts, 0, MAX_PARTS);
    if (parts == 0) return -1;
    if (model.selectedPart >= uint32_t(parts)) model.selectedPart = 0;
    return int(model.selectedPart);
}

void refreshPartFields() {
    WindowSystem& ws = windows();
    const int parts = std::clamp<int>(model.header.numParts, 0, MAX_PARTS);
    ws.listClear(ID_PART_LIST);
    for (int p = 0; p < parts; ++p) ws.listAdd(ID_PART_LIST, "");
    for (int p = 0; p < parts; ++p) {
        if (!(model.partFlags[p] & PART_SELECTED)) continue;
        ws.listSelect(ID_PART_LIST, p, true);
        model.selectedPart = uint32_t(p); // the last selected one wins
    }
    const int p = selectedPartIndex();
    if (p >= 0) {
        ws.setText(ID_PART_NAME, nameText(model.header.partNames[p]));
        setPositionFields(&model.header.partPos[p]);
        char info[96];
        std::snprintf(info, sizeof info, " Vertices: %ld\n Polygons: %ld",
                      long(model.header.partVertexCount[p]),
                      long(model.header.partTriangleCount[p]));
        ws.setText(ID_PART_INFO, info);
    } else {
        ws.setText(ID_PART_NAME, "");
        setPositionFields(nullptr);
        ws.setText(ID_PART_INFO, "");
    }
    for (int k = 0; k < 3; ++k) latch(1255 + k, panel.axisLock[k] != 0);
    latch(1258, !panel.moveOriginOnly);
    latch(1259, panel.moveOriginOnly);
    buildAxisCross();
}

void refreshColorPresets(bool repaint) {
    WindowSystem& ws = windows();
    const int presets = std::clamp<int>(model.header.numColors, 0, MAX_COLORS);
    ws.listClear(ID_PRESET_LIST);
    for (int i = 1; i <= presets; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "Color Preset %ld", long(i));
        ws.listAdd(ID_PRESET_LIST, text);
    }
    if (model.selectedColor < uint32_t(presets))
        ws.listSelect(ID_PRESET_LIST, int(model.selectedColor), true);
    fillSquare(std::min<int>(currentColor().hue, 179));
    if (repaint)
        for (int id : {ID_HUE_BAR, ID_SQUARE, ID_SWATCH}) ws.repaintControl(id);
}

void refreshDummyFields(bool refillList, bool showDetails) {
    WindowSystem& ws = windows();
    const int dummies = std::clamp<int>(model.header.numDummies, 0, MAX_DUMMIES);
    const int d = model.selectedDummy < uint32_t(dummies) ? int(model.selectedDummy) : -1;
    if (refillList) {
        ws.listClear(ID_DUMMY_LIST);
        for (int i = 0; i < dummies; ++i)
            ws.listAdd(ID_DUMMY_LIST, nameText(model.header.dummyNames[i]));
        if (d >= 0) ws.listSelect(ID_DUMMY_LIST, d, true);
    }
    setPositionFields(d >= 0 ? &model.header.dummyPos[d] : nullptr);
    if (showDetails) {
        const std::string name = d >= 0 ? nameString(model.header.dummyNames[d]) : std::string();
        const bool lightName = isLightDummyName(name.c_str());
        if (lightName) {
            // A code that matches no entry leaves that list as it was.
            const LightDummyCode code = decodeLightDummyName(name.c_str());
            if (code.kind >= 0) ws.listSelect(2011, code.kind, true);
            if (code.color >= 0) ws.listSelect(2012, code.color, true);
            if (code.flash >= 0) ws.listSelect(2014, code.flash, true);
            for (int k = 0; k < 3; ++k) ws.listSelect(digitLists[k], code.settings[k], true);
        } else {
            ws.listSelect(specialNameList, specialDummyIndex(name.c_str()), true);
        }
        for (int id : {2011, 2012, 2013, 2014, 2015, 2016, 1307, 1308})
            ws.showControl(id, lightName);
        ws.showControl(specialNameList, !lightName);
    }
    buildAxisCross();
    buildDummySymbols(-1);
}

void refreshGroupList() {
    WindowSystem& ws = windows();
    ws.listClear(ID_GROUP_LIST);
    const int p = selectedPartIndex();
    if (p >= 0) {
        const int groups = std::clamp<int>(model.groupCount[p], 1, MAX_GROUPS);
        ws.listAdd(ID_GROUP_LIST, "Base");
        for (int g = 1; g < groups; ++g) {
            char text[32];
            std::snprintf(text, sizeof text, "Group %ld", long(g));
            ws.listAdd(ID_GROUP_LIST, text);
        }
        if (model.currentGroup[p] < groups)
            ws.listSelect(ID_GROUP_LIST, model.currentGroup[p], true);
    }
    refreshAngleField(true);
}

void refreshAngleField(bool redraw) {
    WindowSystem& ws = windows();
    const int p = selectedPartIndex();
    long angle = 0;
    if (p >= 0 && model.currentGroup[p] < MAX_GROUPS)
        angle = model.groups[p][model.currentGroup[p]].smoothAngle;
    std::string text;
    int position;
    if (angle >= 91) {
        text = "no";
        position = 100;
    } else if (angle >= 1) {
        text = std::to_string(angle) + "\xB0"; // the degree sign in the panel's code page
        position = int(angle);
    } else {
        text = "off";
        position = 0;
    }
    ws.setText(ID_ANGLE, text);
    ws.setSlider(ID_SLIDER, 0, 100, position);
    if (redraw) ws.repaintControl(ID_SLIDER);
}

void refreshSurfaceFlags() {
    WindowSystem& ws = windows();
    const SurfaceState state = surfaceState();
    for (int k = 0; k < SURFACE_FLAG_COUNT; ++k) {
        std::string& entry = ownerDraw.flagEntries[k];
        if (entry.empty()) resetFlagEntries();
        const char marker = state.flags[k] == 1   ? FLAG_MARKER_ALL
                            : state.flags[k] == 3 ? FLAG_MARKER_SOME
                                                  : FLAG_MARKER_NONE;
        entry[0] = marker;
        ws.listSelect(ID_FLAG_LIST, k, marker == FLAG_MARKER_ALL);
    }
    ws.repaintControl(ID_FLAG_LIST);
    const int p = selectedPartIndex();
    if (p >= 0 && (model.partFlags[p] & PART_DRIVER))
        ws.setCheck(ID_DRIVER_MOVEMENT, state.driverMovement);
}
