// vornix-cli render.
//
// The state is set up as File > Open leaves it (camera and light reset, view
// flags 0xC2 with a texture and 2 without, Camera/Light page), then the
// options change it as the editor's controls would, in this order: page,
// part and dummy, colour preset, view modes, camera slot, part-centred,
// camera angles and distance, light.
//
// A thumbnail is that picture with the options left as they are (the view of
// an 800 x 600 window), except for the textures mode when the texture loaded
// and no corner icons. It is drawn large enough for at least about two drawn
// pixels a thumbnail pixel, cut to the car and averaged down to the square,
// so that its edges are smooth at every size.
#include "cli/render_command.h"

#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/file_io.h"
#include "model/messages.h"
#include "render/render.h"
#include "texture/texture.h"
#include "texture/tint.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A thumbnail is drawn with at least about this many pixels, along each
// side, for each of its own.
constexpr int THUMBNAIL_OVERSAMPLING = 2;

const char* const pageNames[6] = {"camera", "parts", "surfaces", "dummies", "colors", "textures"};

bool fail(const std::string& text) {
    showError(text);
    return false;
}

bool setUpFrame(int width, int height) {
    // The screen is exactly as large as the window whose view has this size.
    const int screenWidth = width + PANEL_WIDTH, screenHeight = height + STRIP_HEIGHT;
    if (frame.screenWidth != screenWidth || frame.screenHeight != screenHeight) {
        if (!createFrameBuffer(screenWidth, screenHeight)) return false;
        fillIconStrip();
    }
    setViewSize(screenWidth, screenHeight);
    return true;
}

bool loadModel(const std::string& input) {
    model.centerOnLoad = false;
    if (!loadFceFile(input, false)) return false;
    findAndLoadTexture();
    convertColorsAfterRead();
    return true;
}

// Encodes w x h pixels 0x00RRGGBB (rows `pitch` pixels apart) as an 8-bit
// RGB PNG in memory and writes it through a temporary file, so that a failure
// leaves no picture behind.
bool writePng(const std::string& path, const uint32_t* pixels, int pitch, int w, int h) {
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = pixels[size_t(y) * pitch + x];
            uint8_t* out = &rgb[(size_t(y) * w + x) * 3];
            out[0] = uint8_t(p >> 16), out[1] = uint8_t(p >> 8), out[2] = uint8_t(p);
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w);
    image.height = png_uint_32(h);
    image.format = PNG_FORMAT_RGB;
    image.flags = PNG_IMAGE_FLAG_FAST; // quicker, for a slightly larger file
    // One pass into room for the largest file the picture can give.
    std::vector<uint8_t> file(PNG_IMAGE_PNG_SIZE_MAX(image));
    png_alloc_size_t size = file.size();
    if (!png_image_write_to_memory(&image, file.data(), &size, 0, rgb.data(), 0, nullptr))
        return fail("cannot encode '" + path + "': " + image.message);
    if (!beginSafeSave(path)) {
        reportFileError(path);
        return false;
    }
    return finishSafeSave(writeExact(size, file.data()));
}

// One source sample's share of a target sample when resampling.
struct Share {
    int target, source;
    float weight;
};

// Squeezes (or stretches) `length` source samples onto `count` target
// samples: each target sample is the mean of the source interval it covers,
// a source sample on a border counting by its covered part.
std::vector<Share> shares(int length, int count) {
    std::vector<Share> list;
    const double step = double(length) / count;
    for (int t = 0; t < count; ++t) {
        const double from = t * step, to = from + step;
        for (int s = int(from); s < to && s < length; ++s) {
            const double covered = std::min(to, s + 1.0) - std::max(from, double(s));
            if (covered > 0.0) list.push_back({t, s, float(covered / step)});
        }
    }
    return list;
}

// The drawn view's smallest rectangle holding every pixel of the car, scaled
// with its proportions kept to fill a size x size square less a margin of a
// sixteenth of the side, centred on the background.
std::vector<uint32_t> fitDrawing(int size) {
    int x0 = frame.viewWidth, y0 = frame.viewHeight, x1 = 0, y1 = 0;
    for (int y = 0; y < frame.viewHeight; ++y)
        for (int x = 0; x < frame.viewWidth; ++x)
            if (*pixelAt(x, y) != BACKGROUND_COLOR || *depthAt(x, y) != Z_CLEAR)
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x + 1),
                y1 = std::max(y1, y + 1);
    if (x1 <= x0) x0 = y0 = 0, x1 = frame.viewWidth, y1 = frame.viewHeight; // nothing drawn
    const int w = x1 - x0, h = y1 - y0, room = size - 2 * (size / 16), longer = std::max(w, h);
    const int tw = std::max(1, room * w / longer), th = std::max(1, room * h / longer);
    // Each thumbnail row: down from the drawn rows it covers into one line
    // (three channels a sample), then across.
    const std::vector<Share> columns = shares(w, tw), rows = shares(h, th);
    std::vector<float> line(size_t(w) * 3), out(size_t(tw) * 3);
    std::vector<uint32_t> pixels(size_t(size) * size, BACKGROUND_COLOR);
    const int left = (size - tw) / 2, top = (size - th) / 2;
    auto channel = [](float v) { return uint32_t(std::clamp(std::lround(v), 0L, 255L)); };
    size_t r = 0;
    for (int y = 0; y < th; ++y) {
        std::fill(line.begin(), line.end(), 0.0f), std::fill(out.begin(), out.end(), 0.0f);
        for (; r < rows.size() && rows[r].target == y; ++r) {
            const uint32_t* row = pixelAt(x0, y0 + rows[r].source);
            for (int x = 0; x < w; ++x)
                for (int k = 0; k < 3; ++k)
                    line[x * 3 + k] += rows[r].weight * float((row[x] >> (16 - 8 * k)) & 0xFF);
        }
        for (const Share& c : columns)
            for (int k = 0; k < 3; ++k) out[c.target * 3 + k] += c.weight * line[c.source * 3 + k];
        for (int x = 0; x < tw; ++x)
            pixels[size_t(top + y) * size + left + x] =
                channel(out[x * 3]) << 16 | channel(out[x * 3 + 1]) << 8 | channel(out[x * 3 + 2]);
    }
    return pixels;
}

} // namespace

