#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "GameFiles.h"
#include "charset/GameCharset.h"
#include "charset/Sheet.h"

namespace vtl::charset {
namespace {

using namespace Qt::StringLiterals;

using test::Entries;
using test::writeFile;

// The colour the sheet must show at (x, y) for an 8-bit charset of 8 x 8
// glyphs held in a picture `width` pixels wide, glyph n at `glyphAt(n)`.
QRgb expectedPixel(const QByteArray& charset, int width, int x, int y,
                   const std::function<int(int)>& glyphAt, std::initializer_list<int> clear,
                   bool shifted) {
    const int glyph = (y / 16) * 16 + x / 16;
    const int index =
        static_cast<unsigned char>(charset[glyphAt(glyph) + ((y % 16) / 2) * width + (x % 16) / 2]);
    for (const int c : clear) {
        if (index == c) {
            return qRgb(0, 0, 0);
        }
    }
    return test::paletteColour(index, shifted);
}

void expectSheet(const QImage& sheet, const QByteArray& charset, int width,
                 const std::function<int(int)>& glyphAt, std::initializer_list<int> clear,
                 bool shifted = false) {
    ASSERT_EQ(sheet.size(), QSize(256, 256));
    int wrong = 0;
    for (int y = 0; y < 256 && wrong < 5; ++y) {
        for (int x = 0; x < 256 && wrong < 5; ++x) {
            const QRgb want = expectedPixel(charset, width, x, y, glyphAt, clear, shifted);
            if (sheet.pixel(x, y) != want) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex
                              << sheet.pixel(x, y) << ", wants " << want;
                ++wrong;
            }
        }
    }
}

int quakeGlyph(int n) {
    return (n >> 4) * 1024 + (n & 15) * 8;
}

QByteArray gfxWad(const QByteArray& conchars) {
    return test::wad2({{"CONBACK", QByteArray(64, 'x')}, {"CONCHARS", conchars}});
}

TEST(QuakeCharset, conchars_inPakWad_isDoubledWithPaletteAndBlackTransparency) {
    QTemporaryDir dir;
    const QByteArray conchars = test::pattern(128, 128);
    writeFile(dir.path() + u"/id1/pak0.pak"_s,
              test::pak({{"gfx/palette.lmp", test::paletteLump()}, {"gfx.wad", gfxWad(conchars)}}));

    const CharsetSearch found = findGameCharset(Game::Quake, dir.path());

    ASSERT_TRUE(found.charset) << found.message.toStdString();
    EXPECT_FALSE(found.charset->tinted);
    EXPECT_EQ(found.charset->source, dir.path() + u"/id1/pak0.pak (gfx.wad) (CONCHARS)"_s);
    expectSheet(found.charset->inColour('1'), conchars, 128, quakeGlyph, {0, 255});
}

TEST(QuakeCharset, conchars_withPictureHeader_isReadPastIt) {
    QTemporaryDir dir;
    const QByteArray conchars = test::pattern(128, 128);
    writeFile(dir.path() + u"/id1/gfx/palette.lmp"_s, test::paletteLump());
    writeFile(dir.path() + u"/id1/gfx.wad"_s, gfxWad(test::le32(128) + test::le32(128) + conchars));

    const CharsetSearch found = findGameCharset(Game::Quake, dir.path() + u"/id1"_s);

    ASSERT_TRUE(found.charset) << found.message.toStdString();
    expectSheet(found.charset->sheet, conchars, 128, quakeGlyph, {0, 255});
}

TEST(Quake2Charset, paddedPcxWithRunsAcrossLines_keepsWidthAndClearsIndex255) {
    QTemporaryDir dir;
    QByteArray conchars = test::pattern(128, 128);
    conchars.replace(0, 300, QByteArray(300, '\x07'));  // runs that span lines
    writeFile(dir.path() + u"/baseq2/pics/conchars.pcx"_s, test::pcx(128, 128, conchars, 2));

    const CharsetSearch found = findGameCharset(Game::Quake2, dir.path());

    ASSERT_TRUE(found.charset) << found.message.toStdString();
    expectSheet(found.charset->sheet, conchars, 128, quakeGlyph, {255});
}

TEST(Quake2Charset, colormapOnTheSearchPath_givesThePalette) {
    QTemporaryDir dir;
    const QByteArray conchars = test::pattern(128, 128);
    writeFile(dir.path() + u"/baseq2/pics/conchars.pcx"_s, test::pcx(128, 128, conchars));
    writeFile(
        dir.path() + u"/baseq2/pak0.pak"_s,
        test::pak({{"pics/colormap.pcx", test::pcx(16, 16, QByteArray(256, '\x01'), 0, true)}}));

    const CharsetSearch found = findGameCharset(Game::Quake2, dir.path());

    ASSERT_TRUE(found.charset) << found.message.toStdString();
    expectSheet(found.charset->sheet, conchars, 128, quakeGlyph, {255}, true);
}

TEST(Hexen2Charset, firstHalfOfTheWideLump_becomesBytes0To255WithIndex0Clear) {
    QTemporaryDir dir;
    const QByteArray conchars = test::pattern(256, 128);
    writeFile(
        dir.path() + u"/data1/pak0.pak"_s,
        test::pak({{"gfx/palette.lmp", test::paletteLump()}, {"gfx/menu/conchars.lmp", conchars}}));

    const CharsetSearch found = findGameCharset(Game::Hexen2, dir.path());

    ASSERT_TRUE(found.charset) << found.message.toStdString();
    expectSheet(found.charset->sheet, conchars, 256,
                [](int n) { return (n >> 5) * 2048 + (n & 31) * 8; }, {0});
}

QImage whiteGlyphs() {
    QImage glyphs(256, 256, QImage::Format_ARGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const int alpha = (x % 16 >= 4 && x % 16 < 12 && y % 16 >= 4 && y % 16 < 12) ? 255
                              : (x * 7 + y) % 3 == 0                                     ? 0
                                                     : (x + y) % 256;
            glyphs.setPixel(x, y, qRgba(255, 250, 240, alpha));
        }
    }
    return glyphs;
}

