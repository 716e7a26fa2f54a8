// Lays the built sheets side by side with their names, for a person to look
// over: `vtl_sheet_contact APP_DIR OUT.png [ZOOM [SHEET]]`. With a sheet index
// only that sheet is shown, enlarged ZOOM times with a grid between cells.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>

#include <cstdio>

#include "sheets/Font.h"
#include "sheets/Sheets.h"

namespace {

// Labels use the sheets' own font so the picture needs no installed fonts.
void drawLabel(QImage& image, int x, int y, const QString& text, QRgb colour) {
    for (const QChar ch : text) {
        if (const vtl::sheets::Glyph8* g = vtl::sheets::fontGlyph(ch.unicode())) {
            for (int row = 0; row < 8; ++row) {
                for (int col = 0; col < 8; ++col) {
                    if (((*g)[row] >> (7 - col)) & 1u) {
                        image.setPixel(x + 2 * col, y + 2 * row, colour);
                        image.setPixel(x + 2 * col + 1, y + 2 * row, colour);
                        image.setPixel(x + 2 * col, y + 2 * row + 1, colour);
                        image.setPixel(x + 2 * col + 1, y + 2 * row + 1, colour);
                    }
                }
            }
        }
        x += 12;
    }
}

QImage readSheet(const QString& appDir, const QString& relative) {
    QImageReader reader(appDir + u'/' + relative);
    const QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s/%s\n", qPrintable(appDir), qPrintable(relative));
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s APP_DIR OUT.png [ZOOM [SHEET]]\n", argv[0]);
        return 2;
    }
    const QString appDir = QString::fromLocal8Bit(argv[1]);
    const QString outPath = QString::fromLocal8Bit(argv[2]);
    const int zoom = argc > 3 ? std::atoi(argv[3]) : 1;
    const auto& sheets = vtl::sheets::builtInSheets();
    const QRgb labelColour = qRgb(200, 200, 200);

    if (argc > 4) {
        const auto index = static_cast<std::size_t>(std::atoi(argv[4]));
        const QImage sheet = readSheet(appDir, sheets.at(index).path);
        const int cell = 16 * zoom + 1;
        QImage out(16 * cell + 1, 16 * cell + 1 + 24, QImage::Format_RGB32);
        out.fill(qRgb(60, 60, 60));
        drawLabel(out, 4, 4, sheets[index].label, labelColour);
        QPainter p(&out);
        for (int code = 0; code < 256; ++code) {
            p.drawImage(
                QRect(1 + (code % 16) * cell, 25 + (code / 16) * cell, 16 * zoom, 16 * zoom), sheet,
                QRect((code % 16) * 16, (code / 16) * 16, 16, 16));
        }
        p.end();
        return out.save(outPath, "PNG") ? 0 : 1;
    }

    const int columns = 4;
    const int gap = 16;
    const int tileW = 256 * zoom;
    const int tileH = 256 * zoom + 24;
    const int rows = static_cast<int>((sheets.size() + columns - 1) / columns);
    QImage out(gap + columns * (tileW + gap), gap + rows * (tileH + gap), QImage::Format_RGB32);
    out.fill(qRgb(48, 48, 52));
    QPainter p(&out);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const int x = gap + static_cast<int>(i % columns) * (tileW + gap);
        const int y = gap + static_cast<int>(i / columns) * (tileH + gap);
        p.end();
        drawLabel(out, x, y, sheets[i].label, labelColour);
        p.begin(&out);
        p.drawImage(QRect(x, y + 24, tileW, tileW), readSheet(appDir, sheets[i].path));
    }
    p.end();
    return out.save(outPath, "PNG") ? 0 : 1;
}
