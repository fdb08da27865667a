// FakeWindowSystem: a window system without a window, for tests of the
// program's logic. It records everything the logic asks for (controls, menu,
// accelerators, the presented picture, the pointer, the dialogs with scripted
// answers) and plays user input back as the Qt backend would report it.
#pragma once

#include "platform/window_system.h"

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
    TextLook look = LOOK_PANEL;
    int repaints = 0;
    // Lists.
    std::vector<std::string> items;
    std::vector<bool> selected;
    int current = -1;
    int top = 0;
    // Check box and slider.
    int check = 0;
    int sliderMinimum = 0, sliderMaximum = 0, sliderPosition = 0;
    // Picture.
    std::vector<uint32_t> image;
    int imageWidth = 0, imageHeight = 0;
    // Where the click behind the latest notification was (client coordinates).
    bool clicked = false;
    int clickX = 0, clickY = 0;
};

struct FakeMenuItem {
    std::string popup; // set on the first item of a popup
    int id = 0;
    std::string text; // "" with id 0: a separator
    bool grayed = false;
};

struct FakeMessageBox {
    std::string title, text;
    MessageButtons buttons;
    MessageIcon icon;
};

struct FakeFileDialog {
    bool save = false;
    std::string title;
    std::vector<std::pair<std::string, std::string>> filters;
    std::string start, extension;
};

struct FakeEdit {
    int id;
    std::string text;
    int maxLength;
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
    void screenSize(int& width, int& height) override;
    bool createMainWindow(WindowEvents* events, int width, int height, bool maximised) override;
    void showMainWindow() override;
    void setTitle(const std::string& title) override { this->title = title; }
    void setIcon(const uint32_t* pixels, int width, int height) override;
    void createMenu(const std::vector<MenuEntry>& entries) override;
    void setAccelerators(const std::vector<Accelerator>& accelerators) override;
    void clientSize(int& width, int& height) override;

    void createControl(int id, ControlKind kind, ClientRect rect, uint32_t style,
                       const std::string& text) override;
    void showControl(int id, bool shown) override;
    void moveControl(int id, ClientRect rect) override;
    void setText(int id, const std::string& text) override;
    void setTextLook(int id, TextLook look) override;
    void repaintControl(int id) override;
    void setControlImage(int id, const uint32_t* pixels, int width, int height) override;
    ClientRect controlRect(int id) override;
    bool lastClickPosition(int id, int& clientX, int& clientY) override;
    uint32_t highlightColour() override { return highlight; }

    void listClear(int id) override;
    void listAdd(int id, const std::string& text) override;
    int listCount(int id) override;
    void listSelect(int id, int index, bool selected) override;
    bool listIsSelected(int id, int index) override;
    int listCurrent(int id) override;
    void listSetTop(int id, int index) override;

    void setCheck(int id, int state) override;
    int check(int id) override;
    void setSlider(int id, int minimum, int maximum, int position) override;

    void setMenuState(int id, int state) override { menuStates[id] = state; }
    int menuState(int id) override;

    void present(const uint32_t* pixels, int pitch, int x, int y, int width, int height) override;
    void invalidate(ClientRect rect) override { invalidated.push_back(rect); }

    void setCursorShape(CursorShape shape) override { cursor = shape; }
    void confinePointer(const ClientRect* rect) override;
    void warpPointer(int clientX, int clientY) override;
    void showPointer(bool shown) override { pointerShown = shown; }
    void pointerPosition(int& clientX, int& clientY) override;

    int messageBox(const std::string& title, const std::string& text, MessageButtons buttons,
                   MessageIcon icon) override;
    std::string openFileDialog(const std::string& title,
                               const std::vector<std::pair<std::string, std::string>>& filters,
                               const std::string& start) override;
    std::string saveFileDialog(const std::string& title,
                               const std::vector<std::pair<std::string, std::string>>& filters,
                               const std::string& start, const std::string& extension) override;
    std::string editInPlace(int id, const std::string& text, int maxLength) override;

    bool openUrl(const std::string& url) override;
    void setCursorImage(CursorShape shape, const uint32_t* pixels, int hotX, int hotY) override;

    int run() override; // returns at once: tests drive the events themselves
    void setContinuous(bool on) override { continuous = on; }
    void quit(int exitCode) override;

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
    void mouseDown(int keys, int x, int y);
    void mouseMove(int keys, int x, int y); // kept inside a confinement, as the pointer is
    void mouseUp(int keys, int x, int y);
    void hover(int controlId);
    void resize(int width, int height);
    void close();
    void idle(int frames = 1); // idle turns of the loop: frames only in continuous mode

    // --- Painting owner-drawn controls through the logic ---
    FakePaint paintControl(int id, bool selected = false, bool selectionOnly = false);
    // As wide as the list inside its frame (a Qt list loses the width of its
    // scroll bar when one shows).
    FakePaint paintListItem(int id, int index);

    // --- Queries ---
    FakeControl& control(int id); // throws std::out_of_range for an unknown ID
    bool has(int id) const { return controls.count(id) != 0; }
    bool shown(int id) const;
    const FakeMenuItem* menuItem(int id) const;
    uint32_t presentedPixel(int clientX, int clientY) const; // 0 outside the picture

    // --- What was recorded, and the scripts ---
    WindowEvents* events = nullptr;
    int screenWidth = 1024, screenHeight = 768;
    int width = 0, height = 0; // client size
    bool maximised = false, windowShown = false;
    std::string title;
    std::vector<uint32_t> icon;
    std::map<int, FakeControl> controls;
    std::vector<int> creationOrder;
    std::vector<FakeMenuItem> menuItems;
    std::map<int, int> menuStates;
    std::vector<Accelerator> accelerators;
    uint32_t highlight = 0x000080;

    std::vector<uint32_t> presented; // copy of the last present
    ClientRect presentedRect{0, 0, 0, 0};
    int presentCount = 0;
    std::vector<ClientRect> invalidated;

    CursorShape cursor = CURSOR_ARROW;
    bool confined = false;
    ClientRect confinement{0, 0, 0, 0};
    bool pointerShown = true;
    int pointerX = 0, pointerY = 0;
    std::vector<std::pair<int, int>> warps;
    std::map<int, std::vector<uint32_t>> cursorImages; // by CursorShape

    std::vector<FakeMessageBox> messageBoxes;
    std::deque<int> messageBoxAnswers; // empty: OK for a lone OK button, else Cancel
    std::vector<FakeFileDialog> fileDialogs;
    std::deque<std::string> fileAnswers; // "" or empty: cancelled
    std::vector<FakeEdit> edits;
    std::deque<std::string> editAnswers; // empty: Enter on the text as it was
    std::vector<std::string> openedUrls;
    bool openUrlResult = true;

    bool continuous = false;
    bool quitRequested = false;
    int exitCode = 0;

  private:
    FakeControl* find(int id);
    bool isList(const FakeControl* control) const;
    void recordClick(FakeControl& control, int clientX, int clientY);
    void movePointer(int& x, int& y);
};
