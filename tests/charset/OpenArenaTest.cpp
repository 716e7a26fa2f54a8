#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include "charset/GameCharset.h"

// The charset of a real game install no one here made: Debian's OpenArena data,
// fetched by the test fixture.
namespace vtl::charset {
namespace {

QString cachedPk3(const char* package, const char* pk3) {
    return QStringLiteral(VTL_TESTDATA_CACHE "/%1/usr/share/games/openarena/baseoa/%2")
        .arg(QLatin1String(package), QLatin1String(pk3));
}

// bigchars.tga of a pk3, an uncompressed 32-bit TGA, read here by hand with
// libzip, apart from the program's readers.
QImage bigcharsOf(const QString& pk3) {
    zip_t* archive = zip_open(QFile::encodeName(pk3).constData(), ZIP_RDONLY, nullptr);
    zip_stat_t stat;
    if (!archive || zip_stat(archive, "gfx/2d/bigchars.tga", 0, &stat) != 0) {
        ADD_FAILURE() << "no bigchars.tga in " << pk3.toStdString();
        return {};
    }
    QByteArray data(static_cast<qsizetype>(stat.size), '\0');
    zip_file_t* file = zip_fopen(archive, "gfx/2d/bigchars.tga", 0);
    zip_fread(file, data.data(), stat.size);
    zip_fclose(file);
    zip_close(archive);

    auto byte = [&](qsizetype i) { return static_cast<unsigned char>(data[i]); };
    EXPECT_TRUE(byte(2) == 2 && byte(16) == 32) << "an uncompressed 32-bit TGA";
    const int width = byte(12) | byte(13) << 8;
    const int height = byte(14) | byte(15) << 8;
    QImage image(width, height, QImage::Format_ARGB32);
    qsizetype at = 18 + byte(0);
    for (int row = 0; row < height; ++row) {
        const int y = (byte(17) & 0x20) ? row : height - 1 - row;
        for (int x = 0; x < width; ++x, at += 4) {
            image.setPixel(x, y, qRgba(byte(at + 2), byte(at + 1), byte(at), byte(at + 3)));
        }
    }
    return image;
}

void expectBigcharsOf(const QString& pk3, const CharsetSearch& found, const QString& source) {
    ASSERT_TRUE(found.charset) << found.message.toStdString();
    EXPECT_EQ(found.charset->source, source + QStringLiteral(" (gfx/2d/bigchars.tga)"));
    EXPECT_EQ(found.charset->sheet, bigcharsOf(pk3));
}

TEST(OpenArena, baseoa_givesBigcharsOfThePk3WithTheLatestName) {
    const QString pak0 = cachedPk3("openarena-data", "pak0.pk3");
    const QString patch = cachedPk3("openarena-088-data", "pak6-patch088.pk3");
    if (!QFile::exists(pak0) || !QFile::exists(patch)) {
        GTEST_SKIP() << "no OpenArena data: scripts/fetch-test-data.sh reached no package source";
    }
    // The install as Debian lays it out, its baseoa folder chosen.
    expectBigcharsOf(pak0, findGameCharset(Game::Quake3, QFileInfo(pak0).path()), pak0);

    // The 0.8.8 patch beside pak0 wins by its later name.
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("baseoa")));
    QFile::link(pak0, dir.filePath(QStringLiteral("baseoa/pak0.pk3")));
    const QString patchLink = dir.filePath(QStringLiteral("baseoa/pak6-patch088.pk3"));
    QFile::link(patch, patchLink);
    expectBigcharsOf(patch, findGameCharset(Game::Quake3, dir.path()), patchLink);
}

}  // namespace
}  // namespace vtl::charset
