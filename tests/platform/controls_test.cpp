// Child controls of the Qt backend: kinds, geometry, visibility, texts and
// looks, clicks, the slider's requests and owner-drawn painting.
#include "platform/qt_test_app.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

namespace {

bool sameRect(const ClientRect& a, const ClientRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// Fills an owner-drawn picture: `colour`, or `pressed` while selected.
auto fillPainter(uint32_t colour, uint32_t pressed) {
    return [colour, pressed](DrawItem& item, std::vector<TextRun>&) {
        std::fill(item.pixels, item.pixels + item.width * item.height,
                  item.selected ? pressed : colour);
    };
}

} // namespace

TEST_F(QtWindowTest, ControlsOfEachKindStartHiddenAtTheirPlace) {
    struct Case {
        int id;
        ControlKind kind;
        ClientRect rect;
        uint32_t style;
    };
    std::vector<Case> cases = {
        {9001, CONTROL_LABEL, {8, 48, 176, 16}, 0},
        {2003, CONTROL_FIELD, {16, 376, 50, 20}, STYLE_CENTRED | STYLE_SUNKEN | STYLE_NOTIFY},
        {9002, CONTROL_GROUP_BOX, {8, 304, 176, 56}, 0},
        {2007, CONTROL_SLIDER, {16, 336, 160, 16}, 0},
        {2020, CONTROL_CHECK_BOX, {16, 496, 128, 16}, 0},
        {2021, CONTROL_PUSH_BUTTON, {144, 496, 32, 16}, 0},
        {1200, CONTROL_OWNER_BUTTON, {240, 8, 32, 32}, 0},
        {2052, CONTROL_OWNER_STATIC, {47, 260, 130, 44}, STYLE_SUNKEN},
        {1300, CONTROL_PICTURE, {16, 320, 160, 16}, 0},
        {2008, CONTROL_LIST, {16, 168, 80, 68}, STYLE_VSCROLL | STYLE_NOTIFY},
        {2001, CONTROL_OWNER_LIST, {8, 72, 140, 224}, STYLE_MULTI_SELECT | STYLE_VSCROLL},
    };
    for (const Case& c : cases) system->createControl(c.id, c.kind, c.rect, c.style, "Test");
    for (const Case& c : cases) {
        ASSERT_NE(widget(c.id), nullptr) << c.id;
        EXPECT_FALSE(widget(c.id)->isVisible()) << c.id;
        EXPECT_EQ(widget(c.id)->parentWidget(), client) << c.id;
        EXPECT_TRUE(sameRect(system->controlRect(c.id), c.rect)) << c.id;
    }
    EXPECT_NE(qobject_cast<QLabel*>(widget(2003)), nullptr);
    EXPECT_NE(qobject_cast<QGroupBox*>(widget(9002)), nullptr);
    EXPECT_EQ(qobject_cast<QScrollBar*>(widget(2007))->orientation(), Qt::Horizontal);
    EXPECT_TRUE(qobject_cast<QCheckBox*>(widget(2020))->isTristate());
    EXPECT_NE(qobject_cast<QPushButton*>(widget(2021)), nullptr);
    EXPECT_EQ(qobject_cast<QListWidget*>(widget(2001))->selectionMode(),
              QAbstractItemView::MultiSelection);
    EXPECT_EQ(qobject_cast<QListWidget*>(widget(2008))->selectionMode(),
              QAbstractItemView::SingleSelection);

    system->showControl(2003, true);
    EXPECT_TRUE(widget(2003)->isVisible());
    system->showControl(2003, false);
    EXPECT_FALSE(widget(2003)->isVisible());
    system->moveControl(2003, ClientRect{16, 422, 50, 20});
    EXPECT_TRUE(sameRect(system->controlRect(2003), ClientRect{16, 422, 50, 20}));
    EXPECT_TRUE(sameRect(system->controlRect(4242), ClientRect{0, 0, 0, 0}));
    system->setText(4242, "nothing there"); // unknown IDs are ignored
    system->listAdd(2003, "not a list");
    EXPECT_EQ(system->listCount(2003), 0);
}

TEST_F(QtWindowTest, TextsAndLooks) {
    system->createControl(2050, CONTROL_FIELD, {146, 250, 30, 20}, STYLE_CENTRED | STYLE_SUNKEN,
                          "");
    system->createControl(9001, CONTROL_LABEL, {8, 48, 176, 16}, 0, "");
    system->createControl(9003, CONTROL_LABEL, {192, 544, 608, 16}, 0, "");
    system->createControl(9002, CONTROL_GROUP_BOX, {8, 304, 176, 56}, 0, "");
    system->setText(2050, "90\xB0");
    system->setText(9001, " Camera");
    system->setText(9002, "Light");
    EXPECT_EQ(qobject_cast<QLabel*>(widget(2050))->text(), QStringLiteral("90\u00B0"));
    EXPECT_TRUE(qobject_cast<QLabel*>(widget(2050))->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(qobject_cast<QGroupBox*>(widget(9002))->title(), QStringLiteral("Light"));

    system->setTextLook(9001, LOOK_HEADER);
    system->setTextLook(9003, LOOK_STATUS);
    EXPECT_EQ(widget(9001)->font().pixelSize(), 12);
    EXPECT_TRUE(widget(9001)->font().bold());
    EXPECT_EQ(widget(9003)->font().pixelSize(), 10);
    QImage header = grabWidget(widget(9001));
    EXPECT_EQ(pixelAt(header, 170, 8), 0x808080u);
    QImage status = grabWidget(widget(9003));
    EXPECT_EQ(pixelAt(status, 600, 8), 0x000000u);
    system->setText(9003, " Help line");
    status = grabWidget(widget(9003));
    EXPECT_GT(countLight(status, QRect(0, 0, 80, 16)), 20); // the text is white on black
    EXPECT_EQ(pixelAt(grabWidget(widget(2050)), 3, 12), 0xC0C0C0u);
}

TEST_F(QtWindowTest, FieldsNotifyOnPressWithTheClickPosition) {
    system->createControl(2003, CONTROL_FIELD, {16, 376, 50, 20}, STYLE_SUNKEN | STYLE_NOTIFY, "");
    system->createControl(2051, CONTROL_FIELD, {16, 300, 160, 40}, STYLE_SUNKEN, "");
    system->showControl(2003, true);
    system->showControl(2051, true);
    sendMouse(widget(2003), QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(events.commands, (std::vector<CommandCall>{{2003, NOTIFY_CLICKED, true}}));
    int x = 0, y = 0;
    ASSERT_TRUE(system->lastClickPosition(2003, x, y));
    EXPECT_EQ(x, 21);
    EXPECT_EQ(y, 382);
    EXPECT_FALSE(system->lastClickPosition(2051, x, y));

    // A field without notification lets the press through to the window.
    QPoint inWindow = client->mapTo(system->mainWindow(), QPoint(30, 310));
    windowMouse(system->mainWindow(), QEvent::MouseButtonPress, inWindow, Qt::LeftButton,
                Qt::LeftButton);
    windowMouse(system->mainWindow(), QEvent::MouseButtonRelease, inWindow, Qt::LeftButton,
                Qt::NoButton);
    EXPECT_EQ(events.commands.size(), 1u);
    ASSERT_EQ(events.mouse.size(), 2u);
    EXPECT_EQ(events.mouse[0], (MouseCall{'d', KEY_LEFT, 30, 310}));
}

TEST_F(QtWindowTest, CheckBoxKeepsItsStateWhenClickedAndButtonsReportClicks) {
    system->createControl(2020, CONTROL_CHECK_BOX, {16, 496, 128, 16}, 0, "Driver movement");
    system->createControl(2021, CONTROL_PUSH_BUTTON, {144, 496, 32, 16}, 0, "Test");
    system->showControl(2020, true);
    system->showControl(2021, true);
    for (int state : {0, 1, 2}) {
        system->setCheck(2020, state);
        EXPECT_EQ(system->check(2020), state);
    }
    click(widget(2020), {4, 8});
    EXPECT_EQ(system->check(2020), 2); // the logic decides the next state
    click(widget(2021), {16, 8});
    EXPECT_EQ(events.commands, (std::vector<CommandCall>{{2020, NOTIFY_CLICKED, true},
                                                         {2021, NOTIFY_CLICKED, true}}));
    int x = 0, y = 0;
    ASSERT_TRUE(system->lastClickPosition(2021, x, y));
    EXPECT_EQ(x, 160);
    EXPECT_EQ(y, 504);
    EXPECT_EQ(qobject_cast<QCheckBox*>(widget(2020))->text(), QStringLiteral("Driver movement"));
}

TEST_F(QtWindowTest, SliderReportsRequestsAndTheLogicMovesTheThumb) {
    system->createControl(2007, CONTROL_SLIDER, {16, 336, 160, 16}, 0, "");
    system->setSlider(2007, 0, 100, 40);
    auto* slider = qobject_cast<QScrollBar*>(widget(2007));
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 100);
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    slider->triggerAction(QAbstractSlider::SliderSingleStepSub);
    slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    slider->triggerAction(QAbstractSlider::SliderPageStepSub);
    slider->triggerAction(QAbstractSlider::SliderToMaximum); // no request of its own
    EXPECT_EQ(events.scrolls, (std::vector<ScrollCall>{{2007, SCROLL_LINE_RIGHT, 41},
                                                       {2007, SCROLL_LINE_LEFT, 39},
                                                       {2007, SCROLL_PAGE_RIGHT, 41},
                                                       {2007, SCROLL_PAGE_LEFT, 39}}));
    EXPECT_EQ(slider->value(), 40); // nobody moved it

    events.onScroll = [&](const ScrollCall& call) {
        system->setSlider(2007, 0, 100, call.position + 9);
    };
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(slider->value(), 50);
}

TEST_F(QtWindowTest, OwnerButtonPaintsThroughTheLogicAndClicksOnRelease) {
    system->createControl(1200, CONTROL_OWNER_BUTTON, {240, 8, 32, 32}, 0, "");
    system->showControl(1200, true);
    events.painter = [](DrawItem& item, std::vector<TextRun>& text) {
        std::fill(item.pixels, item.pixels + item.width * item.height,
                  item.selected ? 0x445566u : 0x112233u);
        text.push_back({2, 2, 0xFFFFFF, LOOK_PANEL, "W"});
    };
    QImage shot = grabWidget(widget(1200));
    ASSERT_FALSE(events.draws.empty());
    EXPECT_EQ(events.draws.back().width, 32);
    EXPECT_EQ(events.draws.back().height, 32);
    EXPECT_EQ(events.draws.back().index, -1);
    EXPECT_FALSE(events.draws.back().selected);
    EXPECT_EQ(pixelAt(shot, 30, 30), 0x112233u);
    EXPECT_GT(countLight(shot, QRect(2, 2, 14, 16)), 5); // the text run over the picture
    EXPECT_EQ(countLight(shot, QRect(18, 18, 14, 14)), 0);

    events.draws.clear();
    sendMouse(widget(1200), QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(events.draws.size(), 1u);
    EXPECT_TRUE(events.draws[0].selected);
    EXPECT_TRUE(events.draws[0].selectionOnly);
    EXPECT_EQ(pixelAt(grabWidget(widget(1200)), 30, 30), 0x445566u);
    EXPECT_TRUE(events.commands.empty());
    sendMouse(widget(1200), QEvent::MouseButtonRelease, {12, 14}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(events.draws.back().selected);
    EXPECT_EQ(events.commands, (std::vector<CommandCall>{{1200, NOTIFY_CLICKED, true}}));
    int x = 0, y = 0;
    ASSERT_TRUE(system->lastClickPosition(1200, x, y));
    EXPECT_EQ(x, 252);
    EXPECT_EQ(y, 22);

    // Dragged off before the release: no click, and it looks released again.
    events.draws.clear();
    sendMouse(widget(1200), QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(widget(1200), QEvent::MouseMove, {50, 10}, Qt::NoButton, Qt::LeftButton);
    sendMouse(widget(1200), QEvent::MouseButtonRelease, {50, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(events.commands.size(), 1u);
    ASSERT_EQ(events.draws.size(), 2u);
    EXPECT_FALSE(events.draws[1].selected);
}

TEST_F(QtWindowTest, OwnerStaticPaintsInsideItsFrameAndKeepsThePicture) {
    system->createControl(2052, CONTROL_OWNER_STATIC, {47, 260, 130, 44}, STYLE_SUNKEN, "");
    system->showControl(2052, true);
    events.painter = fillPainter(0x3366CC, 0);
    QImage shot = grabWidget(widget(2052));
    EXPECT_EQ(events.draws.back().width, 128);
    EXPECT_EQ(events.draws.back().height, 42);
    EXPECT_EQ(pixelAt(shot, 64, 22), 0x3366CCu);
    EXPECT_NE(pixelAt(shot, 0, 0), 0x3366CCu); // the frame

    events.painter = nullptr; // a paint that draws nothing shows the last picture
    EXPECT_EQ(pixelAt(grabWidget(widget(2052)), 64, 22), 0x3366CCu);

    // Clicks go through an owner static without notification.
    QPoint inWindow = client->mapTo(system->mainWindow(), QPoint(100, 280));
    windowMouse(system->mainWindow(), QEvent::MouseButtonPress, inWindow, Qt::LeftButton,
                Qt::LeftButton);
    EXPECT_TRUE(events.commands.empty());
    ASSERT_EQ(events.mouse.size(), 1u);
    EXPECT_EQ(events.mouse[0], (MouseCall{'d', KEY_LEFT, 100, 280}));
}

TEST_F(QtWindowTest, PictureShowsItsImage) {
    system->createControl(1302, CONTROL_PICTURE, {16, 144, 120, 16}, 0, "");
    std::vector<uint32_t> image(120 * 16);
    for (int i = 0; i < 120 * 16; i++) image[i] = (i % 120 < 60) ? 0xFF0000 : 0x00FF00;
    system->setControlImage(1302, image.data(), 120, 16);
    image.assign(image.size(), 0); // the picture keeps its own copy
    QImage shot = grabWidget(widget(1302));
    EXPECT_EQ(pixelAt(shot, 10, 5), 0xFF0000u);
    EXPECT_EQ(pixelAt(shot, 100, 12), 0x00FF00u);
}
