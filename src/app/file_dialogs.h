// The editor's file dialogs: one description each (title, filters, default
// extension). They start in the current folder, which the settings set to
// the folder of the last car. The texture loader names its own dialog
// ("Open TGA texture file:", "TGA Graphic File") through the message service.
#pragma once

#include <string>

enum FileDialog {
    DIALOG_FCE_OPEN,    // "Open NFS4 FCE file:"
    DIALOG_FCE_SAVE,    // "Save NFS4 FCE file as:"
    DIALOG_PART_EXPORT, // "Export part as:"
    DIALOG_PART_IMPORT, // "Import part:"
};

// Runs the dialog with `name` as the suggested file; the chosen path, or ""
// when the user cancels.
std::string runFileDialog(FileDialog dialog, const std::string& name);
