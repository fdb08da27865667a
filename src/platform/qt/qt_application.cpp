// Start-up of the Qt editor.
#include "platform/qt/qt_application.h"

#include "platform/qt/qt_window_system.h"

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
    applyApplicationStyle();
    QtWindowSystem system;
    return body(system);
}
