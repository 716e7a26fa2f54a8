#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

#include "GameFiles.h"
#include "charset/FontSheet.h"
#include "charset/GameCharset.h"
#include "charset/Sheet.h"

namespace vtl::charset {
namespace {

QByteArray fontFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kJetBrains = u"/usr/share/fonts/truetype/jetbrains-mono/JetBrainsMono-SemiBold.ttf"_s;

bool cellHasInk(const QImage& sheet, int code) {
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (qAlpha(sheet.pixel(code % 16 * 16 + x, code / 16 * 16 + y)) > 0) {
                return true;
            }
        }
    }
    return false;
}

// The sheet an 8-bit charset `width` pixels wide must give: glyph n is the
// n-th 8 x 8 block in reading order, each pixel doubled, in the test palette,
// the `clear` indices black.
QImage indexedSheet(const QByteArray& pixels, int width, std::vector<int> clear,
                    bool shifted = false) {
    QImage sheet(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const int glyph = y / 16 * 16 + x / 16;
            const int at = glyph / (width / 8) * width * 8 + glyph % (width / 8) * 8;
            const auto index =
                static_cast<unsigned char>(pixels[at + y % 16 / 2 * width + x % 16 / 2]);
            const bool isClear = std::count(clear.begin(), clear.end(), index) > 0;
            sheet.setPixel(x, y, isClear ? qRgb(0, 0, 0) : test::paletteColour(index, shifted));
        }
    }
    return sheet;
}

QByteArray gfxWad(const QByteArray& conchars) {
    return test::wad2({{"CONBACK", QByteArray(64, 'x')}, {"CONCHARS", conchars}});
}

// Each row fills a game folder; the charset must come from `source`, looking like `sheet`.
struct FoundRow {
    const char* name;
    Game game;
    const char* source;
    QImage sheet;
    const char* chosen;    // the folder the player picks, relative to the temporary one
    QByteArrayList files;  // path, its bytes, path, ...; relative to the same
};

