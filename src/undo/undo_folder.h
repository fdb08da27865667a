// The folder of an editor's undo snapshots: one per running editor, under the
// temporary folder, named vornix-undo-<process id>-XXXXXX. The process id in
// the name tells whose folder it is, so that an editor starting up can remove
// the folders that editors which crashed or were killed left behind, and
// never touches the folder of an editor that still runs.
#pragma once

#include <string>

// Makes this editor's folder in `tempFolder`; "" when it cannot.
std::string createUndoFolder(const std::string& tempFolder);
void removeUndoFolder(const std::string& folder);
// Removes the undo folders in `tempFolder` whose editor no longer runs and
// returns how many it removed.
int removeOrphanedUndoFolders(const std::string& tempFolder);
