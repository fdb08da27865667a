// Export and import of single parts from the editor.
#include "app/exchange_commands.h"

#include "app/app_state.h"
#include "app/file_dialogs.h"
#include "app/main_window.h"
#include "app/navigation.h"
#include "app/panels.h"
#include "exchange/part_exchange.h"
#include "model/car_model.h"
#include "model/messages.h"
#include "platform/window_system.h"

#include <sys/stat.h>

namespace {

ExchangeFormat chosenFormat() {
    const int filter = windows().chosenFileFilter();
    return filter >= EXCHANGE_PART_FILE && filter <= EXCHANGE_DXF ? ExchangeFormat(filter)
                                                                  : EXCHANGE_PART_FILE;
}

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

bool hasCurrentPart() {
    return model.modelLoaded && int(model.selectedPart) < model.header.numParts;
}

} // namespace

bool exportPartCommand() {
    if (!hasCurrentPart()) return false;
    const int part = int(model.selectedPart);
    stopDriverTest(); // the rest pose is what gets written
    const std::string chosen = runFileDialog(
        DIALOG_PART_EXPORT, proposedExportName(app.exchangePath, model.fcePath,
                                               nameString(model.header.partNames[part])));
    if (chosen.empty()) return false;
    const ExchangeFormat format = chosenFormat();
    const std::string path = exportFileName(chosen, format);
    // The dialog asked about the name it saw; a new extension names another file.
    if (path != chosen && exists(path) &&
        !askOkCancel(path + " already exists.\nDo you want to replace it?"))
        return false;
    app.exchangePath = path;
    return exportPart(part, format, path, textureTitle(model.texturePath));
}

bool importPartCommand() {
    if (!hasCurrentPart()) return false;
    const std::string path =
        runFileDialog(DIALOG_PART_IMPORT, importStartName(app.exchangePath, model.fcePath));
    if (path.empty()) return false;
    // A file named as one of the three types is read as that type, whatever
    // the filter showed.
    const int named = exchangeFormatOf(path);
    const ExchangeFormat format = named ? ExchangeFormat(named) : chosenFormat();
    app.exchangePath = path;
    stopDriverTest();
    if (!importPart(int(model.selectedPart), format, path)) return false;
    refreshPartFields();
    app.snapshotPending = true;
    return true;
}