TEST(GameCharset, eachGame_readFromWhereTheGameLooksAndDrawnAsItDraws) {
    const QByteArray conchars = test::pattern(128, 128);
    const QByteArray wad = gfxWad(conchars);
    const QByteArray palette = test::paletteLump();
    const QByteArray quakePak = test::pak({{"gfx/palette.lmp", palette}, {"gfx.wad", wad}});
    const QImage quakeSheet = indexedSheet(conchars, 128, {0, 255});
    QByteArray runs = conchars;
    runs.replace(0, 300, QByteArray(300, '\x07'));  // runs that span lines
    const QByteArray pcx = test::pcx(128, 128, conchars);
    const QByteArray colormap = test::pcx(16, 16, QByteArray(256, '\x01'), 0, true);
    const QByteArray wide = test::pattern(256, 128);
    const QImage glyphs = test::whiteGlyphs();
    const QByteArray pk3 = test::zip({{"gfx/2d/bigchars.tga", test::tga(glyphs, false)}});
    // OpenJK's grid: 512 x 256, cells 32 x 16, the glyph in the left 16 x 16 and ink in the
    // right half, which is never drawn.
    QImage grid(512, 256, QImage::Format_ARGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 512; ++x) {
            grid.setPixel(
                x, y, x % 32 < 16 ? glyphs.pixel(x / 32 * 16 + x % 16, y) : qRgba(255, 0, 0, 255));
        }
    }
    const FoundRow rows[] = {
        {"Quake: pak1 over pak0 over loose files; a gap ends the paks", Game::Quake,
         "/id1/pak1.pak (gfx.wad) (CONCHARS)", quakeSheet, "",
         QByteArrayList{"/id1/pak0.pak", quakePak, "/id1/pak1.pak", quakePak, "/id1/pak3.pak",
                        quakePak, "/id1/gfx.wad", wad}},
        {"QuakeWorld: qw over id1, qw chosen, a lump with a picture header", Game::Quake,
         "/qw/gfx.wad (CONCHARS)", quakeSheet, "/qw",
         QByteArrayList{"/id1/pak0.pak", quakePak, "/qw/gfx.wad",
                        gfxWad(test::le32(128) + test::le32(128) + conchars)}},
        {"Quake II: pak9 over pak0 and loose, runs across padded lines, colormap palette",
         Game::Quake2, "/baseq2/pak9.pak (pics/conchars.pcx)", indexedSheet(runs, 128, {255}, true),
         "/baseq2",
         QByteArrayList{"/baseq2/pics/conchars.pcx", pcx, "/baseq2/pak9.pak",
                        test::pak({{"pics/conchars.pcx", test::pcx(128, 128, runs, 2)}}),
                        "/baseq2/pak0.pak",
                        test::pak({{"pics/conchars.pcx", pcx}, {"pics/colormap.pcx", colormap}})}},
        {"Hexen II: the first half of the wide lump, index 0 clear", Game::Hexen2,
         "/data1/pak0.pak (gfx/menu/conchars.lmp)", indexedSheet(wide, 256, {0}), "",
         QByteArrayList{"/data1/pak0.pak", test::pak({{"gfx/palette.lmp", palette},
                                                      {"gfx/menu/conchars.lmp", wide}})}},
        {"Quake III: pk3 and entry names without case, run-length TGA", Game::Quake3,
         "/baseq3/Z.pk3 (gfx/2d/bigchars.tga)", glyphs, "",
         QByteArrayList{"/baseq3/a.pk3", pk3, "/baseq3/Z.pk3",
                        test::zip({{"GFX/2D/BigChars.TGA", test::tga(glyphs, true)}}),
                        "/baseq3/zz.pk3", test::zip({{"other.txt", "x"}})}},
        {"Quake III: loose over pk3, top-down TGA", Game::Quake3, "/baseq3/gfx/2d/bigchars.tga",
         glyphs, "",
         QByteArrayList{"/baseq3/pak0.pk3", pk3, "/baseq3/gfx/2d/bigchars.tga",
                        test::tga(glyphs, false, true)}},
        {"OpenArena: baseoa", Game::Quake3, "/baseoa/pak0.pk3 (gfx/2d/bigchars.tga)", glyphs, "",
         QByteArrayList{"/baseoa/pak0.pk3", pk3}},
        {"Wolfenstein: main, its name without case", Game::Wolfenstein,
         "/Main/pak0.pk3 (gfx/2d/bigchars.tga)", glyphs, "", QByteArrayList{"/Main/pak0.pk3", pk3}},
        {"Urban Terror: q3ut4", Game::UrbanTerror, "/q3ut4/zpak000.pk3 (gfx/2d/bigchars.tga)",
         glyphs, "", QByteArrayList{"/q3ut4/zpak000.pk3", pk3}},
        {"Quake Live: baseq3", Game::QuakeLive, "/baseq3/pak00.pk3 (gfx/2d/bigchars.tga)", glyphs,
         "", QByteArrayList{"/baseq3/pak00.pk3", pk3}},
        {"OpenJK: the left halves of charsgrid_med", Game::OpenJK,
         "/base/assets0.pk3 (gfx/2d/charsgrid_med.tga)", glyphSheetFromLeftHalves(grid), "",
         QByteArrayList{"/base/assets0.pk3",
                        test::zip({{"gfx/2d/charsgrid_med.tga", test::tga(grid, false)}})}},
    };
    std::vector<FoundRow> all(std::begin(rows), std::end(rows));
    // The text games draw names with a TrueType font of their own.
    const QByteArray jetBrains = fontFile(kJetBrains);
    const QByteArray dejaVu = fontFile(u"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"_s);
    if (!jetBrains.isEmpty() && !dejaVu.isEmpty()) {
        all.push_back(
            {"ET: Legacy: the console font in legacy over etmain", Game::EtLegacy,
             "/legacy/legacy_v2.83.pk3 (fonts/JetBrainsMono-SemiBold.ttf)",
             fontSheet(*fontFromData(jetBrains)), "",
             QByteArrayList{"/etmain/pak0.pk3",
                            test::zip({{"fonts/JetBrainsMono-SemiBold.ttf", dejaVu}}),
                            "/legacy/legacy_v2.83.pk3",
                            test::zip({{"fonts/JetBrainsMono-SemiBold.ttf", jetBrains}})}});
        all.push_back({"Warfork: Droid Sans in basewf", Game::Warfork,
                       "/basewf/fonts/DroidSans.ttf", fontSheet(*fontFromData(dejaVu)), "",
                       QByteArrayList{"/basewf/fonts/DroidSans.ttf", dejaVu}});
    }
    for (const FoundRow& row : all) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        for (qsizetype i = 0; i + 1 < row.files.size(); i += 2) {
            test::writeFile(dir.path() + QString::fromUtf8(row.files[i]), row.files[i + 1]);
        }
        const CharsetSearch found =
            findGameCharset(row.game, dir.path() + QString::fromUtf8(row.chosen));
        ASSERT_TRUE(found.charset) << found.message.toStdString();
        EXPECT_EQ(found.charset->source, dir.path() + QString::fromUtf8(row.source));
        EXPECT_EQ(found.charset->sheet, row.sheet);
        // Truecolour glyphs take the text colour; 8-bit ones keep their own.
        const bool tinted =
            row.game != Game::Quake && row.game != Game::Quake2 && row.game != Game::Hexen2;
        EXPECT_EQ(found.charset->tinted, tinted);
    }
    if (jetBrains.isEmpty() || dejaVu.isEmpty()) {
        GTEST_SKIP() << "fonts-jetbrains-mono or fonts-dejavu-core is not installed";
    }
}

