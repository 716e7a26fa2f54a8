#pragma once

#include <QWidget>

#include <optional>

#include "core/WindowState.h"

namespace vtl {

// The 16x16 character map: paints the sheet and the hover frame, and turns
// pointer positions into codes. Every point of the picture reaches a cell.
class CharMapWidget : public QWidget {
    Q_OBJECT
  public:
    CharMapWidget(const WindowState& state, QWidget* parent);

    // The code whose cell holds `point`, or none outside the picture.
    std::optional<int> cellAt(QPointF point) const;

  signals:
    void cellClicked(int code);
    void cellHovered(int code);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const WindowState& state_;
};

}  // namespace vtl
