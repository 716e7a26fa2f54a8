#pragma once

#include <QPainter>
#include <QPalette>
#include <QRect>

namespace vtl {

// The frame a control draws around itself while it has the keyboard: two
// pixels of the desktop's highlight colour, which shows on the black panels
// where the style's dotted line does not.
inline void drawFocusFrame(QPainter& painter, const QRect& around, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette.color(QPalette::Active, QPalette::Highlight), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(around.adjusted(0, 0, -1, -1));
    painter.drawRect(around.adjusted(1, 1, -2, -2));
    painter.restore();
}

}  // namespace vtl
