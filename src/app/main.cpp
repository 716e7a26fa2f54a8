#include <QApplication>
#include <QScreen>

#include "app/Centring.h"
#include "app/MainWindow.h"
#include "app/QtDesktop.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel G2"));
    vtl::QtDesktop desktop;
    vtl::MainWindow window(desktop, QCoreApplication::applicationDirPath());
    desktop.setOwner(&window);
    vtl::centreOnScreen(window);
    window.form().Form_Load();
    window.refresh();
    window.show();
    return app.exec();
}
