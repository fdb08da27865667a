// The editor on the real Qt backend (offscreen): start with the sample car,
// menu texts and states, accelerators, the 3D view in the window, button
// pictures, quitting with and without unsaved changes, the wheel, dropped
// files and the smallest window.
#include "app/app_state.h"
#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/panels.h"
#include "model/car_model.h"
#include "platform/qt/qt_window_system.h"
#include "platform/qt_test_app.h"
#include "render/render.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>

#include <filesystem>

namespace {

class EditorOnQt : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const std::string name : {"car.fce", "car00.tga"})
            std::filesystem::copy_file(sourcePath("data/sample/" + name), dir.file(name));
        options.appDir = sourcePath("data"), options.configPath = dir.file("Vornix.cfg");
        options.openFile = fce;
        ASSERT_TRUE(startEditor(*ws, options));
        processEvents();
    }
    void TearDown() override {
        shutDownEditor(), ws.reset();
        model = {}, app = {}, render = {}, camera = {}, light = {}, motion = {}, buttons = {};
    }
    // A key pressed in the window, and what it brings about.
    void press(int key, Qt::KeyboardModifiers keys = {}) {
        pressKey(window(), key, keys), processEvents();
    }
    QMainWindow* window() { return qobject_cast<QMainWindow*>(ws->clientWidget()->window()); }
    QAction* action(const QString& text) {
        for (QAction* menu : window()->menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                if (item->text() == text) return item;
        return nullptr;
    }

    TempDir dir;
    const std::string fce = dir.file("car.fce");
    StartOptions options;
    std::unique_ptr<QtWindowSystem> ws = std::make_unique<QtWindowSystem>();
};

} // namespace

TEST_F(EditorOnQt, ShowsTheSampleCarPixelExactAtTheViewCorner) {
    ASSERT_TRUE(model.modelLoaded);
    EXPECT_EQ(window()->windowTitle(), "Vornix: car.fce");
    const QImage shot = grabWidget(ws->clientWidget());
    ASSERT_GE(shot.width(), 192 + frame.viewWidth);
    EXPECT_GT(frame.viewWidth / 5 * (frame.viewHeight / 7), 1000); // pixels compared below
    for (int y = 0; y < frame.viewHeight; y += 7)
        for (int x = 0; x < frame.viewWidth; x += 5)
            ASSERT_EQ(pixelAt(shot, 192 + x, 48 + y), *::pixelAt(x, y) & 0xFFFFFF) << x << "," << y;
    // The car is there: the view is not all background.
    int lit = 0;
    for (int y = 0; y < frame.viewHeight; y += 4)
        for (int x = 0; x < frame.viewWidth; x += 4) lit += (*::pixelAt(x, y) & 0xFFFFFF) != 0;
    EXPECT_GT(lit, 500);
}

TEST_F(EditorOnQt, MenuAndAcceleratorsReachTheCommands) {
    const QList<QAction*> menus = window()->menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_FALSE(action("Undo\tStrg-Z")->isEnabled());
    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE((render.viewFlags & VIEW_WIREFRAME) && action("Wireframes\tStrg-W")->isChecked());
    press(Qt::Key_Tab);
    EXPECT_EQ(camera.currentCamera, 1);
}

TEST_F(EditorOnQt, SaveAfterAFailedOpenLeavesTheCarAlone) {
    const std::vector<uint8_t> saved = readBytes(fce);
    writeBytes(dir.file("broken.fce"), std::vector<uint8_t>(100, 0));
    QString refusal;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(dir.file("broken.fce")));
        static_cast<QDialog*>(dialog)->accept();
        whenModalOpens([&](QWidget* next) { // the message saying why
            auto* box = qobject_cast<QMessageBox*>(next);
            ASSERT_NE(box, nullptr);
            refusal = box->text(), box->button(QMessageBox::Ok)->click();
        });
    });
    press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_FALSE(model.modelLoaded);
    EXPECT_TRUE(refusal.startsWith("Unreadable FCE file")) << refusal.toStdString();
    EXPECT_FALSE(action("Save\tStrg-S")->isEnabled());

    press(Qt::Key_S, Qt::ControlModifier); // no message, no dialog
    EXPECT_TRUE(!QApplication::activeModalWidget() && readBytes(fce) == saved &&
                dir.entries() == 3);
}

