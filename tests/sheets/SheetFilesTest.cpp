#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>

#include "SheetTestSupport.h"
#include "sheets/GifWriter.h"
#include "sheets/Sheets.h"

namespace vtl::sheets {
namespace {

using namespace Qt::Literals::StringLiterals;

QImage decodeGif(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "gif");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

TEST(SheetFiles, TheBuildWritesTwelveSheetsThatMatchTheGenerator) {
    const QDir appDir(qEnvironmentVariable("VTL_APP_DIR", QStringLiteral(VTL_BUILD_APP_DIR)));
    ASSERT_TRUE(appDir.exists()) << appDir.path().toStdString();
    const QStringList expected{
        u"qw/quakeworld.gif"_s,     u"q2/quake2.gif"_s,      u"hex/hexen.gif"_s,
        u"jumpgate/jumpgate.gif"_s, u"q3a/q3-white.gif"_s,   u"q3a/q3-red.gif"_s,
        u"q3a/q3-black.gif"_s,      u"q3a/q3-magenta.gif"_s, u"q3a/q3-green.gif"_s,
        u"q3a/q3-yellow.gif"_s,     u"q3a/q3-blue.gif"_s,    u"q3a/q3-cyan.gif"_s};
    const auto& sheets = builtInSheets();
    ASSERT_EQ(sheets.size(), std::size_t{12});

    for (std::size_t i = 0; i < sheets.size(); ++i) {
        SCOPED_TRACE(sheets[i].path.toStdString());
        EXPECT_EQ(sheets[i].path, expected[static_cast<int>(i)]);
        QFile file(appDir.filePath(sheets[i].path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("GIF8"));

        QImageReader reader(file.fileName());
        EXPECT_EQ(reader.format(), QByteArray("gif"));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(256, 256));

        // A separate run of the generator gave the same bytes, and the GIF
        // holds the drawing exactly (no colour was lost to the palette).
        EXPECT_EQ(bytes, sheetGif(i));
        EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), drawSheet(i));
    }
}

TEST(SheetFiles, GeneratingTwiceGivesTheSameBytes) {
    for (std::size_t i = 0; i < builtInSheets().size(); ++i) {
        EXPECT_EQ(sheetGif(i), sheetGif(i)) << builtInSheets()[i].path.toStdString();
    }
}

TEST(GifWriter, RoundTripsSmallAndOddSizedPictures) {
    struct Case {
        int w, h, colours;
    };
    for (const Case c : {Case{1, 1, 1}, Case{3, 5, 2}, Case{17, 9, 3}, Case{64, 4, 255}}) {
        QImage image(c.w, c.h, QImage::Format_RGB32);
        for (int i = 0; i < c.w * c.h; ++i) {
            const int k = i % c.colours;
            image.setPixel(i % c.w, i / c.w, qRgb(k, 255 - k, (k * 7) % 256));
        }
        const QByteArray gif = encodeGif(image);
        ASSERT_FALSE(gif.isEmpty()) << c.w << "x" << c.h;
        EXPECT_EQ(decodeGif(gif), image) << c.w << "x" << c.h;
    }
}

TEST(GifWriter, RefusesMoreThan256Colours) {
    QImage image(257, 1, QImage::Format_RGB32);
    for (int x = 0; x < 257; ++x) {
        image.setPixel(x, 0, qRgb(x % 256, x / 256, 0));
    }
    EXPECT_TRUE(encodeGif(image).isEmpty());
}

}  // namespace
}  // namespace vtl::sheets
