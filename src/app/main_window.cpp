// The main window's logic.
//
// Start-up follows a fixed order: the window with its smallest size and its
// menu, settings, context help, the undo folder, every child control
// (hidden), the colour images, the 76 bitmap buttons with their pictures, the
// label pictures, the top strip, the frame buffer, the view size, the icon
// strip and the About picture, then the toolbar state.
// Commands from the menu, the accelerators and the controls all arrive in
// EditorEvents::command and are routed from there.
#include "app/main_window.h"

#include "app/app_state.h"
#include "app/buttons.h"
#include "app/config.h"
#include "app/control_ids.h"
#include "app/help.h"
#include "app/history.h"
#include "app/menu.h"
#include "app/mouse.h"
#include "app/navigation.h"
#include "app/owner_draw.h"
#include "app/panel_commands.h"
#include "app/panels.h"
#include "app/pictures.h"
#include "app/window_messages.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/file_io.h"
#include "model/messages.h"
#include "platform/window_system.h"
#include "render/render.h"
#include "texture/texture.h"
#include "undo/undo_folder.h"
#include "undo/undo_store.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

struct WindowLogic {
    WindowSystem* ws = nullptr;
    std::unique_ptr<WindowMessages> messages;
    int clientWidth = 0, clientHeight = 0;
    std::string undoDir;
};
WindowLogic logic;

// Controls of the window, created hidden in this order.
struct ControlSpec {
    int id;
    ControlKind kind;
    ClientRect rect;
    uint32_t style;
    const char* text;
};
const ControlSpec controlSpecs[] = {
    {ID_HEADER_LABEL_1, CONTROL_LABEL, {8, 48, 176, 16}, 0, ""},
    {ID_HEADER_LABEL_2, CONTROL_LABEL, {8, 48, 176, 16}, 0, ""},
    {ID_PART_NAME, CONTROL_FIELD, {8, 336, 176, 24}, STYLE_SUNKEN | STYLE_NOTIFY, ""},
    {ID_X, CONTROL_FIELD, {8, 368, 56, 24}, STYLE_CENTRED | STYLE_SUNKEN | STYLE_NOTIFY, ""},
    {ID_Y, CONTROL_FIELD, {68, 368, 56, 24}, STYLE_CENTRED | STYLE_SUNKEN | STYLE_NOTIFY, ""},
    {ID_Z, CONTROL_FIELD, {128, 368, 56, 24}, STYLE_CENTRED | STYLE_SUNKEN | STYLE_NOTIFY, ""},
    {ID_ANGLE, CONTROL_FIELD, {128, 368, 30, 24}, STYLE_CENTRED | STYLE_SUNKEN, ""},
    {ID_PART_INFO, CONTROL_FIELD, {8, 368, 140, 48}, STYLE_SUNKEN, ""},
    {ID_STATUS_LINE, CONTROL_LABEL, {192, 544, 608, 16}, 0, ""},
    {ID_GROUP_BOX_1, CONTROL_GROUP_BOX, {8, 48, 176, 64}, 0, ""},
    {ID_GROUP_BOX_2, CONTROL_GROUP_BOX, {8, 48, 176, 64}, 0, ""},
    {ID_GROUP_BOX_3, CONTROL_GROUP_BOX, {8, 48, 176, 64}, 0, ""},
    {ID_SLIDER, CONTROL_SLIDER, {16, 48, 160, 32}, 0, ""},
    {ID_DRIVER_MOVEMENT, CONTROL_CHECK_BOX, {16, 48, 160, 16}, 0, "Driver movement"},
    {ID_TEST, CONTROL_PUSH_BUTTON, {16, 48, 32, 16}, 0, "Test"},
    {ID_SWATCH, CONTROL_OWNER_STATIC, {0, 0, 128, 42}, STYLE_SUNKEN, ""},
};

