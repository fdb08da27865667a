// Keyboard navigation of the 3D view and stopping continuous motion.
#pragma once

// Arrow keys, Page Up/Down and End (commands 1110..1116). Returns 1 when the
// view must be drawn again (only the axis views change the camera at once).
int keyNavigate(int id);

// Stops every continuous motion, putting a swinging driver back at rest.
void stopAnimation();
// Stops the driver's test swing alone, putting the rest pose back.
void stopDriverTest();
