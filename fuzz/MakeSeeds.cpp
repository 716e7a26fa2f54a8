// Writes the seed inputs of every fuzz target into <folder>/<target>/ from
// the tests' own file builders and, when it has been fetched, the real
// OpenArena charset: make-seeds <folder> [OpenArena pak0.pk3]
#include <QBuffer>
#include <QCoreApplication>
#include <QImage>

#include "charset/Formats.h"
#include "charset/GameFiles.h"

using namespace vtl::test;

namespace {

QString folder;

void seed(const char* target, const char* name, const QByteArray& bytes) {
    writeFile(folder + u'/' + QLatin1StringView(target) + u'/' + QLatin1StringView(name), bytes);
}

QByteArray picture(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    const QByteArray conchars = pattern(128, 128);
    const QByteArray gfxWad = wad2({{"conchars", conchars}, {"other", "xyz"}});
    const QByteArray palette = paletteLump();

    seed("pak", "two", pak({{"gfx.wad", gfxWad}, {"gfx/palette.lmp", palette}}));
    seed("pak_lookup", "quake", pak({{"gfx.wad", gfxWad}, {"gfx/palette.lmp", palette}}));
    seed("pak_lookup", "qpic",
         pak({{"gfx.wad", wad2({{"conchars", le32(128) + le32(128) + conchars}})},
              {"gfx/palette.lmp", palette}}));
    seed("wad2", "conchars", gfxWad);
    seed("pcx", "conchars", pcx(128, 128, pattern(128, 128)));
    seed("pcx", "padded", pcx(16, 8, pattern(16, 8), 2));
    seed("lump", "conchars", QByteArray(1, '\0') + pattern(256, 128));
    seed("lump", "palette", QByteArray(1, '\1') + palette);
    const QImage glyphs = whiteGlyphs().scaled(32, 32);
    seed("tga", "plain", tga(glyphs, false));
    seed("tga", "rle", tga(glyphs, true, true));
    seed("zip", "bigchars", vtl::test::zip({{"gfx/2d/bigchars.tga", tga(glyphs, true)}}));
    const QImage small = glyphs.convertToFormat(QImage::Format_RGB32);
    seed("picture", "sheet.bmp", picture(small, "BMP"));
    seed("picture", "sheet.gif", picture(small, "GIF"));
    seed("picture", "sheet.jpg", picture(small, "JPEG"));
    seed("settings", "vtl.ini",
         "; settings\r\n[Options]\r\nMode=3\r\n[Game Charsets]\r\nquake3=/games/q3\r\n");
    seed("names", "config.cfg",
         "bind x \"say hi\"\nname \"^1Red^7Player\" //VTL G2 v6.3\r\nseta name \"A\\x80B\"\n"
         "name plain;echo\n");
    const QByteArray lines =
        "name \"  x;y\\\"q^^8z\"\nseta name \"^7^8^7\"\nname \"a{b\x8d\xdc\"\n";
    for (char mode = 0; mode < 7; ++mode) {
        const char name[] = {'m', static_cast<char>('0' + mode), '\0'};
        seed("check", name, QByteArray(1, mode) + lines);
    }

    // The real charset, in the pk3 and TGA form the game reads.
    if (argc > 2) {
        vtl::charset::Problem problem;
        const auto real =
            vtl::charset::readZipEntry(QString::fromLocal8Bit(argv[2]),
                                       QStringLiteral("gfx/2d/bigchars.tga"), 1 << 24, problem);
        if (real) {
            seed("tga", "openarena", *real);
            seed("zip", "openarena", vtl::test::zip({{"gfx/2d/bigchars.tga", *real}}));
        }
    }
    return 0;
}
