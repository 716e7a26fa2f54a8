#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "output/NamePicture.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;
using test::FakeDesktop;

const QRgb kRed = qRgb(200, 0, 0);
const QRgb kGreen = qRgb(0, 180, 0);

// A glyph of one colour with its top-left pixel left black (background).
QImage glyph(QRgb colour) {
    QImage image(kGlyphPixels, kGlyphPixels, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    return image;
}

// Glyphs at positions 1 and 3, position 2 blank, the cursor left at 1.
WindowState twoGlyphs() {
    WindowState state;
    state.cells[0].glyph = glyph(kRed);
    state.cells[2].glyph = glyph(kGreen);
    return state;
}

TEST(ComposeNamePicture, usedPositionsAtEachScaleWithoutBlending) {
    const WindowState state = twoGlyphs();
    for (const int scale : {1, 2, 3, 8}) {
        for (const bool transparent : {false, true}) {
            SCOPED_TRACE(scale * 10 + transparent);
            const QImage picture = composeNamePicture(state, PictureOptions{scale, transparent});
            ASSERT_EQ(picture.size(), QSize(3 * 16 * scale, 16 * scale));
            const QRgb background = transparent ? qRgba(0, 0, 0, 0) : qRgb(0, 0, 0);
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    EXPECT_EQ(picture.pixel(dx, dy), background);               // glyph 1's black
                    EXPECT_EQ(picture.pixel(scale + dx, dy), kRed);             // its first red
                    EXPECT_EQ(picture.pixel(16 * scale + dx, dy), background);  // blank position
                    EXPECT_EQ(picture.pixel(33 * scale + dx, dy), kGreen);
                }
            }
        }
    }
    // Scales outside 1..8 are clamped; no glyph, no picture.
    EXPECT_EQ(composeNamePicture(state, PictureOptions{0, false}).width(), 48);
    EXPECT_EQ(composeNamePicture(state, PictureOptions{20, false}).width(), 48 * 8);
    EXPECT_TRUE(composeNamePicture(WindowState{}, PictureOptions{}).isNull());
}

TEST(ExportNameAsPng, writesThePictureChosenInTheOptionsStep) {
    QTemporaryDir dir;
    FakeDesktop desktop;
    const WindowState state = twoGlyphs();
    const QString path = dir.filePath(u"name.png"_s);
    desktop.pictureOptionReplies.push_back(PictureOptions{4, true});
    desktop.saveReplies.push_back(path);
    exportNameAsPng(state, desktop);

    ASSERT_EQ(desktop.saveRequests.size(), 1u);
    EXPECT_EQ(desktop.saveRequests[0].title, u"Export PNG..."_s);
    EXPECT_EQ(desktop.saveRequests[0].defaultSuffix, u"png"_s);
    EXPECT_TRUE(desktop.saveRequests[0].confirmOverwrite);
    EXPECT_EQ(desktop.messageTexts(), QStringList{u"Exported picture to: "_s + path});
    const QImage written(path, "PNG");
    EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32),
              composeNamePicture(state, PictureOptions{4, true}));
    EXPECT_EQ(written.pixel(0, 0), qRgba(0, 0, 0, 0));
}

TEST(ExportNameAsPng, cancelOrFailure_leavesNoFileAndSaysWhy) {
    QTemporaryDir dir;
    const WindowState state = twoGlyphs();
    {
        FakeDesktop desktop;
        desktop.pictureOptionReplies.push_back(std::nullopt);
        exportNameAsPng(state, desktop);
        EXPECT_TRUE(desktop.saveRequests.empty());
        EXPECT_TRUE(desktop.messages.empty());
    }
    {
        FakeDesktop desktop;
        const QString path = dir.filePath(u"no-such-folder/name.png"_s);
        desktop.saveReplies.push_back(path);
        exportNameAsPng(state, desktop);
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_TRUE(desktop.messages[0].text.startsWith(u"Could not save the picture to "_s + path))
            << desktop.messages[0].text.toStdString();
        EXPECT_FALSE(QFile::exists(path));
    }
    {
        FakeDesktop desktop;
        exportNameAsPng(WindowState{}, desktop);
        EXPECT_TRUE(desktop.pictureOptionRequests.empty());
        EXPECT_EQ(desktop.messageTexts(),
                  QStringList{u"The name has no glyphs yet: there is nothing to export."_s});
    }
}

TEST(CopyNameAsPicture, putsTheTransparentDoubleSizePictureOnTheClipboard) {
    FakeDesktop desktop;
    const WindowState state = twoGlyphs();
    copyNameAsPicture(state, desktop);
    ASSERT_EQ(desktop.clipboardImages.size(), 1u);
    EXPECT_EQ(desktop.clipboardImages[0], composeNamePicture(state, PictureOptions{2, true}));
    EXPECT_EQ(desktop.clipboardImages[0].size(), QSize(96, 32));
    EXPECT_TRUE(desktop.clipboard.empty());
}

}  // namespace
}  // namespace vtl