TEST(Quake3Charset, tinting_multipliesEachPixelByColourAndAlpha_blackGetsAGreyEdge) {
    const QImage glyphs = test::whiteGlyphs();
    QImage want(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb g = glyphs.pixel(x, y);
            auto times = [&](int channel, int by) {
                return static_cast<int>(std::lround(channel * by * qAlpha(g) / 65025.0));
            };
            want.setPixel(x, y, qRgb(times(qRed(g), 200), times(qGreen(g), 128), 0));
        }
    }
    EXPECT_EQ(tintedSheet(glyphs, qRgb(200, 128, 0)), want);

    QImage edged = glyphs;
    edged.setPixel(3, 8, qRgba(255, 255, 255, 0));  // clear, beside the glyph's ink
    const QImage black = tintedSheet(edged, qRgb(0, 0, 0));
    EXPECT_EQ(black.pixel(4, 8), qRgb(0, 0, 0));
    EXPECT_EQ(black.pixel(3, 8), kBlackTextOutline);
}

TEST(Quake3FamilyCharset, leftHalves_dropTheRightHalfOfEachCell) {
    QImage grid(512, 512, QImage::Format_ARGB32);
    grid.fill(Qt::transparent);
    grid.setPixel(32 * 3 + 20, 0, qRgba(255, 255, 255, 255));  // right half of cell 3
    grid.setPixel(32 * 5 + 2, 40, qRgba(255, 255, 255, 255));  // left half of cell 21
    const QImage sheet = glyphSheetFromLeftHalves(grid);
    ASSERT_EQ(sheet.size(), QSize(256, 256));
    EXPECT_FALSE(cellHasInk(sheet, 3));
    EXPECT_TRUE(cellHasInk(sheet, 21));
}

// A text game's font found by its file and drawn as a sheet: Latin-1 inked, blanks and
// controls left empty. A family that isn't there gives a stand-in.
TEST(FontSheet, jetBrainsMono_foundByItsFile_drawsLatin1_leavesControlsEmpty) {
    const LocatedFont found = locateFont({u"/nonexistent"_s, QFileInfo(kJetBrains).path()},
                                         {QFileInfo(kJetBrains).fileName()}, {});
    if (found.standIn) {
        GTEST_SKIP() << "fonts-jetbrains-mono is not installed";
    }
    EXPECT_EQ(QDir::fromNativeSeparators(found.source), kJetBrains);
    const QImage sheet = fontSheet(found.font);
    EXPECT_EQ(sheet.size(), QSize(256, 256));
    for (int code : {int('A'), int('g'), int('~'), 0xE9, 0xC9, 0xFF, 0xDF}) {
        EXPECT_TRUE(cellHasInk(sheet, code)) << code;
    }
    for (int code : {0, 9, 0x1F, int(' '), 0x7F, 0x85}) {
        EXPECT_FALSE(cellHasInk(sheet, code)) << code;
    }
    EXPECT_TRUE(locateFont({}, {}, {u"No Such Family 1234"_s}).standIn);
}

