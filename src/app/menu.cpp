// Menu commands and view modes.
#include "app/menu.h"

#include "app/app_state.h"
#include "app/buttons.h"
#include "app/config.h"
#include "app/control_ids.h"
#include "app/file_dialogs.h"
#include "app/help.h"
#include "app/history.h"
#include "app/mapping_commands.h"
#include "app/main_window.h"
#include "app/navigation.h"
#include "app/panels.h"
#include "editing/rebuild.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/messages.h"
#include "render/render_state.h"
#include "texture/texture.h"
#include "texture/tint.h"

namespace {

// The maker's page that Info > "Tarvane on the internet" opens.
constexpr const char* WEB_PAGE = "https://tarvane.example/vornix";

void toggleCenterOnLoad() {
    model.centerOnLoad = !model.centerOnLoad;
    setMenuChecked(CMD_CENTER_ON_LOAD, model.centerOnLoad);
}

void afterViewChange(bool transform) {
    updateViewChecks();
    if (!model.modelLoaded) {
        invalidateView();
        return;
    }
    if (transform)
        transformAndDraw();
    else
        drawOnly();
    invalidateView();
}

void setViewMode(int id) {
    uint32_t& f = render.viewFlags;
    switch (id) {
    case CMD_WIREFRAMES:
        if (f & VIEW_WIREFRAME) {
            f &= ~VIEW_WIREFRAME;
            if (!(f & (VIEW_SOLID | VIEW_TEXTURES))) f |= VIEW_SOLID;
        } else {
            f |= VIEW_WIREFRAME;
        }
        break;
    case CMD_SOLID:
        if (f & VIEW_SOLID) {
            f = (f & ~VIEW_SOLID) | VIEW_WIREFRAME;
        } else {
            f = (f | VIEW_SOLID) & ~VIEW_TEXTURES;
        }
        break;
    case CMD_TEXTURES:
        if (f & VIEW_TEXTURES) {
            f = (f & ~VIEW_TEXTURES) | VIEW_WIREFRAME;
        } else if (model.textureLoaded) {
            f = (f | VIEW_TEXTURES) & ~VIEW_SOLID;
        }
        break;
    }
    afterViewChange(false);
}

void setWindowMode(int id) {
    uint32_t& f = render.viewFlags;
    if (id == CMD_TRANSPARENT_WINDOWS) f |= VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT;
    if (id == CMD_SOLID_WINDOWS) f = (f | VIEW_WINDOWS) & ~VIEW_WINDOWS_TRANSPARENT;
    if (id == CMD_HIDE_WINDOWS) f &= ~(VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT);
    afterViewChange(true);
}

// File > Open; a dropped file stands in for the dialog's answer.
void openCommand(const std::string* dropped = nullptr) {
    cancelMappingEdit();
    if (unsavedChangesQuestion()) {
        const std::string path =
            dropped ? *dropped : runFileDialog(DIALOG_FCE_OPEN, app.fceDialogPath);
        if (!path.empty()) {
            stopAnimation();
            if (!model.modelLoaded) {
                setMenuChecked(CMD_PAGE_FIRST, true);
                setMenuChecked(CMD_SOLID, true);
            }
            openModelFile(path);
        }
    }
    syncToolbarWithMenu();
    invalidateView();
}

void saveAsCommand() {
    const std::string path = runFileDialog(DIALOG_FCE_SAVE, app.fceDialogPath);
    if (path.empty()) return;
    app.fceDialogPath = path;
    // The chosen name becomes the current file only once the car is in it.
    if (saveModelAs(path)) model.fcePath = path;
}

void switchPage(int newPage) {
    stopAnimation();
    const int oldPage = render.page;
    showPage(oldPage, false);
    if (oldPage == PAGE_COLORS) restoreTexture();
    render.page = newPage;
    updatePageChecks();
    showPage(newPage, true);
    if (newPage == PAGE_COLORS) {
        if (!(render.viewFlags & VIEW_TEXTURES)) {
            showMessage("Colors can only be displayed on textures.");
            if (model.textureLoaded) {
                render.viewFlags = (render.viewFlags | VIEW_TEXTURES) & ~VIEW_SOLID;
                updateViewChecks();
            }
        }
        tintTexture(int(model.selectedColor));
    }
    // The Surfaces page works on vertices shared by the smoothing rules: a
    // part not rebuilt yet is rebuilt first, or the page is not opened.
    const uint32_t p = model.selectedPart;
    if (newPage == PAGE_SURFACES && p < uint32_t(model.header.numParts) &&
        !(model.partFlags[p] & PART_NORMALS_READY)) {
        if (!askOkCancel("The normals of the selected part have to be initalized.")) {
            showPage(newPage, false);
            render.page = oldPage;
            updatePageChecks();
            showPage(oldPage, true);
            if (oldPage == PAGE_COLORS) tintTexture(int(model.selectedColor));
            return;
        }
        rebuildPartVertices(int(p));
    }
    restartHistory(newPage);
    model.renderCacheValid = false;
    transformAndDraw();
    invalidateView();
}

void contextHelpCommand() {
    app.contextHelpOn = !app.contextHelpOn;
    setMenuChecked(CMD_CONTEXT_HELP, app.contextHelpOn);
    if (!app.contextHelpOn) hideButtonHelp();
}

} // namespace

