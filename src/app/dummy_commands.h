// The Dummies and Colors pages' controls: the dummy and preset lists, the
// code and name lists, copy and delete, the two insert buttons, the layer
// buttons, and the hue bar and colour square.
#pragma once

// Whether `id` is one of them on the page shown.
bool isDummyOrColorControl(int id);
// Runs it: 1 when the view must be drawn again (an edit also sets
// app.snapshotPending), else 0.
int dummyOrColorCommand(int id, int notifyCode);
