// Dialogs of the Qt backend: message boxes and their answers, the in-place
// edit over a field, the open and save dialogs.
#include "platform/qt_test_app.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// What a message box showed.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

} // namespace

TEST_F(QtWindowTest, MessageBoxesShowTitleTextIconAndAnswer) {
    std::shared_ptr<BoxSeen> seen;
    auto expectBox = [&](QMessageBox::StandardButton button, bool escape) {
        seen = std::make_shared<BoxSeen>();
        whenModalOpens([seen, button, escape](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->icon = box->icon();
            seen->buttons = box->standardButtons();
            if (escape)
                pressKey(box, Qt::Key_Escape);
            else
                box->button(button)->click();
        });
    };
    expectBox(QMessageBox::No, false);
    EXPECT_EQ(system->messageBox("Question", "Save FCE file before closing?", BUTTONS_YES_NO_CANCEL,
                                 ICON_QUESTION),
              7);
    EXPECT_EQ(seen->title, QStringLiteral("Question"));
    EXPECT_EQ(seen->text, QStringLiteral("Save FCE file before closing?"));
    EXPECT_EQ(seen->icon, QMessageBox::Question);
    EXPECT_EQ(seen->buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    expectBox(QMessageBox::Yes, false);
    EXPECT_EQ(system->messageBox("Question", "?", BUTTONS_YES_NO_CANCEL, ICON_QUESTION), 6);
    expectBox(QMessageBox::Cancel, true);
    EXPECT_EQ(system->messageBox("Question", "?", BUTTONS_YES_NO_CANCEL, ICON_QUESTION), 2);
    expectBox(QMessageBox::Ok, false);
    EXPECT_EQ(system->messageBox("Question", "?", BUTTONS_OK_CANCEL, ICON_QUESTION), 1);
    expectBox(QMessageBox::Cancel, true);
    EXPECT_EQ(system->messageBox("Question", "?", BUTTONS_OK_CANCEL, ICON_QUESTION), 2);

    expectBox(QMessageBox::Ok, true); // Escape on a lone OK is OK
    EXPECT_EQ(system->messageBox("Error", "Error:2", BUTTONS_OK, ICON_EXCLAMATION), 1);
    EXPECT_EQ(seen->icon, QMessageBox::Warning);
    EXPECT_EQ(seen->buttons, QMessageBox::Ok);
    expectBox(QMessageBox::Ok, false);
    EXPECT_EQ(system->messageBox("Message", "Colors can only be displayed on textures.", BUTTONS_OK,
                                 ICON_INFORMATION),
              1);
    EXPECT_EQ(seen->icon, QMessageBox::Information);
    EXPECT_EQ(seen->title, QStringLiteral("Message"));
}

TEST_F(QtWindowTest, InPlaceEditCoversTheFieldAndOnlyEnterOrCloseEndsIt) {
    system->createControl(2003, CONTROL_FIELD, {16, 376, 50, 20}, STYLE_NOTIFY | STYLE_SUNKEN, "");
    system->showControl(2003, true);
    QRect field(widget(2003)->mapToGlobal(QPoint(0, 0)), QSize(50, 20));
    bool stillOpenAfterEscape = false;
    QRect editorRect;
    QString shownText;
    int maxLength = 0;
    whenModalOpens([&](QWidget* editor) {
        auto* edit = editor->findChild<QLineEdit*>();
        editorRect = editor->geometry();
        shownText = edit->text();
        maxLength = edit->maxLength();
        pressKey(edit, Qt::Key_Escape);
        processEvents();
        stillOpenAfterEscape = editor->isVisible();
        edit->setText(QStringLiteral("2,25 \u00E9"));
        pressKey(edit, Qt::Key_Return);
    });
    EXPECT_EQ(system->editInPlace(2003, "1.000", 63), "2,25 \xC3\xA9"); // UTF-8
    EXPECT_EQ(editorRect, field);
    EXPECT_EQ(shownText, QStringLiteral("1.000"));
    EXPECT_EQ(maxLength, 63);
    EXPECT_TRUE(stillOpenAfterEscape);

    whenModalOpens([](QWidget* editor) {
        editor->findChild<QLineEdit*>()->setText(QStringLiteral("left_front"));
        editor->close();
    });
    EXPECT_EQ(system->editInPlace(2003, "wheel", 63), "left_front");
}

TEST_F(QtWindowTest, SaveDialogHasTitleFiltersAndAddsTheExtension) {
    TempDir folder;
    const std::vector<std::pair<std::string, std::string>> filters = {
        {"Vornix Partfile ", "*.ffp"}, {"Wavefront OBJ", "*.obj"}, {"AutoCAD DXF", "*.dxf"}};
    QString title;
    QStringList names;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        names = dialog->nameFilters();
        dialog->selectFile(QStringLiteral("wheel"));
        static_cast<QDialog*>(dialog)->accept(); // as the Save or Open button does
    });
    std::string chosen =
        system->saveFileDialog("Export part as:", filters, folder.path().string(), "ffp");
    EXPECT_EQ(title, QStringLiteral("Export part as:"));
    EXPECT_EQ(names, (QStringList{QStringLiteral("Vornix Partfile (*.ffp)"),
                                  QStringLiteral("Wavefront OBJ (*.obj)"),
                                  QStringLiteral("AutoCAD DXF (*.dxf)")}));
    EXPECT_EQ(chosen, folder.file("wheel.ffp"));

    // The filter the user picks gives the extension.
    whenModalOpens([](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        dialog->selectNameFilter(QStringLiteral("Wavefront OBJ (*.obj)"));
        emit dialog->filterSelected(QStringLiteral("Wavefront OBJ (*.obj)"));
        dialog->selectFile(QStringLiteral("wheel"));
        static_cast<QDialog*>(dialog)->accept(); // as the Save or Open button does
    });
    EXPECT_EQ(system->saveFileDialog("Export part as:", filters, folder.path().string(), "ffp"),
              folder.file("wheel.obj"));
}

