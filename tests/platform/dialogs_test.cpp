// Dialogs of the Qt backend: message boxes and their answers, the in-place
// edit over a field, the open and save dialogs.
#include "platform/qt_test_app.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

TEST_F(QtWindowTest, MessageBoxesFileDialogsAndTheInPlaceEditGiveTheAnswer) {
    using Box = QMessageBox;
    // The button pressed (NoButton: Escape), the icon shown and the answer.
    const std::tuple<MessageButtons, MessageIcon, Box::StandardButton, Box::Icon, int> cases[] = {
        {BUTTONS_YES_NO_CANCEL, ICON_QUESTION, Box::No, Box::Question, 7},
        {BUTTONS_OK_CANCEL, ICON_EXCLAMATION, Box::NoButton, Box::Warning, 2},
        {BUTTONS_OK, ICON_INFORMATION, Box::NoButton, Box::Information, 1}};
    for (auto [buttons, icon, press, qtIcon, answer] : cases) {
        whenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            EXPECT_EQ(box->windowTitle() + box->text(), QStringLiteral("Save\u00B0?"));
            EXPECT_EQ(box->icon(), qtIcon) << answer;
            press == Box::NoButton ? pressKey(box, Qt::Key_Escape) : box->button(press)->click();
        });
        EXPECT_EQ(system->messageBox("Save", "\xB0?", buttons, icon), answer);
    }
    // The open and save dialogs start where asked; the save dialog adds the
    // chosen filter's extension (none chosen: the default).
    TempDir folder;
    const std::vector<std::pair<std::string, std::string>> filters = {{"Partfile", "*.ffp"},
                                                                      {"Wavefront", "*.obj"}};
    for (QString filter : {QString(), QStringLiteral("Wavefront (*.obj)")}) {
        whenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            EXPECT_EQ(dialog->nameFilters().join(";"), "Partfile (*.ffp);Wavefront (*.obj)");
            if (!filter.isEmpty()) dialog->selectNameFilter(filter), emit dialog->filterSelected(filter);
            dialog->selectFile(QStringLiteral("wheel"));
            static_cast<QDialog*>(dialog)->accept(); // as the Save button does
        });
        EXPECT_EQ(system->saveFileDialog("Export", filters, folder.path().string(), "ffp"),
                  folder.file(filter.isEmpty() ? "wheel.ffp" : "wheel.obj"));
        EXPECT_EQ(system->chosenFileFilter(), filter.isEmpty() ? 1 : 2);
    }
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        EXPECT_EQ(dialog->directory().absolutePath().toStdString() + "/car.fce", sampleFce());
        static_cast<QDialog*>(dialog)->accept(); // the start file is selected
    });
    EXPECT_EQ(system->openFileDialog("Open", filters, sampleFce()), sampleFce());
    // The in-place edit covers the field, and only Enter ends it.
    system->setAccelerators({{ACCEL_LETTER, 'O', 1000}, {ACCEL_DOWN, 0, 1112}});
    show(2003, CONTROL_FIELD, {16, 376, 50, 20}, STYLE_NOTIFY);
    whenModalOpens([&](QWidget* editor) {
        auto* edit = editor->findChild<QLineEdit*>();
        EXPECT_EQ(editor->geometry(), QRect(client->mapToGlobal(QPoint(16, 376)), QSize(50, 20)));
        EXPECT_TRUE(edit->text() == QStringLiteral("1.000") && edit->maxLength() == 6);
        // The program's keys wait until it ends.
        pressKey(client, Qt::Key_Down), pressKey(edit, Qt::Key_O, Qt::ControlModifier);
        pressKey(edit, Qt::Key_Escape);
        EXPECT_TRUE(editor->isVisible());
        edit->setText(QStringLiteral("2,25 \u00E9")), pressKey(edit, Qt::Key_Return);
    });
    EXPECT_EQ(system->editInPlace(2003, "1.000", 6), "2,25 \xC3\xA9"); // UTF-8
    EXPECT_TRUE(commands.empty());
}