TEST(GameCharset, folderWithoutCharset_listsWhereItLooked) {
    QTemporaryDir dir;
    test::writeFile(dir.path() + u"/baseq2/pak0.pak"_s, test::pak({{"maps/a.bsp", "x"}}));
    const CharsetSearch found = findGameCharset(Game::Quake2, dir.path());
    EXPECT_FALSE(found.charset || found.damaged);
    EXPECT_EQ(found.message,
              QString::fromUtf8(R"(No charset was found in "%1". Looked for pics/conchars.pcx in:)"
                                "\r%2\r%3")
                  .arg(QDir::toNativeSeparators(dir.path()),
                       QDir::toNativeSeparators(dir.path() + u"/baseq2/pak0.pak"_s),
                       QDir::toNativeSeparators(dir.path() + u"/baseq2"_s)));
}

QByteArray patched(QByteArray data, qsizetype at, const QByteArray& bytes) {
    return data.replace(at, bytes.size(), bytes);
}

// Damaged and hostile files: a message naming the file (and entry) and the reason, no sheet.
struct DamageRow {
    const char* name;
    Game game;
    const char* file;  // relative to the folder; an entry in brackets after it
    QByteArray bytes;
    const char* reason;
};

TEST(GameCharset, damagedFiles_giveAMessageNamingFileAndReason) {
    const QByteArray conchars = test::pattern(128, 128);
    const QByteArray pak =
        test::pak({{"gfx/palette.lmp", test::paletteLump()}, {"gfx.wad", gfxWad(conchars)}});
    const qsizetype dirAt = 12 + test::paletteLump().size() + gfxWad(conchars).size();
    const QByteArray wad = gfxWad(conchars);
    const QByteArray pcx = test::pcx(128, 128, conchars);
    const QByteArray tga = test::tga(test::whiteGlyphs(), true);
    // One entry: its local header at 0, its directory entry after "PK\1\2".
    const QByteArray pk3 = test::zip({{"gfx/2d/bigchars.tga", tga}});
    const qsizetype central = pk3.indexOf("PK\x01\x02");
    auto bothHeaders = [&](qsizetype local, qsizetype inDirectory, const QByteArray& bytes) {
        return patched(patched(pk3, local, bytes), central + inDirectory, bytes);
    };
    const DamageRow rows[] = {
        {"PAK directory past the end", Game::Quake, "/id1/pak0.pak",
         patched(pak, 4, test::le32(0x7FFFFF00)), "the file ends before the data it points to"},
        {"PAK directory of 2 GB", Game::Quake, "/id1/pak0.pak",
         patched(pak, 8, test::le32(0x7FFFFFC0)), "its directory is damaged"},
        {"PAK entry size past the end", Game::Quake, "/id1/pak0.pak",
         patched(pak, dirAt + 60, test::le32(0x7FFFFFFF)),
         "the entry gfx/palette.lmp lies outside the file"},
        {"PAK name without terminator", Game::Quake, "/id1/pak0.pak",
         patched(pak, dirAt, QByteArray(56, 'a')), "an entry name has no terminator"},
        {"WAD2 with a billion lumps", Game::Quake, "/id1/gfx.wad",
         patched(wad, 4, test::le32(1000000000)), "its directory is damaged"},
        {"WAD2 lump past the end", Game::Quake, "/id1/gfx.wad",
         patched(wad, wad.size() - 32, test::le32(0x7FFFFFF0)),
         "the lump CONCHARS lies outside the file"},
        {"conchars cut short", Game::Quake, "/id1/gfx.wad (CONCHARS)", gfxWad(conchars.left(1000)),
         "it is 1000 bytes long; a 128 x 128 charset takes 16384"},
        {"PCX cut short", Game::Quake2, "/baseq2/pics/conchars.pcx",
         pcx.left(128 + 200) + pcx.right(769), "the picture data ends early"},
        {"PCX lines narrower than its width", Game::Quake2, "/baseq2/pics/conchars.pcx",
         patched(pcx, 66, test::le16(4)), "its size is damaged"},
        {"TGA run-length data cut short", Game::Quake3, "/baseq3/gfx/2d/bigchars.tga",
         tga.left(tga.size() / 2), "the picture data ends early"},
        {"TGA of 65535 x 65535", Game::Quake3, "/baseq3/gfx/2d/bigchars.tga",
         patched(tga, 12, QByteArray(4, '\xFF')), "its size is damaged"},
        {"pk3 entry with a wrong checksum", Game::Quake3, "/baseq3/pak0.pk3 (gfx/2d/bigchars.tga)",
         bothHeaders(14, 16, test::le32(0x12345678)), "its data does not match its checksum"},
        {"pk3 entry packed with bzip2", Game::Quake3, "/baseq3/pak0.pk3 (gfx/2d/bigchars.tga)",
         bothHeaders(8, 10, test::le16(12)),
         "it is packed with method 12, which the games cannot read"},
        {"pk3 entry larger than any charset", Game::Quake3,
         "/baseq3/pak0.pk3 (gfx/2d/bigchars.tga)", bothHeaders(22, 24, test::le32(0x7FFFFFF0)),
         "it is 2147483632 bytes long, too large for a charset"},
        {"font that is no font", Game::Warfork, "/basewf/fonts/DroidSans.ttf", "not a font",
         "it is not a font"},
    };
    for (const DamageRow& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString file = dir.path() + QString::fromUtf8(row.file);
        test::writeFile(file.section(u" ("_s, 0, 0), row.bytes);
        const CharsetSearch found = findGameCharset(row.game, dir.path());
        EXPECT_FALSE(found.charset);
        EXPECT_TRUE(found.damaged);
        EXPECT_EQ(found.message, u"The charset could not be read from \"%1\": %2."_s.arg(
                                     file, QString::fromUtf8(row.reason)));
    }
}

