#include "charset/Formats.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace vtl::charset {
namespace {

// Archive directories of real games hold a few thousand entries at most; a
// larger count can only come from a damaged or hostile file.
constexpr qint64 kMaxDirectoryEntries = 65536;
constexpr int kPakEntryBytes = 64;
constexpr int kPakNameBytes = 56;
constexpr int kWadEntryBytes = 32;
constexpr int kWadNameBytes = 16;
constexpr int kPcxHeaderBytes = 128;
constexpr int kTgaHeaderBytes = 18;
constexpr int kMaxPictureSide = 4096;

qint32 le32(const QByteArray& data, qint64 at) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData() + at);
    return static_cast<qint32>(static_cast<quint32>(p[0]) | static_cast<quint32>(p[1]) << 8 |
                               static_cast<quint32>(p[2]) << 16 | static_cast<quint32>(p[3]) << 24);
}

int le16(const QByteArray& data, qint64 at) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData() + at);
    return p[0] | p[1] << 8;
}

int byteAt(const QByteArray& data, qint64 at) {
    return static_cast<unsigned char>(data[at]);
}

// A fixed-size name field; nothing when no NUL ends it inside the field
// and `mayFill` is false.
std::optional<QString> nameField(const QByteArray& data, qint64 at, int bytes, bool mayFill) {
    const QByteArray field = data.mid(at, bytes);
    const qsizetype end = field.indexOf('\0');
    if (end < 0 && !mayFill) {
        return std::nullopt;
    }
    return QString::fromLatin1(end < 0 ? field : field.left(end));
}

bool fail(Problem& problem, const QString& file, const QString& reason) {
    problem = Problem{file, reason};
    return false;
}

}  // namespace

std::optional<FilePart> wholeFile(const QString& path, Problem& problem) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        fail(problem, path, QStringLiteral("the file does not exist"));
        return std::nullopt;
    }
    return FilePart{path, 0, info.size(), path};
}

std::optional<QByteArray> readPart(const FilePart& part, qint64 at, qint64 length,
                                   Problem& problem) {
    if (at < 0 || length < 0 || at > part.size || length > part.size - at) {
        fail(problem, part.label, QStringLiteral("the file ends before the data it points to"));
        return std::nullopt;
    }
    QFile file(part.path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(problem, part.label, file.errorString());
        return std::nullopt;
    }
    // The file may have been cut short since its size was taken.
    if (part.offset + at + length > file.size()) {
        fail(problem, part.label, QStringLiteral("the file ends before the data it points to"));
        return std::nullopt;
    }
    if (!file.seek(part.offset + at)) {
        fail(problem, part.label, file.errorString());
        return std::nullopt;
    }
    QByteArray data = file.read(length);
    if (data.size() != length) {
        fail(problem, part.label, file.errorString());
        return std::nullopt;
    }
    return data;
}

std::optional<QByteArray> readAll(const FilePart& part, qint64 limit, Problem& problem) {
    if (part.size > limit) {
        fail(problem, part.label,
             QStringLiteral("it is %1 bytes long, too large for a charset").arg(part.size));
        return std::nullopt;
    }
    return readPart(part, 0, part.size, problem);
}

std::optional<std::vector<PakEntry>> readPakDirectory(const QString& path, Problem& problem) {
    const std::optional<FilePart> pak = wholeFile(path, problem);
    if (!pak) {
        return std::nullopt;
    }
    const std::optional<QByteArray> header = readPart(*pak, 0, 12, problem);
    if (!header) {
        return std::nullopt;
    }
    if (!header->startsWith("PACK")) {
        fail(problem, path, QStringLiteral("it is not a PAK file"));
        return std::nullopt;
    }
    const qint64 dirOffset = le32(*header, 4);
    const qint64 dirLength = le32(*header, 8);
    if (dirOffset < 0 || dirLength < 0 || dirLength % kPakEntryBytes != 0 ||
        dirLength / kPakEntryBytes > kMaxDirectoryEntries) {
        fail(problem, path, QStringLiteral("its directory is damaged"));
        return std::nullopt;
    }
    const std::optional<QByteArray> directory = readPart(*pak, dirOffset, dirLength, problem);
    if (!directory) {
        return std::nullopt;
    }
    std::vector<PakEntry> entries;
    entries.reserve(static_cast<std::size_t>(dirLength / kPakEntryBytes));
    for (qint64 at = 0; at < dirLength; at += kPakEntryBytes) {
        const std::optional<QString> name = nameField(*directory, at, kPakNameBytes, false);
        if (!name) {
            fail(problem, path, QStringLiteral("an entry name has no terminator"));
            return std::nullopt;
        }
        const qint64 offset = le32(*directory, at + kPakNameBytes);
        const qint64 size = le32(*directory, at + kPakNameBytes + 4);
        if (offset < 0 || size < 0 || offset > pak->size || size > pak->size - offset) {
            fail(problem, path, QStringLiteral("the entry %1 lies outside the file").arg(*name));
            return std::nullopt;
        }
        entries.push_back(PakEntry{*name, offset, size});
    }
    return entries;
}

