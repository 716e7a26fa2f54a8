#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>
#include <optional>
#include <vector>

#include "core/FileOpen.h"

namespace vtl::charset {

// What went wrong with which file. Every reader below fills one instead of
// throwing, so a damaged game file becomes a message, never a crash; nothing
// with no problem means the thing looked for is not there.
using Problem = ReadProblem;

// A run of bytes in a file on disk: a whole loose file or one entry of a
// PAK or WAD2 archive. Readers seek to what they need instead of reading the
// archive whole.
struct FilePart {
    QString path;  // the file on disk
    qint64 offset = 0;
    qint64 size = 0;
    QString label;  // how messages name it: the path, or "archive (entry)"
};

// A loose file as a part.
std::optional<FilePart> wholeFile(const QString& path, Problem& problem);

// `length` bytes at `at` within the part; refused when they reach past its end.
std::optional<QByteArray> readPart(const FilePart& part, qint64 at, qint64 length,
                                   Problem& problem);

// The whole part, refused when larger than `limit`.
std::optional<QByteArray> readAll(const FilePart& part, qint64 limit, Problem& problem);

// --- Quake PAK ("PACK", 64-byte directory entries) -------------------------

struct PakEntry {
    QString name;
    qint64 offset = 0;
    qint64 size = 0;
};

// The directory of a PAK file; every entry is checked to lie inside the file.
std::optional<std::vector<PakEntry>> readPakDirectory(const QString& path, Problem& problem);

// --- WAD2 ("WAD2", 32-byte lump entries, names matched ignoring case) -----

// The lump `name` of the WAD2 in `wad`, as a part of the same file; nothing
// without a problem when the WAD has no such lump.
std::optional<FilePart> findWadLump(const FilePart& wad, const QString& name, Problem& problem);

// --- 8-bit pictures -------------------------------------------------------

using Palette = std::array<QRgb, 256>;

// A picture of palette indices, one byte a pixel, rows without padding.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    QByteArray pixels;
};

// A 768-byte RGB palette (Quake's gfx/palette.lmp).
std::optional<Palette> paletteFromLump(const QByteArray& data, const QString& file,
                                       Problem& problem);

// The palette at the end of a PCX picture: `tail` is its last kPcxPaletteBytes.
inline constexpr int kPcxPaletteBytes = 769;  // the 0x0C marker and 256 RGB triples
std::optional<Palette> pcxPalette(const QByteArray& tail, const QString& file, Problem& problem);

// An 8-bit, one-plane PCX (version 5, RLE) with the palette at its end.
std::optional<IndexedPicture> decodePcx(const QByteArray& data, const QString& file,
                                        Palette& palette, Problem& problem);

// --- Truecolour pictures --------------------------------------------------

// A TGA picture as ARGB32 (types 2, 3, 10 and 11, 24 or 32 bits, 8-bit grey).
std::optional<QImage> decodeTga(const QByteArray& data, const QString& file, Problem& problem);

// --- zip (pk3) ------------------------------------------------------------

// The bytes of `entry` (matched ignoring case) in the zip at `path`. Only the
// zip's central directory and that entry are read. Nothing, with no problem,
// when the zip has no such entry; refused when the entry is larger than
// `limit` or the zip is damaged.
std::optional<QByteArray> readZipEntry(const QString& path, const QString& entry, qint64 limit,
                                       Problem& problem);

}  // namespace vtl::charset
