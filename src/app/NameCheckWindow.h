#pragma once

#include <QWidget>

#include "check/NameCheck.h"

class QScrollArea;

namespace vtl {

// The "Name Check" window: one row per engine of the game with the name as
// the other players see it, drawn with the current sheet's glyphs, and what
// the engine does to it. Not modal; the main window refreshes it live.
class NameCheckWindow : public QWidget {
    Q_OBJECT
  public:
    explicit NameCheckWindow(QWidget* parent);

    void showReport(const CheckReport& report, const QImage& sheet);

  signals:
    void visibilityChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QScrollArea* scroll_ = nullptr;
    QString shown_;  // what the rows show now, to skip rebuilding the same
};

// Draws glyph codes with a sheet, 2x, each in its colour of the game's
// colour set (none: as the sheet has them).
class SeenNameView : public QWidget {
  public:
    SeenNameView(std::vector<SeenGlyph> glyphs, const QImage& sheet, const ColourSet* colours,
                 QWidget* parent);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<SeenGlyph> glyphs_;
    QImage sheet_;
    const ColourSet* colours_;
};

}  // namespace vtl
