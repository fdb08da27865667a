// The pictures the program carries: the 76 bitmap buttons, the ten label
// pictures, the two cursors, the window icon and the About picture, and the
// program's icon at the sizes the desktop's icon theme holds.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

constexpr int FIRST_BUTTON_ID = 1200;
constexpr int BUTTON_COUNT = 76;
constexpr int FIRST_LABEL_ID = 1300;
constexpr int LABEL_COUNT = 10;
constexpr int FIRST_CURSOR_ID = 1400;
constexpr int CURSOR_COUNT = 2;

constexpr int BUTTON_SIZE = 32;
constexpr int LABEL_WIDTH = 160;
constexpr int LABEL_HEIGHT = 16;
constexpr int CURSOR_SIZE = 32;
constexpr int ICON_SIZE = 64; // the window icon
constexpr int DESKTOP_ICON_SIZES[] = {16, 32, 48, 64, 128, 256};
constexpr int ABOUT_WIDTH = 400;
constexpr int ABOUT_HEIGHT = 300;

// 32x32 on the panel grey; the program draws the 3D border over the outer ring.
QImage drawButtonPicture(int id);
// 160x16 on the panel grey; a label that is narrower or lower in the panel
// keeps its content inside that smaller area.
QImage drawLabelPicture(int id);
// 32x32 with alpha; `hotspot` receives the pixel the cursor points with.
QImage drawCursorPicture(int id, QPoint& hotspot);
// The program's icon, size x size with alpha; ICON_SIZE gives the window icon.
QImage drawIcon(int size);
QImage drawAboutPicture();
