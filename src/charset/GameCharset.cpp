#include "charset/GameCharset.h"

#include <QDir>
#include <QFileInfo>

#include <QtEndian>

#include <algorithm>
#include <set>
#include <vector>

#include "charset/FontSheet.h"
#include "charset/Formats.h"
#include "charset/Sheet.h"

namespace vtl::charset {
namespace {

// The largest charset picture read into memory; real ones are well under 1 MB.
constexpr qint64 kPictureLimit = 16 * 1024 * 1024;
constexpr qint64 kQuakeCharsetBytes = 128 * 128;
constexpr qint64 kHexenCharsetBytes = 256 * 128;
constexpr qint64 kQpicHeaderBytes = 8;
constexpr int kMaxListedPlaces = 12;

enum class Archives {
    QuakePaks,   // pak0.pak, pak1.pak, ... up to the first missing; paks beat loose files
    Quake2Paks,  // any of pak0.pak .. pak9.pak; paks beat loose files
    Pk3,         // every *.pk3, later names win; loose files beat them all
};

struct Layout {
    // Alternative installs, each a list of game folders, the overriding one first.
    std::vector<std::vector<QString>> installs;
    Archives archives;
};

Layout layoutOf(Game game) {
    switch (game) {
        case Game::Quake:
            return {{{QStringLiteral("qw"), QStringLiteral("id1")}}, Archives::QuakePaks};
        case Game::Quake2:
            return {{{QStringLiteral("baseq2")}}, Archives::Quake2Paks};
        case Game::Quake3:
            return {{{QStringLiteral("baseq3")}, {QStringLiteral("baseoa")}}, Archives::Pk3};
        case Game::Wolfenstein:
            return {{{QStringLiteral("main")}}, Archives::Pk3};
        case Game::Hexen2:
            return {{{QStringLiteral("data1")}}, Archives::QuakePaks};
        case Game::UrbanTerror:
            return {{{QStringLiteral("q3ut4")}}, Archives::Pk3};
        case Game::QuakeLive:
            return {{{QStringLiteral("baseq3")}}, Archives::Pk3};
        case Game::OpenJK:
            return {{{QStringLiteral("base")}}, Archives::Pk3};
        case Game::EtLegacy:
            return {{{QStringLiteral("legacy"), QStringLiteral("etmain")}}, Archives::Pk3};
        case Game::Warfork:
            return {{{QStringLiteral("basewf")}}, Archives::Pk3};
    }
    return {};
}

QString childNamed(const QString& root, const QString& name) {
    const QStringList entries = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return root + QLatin1Char('/') + entry;
        }
    }
    return {};
}

// The game folders to search, the overriding one first. `looked` gets the
// folders tried when there are none.
QStringList gameFolders(const Layout& layout, const QString& folder, QStringList& looked) {
    const QFileInfo chosen(folder);
    for (const std::vector<QString>& install : layout.installs) {
        QString root = chosen.absoluteFilePath();
        for (const QString& name : install) {
            if (chosen.fileName().compare(name, Qt::CaseInsensitive) == 0) {
                root = chosen.absolutePath();
            }
        }
        QStringList found;
        for (const QString& name : install) {
            const QString dir = childNamed(root, name);
            if (dir.isEmpty()) {
                looked << root + QLatin1Char('/') + name;
            } else {
                found << dir;
            }
        }
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {};
}

enum class PlaceKind { Folder, Pak, Pk3 };

struct Place {
    QString path;
    PlaceKind kind;
};

std::vector<Place> placesIn(const QString& dir, Archives archives) {
    std::vector<Place> archivesFound;
    if (archives == Archives::Pk3) {
        QStringList names =
            QDir(dir).entryList({QStringLiteral("*.pk3")}, QDir::Files, QDir::NoSort);
        std::sort(names.begin(), names.end(),
                  [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); });
        for (const QString& name : names) {
            archivesFound.push_back({dir + QLatin1Char('/') + name, PlaceKind::Pk3});
        }
    } else {
        for (int i = 0; i < 10 || archives == Archives::QuakePaks; ++i) {
            const QString pak = dir + QStringLiteral("/pak%1.pak").arg(i);
            if (QFileInfo(pak).isFile()) {
                archivesFound.push_back({pak, PlaceKind::Pak});
            } else if (archives == Archives::QuakePaks) {
                break;
            }
        }
    }
    std::reverse(archivesFound.begin(), archivesFound.end());
    std::vector<Place> places;
    if (archives == Archives::Pk3) {
        places.push_back({dir, PlaceKind::Folder});
    }
    places.insert(places.end(), archivesFound.begin(), archivesFound.end());
    if (archives != Archives::Pk3) {
        places.push_back({dir, PlaceKind::Folder});
    }
    return places;
}

