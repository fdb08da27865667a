// QtWindowSystem: main window, controls, lists, menu, view picture, pointer
// and event loop. The dialogs are in qt_dialogs.cpp.
#include "platform/qt/qt_window_system.h"

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_input_filter.h"
#include "platform/qt/qt_list_box.h"
#include "platform/qt/qt_main_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QGroupBox>
#include <QMenuBar>
#include <QScreen>
#include <QThread>
#include <QTimer>

namespace {

QRect qtRect(const ClientRect& rect) {
    return QRect(rect.x, rect.y, rect.width, rect.height);
}

QImage argbImage(const uint32_t* pixels, int width, int height) {
    return QImage(reinterpret_cast<const uchar*>(pixels), width, height, width * 4,
                  QImage::Format_ARGB32)
        .copy();
}

} // namespace

QtWindowSystem::QtWindowSystem()
    : inputFilter(std::make_unique<InputFilter>(&shared)), idleTimer(std::make_unique<QTimer>()) {
    idleTimer->setInterval(0);
    QObject::connect(idleTimer.get(), &QTimer::timeout, [this] {
        if (shared.events) shared.events->idleFrame();
    });
}

QtWindowSystem::~QtWindowSystem() {
    shared.events = nullptr; // nothing reaches the logic while the widgets go
    idleTimer->stop();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(inputFilter.get());
    window.reset();
}

void QtWindowSystem::screenSize(int& width, int& height) {
    QScreen* screen = QGuiApplication::primaryScreen();
    QSize size = screen ? screen->size() : QSize(800, 600);
    width = size.width();
    height = size.height();
}

bool QtWindowSystem::createMainWindow(WindowEvents* events, int width, int height, bool maximised) {
    if (window || width <= 0 || height <= 0) return false;
    shared.fonts = makeLookFonts();
    window = std::make_unique<MainWindow>(&shared);
    QPalette colours = window->palette();
    colours.setColor(QPalette::Window, pixelColour(COLOUR_PANEL));
    colours.setColor(QPalette::Button, pixelColour(COLOUR_PANEL));
    colours.setColor(QPalette::Base, pixelColour(COLOUR_LIST));
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        colours.setColor(role, Qt::black);
    window->setPalette(colours);
    window->setFont(shared.fonts.panel);
    client = new ClientArea(&shared, window.get());
    window->setCentralWidget(client);
    client->resize(width, height);
    shared.window = window.get();
    shared.client = client;
    shared.events = events;
    wantedClientSize = QSize(width, height);
    wantMaximised = maximised;
    QCoreApplication::instance()->installEventFilter(inputFilter.get());
    return true;
}

void QtWindowSystem::showMainWindow() {
    if (!window || window->isVisible()) return;
    QWidget* menu = window->menuWidget();
    int menuHeight = menu ? menu->sizeHint().height() : 0;
    window->resize(wantedClientSize.width(), wantedClientSize.height() + menuHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        window->move(area.x() + std::max(0, (area.width() - window->width()) / 2),
                     area.y() + std::max(0, (area.height() - window->height()) / 2));
    }
    if (wantMaximised) {
        window->showMaximized();
        return;
    }
    window->show();
    // The menu bar may take another height than it hinted: keep the client size.
    QSize off = wantedClientSize - client->size();
    if (!off.isNull()) window->resize(window->size() + off);
}

void QtWindowSystem::setTitle(const std::string& title) {
    if (window) window->setWindowTitle(fromProgramText(title));
}

void QtWindowSystem::setIcon(const uint32_t* pixels, int width, int height) {
    if (!window || !pixels || width <= 0 || height <= 0) return;
    window->setWindowIcon(QIcon(QPixmap::fromImage(argbImage(pixels, width, height))));
}

void QtWindowSystem::createMenu(const std::vector<MenuEntry>& entries) {
    if (!window) return;
    QMenuBar* bar = window->menuBar();
    bar->clear();
    actions.clear();
    QMenu* popup = nullptr;
    for (const MenuEntry& entry : entries) {
        if (entry.popup) popup = bar->addMenu(fromProgramText(entry.popup));
        if (!popup) continue;
        if (entry.id == 0 && (!entry.text || !*entry.text)) {
            popup->addSeparator();
            continue;
        }
        int id = entry.id;
        QAction* action = popup->addAction(fromProgramText(entry.text ? entry.text : ""));
        actions[id] = action;
        QObject::connect(action, &QAction::triggered, window.get(), [this, id, action] {
            // A checkable item toggles itself; the logic sets the marks.
            action->setChecked(menuStates[id] & MENU_CHECKED);
            if (shared.events) shared.events->command(id, 0, false);
        });
        setMenuState(id, entry.grayed ? MENU_GRAYED : MENU_ENABLED);
    }
}