std::string titleOf(const std::string& path) {
    std::string title = std::filesystem::path(path).filename().string();
    if (title.size() > 128) title.resize(128);
    return title;
}

void setWindowTitle() {
    logic.ws->setTitle(model.fileTitle.empty() ? "Vornix" : "Vornix: " + model.fileTitle);
}

void createControls() {
    WindowSystem& ws = *logic.ws;
    for (const ControlSpec& c : controlSpecs) ws.createControl(c.id, c.kind, c.rect, c.style, c.text);
    ws.setTextLook(ID_HEADER_LABEL_1, LOOK_HEADER);
    ws.setTextLook(ID_HEADER_LABEL_2, LOOK_HEADER);
    ws.setTextLook(ID_STATUS_LINE, LOOK_STATUS);
    ws.setTextLook(ID_TEST, LOOK_SMALL);

    fillHueBar();
    fillSquare(0);
    ws.createControl(ID_HUE_BAR, CONTROL_OWNER_BUTTON, {0, 0, 24, 182}, 0, "");
    ws.createControl(ID_SQUARE, CONTROL_OWNER_BUTTON, {0, 0, 130, 130}, 0, "");

    Picture picture;
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const int id = BUTTON_FIRST + i;
        ws.createControl(id, CONTROL_OWNER_BUTTON, {0, 0, 32, 32}, 0, "");
        std::vector<uint32_t> pixels(32 * 32, 0xC0C0C0u);
        if (loadPicture(app.appDir + "/pictures/button_" + std::to_string(id) + ".png", picture) &&
            picture.width == 32 && picture.height == 32)
            for (size_t k = 0; k < pixels.size(); ++k) pixels[k] = picture.pixels[k] & 0xFFFFFFu;
        setButtonPicture(id, pixels.data());
        buttons.state[i] = BUTTON_UP;
    }
    for (int i = 0; i < LABEL_COUNT; ++i) {
        const int id = LABEL_FIRST + i;
        ws.createControl(id, CONTROL_PICTURE, {0, 0, 160, 16}, 0, "");
        if (loadPicture(app.appDir + "/pictures/label_" + std::to_string(id) + ".png", picture))
            ws.setControlImage(id, picture.pixels.data(), picture.width, picture.height);
    }
    // The program's own cursors, with their hotspots.
    std::ifstream hotspots(app.appDir + "/pictures/cursors.txt");
    int cursorId, hotX, hotY;
    while (hotspots >> cursorId >> hotX >> hotY) {
        if ((cursorId == 1400 || cursorId == 1401) &&
            loadPicture(app.appDir + "/pictures/cursor_" + std::to_string(cursorId) + ".png",
                        picture) &&
            picture.width == 32 && picture.height == 32)
            ws.setCursorImage(cursorId == 1400 ? CURSOR_PROGRAM_1400 : CURSOR_PROGRAM_1401,
                              picture.pixels.data(), hotX, hotY);
    }
    if (loadPicture(app.appDir + "/pictures/vornix.png", picture))
        ws.setIcon(picture.pixels.data(), picture.width, picture.height);
}

// Undo snapshots live in a folder of this instance's own, so that two
// editors never touch each other's history; it is removed at exit. Folders
// left by editors that crashed or were killed go at the next start.
void makeUndoFolder() {
    std::error_code error;
    const std::string temp = std::filesystem::temp_directory_path(error).string();
    if (error) return;
    removeOrphanedUndoFolders(temp);
    logic.undoDir = createUndoFolder(temp);
    setUndoFolder(logic.undoDir);
}

void resizeView(int width, int height) {
    logic.clientWidth = width;
    logic.clientHeight = height;
    setViewSize(width, height);
    logic.ws->moveControl(BUTTON_HELP, {helpButtonX(frame.viewWidth), 8, 32, 32});
    camera.live.focalLength = focalFromFov(camera.live.fovDegrees);
    transformAndDraw();
}

