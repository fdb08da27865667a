// The main window of the Qt backend: client size, close button, the view's
// picture, the event loop and the menu; keyboard and pointer input (the
// accelerator table's key rules, mouse calls with the key-state word,
// confinement, the pointer's shape); text conversion and the panel font.
#include "platform/qt/qt_input_filter.h"
#include "platform/qt_test_app.h"

#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>

// The window reports its client size, and its close button only asks the
// logic; in continuous mode idle frames run until the logic quits.
TEST_F(QtWindowTest, TheWindowHasTheAskedSizeOnlyAsksToCloseRunsIdleFramesAndShowsTheView) {
    int width = 0, height = 0, frames = 0, paints = 0;
    system->clientSize(width, height);
    EXPECT_EQ(std::tuple(width, height, size), std::tuple(800, 560, std::pair(800, 560)));
    system->mainWindow()->resize(system->mainWindow()->size() - QSize(100, 40));
    system->mainWindow()->close(), processEvents();
    EXPECT_EQ(size, std::pair(700, 520));
    EXPECT_TRUE(closeRequests == 1 && system->mainWindow()->isVisible());
    onIdle = [&] { ++frames == 3 ? system->quit(7) : void(); };
    system->setContinuous(true);
    EXPECT_EQ(system->run(), 7);
    system->setContinuous(false), QTimer::singleShot(50, [&] { system->quit(0); });
    EXPECT_EQ(system->run(), 0);
    EXPECT_EQ(frames, 3);
    // The view shows the logic's frame memory, here of a pitch of 700, wider
    // than the view; the first repaint presents it. (The editor's window
    // tests see the picture land pixel-exact.)
    std::vector<uint32_t> frame(700 * 512, 0x204060);
    onPaint = [&] {
        if (paints++ == 0) system->present(frame.data(), 700, 192, 48, 608, 512);
    };
    QImage shot = grabWidget(client);
    EXPECT_TRUE(pixelAt(shot, 192, 48) == 0x204060u && pixelAt(shot, 699, 519) == 0x204060u &&
                pixelAt(shot, 191, 300) == 0xC0C0C0u && pixelAt(shot, 500, 47) == 0xC0C0C0u);
    frame[10 * 700 + 20] = 0x123456; // a repaint shows the memory, not a copy
    EXPECT_EQ(pixelAt(grabWidget(client), 212, 58), 0x123456u);
    const int before = paints;
    system->present(frame.data(), 700, 192, 48, 608, 512);
    EXPECT_EQ(paints, before); // a present paints without asking back
    system->present(nullptr, 0, 0, 0, 0, 0);
    EXPECT_EQ(pixelAt(grabWidget(client), 212, 58), 0xC0C0C0u);
}

TEST_F(QtWindowTest, MenuHasItsEntriesAndOnlyTheLogicChangesTheirStates) {
    system->createMenu({{"&File", 1000, "Open...\tStrg-O", false},
                        {nullptr, 1001, "Save", true},
                        {nullptr, 0, "", false},
                        {"&View", 1014, "Wireframes", false}});
    // (The editor's window tests read the texts.)
    QList<QAction*> popups = system->mainWindow()->menuBar()->actions();
    ASSERT_TRUE(popups.size() == 2 && popups[0]->menu()->actions().size() == 3);
    EXPECT_TRUE(popups[0]->menu()->actions()[2]->isSeparator());
    system->setMenuState(1014, MENU_CHECKED);
    for (int id : {1014, 1000, 1001}) system->menuAction(id)->trigger();
    EXPECT_EQ(commands, (Commands{{1014, 0, false}, {1000, 0, false}})); // not the grayed
    EXPECT_TRUE(system->menuAction(1014)->isChecked()); // a click does not change the mark
    system->setMenuState(1014, MENU_GRAYED);
    EXPECT_FALSE(system->menuAction(1014)->isChecked() || system->menuAction(1014)->isEnabled());
}

