#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <zip.h>

#include <functional>
#include <utility>
#include <vector>

// Small game files built from the formats' documented layouts.
namespace vtl::test {

using Entries = std::vector<std::pair<QByteArray, QByteArray>>;

inline void putLe32(QByteArray& data, qsizetype at, qint64 value) {
    for (int i = 0; i < 4; ++i) {
        data[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

inline QByteArray le32(qint64 value) {
    QByteArray data(4, '\0');
    putLe32(data, 0, value);
    return data;
}

inline QByteArray le16(int value) {
    return QByteArray{1, static_cast<char>(value & 0xFF)} + static_cast<char>(value >> 8);
}

inline QByteArray nameField(const QByteArray& name, int bytes) {
    return QByteArray(name + QByteArray(bytes, '\0')).left(bytes);
}

// "PACK", directory offset, directory length; the files, then 64-byte entries.
inline QByteArray pak(const Entries& files) {
    QByteArray data = "PACK" + le32(0) + le32(0);
    QByteArray directory;
    for (const auto& [name, bytes] : files) {
        directory += nameField(name, 56) + le32(data.size()) + le32(bytes.size());
        data += bytes;
    }
    putLe32(data, 4, data.size());
    putLe32(data, 8, directory.size());
    return data + directory;
}

// "WAD2", lump count, table offset; the lumps, then 32-byte entries.
inline QByteArray wad2(const Entries& lumps) {
    QByteArray data = "WAD2" + le32(static_cast<qint64>(lumps.size())) + le32(0);
    QByteArray table;
    for (const auto& [name, bytes] : lumps) {
        table += le32(data.size()) + le32(bytes.size()) + le32(bytes.size()) +
                 QByteArray("D\0\0\0", 4) + nameField(name, 16);
        data += bytes;
    }
    putLe32(data, 8, data.size());
    return data + table;
}

// Palette index i is (i, 255 - i, 7 i mod 256): every index its own colour.
// A `shifted` palette has each colour's red and blue swapped.
inline QRgb paletteColour(int index, bool shifted = false) {
    const int r = index;
    const int b = (7 * index) % 256;
    return shifted ? qRgb(b, 255 - index, r) : qRgb(r, 255 - index, b);
}

inline QByteArray paletteLump(bool shifted = false) {
    QByteArray data;
    for (int i = 0; i < 256; ++i) {
        const QRgb c = paletteColour(i, shifted);
        data += static_cast<char>(qRed(c));
        data += static_cast<char>(qGreen(c));
        data += static_cast<char>(qBlue(c));
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
    QByteArray header(128, '\0');
    header[0] = 0x0A;
    header[1] = 5;
    header[2] = 1;
    header[3] = 8;
    header.replace(8, 2, le16(width - 1));
    header.replace(10, 2, le16(height - 1));
    header[65] = 1;
    header.replace(66, 2, le16(width + padding));
    QByteArray stream;
    for (int y = 0; y < height; ++y) {
        stream += pixels.mid(y * width, width) + QByteArray(padding, '\0');
    }
    QByteArray body;
    for (qsizetype i = 0; i < stream.size();) {
        qsizetype run = 1;
        while (i + run < stream.size() && run < 63 && stream[i + run] == stream[i]) {
            ++run;
        }
        const auto value = static_cast<unsigned char>(stream[i]);
        if (run > 1 || value >= 0xC0) {
            body += static_cast<char>(0xC0 | run);
        }
        body += stream[i];
        i += run;
    }
    return header + body + '\x0C' + paletteLump(shiftedPalette);
}

// A 32-bit TGA, bottom-up (type 2) or run-length packed (type 10, runs
// crossing rows), of an ARGB picture.
inline QByteArray tga(const QImage& picture, bool rle, bool topDown = false) {
    QByteArray header(18, '\0');
    header[2] = static_cast<char>(rle ? 10 : 2);
    header.replace(12, 2, le16(picture.width()));
    header.replace(14, 2, le16(picture.height()));
    header[16] = 32;
    header[17] = static_cast<char>(8 | (topDown ? 0x20 : 0));
    std::vector<QByteArray> pixels;
    for (int row = 0; row < picture.height(); ++row) {
        const int y = topDown ? row : picture.height() - 1 - row;
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            pixels.push_back(QByteArray{1, static_cast<char>(qBlue(p))} +
                             static_cast<char>(qGreen(p)) + static_cast<char>(qRed(p)) +
                             static_cast<char>(qAlpha(p)));
        }
    }
    QByteArray body;
    for (std::size_t i = 0; i < pixels.size();) {
        std::size_t run = 1;
        while (rle && i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i]) {
            ++run;
        }
        if (rle) {
            body += static_cast<char>(0x80 | (run - 1));
        }
        body += pixels[i];
        i += run;
    }
    return header + body;
}

inline void writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(data);
    }
}

// A zip (pk3) of the given entries, written with libzip.
inline void writeZip(const QString& path, const Entries& files) {
    QDir().mkpath(QFileInfo(path).path());
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, bytes] : files) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(),
                                                 static_cast<zip_uint64_t>(bytes.size()), 0);
        zip_file_add(archive, name.constData(), source, ZIP_FL_OVERWRITE);
    }
    zip_close(archive);  // copies the buffers, which live until here
}

}  // namespace vtl::test
