// QtWindowSystem: the window-system interface implemented with Qt 6 Widgets.
// It only translates: the logic passes every text, ID and size, and hears
// back through WindowEvents. A QApplication must exist while it is used.
#pragma once

#include "platform/qt/qt_shared.h"
#include "platform/window_system.h"

#include <QCursor>

#include <map>
#include <memory>

class ClientArea;
class MainWindow;
class QAction;
class QObject;
class QTimer;

class QtWindowSystem : public WindowSystem {
  public:
    QtWindowSystem();
    ~QtWindowSystem() override;
    QtWindowSystem(const QtWindowSystem&) = delete;
    QtWindowSystem& operator=(const QtWindowSystem&) = delete;

    void screenSize(int& width, int& height) override;
    bool createMainWindow(WindowEvents* events, int width, int height, bool maximised) override;
    void showMainWindow() override;
    void setTitle(const std::string& title) override;
    void setIcon(const uint32_t* pixels, int width, int height) override;
    void createMenu(const std::vector<MenuEntry>& entries) override;
    void setAccelerators(const std::vector<Accelerator>& accelerators) override;
    void clientSize(int& width, int& height) override;
    void setMinimumClientSize(int width, int height) override;

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
    uint32_t highlightColour() override;

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

    void setMenuState(int id, int state) override;
    int menuState(int id) override;

    void present(const uint32_t* pixels, int pitch, int x, int y, int width, int height) override;
    void invalidate(ClientRect rect) override;

    void setCursorShape(CursorShape shape) override;
    void confinePointer(const ClientRect* rect) override;
    void warpPointer(int clientX, int clientY) override;
    void showPointer(bool shown) override;
    void pointerPosition(int& clientX, int& clientY) override;

    int messageBox(const std::string& title, const std::string& text, MessageButtons buttons,
                   MessageIcon icon) override;
    std::string openFileDialog(const std::string& title,
                               const std::vector<std::pair<std::string, std::string>>& filters,
                               const std::string& start) override;
    int chosenFileFilter() override { return lastFilter; }
    std::string saveFileDialog(const std::string& title,
                               const std::vector<std::pair<std::string, std::string>>& filters,
                               const std::string& start, const std::string& extension) override;
    std::string editInPlace(int id, const std::string& text, int maxLength) override;

    bool openUrl(const std::string& url) override;
    void setCursorImage(CursorShape shape, const uint32_t* pixels, int hotX, int hotY) override;

    int run() override;
    void setContinuous(bool on) override;
    void quit(int exitCode) override;

    // The widgets behind the interface, for tests.
    QMainWindow* mainWindow() const;
    QWidget* clientWidget() const;
    QWidget* controlWidget(int id) const;
    QAction* menuAction(int id) const;

  private:
    struct Control {
        ControlKind kind;
        uint32_t style;
        QWidget* widget;
    };
    template <class T> T* control(int id, ControlKind kind, ControlKind other) const;
    std::string fileDialog(bool save, const std::string& title,
                           const std::vector<std::pair<std::string, std::string>>& filters,
                           const std::string& start, const std::string& extension);
    void applyCursor();

    QtShared shared;
    std::unique_ptr<MainWindow> window;
    ClientArea* client = nullptr;
    std::unique_ptr<QObject> inputFilter;
    std::unique_ptr<QTimer> idleTimer;
    std::map<int, Control> controls;
    std::map<int, QAction*> actions;
    std::map<int, int> menuStates;
    QSize wantedClientSize;
    bool wantMaximised = false;
    CursorShape cursorShape = CURSOR_ARROW;
    std::map<CursorShape, QCursor> programCursors;
    bool pointerShown = true;
    bool quitRequested = false;
    int quitCode = 0;
    int lastFilter = 1;
};
