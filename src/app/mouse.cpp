// Mouse navigation of the 3D view.
//
// A press inside the view starts a drag that lasts until the next release;
// meanwhile the pointer is confined to the view. A press on the navigation
// widget (two 24x24 icons at the top right) hides the pointer and pins it to
// the view centre, so a drag can go on for ever in any direction; every step
// is then measured from the centre.
//
// The wheel zooms the camera on every page, as a right-button drag on the
// widget does: one notch (120 units of angle delta) as a drag of
// WHEEL_NOTCH_PIXELS, turning it away from the user as dragging up (nearer).
#include "app/mouse.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/mapping_commands.h"
#include "app/panels.h"
#include "editing/parts.h"
#include "editing/selection.h"
#include "editing/surfaces.h"
#include "model/car_model.h"
#include "platform/window_system.h"
#include "render/render.h"

#include <algorithm>

MouseState mouse;

namespace {

constexpr int WIDGET_BOTTOM = 72; // last client row of the widget
constexpr int WIDGET_HALF = 24;
constexpr int WHEEL_NOTCH = 120;
constexpr float WHEEL_NOTCH_PIXELS = 10.0f;

bool insideView(int x, int y) {
    return x > PANEL_WIDTH && y > STRIP_HEIGHT;
}

// An angle plus a pointer step, rounded toward zero and kept in 0..1439. A
// step can exceed a full turn on a wide screen, so wrap by remainder.
int32_t turn(int32_t angle, float delta) {
    const int32_t sum = (angle + int32_t(delta)) % ANGLE_FULL_TURN;
    return sum < 0 ? sum + ANGLE_FULL_TURN : sum;
}

float clampFloat(double value, float low, float high) {
    return std::clamp(float(value), low, high);
}

// Left-button drag on the Camera/Light page.
int cameraLeftDrag(int target, float dx, float dy) {
    ViewCamera& cam = camera.live;
    switch (target) {
    case DRAG_MOVE_CAMERA:
        cam.panX = float(cam.panX + 0.02 * dx);
        cam.panY = float(cam.panY - 0.02 * dy);
        break;
    case DRAG_ROTATE_CAMERA:
        cam.yaw = turn(cam.yaw, dx);
        cam.pitch = turn(cam.pitch, dy);
        updateOrbitOffset();
        break;
    case DRAG_ROTATE_LIGHT:
        light.lightYaw = turn(light.lightYaw, dx);
        light.lightPitch = turn(light.lightPitch, -dy);
        updateLightDirection();
        break;
    default:
        return 0;
    }
    return 2;
}

// Right-button drag: zoom, by distance in perspective and by scale in the
// axis views.
int cameraZoomDrag(float dy) {
    ViewCamera& cam = camera.live;
    if (camera.currentCamera > 0) {
        cam.orthoScale = clampFloat(cam.orthoScale - 2.0 * dy, 1.0f, 1000.0f);
    } else {
        cam.distance = clampFloat(cam.distance + 0.02 * dy, ZOOM_NEAREST, ZOOM_FARTHEST);
        updateOrbitOffset();
    }
    return 2;
}

// A pointer step moves a position along the view's screen axes: in
// perspective by 0.01 per pixel in x and y, in an axis view by the pixel
// scale along the two axes the view shows; locked axes stay.
void moveByScreenDelta(float dx, float dy, Vec3& p) {
    const float s = camera.live.orthoScale;
    const float ds = s != 0.0f ? dx / s : 0.0f, es = s != 0.0f ? dy / s : 0.0f;
    // Axis views 1..6: the model axis a sideways step moves along (with its
    // direction) and the one an upward step moves along.
    static constexpr struct {
        int across, sign, up;
    } viewAxes[7] = {{0, 1, 1}, {0, -1, 1}, {2, 1, 1}, {0, -1, 2}, {0, 1, 1}, {2, -1, 1}, {0, 1, 2}};
    float change[3] = {0, 0, 0};
    const int view = camera.live.viewIndex;
    if (view == 0) {
        change[0] = 0.01f * dx, change[1] = -0.01f * dy;
    } else if (view > 0 && view <= 6) {
        change[viewAxes[view].across] = float(viewAxes[view].sign) * ds;
        change[viewAxes[view].up] = -es;
    }
    float* axes[3] = {&p.x, &p.y, &p.z};
    for (int a = 0; a < 3; ++a)
        if (panel.axisLock[a]) *axes[a] += change[a];
}

// A drag of the current part (Parts page) or dummy (Dummies page): the left
// button along the screen axes, the right one along Z in perspective.
int positionDrag(bool zOnly, float dx, float dy) {
    const bool dummy = render.page == PAGE_DUMMIES;
    const uint32_t index = dummy ? model.selectedDummy : model.selectedPart;
    if (index >= uint32_t(dummy ? model.header.numDummies : model.header.numParts)) return 0;
    Vec3& current = dummy ? model.header.dummyPos[index] : model.header.partPos[index];
    Vec3 position = current;
    if (!zOnly)
        moveByScreenDelta(dx, dy, position);
    else if (panel.axisLock[2])
        position.z += 0.01f * dy;
    else
        return 2;
    if (dummy) {
        current = position;
        buildDummySymbols(int(index));
    } else {
        setPartPosition(int(index), position, panel.moveOriginOnly);
    }
    buildAxisCross();
    setPositionFields(&current);
    app.snapshotPending = true;
    return 2;
}

// The selection tools of the Surfaces and Textures pages, which take view
// coordinates; on the Textures page Control means nothing.
bool selectionPage() {
    return (render.page == PAGE_SURFACES || render.page == PAGE_TEXTURES) &&
           !render.textureMappingActive;
}
int selectionKeys(int keys) {
    return render.page == PAGE_TEXTURES ? keys & ~KEY_CONTROL : keys;
}

} // namespace

