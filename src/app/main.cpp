#include <QApplication>

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "app/QuitAfterFirstPaint.h"
#include "desktop/QtDesktop.h"
#include "window/Shell.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel G2"));
    vtl::QtDesktop desktop;
    const QString appDir = QCoreApplication::applicationDirPath();
    vtl::AppWindows windows(desktop, appDir);
    vtl::Shell shell(desktop, windows, appDir);
    windows.setShell(&shell);
    shell.start();

    vtl::QuitAfterFirstPaint quitAfterShow;
    if (vtl::QuitAfterFirstPaint::wanted() && windows.mainWindow() != nullptr) {
        windows.mainWindow()->installEventFilter(&quitAfterShow);
    }
    return app.exec();
}