// A wheel notch over the view zooms as a ten-pixel drag upward; of the URLs
// dropped the first local file opens. The window cannot be made smaller than
// its layout needs.
TEST_F(EditorOnQt, TheWheelZoomsADroppedCarOpensAndTheWindowKeepsItsLeast) {
    QWidget* client = ws->clientWidget();
    const float distance = camera.live.distance;
    const QPointF at(192 + 100, 48 + 100);
    QWheelEvent wheel(at, client->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(client, &wheel);
    EXPECT_EQ(camera.live.distance, float(distance + 0.02 * -10.0));
    for (const std::string name : {"other.fce", "other00.tga"})
        std::filesystem::copy_file(dir.file("car" + name.substr(5)), dir.file(name));
    QMimeData files;
    files.setUrls({QUrl("https://example.org/car.fce"),
                   QUrl::fromLocalFile(QString::fromStdString(dir.file("other.fce"))),
                   QUrl::fromLocalFile(QString::fromStdString(fce))});
    QDragEnterEvent enter({300, 300}, Qt::CopyAction, &files, Qt::NoButton, {});
    QApplication::sendEvent(window(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &files, Qt::NoButton, {});
    QApplication::sendEvent(window(), &drop), processEvents();
    EXPECT_EQ(window()->windowTitle(), "Vornix: other.fce");
    window()->resize(1, 1), processEvents();
    EXPECT_EQ(client->size(), QSize(topStripMinimumWidth(), panelMinimumHeight()));
}

TEST_F(EditorOnQt, QuitWritesTheSettingsAndEndsTheLoop) {
    press(Qt::Key_Q, Qt::ControlModifier); // nothing to save: no question
    EXPECT_TRUE(std::filesystem::exists(options.configPath));
    EXPECT_EQ(ws->run(), 0); // the request ends the loop at once (kept last: it is Qt's)
}

// A group with its angle off, made of the body's triangles in the middle of
// the view: it shows there, current (yellow) and shaded flat, and the view
// changes nowhere else.
TEST_F(EditorOnQt, AGroupMadeOnTheBodyChangesItsShadingWhereItLies) {
    QWidget* client = ws->clientWidget();
    auto click = [&](int id) {
        const ClientRect r = ws->controlRect(id);
        const QPoint at(r.x + r.width / 2, r.y + r.height / 2);
        QWidget* button = client->childAt(at);
        ASSERT_NE(button, nullptr) << id;
        leftDrag(button, button->mapFrom(client, at), button->mapFrom(client, at)), processEvents();
    };
    whenModalOpens([](QWidget* modal) { // "The normals ... have to be initalized."
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
    });
    press(Qt::Key_F7);
    ASSERT_EQ(render.page, PAGE_SURFACES);
    const QImage before = grabWidget(client);
    click(1262); // the rectangle tool that takes any triangle touching it
    const QRect band(192 + 200, 48 + 180, 200, 80);
    leftDrag(client, band.topLeft(), band.bottomRight()), processEvents(), click(1207);
    const ClientRect bar = ws->controlRect(ID_SLIDER);
    auto* slider = qobject_cast<QAbstractSlider*>(
        client->childAt(bar.x + bar.width / 2, bar.y + bar.height / 2));
    ASSERT_NE(slider, nullptr);
    for (int step = 0; step < 10; ++step) // down to "off", ten at a time
        slider->triggerAction(QAbstractSlider::SliderPageStepSub);
    processEvents();
    EXPECT_EQ(model.groups[0][model.currentGroup[0]].smoothAngle, 0);
    click(1211), processEvents(); // nothing selected
    EXPECT_EQ(model.groupCount[0], 6);
    const QImage after = grabWidget(client);
    int inside = 0, outside = 0;
    for (int y = 48; y < 48 + frame.viewHeight; ++y)
        for (int x = 192; x < 192 + frame.viewWidth; ++x)
            if (pixelAt(before, x, y) != pixelAt(after, x, y))
                ++(band.adjusted(-60, -60, 60, 60).contains(x, y) ? inside : outside);
    EXPECT_TRUE(inside > 500 && outside == 0) << inside << " inside, " << outside << " outside";
}

// The Colors page tints the textured car with a picked hue; the mapping
// edit shows the texture with the mapped outlines at the view's corner.
TEST_F(EditorOnQt, AHuePickTintsTheCarAndTheMappingEditShowsTheTexture) {
    QWidget* client = ws->clientWidget();
    whenModalOpens([](QWidget* modal) { // "Colors can only be displayed on textures."
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
    });
    press(Qt::Key_F9); // Colors
    const QImage before = grabWidget(client);
    const ClientRect bar = ws->controlRect(ID_HUE_BAR);
    leftDrag(client->childAt(bar.x + 5, bar.y + 120), {5, 120}, {5, 120}), processEvents();
    EXPECT_EQ(model.colorLayers[0][0].hue, 119);
    const QImage tinted = grabWidget(client);
    int changed = 0;
    for (int y = 48; y < 48 + frame.viewHeight; y += 2)
        for (int x = 192; x < 192 + frame.viewWidth; x += 2)
            changed += pixelAt(before, x, y) != pixelAt(tinted, x, y);
    EXPECT_GT(changed, 2000);

    press(Qt::Key_F10); // Textures
    for (int t = 0; t < model.header.partTriangleCount[0]; ++t)
        model.triangles[t].flags |= TRI_SELECTED;
    const ClientRect button = ws->controlRect(1270); // along X: the car's side
    leftDrag(client->childAt(button.x + 4, button.y + 4), {4, 4}, {4, 4}), processEvents();
    ASSERT_TRUE(render.textureMappingActive);
    // The view's left 512 columns show the tinted texture, texel for pixel,
    // except where the mapped triangles' outlines cross it.
    const QImage mapped = grabWidget(client);
    int texels = 0, outlines = 0;
    for (int y = 0; y < std::min(512, frame.viewHeight); ++y)
        for (int x = 0; x < 512; ++x) {
            const uint8_t* t = model.textureImage + (y * 512 + x) * 4;
            const uint32_t texel = uint32_t(t[2]) << 16 | uint32_t(t[1]) << 8 | t[0];
            ++(pixelAt(mapped, 192 + x, 48 + y) == texel ? texels : outlines);
        }
    EXPECT_GT(texels, 512 * 400);
    EXPECT_GT(outlines, 1000);
}