const std::vector<MenuEntry>& menuEntries() {
    static const std::vector<MenuEntry> entries = {
        {"&File", CMD_OPEN, "Open...\tStrg-O", false},
        {nullptr, CMD_SAVE, "Save\tStrg-S", true},
        {nullptr, CMD_SAVE_AS, "Save as...", true},
        {nullptr, 0, nullptr, false},
        {nullptr, CMD_CENTER_ON_LOAD, "Onload center model", false},
        {nullptr, 0, nullptr, false},
        {nullptr, CMD_QUIT, "Quit\tStrg-Q", false},
        {"&Edit", CMD_UNDO, "Undo\tStrg-Z", true},
        {nullptr, CMD_REDO, "Redo\tStrg-Y", true},
        {nullptr, 0, nullptr, false},
        {nullptr, 1008, "Camera/Light\tF5", true},
        {nullptr, 1009, "Parts\tF6", true},
        {nullptr, 1010, "Surfaces\tF7", true},
        {nullptr, 1011, "Dummies\tF8", true},
        {nullptr, 1012, "Colors\tF9", true},
        {nullptr, 1013, "Textures\tF10", true},
        {"&View", CMD_WIREFRAMES, "Wireframes\tStrg-W", true},
        {nullptr, CMD_SOLID, "Solid\tStrg-L", true},
        {nullptr, CMD_TEXTURES, "Textures\tStrg-T", true},
        {nullptr, CMD_NORMALS, "Normals\tStrg-N", true},
        {nullptr, 0, nullptr, false},
        {nullptr, CMD_TRANSPARENT_WINDOWS, "Transparent Windows", true},
        {nullptr, CMD_SOLID_WINDOWS, "Solid Windows", true},
        {nullptr, CMD_HIDE_WINDOWS, "Hide Windows", true},
        {"&Info", CMD_ABOUT, "About Vornix...\tStrg-I", false},
        {nullptr, 0, nullptr, false},
        {nullptr, CMD_HELP, "Help\tF1", false},
        {nullptr, CMD_CONTEXT_HELP, "Context Help", false},
        {nullptr, 0, nullptr, false},
        {nullptr, CMD_WEB_LINK, "Tarvane on the internet", false},
    };
    return entries;
}