void QtWindowSystem::setMenuState(int id, int state) {
    menuStates[id] = state;
    auto found = actions.find(id);
    if (found == actions.end()) return;
    QAction* action = found->second;
    action->setEnabled(!(state & MENU_GRAYED));
    action->setCheckable(state & MENU_CHECKED);
    action->setChecked(state & MENU_CHECKED);
}

int QtWindowSystem::menuState(int id) {
    auto found = menuStates.find(id);
    return found == menuStates.end() ? 0 : found->second;
}

void QtWindowSystem::setAccelerators(const std::vector<Accelerator>& accelerators) {
    shared.accelerators = accelerators;
}

void QtWindowSystem::clientSize(int& width, int& height) {
    width = client ? client->width() : 0;
    height = client ? client->height() : 0;
}

void QtWindowSystem::setMinimumClientSize(int width, int height) {
    if (client) client->setMinimumSize(width, height); // the window's minimum follows
}

void QtWindowSystem::createControl(int id, ControlKind kind, ClientRect rect, uint32_t style,
                                   const std::string& text) {
    if (!client) return;
    auto old = controls.find(id);
    if (old != controls.end()) {
        // Deleted later: the old widget may be the one whose event is running.
        old->second.widget->hide();
        old->second.widget->setProperty(CONTROL_ID_PROPERTY, QVariant());
        old->second.widget->deleteLater();
        controls.erase(old);
        shared.lastClicks.erase(id);
    }
    bool notify = style & STYLE_NOTIFY;
    bool sunken = style & STYLE_SUNKEN;
    bool transparent = false; // clicks go through to the window, as on plain statics
    QString label = fromProgramText(text);
    QWidget* widget = nullptr;
    switch (kind) {
    case CONTROL_LABEL:
    case CONTROL_FIELD: {
        auto* field = new StaticText(&shared, id, notify, client);
        field->setAlignment((style & STYLE_CENTRED ? Qt::AlignHCenter : Qt::AlignLeft) |
                            Qt::AlignTop);
        field->setWordWrap(kind == CONTROL_FIELD);
        if (sunken) field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        field->setText(label);
        applyLook(field, shared.fonts, LOOK_PANEL);
        transparent = !notify;
        widget = field;
        break;
    }
    case CONTROL_GROUP_BOX:
        widget = new QGroupBox(label, client);
        transparent = true;
        break;
    case CONTROL_SLIDER:
        widget = new SliderBar(&shared, id, client);
        break;
    case CONTROL_CHECK_BOX: {
        auto* box = new TriStateBox(&shared, id, client);
        box->setText(label);
        applyLook(box, shared.fonts, LOOK_PANEL);
        widget = box;
        break;
    }
    case CONTROL_PUSH_BUTTON: {
        auto* button = new PushButton(&shared, id, client);
        button->setText(label);
        widget = button;
        break;
    }
    case CONTROL_OWNER_BUTTON:
    case CONTROL_OWNER_STATIC: {
        bool button = kind == CONTROL_OWNER_BUTTON;
        auto* area = new OwnerArea(&shared, id, button, notify, client);
        if (sunken) area->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        transparent = !button && !notify;
        widget = area;
        break;
    }
    case CONTROL_PICTURE:
        widget = new PictureBox(client);
        applyLook(widget, shared.fonts, LOOK_PANEL);
        transparent = true;
        break;
    case CONTROL_LIST:
    case CONTROL_OWNER_LIST:
        widget = new ListBox(&shared, id, kind == CONTROL_OWNER_LIST, style, client);
        break;
    }
    if (!widget) return;
    widget->setProperty(CONTROL_ID_PROPERTY, id);
    if (transparent) widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget->setGeometry(qtRect(rect));
    widget->hide();
    controls[id] = Control{kind, style, widget};
}

