// The window-system layer: everything the editor's logic needs from a
// window system, as one small interface. platform/qt implements it with Qt 6
// Widgets; the tests use a fake that records calls and plays events.
//
// The logic talks to the window system through `WindowSystem` (one main
// window with child controls addressed by their numeric IDs, a menu, the
// mouse pointer, dialogs, the event loop) and hears from it through
// `WindowEvents`, which the logic implements. Coordinates are client
// coordinates of the main window unless said otherwise; images are 32-bit
// pixels 0x00RRGGBB, top-down.
//
// Texts handed to the window system are UTF-8 (the logic converts the car's
// Windows-1252 names first); a text that is not valid UTF-8 is taken as
// Windows-1252, as the program's own marker bytes are (so the degree sign
// 0xB0 or an en dash 0x96 show as themselves).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ClientRect {
    int x, y, width, height;
};

// Kinds of child control.
enum ControlKind {
    CONTROL_LABEL,        // static text
    CONTROL_FIELD,        // static text with a frame; clicks are reported when STYLE_NOTIFY
    CONTROL_GROUP_BOX,    // a titled frame around other controls
    CONTROL_SLIDER,       // horizontal scroll bar
    CONTROL_CHECK_BOX,    // three-state check box with a text
    CONTROL_PUSH_BUTTON,  // push button with a text
    CONTROL_OWNER_BUTTON, // a button the logic paints (drawItem)
    CONTROL_OWNER_STATIC, // a static area the logic paints (drawItem)
    CONTROL_PICTURE,      // shows an image set with setControlImage
    CONTROL_LIST,         // list of strings
    CONTROL_OWNER_LIST,   // list of fixed-height items the logic paints
};

// Style bits of createControl.
constexpr uint32_t STYLE_CENTRED = 0x01;
constexpr uint32_t STYLE_SUNKEN = 0x02;
constexpr uint32_t STYLE_NOTIFY = 0x04;
// Lists: every click toggles the clicked item and leaves the others alone.
// Without it a click selects the clicked item only.
constexpr uint32_t STYLE_MULTI_SELECT = 0x08;
constexpr uint32_t STYLE_VSCROLL = 0x10;

// Items of a CONTROL_OWNER_LIST are this many pixels high.
constexpr int OWNER_ITEM_HEIGHT = 16;

// Which look a static text takes (fonts and colours of the panel).
enum TextLook { LOOK_PANEL, LOOK_HEADER, LOOK_STATUS, LOOK_SMALL };

// Notification codes of commands from controls.
constexpr int NOTIFY_CLICKED = 0;      // buttons, fields
constexpr int NOTIFY_SELECTION = 1;    // a list's selection changed
constexpr int NOTIFY_DOUBLE_CLICK = 2; // a list item was double-clicked

// Scroll codes of the slider.
constexpr int SCROLL_LINE_LEFT = 0;
constexpr int SCROLL_LINE_RIGHT = 1;
constexpr int SCROLL_PAGE_LEFT = 2;
constexpr int SCROLL_PAGE_RIGHT = 3;
constexpr int SCROLL_THUMB_POSITION = 4;
constexpr int SCROLL_THUMB_TRACK = 5;
constexpr int SCROLL_END = 8;

// Mouse key-state word: the buttons held and the Shift and Control keys. For
// mouseDown and mouseUp it also carries the bit of the button that went down
// or up (KEY_MIDDLE for the middle button).
constexpr int KEY_LEFT = 1;
constexpr int KEY_RIGHT = 2;
constexpr int KEY_SHIFT = 4;
constexpr int KEY_CONTROL = 8;
constexpr int KEY_MIDDLE = 16;

// Menu item states.
constexpr int MENU_ENABLED = 0;
constexpr int MENU_GRAYED = 1;
constexpr int MENU_CHECKED = 8;

// One entry of the menu bar: a popup title starts a new popup; an entry
// with id 0 and no text is a separator.
struct MenuEntry {
    const char* popup; // non-null: the first item of a new popup with this title
    int id;
    const char* text; // "\t" separates the shortcut text
    bool grayed;
};

