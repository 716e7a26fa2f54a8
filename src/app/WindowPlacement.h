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
// owner if it fits, else left of it, else where it shows most; never past
// the free area, shrunk to it when larger.
inline QRect besideWindow(const QRect& owner, QSize wanted, const QRect& available, int gap = 8) {
    const QSize size = wanted.boundedTo(available.size());
    int left = owner.right() + 1 + gap;
    if (left + size.width() > available.right() + 1) {
        const int leftOfOwner = owner.left() - gap - size.width();
        const int rightmost = available.right() + 1 - size.width();
        left =
            leftOfOwner >= available.left() && leftOfOwner <= rightmost ? leftOfOwner : rightmost;
    }
    const int top =
        std::clamp(owner.top(), available.top(), available.bottom() + 1 - size.height());
    return QRect(QPoint(std::max(left, available.left()), top), size);
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
