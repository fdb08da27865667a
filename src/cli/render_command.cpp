// vornix-cli render.
//
// The state is set up as File > Open leaves it (camera and light reset, view
// flags 0xC2 with a texture and 2 without, Camera/Light page), then the
// options change it as the editor's controls would, in this order: page,
// part and dummy, colour preset, view modes, camera slot, part-centred,
// camera angles and distance, light.
#include "cli/render_command.h"

#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/messages.h"
#include "render/render.h"
#include "texture/texture.h"
#include "texture/tint.h"

#include <png.h>

#include <vector>

namespace {

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

} // namespace

bool renderLoadedModel(const RenderOptions& o) {
    if (!setUpFrame(o.width, o.height)) return false;
    const FceHeader& h = model.header;
    render = RenderState{};
    camera = CameraState{};
    light = LightState{};
    render.viewFlags = model.textureLoaded ? 0xC2u : VIEW_SOLID;

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
    const int w = frame.viewWidth, h = frame.viewHeight;
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = *pixelAt(x, y);
            uint8_t* out = &rgb[(size_t(y) * w + x) * 3];
            out[0] = uint8_t(p >> 16);
            out[1] = uint8_t(p >> 8);
            out[2] = uint8_t(p);
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w);
    image.height = png_uint_32(h);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr))
        return fail("cannot write '" + path + "': " + image.message);
    return true;
}

bool renderModelToPng(const std::string& input, const std::string& output,
                      const RenderOptions& options) {
    if (options.width < 1 || options.height < 1 || options.width > 16384 ||
        options.height > 16384)
        return fail("the view size must be between 1x1 and 16384x16384");
    model.centerOnLoad = false;
    if (!loadFceFile(input, false)) return false;
    findAndLoadTexture();
    convertColorsAfterRead();
    return renderLoadedModel(options) && writeViewPng(output);
}
