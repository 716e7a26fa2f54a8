#include "modes/CustomSheet.h"

#include <QFile>

#include "modes/SheetLoader.h"

namespace vtl {
namespace {

// Little-endian reads that say "no" past the end instead of reading it.
std::optional<quint32> le(const QByteArray& data, qsizetype at, int bytes) {
    if (at < 0 || at + bytes > data.size()) {
        return std::nullopt;
    }
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<quint8>(data[at + i]);
    }
    return value;
}

// Every image has its scan data ended by an EOI marker; markers can't occur
// inside scan data (0xFF is stuffed there), so the last SOS must be followed
// by an EOI.
bool jpegIsComplete(const QByteArray& data) {
    const qsizetype lastScan = data.lastIndexOf(QByteArrayLiteral("\xFF\xDA"));
    return lastScan >= 0 && data.indexOf(QByteArrayLiteral("\xFF\xD9"), lastScan) >= 0;
}

// Walks the block structure up to the trailer.
bool gifIsComplete(const QByteArray& data) {
    auto colourTableSize = [](quint32 flags) {
        return (flags & 0x80) ? 3 * (2 << (flags & 0x07)) : 0;
    };
    auto skipSubBlocks = [&data](qsizetype at) -> std::optional<qsizetype> {
        while (at < data.size()) {
            const int length = static_cast<quint8>(data[at]);
            at += 1 + length;
            if (length == 0) {
                return at;
            }
        }
        return std::nullopt;
    };
    const std::optional<quint32> screenFlags = le(data, 10, 1);
    if (!screenFlags) {
        return false;
    }
    qsizetype at = 13 + colourTableSize(*screenFlags);
    while (at < data.size()) {
        const char block = data[at];
        if (block == 0x3B) {
            return true;
        }
        std::optional<qsizetype> next;
        if (block == 0x21) {
            next = skipSubBlocks(at + 2);
        } else if (block == 0x2C) {
            const std::optional<quint32> imageFlags = le(data, at + 9, 1);
            if (!imageFlags) {
                return false;
            }
            // After the descriptor and its colour table: the LZW code size, then the data.
            next = skipSubBlocks(at + 10 + colourTableSize(*imageFlags) + 1);
        } else {
            return false;
        }
        if (!next) {
            return false;
        }
        at = *next;
    }
    return false;
}

// Uncompressed rows have a size fixed by the header; compressed ones say
// how many bytes they take.
bool bmpIsComplete(const QByteArray& data) {
    const auto pixelsAt = le(data, 10, 4);
    const auto headerSize = le(data, 14, 4);
    if (!pixelsAt || !headerSize) {
        return false;
    }
    qint64 width = 0;
    qint64 height = 0;
    std::optional<quint32> bitsPerPixel;
    quint32 compression = 0;
    qint64 imageSize = 0;
    if (*headerSize == 12) {
        const auto w = le(data, 18, 2);
        const auto h = le(data, 20, 2);
        bitsPerPixel = le(data, 24, 2);
        if (!w || !h) {
            return false;
        }
        width = *w;
        height = *h;
    } else {
        const auto w = le(data, 18, 4);
        const auto h = le(data, 22, 4);
        bitsPerPixel = le(data, 28, 2);
        const auto c = le(data, 30, 4);
        const auto s = le(data, 34, 4);
        if (!w || !h || !c || !s) {
            return false;
        }
        width = static_cast<qint32>(*w);
        height = static_cast<qint32>(*h);  // negative: rows stored top-down
        compression = *c;
        imageSize = *s;
    }
    if (!bitsPerPixel) {
        return false;
    }
    constexpr quint32 kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    qint64 pixelBytes = imageSize;
    if (compression == kRgb || compression == kBitFields || compression == kAlphaBitFields) {
        const qint64 rowBytes = (width * *bitsPerPixel + 31) / 32 * 4;
        pixelBytes = rowBytes * (height < 0 ? -height : height);
    }
    return static_cast<qint64>(*pixelsAt) + pixelBytes <= data.size();
}

}  // namespace

bool pictureIsComplete(const QByteArray& data) {
    if (data.startsWith(QByteArrayLiteral("\xFF\xD8"))) {
        return jpegIsComplete(data);
    }
    if (data.startsWith(QByteArrayLiteral("GIF8"))) {
        return gifIsComplete(data);
    }
    if (data.startsWith(QByteArrayLiteral("BM"))) {
        return bmpIsComplete(data);
    }
    return true;
}

std::optional<QImage> readCustomSheet(const QString& path, QString& reason) {
    std::optional<QImage> picture = readPicture(path, reason);
    if (!picture) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return std::nullopt;
    }
    if (!pictureIsComplete(file.readAll())) {
        reason = QString::fromUtf16(kCutShortReason);
        return std::nullopt;
    }
    return picture;
}

}  // namespace vtl
