// The Dummies and Colors pages, routed to editing/dummies.
#include "app/dummy_commands.h"

#include "app/app_state.h"
#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/owner_draw.h"
#include "app/panels.h"
#include "editing/dummies.h"
#include "model/car_model.h"
#include "model/names.h"
#include "platform/window_system.h"
#include "render/render.h"
#include "texture/tint.h"

#include <algorithm>

namespace {

constexpr int KIND_LIST = 2011, COLOUR_LIST = 2012, FLASH_LIST = 2014, SPECIAL_LIST = 2017;
constexpr int DIGIT_LISTS[3] = {2013, 2015, 2016};

int changed() {
    app.snapshotPending = true;
    return 1;
}

// A list's chosen entry, 0 when none is.
int chosen(int list) {
    return std::max(windows().listCurrent(list), 0);
}

// After a name change: the list shows the new name; the lights' symbols
// follow their kind, colour and first digit.
int nameChanged(bool symbols) {
    refreshDummyFields(true, false);
    if (symbols) buildDummySymbols(int(model.selectedDummy));
    return changed();
}

int dummyCommand(int id, int code) {
    if (id == ID_DUMMY_LIST) {
        if (code != NOTIFY_SELECTION) return 0;
        const int index = windows().listCurrent(ID_DUMMY_LIST);
        if (index < 0 || index >= model.header.numDummies) return 0;
        model.selectedDummy = uint32_t(index);
        refreshDummyFields(false, true);
        return 1;
    }
    if (id == 1216 || id == 1217) {
        if (!(id == 1216 ? model.header.numDummies > 0 && insertDummy(int(model.selectedDummy))
                         : deleteDummy(int(model.selectedDummy))))
            return 0;
        refreshDummyFields(true, true);
        return changed();
    }
    if (id == 1223 || id == 1224) {
        if (!insertDummy(std::min<int>(int(model.selectedDummy), model.header.numDummies)))
            return 0;
        if (id == 1223)
            setSpecialName(chosen(SPECIAL_LIST));
        else
            composeLightName(chosen(KIND_LIST), chosen(COLOUR_LIST), chosen(FLASH_LIST),
                             chosen(DIGIT_LISTS[0]), chosen(DIGIT_LISTS[1]),
                             chosen(DIGIT_LISTS[2]));
        refreshDummyFields(true, true);
        return changed();
    }
    if (code != NOTIFY_SELECTION) return 0;
    const int entry = windows().listCurrent(id);
    if (entry < 0) return 0;
    bool done = false;
    switch (id) {
    case KIND_LIST:
        done = setLightNameChar(1, lightKinds[std::min(entry, 5)].code);
        break;
    case COLOUR_LIST:
        done = setLightNameChar(2, lightColors[std::min(entry, 3)].code);
        break;
    case FLASH_LIST:
        done = setLightNameChar(4, flashModes[std::min(entry, 2)].code);
        break;
    case SPECIAL_LIST:
        done = setSpecialName(entry);
        break;
    default:
        for (int k = 0; k < 3; ++k)
            if (id == DIGIT_LISTS[k])
                done = setLightNameChar(5 + k, char('0' + std::min(entry, 9)));
    }
    if (!done) return 0;
    return nameChanged(id == KIND_LIST || id == COLOUR_LIST || id == 2013 || id == SPECIAL_LIST);
}

// The colour controls repaint with the current preset, and the textured car
// shows its tint.
void showColour(bool list) {
    if (list) {
        refreshColorPresets(true);
    } else {
        fillSquare(std::min<int>(currentColor().hue, 179));
        for (int control : {ID_HUE_BAR, ID_SQUARE, ID_SWATCH}) windows().repaintControl(control);
    }
    tintTexture(int(model.selectedColor));
}

int colorCommand(int id, int code) {
    WindowSystem& ws = windows();
    if (id == ID_PRESET_LIST) {
        const int index = ws.listCurrent(ID_PRESET_LIST);
        if (code != NOTIFY_SELECTION || index < 0 || index >= model.header.numColors) return 0;
        model.selectedColor = uint32_t(index);
        showColour(false);
        return 1;
    }
    if (id == 1216 || id == 1217) {
        if (!(id == 1216 ? model.header.numColors > 0 && insertColorPreset(int(model.selectedColor))
                         : deleteColorPreset(int(model.selectedColor))))
            return 0;
        showColour(true);
        return changed();
    }
    if (id >= 1265 && id <= 1268) {
        model.colorLayer = uint32_t(id - 1265);
        for (int b = 1265; b <= 1268; ++b) setButtonState(b, b == id ? BUTTON_DOWN : BUTTON_UP);
        showColour(false);
        return 1;
    }
    int x = 0, y = 0;
    if (!ws.lastClickPosition(id, x, y)) return 0;
    const ClientRect r = ws.controlRect(id);
    if (!(id == ID_HUE_BAR ? pickHue(y - r.y) : pickSaturationBrightness(x - r.x, y - r.y)))
        return 0;
    showColour(false);
    return changed();
}

} // namespace

bool isDummyOrColorControl(int id) {
    if (render.page == PAGE_DUMMIES)
        return id == ID_DUMMY_LIST || (id >= 2011 && id <= 2017) || id == 1216 || id == 1217 ||
               id == 1223 || id == 1224;
    return render.page == PAGE_COLORS &&
           (id == ID_PRESET_LIST || id == 1216 || id == 1217 || (id >= 1265 && id <= 1268) ||
            id == ID_HUE_BAR || id == ID_SQUARE);
}

int dummyOrColorCommand(int id, int code) {
    return render.page == PAGE_DUMMIES ? dummyCommand(id, code) : colorCommand(id, code);
}