std::optional<FilePart> findWadLump(const FilePart& wad, const QString& name, Problem& problem) {
    const std::optional<QByteArray> header = readPart(wad, 0, 12, problem);
    if (!header) {
        return std::nullopt;
    }
    if (!header->startsWith("WAD2")) {
        fail(problem, wad.label, QStringLiteral("it is not a WAD2 file"));
        return std::nullopt;
    }
    const qint64 count = le32(*header, 4);
    const qint64 tableOffset = le32(*header, 8);
    if (count < 0 || count > kMaxDirectoryEntries || tableOffset < 0) {
        fail(problem, wad.label, QStringLiteral("its directory is damaged"));
        return std::nullopt;
    }
    const std::optional<QByteArray> table =
        readPart(wad, tableOffset, count * kWadEntryBytes, problem);
    if (!table) {
        return std::nullopt;
    }
    for (qint64 at = 0; at < table->size(); at += kWadEntryBytes) {
        // The engine reads all 16 bytes when no NUL ends the name.
        const QString lumpName = *nameField(*table, at + 16, kWadNameBytes, true);
        if (lumpName.compare(name, Qt::CaseInsensitive) != 0) {
            continue;
        }
        const qint64 offset = le32(*table, at);
        const qint64 size = le32(*table, at + 4);
        if (byteAt(*table, at + 13) != 0) {
            fail(problem, wad.label, QStringLiteral("the lump %1 is compressed").arg(lumpName));
            return std::nullopt;
        }
        if (offset < 0 || size < 0 || offset > wad.size || size > wad.size - offset) {
            fail(problem, wad.label,
                 QStringLiteral("the lump %1 lies outside the file").arg(lumpName));
            return std::nullopt;
        }
        return FilePart{wad.path, wad.offset + offset, size,
                        QStringLiteral("%1 (%2)").arg(wad.label, lumpName)};
    }
    return std::nullopt;
}

std::optional<Palette> paletteFromLump(const QByteArray& data, const QString& file,
                                       Problem& problem) {
    if (data.size() < 768) {
        fail(problem, file, QStringLiteral("the palette is shorter than 768 bytes"));
        return std::nullopt;
    }
    Palette palette;
    for (int i = 0; i < 256; ++i) {
        palette[static_cast<std::size_t>(i)] =
            qRgb(byteAt(data, 3 * i), byteAt(data, 3 * i + 1), byteAt(data, 3 * i + 2));
    }
    return palette;
}

std::optional<Palette> pcxPalette(const QByteArray& tail, const QString& file, Problem& problem) {
    if (tail.size() != kPcxPaletteBytes || byteAt(tail, 0) != 0x0C) {
        fail(problem, file, QStringLiteral("it has no palette"));
        return std::nullopt;
    }
    return paletteFromLump(tail.mid(1), file, problem);
}

std::optional<IndexedPicture> decodePcx(const QByteArray& data, const QString& file,
                                        Palette& palette, Problem& problem) {
    if (data.size() < kPcxHeaderBytes + kPcxPaletteBytes) {
        fail(problem, file, QStringLiteral("it is too short for a PCX picture"));
        return std::nullopt;
    }
    if (byteAt(data, 0) != 0x0A || byteAt(data, 1) != 5 || byteAt(data, 2) != 1 ||
        byteAt(data, 3) != 8 || byteAt(data, 65) != 1) {
        fail(problem, file, QStringLiteral("it is not an 8-bit PCX picture"));
        return std::nullopt;
    }
    const int width = le16(data, 8) - le16(data, 4) + 1;
    const int height = le16(data, 10) - le16(data, 6) + 1;
    const int bytesPerLine = le16(data, 66);
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
        bytesPerLine < width) {
        fail(problem, file, QStringLiteral("its size is damaged"));
        return std::nullopt;
    }
    const qsizetype paletteAt = data.size() - kPcxPaletteBytes;
    const std::optional<Palette> own = pcxPalette(data.mid(paletteAt), file, problem);
    if (!own) {
        return std::nullopt;
    }
    palette = *own;

    // Some writers let a run carry on into the next scanline, so the lines
    // are decoded as one stream; the padding past the width is dropped.
    const qsizetype streamBytes = qsizetype{bytesPerLine} * height;
    QByteArray stream;
    stream.reserve(streamBytes);
    qsizetype in = kPcxHeaderBytes;
    while (stream.size() < streamBytes) {
        if (in >= paletteAt) {
            fail(problem, file, QStringLiteral("the picture data ends early"));
            return std::nullopt;
        }
        int value = byteAt(data, in++);
        int run = 1;
        if ((value & 0xC0) == 0xC0) {
            run = value & 0x3F;
            if (in >= paletteAt) {
                fail(problem, file, QStringLiteral("the picture data ends early"));
                return std::nullopt;
            }
            value = byteAt(data, in++);
        }
        stream.append(std::min<qsizetype>(run, streamBytes - stream.size()),
                      static_cast<char>(value));
    }
    IndexedPicture picture{width, height, {}};
    picture.pixels.reserve(qsizetype{width} * height);
    for (int y = 0; y < height; ++y) {
        picture.pixels += stream.mid(qsizetype{y} * bytesPerLine, width);
    }
    return picture;
}

