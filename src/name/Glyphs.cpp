#include "name/Glyphs.h"

#include <QPainter>

#include "name/Twips.h"

namespace vtl {

QImage glyphFromSheet(const QImage& sheet, int x, int y) {
    QImage glyph(kGlyphPixels, kGlyphPixels, QImage::Format_RGB32);
    glyph.fill(Qt::black);
    if (sheet.isNull()) {
        return glyph;
    }
    QPainter painter(&glyph);
    painter.drawImage(QPoint(0, 0), sheet, QRect(x, y, kGlyphPixels, kGlyphPixels));
    return glyph;
}

QImage enlargedGlyph(const QImage& glyph) {
    return glyph.scaled(glyph.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage blankSheet() {
    QImage sheet(kGlyphPixels * kSheetColumns, kGlyphPixels * kSheetColumns, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    return sheet;
}

QImage renderNameStrip(const WindowState& state, QColor slotColour) {
    const QRect strip = twipsRect(0, 0, 6075, 396);
    const int cellSize = twipsToPixels(252);
    const int slotTop = twipsToPixels(kSlotPitchTwips);
    const int slotHeight = twipsToPixels(132);

    QImage image(strip.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int k = 1; k <= kNameLength; ++k) {
        const int left = twipsToPixels(kSlotPitchTwips * (k - 1));
        painter.fillRect(left, slotTop, cellSize, slotHeight, slotColour);
    }
    // Drawn after the slots: each glyph cell is a pixel taller than the pitch.
    for (int k = 1; k <= kNameLength; ++k) {
        const int left = twipsToPixels(kSlotPitchTwips * (k - 1));
        const QImage& glyph = state.cells[k - 1].glyph;
        painter.fillRect(left, 0, cellSize, cellSize, Qt::black);
        if (!glyph.isNull()) {
            painter.drawImage(QPoint(left, 0), glyph);
        }
    }
    painter.fillRect(twipsToPixels(state.markerLeftTwips), slotTop, cellSize, slotHeight, Qt::red);
    return image;
}

}  // namespace vtl