// One file found on the search path: a part of a file on disk, or the bytes
// of a zip entry (which can't be read in place).
struct Found {
    FilePart part;
    std::optional<QByteArray> bytes;
};

class SearchPath {
  public:
    SearchPath(const QStringList& folders, Archives archives) {
        for (const QString& folder : folders) {
            const std::vector<Place> more = placesIn(folder, archives);
            places_.insert(places_.end(), more.begin(), more.end());
        }
    }

    // Nothing with `problem` empty when no place holds `name`.
    std::optional<Found> find(const QString& name, Problem& problem) const {
        for (const Place& place : places_) {
            switch (place.kind) {
                case PlaceKind::Folder: {
                    const QString path = place.path + QLatin1Char('/') + name;
                    if (QFileInfo(path).isFile()) {
                        if (std::optional<FilePart> part = wholeFile(path, problem)) {
                            return Found{*part, std::nullopt};
                        }
                        return std::nullopt;
                    }
                    break;
                }
                case PlaceKind::Pak: {
                    const auto entries = readPakDirectory(place.path, problem);
                    if (!entries) {
                        return std::nullopt;
                    }
                    for (const PakEntry& entry : *entries) {
                        if (entry.name.compare(name, Qt::CaseInsensitive) == 0) {
                            const QString label =
                                QStringLiteral("%1 (%2)").arg(place.path, entry.name);
                            return Found{{place.path, entry.offset, entry.size, label},
                                         std::nullopt};
                        }
                    }
                    break;
                }
                case PlaceKind::Pk3: {
                    std::optional<QByteArray> bytes =
                        readZipEntry(place.path, name, kPictureLimit, problem);
                    if (problem.file == place.path) {
                        // The pk3 itself can't be opened (a partial download,
                        // say): the games leave such a file out of their
                        // search path, and so does this search.
                        skipped_.insert(place.path);
                        problem = {};
                        break;
                    }
                    if (bytes || problem.isSet()) {
                        if (!bytes) {
                            return std::nullopt;
                        }
                        const QString label = QStringLiteral("%1 (%2)").arg(place.path, name);
                        return Found{{place.path, 0, bytes->size(), label}, std::move(bytes)};
                    }
                    break;
                }
            }
        }
        return std::nullopt;
    }

    // The pk3 files left out because they could not be opened.
    QStringList skipped() const { return QStringList(skipped_.begin(), skipped_.end()); }

    QStringList lookedIn() const {
        QStringList paths;
        for (const Place& place : places_) {
            paths << QDir::toNativeSeparators(place.path);
        }
        return paths;
    }

  private:
    std::vector<Place> places_;
    mutable std::set<QString> skipped_;
};

std::optional<QByteArray> bytesOf(const Found& found, Problem& problem) {
    if (found.bytes) {
        return found.bytes;
    }
    return readAll(found.part, kPictureLimit, problem);
}

CharsetSearch damaged(const Problem& problem) {
    return {std::nullopt, kDamagedCharsetMessage.arg(problem.file, problem.reason), true};
}

CharsetSearch notFound(const QString& folder, const QString& wanted, QStringList looked) {
    if (looked.size() > kMaxListedPlaces) {
        looked = looked.mid(0, kMaxListedPlaces) << QStringLiteral("...");
    }
    QString message = kNoCharsetMessage.arg(folder, wanted);
    for (const QString& place : looked) {
        message += QLatin1Char('\r') + place;
    }
    return {std::nullopt, message};
}

// A file the search did not return: not there at all, or there but unreadable.
CharsetSearch whyMissing(const SearchPath& path, const QString& folder, const QString& name,
                         const Problem& problem) {
    return problem.reason.isEmpty() ? notFound(folder, name, path.lookedIn()) : damaged(problem);
}

// A lump's bytes, with the 8-byte picture header of width and height that
// some copies carry dropped.
std::optional<QByteArray> rawPixels(QByteArray data, qint64 bytes, int width, int height,
                                    const QString& file, Problem& problem) {
    if (data.size() == bytes + kQpicHeaderBytes) {
        const qint32 w = qFromLittleEndian<qint32>(data.constData());
        const qint32 h = qFromLittleEndian<qint32>(data.constData() + 4);
        if (w == width && h == height) {
            return data.mid(kQpicHeaderBytes);
        }
    }
    if (data.size() != bytes) {
        problem = {file,
                   QStringLiteral("it is %1 bytes long; a %2 x %3 charset takes %4")
                       .arg(data.size())
                       .arg(width)
                       .arg(height)
                       .arg(bytes),
                   0};
        return std::nullopt;
    }
    return data;
}

struct Pieces {
    IndexedPicture picture;
    QString source;
};