TEST(Quake3Charset, tgaKinds_decodeToTheSameGlyphs) {
    const QImage glyphs = whiteGlyphs();
    struct Row {
        const char* name;
        QByteArray file;
    };
    const Row rows[] = {
        {"uncompressed, bottom-up", test::tga(glyphs, false)},
        {"uncompressed, top-down", test::tga(glyphs, false, true)},
        {"run-length, bottom-up", test::tga(glyphs, true)},
    };
    for (const Row& row : rows) {
        QTemporaryDir dir;
        test::writeZip(dir.path() + u"/baseq3/pak0.pk3"_s, {{"gfx/2d/BigChars.tga", row.file}});
        const CharsetSearch found = findGameCharset(Game::Quake3, dir.path());
        ASSERT_TRUE(found.charset) << row.name << ": " << found.message.toStdString();
        EXPECT_TRUE(found.charset->tinted) << row.name;
        EXPECT_EQ(found.charset->sheet, glyphs) << row.name;
    }
}

TEST(Quake3Charset, tinting_multipliesByTheColourAndOutlinesBlack) {
    const QImage glyphs = whiteGlyphs();
    const QImage red = tintedSheet(glyphs, textColour('1'));
    EXPECT_EQ(red.pixel(20, 20), qRgb(255, 0, 0));  // opaque
    const QRgb half = glyphs.pixel(33, 2);
    EXPECT_EQ(qRed(red.pixel(33, 2)), (255 * qAlpha(half) + 127) / 255);

    const QImage black = tintedSheet(glyphs, textColour('8'));  // ^8 is black, as ^0
    EXPECT_EQ(black.pixel(20, 20), qRgb(0, 0, 0));
    EXPECT_EQ(black.pixel(21, 20), qRgb(0, 0, 0)) << "inside the glyph";
    // A clear pixel beside the glyph's edge shows the outline.
    QImage edged = glyphs;
    edged.setPixel(3, 8, qRgba(255, 255, 255, 0));
    EXPECT_EQ(tintedSheet(edged, textColour('0')).pixel(3, 8), kBlackTextOutline);
}

// Each row builds a game folder and names the file the charset must come from.
struct OrderRow {
    const char* name;
    Game game;
    std::function<void(const QString&)> build;
    const char* winner;  // relative to the folder
};

