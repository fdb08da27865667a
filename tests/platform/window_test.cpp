// The main window of the Qt backend: client size, close button, the view's
// picture, the event loop and the menu.
#include "platform/qt_test_app.h"

#include <QMenu>
#include <QMenuBar>

TEST_F(QtWindowTest, ClientAreaHasTheAskedSizeAndTheCloseButtonOnlyAsks) {
    int width = 0, height = 0;
    system->clientSize(width, height);
    EXPECT_EQ(std::pair(width, height), std::pair(800, 560));
    EXPECT_EQ(events.size, std::pair(width, height));
    system->mainWindow()->resize(system->mainWindow()->size() - QSize(100, 40));
    system->mainWindow()->close();
    processEvents();
    EXPECT_EQ(events.size, std::pair(700, 520));
    EXPECT_TRUE(events.closeRequests == 1 && system->mainWindow()->isVisible());
}

TEST_F(QtWindowTest, TheViewShowsTheLogicsFrameMemoryPixelExact) {
    // Wider than the view (a pitch of 700), every pixel distinct.
    std::vector<uint32_t> frame(700 * 512);
    for (int i = 0; i < 700 * 512; i++) frame[i] = uint32_t(i / 700 << 12 | i % 700);
    int paints = 0;
    events.onPaint = [&] { // the first repaint presents
        if (paints++ == 0) system->present(frame.data(), 700, 192, 48, 608, 512);
    };
    QImage shot = grabWidget(client);
    int wrong = 0;
    for (int y = 0; y < 512; y++)
        for (int x = 0; x < 608; x++) wrong += pixelAt(shot, 192 + x, 48 + y) != frame[y * 700 + x];
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(pixelAt(shot, 191, 300) == 0xC0C0C0u && pixelAt(shot, 500, 47) == 0xC0C0C0u);
    frame[10 * 700 + 20] = 0x123456; // a repaint shows the memory, not a copy
    EXPECT_EQ(pixelAt(grabWidget(client), 212, 58), 0x123456u);
    int before = paints;
    system->present(frame.data(), 700, 192, 48, 608, 512);
    EXPECT_EQ(paints, before); // a present paints without asking back
    system->present(nullptr, 0, 0, 0, 0, 0);
    EXPECT_EQ(pixelAt(grabWidget(client), 212, 58), 0xC0C0C0u);
}

TEST_F(QtWindowTest, ContinuousModeRunsIdleFramesUntilTheLogicQuits) {
    int frames = 0;
    events.onIdle = [&] {
        if (++frames == 3) system->quit(7);
    };
    system->setContinuous(true);
    EXPECT_EQ(system->run(), 7);
    system->setContinuous(false);
    QTimer::singleShot(50, [&] { system->quit(0); });
    EXPECT_EQ(system->run(), 0);
    EXPECT_EQ(frames, 3);
}

TEST_F(QtWindowTest, MenuHasItsEntriesAndOnlyTheLogicChangesTheirStates) {
    system->createMenu({{"&File", 1000, "Open...\tStrg-O", false},
                        {nullptr, 1001, "Save", true},
                        {nullptr, 0, "", false},
                        {"&View", 1014, "Wireframes", false}});
    QList<QAction*> popups = system->mainWindow()->menuBar()->actions();
    ASSERT_TRUE(popups.size() == 2 && popups[0]->menu()->actions().size() == 3);
    QList<QAction*> file = popups[0]->menu()->actions();
    EXPECT_TRUE(file[0]->text() == QStringLiteral("Open...\tStrg-O") && file[2]->isSeparator());
    system->setMenuState(1014, MENU_CHECKED);
    for (int id : {1014, 1000, 1001}) system->menuAction(id)->trigger();
    EXPECT_EQ(events.commands, (Commands{{1014, 0, false}, {1000, 0, false}})); // not the grayed
    EXPECT_TRUE(system->menuAction(1014)->isChecked()); // a click does not change the mark
    system->setMenuState(1014, MENU_GRAYED);
    EXPECT_FALSE(system->menuAction(1014)->isChecked() || system->menuAction(1014)->isEnabled());
}