int widgetLeft() {
    return frame.viewWidth + PANEL_WIDTH - 2 * WIDGET_HALF;
}

int mouseDown(int keys, int x, int y) {
    if (keys & KEY_SHIFT) return 0;
    mouse.lastMouseX = x;
    mouse.lastMouseY = y;
    if (!insideView(x, y)) return 0;
    WindowSystem& ws = windows();
    const ClientRect view{PANEL_WIDTH, STRIP_HEIGHT, frame.viewWidth, frame.viewHeight};
    ws.confinePointer(&view);
    const int left = widgetLeft();
    if (x >= left && y <= WIDGET_BOTTOM) {
        mouse.widgetDrag = x >= left + WIDGET_HALF ? 2 : 1;
        ws.pointerPosition(mouse.restoreX, mouse.restoreY);
        mouse.warpX = PANEL_WIDTH + (frame.viewWidth >> 1);
        mouse.warpY = STRIP_HEIGHT + (frame.viewHeight >> 1);
        ws.warpPointer(mouse.warpX, mouse.warpY);
        mouse.lastMouseX = mouse.warpX;
        mouse.lastMouseY = mouse.warpY;
        ws.showPointer(false);
    }
    int result = 0;
    if (mouse.widgetDrag == 0 && render.textureMappingActive)
        mappingPress(x - PANEL_WIDTH, y - STRIP_HEIGHT);
    if (mouse.widgetDrag == 0 && selectionPage()) {
        const int vx = x - PANEL_WIDTH, vy = y - STRIP_HEIGHT, tool = panel.selectionTool;
        if (tool == 0 && clickSelect(vx, vy, selectionKeys(keys))) {
            // The flag list shows the new selection before its next click.
            refreshSurfaceFlags();
            result = 1;
        } else if (tool == 1 || tool == 2) {
            rectangleSelect(vx, vy, keys, RECTANGLE_START, tool);
        }
    }
    mouse.dragActive = true;
    return result;
}

namespace {
// A drag step of the selection tools: painting with tool 0, the rectangle
// with tools 1 and 2.
int selectionDrag(int keys, int x, int y) {
    const int vx = x - PANEL_WIDTH, vy = y - STRIP_HEIGHT, tool = panel.selectionTool;
    if (tool == 0) return clickSelect(vx, vy, selectionKeys(keys)) ? 1 : 0;
    if (tool != 1 && tool != 2) return 0;
    windows().setCursorShape(CURSOR_CROSS);
    return rectangleSelect(vx, vy, keys, RECTANGLE_MOVE, tool) ? 1 : 0;
}
} // namespace

