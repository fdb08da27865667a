// FakeWindowSystem: a window system without a window, for tests of the
// program's logic. It records what the logic asks for (controls, menu states,
// accelerators, the presented picture, the pointer, the dialogs with scripted
// answers) and plays user input back as the Qt backend would report it.
// Pictures, icons, cursor images and text looks are accepted and dropped.
#pragma once

#include "platform/window_system.h"

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct FakeControl {
    ControlKind kind = CONTROL_LABEL;
    ClientRect rect{0, 0, 0, 0};
    uint32_t style = 0;
    bool shown = false; // controls start hidden
    std::string text;
    std::vector<std::string> items; // lists, with their current item
    std::vector<bool> selected;
    int current = -1, check = 0, sliderPosition = 0, repaints = 0;
    bool clicked = false; // where the click behind the latest notification was
    int clickX = 0, clickY = 0;
};

struct FakeMessageBox {
    std::string title, text;
    MessageButtons buttons;
};

struct FakeFileDialog {
    bool save = false;
    std::string title, start, extension;
};

// What one owner-drawn paint gave back.
struct FakePaint {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    std::vector<TextRun> text;
    uint32_t at(int x, int y) const { return pixels.at(static_cast<size_t>(y * width + x)); }
};

class FakeWindowSystem : public WindowSystem {
  public:
    // --- The interface ---
    void screenSize(int& w, int& h) override { w = screenWidth, h = screenHeight; }
    bool createMainWindow(WindowEvents* events, int width, int height, bool maximised) override;
    void showMainWindow() override;
    void setTitle(const std::string& text) override { title = text; }
    void setIcon(const uint32_t*, int, int) override {}
    void createMenu(const std::vector<MenuEntry>& entries) override;
    void setAccelerators(const std::vector<Accelerator>& table) override { accelerators = table; }
    void clientSize(int& w, int& h) override { w = width, h = height; }
    void setMinimumClientSize(int w, int h) override { minimumWidth = w, minimumHeight = h; }

    void createControl(int id, ControlKind kind, ClientRect rect, uint32_t style,
                       const std::string& text) override;
    void showControl(int id, bool show) override { any(id).shown = show; }
    void moveControl(int id, ClientRect rect) override { any(id).rect = rect; }
    void setText(int id, const std::string& text) override { any(id).text = text; }
    void setTextLook(int, TextLook) override {}
    void repaintControl(int id) override { any(id).repaints++; }
    void setControlImage(int, const uint32_t*, int, int) override {}
    ClientRect controlRect(int id) override { return any(id).rect; }
    bool lastClickPosition(int id, int& clientX, int& clientY) override;
    uint32_t highlightColour() override { return highlight; }

    void listClear(int id) override;
    void listAdd(int id, const std::string& text) override;
    int listCount(int id) override { return int(list(id).items.size()); }
    void listSelect(int id, int index, bool select) override;
    bool listIsSelected(int id, int index) override;
    int listCurrent(int id) override { return list(id).current; }
    void listSetTop(int, int) override {}

    void setCheck(int id, int state) override;
    int check(int id) override { return any(id).kind == CONTROL_CHECK_BOX ? any(id).check : 0; }
    void setSlider(int id, int minimum, int maximum, int position) override;

    void setMenuState(int id, int state) override { menuStates[id] = state; }
    int menuState(int id) override { return menuStates.count(id) ? menuStates[id] : 0; }

    void present(const uint32_t* pixels, int pitch, int x, int y, int width, int height) override;
    void invalidate(ClientRect) override {}

    void setCursorShape(CursorShape shape) override { cursor = shape; }
    void confinePointer(const ClientRect* rect) override {
        confined = rect != nullptr, confinement = rect ? *rect : ClientRect{0, 0, 0, 0};
    }
    void warpPointer(int clientX, int clientY) override { pointerX = clientX, pointerY = clientY; }
    void showPointer(bool show) override { pointerShown = show; }
    void pointerPosition(int& x, int& y) override { x = pointerX, y = pointerY; }

    int messageBox(const std::string& title, const std::string& text, MessageButtons buttons,
                   MessageIcon icon) override;
    std::string openFileDialog(const std::string& title,
                               const std::vector<std::pair<std::string, std::string>>&,
                               const std::string& start) override {
        return fileDialog({false, title, start, ""});
    }
    std::string saveFileDialog(const std::string& title,
                               const std::vector<std::pair<std::string, std::string>>&,
                               const std::string& start, const std::string& extension) override {
        return fileDialog({true, title, start, extension});
    }
    int chosenFileFilter() override;
    std::string editInPlace(int id, const std::string& text, int maxLength) override;

