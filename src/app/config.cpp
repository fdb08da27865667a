// Reading and writing the configuration record.
//
// Everything read from the file is input like any other: a field whose value
// the program cannot use (view flags the view modes never combine, an angle
// outside a turn, a light share outside 0..1, a texture size other than 256
// or 512, drag target 3, a float that is not a number) keeps its default.
//
// The last folder is stored without its final '/' ("/" for the root), and
// read back as the folder the file dialogs start in.
#include "app/config.h"

#include "app/app_state.h"
#include "editing/rebuild.h"
#include "model/car_model.h"
#include "model/file_io.h"
#include "render/camera.h"
#include "render/light.h"
#include "render/render_state.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

AppState app;
PanelState panel;

namespace {
ConfigRecord record; // keeps the last folder read when no model was opened since

bool validAngle(int32_t a) { return a >= 0 && a < 1440; }
bool validShare(double v) {
    return v >= 0.0 && v <= 1.0;
}

// Exactly one of solid and textures may be on, or neither with wireframes on;
// only the known flags may be set.
bool validViewFlags(uint32_t f) {
    const uint32_t modes = f & (VIEW_WIREFRAME | VIEW_SOLID | VIEW_TEXTURES);
    const uint32_t known = VIEW_WIREFRAME | VIEW_SOLID | VIEW_TEXTURES | VIEW_NORMALS |
                           VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT;
    return (f & ~known) == 0 && modes != 0 &&
           (modes & (VIEW_SOLID | VIEW_TEXTURES)) != (VIEW_SOLID | VIEW_TEXTURES);
}

// The folder of the file the FCE dialogs last named: everything before its
// last '/', or "/" for a file in the root. "" when there is none to store.
std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}
} // namespace

std::string defaultConfigPath() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = ".";
    return (base / "vornix" / "Vornix.cfg").string();
}

void fillConfigRecord(ConfigRecord& r) {
    r.headerWord = CONFIG_HEADER_WORD;
    r.recordSize = sizeof(ConfigRecord);
    // A path without a folder, or a folder too long for the field, leaves the
    // field as it was.
    const std::string folder = folderOf(app.fceDialogPath);
    if (!folder.empty() && folder.size() < sizeof r.lastFolder) {
        std::memset(r.lastFolder, 0, sizeof r.lastFolder);
        std::memcpy(r.lastFolder, folder.data(), folder.size());
    }
    r.lastFolder[255] = '\0';
    r.viewFlags = render.viewFlags;
    r.lightFollowsCamera = light.lightFollowsCamera;
    r.partCentred = camera.partCentred;
    r.dragTarget = uint32_t(panel.dragTarget);
    std::memcpy(r.axisLocks, panel.axisLock, 4);
    r.moveOriginOnly = panel.moveOriginOnly;
    r.weldTolerance = editSettings.weldTolerance;
    r.lightPitch = light.lightPitch;
    r.lightYaw = light.lightYaw;
    for (int i = 0; i < 3; ++i) r.lightDir[i] = light.lightDir[i];
    r.lightDiffuse = light.lightDiffuse;
    r.lightAmbient = light.lightAmbient;
    r.renderCacheValid = model.renderCacheValid;
    r.centerOnLoad = model.centerOnLoad;
    r.textureViewSize = render.textureViewSize;
    r.contextHelp = app.contextHelpOn;
}

void readConfig() {
    fillConfigRecord(record);
    record.centerOnLoad = 1;
    record.contextHelp = 1;
    std::string bytes;
    int64_t size = 0;
    bool applied = false;
    if (readFileStart(app.configPath, sizeof(ConfigRecord), bytes, size)) {
        std::memcpy(&record, bytes.data(), bytes.size());
        applied = !bytes.empty();
    } else if (errno == EISDIR || notARegularFile()) {
        // A missing file is the first run; something else in its place is
        // worth a word, as it will not be replaced either.
        reportFileError(app.configPath);
    }
    if (applied) {
        record.lastFolder[255] = '\0';
        if (record.lastFolder[0] != '\0') {
            const std::string folder = record.lastFolder;
            app.fceDialogPath = folder.back() == '/' ? folder : folder + "/";
            if (chdir(record.lastFolder) != 0) { /* a folder that is gone is no matter */ }
        }
        if (validViewFlags(record.viewFlags)) render.viewFlags = record.viewFlags;
        light.lightFollowsCamera = record.lightFollowsCamera & 1;
        camera.partCentred = record.partCentred & 1;
        if ((record.dragTarget & 3) != 3) panel.dragTarget = int(record.dragTarget & 3);
        render.lightMode = panel.dragTarget == DRAG_ROTATE_LIGHT; // the light symbol shows
        for (int i = 0; i < 3; ++i) panel.axisLock[i] = record.axisLocks[i] & 1;
        panel.axisLock[3] = record.axisLocks[3];
        panel.moveOriginOnly = record.moveOriginOnly & 1;
        if (usableWeldTolerance(record.weldTolerance))
            editSettings.weldTolerance = record.weldTolerance;
        if (validAngle(record.lightPitch)) light.lightPitch = record.lightPitch;
        if (validAngle(record.lightYaw)) light.lightYaw = record.lightYaw;
        for (int i = 0; i < 3; ++i)
            if (std::isfinite(record.lightDir[i])) light.lightDir[i] = record.lightDir[i];
        if (validShare(record.lightDiffuse)) light.lightDiffuse = record.lightDiffuse;
        if (validShare(record.lightAmbient)) light.lightAmbient = record.lightAmbient;
        if (record.textureViewSize == 256 || record.textureViewSize == 512)
            render.textureViewSize = record.textureViewSize;
    }
    // No model is loaded while the settings are read: the shades are always
    // computed afresh, whatever the file says.
    model.renderCacheValid = false;
    model.centerOnLoad = record.centerOnLoad != 0;
    app.contextHelpOn = record.contextHelp != 0;
}

void writeConfig() {
    fillConfigRecord(record);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(app.configPath).parent_path(),
                                        ignored);
    writeWholeFile(app.configPath, &record, sizeof record);
}