// Keys of the accelerator table.
enum AcceleratorKey {
    ACCEL_LETTER, // with Ctrl; `letter` says which
    ACCEL_F1,
    ACCEL_F5,
    ACCEL_F6,
    ACCEL_F7,
    ACCEL_F8,
    ACCEL_F9,
    ACCEL_F10,
    ACCEL_TAB,
    ACCEL_RIGHT,
    ACCEL_LEFT,
    ACCEL_DOWN,
    ACCEL_UP,
    ACCEL_PAGE_UP,
    ACCEL_PAGE_DOWN,
    ACCEL_END,
};
struct Accelerator {
    AcceleratorKey key;
    char letter;
    int id;
};

// Message boxes.
enum MessageIcon { ICON_EXCLAMATION, ICON_INFORMATION, ICON_QUESTION };
enum MessageButtons { BUTTONS_OK, BUTTONS_OK_CANCEL, BUTTONS_YES_NO_CANCEL };
// Answers: 1 OK, 2 Cancel, 6 Yes, 7 No.

// Pointer shapes.
enum CursorShape { CURSOR_ARROW, CURSOR_CROSS, CURSOR_PROGRAM_1400, CURSOR_PROGRAM_1401 };

// What a paint request for an owner-drawn control carries. The logic paints
// into `pixels` (width x height, 0x00RRGGBB) and may ask for text on top.
struct DrawItem {
    int id;
    int index;          // list item, or -1
    bool selected;      // pressed button / selected list item
    bool selectionOnly; // only the selection state changed
    int width, height;
    // Kept between paints of the same control (list items share one), so a
    // paint that draws nothing leaves the previous picture.
    uint32_t* pixels;
};

// Text drawn over an owner-drawn control; (x, y) is the top-left corner of
// the text, relative to the control or list item.
struct TextRun {
    int x, y;
    uint32_t color;
    TextLook look;
    std::string text;
};

class WindowEvents {
  public:
    virtual ~WindowEvents() = default;
    // A menu item, accelerator (fromControl false) or control (fromControl true).
    virtual void command(int id, int code, bool fromControl) = 0;
    virtual void scroll(int id, int code, int position) = 0;
    virtual void mouseDown(int keys, int x, int y) = 0;
    virtual void mouseMove(int keys, int x, int y) = 0;
    virtual void mouseUp(int keys, int x, int y) = 0;
    // The wheel turned with the pointer at (x, y) over the client area (not
    // over a control that used it): `delta` in eighths of a degree, 120 for a
    // notch of an ordinary wheel, positive when turned away from the user.
    virtual void wheel(int x, int y, int delta) = 0;
    // Files were dropped onto the main window: the paths of the local ones,
    // in the order given, never none.
    virtual void filesDropped(const std::vector<std::string>& paths) = 0;
    virtual void resize(int clientWidth, int clientHeight) = 0;
    // The window is being repainted. The last presented picture is redrawn
    // by the window system itself; the logic may present a newer one here.
    virtual void paint() = 0;
    virtual void closeRequest() = 0; // the user asked to close the window
    // The pointer moved over a control (its ID), over the main window itself
    // (0: the panel background or the 3D view) or over anything else (-1).
    virtual void hover(int controlId) = 0;
    // While continuous mode is on: called whenever no event is waiting.
    virtual void idleFrame() = 0;
    // Paint an owner-drawn control; text runs are drawn over the pixels.
    virtual void drawItem(DrawItem& item, std::vector<TextRun>& text) = 0;
};