bool commandFiltered(int id, bool fromControl) {
    if (!render.textureMappingActive) return false;
    if (fromControl) {
        for (int allowed : {1225, 1226, 1227, 1229, 1230, 1273, 1274, 1275})
            if (id == allowed) return false;
        return true;
    }
    return !(id == CMD_HELP || id == CMD_WEB_LINK || (id >= CMD_KEY_RIGHT && id <= CMD_KEY_UP));
}

bool isMenuCommand(int id) {
    return id >= CMD_OPEN && id <= CMD_WEB_LINK;
}

// The top-strip buttons that stand for menu items.
int menuCommandOfButton(int id) {
    if (id >= 1200 && id <= 1202) return CMD_OPEN + (id - 1200);
    if (id == 1203 || id == 1204) return CMD_UNDO + (id - 1203);
    if (id >= 1231 && id <= 1236) return CMD_PAGE_FIRST + (id - 1231);
    if (id >= 1237 && id <= 1240) return CMD_WIREFRAMES + (id - 1237);
    if (id == BUTTON_HELP) return CMD_HELP;
    return 0;
}

// What every command does first: the button's help line and the About
// picture go.
void beginCommand() {
    if (app.tooltipButton) hideButtonHelp();
    if (app.aboutShown) {
        app.aboutShown = false;
        transformAndDraw();
        invalidateView();
    }
}

// The caller's side of a panel command that reported a change.
void redrawAfterEdit() {
    transformAndDraw();
    invalidateView();
    snapshotAfterEdit();
}

// The middle button counts as the right one for presses and releases.
int withButtonBits(int keys) { return keys & KEY_MIDDLE ? keys | KEY_RIGHT : keys; }

// Mouse handlers answer 2 for transform and draw, 1 for draw only.
void redrawByResult(int result) {
    if (result == 2)
        transformAndDraw();
    else if (result == 1)
        drawOnly();
    if (result != 0) presentView();
}

class EditorEvents : public WindowEvents {
  public:
    void command(int id, int code, bool fromControl) override {
        if (commandFiltered(id, fromControl)) return;
        // Menu item, accelerator and top-strip button meet here: a command
        // whose menu item is grayed does nothing, whichever way it came.
        const int menuId = fromControl ? menuCommandOfButton(id) : isMenuCommand(id) ? id : 0;
        if (menuId != 0 && menuGrayed(menuId)) return;
        beginCommand();
        if (fromControl) {
            if (menuId != 0) {
                handleMenuCommand(menuId);
            } else if (model.modelLoaded && handlePanelCommand(id, code, 0)) {
                redrawAfterEdit();
            }
        } else if (id >= CMD_KEY_RIGHT && id <= CMD_KEY_END) {
            if (model.modelLoaded && keyNavigate(id)) {
                transformAndDraw();
                invalidateView();
            }
        } else if (id == CMD_NEXT_CAMERA) {
            if (model.modelLoaded) {
                const int next = camera.currentCamera + 1 > 6 ? 0 : camera.currentCamera + 1;
                if (handlePanelCommand(BUTTON_CAMERA_FIRST + next, NOTIFY_CLICKED, 0)) {
                    stopAnimation();
                    transformAndDraw();
                    invalidateView();
                }
            }
        } else if (menuId != 0) {
            handleMenuCommand(id);
        }
        updateContinuousMode();
    }
    void scroll(int id, int code, int position) override {
        if (id != ID_SLIDER || !model.modelLoaded) return;
        if (handlePanelCommand(ID_SLIDER, code, position)) redrawAfterEdit();
    }
    void mouseDown(int keys, int x, int y) override {
        if (!model.modelLoaded) return;
        stopAnimation();
        updateContinuousMode();
        if (app.aboutShown) {
            app.aboutShown = false;
            transformAndDraw();
            presentView();
        }
        redrawByResult(::mouseDown(withButtonBits(keys), x, y));
    }
    void mouseMove(int keys, int x, int y) override {
        if (mouse.dragActive)
            redrawByResult(::mouseMove(keys, x, y));
        else
            updateCursorShape(x, y);
    }
    void mouseUp(int keys, int x, int y) override {
        redrawByResult(::mouseUp(withButtonBits(keys), x, y));
        snapshotAfterEdit();
    }
    void wheel(int x, int y, int delta) override {
        if (!model.modelLoaded || mouse.dragActive) return;
        const int result = mouseWheel(x, y, delta);
        if (result != 0) app.aboutShown = false; // the view comes back, as after a press
        redrawByResult(result);
    }
    // The first file opens as File > Open would open it from its dialog.
    void filesDropped(const std::vector<std::string>& paths) override {
        if (paths.empty()) return;
        beginCommand();
        openDroppedFile(paths.front());
        updateContinuousMode();
    }
    void resize(int width, int height) override {
        resizeView(width, height);
        invalidateView();
    }
    void paint() override { presentView(); }
    void closeRequest() override { quitEditor(); }
    void hover(int controlId) override { trackHover(controlId); }
    void idleFrame() override {
        if (motion.motionFlags == 0 || !model.modelLoaded) {
            updateContinuousMode();
            return;
        }
        stepMotion();
        prepareFrame();
        drawFrame();
        presentView();
    }
    void drawItem(DrawItem& item, std::vector<TextRun>& text) override {
        if (item.id >= BUTTON_FIRST && item.id < BUTTON_FIRST + BUTTON_COUNT)
            drawBitmapButton(item, item.id);
        else if (item.id == ID_HUE_BAR)
            drawHueBar(item);
        else if (item.id == ID_SQUARE)
            drawSquare(item);
        else if (item.id == ID_SWATCH)
            drawSwatch(item);
        else if (item.id == ID_PART_LIST)
            drawPartItem(item, text);
        else if (item.id == ID_FLAG_LIST)
            drawFlagItem(item, text);
    }
};
EditorEvents editorEvents;

} // namespace

