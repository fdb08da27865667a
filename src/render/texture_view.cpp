// Drawing the texture-mapping view.
//
// A view smaller than the panel shows as much of the panel as fits: nothing
// here writes outside the view rectangle, so a small screen never has its
// icon strip (or memory past the frame) painted over.
#include "render/texture_view.h"

#include "model/car_model.h"
#include "render/camera.h"
#include "render/frame_buffer.h"
#include "render/lines.h"
#include "render/render_state.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint32_t PANEL_FILL = 0xC0C0C0;
constexpr uint32_t MAPPING_LINE_COLOR = 0x00FFFF;
constexpr int TEXTURE_SIZE = 512;

// The central part of the rendered view moves right of the panel.
void moveViewRight(int panel) {
    const int width = frame.viewWidth - panel;
    if (width <= 0) return;
    const int source = std::max(0, frame.viewCentreX - (width >> 1));
    if (source + width > frame.viewWidth) return;
    for (int y = 0; y < frame.viewHeight; ++y)
        std::memmove(pixelAt(panel, y), pixelAt(source, y), sizeof(uint32_t) * size_t(width));
}

void drawPanel(int panel) {
    const int columns = std::min(panel, frame.viewWidth);
    const int rows = std::min(panel, frame.viewHeight);
    const int step = panel == TEXTURE_PANEL_LARGE ? 1 : 2;
    const bool hasTexture = model.textureLoaded && model.textureImage;
    for (int y = 0; y < rows; ++y) {
        uint32_t* pixel = pixelAt(0, y);
        for (int x = 0; x < columns; ++x) {
            uint32_t texel = PANEL_FILL;
            if (hasTexture) {
                const uint8_t* t = model.textureImage + (y * step * TEXTURE_SIZE + x * step) * 4;
                texel = uint32_t(t[2]) << 16 | uint32_t(t[1]) << 8 | t[0]; // alpha is not shown
            }
            pixel[x] = texel;
        }
        std::fill_n(depthAt(0, y), columns, Z_CLEAR);
    }
    for (int y = rows; y < frame.viewHeight; ++y) std::fill_n(pixelAt(0, y), columns, PANEL_FILL);
}

void drawSelectedMapping(int panel) {
    if (!selectedPartValid() || !model.triangles) return;
    const int part = int(model.selectedPart);
    const int first = model.header.partFirstTriangle[part];
    const int count = model.header.partTriangleCount[part];
    if (first < 0 || count < 0 || first > model.storeTriangles - count) return;
    for (int t = first; t < first + count; ++t) {
        const ModelTriangle& tri = model.triangles[t];
        if (!(tri.flags & TRI_SELECTED)) continue;
        float x[3], y[3];
        for (int k = 0; k < 3; ++k) {
            x[k] = float(double(tri.texU[k]) * panel);
            y[k] = float(double(tri.texV[k]) * panel);
        }
        for (int k = 0; k < 3; ++k) {
            const int n = (k + 1) % 3;
            drawLine(x[k], y[k], 0.0f, x[n], y[n], 0.0f, MAPPING_LINE_COLOR);
        }
    }
}
} // namespace

void drawTextureMappingView() {
    if (!frame.frameBits) return;
    const int panel = texturePanelSize();
    moveViewRight(panel);
    const float savedRight = frame.clipRight, savedBottom = frame.clipBottom;
    frame.clipRight = std::min(float(panel - 1), savedRight);
    frame.clipBottom = std::min(float(panel - 1), savedBottom);
    drawPanel(panel);
    drawSelectedMapping(panel);
    frame.clipRight = savedRight;
    frame.clipBottom = savedBottom;
}
