// Painting the sample car's texture.
//
// Each atlas rectangle is painted texel by texel from the car's own
// coordinates: a texel of the side view knows the height and position along
// the car it stands for, so the stripe, door shut lines and wheel-arch trim
// fall exactly where the body's geometry maps them.
#include "cli/sample_texture.h"

#include "cli/sample_shapes.h"
#include "model/file_io.h"
#include "model/messages.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Color {
    int r, g, b;
    uint8_t a;
};

Color grey(double value, uint8_t alpha) {
    const int v = int(std::clamp(value, 0.0, 255.0));
    return {v, v, v, alpha};
}
Color opaque(int r, int g, int b) {
    return {r, g, b, ALPHA_OPAQUE};
}
Color scaled(Color c, double factor) {
    auto s = [&](int v) { return int(std::clamp(v * factor, 0.0, 255.0)); };
    return {s(c.r), s(c.g), s(c.b), c.a};
}

// A little grain, the same every time.
int grain(int x, int y) {
    uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return int(h % 7) - 3;
}

double square(double v) {
    return v * v;
}

const Color COLOR_TRIM = {34, 34, 37, ALPHA_TRIM};
const Color COLOR_BLACK = opaque(28, 28, 30);
const Color COLOR_CHROME = opaque(205, 208, 212);
const Color COLOR_AMBER = opaque(255, 146, 24);

class Canvas {
  public:
    Canvas() : pixels_(size_t(SAMPLE_TEXTURE_SIZE) * SAMPLE_TEXTURE_SIZE * 4, 0) {}

    template <class Paint> void fill(AtlasRect r, Paint paint) {
        for (int y = r.y0; y < r.y1; ++y)
            for (int x = r.x0; x < r.x1; ++x) {
                const Color c = paint(atlasS(r, x), atlasT(r, y), x, y);
                uint8_t* p = &pixels_[(size_t(y) * SAMPLE_TEXTURE_SIZE + size_t(x)) * 4];
                p[0] = uint8_t(std::clamp(c.b, 0, 255));
                p[1] = uint8_t(std::clamp(c.g, 0, 255));
                p[2] = uint8_t(std::clamp(c.r, 0, 255));
                p[3] = c.a;
            }
    }
    std::vector<uint8_t> take() { return std::move(pixels_); }

  private:
    std::vector<uint8_t> pixels_;
};

// A 4 x 5 pixel font for the few letters the texture writes.
bool glyphPixel(char c, int column, int row) {
    static const struct {
        char c;
        const char* rows[5];
    } font[] = {{'V', {"1001", "1001", "1001", "1001", "0110"}},
                {'O', {"0110", "1001", "1001", "1001", "0110"}},
                {'R', {"1110", "1001", "1110", "1010", "1001"}},
                {'N', {"1001", "1101", "1011", "1001", "1001"}},
                {'I', {"1110", "0100", "0100", "0100", "1110"}},
                {'X', {"1001", "1001", "0110", "1001", "1001"}}};
    for (const auto& g : font)
        if (g.c == c) return g.rows[row][column] == '1';
    return false;
}

// Whether texel (x, y) is part of `text` written from (left, top), 5 texels a letter.
bool textPixel(const char* text, int left, int top, int x, int y) {
    const int row = y - top, offset = x - left;
    if (row < 0 || row >= 5 || offset < 0) return false;
    const int index = offset / 5, column = offset % 5;
    for (int i = 0; text[i]; ++i)
        if (i == index) return column < 4 && glyphPixel(text[i], column, row);
    return false;
}

bool inRoundedBox(double x, double y, double x0, double x1, double y0, double y1, double radius) {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    const double cx = std::clamp(x, x0 + radius, x1 - radius);
    const double cy = std::clamp(y, y0 + radius, y1 - radius);
    return square(x - cx) + square(y - cy) <= radius * radius;
}

// Paint shading with a soft reflection line, and the stripes of layer 1.
Color paint(double shade) {
    return grey(shade, ALPHA_PAINT);
}
Color stripe(double shade) {
    return grey(shade, ALPHA_STRIPE);
}

