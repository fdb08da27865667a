// Axis cross, dummy symbols and rubber band.
#include "render/overlays.h"

#include "model/car_model.h"
#include "model/names.h"
#include "render/camera.h"
#include "render/frame_buffer.h"
#include "render/lines.h"
#include "render/render_state.h"

#include <algorithm>
#include <cmath>
#include <utility>

OverlayState overlays;

namespace {
constexpr uint32_t AXIS_X_COLOR = 0xFF0000, AXIS_Y_COLOR = 0x00FF00, AXIS_Z_COLOR = 0x0000FF;
constexpr double AXIS_HALF_LENGTH = 0.5;
constexpr uint32_t PLATE_COLOR = 0xFFFFFF, SMOKE_COLOR = 0x808080;
constexpr uint32_t RUBBER_BAND_COLOR = 0x00FFFF;

// Star through a light or smoke dummy, stored at unit size and scaled to a
// quarter when the shape is built.
constexpr float STAR_UNIT[18][3] = {{-1, 0, 0},
                                    {1, 0, 0},
                                    {0, 1, 0},
                                    {0, -1, 0},
                                    {0, 0, -1},
                                    {0, 0, 1},
                                    {-0.707f, 0.707f, 0},
                                    {0.707f, -0.707f, 0},
                                    {0.707f, 0.707f, 0},
                                    {-0.707f, -0.707f, 0},
                                    {0, 0.707f, -0.707f},
                                    {0, -0.707f, 0.707f},
                                    {0, -0.707f, -0.707f},
                                    {0, 0.707f, 0.707f},
                                    {-0.707f, 0, -0.707f},
                                    {0.707f, 0, 0.707f},
                                    {0.707f, 0, -0.707f},
                                    {-0.707f, 0, 0.707f}};
constexpr float STAR_SCALE = 0.25f;

// Licence plate outlines: European (A) and the others (B), four edges each.
constexpr float PLATE_A[8][3] = {{-0.26f, 0.05f, 0},  {0.26f, 0.05f, 0},  {0.26f, 0.05f, 0},
                                 {0.26f, -0.05f, 0},  {0.26f, -0.05f, 0}, {-0.26f, -0.05f, 0},
                                 {-0.26f, -0.05f, 0}, {-0.26f, 0.05f, 0}};
constexpr float PLATE_B[8][3] = {{-0.20f, 0.06f, 0},  {0.20f, 0.06f, 0},  {0.20f, 0.06f, 0},
                                 {0.20f, -0.06f, 0},  {0.20f, -0.06f, 0}, {-0.20f, -0.06f, 0},
                                 {-0.20f, -0.06f, 0}, {-0.20f, 0.06f, 0}};

void setShape(DummySymbol& symbol, const float (*shape)[3], int lines, float scale, Vec3 at) {
    symbol.lineCount = uint32_t(lines);
    for (int i = 0; i < 2 * lines; ++i)
        symbol.points[i] = {float(shape[i][0] * scale + double(at.x)),
                            float(shape[i][1] * scale + double(at.y)),
                            float(shape[i][2] * scale + double(at.z))};
}

// Brightness of a light dummy from its first setting digit (0..9); a name
// without a digit there counts as 0, like everywhere else names are decoded.
uint32_t lightBrightness(const char* name) {
    const double f = decodeLightDummyName(name).settings[0] / 9.0;
    return f == 0.0 ? 0 : uint32_t(255.0 * (0.6 + 0.4 * f));
}

void buildDummySymbol(int k) {
    DummySymbol& symbol = overlays.dummySymbols[k];
    char name[NAME_SIZE + 1] = {};
    std::copy_n(model.header.dummyNames[k], NAME_SIZE, name); // a full field has no NUL
    const Vec3 at = model.header.dummyPos[k];
    if (!isLightDummyName(name)) {
        const int kind = specialDummyIndex(name);
        if (kind == 0) {
            symbol.lineCount = 0;
        } else if (kind == 1) {
            symbol.color = PLATE_COLOR;
            setShape(symbol, PLATE_A, 4, 1.0f, at);
        } else if (kind <= 4) {
            symbol.color = PLATE_COLOR;
            setShape(symbol, PLATE_B, 4, 1.0f, at);
        } else {
            symbol.color = SMOKE_COLOR;
            setShape(symbol, STAR_UNIT, DUMMY_SYMBOL_LINES, STAR_SCALE, at);
        }
        return;
    }
    const uint32_t b = lightBrightness(name);
    switch (name[1]) {
    case 'W':
        symbol.color = b << 16 | b << 8 | b;
        break;
    case 'R':
        symbol.color = b << 16;
        break;
    case 'B':
        symbol.color = (b >> 1) << 8 | b;
        break;
    case 'O':
        symbol.color = b << 16 | (b >> 1) << 8;
        break;
    default:
        break; // an unknown colour letter keeps the colour it had
    }
    setShape(symbol, STAR_UNIT, DUMMY_SYMBOL_LINES, STAR_SCALE, at);
}

int dummyCount() {
    return std::clamp(model.header.numDummies, 0, MAX_DUMMIES);
}
} // namespace

