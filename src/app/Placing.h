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

}  // namespace vtl
