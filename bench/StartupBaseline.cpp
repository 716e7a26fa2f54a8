// What any Qt Widgets program with this menu bar pays to put a window of the
// main window's size on the screen: a QMainWindow, the same menus and items
// with nothing behind them, and an empty central widget of the main window's
// client size.
#include <QApplication>
#include <QMainWindow>

#include "BaselineMenus.h"
#include "app/QuitAfterFirstPaint.h"
#include "core/Geometry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    vtl::bench::addBaselineMenus(window.menuBar());
    auto* client = new QWidget(&window);
    client->setFixedSize(vtl::layout::kClient.px().size());
    window.setCentralWidget(client);
    vtl::QuitAfterFirstPaint quitAfterShow;
    if (vtl::QuitAfterFirstPaint::wanted()) {
        quitAfterShow.watch();
    }
    window.show();
    return quitAfterShow.fired() ? 0 : app.exec();
}
