#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include "charset/GameCharset.h"

// The charset of a real game install no one here made: Debian's OpenArena data,
// fetched by the test fixture.
namespace vtl::charset {
namespace {

#ifndef _WIN32  // a Debian install, by its Linux path
// bigchars.tga of a pk3, read with libzip and Qt's TGA reader, apart from the program's readers.
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
    return QImage::fromData(data, "tga").convertToFormat(QImage::Format_ARGB32);
}

TEST(OpenArena, debianInstall_givesBigcharsOfItsPk3) {
    const QString pak0 = QStringLiteral(
        VTL_TESTDATA_CACHE "/openarena-data/usr/share/games/openarena/baseoa/pak0.pk3");
    if (!QFile::exists(pak0)) {
        GTEST_SKIP() << "no OpenArena data: scripts/fetch-test-data.sh reached no package source";
    }
    // Its baseoa folder chosen.
    const CharsetSearch found = findGameCharset(Game::Quake3, QFileInfo(pak0).path());
    ASSERT_TRUE(found.charset) << found.message.toStdString();
    EXPECT_EQ(found.charset->source, pak0 + QStringLiteral(" (gfx/2d/bigchars.tga)"));
    EXPECT_EQ(found.charset->sheet, bigcharsOf(pak0));
}
#endif

}  // namespace
}  // namespace vtl::charset