bool renderLoadedModel(const RenderOptions& o) {
    if (!setUpFrame(o.width, o.height)) return false;
    const FceHeader& h = model.header;
    render = RenderState{};
    camera = CameraState{};
    light = LightState{};
    render.viewFlags = model.textureLoaded ? 0xC2u : VIEW_SOLID;
    render.cornerIcons = o.cornerIcons;

    int page = -1;
    for (int i = 0; i < 6; ++i)
        if (o.page == pageNames[i]) page = i;
    if (page < 0) return fail("unknown page '" + o.page + "'");
    render.page = page;
    render.lightMode = o.lightMode;

    if (o.part >= 0) {
        if (o.part >= h.numParts) return fail(format("there is no part %d", o.part));
        for (int p = 0; p < h.numParts; ++p) model.partFlags[p] &= ~PART_SELECTED;
        model.selectedPart = uint32_t(o.part);
        model.partFlags[o.part] |= PART_SELECTED | PART_VISIBLE;
    }
    if (o.dummy >= 0) {
        if (o.dummy >= h.numDummies) return fail(format("there is no dummy %d", o.dummy));
        model.selectedDummy = uint32_t(o.dummy);
    }
    if (o.preset >= 0) {
        if (o.preset >= h.numColors) return fail(format("there is no colour preset %d", o.preset));
        if (!model.textureLoaded) return fail("colour presets are shown on the texture, and there is none");
        model.selectedColor = uint32_t(o.preset);
        tintTexture(o.preset);
    }

    uint32_t& flags = render.viewFlags;
    if (o.mode == "wire") flags = (flags & ~(VIEW_SOLID | VIEW_TEXTURES)) | VIEW_WIREFRAME;
    if (o.mode == "solid") flags = (flags & ~VIEW_TEXTURES) | VIEW_SOLID;
    if (o.mode == "textures") {
        if (!model.textureLoaded) return fail("the model has no texture to show");
        flags = (flags & ~VIEW_SOLID) | VIEW_TEXTURES;
    }
    if (o.wire) flags |= VIEW_WIREFRAME;
    if (o.normals) flags |= VIEW_NORMALS;
    if (o.windows == "transparent") flags |= VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT;
    if (o.windows == "solid") flags = (flags | VIEW_WINDOWS) & ~VIEW_WINDOWS_TRANSPARENT;
    if (o.windows == "hidden") flags &= ~(VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT);

    camera.live.focalLength = focalFromFov(camera.live.fovDegrees);
    resetCamera();
    resetLight();
    if (o.camera != 0) selectCamera(o.camera);
    if (o.partCentred) {
        camera.partCentred = true;
        fitCamera();
    }
    if (o.yaw >= 0) camera.live.yaw = o.yaw;
    if (o.pitch >= 0) camera.live.pitch = o.pitch;
    if (o.distance >= 0) camera.live.distance = o.distance;
    updateOrbitOffset();
    computeEyePoint();
    if (o.lightYaw >= 0) light.lightYaw = o.lightYaw;
    if (o.lightPitch >= 0) light.lightPitch = o.lightPitch;
    light.lightFollowsCamera = o.lightFollowsCamera;
    updateLightDirection();

    if (page == PAGE_PARTS || page == PAGE_DUMMIES) buildAxisCross();
    if (page == PAGE_DUMMIES) buildDummySymbols(-1);
    model.renderCacheValid = false;
    prepareFrame();
    drawFrame();
    return true;
}

bool writeViewPng(const std::string& path) {
    return writePng(path, pixelAt(0, 0), frame.framePitch, frame.viewWidth, frame.viewHeight);
}

bool renderModelToPng(const std::string& input, const std::string& output,
                      const RenderOptions& options) {
    if (options.width < 1 || options.height < 1 || options.width > 16384 ||
        options.height > 16384)
        return fail("the view size must be between 1x1 and 16384x16384");
    return loadModel(input) && renderLoadedModel(options) && writeViewPng(output);
}

bool thumbnailToPng(const std::string& input, const std::string& output, int size) {
    if (size < THUMBNAIL_MIN_SIZE || size > THUMBNAIL_MAX_SIZE)
        return fail(format("the thumbnail size must be between %d and %d", THUMBNAIL_MIN_SIZE,
                           THUMBNAIL_MAX_SIZE));
    if (!loadModel(input)) return false;
    RenderOptions options;
    const int scale =
        std::max(1, (THUMBNAIL_OVERSAMPLING * size + options.height - 1) / options.height);
    options.width *= scale, options.height *= scale;
    if (model.textureLoaded) options.mode = "textures";
    options.cornerIcons = false;
    return renderLoadedModel(options) &&
           writePng(output, fitDrawing(size).data(), size, size, size);
}
