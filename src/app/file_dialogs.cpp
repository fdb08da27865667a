// The file dialogs' descriptions.
#include "app/file_dialogs.h"

#include "app/main_window.h"
#include "platform/window_system.h"

#include <utility>
#include <vector>

namespace {

using Filters = std::vector<std::pair<std::string, std::string>>;

struct DialogDescription {
    const char* title;
    bool save;
    const char* extension;
    bool partFiles; // the part file filters, else the FCE one
};

const DialogDescription descriptions[] = {
    {"Open NFS4 FCE file:", false, "fce", false},
    {"Save NFS4 FCE file as:", true, "fce", false},
    {"Export part as:", true, "ffp", true},
    {"Import part:", false, "ffp", true},
};

const Filters& filtersOf(bool partFiles) {
    static const Filters fce = {{"NFS4 FCE files", "*.fce"}};
    // The first name ends with a blank, as the dialog has always shown it.
    static const Filters parts = {
        {"Vornix Partfile ", "*.ffp"}, {"Wavefront OBJ", "*.obj"}, {"AutoCAD DXF", "*.dxf"}};
    return partFiles ? parts : fce;
}

} // namespace

std::string runFileDialog(FileDialog dialog, const std::string& name) {
    const DialogDescription& d = descriptions[dialog];
    WindowSystem& ws = windows();
    return d.save ? ws.saveFileDialog(d.title, filtersOf(d.partFiles), name, d.extension)
                  : ws.openFileDialog(d.title, filtersOf(d.partFiles), name);
}