class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    // Screen and main window.
    virtual void screenSize(int& width, int& height) = 0;
    // The client area (below the menu) is width x height; the window stays
    // hidden until showMainWindow, so the logic can fill it first.
    virtual bool createMainWindow(WindowEvents* events, int width, int height, bool maximised) = 0;
    virtual void showMainWindow() = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual void setIcon(const uint32_t* pixels, int width, int height) = 0; // 0xAARRGGBB
    virtual void createMenu(const std::vector<MenuEntry>& entries) = 0;
    virtual void setAccelerators(const std::vector<Accelerator>& accelerators) = 0;
    virtual void clientSize(int& width, int& height) = 0;
    // The user cannot make the client area smaller than this.
    virtual void setMinimumClientSize(int width, int height) = 0;

    // Child controls, addressed by ID (IDs of controls without one are given
    // by the logic from a private range).
    virtual void createControl(int id, ControlKind kind, ClientRect rect, uint32_t style,
                               const std::string& text) = 0;
    virtual void showControl(int id, bool shown) = 0;
    virtual void moveControl(int id, ClientRect rect) = 0;
    virtual void setText(int id, const std::string& text) = 0;
    virtual void setTextLook(int id, TextLook look) = 0;
    virtual void repaintControl(int id) = 0;
    virtual void setControlImage(int id, const uint32_t* pixels, int width, int height) = 0;
    virtual ClientRect controlRect(int id) = 0;
    // Where the mouse was (client coordinates) for the latest notification of
    // the control: the press on a list item or field, the release on a
    // button. False when that notification did not come from a mouse click.
    virtual bool lastClickPosition(int id, int& clientX, int& clientY) = 0;
    // The system's colour of selected items, 0x00RRGGBB.
    virtual uint32_t highlightColour() = 0;

    // Lists.
    virtual void listClear(int id) = 0;
    virtual void listAdd(int id, const std::string& text) = 0;
    virtual int listCount(int id) = 0;
    virtual void listSelect(int id, int index, bool selected) = 0; // index -1: all
    virtual bool listIsSelected(int id, int index) = 0;
    virtual int listCurrent(int id) = 0; // the caret item, -1 when none
    virtual void listSetTop(int id, int index) = 0;

    // Check box (0 unchecked, 1 checked, 2 indeterminate) and slider.
    virtual void setCheck(int id, int state) = 0;
    virtual int check(int id) = 0;
    virtual void setSlider(int id, int minimum, int maximum, int position) = 0;

    // Menu.
    virtual void setMenuState(int id, int state) = 0; // the whole MENU_* word
    virtual int menuState(int id) = 0;

    // The 3D view: copy width x height pixels of `pixels` (row pitch in
    // pixels) to client (x, y) now, or mark that area for the next paint.
    // The window system keeps showing that memory when it repaints, so it
    // must stay valid until the next present (nullptr forgets it).
    virtual void present(const uint32_t* pixels, int pitch, int x, int y, int width,
                         int height) = 0;
    virtual void invalidate(ClientRect rect) = 0;

    // Pointer.
    virtual void setCursorShape(CursorShape shape) = 0;
    virtual void confinePointer(const ClientRect* rect) = 0; // nullptr releases
    virtual void warpPointer(int clientX, int clientY) = 0;
    virtual void showPointer(bool shown) = 0;
    virtual void pointerPosition(int& clientX, int& clientY) = 0;

    // Dialogs, modal to the main window.
    virtual int messageBox(const std::string& title, const std::string& text,
                           MessageButtons buttons, MessageIcon icon) = 0;
    // Filters are pairs of a name and a pattern ("*.fce").
    virtual std::string
    openFileDialog(const std::string& title,
                   const std::vector<std::pair<std::string, std::string>>& filters,
                   const std::string& start) = 0;
    virtual std::string
    saveFileDialog(const std::string& title,
                   const std::vector<std::pair<std::string, std::string>>& filters,
                   const std::string& start, const std::string& extension) = 0;
    // The filter the user had chosen when the last file dialog was accepted
    // (1 for the first).
    virtual int chosenFileFilter() = 0;
    // An in-place text entry over a control: Enter or closing it accepts,
    // Escape does nothing. Returns the accepted text, UTF-8, at most maxLength
    // characters.
    virtual std::string editInPlace(int id, const std::string& text, int maxLength) = 0;

    // Desktop.
    virtual bool openUrl(const std::string& url) = 0;

    // Cursor images of the program's own shapes (0xAARRGGBB, 32x32).
    virtual void setCursorImage(CursorShape shape, const uint32_t* pixels, int hotX, int hotY) = 0;

    // Event loop. run() handles events until quit() and returns its code
    // (showing the main window first if needed); a quit() before run() makes
    // run() return at once. In continuous mode idleFrame() is called whenever
    // no event waits; in the other mode the loop sleeps until the next event.
    virtual int run() = 0;
    virtual void setContinuous(bool on) = 0;
    virtual void quit(int exitCode) = 0;
};