Color sideTexel(double s, double t, int px, int py) {
    const double z = lerp(CAR_FRONT_Z, CAR_REAR_Z, s), y = lerp(SIDE_TOP_Y, SIDE_BOTTOM_Y, t);
    double shade =
        196 + 44 * clamp01((y + 0.40) / 0.70) + 20 * std::exp(-square((y - 0.12) / 0.035));
    shade += grain(px, py);
    Color c = paint(shade);
    if (y > -0.075 && y < 0.0 && z > -1.95 && z < 1.98) c = stripe(244 + grain(px, py));
    if (y > 0.014 && y < 0.03 && z > -1.7 && z < 1.8) c = stripe(236);
    // Door shut lines and the fuel flap.
    for (double seam : {-0.58, 0.38})
        if (std::fabs(z - seam) < 0.009 && y > -0.33 && y < 0.27) c = paint(shade * 0.5);
    const double flap = std::hypot(z - 1.52, y - 0.13);
    if (flap > 0.038 && flap < 0.052) c = paint(shade * 0.55);
    // Handle, side repeater, black pillar and window seal.
    if (z > 0.14 && z < 0.28 && y > 0.145 && y < 0.178)
        c = y < 0.152 ? opaque(120, 122, 126) : COLOR_CHROME;
    if (z > -1.06 && z < -0.97 && y > 0.105 && y < 0.135) c = COLOR_AMBER;
    if (y > 0.262 && y < 0.29 && z > CAR_WINDSCREEN_Z && z < CAR_DECK_Z) c = COLOR_BLACK;
    if (y > 0.27 && z > CAR_PILLAR_FRONT_Z - 0.04 && z < CAR_PILLAR_REAR_Z + 0.04) c = COLOR_BLACK;
    // Black sills; the arches are lined by the body's own underbody faces.
    if (y < -0.345) c = scaled(COLOR_BLACK, 1.0 + 0.004 * grain(px, py));
    return c;
}

Color topTexel(double s, double t, int px, int py) {
    const double z = lerp(CAR_FRONT_Z, CAR_REAR_Z, s), x = lerp(-CAR_HALF_WIDTH, CAR_HALF_WIDTH, t);
    const double ax = std::fabs(x);
    double shade = 214 + 30 * (1 - square(x / CAR_HALF_WIDTH)) + grain(px, py);
    shade += 12 * std::exp(-square((z + 1.2) / 0.25)); // the sky mirrored in the bonnet
    Color c = paint(shade);
    if (ax > 0.08 && ax < 0.20) c = stripe(244 + grain(px, py));
    if (ax >= 0.20 && ax < 0.215) c = stripe(120);
    // Bonnet and boot lid shut lines.
    auto line = [](double v, double at) { return std::fabs(v - at) < 0.009; };
    const bool bonnet = (line(z, -2.02) || line(z, -0.71)) && ax < 0.75;
    const bool bonnetSides = line(ax, 0.74) && z > -2.02 && z < -0.71;
    const bool boot = (line(z, 1.66) || line(z, 2.07)) && ax < 0.72;
    const bool bootSides = line(ax, 0.72) && z > 1.66 && z < 2.07;
    if (bonnet || bonnetSides || boot || bootSides) c = paint(shade * 0.5);
    // Bonnet vents with slats, the scuttle in front of the windscreen, the spoiler lip.
    if (z > -1.30 && z < -1.02 && ax > 0.30 && ax < 0.46)
        c = (py % 2) ? COLOR_BLACK : opaque(70, 72, 76);
    if (z > -0.69 && z < -0.615) c = COLOR_BLACK;
    if (z > 2.09 && z < 2.13) c = COLOR_BLACK;
    return c;
}

Color frontTexel(double s, double t, int px, int py) {
    const double x = lerp(CAR_HALF_WIDTH, -CAR_HALF_WIDTH, s),
                 y = lerp(FASCIA_TOP_Y, FASCIA_BOTTOM_Y, t);
    const double ax = std::fabs(x);
    const double shade = 206 + 38 * clamp01((y + 0.30) / 0.60) + grain(px, py);
    Color c = paint(shade);
    if (ax > 0.08 && ax < 0.20 && y > 0.06) c = stripe(244);
    // Headlights: a chrome-edged lens with two reflectors each side.
    if (inRoundedBox(ax, y, 0.30, 0.70, -0.02, 0.10, 0.03)) {
        c = opaque(96, 100, 108);
        if (inRoundedBox(ax, y, 0.315, 0.685, -0.005, 0.085, 0.02)) {
            c = opaque(226, 232, 242);
            for (double cx : {0.41, 0.58}) {
                const double d = std::hypot(ax - cx, y - 0.04);
                if (d < 0.046) c = d < 0.026 ? opaque(255, 255, 250) : COLOR_CHROME;
            }
        }
    }
    if (inRoundedBox(ax, y, 0.58, 0.72, -0.13, -0.06, 0.015)) c = COLOR_AMBER;
    // Grille with bars and a round badge.
    if (ax < 0.24 && y > -0.18 && y < 0.03) {
        c = (py % 3 == 0) ? opaque(82, 84, 88) : opaque(18, 18, 20);
        if (ax > 0.225 || y < -0.17 || y > 0.02) c = COLOR_CHROME;
        if (std::hypot(x, y + 0.075) < 0.032) c = COLOR_CHROME;
    }
    // Bumper: a stripe-coloured splitter line, intake, fog lamps.
    if (y < -0.265 && y > -0.28) c = stripe(236);
    if (y <= -0.28) c = COLOR_BLACK;
    if (ax < 0.44 && y > -0.26 && y < -0.19)
        c = ((px + py) % 2) ? opaque(14, 14, 15) : opaque(48, 48, 50);
    if (std::hypot(ax - 0.56, y + 0.225) < 0.032) c = opaque(250, 248, 214);
    return c;
}

