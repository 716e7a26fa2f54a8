// One empty window the size of the main window, and nothing else: what any
// Qt Widgets program pays to put a window on the screen.
#include <QApplication>
#include <QWidget>

#include "app/QuitAfterFirstPaint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    // The main window's outer size: a 406 x 353 client area under its menu bar.
    window.setFixedSize(406, 353 + 19);
    vtl::QuitAfterFirstPaint quitAfterShow;
    if (vtl::QuitAfterFirstPaint::wanted()) {
        window.installEventFilter(&quitAfterShow);
    }
    window.show();
    return app.exec();
}