const std::vector<Accelerator>& accelerators() {
    static const std::vector<Accelerator> table = {
        {ACCEL_LETTER, 'O', CMD_OPEN},
        {ACCEL_LETTER, 'S', CMD_SAVE},
        {ACCEL_LETTER, 'Q', CMD_QUIT},
        {ACCEL_LETTER, 'Z', CMD_UNDO},
        {ACCEL_LETTER, 'Y', CMD_REDO},
        {ACCEL_LETTER, 'W', CMD_WIREFRAMES},
        {ACCEL_LETTER, 'L', CMD_SOLID},
        {ACCEL_LETTER, 'T', CMD_TEXTURES},
        {ACCEL_LETTER, 'N', CMD_NORMALS},
        {ACCEL_LETTER, 'I', CMD_ABOUT},
        {ACCEL_TAB, 0, CMD_NEXT_CAMERA},
        {ACCEL_F5, 0, 1008},
        {ACCEL_F6, 0, 1009},
        {ACCEL_F7, 0, 1010},
        {ACCEL_F8, 0, 1011},
        {ACCEL_F9, 0, 1012},
        {ACCEL_F10, 0, 1013},
        {ACCEL_F1, 0, CMD_HELP},
        {ACCEL_RIGHT, 0, CMD_KEY_RIGHT},
        {ACCEL_LEFT, 0, CMD_KEY_LEFT},
        {ACCEL_DOWN, 0, CMD_KEY_DOWN},
        {ACCEL_UP, 0, CMD_KEY_UP},
        {ACCEL_PAGE_UP, 0, CMD_KEY_PAGE_UP},
        {ACCEL_PAGE_DOWN, 0, CMD_KEY_PAGE_DOWN},
        {ACCEL_END, 0, CMD_KEY_END},
    };
    return table;
}

void setMenuGrayed(int id, bool grayed) {
    WindowSystem& ws = windows();
    ws.setMenuState(id, (ws.menuState(id) & MENU_CHECKED) | (grayed ? MENU_GRAYED : 0));
}

void setMenuChecked(int id, bool checked) {
    WindowSystem& ws = windows();
    ws.setMenuState(id, (ws.menuState(id) & MENU_GRAYED) | (checked ? MENU_CHECKED : 0));
}

bool menuGrayed(int id) {
    return windows().menuState(id) & MENU_GRAYED;
}

void grayModelCommands(bool grayed) {
    setMenuGrayed(CMD_SAVE, grayed);
    setMenuGrayed(CMD_SAVE_AS, grayed);
    for (int id = CMD_PAGE_FIRST; id <= CMD_HIDE_WINDOWS; ++id) setMenuGrayed(id, grayed);
}

void updateViewChecks() {
    const uint32_t f = render.viewFlags;
    for (int i = 0; i < 4; ++i) {
        const bool on = f & (1u << i);
        setMenuChecked(CMD_WIREFRAMES + i, on);
        setButtonState(1237 + i, on ? BUTTON_DOWN : BUTTON_UP);
    }
    const bool shown = f & VIEW_WINDOWS, transparent = f & VIEW_WINDOWS_TRANSPARENT;
    setMenuChecked(CMD_TRANSPARENT_WINDOWS, shown && transparent);
    setMenuChecked(CMD_SOLID_WINDOWS, shown && !transparent);
    setMenuChecked(CMD_HIDE_WINDOWS, !shown);
}

void updatePageChecks() {
    for (int i = 0; i < 6; ++i) {
        setMenuChecked(CMD_PAGE_FIRST + i, i == render.page);
        setButtonState(1231 + i, i == render.page ? BUTTON_DOWN : BUTTON_UP);
    }
}

void syncToolbarWithMenu() {
    WindowSystem& ws = windows();
    const int pairs[4][2] = {
        {1201, CMD_SAVE}, {1202, CMD_SAVE_AS}, {1203, CMD_UNDO}, {1204, CMD_REDO}};
    for (const auto& pair : pairs)
        setButtonState(pair[0], ws.menuState(pair[1]) == MENU_GRAYED ? BUTTON_DISABLED : BUTTON_UP);
    for (int item = CMD_PAGE_FIRST; item <= CMD_NORMALS; ++item) {
        const int state = ws.menuState(item);
        if (state == MENU_ENABLED) setButtonState(item + 223, BUTTON_UP);
        if (state == MENU_CHECKED) setButtonState(item + 223, BUTTON_DOWN);
        if (state == MENU_GRAYED) setButtonState(item + 223, BUTTON_DISABLED);
    }
}

