// What the editor tells the renderer about the screen it is on: the page
// shown, the view flags of the View menu, the tool modes that add overlays,
// and the length of the draw list the last frame built. All of it is the one
// record `render`; assigning a fresh RenderState puts it back to start-up.
#pragma once

#include <cstdint>

// The pages of the side panel, in panel order.
constexpr int PAGE_CAMERA_LIGHT = 0;
constexpr int PAGE_PARTS = 1;
constexpr int PAGE_SURFACES = 2;
constexpr int PAGE_DUMMIES = 3;
constexpr int PAGE_COLORS = 4;
constexpr int PAGE_TEXTURES = 5;

// Bits of viewFlags.
constexpr uint32_t VIEW_WIREFRAME = 1;
constexpr uint32_t VIEW_SOLID = 2;
constexpr uint32_t VIEW_TEXTURES = 4;
constexpr uint32_t VIEW_NORMALS = 8;
constexpr uint32_t VIEW_WINDOWS = 64;
constexpr uint32_t VIEW_WINDOWS_TRANSPARENT = 128;

// Modes of the surface selection tool in which a drag draws a rectangle.
constexpr int SELECTION_RECTANGLE_ADD = 1;
constexpr int SELECTION_RECTANGLE_REMOVE = 2;

struct RenderState {
    int page = PAGE_CAMERA_LIGHT;
    bool lightMode = false; // Camera/Light page: mouse drags move the light
    uint32_t viewFlags = VIEW_SOLID | VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT;

    // Surface selection tool: its mode, and the rubber band's corners in
    // frame pixels (bandX1 = 0: no rectangle).
    int selectionMode = 0;
    int bandX0 = 0, bandY0 = 0, bandX1 = 0, bandY1 = 0;

    bool textureMappingActive = false;
    int textureViewSize = 512; // 512 or 256

    // The view's corner icons are drawn; a picture of the car alone goes without.
    bool cornerIcons = true;

    int drawCount = 0; // entries of the draw list built by the last frame
};

extern RenderState render;

// Width of the texture panel: 512, or 256 for any other setting.
int texturePanelSize();

// 160 on the Dummies page, so that the dummy symbols stand out; else 255.
double shadeScale();
