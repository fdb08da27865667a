// The Surfaces page's controls, routed to the operations of editing/.
#include "app/surface_commands.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/navigation.h"
#include "app/panels.h"
#include "editing/rebuild.h"
#include "editing/selection.h"
#include "editing/surfaces.h"
#include "model/car_model.h"
#include "model/messages.h"
#include "platform/window_system.h"
#include "render/render.h"

#include <algorithm>

namespace {

int changed() {
    app.snapshotPending = true;
    return 1;
}

uint16_t currentGroupIndex() {
    return model.currentGroup[model.selectedPart];
}

// Line and page steps and the thumb set the current group's angle, held to
// the slider's 0..100. Dragging only shows it; the release rebuilds.
int angleSlider(int request, int position) {
    int angle = model.groups[model.selectedPart][currentGroupIndex()].smoothAngle;
    switch (request) {
    case SCROLL_LINE_LEFT:
        angle -= 1;
        break;
    case SCROLL_LINE_RIGHT:
        angle += 1;
        break;
    case SCROLL_PAGE_LEFT:
        angle -= 10;
        break;
    case SCROLL_PAGE_RIGHT:
        angle += 10;
        break;
    case SCROLL_THUMB_POSITION:
    case SCROLL_THUMB_TRACK:
        angle = position;
        break;
    default:
        return 0;
    }
    setGroupAngle(std::clamp(angle, 0, 100));
    refreshAngleField(true);
    if (request == SCROLL_THUMB_TRACK) return 0;
    rebuildPartVertices(int(model.selectedPart));
    return changed();
}

int groupList(int code) {
    const int index = windows().listCurrent(ID_GROUP_LIST);
    if (index < 0 || index >= model.groupCount[model.selectedPart]) return 0;
    model.currentGroup[model.selectedPart] = uint16_t(index);
    refreshAngleField(true);
    if (code == NOTIFY_DOUBLE_CLICK) {
        selectGroup();
        refreshSurfaceFlags();
    }
    return 1;
}

// A click in the flag list sets the flags of the selected triangles; with
// none selected, or on a double click, it selects the triangles that carry
// the chosen flags.
int flagList(int code) {
    WindowSystem& ws = windows();
    uint32_t chosen = 0;
    for (int k = 0; k < SURFACE_FLAG_COUNT; ++k)
        if (ws.listIsSelected(ID_FLAG_LIST, k)) chosen |= 1u << k;
    const bool applied = applySurfaceFlags(chosen);
    if (applied) app.snapshotPending = true;
    if (applied && code == NOTIFY_SELECTION) {
        refreshSurfaceFlags();
        return 1;
    }
    if (selectByFlags(chosen)) {
        refreshSurfaceFlags();
        return 1;
    }
    return applied ? 1 : 0;
}

int driverMovementBox() {
    const int state = (windows().check(ID_DRIVER_MOVEMENT) + 1) & 1;
    if (!setDriverMovement(state == 1)) return 0;
    windows().setCheck(ID_DRIVER_MOVEMENT, state);
    return changed();
}

// The test swings the driver part until pressed again (or any animation stop).
int driverTest() {
    if (motion.motionFlags & MOTION_DRIVER) {
        stopAnimation();
        return 1;
    }
    motion.zoomStep = 16.0f;
    motion.driverAngle = 0;
    if (startDriverSwing()) motion.motionFlags |= MOTION_DRIVER;
    return 0;
}

// The group buttons; the base group takes none of them.
int groupButton(int id) {
    const int group = currentGroupIndex();
    if (id == 1207) {
        if (newGroup() == GROUP_NOTHING) return 0;
    } else if (group == 0) {
        if (id == 1212 || id == 1213) showMessage("No group selected!");
        return 0;
    } else if (id == 1208 || id == 1210) {
        if ((id == 1208 ? addToGroup(group) : moveToBase()) == GROUP_NOTHING) return 0;
    } else if (id == 1209) {
        deleteGroup(group);
    } else {
        markGroup(id == 1212);
    }
    refreshGroupList();
    return changed();
}

} // namespace

bool isSurfaceControl(int id) {
    return (id == ID_SLIDER && render.page == PAGE_SURFACES) || id == ID_GROUP_LIST ||
           id == ID_FLAG_LIST || id == ID_DRIVER_MOVEMENT || id == ID_TEST ||
           (id >= 1207 && id <= 1213);
}

int surfaceCommand(int id, int code, int value) {
    const uint32_t p = model.selectedPart;
    if (p >= uint32_t(std::clamp(model.header.numParts, 0, MAX_PARTS))) return 0;
    if (id != ID_TEST) stopDriverTest(); // edits work on the rest pose
    switch (id) {
    case ID_SLIDER:
        return angleSlider(code, value);
    case ID_GROUP_LIST:
        return code == NOTIFY_SELECTION || code == NOTIFY_DOUBLE_CLICK ? groupList(code) : 0;
    case ID_FLAG_LIST:
        return code == NOTIFY_SELECTION || code == NOTIFY_DOUBLE_CLICK ? flagList(code) : 0;
    case ID_DRIVER_MOVEMENT:
        return driverMovementBox();
    case ID_TEST:
        return driverTest();
    case 1211:
        deselectAll();
        refreshSurfaceFlags();
        return 1;
    default:
        return groupButton(id);
    }
}
