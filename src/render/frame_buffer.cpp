// Creation of the frame buffer and its companions, the view geometry, the
// per-frame clear and the corner icons.
#include "render/frame_buffer.h"

#include "model/alloc.h"
#include "model/messages.h"
#include "render/icon_strip.h"
#include "render/render_state.h"

#include <algorithm>

FrameState frame;

namespace {
// Row offsets (side * side pixels) stay inside 32 bits.
constexpr int MAX_SCREEN_SIDE = 32768;

void releaseAll(FrameState& f) {
    releaseBlock(f.frameBits);
    releaseBlock(f.zBuffer);
    releaseBlock(f.rowOffsets);
    releaseBlock(f.spanTable);
    releaseBlock(f.normalEnds);
}
} // namespace

bool createFrameBuffer(int screenWidth, int screenHeight) {
    if (screenWidth < 1 || screenHeight < 1 || screenWidth > MAX_SCREEN_SIDE ||
        screenHeight > MAX_SCREEN_SIDE)
        return false;
    const size_t w = size_t(screenWidth), h = size_t(screenHeight);
    FrameState next = frame; // the view settings carry over; the blocks are new
    next.rowOffsets = nullptr;
    next.spanTable = nullptr;
    next.normalEnds = nullptr;
    next.frameBits = static_cast<uint32_t*>(allocBlock(w * h * sizeof(uint32_t)));
    if (!next.frameBits) return false;
    next.zBuffer = static_cast<float*>(allocBlock(w * h * sizeof(float)));
    if (!next.zBuffer) {
        showError("Out of memory! (z-buffer)");
        releaseBlock(next.frameBits);
        return false;
    }
    // One message is enough: stop at the first block that cannot be had.
    if (!(next.rowOffsets = static_cast<int32_t*>(allocBlock(h * sizeof(int32_t)))) ||
        !(next.spanTable =
              static_cast<float*>(allocBlock(h * SPAN_FLOATS_PER_ROW * sizeof(float)))) ||
        !(next.normalEnds = static_cast<Vec3*>(allocBlock(NORMAL_END_SLOTS * sizeof(Vec3))))) {
        releaseAll(next);
        return false;
    }
    releaseAll(frame);
    frame = next;
    frame.screenWidth = screenWidth;
    frame.screenHeight = screenHeight;
    frame.framePitch = screenWidth;
    for (int y = 0; y < screenHeight; ++y) frame.rowOffsets[y] = y * frame.framePitch;
    // The view was sized for the old screen; keep it inside the new one.
    setViewSize(frame.viewWidth + PANEL_WIDTH, frame.viewHeight + STRIP_HEIGHT);
    return true;
}

void freeFrameBuffer() {
    releaseAll(frame);
    frame = FrameState{};
}

void setViewSize(int clientWidth, int clientHeight) {
    const int w = std::min(clientWidth, frame.screenWidth);
    const int h = std::min(clientHeight, frame.screenHeight);
    frame.viewOriginX = frame.viewOriginY = 0;
    // A client area smaller than the panel and strip leaves an empty view.
    frame.viewWidth = std::max(w - PANEL_WIDTH, 0);
    frame.viewHeight = std::max(h - STRIP_HEIGHT, 0);
    frame.viewCentreX = (frame.viewWidth >> 1) + frame.viewOriginX;
    frame.viewCentreY = (frame.viewHeight >> 1) + frame.viewOriginY;
    frame.viewCentreXf = float(frame.viewCentreX);
    frame.viewCentreYf = float(frame.viewCentreY);
    frame.clipLeft = float(frame.viewOriginX);
    frame.clipTop = float(frame.viewOriginY);
    frame.clipRight = float(frame.viewOriginX + frame.viewWidth - 1);
    frame.clipBottom = float(frame.viewOriginY + frame.viewHeight - 1);
}

void clearView() {
    if (!frame.frameBits) return;
    for (int y = 0; y < frame.viewHeight; ++y) {
        std::fill_n(pixelAt(0, y), frame.viewWidth, BACKGROUND_COLOR);
        std::fill_n(depthAt(0, y), frame.viewWidth, Z_CLEAR);
    }
}

void fillView(uint32_t colour) {
    if (!frame.frameBits) return;
    for (int y = 0; y < frame.viewHeight; ++y) std::fill_n(pixelAt(0, y), frame.viewWidth, colour);
}

namespace {
// ORs `width` columns of the icon strip's rows 0..23, from strip column
// `source`, into the view at column `target`, never past the view.
void orIcon(int target, int source, int width) {
    const int rows = std::min(ICON_ROWS, frame.viewHeight);
    const int columns = std::min(width, frame.viewWidth - target);
    for (int y = 0; y < rows; ++y)
        for (int i = 0; i < columns; ++i) *pixelAt(target + i, y) |= *pixelAt(source + i, y);
}
} // namespace

void overlayCornerIcons() {
    if (!frame.frameBits || frame.screenWidth < ICON_STRIP_WIDTH ||
        frame.screenHeight < ICON_STRIP_ROWS)
        return;
    if (frame.viewWidth > 47)
        orIcon(frame.viewWidth - 48, frame.screenWidth + ICON_NAVIGATION_COLUMN, 48);
    if (render.textureMappingActive) {
        const int panel = texturePanelSize();
        orIcon(panel, frame.screenWidth + (panel == 512 ? ICON_SHRINK_COLUMN : ICON_GROW_COLUMN),
               24);
    }
}
