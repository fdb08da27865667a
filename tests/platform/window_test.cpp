// The main window of the Qt backend: client size, the view's picture, menu,
// close button and the event loop's two modes.
#include "platform/qt_test_app.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

TEST_F(QtWindowTest, ClientAreaHasTheAskedSizeAndReportsResizes) {
    int width = 0, height = 0;
    system->clientSize(width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 560);
    ASSERT_FALSE(events.resizes.empty());
    EXPECT_EQ(events.resizes.back(), std::make_pair(800, 560));
    EXPECT_TRUE(system->mainWindow()->isVisible());

    system->mainWindow()->resize(system->mainWindow()->width() - 100,
                                 system->mainWindow()->height() - 40);
    processEvents();
    EXPECT_EQ(events.resizes.back(), std::make_pair(700, 520));

    system->setTitle("Vornix - car.fce");
    EXPECT_EQ(system->mainWindow()->windowTitle(), QStringLiteral("Vornix - car.fce"));
    int screenWidth = 0, screenHeight = 0;
    system->screenSize(screenWidth, screenHeight);
    EXPECT_GT(screenWidth, 0);
    EXPECT_GT(screenHeight, 0);
    EXPECT_FALSE(system->createMainWindow(&events, 640, 448, false)); // one main window
}

// A frame wider than the view, as the logic's screen-wide frame is.
struct TestFrame {
    static constexpr int pitch = 700, width = 608, height = 512;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(pitch * height);
    TestFrame() {
        for (int y = 0; y < height; y++)
            for (int x = 0; x < pitch; x++)
                pixels[y * pitch + x] = static_cast<uint32_t>((x * 7 + y * 13) & 0xFF) << 16 |
                                        static_cast<uint32_t>((x ^ y) & 0xFF) << 8 |
                                        static_cast<uint32_t>((x + y) & 0xFF);
    }
    uint32_t at(int x, int y) const { return pixels[y * pitch + x]; }
};

TEST_F(QtWindowTest, PresentedFrameIsShownPixelExactAtItsPlace) {
    TestFrame frame;
    system->present(frame.pixels.data(), TestFrame::pitch, 192, 48, TestFrame::width,
                    TestFrame::height);
    QImage shot = grabWidget(client);
    int wrong = 0;
    for (int y = 0; y < TestFrame::height; y++)
        for (int x = 0; x < TestFrame::width; x++)
            wrong += pixelAt(shot, 192 + x, 48 + y) != frame.at(x, y);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(pixelAt(shot, 100, 300), 0xC0C0C0u); // the panel around it
    EXPECT_EQ(pixelAt(shot, 500, 20), 0xC0C0C0u);
}

TEST_F(QtWindowTest, RepaintShowsTheFrameMemoryAsItIsNow) {
    TestFrame frame;
    system->present(frame.pixels.data(), TestFrame::pitch, 192, 48, TestFrame::width,
                    TestFrame::height);
    // The window keeps the logic's memory, not a copy of it.
    frame.pixels[10 * TestFrame::pitch + 20] = 0x123456;
    system->invalidate(ClientRect{192, 48, 608, 512});
    processEvents();
    EXPECT_EQ(pixelAt(grabWidget(client), 212, 58), 0x123456u);

    system->present(nullptr, 0, 0, 0, 0, 0); // forgotten: the panel colour shows
    EXPECT_EQ(pixelAt(grabWidget(client), 212, 58), 0xC0C0C0u);
}

TEST_F(QtWindowTest, PaintLetsTheLogicPresentAndNotAfterItsOwnPresent) {
    TestFrame frame;
    events.onPaint = [&] {
        system->present(frame.pixels.data(), TestFrame::pitch, 192, 48, 100, 100);
    };
    int before = events.paints;
    QImage shot = grabWidget(client);
    EXPECT_GT(events.paints, before);
    EXPECT_EQ(pixelAt(shot, 192 + 5, 48 + 7), frame.at(5, 7));
    EXPECT_EQ(pixelAt(shot, 192 + 100, 48 + 7), 0xC0C0C0u);

    before = events.paints;
    events.onPaint = nullptr;
    system->present(frame.pixels.data(), TestFrame::pitch, 192, 48, 100, 100);
    EXPECT_EQ(events.paints, before); // a present paints without asking back
}

