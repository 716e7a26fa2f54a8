#include "core/Glyphs.h"

#include <QPainter>

#include "core/Geometry.h"
#include "core/NameEditing.h"

namespace vtl {

QImage glyphFromSheet(const QImage& sheet, QPoint origin) {
    QImage glyph(kGlyphPixels, kGlyphPixels, QImage::Format_RGB32);
    glyph.fill(Qt::black);
    if (sheet.isNull()) {
        return glyph;
    }
    QPainter painter(&glyph);
    painter.drawImage(QPoint(0, 0), sheet, QRect(origin, QSize(kGlyphPixels, kGlyphPixels)));
    return glyph;
}

QImage enlargedGlyph(const QImage& glyph) {
    return glyph.scaled(glyph.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage blankSheet() {
    QImage sheet(kSheetPixels, kSheetPixels, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    return sheet;
}

namespace {
constexpr int kInsertMarkerPixels = 4;
}  // namespace

QImage renderNameStrip(const WindowState& state, QColor slotColour) {
    const QRect strip = layout::kNameStrip.px();
    const int cellSize = twipsToPixels(layout::kCellTwips);
    const int slotTop = twipsToPixels(layout::kSlotTopTwips);
    const int slotHeight = twipsToPixels(layout::kSlotHeightTwips);

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
    // Overwrite: a block over the slot. Insert: a bar at its left edge, where
    // the next glyph goes in between the two around it.
    const int markerWidth = state.insertMode ? kInsertMarkerPixels : cellSize;
    painter.fillRect(twipsToPixels(markerLeftTwips(state)), slotTop, markerWidth, slotHeight,
                     Qt::red);
    return image;
}

}  // namespace vtl
