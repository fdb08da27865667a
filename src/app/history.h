// The editor's side of undo and redo: when a page's history starts and ends,
// the snapshot after a handled edit, the Undo and Redo commands with their
// menu items and buttons, and the panels refreshed after a step.
#pragma once

// Ends the current history and starts an empty one for `page`, holding the
// model as it is now (the model counts as unchanged by it).
void restartHistory(int page);
// Ends the current history (on opening a model, failed or not, and on quitting).
void endHistory();
// After a handled event: stores the edit it completed, if any. An edit whose
// snapshot could not be stored still marks the model changed and is tried
// again after the next event.
void snapshotAfterEdit();
// Undo (or Redo with `redo`): one step, then the page's panels and the view.
void undoCommand(bool redo);