CharsetSearch withPalette(const SearchPath& path, const QString& folder, const Pieces& pieces,
                          std::initializer_list<int> transparent) {
    const QString name = QStringLiteral("gfx/palette.lmp");
    Problem problem;
    const std::optional<Found> found = path.find(name, problem);
    if (!found) {
        return whyMissing(path, folder, name, problem);
    }
    const std::optional<QByteArray> bytes = readPart(found->part, 0, 768, problem);
    std::optional<Palette> palette;
    if (bytes) {
        palette = paletteFromLump(*bytes, found->part.label, problem);
    }
    if (!palette) {
        return damaged(problem);
    }
    return {GameCharset{sheetFromIndexed(pieces.picture, *palette, transparent), false,
                        pieces.source, path.skipped()},
            {}};
}

CharsetSearch quakeCharset(const SearchPath& path, const QString& folder) {
    const QString wadName = QStringLiteral("gfx.wad");
    Problem problem;
    const std::optional<Found> wad = path.find(wadName, problem);
    if (!wad) {
        return whyMissing(path, folder, wadName, problem);
    }
    const std::optional<FilePart> lump =
        findWadLump(wad->part, QStringLiteral("conchars"), problem);
    if (!lump) {
        if (problem.reason.isEmpty()) {
            problem = {wad->part.label, QStringLiteral("it has no conchars lump")};
        }
        return damaged(problem);
    }
    std::optional<QByteArray> pixels;
    if (std::optional<QByteArray> data = readAll(*lump, kPictureLimit, problem)) {
        pixels = rawPixels(*data, kQuakeCharsetBytes, 128, 128, lump->label, problem);
    }
    if (!pixels) {
        return damaged(problem);
    }
    return withPalette(path, folder, {{128, 128, *pixels}, lump->label}, {0, 255});
}

CharsetSearch hexenCharset(const SearchPath& path, const QString& folder) {
    const QString name = QStringLiteral("gfx/menu/conchars.lmp");
    Problem problem;
    const std::optional<Found> found = path.find(name, problem);
    if (!found) {
        return whyMissing(path, folder, name, problem);
    }
    std::optional<QByteArray> pixels;
    if (std::optional<QByteArray> data = bytesOf(*found, problem)) {
        pixels = rawPixels(*data, kHexenCharsetBytes, 256, 128, found->part.label, problem);
    }
    if (!pixels) {
        return damaged(problem);
    }
    // Bytes 0-255 are the first 256 of its 512 glyphs, 32 to a row; the
    // sheet wants them 16 to a row.
    IndexedPicture picture{128, 128, QByteArray(128 * 128, '\0')};
    for (int glyph = 0; glyph < 256; ++glyph) {
        const int from = (glyph >> 5) * 256 * 8 + (glyph & 31) * 8;
        const int to = (glyph >> 4) * 128 * 8 + (glyph & 15) * 8;
        for (int row = 0; row < 8; ++row) {
            picture.pixels.replace(to + row * 128, 8, pixels->mid(from + row * 256, 8));
        }
    }
    return withPalette(path, folder, {picture, found->part.label}, {0});
}

CharsetSearch quake2Charset(const SearchPath& path, const QString& folder) {
    const QString name = QStringLiteral("pics/conchars.pcx");
    Problem problem;
    const std::optional<Found> found = path.find(name, problem);
    if (!found) {
        return whyMissing(path, folder, name, problem);
    }
    const std::optional<QByteArray> data = bytesOf(*found, problem);
    Palette palette{};
    std::optional<IndexedPicture> picture;
    if (data) {
        picture = decodePcx(*data, found->part.label, palette, problem);
    }
    if (!picture) {
        return damaged(problem);
    }
    // The renderer draws every 8-bit picture in colormap.pcx's palette; the
    // charset's own is the fallback when that file is missing.
    const QString colormapName = QStringLiteral("pics/colormap.pcx");
    if (const std::optional<Found> colormap = path.find(colormapName, problem)) {
        const qint64 size = colormap->part.size;
        std::optional<QByteArray> tail =
            readPart(colormap->part, std::max<qint64>(size - kPcxPaletteBytes, 0),
                     std::min<qint64>(size, kPcxPaletteBytes), problem);
        std::optional<Palette> shared;
        if (tail) {
            shared = pcxPalette(*tail, colormap->part.label, problem);
        }
        if (!shared) {
            return damaged(problem);
        }
        palette = *shared;
    } else if (!problem.reason.isEmpty()) {
        return damaged(problem);
    }
    return {GameCharset{sheetFromIndexed(*picture, palette, {255}), false, found->part.label,
                        path.skipped()},
            {}};
}

