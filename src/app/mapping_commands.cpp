// The mapping edit, entered from the Textures page and left by OK or Cancel.
#include "app/mapping_commands.h"

#include "app/app_state.h"
#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/menu.h"
#include "editing/mapping.h"
#include "model/car_model.h"
#include "model/messages.h"
#include "platform/window_system.h"
#include "render/render.h"

namespace {

int beginEdit(bool began) {
    if (!began) return 0;
    render.textureMappingActive = true;
    updateMappingModeControls();
    return 1;
}

void endEdit() {
    render.textureMappingActive = false;
    updateMappingModeControls();
}

// OK: coordinates out of range may be clamped first; a cancelled question
// keeps the edit going. The whole edit is one undo step.
int finishEdit() {
    if (const int n = countUvsOutOfRange()) {
        if (!askOkCancel(format("%ld texture coordinates are out of range!\n\nAdjust them to "
                                "minimal/maximal values?",
                                long(n))))
            return 0;
        clampUvs();
    }
    releaseSavedUvs();
    endEdit();
    app.snapshotPending = true;
    return 1;
}

void latchTool() {
    for (int k = 0; k < 3; ++k)
        setButtonState(1273 + k, mapping.tool == k ? BUTTON_DOWN : BUTTON_UP);
}

} // namespace

bool isMappingControl(int id) {
    return render.page == PAGE_TEXTURES &&
           ((id >= 1269 && id <= 1275) || (id >= 1226 && id <= 1230));
}

int mappingCommand(int id) {
    const bool editing = render.textureMappingActive;
    switch (id) {
    case 1269:
    case 1270:
    case 1271:
        return editing ? 0 : beginEdit(mapPlanar(id - 1268));
    case 1228:
        return editing ? 0 : beginEdit(beginUvEdit());
    case 1229:
    case 1230:
        if (!editing) return 0;
        flipUvs(id - 1229);
        return 1;
    case 1226:
        return editing ? finishEdit() : 0;
    case 1227:
        if (!editing) return 0;
        cancelMappingEdit();
        return 1;
    case 1272:
        mapping.mirror = !mapping.mirror;
        setButtonState(1272, mapping.mirror ? BUTTON_DOWN : BUTTON_UP);
        return 0;
    case 1273:
    case 1274:
    case 1275:
        mapping.tool = id - 1273;
        latchTool();
        return 0;
    default:
        return 0;
    }
}

void cancelMappingEdit() {
    if (!render.textureMappingActive) return;
    restoreUvs();
    endEdit();
}

void mappingPress(int x, int y) {
    mapping.pivotX = x, mapping.pivotY = y;
}

int mappingDrag(int keys, float dx, float dy) {
    if (keys & KEY_LEFT) dragUvs(dx, dy, 0, render.textureViewSize);
    if (keys & KEY_RIGHT) dragUvs(dx, dy, DRAG_CONSTRAINED, render.textureViewSize);
    return (keys & (KEY_LEFT | KEY_RIGHT)) ? 1 : 0;
}

int mappingKey(int id) {
    const float steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}}; // right, left, down, up
    if (id < CMD_KEY_RIGHT || id > CMD_KEY_UP) return 0;
    dragUvs(steps[id - CMD_KEY_RIGHT][0], steps[id - CMD_KEY_RIGHT][1], DRAG_KEY,
            render.textureViewSize);
    return 1;
}

int mappingRelease(int x, int y) {
    const int size = render.textureViewSize;
    if (!(y < 24 && x > size && x < size + 24)) return 0;
    render.textureViewSize = size == 512 ? 256 : 512;
    return 2;
}
