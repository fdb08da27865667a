// The controller of the side panel: what each panel control does to the
// camera, the light and the part list, and whether the view must be drawn
// again afterwards.
#pragma once

// Handles one notification of a panel control (a button, a list, the slider).
// notifyCode is the list notification (NOTIFY_SELECTION, NOTIFY_DOUBLE_CLICK)
// or, for the slider, the scroll request; value is the slider's thumb
// position. Returns 1 when the view must be transformed and drawn again; an
// edit also sets app.snapshotPending. Controls it does not know return 0.
int handlePanelCommand(int controlId, int notifyCode, int value);
