#pragma once

#include <QWidget>

#include "app/Layout.h"

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

}  // namespace vtl
