// One empty window the size of the main window, and nothing else: what any
// Qt Widgets program pays to put a window on the screen.
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

// The same way out as the program's: end once the window has first painted.
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
    QWidget window;
    // The main window's outer size: a 406 x 353 client area under its menu bar.
    window.setFixedSize(406, 353 + 19);
    QuitAfterFirstPaint quitAfterShow;
    if (qEnvironmentVariable("VTL_QUIT_AFTER_SHOW") == QStringLiteral("1")) {
        window.installEventFilter(&quitAfterShow);
    }
    window.show();
    return app.exec();
}