Color rearTexel(double s, double t, int px, int py) {
    const double x = lerp(-CAR_HALF_WIDTH, CAR_HALF_WIDTH, s),
                 y = lerp(FASCIA_TOP_Y, FASCIA_BOTTOM_Y, t);
    const double ax = std::fabs(x);
    const double shade = 206 + 38 * clamp01((y + 0.30) / 0.60) + grain(px, py);
    Color c = paint(shade);
    if (ax > 0.08 && ax < 0.20 && y > 0.20) c = stripe(244);
    if (std::fabs(y - 0.19) < 0.008 && ax < 0.72) c = paint(shade * 0.5);
    // Tail lights: red lens with bright rings, reverse lamp inside, indicator outside.
    if (inRoundedBox(ax, y, 0.32, 0.74, 0.02, 0.16, 0.03)) {
        c = opaque(60, 10, 10);
        if (inRoundedBox(ax, y, 0.332, 0.728, 0.032, 0.148, 0.02)) {
            c = opaque(178, 16, 22);
            for (double cx : {0.47, 0.62}) {
                const double d = std::hypot(ax - cx, y - 0.09);
                if (d < 0.05) c = d < 0.03 ? opaque(255, 76, 64) : opaque(214, 34, 34);
            }
            if (ax < 0.37) c = opaque(236, 236, 232);
            if (ax > 0.70) c = COLOR_AMBER;
        }
    }
    // The number plate.
    if (ax < 0.27 && y > -0.17 && y < -0.02) {
        c = (ax > 0.255 || y < -0.158 || y > -0.032) ? opaque(40, 40, 44) : opaque(242, 242, 236);
        const int left = ATLAS_REAR.x0 + (ATLAS_REAR.x1 - ATLAS_REAR.x0) / 2 - 15;
        const int top = ATLAS_REAR.y0 + int(std::lround(fasciaDown(-0.095) * 64)) - 2;
        if (textPixel("VORNIX", left, top, px, py)) c = opaque(20, 32, 96);
    }
    // Bumper with reflectors and twin exhausts.
    if (y <= -0.22) c = COLOR_BLACK;
    if (ax > 0.50 && ax < 0.68 && y > -0.215 && y < -0.19) c = opaque(150, 20, 20);
    for (double cx : {0.34, 0.44}) {
        const double d = std::hypot(x - cx, y + 0.32);
        if (d < 0.045) c = d < 0.032 ? opaque(10, 10, 10) : COLOR_CHROME;
    }
    return c;
}

// Untinted texels of the wheel face, in the low range (see ALPHA_WHEEL).
Color wheel(int r, int g, int b) {
    return {r, g, b, ALPHA_WHEEL};
}

Color wheelTexel(double s, double t, int, int) {
    const double dx = (s - 0.5) * 2 * CAR_WHEEL_RADIUS, dy = (t - 0.5) * 2 * CAR_WHEEL_RADIUS;
    const double r = std::hypot(dx, dy), angle = std::atan2(dy, dx);
    if (r >= CAR_RIM_RADIUS * 0.97) {
        // Tyre wall with a ring of raised lettering.
        Color c = wheel(40, 40, 43);
        if (r > 0.262 && r < 0.285 && std::fmod(angle + 4 * std::numbers::pi, 0.35) < 0.2)
            c = wheel(92, 92, 96);
        if (r > 0.318) c = wheel(30, 30, 32);
        return c;
    }
    if (r > 0.195) return grey(238, ALPHA_RIM);
    if (r < 0.06) {
        for (int k = 0; k < 5; ++k) {
            const double a = 2 * std::numbers::pi * (k + 0.5) / 5;
            if (std::hypot(dx - 0.042 * std::cos(a), dy - 0.042 * std::sin(a)) < 0.009)
                return wheel(60, 60, 62);
        }
        return grey(r > 0.052 ? 150 : 226, ALPHA_RIM);
    }
    // Five spokes, wider at the hub, shaded across; brake disc and caliper between.
    const double sector = 2 * std::numbers::pi / 5;
    const double off = std::fabs(std::remainder(angle + std::numbers::pi / 2, sector));
    const double width = 0.30 * (0.6 + 0.4 * (0.195 - r) / 0.135);
    if (off < width) return grey(232 - 80 * off / width, ALPHA_RIM);
    if (r > 0.12 && r < 0.185 && std::fabs(std::remainder(angle, 2 * std::numbers::pi)) < 0.45)
        return wheel(186, 28, 28);
    if (r > 0.125) return wheel(96, 96, 100);
    return wheel(26, 26, 28);
}

