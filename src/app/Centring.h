#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vtl {

// Windows open centred on the screen: left = screen width / 2 - window
// width / 2, top likewise, from the window's outer size.
inline QPoint centredTopLeft(QSize window, QSize screen) {
    return QPoint(static_cast<int>(screen.width() / 2.0 - window.width() / 2.0),
                  static_cast<int>(screen.height() / 2.0 - window.height() / 2.0));
}

inline void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    window.adjustSize();
    window.move(centredTopLeft(window.frameGeometry().size(), screen->geometry().size()));
}

}  // namespace vtl