std::optional<QImage> decodeTga(const QByteArray& data, const QString& file, Problem& problem) {
    if (data.size() < kTgaHeaderBytes) {
        fail(problem, file, QStringLiteral("it is too short for a TGA picture"));
        return std::nullopt;
    }
    const int idLength = byteAt(data, 0);
    const int colourMapType = byteAt(data, 1);
    const int type = byteAt(data, 2);
    const int width = le16(data, 12);
    const int height = le16(data, 14);
    const int bits = byteAt(data, 16);
    const int attributes = byteAt(data, 17);
    const bool grey = type == 3 || type == 11;
    const bool rle = type == 10 || type == 11;
    if (colourMapType != 0 || (type != 2 && type != 3 && type != 10 && type != 11) ||
        (grey ? bits != 8 : bits != 24 && bits != 32)) {
        fail(problem, file,
             QStringLiteral("only 24- and 32-bit colour or 8-bit grey TGA pictures "
                            "can be read"));
        return std::nullopt;
    }
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) {
        fail(problem, file, QStringLiteral("its size is damaged"));
        return std::nullopt;
    }
    const int pixelBytes = bits / 8;
    const qsizetype bodyBytes = qsizetype{width} * height * pixelBytes;
    qsizetype in = kTgaHeaderBytes + idLength;

    // Qt's TGA plugin reads uncompressed colour pictures only, and neither
    // Qt nor another Debian library reads the RLE and grey kinds the game
    // also accepts, so those are unpacked here into the uncompressed form.
    QByteArray body;
    if (!rle) {
        if (data.size() - in < bodyBytes) {
            fail(problem, file, QStringLiteral("the picture data ends early"));
            return std::nullopt;
        }
        body = data.mid(in, bodyBytes);
    } else {
        body.reserve(bodyBytes);
        while (body.size() < bodyBytes) {
            if (in >= data.size()) {
                fail(problem, file, QStringLiteral("the picture data ends early"));
                return std::nullopt;
            }
            const int packet = byteAt(data, in++);
            const qsizetype count = (packet & 0x7F) + 1;
            const qsizetype take = (packet & 0x80) ? pixelBytes : count * pixelBytes;
            if (data.size() - in < take) {
                fail(problem, file, QStringLiteral("the picture data ends early"));
                return std::nullopt;
            }
            const QByteArray pixels = data.mid(in, take);
            in += take;
            // Runs may cross rows; one that overshoots the picture is cut.
            body += (packet & 0x80) ? pixels.repeated(count) : pixels;
        }
        body.truncate(bodyBytes);
    }
    const int outBits = grey ? 24 : bits;
    if (grey) {
        QByteArray colour;
        colour.reserve(bodyBytes * 3);
        for (const char g : std::as_const(body)) {
            colour.append(3, g);
        }
        body = colour;
    }
    QByteArray plain(kTgaHeaderBytes, '\0');
    plain[2] = 2;
    plain[12] = static_cast<char>(width & 0xFF);
    plain[13] = static_cast<char>(width >> 8);
    plain[14] = static_cast<char>(height & 0xFF);
    plain[15] = static_cast<char>(height >> 8);
    plain[16] = static_cast<char>(outBits);
    plain[17] = static_cast<char>((attributes & 0x20) | (outBits == 32 ? 8 : 0));
    plain += body;
    // Qt's plugin takes only TGA 2.0 files, which end in this footer.
    plain += QByteArray(8, '\0') + QByteArrayLiteral("TRUEVISION-XFILE.") + '\0';

    QBuffer buffer(&plain);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "tga");
    reader.setAutoDetectImageFormat(false);  // the TGA plugin only, not every one installed
    QImage image = reader.read();
    if (image.isNull()) {
        fail(problem, file, reader.errorString());
        return std::nullopt;
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace vtl::charset
