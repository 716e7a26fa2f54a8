#include "Targets.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTextStream>

#include <array>
#include <cstdlib>
#include <cstring>

#include "charset/Formats.h"
#include "charset/GameCharset.h"
#include "check/CheckCommand.h"
#include "ini/Ini.h"
#include "modes/CharTables.h"
#include "modes/GameModes.h"
#include "modes/PictureLength.h"
#include "modes/PlainGif.h"
#include "modes/Quake3Colours.h"
#include "modes/SheetLoader.h"
#include "reading/NameImport.h"

namespace vtl::fuzz {
namespace {

using charset::Problem;

QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Readers that take a path get the input as a file in a folder of this
// process's own.
QString scratch(const QString& relative) {
    static const QString root =
        QDir::tempPath() + QStringLiteral("/vtl-fuzz-%1").arg(QCoreApplication::applicationPid());
    const QString path = root + u'/' + relative;
    QDir().mkpath(path.section(u'/', 0, -2));
    return path;
}

QString writeScratch(const QString& relative, const QByteArray& bytes) {
    const QString path = scratch(relative);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::abort();  // the harness, not the reader, failed
    }
    return path;
}

// A reader's promise that the fuzzer checks besides crashes and leaks.
void require(bool promise) {
    if (!promise) {
        std::abort();
    }
}

void pak(const std::uint8_t* data, std::size_t size) {
    const QString path = writeScratch(QStringLiteral("pak.pak"), bytesOf(data, size));
    Problem problem;
    const auto entries = charset::readPakDirectory(path, problem);
    require(entries.has_value() != problem.isSet());
    if (!entries) {
        return;
    }
    for (std::size_t i = 0; i < entries->size() && i < 4; ++i) {
        const charset::PakEntry& entry = (*entries)[i];
        const charset::FilePart part{path, entry.offset, entry.size, entry.name};
        const auto bytes = charset::readAll(part, 1 << 20, problem);
        require(!bytes || bytes->size() == entry.size);
    }
}

// A PAK on the Quake search path: the directory, then gfx.wad, its conchars
// lump and the palette, looked up by name.
void pakLookup(const std::uint8_t* data, std::size_t size) {
    writeScratch(QStringLiteral("quake/id1/pak0.pak"), bytesOf(data, size));
    const charset::CharsetSearch search =
        charset::findGameCharset(charset::Game::Quake, scratch(QStringLiteral("quake")));
    require(search.charset.has_value() == search.message.isEmpty());
}

void wad2(const std::uint8_t* data, std::size_t size) {
    const QString path = writeScratch(QStringLiteral("gfx.wad"), bytesOf(data, size));
    Problem problem;
    const auto wad = charset::wholeFile(path, problem);
    require(wad.has_value());
    const auto lump = charset::findWadLump(*wad, QStringLiteral("conchars"), problem);
    if (lump) {
        require(lump->offset >= 0 && lump->offset + lump->size <= wad->size);
        charset::readAll(*lump, 1 << 20, problem);
    }
}

void pcx(const std::uint8_t* data, std::size_t size) {
    Problem problem;
    charset::Palette palette{};
    const auto picture =
        charset::decodePcx(bytesOf(data, size), QStringLiteral("conchars.pcx"), palette, problem);
    require(!picture || picture->pixels.size() == qsizetype{picture->width} * picture->height);
}

// Hexen II's conchars.lmp and palette.lmp, one of them the input and the
// other a good one, through the search the program runs.
void lump(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    const bool inputIsPalette = data[0] & 1;
    const QByteArray input = bytesOf(data + 1, size - 1);
    writeScratch(QStringLiteral("hexen/data1/gfx/palette.lmp"),
                 inputIsPalette ? input : QByteArray(768, '\x40'));
    writeScratch(QStringLiteral("hexen/data1/gfx/menu/conchars.lmp"),
                 inputIsPalette ? QByteArray(256 * 128, '\x01') : input);
    const charset::CharsetSearch search =
        charset::findGameCharset(charset::Game::Hexen2, scratch(QStringLiteral("hexen")));
    require(!search.charset || search.charset->sheet.size() == QSize(256, 256));
}

void tga(const std::uint8_t* data, std::size_t size) {
    Problem problem;
    const auto image =
        charset::decodeTga(bytesOf(data, size), QStringLiteral("bigchars.tga"), problem);
    require(image.has_value() != problem.isSet());
}

void zip(const std::uint8_t* data, std::size_t size) {
    const QString path = writeScratch(QStringLiteral("zip.pk3"), bytesOf(data, size));
    Problem problem;
    const auto bytes =
        charset::readZipEntry(path, QStringLiteral("gfx/2d/bigchars.tga"), 1 << 20, problem);
    require(!bytes || bytes->size() <= (1 << 20));
}

// The custom-picture reader: where a BMP, GIF or JPEG ends, then the
// decode with its limits, and the plain-GIF decoder against Qt's.
void picture(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const std::optional<qint64> length = pictureLength(buffer);
    require(!length || (*length >= 0 && *length <= bytes.size()));
    const QString path = writeScratch(QStringLiteral("sheet.bmp"), bytes);
    ReadProblem problem;
    const std::optional<QImage> image = readPicture(path, problem);
    require(!image || qint64{image->width()} * image->height() <= qint64{2048} * 2048);
    // A GIF decoded without Qt is the picture Qt's reader makes, to the bit.
    if (const std::optional<QImage> plain = plainGif(bytes, qint64{1} << 20)) {
        buffer.seek(0);
        QImageReader qt(&buffer, "gif");
        const QImage expected = qt.read().convertToFormat(QImage::Format_RGB32);
        require(expected.size() == plain->size() &&
                std::memcmp(expected.constBits(), plain->constBits(),
                            static_cast<std::size_t>(plain->sizeInBytes())) == 0);
    }
}

void settings(const std::uint8_t* data, std::size_t size) {
    const QString path = writeScratch(QStringLiteral("vtl.ini"), bytesOf(data, size));
    ReadIni(QStringLiteral("Game Charsets"), QStringLiteral("quake3"), path, IniText::FileName);
    ReadIni(QStringLiteral("Options"), QStringLiteral("Mode"), path);
    const QString value = QStringLiteral("fuzz");
    if (WriteIni(QStringLiteral("Options"), QStringLiteral("Mode"), value, path)) {
        require(ReadIni(QStringLiteral("Options"), QStringLiteral("Mode"), path) == value);
    }
}

// Open Name's reading, and the decoding of the names found for each way a
// mode writes glyphs.
void names(const std::uint8_t* data, std::size_t size) {
    QBuffer buffer;
    buffer.setData(bytesOf(data, size));
    buffer.open(QIODevice::ReadOnly);
    const NameLineScan scan = scanNameLines(buffer);
    require(scan.lines.size() <= kMaxListedNameLines);
    static const std::array<std::pair<CharTable, const ColourSet*>, 3> encodings{{
        {byteTable(), nullptr},
        {hexTable(), nullptr},
        {colourTable(), &kQuake3Colours},
    }};
    const qsizetype from = std::max<qsizetype>(0, scan.lines.size() - 4);
    for (qsizetype i = from; i < scan.lines.size(); ++i) {
        for (const auto& [table, colours] : encodings) {
            const QByteArray& name = scan.lines[i].name;
            const DecodedName decoded = decodeName(name, table, colours);
            require(decoded.glyphs.size() <= static_cast<std::size_t>(kNameLength));
            // A name that loads whole is written back byte for byte (the
            // colour line's own reset aside).
            if (decoded.ok() && decoded.glyphsLeftOut == 0) {
                QByteArray written;
                for (const DecodedGlyph& glyph : decoded.glyphs) {
                    written += glyph.fragment;
                }
                const bool reset = colours && name.endsWith(colours->startCode);
                require(written == (reset ? name.chopped(qstrlen(colours->startCode)) : name));
            }
        }
    }
    namesInPastedText(bytesOf(data, std::min<std::size_t>(size, 4096)));
}

// --check's reading of a file; the first byte picks the game.
void check(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    QBuffer buffer;
    buffer.setData(bytesOf(data + 1, size - 1));
    buffer.open(QIODevice::ReadOnly);
    QString printed;
    QTextStream out(&printed);
    QString error;
    checkNameLines(buffer, kGames[data[0] % kGames.size()].mode, QStringLiteral("fuzz.cfg"), out,
                   error);
    out.flush();
    // Every line's report is bounded: output stays within a small multiple
    // of the input, however long its names.
    require(printed.size() <= 4096 + 64 * static_cast<qsizetype>(size));
}

constexpr std::array kTargets{
    Target{"pak", pak},           Target{"pak_lookup", pakLookup},
    Target{"wad2", wad2},         Target{"pcx", pcx},
    Target{"lump", lump},         Target{"tga", tga},
    Target{"zip", zip},           Target{"picture", picture},
    Target{"settings", settings}, Target{"names", names},
    Target{"check", check},
};

}  // namespace

std::span<const Target> targets() {
    return kTargets;
}

const Target* targetNamed(const char* name) {
    for (const Target& target : kTargets) {
        if (std::strcmp(target.name, name) == 0) {
            return &target;
        }
    }
    return nullptr;
}

}  // namespace vtl::fuzz
