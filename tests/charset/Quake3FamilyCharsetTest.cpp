#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "GameFiles.h"
#include "charset/FontSheet.h"
#include "charset/GameCharset.h"
#include "charset/Sheet.h"

namespace vtl::charset {
namespace {

QByteArray fontFile(const char* path) {
    QFile file(QString::fromUtf8(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Row {
    const char* name;
    Game game;
    const char* source;
    QImage sheet;
    QByteArrayList files;  // path, its bytes, ...; relative to the game folder
};

TEST(Quake3FamilyCharset, eachGame_readFromItsOwnFolderAndFormat) {
    const QImage glyphs = test::whiteGlyphs();
    const QByteArray bigchars = test::zip({{"gfx/2d/bigchars.tga", test::tga(glyphs, false)}});
    // OpenJK's grid: 512 x 256, cells 32 x 16, the glyph in the left 16 x 16.
    QImage grid(512, 256, QImage::Format_ARGB32);
    grid.fill(Qt::transparent);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 512; ++x) {
            if (x % 32 < 16) {
                grid.setPixel(x, y, glyphs.pixel(x / 32 * 16 + x % 16, y));
            } else {
                grid.setPixel(x, y, qRgba(255, 255, 255, 255));  // the right half is never drawn
            }
        }
    }
    const QByteArray jetBrains =
        fontFile("/usr/share/fonts/truetype/jetbrains-mono/JetBrainsMono-SemiBold.ttf");
    const QByteArray dejaVu = fontFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    if (jetBrains.isEmpty() || dejaVu.isEmpty()) {
        GTEST_SKIP() << "fonts-jetbrains-mono or fonts-dejavu-core is not installed";
    }
    const Row rows[] = {
        {"Urban Terror: q3ut4",
         Game::UrbanTerror,
         "/q3ut4/zpak000.pk3 (gfx/2d/bigchars.tga)",
         glyphs,
         {"/q3ut4/zpak000.pk3", bigchars}},
        {"Quake Live: baseq3",
         Game::QuakeLive,
         "/baseq3/pak00.pk3 (gfx/2d/bigchars.tga)",
         glyphs,
         {"/baseq3/pak00.pk3", bigchars}},
        {"OpenJK: left halves of charsgrid_med",
         Game::OpenJK,
         "/base/assets0.pk3 (gfx/2d/charsgrid_med.tga)",
         glyphSheetFromLeftHalves(grid),
         {"/base/assets0.pk3", test::zip({{"gfx/2d/charsgrid_med.tga", test::tga(grid, false)}})}},
        {"ET: Legacy: the console font in legacy over etmain",
         Game::EtLegacy,
         "/legacy/legacy_v2.83.pk3 (fonts/JetBrainsMono-SemiBold.ttf)",
         fontSheet(*fontFromData(jetBrains)),
         {"/etmain/pak0.pk3", test::zip({{"fonts/JetBrainsMono-SemiBold.ttf", dejaVu}}),
          "/legacy/legacy_v2.83.pk3",
          test::zip({{"fonts/JetBrainsMono-SemiBold.ttf", jetBrains}})}},
        {"Warfork: Droid Sans in basewf",
         Game::Warfork,
         "/basewf/fonts/DroidSans.ttf",
         fontSheet(*fontFromData(dejaVu)),
         {"/basewf/fonts/DroidSans.ttf", dejaVu}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        for (qsizetype i = 0; i + 1 < row.files.size(); i += 2) {
            test::writeFile(dir.path() + QString::fromUtf8(row.files[i]), row.files[i + 1]);
        }
        const CharsetSearch found = findGameCharset(row.game, dir.path());
        ASSERT_TRUE(found.charset) << found.message.toStdString();
        EXPECT_EQ(found.charset->source, dir.path() + QString::fromUtf8(row.source));
        EXPECT_EQ(found.charset->sheet, row.sheet);
        EXPECT_TRUE(found.charset->tinted);
    }
}

TEST(Quake3FamilyCharset, leftHalves_dropTheRightHalfOfEachCell) {
    QImage grid(512, 512, QImage::Format_ARGB32);
    grid.fill(Qt::transparent);
    grid.setPixel(32 * 3 + 20, 0, qRgba(255, 255, 255, 255));  // right half of cell 3
    grid.setPixel(32 * 5 + 2, 40, qRgba(255, 255, 255, 255));  // left half of cell 21
    const QImage sheet = glyphSheetFromLeftHalves(grid);
    ASSERT_EQ(sheet.size(), QSize(256, 256));
    const auto inkIn = [&](int code) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (qAlpha(sheet.pixel(code % 16 * 16 + x, code / 16 * 16 + y)) > 0) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_FALSE(inkIn(3));
    EXPECT_TRUE(inkIn(21));
}

TEST(Quake3FamilyCharset, aFontEntryThatIsNoFont_isReported) {
    QTemporaryDir dir;
    test::writeFile(dir.path() + u"/basewf/fonts/DroidSans.ttf"_s, "not a font");
    const CharsetSearch found = findGameCharset(Game::Warfork, dir.path());
    EXPECT_FALSE(found.charset);
    EXPECT_TRUE(found.damaged);
    EXPECT_TRUE(found.message.contains(u"not a font")) << found.message.toStdString();
}

}  // namespace
}  // namespace vtl::charset
