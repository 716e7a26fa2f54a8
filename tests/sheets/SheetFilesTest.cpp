#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <array>

#include "sheets/GifWriter.h"
#include "sheets/SheetList.h"
#include "sheets/Sheets.h"
#include "support/Files.h"

namespace vtl::sheets {
namespace {

using namespace Qt::Literals::StringLiterals;

// The picture in a GIF file; a null image when the bytes are no GIF.
QImage decodeGif(const QByteArray& bytes) {
    return QImage::fromData(bytes, "gif").convertToFormat(QImage::Format_RGB32);
}

TEST(SheetFiles, everyListedSheet_writtenByTheBuildAsTheGeneratorDrawsIt) {
    const QDir appDir(qEnvironmentVariable("VTL_APP_DIR", QStringLiteral(VTL_BUILD_APP_DIR)));
    ASSERT_EQ(builtInSheets().size(), kBuiltInSheetFiles.size());
    for (std::size_t i = 0; i < builtInSheets().size(); ++i) {
        const QString& path = builtInSheets()[i].path;
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(path, QString::fromUtf16(kBuiltInSheetFiles[i]));
        const QByteArray bytes = test::readBytes(appDir.filePath(path));
        EXPECT_EQ(decodeGif(bytes).size(), QSize(256, 256));
        // Two runs of the generator (the build's, this one) agree; the GIF loses no colour.
        EXPECT_EQ(bytes, sheetGif(i));
        EXPECT_EQ(decodeGif(bytes), drawSheet(i));
    }
}

TEST(GifWriter, smallAndOddSizedPictures_roundTrip_moreThan256ColoursRefused) {
    // Black, always in the palette, is among the colours: 256 fit, 257 don't.
    for (const auto& [w, h, colours] :
         {std::array{1, 1, 1}, {3, 5, 2}, {17, 9, 3}, {64, 4, 256}, {257, 1, 257}}) {
        QImage image(w, h, QImage::Format_RGB32);
        for (int i = 0; i < w * h; ++i) {
            const int k = i % colours;
            image.setPixel(i % w, i / w, qRgb(k % 256, k / 256, k % 256));
        }
        const QByteArray gif = encodeGif(image);
        EXPECT_EQ(gif.isEmpty(), colours > 256) << w << "x" << h;
        EXPECT_EQ(decodeGif(gif), colours > 256 ? QImage() : image) << w << "x" << h;
    }
}

}  // namespace
}  // namespace vtl::sheets
