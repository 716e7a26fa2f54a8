#include "app/NameStripWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/Geometry.h"
#include "core/Glyphs.h"
#include "core/NameEditing.h"

namespace vtl {
namespace {

QRect slotRect(int slot) {
    return twipsRect(kSlotPitchTwips * (slot - 1), layout::kSlotTopTwips, layout::kCellTwips,
                     layout::kSlotHeightTwips);
}

}  // namespace

NameStripWidget::NameStripWidget(const WindowState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("Picture3"));
    setGeometry(layout::kNameStrip.px());
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::optional<int> NameStripWidget::slotAt(QPointF point) const {
    const QPoint p = point.toPoint();
    const QRect marker = twipsRect(markerLeftTwips(state_), layout::kSlotTopTwips,
                                   layout::kCellTwips, layout::kSlotHeightTwips);
    if (marker.contains(p)) {
        return std::nullopt;  // the marker lies over its slot and takes the click
    }
    // Later slots lie over earlier ones where they overlap.
    for (int slot = kNameLength; slot >= 1; --slot) {
        if (slotRect(slot).contains(p)) {
            return slot;
        }
    }
    return std::nullopt;
}

void NameStripWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), renderNameStrip(state_, palette().color(QPalette::Base)));
    painter.setPen(QPen(QColor(255, 190, 0), 1));
    const int cell = twipsToPixels(layout::kCellTwips);
    for (int k : highlighted_) {
        const int left = twipsToPixels(kSlotPitchTwips * (k - 1));
        painter.drawRect(left, 0, cell - 1, cell - 1);
    }
}

void NameStripWidget::setHighlighted(const QList<int>& positions) {
    if (positions != highlighted_) {
        highlighted_ = positions;
        update();
    }
}

void NameStripWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (const std::optional<int> slot = slotAt(event->position())) {
        emit slotClicked(*slot);
    }
}

void NameStripWidget::mouseMoveEvent(QMouseEvent* event) {
    const bool overSlotRow = event->position().y() >= twipsToPixels(layout::kSlotTopTwips);
    setCursor(overSlotRow ? Qt::UpArrowCursor : Qt::ArrowCursor);
}

}  // namespace vtl
