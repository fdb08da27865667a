// Reading and writing the configuration record.
//
// Everything read from the file is input like any other: a field whose value
// the program cannot use (an angle outside a turn, a texture size other than
// 256 or 512, drag target 3, a float that is not a number) keeps its default.
#include "app/config.h"

#include "app/app_state.h"
#include "model/car_model.h"
#include "render/camera.h"
#include "render/light.h"
#include "render/render_state.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

AppState app;
PanelState panel;

namespace {
ConfigRecord record; // keeps the last folder read when no model was opened since

bool validAngle(int32_t a) { return a >= 0 && a < 1440; }
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
    // The folder of the current model file: its path up to and including the
    // last separator. A path too short to hold a folder leaves the field alone.
    const std::string& path = app.fceDialogPath;
    if (path.size() >= 8) {
        const size_t copied = std::min<size_t>(path.size(), 255);
        std::memcpy(r.lastFolder, path.data(), copied);
        size_t i = copied;
        while (i > 7 && r.lastFolder[i] != '/') r.lastFolder[i--] = '\0';
    }
    r.lastFolder[255] = '\0';
    r.viewFlags = render.viewFlags;
    r.lightFollowsCamera = light.lightFollowsCamera;
    r.partCentred = camera.partCentred;
    r.dragTarget = uint32_t(panel.dragTarget);
    std::memcpy(r.axisLocks, panel.axisLock, 4);
    r.moveOriginOnly = panel.moveOriginOnly;
    r.weldTolerance = panel.weldTolerance;
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
    std::ifstream in(app.configPath, std::ios::binary);
    bool applied = false;
    if (in) {
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        in.seekg(0);
        const std::streamsize wanted =
            std::streamsize(std::min<std::streamoff>(size, sizeof(ConfigRecord)));
        if (size > 0 && in.read(reinterpret_cast<char*>(&record), wanted) && in.gcount() == wanted)
            applied = true;
    }
    if (applied) {
        record.lastFolder[255] = '\0';
        if (record.lastFolder[0] != '\0') {
            app.fceDialogPath = record.lastFolder;
            if (chdir(record.lastFolder) != 0) { /* a folder that is gone is no matter */ }
        }
        render.viewFlags = record.viewFlags;
        light.lightFollowsCamera = record.lightFollowsCamera & 1;
        camera.partCentred = record.partCentred & 1;
        if ((record.dragTarget & 3) != 3) panel.dragTarget = int(record.dragTarget & 3);
        render.lightMode = panel.dragTarget == DRAG_ROTATE_LIGHT; // the light symbol shows
        for (int i = 0; i < 3; ++i) panel.axisLock[i] = record.axisLocks[i] & 1;
        panel.axisLock[3] = record.axisLocks[3];
        panel.moveOriginOnly = record.moveOriginOnly & 1;
        if (std::isfinite(record.weldTolerance)) panel.weldTolerance = record.weldTolerance;
        if (validAngle(record.lightPitch)) light.lightPitch = record.lightPitch;
        if (validAngle(record.lightYaw)) light.lightYaw = record.lightYaw;
        for (int i = 0; i < 3; ++i)
            if (std::isfinite(record.lightDir[i])) light.lightDir[i] = record.lightDir[i];
        if (std::isfinite(record.lightDiffuse)) light.lightDiffuse = record.lightDiffuse;
        if (std::isfinite(record.lightAmbient)) light.lightAmbient = record.lightAmbient;
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
    std::ofstream out(app.configPath, std::ios::binary | std::ios::trunc);
    if (out) out.write(reinterpret_cast<const char*>(&record), sizeof record);
}