// Letters go with Control (Shift allowed), other keys alone. (The list tests
// see the keys reach the logic before a focused list.)
TEST(AcceleratorTable, LettersGoWithControlOtherKeysAlone) {
    const std::vector<Accelerator> table = {{ACCEL_LETTER, 'O', 1}, {ACCEL_LETTER, 'z', 2},
                                            {ACCEL_F5, 0, 3},       {ACCEL_RIGHT, 0, 4},
                                            {ACCEL_PAGE_UP, 0, 5},  {ACCEL_PAGE_DOWN, 0, 6}};
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier,
                                alt = Qt::AltModifier, pad = Qt::KeypadModifier, no;
    const std::tuple<int, Qt::KeyboardModifiers, int> cases[] = {
        {Qt::Key_O, ctrl, 1},   {Qt::Key_O, ctrl | shift, 1}, {Qt::Key_Z, ctrl, 2},
        {Qt::Key_O, no, 0},     {Qt::Key_O, ctrl | alt, 0},   {Qt::Key_F5, no, 3},
        {Qt::Key_F5, shift, 0}, {Qt::Key_F5, ctrl, 0},        {Qt::Key_Right, pad, 4},
        {Qt::Key_Left, no, 0},  {Qt::Key_PageUp, no, 5},      {Qt::Key_PageDown, no, 6}};
    for (auto [key, keys, command] : cases)
        EXPECT_EQ(acceleratorCommand(table, key, keys), command) << key << "/" << keys.toInt();
}

TEST_F(QtWindowTest, MouseCallsCarryTheKeyStateWordStayConfinedAndThePointerTakesItsShape) {
    const auto press = QEvent::MouseButtonPress, move = QEvent::MouseMove,
               release = QEvent::MouseButtonRelease;
    const Qt::MouseButton no = Qt::NoButton, left = Qt::LeftButton, right = Qt::RightButton;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, none;
    const std::tuple<QEvent::Type, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint,
                     std::tuple<char, int, int, int>>
        cases[] = {
            {press, left, left, shift, {300, 200}, {'d', KEY_LEFT | KEY_SHIFT, 300, 200}},
            {move, no, left, ctrl, {310, 190}, {'m', KEY_LEFT | KEY_CONTROL, 310, 190}},
            {press, right, left | right, none, {310, 190}, {'d', KEY_LEFT | KEY_RIGHT, 310, 190}},
            {release, left, right, none, {311, 191}, {'u', KEY_LEFT | KEY_RIGHT, 311, 191}},
            {release, Qt::MiddleButton, no, none, {5, 6}, {'u', KEY_MIDDLE, 192, 48}},
            {move, no, left, none, {800, 560}, {'m', KEY_LEFT, 799, 559}},
            {move, no, left, none, {799, 559}, {'m', KEY_LEFT, 799, 559}}};
    ClientRect view{192, 48, 608, 512};
    system->confinePointer(&view);
    for (auto [type, button, held, modifiers, at, expected] : cases) {
        sendMouse(client, type, at, button, held, modifiers);
        EXPECT_EQ(mouse.back(), expected);
    }
    system->confinePointer(nullptr), sendMouse(client, move, {50, 20}, no, no);
    EXPECT_EQ(mouse.back(), std::make_tuple('m', 0, 50, 20));
    std::vector<uint32_t> image(32 * 32, 0xFF000000); // a shape of the program's own
    system->setCursorImage(CURSOR_PROGRAM_1400, image.data(), 3, 4);
    // Hidden, whatever the shape.
    system->showPointer(false), system->setCursorShape(CURSOR_PROGRAM_1400);
    EXPECT_EQ(client->cursor().shape(), Qt::BlankCursor);
    system->showPointer(true);
    EXPECT_EQ(client->cursor().hotSpot(), QPoint(3, 4));
}

TEST(Looks, TextIsUtf8OrWindows1252AndThePanelFontFitsItsCells) {
    EXPECT_EQ(fromProgramText("K\xC3\xA4r"), QStringLiteral("K\u00E4r"));
    // Not UTF-8: 0x80..0x9F are the Windows-1252 characters, the others themselves.
    EXPECT_EQ(fromProgramText("90\xB0 \x96\x7F\x80\x9F\xA0\xFF"),
              QStringLiteral("90\u00B0 \u2013\u007F\u20AC\u0178\u00A0\u00FF"));
    EXPECT_EQ(fromProgramText("\xC3\xA4\xB0"), QStringLiteral("\u00C3\u00A4\u00B0"));
    // A line fits a list row; the longest fixed-width text of the panel fits
    // beside its check mark.
    QFontMetrics panel(makeLookFonts().panel);
    EXPECT_LE(panel.height(), OWNER_ITEM_HEIGHT);
    EXPECT_LE(panel.horizontalAdvance(QStringLiteral("Driver movement")), 109);
}
