#pragma once

#include <QList>
#include <QWidget>

#include <optional>

#include "core/WindowState.h"

namespace vtl {

// The name row: 25 glyph cells, the slot row under them and the red cursor
// marker. A click on a slot moves the cursor there.
class NameStripWidget : public QWidget {
    Q_OBJECT
  public:
    NameStripWidget(const WindowState& state, QWidget* parent);

    // The slot (1..25) under `point`, or none (glyph row, marker, past the end).
    std::optional<int> slotAt(QPointF point) const;

    // Positions (1..25) framed over their glyphs, e.g. what the name check found.
    void setHighlighted(const QList<int>& positions);
    QList<int> highlighted() const { return highlighted_; }

  signals:
    void slotClicked(int slot);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const WindowState& state_;
    QList<int> highlighted_;
};

}  // namespace vtl
