// Keyboard and pointer input of the Qt backend: accelerators before the
// controls, mouse calls with the key-state word, confinement, the pointer's shape.
#include "platform/qt_test_app.h"

TEST_F(QtWindowTest, AcceleratorsComeBeforeAFocusedList) {
    system->setAccelerators({{ACCEL_LETTER, 'O', 1}, {ACCEL_TAB, 0, 2}, {ACCEL_DOWN, 0, 3}});
    system->createControl(2008, CONTROL_LIST, {16, 168, 80, 68}, 0, "");
    for (int i = 0; i < 3; i++) system->listAdd(2008, "Group");
    system->showControl(2008, true);
    widget(2008)->setFocus();
    for (int key : {Qt::Key_Down, Qt::Key_Tab}) pressKey(widget(2008), key);
    pressKey(widget(2008), Qt::Key_O, Qt::ControlModifier);
    pressKey(widget(2008), Qt::Key_End); // not an accelerator: the list's own
    EXPECT_EQ(
        events.commands,
        (Commands{{3, 0, false}, {2, 0, false}, {1, 0, false}, {2008, NOTIFY_SELECTION, true}}));
    EXPECT_TRUE(widget(2008)->hasFocus()); // the list never saw the Tab, nor the arrow
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
        EXPECT_EQ(events.mouse.back(), expected);
    }
    system->confinePointer(nullptr);
    sendMouse(client, move, {50, 20}, no, no);
    EXPECT_EQ(events.mouse.back(), std::make_tuple('m', 0, 50, 20));
    std::vector<uint32_t> image(32 * 32, 0xFF000000); // a shape of the program's own
    system->setCursorImage(CURSOR_PROGRAM_1400, image.data(), 3, 4);
    system->showPointer(false); // hidden whatever the shape
    system->setCursorShape(CURSOR_PROGRAM_1400);
    EXPECT_EQ(client->cursor().shape(), Qt::BlankCursor);
    system->showPointer(true);
    EXPECT_EQ(client->cursor().hotSpot(), QPoint(3, 4));
}
