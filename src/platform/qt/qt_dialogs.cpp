// The dialogs of QtWindowSystem: message boxes, the open and save file
// dialogs, and the in-place text entry over a control.
#include "platform/qt/qt_window_system.h"

#include "platform/qt/qt_main_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>

namespace {

// The line edit covering a control. Enter or closing accepts; Escape, which
// would reject a dialog, does nothing.
class InPlaceEditor : public QDialog {
  public:
    InPlaceEditor(QWidget* owner, const QRect& screenRect, const QFont& font)
        : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), edit(new QLineEdit(this)) {
        setModal(true);
        edit->setFont(font);
        edit->setGeometry(0, 0, screenRect.width(), screenRect.height());
        setGeometry(screenRect);
        connect(edit, &QLineEdit::returnPressed, this, &QDialog::accept);
    }
    QLineEdit* const edit;

    void reject() override {}

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        accept();
    }
};

// "Name (*.ffp)" -> "ffp"; "" when the filter names no single extension.
QString filterExtension(const QString& filter) {
    qsizetype open = filter.lastIndexOf(QLatin1Char('(')),
              close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open) return QString();
    QString pattern = filter.mid(open + 1, close - open - 1).trimmed();
    if (!pattern.startsWith(QStringLiteral("*.")) || pattern.contains(QLatin1Char(';')) ||
        pattern.contains(QLatin1Char(' ')))
        return QString();
    QString extension = pattern.mid(2);
    return extension.contains(QLatin1Char('*')) ? QString() : extension;
}

} // namespace

int QtWindowSystem::messageBox(const std::string& title, const std::string& text,
                               MessageButtons buttons, MessageIcon icon) {
    QMessageBox::Icon qtIcon = icon == ICON_EXCLAMATION ? QMessageBox::Warning
                               : icon == ICON_QUESTION  ? QMessageBox::Question
                                                        : QMessageBox::Information;
    QMessageBox::StandardButtons choice = QMessageBox::Ok;
    QMessageBox::StandardButton first = QMessageBox::Ok, escape = QMessageBox::Ok;
    if (buttons == BUTTONS_OK_CANCEL) {
        choice = QMessageBox::Ok | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
    } else if (buttons == BUTTONS_YES_NO_CANCEL) {
        choice = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        first = QMessageBox::Yes;
        escape = QMessageBox::Cancel;
    }
    QMessageBox box(qtIcon, fromProgramText(title), fromProgramText(text), choice, window.get());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(first);
    box.setEscapeButton(escape);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return 1;
    case QMessageBox::Yes:
        return 6;
    case QMessageBox::No:
        return 7;
    case QMessageBox::Cancel:
        return 2;
    default:
        return escape == QMessageBox::Ok ? 1 : 2;
    }
}

std::string
QtWindowSystem::fileDialog(bool save, const std::string& title,
                           const std::vector<std::pair<std::string, std::string>>& filters,
                           const std::string& start, const std::string& extension) {
    QFileDialog dialog(window.get(), fromProgramText(title));
    QStringList names;
    for (const auto& [name, pattern] : filters)
        names << fromProgramText(name) + QStringLiteral(" (") + fromProgramText(pattern) +
                     QLatin1Char(')');
    dialog.setNameFilters(names);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) {
        // A name typed without an extension gets the chosen filter's, or the
        // default one.
        QString fallback = fromProgramText(extension);
        auto useFilter = [&dialog, fallback](const QString& filter) {
            QString chosen = filterExtension(filter);
            dialog.setDefaultSuffix(chosen.isEmpty() ? fallback : chosen);
        };
        useFilter(names.isEmpty() ? QString() : names.first());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useFilter);
    }
    QString startPath = QFile::decodeName(QByteArray::fromStdString(start));
    QFileInfo startInfo(startPath);
    if (startPath.isEmpty()) {
        dialog.setDirectory(QDir::currentPath());
    } else if (startInfo.isDir()) {
        dialog.setDirectory(startInfo.absoluteFilePath());
    } else {
        dialog.setDirectory(startInfo.absolutePath());
        dialog.selectFile(startInfo.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return std::string();
    lastFilter = int(names.indexOf(dialog.selectedNameFilter())) + 1;
    if (lastFilter < 1) lastFilter = 1;
    QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? std::string() : QFile::encodeName(chosen.first()).toStdString();
}

std::string
QtWindowSystem::openFileDialog(const std::string& title,
                               const std::vector<std::pair<std::string, std::string>>& filters,
                               const std::string& start) {
    return fileDialog(false, title, filters, start, std::string());
}

std::string
QtWindowSystem::saveFileDialog(const std::string& title,
                               const std::vector<std::pair<std::string, std::string>>& filters,
                               const std::string& start, const std::string& extension) {
    return fileDialog(true, title, filters, start, extension);
}

std::string QtWindowSystem::editInPlace(int id, const std::string& text, int maxLength) {
    QWidget* field = controlWidget(id);
    if (!field || !window) return text;
    QRect screenRect(field->mapToGlobal(QPoint(0, 0)), field->size());
    InPlaceEditor editor(window.get(), screenRect, shared.fonts.panel);
    if (maxLength > 0) editor.edit->setMaxLength(maxLength);
    editor.edit->setText(fromProgramText(text));
    editor.edit->selectAll();
    editor.edit->setFocus();
    editor.exec();
    const QString entered = editor.edit->text();
    return (maxLength > 0 ? entered.left(maxLength) : entered).toUtf8().toStdString();
}