std::string locateAppDir(const std::vector<std::string>& folders,
                         const std::string& currentFolder) {
    for (const std::string& folder : folders) {
        std::error_code error;
        if (!folder.empty() && std::filesystem::is_regular_file(folder + "/help.dat", error))
            return folder;
    }
    return currentFolder;
}

WindowSystem& windows() { return *logic.ws; }
bool hasWindows() { return logic.ws != nullptr; }

bool startEditor(WindowSystem& ws, const StartOptions& options) {
    logic.ws = &ws;
    logic.messages = std::make_unique<WindowMessages>(ws);
    installMessageService(logic.messages.get());
    app.appDir = options.appDir;
    app.configPath = options.configPath;
    resetFlagEntries();

    int screenWidth, screenHeight;
    ws.screenSize(screenWidth, screenHeight);
    buildSineTable();
    // The window of 800 x 608 (640 x 448 on small screens) less its caption
    // and menu is the client area the panels are laid out for.
    const bool small = screenWidth < 800;
    if (!ws.createMainWindow(&editorEvents, small ? 640 : 800, small ? 400 : 560,
                             screenWidth <= 800))
        return false;
    // The strip with all its buttons, and the tallest panel page, beside a view.
    ws.setMinimumClientSize(topStripMinimumWidth(), panelMinimumHeight());
    ws.createMenu(menuEntries());
    ws.setAccelerators(accelerators());
    setWindowTitle();
    ownerDraw.highlightColour = ws.highlightColour();

    readConfig();
    if (!loadContextHelp()) {
        app.contextHelpOn = false;
        showError("Context help file \"help.dat\" not found!");
        setMenuGrayed(CMD_CONTEXT_HELP, true);
    } else if (app.contextHelpOn) {
        setMenuChecked(CMD_CONTEXT_HELP, true);
    }
    makeUndoFolder();
    createControls();
    layoutTopStrip(0);
    if (!createFrameBuffer(screenWidth, screenHeight)) {
        reportLastError();
        return false;
    }
    loadAboutPicture(app.appDir + "/pictures/about.tga");
    int width, height;
    ws.clientSize(width, height);
    fillIconStrip();
    app.aboutShown = true;
    resizeView(width, height);
    syncToolbarWithMenu();
    setMenuChecked(CMD_CENTER_ON_LOAD, model.centerOnLoad);
    // The window is up before a file named at start is opened, as it is for
    // File > Open: its messages then stand over the window.
    ws.showMainWindow();

    if (!options.openFile.empty()) {
        app.aboutShown = false; // as for any command
        openModelFile(options.openFile);
        syncToolbarWithMenu();
        invalidateView();
    }
    return true;
}

