#include "charset/FontSheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "charset/Sheet.h"

namespace vtl::charset {
namespace {

constexpr int kCell = kSheetSide / 16;
// A font file larger than this is not a console font.
constexpr qint64 kFontLimit = 64 * 1024 * 1024;

// The pixel size at which the font's ascent and descent fill a cell.
qreal cellPixelSize(QRawFont font) {
    font.setPixelSize(100);
    const qreal height = font.ascent() + font.descent();
    return height > 0 ? std::floor(100.0 * kCell / height) : kCell * 0.75;
}

}  // namespace

std::optional<QRawFont> fontFromData(const QByteArray& data) {
    QRawFont font(data, 100);
    if (!font.isValid()) {
        return std::nullopt;
    }
    return font;
}

QImage fontSheet(const QRawFont& source) {
    QRawFont font = source;
    font.setPixelSize(cellPixelSize(source));
    QImage sheet(kSheetSide, kSheetSide, QImage::Format_ARGB32);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const qreal baseline = std::round((kCell - font.ascent() - font.descent()) / 2 + font.ascent());
    for (int code = 0; code < 256; ++code) {
        // Control characters are never drawn from the text font: ET: Legacy
        // takes those below 32 from its icon font.
        if (QChar(char16_t(code)).category() == QChar::Other_Control) {
            continue;
        }
        const QList<quint32> glyphs = font.glyphIndexesForString(QString(QChar(char16_t(code))));
        if (glyphs.size() != 1 || glyphs.front() == 0) {
            continue;
        }
        const QPainterPath path = font.pathForGlyph(glyphs.front());
        if (path.isEmpty()) {
            continue;
        }
        // Each glyph centred in its cell, clipped to it, so none spills over.
        const QRectF box = path.boundingRect();
        const qreal advance = font.advancesForGlyphIndexes(glyphs).value(0).x();
        const qreal width = std::max(advance, box.right());
        const QPointF at((code % 16) * kCell + std::round((kCell - width) / 2),
                         (code / 16) * kCell + baseline);
        painter.save();
        painter.setClipRect(QRect((code % 16) * kCell, (code / 16) * kCell, kCell, kCell));
        painter.translate(at);
        painter.drawPath(path);
        painter.restore();
    }
    return sheet;
}

static std::optional<QRawFont> installedFamily(const QString& family) {
    if (!QFontDatabase::hasFamily(family)) {
        return std::nullopt;
    }
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.familyName().compare(family, Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    return raw;
}

LocatedFont locateFont(const QStringList& folders, const QStringList& files,
                       const QStringList& families, const QStringList& standIns) {
    for (const QString& name : files) {
        for (const QString& folder : folders) {
            const QString path = QDir(folder).filePath(name);
            const QFileInfo info(path);
            if (!info.isFile() || info.size() > kFontLimit) {
                continue;
            }
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                continue;
            }
            if (std::optional<QRawFont> font = fontFromData(file.readAll())) {
                return {*font, QDir::toNativeSeparators(path), false};
            }
        }
    }
    for (const QString& family : families) {
        if (std::optional<QRawFont> font = installedFamily(family)) {
            return {*font, family, false};
        }
    }
    for (const QString& family : standIns) {
        if (std::optional<QRawFont> font = installedFamily(family)) {
            return {*font, family, true};
        }
    }
    const QRawFont fixed = QRawFont::fromFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return {fixed, fixed.familyName(), true};
}

}  // namespace vtl::charset