Color treadTexel(double s, double t, int px, int) {
    Color c = opaque(38, 38, 41);
    if (std::fabs(t - 0.3) < 0.035 || std::fabs(t - 0.7) < 0.035)
        c = opaque(14, 14, 15);
    else if ((t < 0.265 || t > 0.735) && px % 4 == 0)
        c = opaque(20, 20, 22);
    if (t < 0.06 || t > 0.94) c = scaled(c, 0.8);
    (void)s;
    return c;
}

Color glassTexel(double s, double t, int, int) {
    Color c = {int(lerp(84, 20, t)), int(lerp(100, 26, t)), int(lerp(122, 36, t)), ALPHA_OPAQUE};
    const double streak = std::fmod((s * 0.6 + t) * 2.2, 1.0);
    if (streak > 0.1 && streak < 0.18) c = scaled(c, 1.45);
    return c;
}

Color suitTexel(double s, double t, int px, int py) {
    double shade = 196 + 2 * grain(px, py);
    if (std::fabs(s - 0.5) < 0.025) shade = 130; // the zip
    if (std::fabs(t - 0.55) < 0.03) shade = 160; // the belt line
    return grey(shade, ALPHA_SUIT);
}

Color skinTexel(double, double t, int, int) {
    return opaque(int(lerp(232, 196, t)), int(lerp(188, 150, t)), int(lerp(156, 120, t)));
}

Color helmetTexel(double s, double t, int, int) {
    if (t > 0.86) return COLOR_BLACK;
    if (s > 0.62 && s < 0.88 && t > 0.40 && t < 0.63)
        return t < 0.45 ? opaque(90, 100, 120) : opaque(30, 36, 52);
    if (s > 0.71 && s < 0.79 && t < 0.40) return paint(236);
    return stripe(246 - 40 * t);
}

Color trimTexel(double, double, int px, int py) {
    return {COLOR_TRIM.r + grain(px, py), COLOR_TRIM.g + grain(px, py),
            COLOR_TRIM.b + grain(px, py), ALPHA_TRIM};
}

Color chromeTexel(double, double t, int, int) {
    const double v = t < 0.5 ? lerp(236, 140, t * 2) : lerp(140, 222, (t - 0.5) * 2);
    return opaque(int(v), int(v + 3), int(v + 8));
}

Color spareTexel(double s, double t, int px, int py) {
    const int left = ATLAS_SPARE.x0 + 18, top = ATLAS_SPARE.y0 + 29;
    if (textPixel("VORNIX", left, top, px, py)) return opaque(190, 190, 196);
    (void)s, (void)t;
    return opaque(52, 52, 56);
}

} // namespace

std::vector<uint8_t> paintSampleTexture() {
    Canvas canvas;
    canvas.fill(ATLAS_SIDE, sideTexel);
    canvas.fill(ATLAS_TOP, topTexel);
    canvas.fill(ATLAS_FRONT, frontTexel);
    canvas.fill(ATLAS_REAR, rearTexel);
    canvas.fill(ATLAS_WHEEL, wheelTexel);
    canvas.fill(ATLAS_TREAD, treadTexel);
    canvas.fill(ATLAS_GLASS, glassTexel);
    canvas.fill(ATLAS_SUIT, suitTexel);
    canvas.fill(ATLAS_SKIN, skinTexel);
    canvas.fill(ATLAS_HELMET, helmetTexel);
    canvas.fill(ATLAS_TRIM, trimTexel);
    canvas.fill(ATLAS_CHROME, chromeTexel);
    canvas.fill(ATLAS_SPARE, spareTexel);
    return canvas.take();
}

std::vector<uint8_t> sampleTextureFile() {
    const std::vector<uint8_t> texels = paintSampleTexture();
    constexpr int N = SAMPLE_TEXTURE_SIZE;
    // Uncompressed true colour, 32 bits with 8 alpha bits, bottom row first.
    std::vector<uint8_t> file = {0, 0, 2, 0,        0,      0,        0,      0,  0,
                                 0, 0, 0, N & 0xFF, N >> 8, N & 0xFF, N >> 8, 32, 8};
    file.reserve(file.size() + texels.size());
    const size_t row = size_t(N) * 4;
    for (int y = N - 1; y >= 0; --y)
        file.insert(file.end(), texels.begin() + long(size_t(y) * row),
                    texels.begin() + long(size_t(y + 1) * row));
    return file;
}

bool writeSampleTexture(const std::string& path) {
    const std::vector<uint8_t> file = sampleTextureFile();
    if (!beginSafeSave(path)) {
        reportLastError();
        return false;
    }
    const bool written = writeExact(file.size(), file.data());
    return finishSafeSave(written);
}
