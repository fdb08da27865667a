// Frame preparation: everything a redraw needs before drawing, in order:
// light that follows the camera, vertex shades, the light symbol, the driver
// swing, the view matrix, every vertex slot transformed and projected, the
// overlays' points, the normal lines, the eye point and the draw list.
#pragma once

void prepareFrame();