int mouseMove(int keys, int x, int y) {
    if (!mouse.dragActive) return 0;
    const float dx = float(x - mouse.lastMouseX);
    const float dy = float(y - mouse.lastMouseY);
    int page = render.page;
    int target = panel.dragTarget;
    if (mouse.widgetDrag != 0) {
        // Putting the pointer back at the centre may itself be reported as a
        // move; that one is no step and must not warp again.
        if (dx == 0.0f && dy == 0.0f) return 0;
        page = PAGE_CAMERA_LIGHT;
        target = camera.currentCamera > 0 ? DRAG_MOVE_CAMERA : mouse.widgetDrag - 1;
        windows().warpPointer(mouse.warpX, mouse.warpY);
    } else {
        mouse.lastMouseX = x;
        mouse.lastMouseY = y;
    }
    if (mouse.widgetDrag == 0 && page == PAGE_TEXTURES && render.textureMappingActive)
        return mappingDrag(keys, dx, dy);
    int result = 0;
    const bool selecting = mouse.widgetDrag == 0 && selectionPage();
    if (keys & KEY_LEFT) {
        if (page == PAGE_CAMERA_LIGHT) result = std::max(result, cameraLeftDrag(target, dx, dy));
        if (page == PAGE_PARTS || page == PAGE_DUMMIES)
            result = std::max(result, positionDrag(false, dx, dy));
        if (selecting) result = std::max(result, selectionDrag(keys & ~KEY_RIGHT, x, y));
    }
    if (keys & KEY_RIGHT) {
        if (page == PAGE_CAMERA_LIGHT ||
            ((page == PAGE_PARTS || page == PAGE_DUMMIES) && camera.currentCamera > 0))
            result = std::max(result, cameraZoomDrag(dy));
        else if (page == PAGE_PARTS || page == PAGE_DUMMIES)
            result = std::max(result, positionDrag(true, dx, dy));
        if (selecting) result = std::max(result, selectionDrag(keys & ~KEY_LEFT, x, y));
    }
    return result;
}

int mouseUp(int keys, int x, int y) {
    if (mouse.dragActive) {
        windows().confinePointer(nullptr);
        mouse.dragActive = false;
    }
    if (mouse.widgetDrag != 0) {
        windows().warpPointer(mouse.restoreX, mouse.restoreY);
        windows().showPointer(true);
        mouse.widgetDrag = 0;
        return 0;
    }
    mouse.lastMouseX = x;
    mouse.lastMouseY = y;
    if (!insideView(x, y)) {
        // A rectangle let go on the view's edge selects nothing and goes away,
        // with its preview marks.
        if (render.bandX0 == 0 && render.bandY0 == 0 && render.bandX1 == 0) return 0;
        render.bandX0 = render.bandY0 = render.bandX1 = render.bandY1 = 0;
        return 2;
    }
    if (render.page == PAGE_TEXTURES && render.textureMappingActive)
        return mappingRelease(x - PANEL_WIDTH, y - STRIP_HEIGHT);
    if (!selectionPage()) return 0;
    const int vx = x - PANEL_WIDTH, vy = y - STRIP_HEIGHT, tool = panel.selectionTool;
    keys = selectionKeys(keys);
    if (tool == 0) {
        const bool changed = clickSelect(vx, vy, keys);
        if (changed) refreshSurfaceFlags();
        if (keys & KEY_CONTROL) { // the clicked triangle's group became current
            windows().listSelect(ID_GROUP_LIST, model.currentGroup[model.selectedPart], true);
            refreshAngleField(false);
        }
        return changed ? 1 : 0;
    }
    if (tool == 1 || tool == 2) {
        rectangleSelect(vx, vy, keys, RECTANGLE_END, tool);
        refreshSurfaceFlags();
        return 2;
    }
    if (!clickMark(vx, vy, tool == 3)) return 0;
    app.snapshotPending = true;
    return 2;
}

int mouseWheel(int x, int y, int delta) {
    if (!insideView(x, y) || delta == 0) return 0;
    return cameraZoomDrag(-float(delta) * WHEEL_NOTCH_PIXELS / WHEEL_NOTCH);
}

void updateCursorShape(int x, int y) {
    mouse.lastMouseX = x;
    mouse.lastMouseY = y;
    if (render.page != PAGE_SURFACES) return;
    const int tool = panel.selectionTool;
    if (tool == 0) return;
    WindowSystem& ws = windows();
    if (!insideView(x, y))
        ws.setCursorShape(CURSOR_ARROW);
    else if (tool == 1 || tool == 2)
        ws.setCursorShape(CURSOR_CROSS);
    else if (tool == 3)
        ws.setCursorShape(CURSOR_PROGRAM_1400);
    else if (tool == 4)
        ws.setCursorShape(CURSOR_PROGRAM_1401);
}
