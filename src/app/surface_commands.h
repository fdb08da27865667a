// The Surfaces page's controls: the angle slider, the group and flag lists,
// the driver-movement box and its test, and the group buttons.
#pragma once

// Whether `id` is one of them (the slider only on the Surfaces page).
bool isSurfaceControl(int id);
// Runs the control's operation on the current part: 1 when the view must be
// drawn again (an edit also sets app.snapshotPending), else 0.
int surfaceCommand(int id, int notifyCode, int value);