template <class T> T* QtWindowSystem::control(int id, ControlKind kind, ControlKind other) const {
    auto found = controls.find(id);
    if (found == controls.end()) return nullptr;
    if (found->second.kind != kind && found->second.kind != other) return nullptr;
    return static_cast<T*>(found->second.widget);
}

QWidget* QtWindowSystem::controlWidget(int id) const {
    auto found = controls.find(id);
    return found == controls.end() ? nullptr : found->second.widget;
}

void QtWindowSystem::showControl(int id, bool shown) {
    if (QWidget* widget = controlWidget(id)) widget->setVisible(shown);
}

void QtWindowSystem::moveControl(int id, ClientRect rect) {
    if (QWidget* widget = controlWidget(id)) widget->setGeometry(qtRect(rect));
}

void QtWindowSystem::setText(int id, const std::string& text) {
    auto found = controls.find(id);
    if (found == controls.end()) return;
    QWidget* widget = found->second.widget;
    switch (found->second.kind) {
    case CONTROL_LABEL:
    case CONTROL_FIELD:
        static_cast<StaticText*>(widget)->setText(fromProgramText(text));
        break;
    case CONTROL_GROUP_BOX:
        static_cast<QGroupBox*>(widget)->setTitle(fromProgramText(text));
        break;
    case CONTROL_CHECK_BOX:
    case CONTROL_PUSH_BUTTON:
        static_cast<QAbstractButton*>(widget)->setText(fromProgramText(text));
        break;
    default:
        break;
    }
}

void QtWindowSystem::setTextLook(int id, TextLook look) {
    auto found = controls.find(id);
    if (found == controls.end()) return;
    switch (found->second.kind) {
    case CONTROL_LABEL:
    case CONTROL_FIELD:
    case CONTROL_CHECK_BOX:
    case CONTROL_PUSH_BUTTON:
        applyLook(found->second.widget, shared.fonts, look);
        break;
    default:
        found->second.widget->setFont(lookFont(shared.fonts, look));
        break;
    }
}

void QtWindowSystem::repaintControl(int id) {
    auto found = controls.find(id);
    if (found == controls.end()) return;
    if (auto* list = dynamic_cast<ListBox*>(found->second.widget))
        list->viewport()->update();
    else
        found->second.widget->update();
}

void QtWindowSystem::setControlImage(int id, const uint32_t* pixels, int width, int height) {
    if (auto* picture = control<PictureBox>(id, CONTROL_PICTURE, CONTROL_PICTURE))
        picture->setImage(pixels, width, height);
}

ClientRect QtWindowSystem::controlRect(int id) {
    QWidget* widget = controlWidget(id);
    if (!widget) return ClientRect{0, 0, 0, 0};
    QRect rect = widget->geometry();
    return ClientRect{rect.x(), rect.y(), rect.width(), rect.height()};
}

bool QtWindowSystem::lastClickPosition(int id, int& clientX, int& clientY) {
    auto found = shared.lastClicks.find(id);
    if (found == shared.lastClicks.end()) return false;
    clientX = found->second.x();
    clientY = found->second.y();
    return true;
}

uint32_t QtWindowSystem::highlightColour() {
    return QApplication::palette().color(QPalette::Active, QPalette::Highlight).rgb() & 0xFFFFFF;
}

void QtWindowSystem::listClear(int id) {
    if (auto* list = control<ListBox>(id, CONTROL_LIST, CONTROL_OWNER_LIST)) list->clear();
}

void QtWindowSystem::listAdd(int id, const std::string& text) {
    if (auto* list = control<ListBox>(id, CONTROL_LIST, CONTROL_OWNER_LIST))
        list->addItem(fromProgramText(text));
}

int QtWindowSystem::listCount(int id) {
    auto* list = control<ListBox>(id, CONTROL_LIST, CONTROL_OWNER_LIST);
    return list ? list->count() : 0;
}

void QtWindowSystem::listSelect(int id, int index, bool selected) {
    if (auto* list = control<ListBox>(id, CONTROL_LIST, CONTROL_OWNER_LIST))
        list->selectItem(index, selected);
}

bool QtWindowSystem::listIsSelected(int id, int index) {
    auto* list = control<ListBox>(id, CONTROL_LIST, CONTROL_OWNER_LIST);
    return list && list->itemSelected(index);
}

int QtWindowSystem::listCurrent(int id) {
    auto* list = control<ListBox>(id, CONTROL_LIST, CONTROL_OWNER_LIST);
    return list ? list->currentRow() : -1;
}