CharsetSearch quake3Charset(const SearchPath& path, const QString& folder) {
    const QString name = QStringLiteral("gfx/2d/bigchars.tga");
    Problem problem;
    const std::optional<Found> found = path.find(name, problem);
    if (!found) {
        return whyMissing(path, folder, name, problem);
    }
    const std::optional<QByteArray> data = bytesOf(*found, problem);
    std::optional<QImage> picture;
    if (data) {
        picture = decodeTga(*data, found->part.label, problem);
    }
    if (!picture) {
        return damaged(problem);
    }
    return {GameCharset{glyphSheetFromPicture(*picture), true, found->part.label, path.skipped()},
            {}};
}

// The first of `names` on the search path: what it holds and its bytes.
struct FoundFile {
    Found found;
    QByteArray bytes;
};

std::optional<FoundFile> findFirst(const SearchPath& path, const QStringList& names,
                                   Problem& problem) {
    for (const QString& name : names) {
        if (const std::optional<Found> found = path.find(name, problem)) {
            std::optional<QByteArray> bytes = bytesOf(*found, problem);
            if (!bytes) {
                return std::nullopt;
            }
            return FoundFile{*found, *std::move(bytes)};
        }
        if (!problem.reason.isEmpty()) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// OpenJK's console charset: TGA as the game ships it, or another picture
// format the renderer also takes.
CharsetSearch openJKCharset(const SearchPath& path, const QString& folder) {
    const QStringList names{QStringLiteral("gfx/2d/charsgrid_med.tga"),
                            QStringLiteral("gfx/2d/charsgrid_med.png"),
                            QStringLiteral("gfx/2d/charsgrid_med.jpg")};
    Problem problem;
    const std::optional<FoundFile> file = findFirst(path, names, problem);
    if (!file) {
        return problem.reason.isEmpty() ? notFound(folder, names.front(), path.lookedIn())
                                        : damaged(problem);
    }
    std::optional<QImage> picture;
    if (file->found.part.label.endsWith(QStringLiteral(".tga)"), Qt::CaseInsensitive) ||
        file->found.part.label.endsWith(QStringLiteral(".tga"), Qt::CaseInsensitive)) {
        picture = decodeTga(file->bytes, file->found.part.label, problem);
    } else {
        QImage image = QImage::fromData(file->bytes);
        if (image.isNull()) {
            problem = {file->found.part.label, QStringLiteral("it is not a picture")};
        } else {
            picture = image;
        }
    }
    if (!picture) {
        return damaged(problem);
    }
    return {GameCharset{glyphSheetFromLeftHalves(*picture), true, file->found.part.label,
                        path.skipped()},
            {}};
}

// The TrueType font a text game draws names with, from its pk3s or folders.
CharsetSearch fontCharset(const SearchPath& path, const QString& folder, const QStringList& names) {
    Problem problem;
    const std::optional<FoundFile> file = findFirst(path, names, problem);
    if (!file) {
        return problem.reason.isEmpty()
                   ? notFound(folder, names.join(QStringLiteral(" / ")), path.lookedIn())
                   : damaged(problem);
    }
    const std::optional<QRawFont> font = fontFromData(file->bytes);
    if (!font) {
        return damaged({file->found.part.label, QStringLiteral("it is not a font")});
    }
    return {GameCharset{fontSheet(*font), true, file->found.part.label, path.skipped()}, {}};
}

}  // namespace

CharsetSearch findGameCharset(Game game, const QString& folder) {
    const Layout layout = layoutOf(game);
    QStringList looked;
    const QStringList folders = gameFolders(layout, folder, looked);
    const QString shownFolder = QDir::toNativeSeparators(folder);
    if (folders.isEmpty()) {
        QStringList names;
        for (const std::vector<QString>& install : layout.installs) {
            names << QStringList(install.begin(), install.end());
        }
        return notFound(shownFolder, names.join(QStringLiteral(" / ")), looked);
    }
    const SearchPath path(folders, layout.archives);
    switch (game) {
        case Game::Quake:
            return quakeCharset(path, shownFolder);
        case Game::Quake2:
            return quake2Charset(path, shownFolder);
        case Game::Quake3:
        case Game::Wolfenstein:
            return quake3Charset(path, shownFolder);
        case Game::Hexen2:
            return hexenCharset(path, shownFolder);
        case Game::UrbanTerror:
        case Game::QuakeLive:
            return quake3Charset(path, shownFolder);
        case Game::OpenJK:
            return openJKCharset(path, shownFolder);
        case Game::EtLegacy:
            return fontCharset(path, shownFolder,
                               {QStringLiteral("fonts/JetBrainsMono-SemiBold.ttf"),
                                QStringLiteral("fonts/JetBrainsMono-SemiBold.otf")});
        case Game::Warfork:
            return fontCharset(path, shownFolder,
                               {QStringLiteral("fonts/DroidSans.ttf"),
                                QStringLiteral("fonts/DroidSans-Regular.ttf")});
    }
    return {};
}

}  // namespace vtl::charset
