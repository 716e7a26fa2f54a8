#include <QApplication>
#include <QTimer>

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "app/QtDesktop.h"
#include "app/Shell.h"

namespace {

// For the start-up benchmark: end once the main window has first painted.
class QuitAfterFirstPaint : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel G2"));
    vtl::QtDesktop desktop;
    const QString appDir = QCoreApplication::applicationDirPath();
    vtl::AppWindows windows(desktop, appDir);
    vtl::Shell shell(desktop, windows, appDir);
    windows.setShell(&shell);
    shell.start();

    QuitAfterFirstPaint quitAfterShow;
    if (qEnvironmentVariable("VTL_QUIT_AFTER_SHOW") == QStringLiteral("1") &&
        windows.mainWindow() != nullptr) {
        windows.mainWindow()->installEventFilter(&quitAfterShow);
    }
    return app.exec();
}
