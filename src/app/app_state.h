// State of the editor shell: where its data files are, what the window shows
// besides the model, and the options of the side panel that persist between
// runs. One record each (`app`, `panel`); assigning a fresh one returns it to
// start-up.
#pragma once

#include <cstdint>
#include <string>

struct AppState {
    std::string appDir;        // folder of help pages and help.dat
    std::string configPath;    // the configuration file
    std::string fceDialogPath; // name of the FCE dialogs: the current model file
    std::string exchangePath;  // the last part file exported or imported
    bool snapshotPending = false;
    bool aboutShown = false;
    bool contextHelpOn = true;
    int tooltipButton = 0; // index + 1 of the button whose help line is shown
    bool panelListsCreated = false; // the lists are made on the first successful load
};

// Drag targets of the Camera/Light page.
constexpr int DRAG_MOVE_CAMERA = 0;
constexpr int DRAG_ROTATE_CAMERA = 1;
constexpr int DRAG_ROTATE_LIGHT = 2;

struct PanelState {
    int dragTarget = DRAG_ROTATE_CAMERA;
    uint8_t axisLock[4] = {1, 1, 1, 0}; // X, Y, Z may move; the fourth byte is carried
    bool moveOriginOnly = false;
    int selectionTool = 0;
};

extern AppState app;
extern PanelState panel;