TEST(SearchOrder, laterArchivesAndOverridingFoldersWin) {
    const QByteArray wad = gfxWad(test::pattern(128, 128));
    const QByteArray lmp = test::paletteLump();
    const QByteArray pcx = test::pcx(128, 128, test::pattern(128, 128));
    const QByteArray tga = test::tga(whiteGlyphs(), false);
    auto quakePak = [&](const QString& path) {
        writeFile(path, test::pak({{"gfx.wad", wad}, {"gfx/palette.lmp", lmp}}));
    };
    const OrderRow rows[] = {
        {"Quake: pak1 over pak0", Game::Quake,
         [&](const QString& d) {
             quakePak(d + u"/id1/pak0.pak"_s);
             quakePak(d + u"/id1/pak1.pak"_s);
         },
         "/id1/pak1.pak (gfx.wad) (CONCHARS)"},
        {"Quake: pak over loose", Game::Quake,
         [&](const QString& d) {
             quakePak(d + u"/id1/pak0.pak"_s);
             writeFile(d + u"/id1/gfx.wad"_s, wad);
         },
         "/id1/pak0.pak (gfx.wad) (CONCHARS)"},
        {"Quake: a gap ends the paks", Game::Quake,
         [&](const QString& d) {
             quakePak(d + u"/id1/pak0.pak"_s);
             quakePak(d + u"/id1/pak2.pak"_s);
         },
         "/id1/pak0.pak (gfx.wad) (CONCHARS)"},
        {"QuakeWorld: qw over id1", Game::Quake,
         [&](const QString& d) {
             quakePak(d + u"/id1/pak0.pak"_s);
             writeFile(d + u"/qw/gfx.wad"_s, wad);
         },
         "/qw/gfx.wad (CONCHARS)"},
        {"Quake II: pak9 over loose, with gaps", Game::Quake2,
         [&](const QString& d) {
             writeFile(d + u"/baseq2/pics/conchars.pcx"_s, pcx);
             writeFile(d + u"/baseq2/pak9.pak"_s, test::pak({{"pics/conchars.pcx", pcx}}));
         },
         "/baseq2/pak9.pak (pics/conchars.pcx)"},
        {"Quake III: names compared without case", Game::Quake3,
         [&](const QString& d) {
             test::writeZip(d + u"/baseq3/zz.pk3"_s, {{"gfx/2d/bigchars.tga", tga}});
             test::writeZip(d + u"/baseq3/PAK0.pk3"_s, {{"gfx/2d/bigchars.tga", tga}});
             test::writeZip(d + u"/baseq3/pak1.pk3"_s, {{"other.txt", "x"}});
         },
         "/baseq3/zz.pk3 (gfx/2d/bigchars.tga)"},
        {"Quake III: loose over pk3", Game::Quake3,
         [&](const QString& d) {
             test::writeZip(d + u"/baseq3/pak0.pk3"_s, {{"gfx/2d/bigchars.tga", tga}});
             writeFile(d + u"/baseq3/gfx/2d/bigchars.tga"_s, tga);
         },
         "/baseq3/gfx/2d/bigchars.tga"},
        {"Wolfenstein: main", Game::Wolfenstein,
         [&](const QString& d) {
             test::writeZip(d + u"/main/pak0.pk3"_s, {{"gfx/2d/bigchars.tga", tga}});
         },
         "/main/pak0.pk3 (gfx/2d/bigchars.tga)"},
    };
    for (const OrderRow& row : rows) {
        QTemporaryDir dir;
        row.build(dir.path());
        const CharsetSearch found = findGameCharset(row.game, dir.path());
        ASSERT_TRUE(found.charset) << row.name << ": " << found.message.toStdString();
        EXPECT_EQ(found.charset->source, dir.path() + QString::fromUtf8(row.winner)) << row.name;
    }
}

TEST(SearchOrder, folderWithoutCharset_listsWhereItLooked) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + u"/baseq2"_s);
    writeFile(dir.path() + u"/baseq2/pak0.pak"_s, test::pak({{"maps/a.bsp", "x"}}));
    const CharsetSearch found = findGameCharset(Game::Quake2, dir.path());
    EXPECT_FALSE(found.charset);
    EXPECT_EQ(found.message,
              QString::fromUtf8(R"(No charset was found in "%1". Looked for pics/conchars.pcx in:)"
                                "\r%1/baseq2/pak0.pak\r%1/baseq2")
                  .arg(dir.path()));

    const CharsetSearch none = findGameCharset(Game::Quake3, dir.path());
    EXPECT_EQ(none.message,
              QString::fromUtf8(R"(No charset was found in "%1". Looked for baseq3 / baseoa in:)"
                                "\r%1/baseq3\r%1/baseoa")
                  .arg(dir.path()));
}