    bool openUrl(const std::string& url) override {
        return openedUrls.push_back(url), openUrlResult;
    }
    void setCursorImage(CursorShape, const uint32_t*, int, int) override {}

    // Returns at once: tests drive the events themselves.
    int run() override { return showMainWindow(), quitRequested = false, exitCode; }
    void setContinuous(bool on) override { continuous = on; }
    void quit(int code) override { quitRequested = true, exitCode = code; }

    // --- User input, reported as the Qt backend reports it ---
    // Each returns false (and reports nothing) when the user could not have
    // done it: a missing or hidden control, a grayed or missing menu item, a
    // key without an accelerator, an item index out of range.
    bool click(int id);                                       // button, field, check box
    bool selectListItem(int id, int index, int clientX = -1); // a click on an item
    bool doubleClick(int id, int index, int clientX = -1);
    bool menu(int id);
    bool pressAccelerator(AcceleratorKey key, char letter = 0);
    bool scroll(int id, int code, int position);
    void mouseDown(int keys, int x, int y) {
        pointerX = x, pointerY = y, events->mouseDown(keys, x, y);
    }
    // Moves are kept inside a confinement, as the pointer is.
    void mouseMove(int keys, int x, int y) { movePointer(x, y), events->mouseMove(keys, x, y); }
    void mouseUp(int keys, int x, int y) { movePointer(x, y), events->mouseUp(keys, x, y); }
    void wheel(int x, int y, int delta) { events->wheel(x, y, delta); }
    // Files dropped from another program: the local ones, as Qt's backend reports them.
    void drop(const std::vector<std::string>& paths) { events->filesDropped(paths); }
    void hover(int controlId) { events->hover(controlId); }
    // Never below the minimum, which the user cannot go past.
    void resize(int w, int h) {
        width = std::max(w, minimumWidth), height = std::max(h, minimumHeight);
        events->resize(width, height);
    }
    void close() { events->closeRequest(); }
    // Idle turns of the loop: frames only in continuous mode.
    void idle(int frames = 1) {
        for (int i = 0; i < frames && continuous; i++) events->idleFrame();
    }

    // --- Painting owner-drawn controls through the logic ---
    FakePaint paintControl(int id, bool selected = false, bool selectionOnly = false) {
        return paint(id, -1, selected, selectionOnly);
    }
    FakePaint paintListItem(int id, int index) { return paint(id, index, false, false); }

    // --- Queries ---
    FakeControl& control(int id) { return controls.at(id); } // throws for an unknown ID
    bool shown(int id) const { return controls.count(id) && controls.at(id).shown; }

    // --- What was recorded, and the scripts ---
    WindowEvents* events = nullptr;
    int screenWidth = 1024, screenHeight = 768;
    int width = 0, height = 0; // client size
    int minimumWidth = 0, minimumHeight = 0;
    bool maximised = false, windowShown = false, continuous = false, quitRequested = false;
    std::string title;
    std::map<int, FakeControl> controls;
    std::map<int, int> menuStates; // of the items of the menu, not of its separators
    std::vector<Accelerator> accelerators;
    uint32_t highlight = 0x000080;

    std::vector<uint32_t> presented; // copy of the last present
    ClientRect presentedRect{0, 0, 0, 0};

    CursorShape cursor = CURSOR_ARROW;
    bool confined = false, pointerShown = true;
    ClientRect confinement{0, 0, 0, 0};
    int pointerX = 0, pointerY = 0;

    std::vector<FakeMessageBox> messageBoxes;
    std::deque<int> messageBoxAnswers; // empty: OK for a lone OK button, else Cancel
    std::vector<FakeFileDialog> fileDialogs;
    std::deque<std::string> fileAnswers; // "" or empty: cancelled
    std::deque<int> filterAnswers;       // per accepted dialog; empty: the first filter
    std::vector<std::string> edits;      // the texts the entries started with
    std::deque<std::string> editAnswers; // empty: Enter on the text as it was
    std::vector<std::string> openedUrls;
    bool openUrlResult = true;
    int exitCode = 0;

  private:
    FakeControl scratch; // stands for a missing control: what is set on it is dropped
    FakeControl& any(int id) { return controls.count(id) ? controls[id] : (scratch = {}); }
    FakeControl& list(int id); // the list, or the scratch
    std::string fileDialog(FakeFileDialog dialog);
    FakePaint paint(int id, int index, bool selected, bool selectionOnly);
    void movePointer(int& x, int& y);
};
