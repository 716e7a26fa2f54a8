#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "core/Geometry.h"

// Where the windows and their controls go: the layout table's places, one
// window style, and centring on the screen.

namespace vtl {

// Creates a control named after the layout's control, at its twips place.
template <typename W>
W* place(QWidget* parent, const char* name, const layout::Twips& where) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(where.px());
    return w;
}

// A window of one size: a title and a close box, no minimise or maximise.
inline Qt::WindowFlags fixedSizeWindow(Qt::WindowType kind) {
    return kind | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
           Qt::MSWindowsFixedSizeDialogHint;
}

// Windows open centred on the screen: left = screen width / 2 - window
// width / 2, top likewise, from the window's outer size.
inline QPoint centredTopLeft(QSize window, QSize screen) {
    return QPoint(static_cast<int>(screen.width() / 2.0 - window.width() / 2.0),
                  static_cast<int>(screen.height() / 2.0 - window.height() / 2.0));
}

// Where a secondary window of outer size `wanted` opens beside `owner` (both
// outer frames) on a screen whose free area is `available`: right of the
// owner if it fits, else left of it, else narrowed to the wider of the two
// sides while that leaves `minWidth`, and only then over the owner against
// the screen's right edge. Never past the free area; shrunk to it when larger.
inline QRect besideWindow(const QRect& owner, QSize wanted, const QRect& available, int gap = 8,
                          int minWidth = 320) {
    QSize size = wanted.boundedTo(available.size());
    const int rightStart = std::max(owner.right() + 1 + gap, available.left());
    const int leftEnd = std::min(owner.left() - gap, available.right() + 1);
    const int rightRoom = available.right() + 1 - rightStart;
    const int leftRoom = leftEnd - available.left();
    int left = available.right() + 1 - size.width();
    if (size.width() <= rightRoom) {
        left = rightStart;
    } else if (size.width() <= leftRoom) {
        left = leftEnd - size.width();
    } else if (std::max(rightRoom, leftRoom) >= minWidth) {
        size.setWidth(std::max(rightRoom, leftRoom));
        left = rightRoom >= leftRoom ? rightStart : leftEnd - size.width();
    }
    const int top =
        std::clamp(owner.top(), available.top(), available.bottom() + 1 - size.height());
    return QRect(QPoint(left, top), size);
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
