// The 76 bitmap buttons: their states, the button strip image holding their
// pictures, how one is painted up, down or disabled, and the top strip.
#pragma once

#include <cstdint>

struct DrawItem;

constexpr uint8_t BUTTON_UP = 0;
constexpr uint8_t BUTTON_DOWN = 1;
constexpr uint8_t BUTTON_DISABLED = 2;

struct ButtonState {
    uint8_t state[76] = {};
    // 77 slots of 32x32 stacked: slot 0 is where a button is composed, slot
    // i + 1 holds the picture of button 1200 + i.
    uint32_t strip[77 * 32 * 32] = {};
};

extern ButtonState buttons;

// Stores the state and repaints the button only when it changed.
void setButtonState(int id, uint8_t state);
uint8_t buttonStateOf(int id);

// Copies a 32x32 picture (0x00RRGGBB) into the button's slot of the strip.
void setButtonPicture(int id, const uint32_t* pixels);

// Composes button `id` for an owner-draw request into item.pixels.
void drawBitmapButton(DrawItem& item, int id);

// Places the top-strip buttons; viewWidth decides where Help goes.
void layoutTopStrip(int viewWidth);
// Where Help stands for a view this wide: at the strip's right end.
int helpButtonX(int viewWidth);
// The narrowest client area in which Help stays clear of the other buttons.
int topStripMinimumWidth();