void buildAxisCross() {
    Vec3 c;
    if (render.page == PAGE_PARTS && selectedPartValid())
        c = model.header.partPos[model.selectedPart];
    else if (render.page == PAGE_DUMMIES && model.selectedDummy < uint32_t(dummyCount()))
        c = model.header.dummyPos[model.selectedDummy];
    else
        return;
    const double h = AXIS_HALF_LENGTH;
    overlays.axisPoints[0] = {float(c.x - h), c.y, c.z};
    overlays.axisPoints[1] = {float(c.x + h), c.y, c.z};
    overlays.axisPoints[2] = {c.x, float(c.y - h), c.z};
    overlays.axisPoints[3] = {c.x, float(c.y + h), c.z};
    overlays.axisPoints[4] = {c.x, c.y, float(c.z - h)};
    overlays.axisPoints[5] = {c.x, c.y, float(c.z + h)};
}

void drawAxisCross() {
    const uint32_t colours[3] = {AXIS_X_COLOR, AXIS_Y_COLOR, AXIS_Z_COLOR};
    for (int a = 0; a < 3; ++a) {
        const int i = 2 * a;
        drawLine(overlays.axisScreen[i][0], overlays.axisScreen[i][1], overlays.axisView[i].z,
                 overlays.axisScreen[i + 1][0], overlays.axisScreen[i + 1][1],
                 overlays.axisView[i + 1].z, colours[a]);
    }
}

void buildDummySymbols(int index) {
    if (index < 0) {
        for (int k = 0; k < dummyCount(); ++k) buildDummySymbol(k);
    } else if (index < MAX_DUMMIES) {
        buildDummySymbol(index);
    }
}

void drawDummySymbols() {
    for (int k = 0; k < dummyCount(); ++k) {
        const DummySymbol& s = overlays.dummySymbols[k];
        const int lines = int(std::min<uint32_t>(s.lineCount, DUMMY_SYMBOL_LINES));
        for (int j = 0; j < lines; ++j)
            drawLine(s.screenPoints[2 * j][0], s.screenPoints[2 * j][1], s.viewPoints[2 * j].z,
                     s.screenPoints[2 * j + 1][0], s.screenPoints[2 * j + 1][1],
                     s.viewPoints[2 * j + 1].z, s.color);
    }
}

// The selection code keeps the corners inside the view; they are held to it
// here as well, because the band is written without clipping.
void drawRubberBand() {
    if (render.bandX1 == 0 || !frame.frameBits || frame.viewWidth < 1 || frame.viewHeight < 1)
        return;
    const int right = frame.viewWidth - 1, bottom = frame.viewHeight - 1;
    int x0 = std::clamp(render.bandX0, 0, right), x1 = std::clamp(render.bandX1, 0, right);
    int y0 = std::clamp(render.bandY0, 0, bottom), y1 = std::clamp(render.bandY1, 0, bottom);
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    for (int x = x0; x < x0 + w; x += 2) {
        *pixelAt(x, y0) = RUBBER_BAND_COLOR;
        *pixelAt(x, y1) = RUBBER_BAND_COLOR;
    }
    for (int j = 0; 2 * (j + 1) < h; ++j) {
        *pixelAt(x0, y0 + 2 * j) = RUBBER_BAND_COLOR;
        *pixelAt(x1, y0 + 2 * j) = RUBBER_BAND_COLOR;
    }
}