void QtWindowSystem::listSetTop(int id, int index) {
    auto* list = control<ListBox>(id, CONTROL_LIST, CONTROL_OWNER_LIST);
    if (list && index >= 0 && index < list->count())
        list->scrollToItem(list->item(index), QAbstractItemView::PositionAtTop);
}

void QtWindowSystem::setCheck(int id, int state) {
    if (auto* box = control<TriStateBox>(id, CONTROL_CHECK_BOX, CONTROL_CHECK_BOX))
        box->setCheckState(state == 1   ? Qt::Checked
                           : state == 2 ? Qt::PartiallyChecked
                                        : Qt::Unchecked);
}

int QtWindowSystem::check(int id) {
    auto* box = control<TriStateBox>(id, CONTROL_CHECK_BOX, CONTROL_CHECK_BOX);
    if (!box) return 0;
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void QtWindowSystem::setSlider(int id, int minimum, int maximum, int position) {
    if (auto* slider = control<SliderBar>(id, CONTROL_SLIDER, CONTROL_SLIDER))
        slider->setLogicPosition(minimum, maximum, position);
}

void QtWindowSystem::present(const uint32_t* pixels, int pitch, int x, int y, int width,
                             int height) {
    if (client) client->present(pixels, pitch, QRect(x, y, width, height));
}

void QtWindowSystem::invalidate(ClientRect rect) {
    if (client) client->invalidate(qtRect(rect));
}

void QtWindowSystem::applyCursor() {
    if (!client) return;
    if (!pointerShown) {
        client->setCursor(Qt::BlankCursor);
        return;
    }
    switch (cursorShape) {
    case CURSOR_ARROW:
        client->setCursor(Qt::ArrowCursor);
        return;
    case CURSOR_CROSS:
        client->setCursor(Qt::CrossCursor);
        return;
    case CURSOR_PROGRAM_1400:
    case CURSOR_PROGRAM_1401:
        break;
    }
    auto found = programCursors.find(cursorShape);
    client->setCursor(found != programCursors.end() ? found->second : QCursor(Qt::CrossCursor));
}

void QtWindowSystem::setCursorShape(CursorShape shape) {
    cursorShape = shape;
    applyCursor();
}

void QtWindowSystem::setCursorImage(CursorShape shape, const uint32_t* pixels, int hotX, int hotY) {
    if (!pixels) return;
    programCursors[shape] = QCursor(QPixmap::fromImage(argbImage(pixels, 32, 32)), hotX, hotY);
    if (shape == cursorShape) applyCursor();
}

void QtWindowSystem::confinePointer(const ClientRect* rect) {
    if (!client) return;
    QRect area = rect ? qtRect(*rect) : QRect();
    client->confine(rect ? &area : nullptr);
}

void QtWindowSystem::warpPointer(int clientX, int clientY) {
    if (client) QCursor::setPos(client->mapToGlobal(QPoint(clientX, clientY)));
}

void QtWindowSystem::showPointer(bool shown) {
    pointerShown = shown;
    applyCursor();
}

void QtWindowSystem::pointerPosition(int& clientX, int& clientY) {
    QPoint pos = client ? client->mapFromGlobal(QCursor::pos()) : QCursor::pos();
    clientX = pos.x();
    clientY = pos.y();
}

bool QtWindowSystem::openUrl(const std::string& url) {
    return QDesktopServices::openUrl(desktopUrl(url));
}

int QtWindowSystem::run() {
    showMainWindow();
    if (!quitRequested) quitCode = QApplication::exec();
    quitRequested = false;
    return quitCode;
}

void QtWindowSystem::setContinuous(bool on) {
    if (on && !idleTimer->isActive())
        idleTimer->start();
    else if (!on)
        idleTimer->stop();
}

void QtWindowSystem::quit(int exitCode) {
    quitRequested = true;
    quitCode = exitCode;
    // Outside the event loop Qt would remember the exit and end every later
    // loop at once, dialogs included; run() sees the request instead.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(exitCode);
}

QMainWindow* QtWindowSystem::mainWindow() const {
    return window.get();
}
QWidget* QtWindowSystem::clientWidget() const {
    return client;
}
QAction* QtWindowSystem::menuAction(int id) const {
    auto found = actions.find(id);
    return found == actions.end() ? nullptr : found->second;
}