// Damaged and hostile files: each gives a message naming the file and the
// reason, and no sheet.
struct DamageRow {
    const char* name;
    Game game;
    const char* file;  // relative to the folder
    std::function<QByteArray()> bytes;
    const char* reason;
};

TEST(DamagedFiles, giveAMessageNamingFileAndReason) {
    const QByteArray conchars = test::pattern(128, 128);
    const QByteArray goodPak =
        test::pak({{"gfx/palette.lmp", test::paletteLump()}, {"gfx.wad", gfxWad(conchars)}});
    auto patched = [](QByteArray data, qsizetype at, qint64 value) {
        test::putLe32(data, at, value);
        return data;
    };
    const qsizetype dirAt = 12 + test::paletteLump().size() + gfxWad(conchars).size();
    const QByteArray pcx = test::pcx(128, 128, conchars);
    const QByteArray tga = test::tga(whiteGlyphs(), true);
    const DamageRow rows[] = {
        {"PAK directory past the end", Game::Quake, "/id1/pak0.pak",
         [&] { return patched(goodPak, 4, 0x7FFFFF00); }, "the file ends before the data"},
        {"PAK directory of 2 GB", Game::Quake, "/id1/pak0.pak",
         [&] { return patched(goodPak, 8, 0x7FFFFFC0); }, "its directory is damaged"},
        {"PAK entry size past the end", Game::Quake, "/id1/pak0.pak",
         [&] { return patched(goodPak, dirAt + 60, 0x7FFFFFFF); },
         "the entry gfx/palette.lmp lies outside the file"},
        {"PAK name without terminator", Game::Quake, "/id1/pak0.pak",
         [&] {
             QByteArray data = goodPak;
             data.replace(dirAt, 56, QByteArray(56, 'a'));
             return data;
         },
         "an entry name has no terminator"},
        {"WAD2 with a billion lumps", Game::Quake, "/id1/gfx.wad",
         [&] { return patched(gfxWad(conchars), 4, 1000000000); }, "its directory is damaged"},
        {"WAD2 lump past the end", Game::Quake, "/id1/gfx.wad",
         [&] {
             QByteArray wad = gfxWad(conchars);
             return patched(wad, wad.size() - 32, 0x7FFFFFF0);
         },
         "the lump CONCHARS lies outside the file"},
        {"conchars cut short", Game::Quake, "/id1/gfx.wad",
         [&] { return gfxWad(conchars.left(1000)); }, "it is 1000 bytes long"},
        {"PCX cut short", Game::Quake2, "/baseq2/pics/conchars.pcx",
         [&]() -> QByteArray { return pcx.left(128 + 200) + pcx.right(769); },
         "the picture data ends early"},
        {"PCX narrower lines than its width", Game::Quake2, "/baseq2/pics/conchars.pcx",
         [&] {
             QByteArray data = pcx;
             data.replace(66, 2, test::le16(4));
             return data;
         },
         "its size is damaged"},
        {"TGA run-length data cut short", Game::Quake3, "/baseq3/gfx/2d/bigchars.tga",
         [&] { return tga.left(tga.size() / 2); }, "the picture data ends early"},
        {"TGA of 65535 x 65535", Game::Quake3, "/baseq3/gfx/2d/bigchars.tga",
         [&] {
             QByteArray data = tga;
             data.replace(12, 4, QByteArray(4, '\xFF'));
             return data;
         },
         "its size is damaged"},
        {"pk3 that is no zip", Game::Quake3, "/baseq3/pak0.pk3",
         [&] { return QByteArray(5000, 'z'); }, "Not a zip archive"},
    };
    for (const DamageRow& row : rows) {
        QTemporaryDir dir;
        if (row.game == Game::Quake) {
            writeFile(dir.path() + u"/id1/gfx/palette.lmp"_s, test::paletteLump());
        }
        writeFile(dir.path() + QString::fromUtf8(row.file), row.bytes());
        const CharsetSearch found = findGameCharset(row.game, dir.path());
        EXPECT_FALSE(found.charset) << row.name;
        EXPECT_TRUE(
            found.message.startsWith(QString::fromUtf8(R"(The charset could not be read from "%1)")
                                         .arg(dir.path() + QString::fromUtf8(row.file))))
            << row.name << ": " << found.message.toStdString();
        EXPECT_TRUE(found.message.contains(QString::fromUtf8(row.reason)))
            << row.name << ": " << found.message.toStdString();
    }
}

}  // namespace
}  // namespace vtl::charset
