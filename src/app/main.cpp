#include <QApplication>
#include <QTextStream>

#include "app/AppWindows.h"
#include "app/IconAfterFirstPaint.h"
#include "app/LazyIconStyle.h"
#include "app/MainWindow.h"
#include "app/QuitAfterFirstPaint.h"
#include "check/CheckCommand.h"
#include "core/FileWrite.h"
#include "desktop/QtDesktop.h"
#include "icon/ProgramIcon.h"
#include "ini/AppPaths.h"
#include "models/Shell.h"
#include "platform/Platform.h"

namespace {

// --check, --help and --version run without a display.
int runWithoutWindow(int argc, char** argv) {
    vtl::platform::useParentConsole();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QList<QByteArray> native;
    for (int i = 0; i < argc; ++i) {
        native << QByteArray(argv[i]);
    }
    return vtl::runCommandLine(QCoreApplication::arguments(), out, err, native);
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
    // Before any widget: icons are read when drawn, not when made.
    QApplication::setStyle(new vtl::LazyIconStyle(QApplication::style()->name()));
    QApplication::setApplicationName(QStringLiteral("Vantorel G2"));
    QApplication::setDesktopFileName(vtl::appId());
    vtl::QtDesktop desktop;

    // The start-up sheet tells a folder with the program's data.
    const auto paths = vtl::AppPaths::ofThisProgram(
        u'/' + QString::fromUtf16(vtl::sheetFile(vtl::BuiltInSheet::Q3White)));
    QString error;
    if (!paths.createUserSettings(&error)) {
        // Like any failed settings write, not worth a message box: the
        // program runs on as with no settings file.
        qWarning("vantorel: cannot create the settings file %s", qPrintable(error));
    }

    vtl::AppWindows windows(desktop, paths);
    vtl::Shell shell(desktop, windows, paths);
    windows.setShell(&shell);
    const vtl::IconAfterFirstPaint icon;
    vtl::QuitAfterFirstPaint quitAfterShow;
    if (vtl::QuitAfterFirstPaint::wanted()) {
        quitAfterShow.watch();
    }
    shell.start();
    return quitAfterShow.fired() ? 0 : app.exec();
}
