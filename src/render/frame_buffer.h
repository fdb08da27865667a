// The frame buffer the 3D view is drawn into: a screen-sized 32-bit image
// (pixels 0x00RRGGBB, row 0 at the top), its float z-buffer, the row-offset
// table, the view and clip rectangles, and the scratch memory the rasterizer
// needs per frame row. Everything is the one record `frame`, created once by
// createFrameBuffer and only read by the window layer, which copies the view
// rectangle (frameBits, framePitch, viewWidth x viewHeight at the view origin)
// into the window.
//
// The rightmost 96 columns of rows 0..39 hold the icon strip (icon_strip.h);
// no view reaches them, because the view is at most screenWidth - 192 wide.
#pragma once

#include "model/fce_types.h"

#include <cstdint>

constexpr uint32_t BACKGROUND_COLOR = 0x000000;
constexpr float Z_CLEAR = -320.0f;      // nothing farther from the camera is filled
constexpr int PANEL_WIDTH = 192;        // side panel left of the view
constexpr int STRIP_HEIGHT = 48;        // button strip above the view
constexpr int SPAN_FLOATS_PER_ROW = 10; // the widest span row: two sides of x, u, v, shade, z
constexpr int NORMAL_END_SLOTS = 3 * MAX_TRIANGLES;

struct FrameState {
    int screenWidth = 0, screenHeight = 0;
    uint32_t* frameBits = nullptr; // top-left pixel
    int framePitch = 0;            // pixels per row = screenWidth
    int32_t* rowOffsets = nullptr; // rowOffsets[y] = y * framePitch, one per screen row
    float* zBuffer = nullptr;      // addressed like frameBits

    int viewOriginX = 0, viewOriginY = 0;
    int viewWidth = 0, viewHeight = 0;
    int viewCentreX = 0, viewCentreY = 0;
    float viewCentreXf = 0.0f, viewCentreYf = 0.0f;
    // Inclusive clip rectangle of every filler and line.
    float clipLeft = 0.0f, clipTop = 0.0f, clipRight = -1.0f, clipBottom = -1.0f;

    // Scratch of the edge walker, SPAN_FLOATS_PER_ROW floats per screen row;
    // sized from the screen so that tall screens draw to their last row.
    float* spanTable = nullptr;
    // Per vertex slot: screen x, screen y and camera z of a normal line's far end.
    Vec3* normalEnds = nullptr;
};

extern FrameState frame;

// (Re)creates the buffers for a screen of the given size. On failure the
// allocator's message has been shown ("Out of memory! (z-buffer)" follows
// when the z-buffer is what failed), the previous buffers stay as they were
// and false is returned.
bool createFrameBuffer(int screenWidth, int screenHeight);
void freeFrameBuffer();

// The client area changed size: the view is the client area less the side
// panel and the button strip, limited to the screen.
void setViewSize(int clientWidth, int clientHeight);

// Black pixels and cleared depth over the view rectangle.
void clearView();

// The whole view in one colour (grey 0xC0C0C0 while no model is loaded).
constexpr uint32_t NO_MODEL_COLOR = 0xC0C0C0;
void fillView(uint32_t colour);

// ORs the navigation icons into the view's top-right corner, and the texture
// size icon beside the texture panel while texture mapping is active.
void overlayCornerIcons();

inline uint32_t* pixelAt(int x, int y) {
    return frame.frameBits + frame.rowOffsets[y] + x;
}
inline float* depthAt(int x, int y) {
    return frame.zBuffer + frame.rowOffsets[y] + x;
}
