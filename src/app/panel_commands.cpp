// The panel controls of the Camera/Light page, the view buttons and the part
// list. Each handler changes the state its control stands for, keeps the
// bitmap buttons in step and reports whether the view needs redrawing.
#include "app/panel_commands.h"

#include "app/app_state.h"
#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/dummy_commands.h"
#include "app/exchange_commands.h"
#include "app/main_window.h"
#include "app/mapping_commands.h"
#include "app/navigation.h"
#include "app/panels.h"
#include "app/surface_commands.h"
#include "app/window_messages.h"
#include "editing/parts.h"
#include "model/car_model.h"
#include "platform/window_system.h"
#include "render/render.h"

#include <algorithm>
#include <cstdio>

namespace {

void latch(int id, bool down) {
    setButtonState(id, down ? BUTTON_DOWN : BUTTON_UP);
}

// The three drag-target radio buttons and the light symbol that shows while
// drags turn the light.
void setDragTarget(int target) {
    panel.dragTarget = target;
    latch(1250, target == DRAG_MOVE_CAMERA);
    latch(1251, target == DRAG_ROTATE_CAMERA);
    latch(1254, target == DRAG_ROTATE_LIGHT);
    render.lightMode = target == DRAG_ROTATE_LIGHT;
}

int selectCameraPreset(int id) {
    const int n = id - BUTTON_CAMERA_FIRST;
    const int old = camera.currentCamera;
    if (n > 0) {
        // The axis views only pan and zoom: orbiting, turning the light and
        // the demo orbits make no sense there. The animation stops first, as
        // stopping releases the orbit buttons and would enable them again.
        stopAnimation();
        setDragTarget(DRAG_MOVE_CAMERA);
        for (int b : {1251, 1254, 1249, 1253}) setButtonState(b, BUTTON_DISABLED);
    }
    setButtonState(BUTTON_CAMERA_FIRST + old, BUTTON_UP);
    setButtonState(id, BUTTON_DOWN);
    if (old > 0 && n == 0)
        for (int b : {1251, 1254, 1249, 1253}) setButtonState(b, BUTTON_UP);
    selectCamera(n); // resets a never-fitted axis view, refits a part-centred one
    return 1;
}

int toggleDemoOrbit(int id, uint32_t flag) {
    if (camera.currentCamera > 0) return 0;
    motion.motionFlags ^= flag;
    const bool on = (motion.motionFlags & flag) != 0;
    latch(id, on);
    if (on) {
        if (flag == MOTION_ORBIT)
            motion.pitchStep = 1;
        else
            motion.yawStep = 1;
    }
    return 1;
}

// Line and page steps move the lighting mix by a fixed amount, the thumb sets
// it. The diffuse share is kept within 0..0.9999 for the steps as well: below
// 0 the ambient share would exceed 1 and every further step would brighten
// the unlit sides without bound.
int lightingSlider(int request, int position) {
    double diffuse = light.lightDiffuse;
    switch (request) {
    case SCROLL_LINE_LEFT:
        diffuse -= 0.05;
        break;
    case SCROLL_LINE_RIGHT:
        diffuse += 0.05;
        break;
    case SCROLL_PAGE_LEFT:
        diffuse -= 0.1;
        break;
    case SCROLL_PAGE_RIGHT:
        diffuse += 0.1;
        break;
    case SCROLL_THUMB_POSITION:
    case SCROLL_THUMB_TRACK:
        diffuse = 0.01 * position;
        break;
    default:
        return 0;
    }
    light.lightDiffuse = std::clamp(diffuse, 0.0, 0.9999);
    light.lightAmbient = 1.0 - light.lightDiffuse;
    model.renderCacheValid = false;
    windows().setSlider(ID_SLIDER, 0, 100, int(100.0 * light.lightDiffuse + 0.01));
    return 1;
}

// The name, position and counts of the current part below the list.
void showPartFields(int p) {
    WindowSystem& ws = windows();
    ws.setText(ID_PART_NAME, nameText(model.header.partNames[p]));
    setPositionFields(&model.header.partPos[p]);
    char info[96];
    std::snprintf(info, sizeof info, " Vertices: %ld\n Polygons: %ld",
                  long(model.header.partVertexCount[p]), long(model.header.partTriangleCount[p]));
    ws.setText(ID_PART_INFO, info);
}

// A click in the part list: on the visibility box at the item's left it
// shows or hides the part, on the name it makes the part current. The list
// toggles an item on every click, so the clicked part is the selected item
// that is not the current part.
int partListClick(int notifyCode) {
    if (notifyCode != NOTIFY_SELECTION && notifyCode != NOTIFY_DOUBLE_CLICK) return 0;
    WindowSystem& ws = windows();
    const int parts = std::clamp<int>(model.header.numParts, 0, MAX_PARTS);
    if (parts == 0) return 0;
    const int current = model.selectedPart < uint32_t(parts) ? int(model.selectedPart) : 0;
    const int items = std::min(parts, ws.listCount(ID_PART_LIST));
    int clicked = current;
    for (int i = 0; i < items; ++i)
        if (i != current && ws.listIsSelected(ID_PART_LIST, i)) {
            clicked = i;
            break;
        }
    const bool doubleClick = notifyCode == NOTIFY_DOUBLE_CLICK;
    int clickX = 0, clickY = 0;
    const bool onBox = ws.lastClickPosition(ID_PART_LIST, clickX, clickY) && clickX < 24;
    if (onBox) {
        if (clicked != current) {
            model.partFlags[clicked] ^= PART_VISIBLE;
            ws.listSelect(ID_PART_LIST, clicked, false);
        }
        if (doubleClick)
            for (int p = 0; p < parts; ++p) {
                if (p == current) continue;
                model.partFlags[p] |= PART_VISIBLE;
                ws.listSelect(ID_PART_LIST, p, false);
            }
    } else {
        model.partFlags[current] &= ~PART_SELECTED;
        ws.listSelect(ID_PART_LIST, current, false);
        model.selectedPart = uint32_t(clicked);
        model.partFlags[clicked] |= PART_VISIBLE | PART_SELECTED;
        ws.listSelect(ID_PART_LIST, clicked, true);
        if (doubleClick)
            for (int p = 0; p < parts; ++p) {
                if (p == clicked) continue;
                model.partFlags[p] &= ~PART_VISIBLE;
                ws.listSelect(ID_PART_LIST, p, false);
            }
        buildAxisCross();
        if (camera.partCentred) fitCamera();
        showPartFields(clicked);
    }
    model.renderCacheValid = false;
    ws.repaintControl(ID_PART_LIST); // the visibility boxes
    return 1;
}

// The current part's name on the Parts page.
int renamePart() {
    const uint32_t p = model.selectedPart;
    if (render.page != PAGE_PARTS || p >= uint32_t(model.header.numParts) ||
        !editText(ID_PART_NAME, model.header.partNames[p]))
        return 0;
    WindowSystem& ws = windows();
    for (int i = 0; i < ws.listCount(ID_PART_LIST); ++i)
        ws.listSelect(ID_PART_LIST, i, i < MAX_PARTS && (model.partFlags[i] & PART_SELECTED));
    return 1;
}

// A position field: the current part's position on the Parts page (with
// "move origin only" the vertices keep their place in the model), the
// current dummy's on the Dummies page. An entry that changes nothing moves
// nothing.
float& coordinateOf(Vec3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

int positionField(int field) {
    const int axis = field - ID_X;
    if (render.page == PAGE_DUMMIES) {
        const uint32_t d = model.selectedDummy;
        if (d >= uint32_t(model.header.numDummies) ||
            !editNumber(field, coordinateOf(model.header.dummyPos[d], axis)))
            return 0;
        buildAxisCross();
        buildDummySymbols(int(d));
        return 1;
    }
    const int p = int(model.selectedPart);
    if (render.page != PAGE_PARTS || p >= model.header.numParts) return 0;
    stopDriverTest();
    Vec3 position = model.header.partPos[p];
    if (!editNumber(field, coordinateOf(position, axis))) return 0;
    setPartPosition(p, position, panel.moveOriginOnly);
    buildAxisCross();
    return 1;
}

// Copy, delete, mirror and centre on the Parts page, on the current part.
// The driver's test swing ends first: its rest pose belongs to the slots as
// they are now.
int partButton(int id) {
    const int p = int(model.selectedPart);
    if (render.page != PAGE_PARTS || p >= model.header.numParts) return 0;
    stopDriverTest();
    if (id == 1216 || id == 1217) {
        if (!(id == 1216 ? copyPart(p) : deletePart(p))) return 0;
    } else if (id <= 1220) {
        mirrorPart(p, id - 1218);
    } else {
        centrePart(p, id == 1222);
    }
    refreshPartFields();
    app.snapshotPending = true;
    return 1;
}

} // namespace

int handlePanelCommand(int controlId, int notifyCode, int value) {
    if (isSurfaceControl(controlId)) return surfaceCommand(controlId, notifyCode, value);
    if (isDummyOrColorControl(controlId)) return dummyOrColorCommand(controlId, notifyCode);
    if (isMappingControl(controlId)) return mappingCommand(controlId);
    switch (controlId) {
    case ID_PART_LIST:
        return partListClick(notifyCode);
    case ID_PART_NAME:
        return renamePart();
    case ID_X:
    case ID_Y:
    case ID_Z:
        return positionField(controlId);
    case 1214:
        return render.page == PAGE_PARTS && importPartCommand() ? 1 : 0;
    case 1215:
        if (render.page == PAGE_PARTS) exportPartCommand();
        return 0;
    case 1216:
    case 1217:
    case 1218:
    case 1219:
    case 1220:
    case 1221:
    case 1222:
        return partButton(controlId);
    case ID_SLIDER:
        return render.page == PAGE_CAMERA_LIGHT ? lightingSlider(notifyCode, value) : 0;
    case 1205:
        stopAnimation();
        resetCamera();
        latch(1248, camera.partCentred);
        return 1;
    case 1206:
        stopAnimation();
        resetLight();
        windows().setSlider(ID_SLIDER, 0, 100, int(100.0 * light.lightDiffuse + 0.01));
        return 1;
    case 1248:
        camera.partCentred = !camera.partCentred;
        latch(1248, camera.partCentred);
        fitCamera();
        return 1;
    case 1249:
        return toggleDemoOrbit(1249, MOTION_ORBIT);
    case 1253:
        return toggleDemoOrbit(1253, MOTION_LIGHT_ORBIT);
    case 1250:
        setDragTarget(DRAG_MOVE_CAMERA);
        return 1;
    case 1251:
        if (camera.currentCamera >= 1) return 0;
        setDragTarget(DRAG_ROTATE_CAMERA);
        return 1;
    case 1254:
        if (camera.currentCamera >= 1) return 0;
        setDragTarget(DRAG_ROTATE_LIGHT);
        if (light.lightFollowsCamera) {
            light.lightFollowsCamera = false;
            latch(1252, false);
        }
        return 1;
    case 1252:
        light.lightFollowsCamera = !light.lightFollowsCamera;
        latch(1252, light.lightFollowsCamera);
        stopAnimation();
        if (light.lightFollowsCamera && panel.dragTarget == DRAG_ROTATE_LIGHT)
            setDragTarget(DRAG_ROTATE_CAMERA);
        model.renderCacheValid = false;
        return 1;
    case 1255:
    case 1256:
    case 1257: {
        uint8_t& lock = panel.axisLock[controlId - 1255];
        lock = lock ? 0 : 1;
        latch(controlId, lock != 0);
        return 0;
    }
    case 1258:
    case 1259:
        panel.moveOriginOnly = !panel.moveOriginOnly;
        latch(1258, !panel.moveOriginOnly);
        latch(1259, panel.moveOriginOnly);
        return 0;
    default:
        break;
    }
    if (controlId >= BUTTON_CAMERA_FIRST && controlId <= BUTTON_CAMERA_FIRST + 6)
        return selectCameraPreset(controlId);
    if (controlId >= 1260 && controlId <= 1264) {
        setButtonState(1260 + std::clamp(panel.selectionTool, 0, 4), BUTTON_UP);
        panel.selectionTool = render.selectionMode = controlId - 1260; // the view draws the band
        setButtonState(controlId, BUTTON_DOWN);
        return 0;
    }
    return 0;
}