int runEditor() { return logic.ws->run(); }

void shutDownEditor() {
    stopDriverSwing();
    freeFrameBuffer();
    freeModel(false);
    help = HelpState{};
    endUndoHistory();
    undo = UndoState{};
    removeUndoFolder(logic.undoDir);
    logic.undoDir.clear();
    installMessageService(nullptr);
    logic.messages.reset();
    logic.ws = nullptr;
}

void transformAndDraw() {
    if (frame.frameBits == nullptr) return;
    if (model.modelLoaded) {
        prepareFrame();
        drawFrame();
    } else {
        for (int y = 0; y < frame.viewHeight; ++y)
            std::fill(pixelAt(0, y), pixelAt(0, y) + frame.viewWidth, 0xC0C0C0u);
    }
    if (app.aboutShown)
        drawAboutPicture(frame.frameBits, frame.framePitch, frame.viewWidth, frame.viewHeight);
}

void drawOnly() {
    if (model.modelLoaded && frame.frameBits) drawFrame();
}

void presentView() {
    if (frame.frameBits && frame.viewWidth > 0 && frame.viewHeight > 0)
        logic.ws->present(frame.frameBits, frame.framePitch, PANEL_WIDTH, STRIP_HEIGHT,
                          frame.viewWidth, frame.viewHeight);
}

void invalidateView() {
    logic.ws->invalidate({PANEL_WIDTH, STRIP_HEIGHT, logic.clientWidth - PANEL_WIDTH,
                          logic.clientHeight - STRIP_HEIGHT});
}

void updateContinuousMode() { logic.ws->setContinuous(motion.motionFlags != 0); }

bool openModelFile(const std::string& path) {
    endHistory(); // whatever comes of it, the old model's history is over
    const bool first = !model.modelLoaded;
    if (first) {
        setMenuChecked(CMD_PAGE_FIRST, true);
        setMenuChecked(CMD_SOLID, true);
    }
    bool ok = false;
    if (!openForReading(path)) {
        reportLastError();
    } else {
        model.fcePath = path;
        ok = readFceFile(false);
    }
    if (ok) {
        app.fceDialogPath = path;
        model.fileTitle = titleOf(path);
        setWindowTitle();
        findAndLoadTexture();
        if (model.header.extraDataTag == 0)
            showMessage("Surface smoothing data are damaged or can't be loaded!");
        convertColorsAfterRead();
        resetCamera();
        resetLight();
        model.modelModified = false;
        app.snapshotPending = false;

        grayModelCommands(false);
        if (!model.textureLoaded) {
            render.viewFlags = VIEW_SOLID;
            setMenuGrayed(CMD_TEXTURES, true);
        }
        updateViewChecks();
        showPage(render.page, false);
        createPanelLists();
        fillPanelLists();
        render.page = PAGE_CAMERA_LIGHT;
        updatePageChecks();
        showPage(PAGE_CAMERA_LIGHT, true);
        transformAndDraw();
    } else {
        model.fcePath.clear();
        model.fileTitle.clear();
        setWindowTitle();
        grayModelCommands(true);
        showPage(render.page, false);
        transformAndDraw();
    }
    return ok;
}
