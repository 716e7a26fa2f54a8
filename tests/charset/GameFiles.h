#pragma once

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <zip.h>

#include <vector>

#include "support/Files.h"

// Small game files built from the formats' documented layouts.
namespace vtl::test {

using Entries = std::vector<std::pair<QByteArray, QByteArray>>;

inline QByteArray le32(qint64 value) {
    QByteArray data(4, '\0');
    qToLittleEndian(static_cast<quint32>(value), data.data());
    return data;
}

inline QByteArray le16(int value) {
    return le32(value).left(2);
}

// "PACK", directory offset, directory length; the files, then 64-byte entries.
inline QByteArray pak(const Entries& files) {
    QByteArray data;
    QByteArray directory;
    for (const auto& [name, bytes] : files) {
        directory +=
            name.leftJustified(56, '\0', true) + le32(12 + data.size()) + le32(bytes.size());
        data += bytes;
    }
    return "PACK" + le32(12 + data.size()) + le32(directory.size()) + data + directory;
}

// "WAD2", lump count, table offset; the lumps, then 32-byte entries.
inline QByteArray wad2(const Entries& lumps) {
    QByteArray data;
    QByteArray table;
    for (const auto& [name, bytes] : lumps) {
        table += le32(12 + data.size()) + le32(bytes.size()) + le32(bytes.size()) +
                 QByteArray("D\0\0\0", 4) + name.leftJustified(16, '\0', true);
        data += bytes;
    }
    return "WAD2" + le32(static_cast<qint64>(lumps.size())) + le32(12 + data.size()) + data + table;
}

// Palette index i is (i, 255 - i, 7 i mod 256): every index its own colour.
// A `shifted` palette gives index i the colour of i + 1.
inline QRgb paletteColour(int index, bool shifted = false) {
    const int i = (index + (shifted ? 1 : 0)) % 256;
    return qRgb(i, 255 - i, 7 * i % 256);
}

inline QByteArray paletteLump(bool shifted = false) {
    QByteArray data;
    for (int i = 0; i < 768; ++i) {  // red, green and blue of each index
        data += static_cast<char>(paletteColour(i / 3, shifted) >> (16 - 8 * (i % 3)));
    }
    return data;
}

// A charset picture whose every pixel differs from its neighbours, with
// indices 0 and 255 in every glyph.
inline QByteArray pattern(int width, int height) {
    QByteArray pixels(qsizetype{width} * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[y * width + x] = static_cast<char>((x * 3 + y * 17 + x * y) % 256);
        }
    }
    return pixels;
}

// An 8-bit PCX: RLE with runs that cross scanlines, `padding` extra bytes a line.
inline QByteArray pcx(int width, int height, const QByteArray& pixels, int padding = 0,
                      bool shiftedPalette = false) {
    QByteArray header = QByteArray("\x0A\x05\x01\x08", 4) + QByteArray(4, '\0') + le16(width - 1) +
                        le16(height - 1);
    header += QByteArray(65 - header.size(), '\0') + '\x01' + le16(width + padding);
    header += QByteArray(128 - header.size(), '\0');
    QByteArray stream;
    for (int y = 0; y < height; ++y) {
        stream += pixels.mid(y * width, width) + QByteArray(padding, '\0');
    }
    QByteArray body;
    for (qsizetype i = 0, run = 1; i < stream.size(); i += run) {
        for (run = 1; i + run < stream.size() && run < 63 && stream[i + run] == stream[i];) {
            ++run;
        }
        if (run > 1 || static_cast<unsigned char>(stream[i]) >= 0xC0) {
            body += static_cast<char>(0xC0 | run);
        }
        body += stream[i];
    }
    return header + body + '\x0C' + paletteLump(shiftedPalette);
}

// Quake III style glyphs in near-white (each channel its own value): an opaque
// square in every cell, around it clear pixels and many part-clear alphas.
inline QImage whiteGlyphs() {
    QImage glyphs(256, 256, QImage::Format_ARGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const bool ink = x % 16 >= 4 && x % 16 < 12 && y % 16 >= 4 && y % 16 < 12;
            const int alpha = ink ? 255 : (x * 7 + y) % 3 == 0 ? 0 : (x + y) % 256;
            glyphs.setPixel(x, y, qRgba(255, 250, 240, alpha));
        }
    }
    return glyphs;
}

// A 32-bit TGA, bottom-up unless `topDown`, of an ARGB picture; `rle` packs it
// (type 10) in packets that cross rows, by turns run and raw.
inline QByteArray tga(const QImage& picture, bool rle, bool topDown = false) {
    const QByteArray header = QByteArray(2, '\0') + static_cast<char>(rle ? 10 : 2) +
                              QByteArray(9, '\0') + le16(picture.width()) + le16(picture.height()) +
                              '\x20' + static_cast<char>(topDown ? 0x28 : 8);
    std::vector<QByteArray> pixels;
    for (int row = 0; row < picture.height(); ++row) {
        const int y = topDown ? row : picture.height() - 1 - row;
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            pixels.push_back(QByteArray(1, static_cast<char>(qBlue(p))) +
                             static_cast<char>(qGreen(p)) + static_cast<char>(qRed(p)) +
                             static_cast<char>(qAlpha(p)));
        }
    }
    QByteArray body;
    for (std::size_t i = 0, run = 1, packet = 0; i < pixels.size(); i += run, ++packet) {
        for (run = 1;
             rle && i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i];) {
            ++run;
        }
        const bool raw = packet % 2 == 1;  // a raw packet holds each pixel of the run
        if (rle) {
            body += static_cast<char>((raw ? 0 : 0x80) | (run - 1));
        }
        body += pixels[i].repeated(raw ? static_cast<qsizetype>(run) : 1);
    }
    return header + body;
}

inline void writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).path());
    writeBytes(path, data);
}

// A zip (pk3) of the given entries, made with libzip.
inline QByteArray zip(const Entries& files) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.zip"));
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE, nullptr);
    for (const auto& [name, bytes] : files) {
        zip_file_add(archive, name.constData(),
                     zip_source_buffer(archive, bytes.constData(),
                                       static_cast<zip_uint64_t>(bytes.size()), 0),
                     0);
    }
    zip_close(archive);  // copies the buffers, which live until here
    return readBytes(path);
}

}  // namespace vtl::test
