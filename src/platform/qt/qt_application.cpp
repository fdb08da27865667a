// Start-up of the Qt editor.
#include "platform/qt/qt_application.h"

#include "platform/qt/qt_window_system.h"
#include "vornix_version.h"

#include <QApplication>
#include <QStyleFactory>

void applyApplicationStyle() {
    // The plain bevelled style fits the grey panel of square controls best.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
}

int runQtApplication(int argc, char** argv, const std::function<int(WindowSystem&)>& body) {
    int count = argc; // QApplication keeps a reference to it
    QApplication application(count, argv);
    // The desktop ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORNIX_APP_ID));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORNIX_VERSION));
    applyApplicationStyle();
    QtWindowSystem system;
    return body(system);
}
