// The texture-mapping view: the texture at the left of the view (full size or
// half), the 3D picture moved to its right, and the selected triangles of the
// selected part drawn in texture space.
#pragma once

constexpr int TEXTURE_PANEL_LARGE = 512;
constexpr int TEXTURE_PANEL_SMALL = 256;

void drawTextureMappingView();
