#include "app/CharMapWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/FocusFrame.h"
#include "core/Geometry.h"

namespace vtl {

CharMapWidget::CharMapWidget(const WindowState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("CharMap"));
    setGeometry(layout::kMap.px());
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::optional<int> CharMapWidget::cellAt(QPointF point) const {
    if (point.x() < 0 || point.y() < 0 || point.x() >= width() || point.y() >= height()) {
        return std::nullopt;
    }
    // Cells overlap their right and lower neighbours by 12 twips; the
    // overlap goes to the cell on the right or below, which lies on top, and
    // the last row and column reach the picture's edge.
    const int column = std::min(static_cast<int>(point.x()) / kGlyphPixels, kSheetColumns - 1);
    const int row = std::min(static_cast<int>(point.y()) / kGlyphPixels, kSheetColumns - 1);
    return row * kSheetColumns + column;
}

void CharMapWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!state_.mapPicture.isNull()) {
        painter.drawImage(QPoint(0, 0), state_.mapPicture);
    }
    if (state_.frameCode) {
        const int cell = twipsToPixels(layout::kCellTwips);
        painter.setPen(QPen(Qt::yellow, 1));
        painter.drawRect(QRect(cellOrigin(*state_.frameCode), QSize(cell - 1, cell - 1)));
    }
    if (hasFocus()) {
        drawFocusFrame(painter, rect(), palette());
    }
}

// The focus frame comes and goes with the keyboard.
void CharMapWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}
void CharMapWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void CharMapWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (const std::optional<int> code = cellAt(event->position())) {
        emit cellClicked(*code);
    }
}

void CharMapWidget::mouseMoveEvent(QMouseEvent* event) {
    if (const std::optional<int> code = cellAt(event->position())) {
        emit cellHovered(*code);
    }
}

}  // namespace vtl