TEST_F(QtWindowTest, OpenDialogStartsAtTheGivenFileAndCanBeCancelled) {
    TempDir folder;
    writeBytes(folder.file("car.fce"), {1, 2, 3});
    QString directory;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        directory = dialog->directory().absolutePath();
        dialog->selectFile(QStringLiteral("car.fce"));
        static_cast<QDialog*>(dialog)->accept(); // as the Save or Open button does
    });
    std::string chosen = system->openFileDialog(
        "Open NFS4 FCE file:", {{"NFS4 FCE files", "*.fce"}}, folder.file("car.fce"));
    EXPECT_EQ(chosen, folder.file("car.fce"));
    EXPECT_EQ(directory.toStdString(), folder.path().string());

    whenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(system->openFileDialog("Open NFS4 FCE file:", {{"NFS4 FCE files", "*.fce"}}, ""), "");
}

TEST_F(QtWindowTest, SaveDialogAsksBeforeReplacingAFile) {
    TempDir folder;
    writeBytes(folder.file("car.fce"), {1});
    auto isBox = [](QWidget* modal) { return qobject_cast<QMessageBox*>(modal) != nullptr; };
    bool keptOpen = false;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = static_cast<QDialog*>(modal);
        static_cast<QFileDialog*>(modal)->selectFile(QStringLiteral("car"));
        whenModalOpens(
            [](QWidget* box) { qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click(); },
            isBox);
        dialog->accept(); // asks; No keeps the dialog open
        keptOpen = dialog->isVisible();
        whenModalOpens(
            [](QWidget* box) {
                auto* question = qobject_cast<QMessageBox*>(box);
                question->button(QMessageBox::Yes)->click();
            },
            isBox);
        dialog->accept();
    });
    EXPECT_EQ(system->saveFileDialog("Save NFS4 FCE file as:", {{"NFS4 FCE files", "*.fce"}},
                                     folder.path().string(), "fce"),
              folder.file("car.fce"));
    EXPECT_TRUE(keptOpen);
}
