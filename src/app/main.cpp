#include <QApplication>
#include <QTextStream>

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "app/QuitAfterFirstPaint.h"
#include "check/CheckCommand.h"
#include "desktop/QtDesktop.h"
#include "output/FileWrite.h"
#include "window/Shell.h"

namespace {

// --check, --help and --version run without a display.
int runWithoutWindow(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return vtl::runCommandLine(QCoreApplication::arguments(), out, err);
}

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    vtl::ignoreFileSizeSignal();
    if (!vtl::commandLineWantsWindow(argumentsOf(argc, argv))) {
        return runWithoutWindow(argc, argv);
    }
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