TEST_F(QtWindowTest, CloseButtonAsksTheLogicAndKeepsTheWindow) {
    system->mainWindow()->close();
    processEvents();
    EXPECT_EQ(events.closeRequests, 1);
    EXPECT_TRUE(system->mainWindow()->isVisible());
}

TEST_F(QtWindowTest, ContinuousModeRunsIdleFramesUntilSwitchedOff) {
    processEvents();
    EXPECT_EQ(events.idleFrames, 0);
    system->setContinuous(true);
    ASSERT_TRUE(processUntil([&] { return events.idleFrames >= 5; }));
    system->setContinuous(false);
    int frames = events.idleFrames;
    processUntil([] { return false; }, 50);
    EXPECT_EQ(events.idleFrames, frames);
}

TEST_F(QtWindowTest, RunEndsWithTheQuitCode) {
    system->quit(-1); // before the loop: run returns at once
    EXPECT_EQ(system->run(), -1);

    events.onIdle = [&] {
        if (events.idleFrames == 3) system->quit(7);
    };
    system->setContinuous(true);
    EXPECT_EQ(system->run(), 7);
    EXPECT_EQ(events.idleFrames, 3);
    system->setContinuous(false);
}

namespace {
const std::vector<MenuEntry> testMenu = {
    {"&File", 1000, "Open...\tStrg-O", false},
    {nullptr, 1001, "Save\tStrg-S", true},
    {nullptr, 0, "", false},
    {nullptr, 1003, "Onload center model", false},
    {"&View", 1014, "Wireframes\tStrg-W", true},
};
}

TEST_F(QtWindowTest, MenuHasTheTextsSeparatorsAndStates) {
    system->createMenu(testMenu);
    QList<QAction*> popups = system->mainWindow()->menuBar()->actions();
    ASSERT_EQ(popups.size(), 2);
    EXPECT_EQ(popups[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(popups[1]->text(), QStringLiteral("&View"));
    QList<QAction*> file = popups[0]->menu()->actions();
    ASSERT_EQ(file.size(), 4);
    EXPECT_EQ(file[0]->text(), QStringLiteral("Open...\tStrg-O"));
    EXPECT_TRUE(file[2]->isSeparator());
    EXPECT_FALSE(file[1]->isEnabled());
    EXPECT_TRUE(file[3]->isEnabled());
    EXPECT_EQ(system->menuState(1001), MENU_GRAYED);
    EXPECT_EQ(system->menuState(1000), MENU_ENABLED);

    system->setMenuState(1014, MENU_CHECKED | MENU_GRAYED);
    EXPECT_EQ(system->menuState(1014), MENU_CHECKED | MENU_GRAYED);
    EXPECT_TRUE(system->menuAction(1014)->isChecked());
    EXPECT_FALSE(system->menuAction(1014)->isEnabled());
    system->setMenuState(1014, MENU_ENABLED);
    EXPECT_FALSE(system->menuAction(1014)->isChecked());
    EXPECT_TRUE(system->menuAction(1014)->isEnabled());
}

TEST_F(QtWindowTest, MenuItemsReportCommandsAndKeepTheirMarks) {
    system->createMenu(testMenu);
    system->setMenuState(1003, MENU_CHECKED);
    system->menuAction(1003)->trigger();
    system->menuAction(1000)->trigger();
    system->menuAction(1001)->trigger(); // grayed: nothing
    EXPECT_EQ(events.commands, (std::vector<CommandCall>{{1003, 0, false}, {1000, 0, false}}));
    EXPECT_TRUE(system->menuAction(1003)->isChecked()); // only the logic changes marks
    EXPECT_EQ(system->menuState(1003), MENU_CHECKED);
}
