#include "charset/Sheet.h"

#include <algorithm>
#include <array>

namespace vtl::charset {
namespace {

constexpr int kCell = kSheetSide / 16;

int scaled(int value, int by, int alpha) {
    return (value * by * alpha + 255 * 255 / 2) / (255 * 255);
}

// The strongest alpha next to (x, y) within its own cell, so that one
// glyph's edge never spills into the neighbouring cell.
int neighbourAlpha(const QImage& glyphs, int x, int y) {
    const int left = x / kCell * kCell;
    const int top = y / kCell * kCell;
    int best = 0;
    for (int ny = std::max(top, y - 1); ny <= std::min(top + kCell - 1, y + 1); ++ny) {
        for (int nx = std::max(left, x - 1); nx <= std::min(left + kCell - 1, x + 1); ++nx) {
            best = std::max(best, qAlpha(glyphs.pixel(nx, ny)));
        }
    }
    return best;
}

}  // namespace

QImage sheetFromIndexed(const IndexedPicture& charset, const Palette& palette,
                        std::initializer_list<int> transparent) {
    Palette shown = palette;
    for (const int index : transparent) {
        shown[static_cast<std::size_t>(index)] = qRgb(0, 0, 0);
    }
    QImage sheet(kSheetSide, kSheetSide, QImage::Format_RGB32);
    for (int y = 0; y < kSheetSide; ++y) {
        const int sourceY = y * charset.height / kSheetSide;
        auto* line = reinterpret_cast<QRgb*>(sheet.scanLine(y));
        for (int x = 0; x < kSheetSide; ++x) {
            const int sourceX = x * charset.width / kSheetSide;
            const auto index = static_cast<unsigned char>(
                charset.pixels[qsizetype{sourceY} * charset.width + sourceX]);
            line[x] = shown[index];
        }
    }
    return sheet;
}

QImage glyphSheetFromPicture(const QImage& picture) {
    QImage glyphs = picture.convertToFormat(QImage::Format_ARGB32);
    if (glyphs.size() != QSize(kSheetSide, kSheetSide)) {
        // The game stretches its cells to the text size with filtering too.
        glyphs =
            glyphs.scaled(kSheetSide, kSheetSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return glyphs;
}

QImage glyphSheetFromLeftHalves(const QImage& picture) {
    const QImage glyphs = picture.convertToFormat(QImage::Format_ARGB32);
    QImage sheet(kSheetSide, kSheetSide, QImage::Format_ARGB32);
    sheet.fill(Qt::transparent);
    const int cellWidth = glyphs.width() / 16;
    const int cellHeight = glyphs.height() / 16;
    if (cellWidth < 2 || cellHeight < 1) {
        return sheet;
    }
    for (int code = 0; code < 256; ++code) {
        const QImage half =
            glyphs
                .copy((code % 16) * cellWidth, (code / 16) * cellHeight, cellWidth / 2, cellHeight)
                .scaled(kCell / 2, kCell, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const int left = (code % 16) * kCell + kCell / 4;
        const int top = (code / 16) * kCell;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell / 2; ++x) {
                sheet.setPixel(left + x, top + y, half.pixel(x, y));
            }
        }
    }
    return sheet;
}

QImage tintedSheet(const QImage& glyphs, QRgb colour) {
    const bool outline = (colour & 0xFFFFFF) == 0;
    QImage sheet(glyphs.size(), QImage::Format_RGB32);
    for (int y = 0; y < glyphs.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(glyphs.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(sheet.scanLine(y));
        for (int x = 0; x < glyphs.width(); ++x) {
            const QRgb p = in[x];
            const int a = qAlpha(p);
            int r = scaled(qRed(p), qRed(colour), a);
            int g = scaled(qGreen(p), qGreen(colour), a);
            int b = scaled(qBlue(p), qBlue(colour), a);
            if (outline) {
                // The edge shows where the glyph's own pixels let it through.
                const int edge = neighbourAlpha(glyphs, x, y) * (255 - a) / 255;
                r += scaled(qRed(kBlackTextOutline), 255, edge);
                g += scaled(qGreen(kBlackTextOutline), 255, edge);
                b += scaled(qBlue(kBlackTextOutline), 255, edge);
            }
            out[x] = qRgb(r, g, b);
        }
    }
    return sheet;
}

}  // namespace vtl::charset
