// Mouse input over the 3D view: panning, orbiting and zooming the camera,
// turning the light, the navigation widget in the view's top-right corner,
// zooming by the wheel, and the pointer shape of the selection tools.
#pragma once

struct MouseState {
    bool dragActive = false;            // a button went down in the view and is still held
    int lastMouseX = 0, lastMouseY = 0; // client coordinates; each drag step measures from here
    int widgetDrag = 0;                 // 0 none, 1 move half of the widget, 2 rotate half
    int warpX = 0, warpY = 0;           // view centre, where a widget drag holds the pointer
    int restoreX = 0, restoreY = 0;     // where the pointer was when the widget was pressed
};

extern MouseState mouse;

// The handlers take the key-state word (KEY_* bits) and client coordinates.
// All three return 2 when the view must be transformed and
// drawn, 1 when drawing is enough, 0 when nothing changed.
int mouseDown(int keys, int x, int y);
int mouseMove(int keys, int x, int y);
int mouseUp(int keys, int x, int y);
// The wheel turned by `delta` (120 a notch, positive away from the user) at
// client (x, y): zooms the camera when over the view; returns as above.
int mouseWheel(int x, int y, int delta);
// A pointer move without a drag.
void updateCursorShape(int x, int y);

// Client x of the navigation widget's left edge for the current view size.
int widgetLeft();