// A pk3 that can't be opened (a partial download sorting after pak0.pk3)
// is left out of the search, as the games leave it out, and named.
TEST(GameCharset, damagedPk3_skippedAsTheGameSkipsIt) {
    const QByteArray pk3 =
        test::zip({{"gfx/2d/bigchars.tga", test::tga(test::whiteGlyphs(), false)}});
    const QByteArray partial = pk3.left(pk3.size() / 2);
    QTemporaryDir dir;
    test::writeFile(dir.filePath(u"baseq3/pak0.pk3"_s), pk3);
    test::writeFile(dir.filePath(u"baseq3/zz-download.pk3"_s), partial);
    test::writeFile(dir.filePath(u"baseq3/zzz.pk3"_s), QByteArray(5000, 'z'));
    const CharsetSearch found = findGameCharset(Game::Quake3, dir.path());
    ASSERT_TRUE(found.charset) << found.message.toStdString();
    EXPECT_EQ(found.charset->source, dir.filePath(u"baseq3/pak0.pk3 (gfx/2d/bigchars.tga)"_s));
    EXPECT_EQ(found.charset->skipped, (QStringList{dir.filePath(u"baseq3/zz-download.pk3"_s),
                                                   dir.filePath(u"baseq3/zzz.pk3"_s)}));

    QFile::remove(dir.filePath(u"baseq3/pak0.pk3"_s));
    const CharsetSearch none = findGameCharset(Game::Quake3, dir.path());
    EXPECT_FALSE(none.charset);
    EXPECT_FALSE(none.damaged);
}

}  // namespace
}  // namespace vtl::charset