void updateMappingModeControls() {
    const bool mapping = render.textureMappingActive;
    for (int id = CMD_OPEN; id <= CMD_ABOUT; ++id) {
        if (id == 1007 || id == 1021) continue;
        bool grayed = mapping;
        if (!mapping && id == CMD_UNDO) grayed = buttonStateOf(1203) == BUTTON_DISABLED;
        if (!mapping && id == CMD_REDO) grayed = buttonStateOf(1204) == BUTTON_DISABLED;
        setMenuGrayed(id, grayed);
    }
    WindowSystem& ws = windows();
    for (int id : {1200, 1201, 1202, 1203, 1204}) ws.showControl(id, !mapping);
    for (int id = 1231; id <= 1240; ++id) ws.showControl(id, !mapping);
    for (int id : {1226, 1227, 1229, 1230, 1273, 1274, 1275}) ws.showControl(id, mapping);
}

bool saveModel() {
    return saveModelAs(model.fcePath);
}

bool saveModelAs(const std::string& path) {
    // Without a model there is nothing to save, and after a failed Open no
    // file to save it to: the path went with the model.
    if (!model.modelLoaded || path.empty()) return false;
    stopDriverTest(); // the swing's pose never reaches a file
    if (!saveFceFile(path)) return false;
    model.modelModified = false;
    restartHistory(render.page);
    return true;
}

bool unsavedChangesQuestion() {
    if (!model.modelModified) return true;
    switch (askYesNoCancel("Save FCE file before closing?")) {
    case ANSWER_YES:
        return saveModel();
    case ANSWER_NO:
        return true;
    default:
        return false;
    }
}

void quitEditor() {
    // Uncommitted mapped coordinates are never saved: the edit is cancelled.
    cancelMappingEdit();
    stopAnimation();
    updateContinuousMode();
    if (!unsavedChangesQuestion()) return;
    writeConfig();
    windows().quit(0);
}

void openDroppedFile(const std::string& path) {
    openCommand(&path);
}

void handleMenuCommand(int id) {
    switch (id) {
    case CMD_OPEN:
        openCommand();
        break;
    case CMD_SAVE:
        stopAnimation();
        saveModel();
        break;
    case CMD_SAVE_AS:
        stopAnimation();
        saveAsCommand();
        break;
    case CMD_CENTER_ON_LOAD:
        toggleCenterOnLoad();
        break;
    case CMD_QUIT:
        quitEditor();
        break;
    case CMD_UNDO:
    case CMD_REDO:
        undoCommand(id == CMD_REDO);
        break;
    case CMD_WIREFRAMES:
    case CMD_SOLID:
    case CMD_TEXTURES:
        setViewMode(id);
        break;
    case CMD_NORMALS:
        render.viewFlags ^= VIEW_NORMALS;
        afterViewChange(true);
        break;
    case CMD_TRANSPARENT_WINDOWS:
    case CMD_SOLID_WINDOWS:
    case CMD_HIDE_WINDOWS:
        setWindowMode(id);
        break;
    case CMD_ABOUT:
        app.aboutShown = true;
        transformAndDraw();
        invalidateView();
        break;
    case CMD_HELP:
        openHelpPage();
        break;
    case CMD_CONTEXT_HELP:
        contextHelpCommand();
        break;
    case CMD_WEB_LINK:
        windows().openUrl(WEB_PAGE);
        break;
    default:
        if (id >= CMD_PAGE_FIRST && id < CMD_PAGE_FIRST + 6 && model.modelLoaded)
            switchPage(id - CMD_PAGE_FIRST);
        break;
    }
    updateContinuousMode();
}
