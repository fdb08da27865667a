// vornix-cli render: draws a model exactly as the editor's 3D view would show
// it for a view of the given size, and writes the view as a PNG. vornix-cli
// thumbnail draws it the same way and fits the car into a small square.
#pragma once

#include <string>

struct RenderOptions {
    int width = 608, height = 552;
    std::string mode;    // "", "wire", "solid" or "textures"
    bool wire = false;   // wireframe on top of solid or textures
    bool normals = false;
    std::string windows; // "", "transparent", "solid" or "hidden"
    int camera = 0;
    int yaw = -1, pitch = -1; // quarter degrees; -1: as reset
    float distance = -1.0f;   // -1: as fitted
    bool partCentred = false;
    std::string page = "camera";
    int part = -1, dummy = -1, preset = -1;
    int lightYaw = -1, lightPitch = -1;
    bool lightFollowsCamera = false;
    bool lightMode = false; // show the light symbol, as while the light is dragged
    // The navigation icons in the view's top-right corner.
    bool cornerIcons = true;
};

// Renders `input` into `output`. False after a one-line message on failure.
bool renderModelToPng(const std::string& input, const std::string& output,
                      const RenderOptions& options);

// Renders the model into the frame buffer (already loaded and set up by the
// caller's options); used by renderModelToPng and the tests.
bool renderLoadedModel(const RenderOptions& options);

// Writes the view rectangle of the frame buffer as an 8-bit RGB PNG. The file
// is replaced only once the whole picture is written.
bool writeViewPng(const std::string& path);

// The side of a thumbnail in pixels.
constexpr int THUMBNAIL_MIN_SIZE = 16;
constexpr int THUMBNAIL_MAX_SIZE = 1024;

// Draws `input` as the editor shows it right after opening it (start camera
// and view in an 800 x 600 window; textures when its texture is found beside
// it) without the corner icons, fits the car into `size` x `size` pixels and
// writes that as a PNG. False after a one-line message, with no file written.
bool thumbnailToPng(const std::string& input, const std::string& output, int size);
