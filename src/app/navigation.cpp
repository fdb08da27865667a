// Keyboard navigation and stopping continuous motion.
#include "app/navigation.h"

#include "app/buttons.h"
#include "app/control_ids.h"
#include "render/camera.h"
#include "render/motion.h"
#include "app/mapping_commands.h"
#include "render/render_state.h"

#include <algorithm>

int keyNavigate(int id) {
    // In the mapping edit the arrows nudge the mapped coordinates.
    if (render.textureMappingActive) return mappingKey(id);
    ViewCamera& cam = camera.live;
    if (camera.currentCamera != 0) {
        switch (id) {
        case CMD_KEY_RIGHT: cam.panX = float(cam.panX + 0.02); break;
        case CMD_KEY_LEFT: cam.panX = float(cam.panX - 0.02); break;
        case CMD_KEY_DOWN: cam.panY = float(cam.panY - 0.02); break;
        case CMD_KEY_UP: cam.panY = float(cam.panY + 0.02); break;
        case CMD_KEY_PAGE_UP: cam.orthoScale = std::min(float(cam.orthoScale + 2.0), 1000.0f); break;
        case CMD_KEY_PAGE_DOWN: cam.orthoScale = std::max(float(cam.orthoScale - 2.0), 1.0f); break;
        default: break;
        }
        updateOrbitOffset();
        return 1;
    }
    motion.motionFlags &= ~(MOTION_ORBIT | MOTION_LIGHT_ORBIT | MOTION_PITCH);
    switch (id) {
    case CMD_KEY_RIGHT:
    case CMD_KEY_LEFT:
        motion.motionFlags |= MOTION_YAW;
        motion.yawStep = id == CMD_KEY_RIGHT ? 4 : -4;
        break;
    case CMD_KEY_DOWN:
    case CMD_KEY_UP:
        motion.motionFlags |= MOTION_PITCH;
        motion.pitchStep = id == CMD_KEY_DOWN ? 4 : -4;
        break;
    case CMD_KEY_PAGE_UP:
    case CMD_KEY_PAGE_DOWN:
        motion.motionFlags |= MOTION_ZOOM;
        motion.zoomStep = id == CMD_KEY_PAGE_UP ? -0.02f : 0.02f;
        break;
    case CMD_KEY_END: stopAnimation(); break;
    default: break;
    }
    return 0;
}

void stopDriverTest() {
    if (!(motion.motionFlags & MOTION_DRIVER)) return;
    stopDriverSwing();
    motion.driverAngle = 0;
    motion.motionFlags &= ~MOTION_DRIVER;
}

void stopAnimation() {
    if (motion.motionFlags == 0) return;
    stopDriverTest();
    motion.motionFlags = 0;
    setButtonState(1249, BUTTON_UP);
    setButtonState(1253, BUTTON_UP);
    motion.pitchStep = 0;
    motion.yawStep = 0;
    motion.zoomStep = 0.0f;
}
