// Undo and redo: a ring of 64 snapshots of the model, taken after every
// completed edit. The history belongs to one panel page and holds only what
// that page's tools change:
//   Parts     the whole model (a file) and the part selection (a record)
//   Surfaces  part vertex counts, groups, triangles, vertices, damaged
//             vertices and vertex flags (a file)
//   Dummies   the dummies (a record)      Colors  the colour presets (a record)
//   Textures  triangles and vertex flags (a file)
// The Camera/Light page keeps no history. Records live in a block taken when
// the history starts; files go to the editor's own undo folder.
//
// A restore checks the whole snapshot before it changes anything: one that
// cannot be read, or that holds what the model cannot hold, leaves the model
// and the ring as they were.
#pragma once

#include <cstdint>
#include <string>

constexpr int UNDO_SLOTS = 64;

struct UndoState {
    uint32_t slotValid[UNDO_SLOTS] = {};
    uint32_t current = 0;   // the slot of the state now shown
    uint32_t writeSlot = 0; // the slot the latest snapshot went to
    int page = 0;           // the page whose history this is
    uint8_t* records = nullptr;
    bool noMemory = false;                 // the page keeps records but could not get their block
    bool canUndo = false, canRedo = false; // what the Undo and Redo commands offer
    std::string folder;                    // where snapshot files go
};

extern UndoState undo;

// The folder of the snapshot files; "" keeps no files (their pages then take
// no snapshots).
void setUndoFolder(const std::string& folder);
std::string snapshotPath(int slot);

// Starts an empty history for `page`, taking the block of its records.
void beginUndoHistory(int page);
// Ends the history: frees the records and deletes the snapshot files.
void endUndoHistory();
// Stores the model as the page shows it after the current slot; false (after
// the messages) when it could not. Sets model.modelModified unless noModify.
bool takeSnapshot(bool noModify);
// One step back or forward; false when there is none or its snapshot could
// not be restored ("Data couldn't be restored!"): then nothing changed.
bool undoStep();
bool redoStep();
// Deletes the file of `slot`, or of all 64 slots for -1.
void deleteSnapshotFiles(int slot);
