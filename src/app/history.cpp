// Undo history of the page shown, driven by the window's events.
#include "app/history.h"

#include "app/app_state.h"
#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/menu.h"
#include "app/navigation.h"
#include "app/panels.h"
#include "model/car_model.h"
#include "render/render.h"
#include "texture/tint.h"
#include "undo/undo_store.h"

namespace {

void updateUndoCommands() {
    setMenuGrayed(CMD_UNDO, !undo.canUndo);
    setMenuGrayed(CMD_REDO, !undo.canRedo);
    setButtonState(1203, undo.canUndo ? BUTTON_UP : BUTTON_DISABLED);
    setButtonState(1204, undo.canRedo ? BUTTON_UP : BUTTON_DISABLED);
}

void refreshRestoredPage() {
    switch (undo.page) {
    case PAGE_PARTS:
        refreshPartFields();
        break;
    case PAGE_SURFACES:
        refreshGroupList();
        refreshSurfaceFlags();
        break;
    case PAGE_DUMMIES:
        refreshDummyFields(true, true);
        break;
    case PAGE_COLORS:
        refreshColorPresets(true);
        tintTexture(int(model.selectedColor));
        break;
    case PAGE_TEXTURES:
        refreshSurfaceFlags();
        break;
    }
}

} // namespace

void restartHistory(int page) {
    stopDriverTest(); // its pose is no edit and never reaches a snapshot
    endUndoHistory();
    beginUndoHistory(page);
    takeSnapshot(true);
    app.snapshotPending = false;
    updateUndoCommands();
}

void endHistory() {
    endUndoHistory();
    beginUndoHistory(PAGE_CAMERA_LIGHT);
    app.snapshotPending = false;
    updateUndoCommands();
}

void snapshotAfterEdit() {
    if (!app.snapshotPending || !model.modelLoaded) return;
    stopDriverTest();
    if (takeSnapshot(false)) app.snapshotPending = false;
    updateUndoCommands();
}

void undoCommand(bool redo) {
    stopAnimation();
    if (!(redo ? redoStep() : undoStep())) return;
    app.snapshotPending = false;
    updateUndoCommands();
    refreshRestoredPage();
    transformAndDraw();
    invalidateView();
}
