// Bitmap buttons: states, composition of the up, down and disabled looks,
// and the top strip.
#include "app/buttons.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "platform/window_system.h"
#include "render/frame_buffer.h"

#include <algorithm>
#include <cstring>

ButtonState buttons;

namespace {
uint32_t* slot(int index) { return buttons.strip + index * 32 * 32; }

// The top strip from the left: groups of neighbouring buttons, one step
// apart (a button and a gap), then Help at the right end.
struct StripGroup {
    int first, count, x;
};
constexpr StripGroup stripGroups[] = {{1231, 6, 8}, {1200, 3, 240}, {1203, 2, 364}, {1237, 4, 452}};
constexpr int STRIP_STEP = 36;
constexpr int HELP_FROM_RIGHT = 40; // Help's left edge from the client area's right edge
} // namespace

void setButtonState(int id, uint8_t state) {
    const int i = id - BUTTON_FIRST;
    if (i < 0 || i >= BUTTON_COUNT || buttons.state[i] == state) return;
    buttons.state[i] = state;
    if (hasWindows()) windows().repaintControl(id);
}

uint8_t buttonStateOf(int id) { return buttons.state[id - BUTTON_FIRST]; }

void setButtonPicture(int id, const uint32_t* pixels) {
    std::memcpy(slot(id - BUTTON_FIRST + 1), pixels, 32 * 32 * sizeof(uint32_t));
}

void drawBitmapButton(DrawItem& item, int id) {
    const int i = id - BUTTON_FIRST;
    // Which look: disabled wins; the momentary buttons follow the press; the
    // latched ones keep their state except while being pressed.
    int look;
    if (buttons.state[i] == BUTTON_DISABLED)
        look = BUTTON_DISABLED;
    else if (id <= 1230)
        look = item.selected ? BUTTON_DOWN : BUTTON_UP;
    else if (item.selectionOnly && item.selected)
        look = BUTTON_DOWN;
    else
        look = buttons.state[i];

    const uint32_t* picture = slot(i + 1);
    uint32_t* cell = slot(0);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const uint32_t p = picture[y * 32 + x];
            uint32_t out;
            if (look == BUTTON_DISABLED) {
                // A checkerboard of the picture in grey and the panel grey.
                const uint32_t bytes = (p | p >> 8 | p >> 16 | p >> 24) & 0xFF;
                const bool pictureCell = (y % 2 == 0) ? (x % 2 == 0) : (x % 2 == 1);
                const uint32_t g = (y % 2 == 0) ? (bytes & 0xE0) : bytes;
                out = pictureCell ? g * 0x010101u : 0xC0C0C0u;
            } else {
                const uint32_t light = look == BUTTON_UP ? 0xFFFFFFu : 0x000000u;
                const uint32_t dark = look == BUTTON_UP ? 0x000000u : 0xFFFFFFu;
                if (y == 0 || (x == 0 && y < 31))
                    out = light;
                else if (y == 31 || x == 31)
                    out = dark;
                else
                    out = p;
            }
            cell[y * 32 + x] = out;
        }
    }
    for (int y = 0; y < 32 && y < item.height; ++y)
        std::memcpy(item.pixels + y * item.width, cell + y * 32,
                    sizeof(uint32_t) * size_t(std::min(32, item.width)));
}

void layoutTopStrip(int viewWidth) {
    WindowSystem& ws = windows();
    auto place = [&](int id, int x) {
        ws.moveControl(id, {x, 8, 32, 32});
        ws.showControl(id, true);
    };
    for (const StripGroup& group : stripGroups)
        for (int k = 0; k < group.count; ++k) place(group.first + k, group.x + STRIP_STEP * k);
    place(BUTTON_HELP, helpButtonX(viewWidth));
}

int helpButtonX(int viewWidth) { return PANEL_WIDTH + viewWidth - HELP_FROM_RIGHT; }

// Help stands at least a step right of the last button's left edge, as the
// buttons of a group stand from each other.
int topStripMinimumWidth() {
    int end = 0;
    for (const StripGroup& group : stripGroups)
        end = std::max(end, group.x + STRIP_STEP * group.count);
    return end + HELP_FROM_RIGHT;
}
