#pragma once

#include <vector>

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

    // `colours`: the game's colour table by index (none: Quake III's eight).
    void showReport(const CheckReport& report, const QImage& sheet,
                    const std::vector<QRgb>& colours = {});

  signals:
    void visibilityChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QScrollArea* scroll_ = nullptr;
    QString shown_;  // what the rows show now, to skip rebuilding the same
};

// Draws glyph codes with a sheet, 2x, in the game's colour of each glyph.
class SeenNameView : public QWidget {
  public:
    SeenNameView(std::vector<SeenGlyph> glyphs, const QImage& sheet, std::vector<QRgb> colours,
                 QWidget* parent);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<SeenGlyph> glyphs_;
    QImage sheet_;
    std::vector<QRgb> colours_;
};

}  // namespace vtl
