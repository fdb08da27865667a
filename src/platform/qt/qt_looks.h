// Text and looks of the Qt backend: how the program's byte strings become Qt
// strings and back, and the fonts and colours of each TextLook.
#pragma once

#include "platform/window_system.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <string>
#include <vector>

class QWidget;

// Colours of the window, 0x00RRGGBB.
constexpr uint32_t COLOUR_PANEL = 0xC0C0C0;
constexpr uint32_t COLOUR_LIST = 0xE0E0E0;
constexpr uint32_t COLOUR_HEADER = 0x808080;

// UTF-8, or Windows-1252 when the bytes are not valid UTF-8.
QString fromProgramText(const std::string& text);

inline QColor pixelColour(uint32_t pixel) {
    return QColor::fromRgb(pixel & 0xFFFFFF);
}

// The fonts of the looks, made once the application exists.
struct LookFonts {
    QFont panel;  // 13 pixels to the em (a 16-pixel cell), semi-condensed
    QFont header; // character height 12, bold
    QFont small;  // character height 10
};
LookFonts makeLookFonts();
const QFont& lookFont(const LookFonts& fonts, TextLook look);
uint32_t lookTextColour(TextLook look);
uint32_t lookBackground(TextLook look);

// Font, text colour and filled background of a static control.
void applyLook(QWidget* widget, const LookFonts& fonts, TextLook look);

class QPainter;
class QPoint;
// Draws the text runs of an owner-drawn control, offset by `origin`.
void drawTextRuns(QPainter& painter, const QPoint& origin, const std::vector<TextRun>& runs,
                  const LookFonts& fonts);
