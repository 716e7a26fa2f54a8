#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include <cstdlib>

#include "charset/GameCharset.h"
#include "charset/Sheet.h"

// The charset of a real game install no one here made: Debian's OpenArena data,
// fetched by the test fixture.
namespace vtl::charset {
namespace {

QString cached(const char* package) {
    return QStringLiteral(VTL_TESTDATA_CACHE) + QLatin1Char('/') + QLatin1String(package) +
           QStringLiteral("/usr/share/games/openarena");
}

#define REQUIRE_PACKAGE(folder, file)                                             \
    if (!QFile::exists(folder + QStringLiteral(file))) {                          \
        GTEST_SKIP() << "no OpenArena data in " << folder.toStdString()           \
                     << ": scripts/fetch-test-data.sh reached no package source"; \
    }

QByteArray zipEntry(const QString& zipPath, const char* name) {
    zip_t* archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, nullptr);
    if (!archive) {
        return {};
    }
    zip_stat_t stat;
    QByteArray data;
    if (zip_stat(archive, name, 0, &stat) == 0) {
        data.resize(static_cast<qsizetype>(stat.size));
        zip_file_t* file = zip_fopen(archive, name, 0);
        zip_fread(file, data.data(), stat.size);
        zip_fclose(file);
    }
    zip_close(archive);
    return data;
}

// bigchars.tga is an uncompressed 32-bit TGA stored bottom-up: read here by
// hand, apart from the program's decoder.
QImage decodePlainTga(const QByteArray& data) {
    auto byte = [&](qsizetype i) { return static_cast<unsigned char>(data[i]); };
    EXPECT_EQ(byte(2), 2);
    EXPECT_EQ(byte(16), 32);
    const int width = byte(12) | byte(13) << 8;
    const int height = byte(14) | byte(15) << 8;
    const bool topDown = byte(17) & 0x20;
    QImage image(width, height, QImage::Format_ARGB32);
    qsizetype at = 18 + byte(0);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x, at += 4) {
            image.setPixel(x, y, qRgba(byte(at + 2), byte(at + 1), byte(at), byte(at + 3)));
        }
    }
    return image;
}

int channel(int glyph, int colour, int alpha) {
    return static_cast<int>(std::lround(glyph * (colour / 255.0) * (alpha / 255.0)));
}

TEST(OpenArena, baseoaFolder_givesBigcharsFromPak0TintedAsTheGameDoes) {
    const QString root = cached("openarena-data");
    REQUIRE_PACKAGE(root, "/baseoa/pak0.pk3");

    const CharsetSearch found = findGameCharset(Game::Quake3, root + QStringLiteral("/baseoa"));

    ASSERT_TRUE(found.charset) << found.message.toStdString();
    EXPECT_EQ(found.charset->source,
              root + QStringLiteral("/baseoa/pak0.pk3 (gfx/2d/bigchars.tga)"));
    const QImage glyphs =
        decodePlainTga(zipEntry(root + QStringLiteral("/baseoa/pak0.pk3"), "gfx/2d/bigchars.tga"));
    ASSERT_EQ(glyphs.size(), QSize(256, 256));

    for (const char digit : {'1', '2', '3', '4', '5', '6', '7'}) {
        const QImage sheet = found.charset->inColour(digit);
        const QRgb colour = textColour(digit);
        int wrong = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const QRgb g = glyphs.pixel(x, y);
                const QRgb s = sheet.pixel(x, y);
                const int a = qAlpha(g);
                wrong += std::abs(qRed(s) - channel(qRed(g), qRed(colour), a)) > 1 ||
                         std::abs(qGreen(s) - channel(qGreen(g), qGreen(colour), a)) > 1 ||
                         std::abs(qBlue(s) - channel(qBlue(g), qBlue(colour), a)) > 1;
            }
        }
        EXPECT_EQ(wrong, 0) << "colour ^" << digit;
    }

    // Black: the opaque glyph pixels are black, clear ones beside them the outline.
    const QImage black = found.charset->inColour('0');
    int body = 0;
    int edge = 0;
    for (int y = 1; y < 255; ++y) {
        for (int x = 1; x < 255; ++x) {
            const int a = qAlpha(glyphs.pixel(x, y));
            if (a == 255) {
                EXPECT_EQ(black.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
                ++body;
            } else if (a == 0 && x % 16 != 15 && qAlpha(glyphs.pixel(x + 1, y)) == 255) {
                EXPECT_EQ(black.pixel(x, y), kBlackTextOutline) << x << "," << y;
                ++edge;
            }
        }
    }
    EXPECT_GT(body, 1000);
    EXPECT_GT(edge, 100);
}

TEST(OpenArena, patch088BesidePak0_winsByItsLaterName) {
    const QString base = cached("openarena-data");
    const QString patch = cached("openarena-088-data");
    REQUIRE_PACKAGE(base, "/baseoa/pak0.pk3");
    REQUIRE_PACKAGE(patch, "/baseoa/pak6-patch088.pk3");
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + QStringLiteral("/baseoa"));
    QFile::link(base + QStringLiteral("/baseoa/pak0.pk3"),
                dir.path() + QStringLiteral("/baseoa/pak0.pk3"));
    QFile::link(patch + QStringLiteral("/baseoa/pak6-patch088.pk3"),
                dir.path() + QStringLiteral("/baseoa/pak6-patch088.pk3"));

    const CharsetSearch found = findGameCharset(Game::Quake3, dir.path());

    ASSERT_TRUE(found.charset) << found.message.toStdString();
    EXPECT_EQ(found.charset->source,
              dir.path() + QStringLiteral("/baseoa/pak6-patch088.pk3 (gfx/2d/bigchars.tga)"));
    const QImage newer = decodePlainTga(
        zipEntry(patch + QStringLiteral("/baseoa/pak6-patch088.pk3"), "gfx/2d/bigchars.tga"));
    EXPECT_EQ(found.charset->sheet, newer);
}

}  // namespace
}  // namespace vtl::charset
