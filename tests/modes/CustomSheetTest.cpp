#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <optional>

#include "core/Glyphs.h"
#include "core/NameEditing.h"
#include "modes/CustomSheet.h"
#include "modes/GameModes.h"
#include "modes/SheetLoader.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using test::AppFolder;
using test::FakeDesktop;

// A 1x1 white GIF (header and palette, image, trailer), and the same with a
// graphic-control extension before the image; Qt can read GIF but not write it.
const QByteArray kTinyGif =
    QByteArray::fromHex("47494638396101000100800000ffffff0000002c00000000010001000002024401003b");
const QByteArray kTinyGifWithExtension =
    kTinyGif.left(19) + QByteArray::fromHex("21f9040000000000") + kTinyGif.mid(19);

// Pixel (x, y) tells where it sits.
QByteArray gradient(int width, int height, const char* format,
                    QImage::Format pixels = QImage::Format_RGB32) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x % 256, y % 256, 77));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(pixels).save(&buffer, format);
    return bytes;
}

const QByteArray kOddWidth8Bit = gradient(37, 20, "BMP", QImage::Format_Indexed8);

TEST(CustomSheet, oddWidthBitmap_isEightBitsWithPaddedRows) {
    // What the rows below rely on: 8 bits a pixel, 20 rows of 40 bytes at the end.
    ASSERT_EQ(kOddWidth8Bit.at(28), 8);
    const auto pixelsAt = qFromLittleEndian<quint32>(kOddWidth8Bit.constData() + 10);
    EXPECT_EQ(kOddWidth8Bit.size() - pixelsAt, 20 * 40);
}

enum Outcome { Taken, Cancelled, Unreadable, CutShort };

struct Reply {
    const char* file;  // nullptr: the dialog is cancelled; "": it returns no path
    QByteArray bytes;
    Outcome outcome;
};

// From a Quake III name in red: any picture of any size that reads whole
// becomes the sheet of a byte mode; otherwise nothing but Quick Save changes.
TEST(CustomSheet, eachReply_takesThePictureOrChangesOnlyQuickSave) {
    const Reply replies[] = {
        {"font.BMP", gradient(256, 256, "BMP"), Taken},
        {"font.jpg", gradient(256, 256, "JPG"), Taken},
        {"font.Gif", kTinyGif, Taken},
        {"x.gif", kTinyGifWithExtension, Taken},
        {"1x1.bmp", gradient(1, 1, "BMP"), Taken},
        {"100x37.bmp", gradient(100, 37, "BMP"), Taken},
        {"1024.bmp", gradient(1024, 1024, "BMP"), Taken},
        {nullptr, {}, Cancelled},
        {"", {}, Cancelled},
        {"empty.bmp", {}, Unreadable},
        {"text.gif", "name \"player\"\r\n", Unreadable},
        // Qt would take these, filling the missing part with grey.
        {"cut.jpg", gradient(256, 256, "JPG").chopped(100), CutShort},
        {"cut.gif", kTinyGif.chopped(1), CutShort},
        {"cut.bmp", gradient(64, 64, "BMP").chopped(100), CutShort},
        // 37 pixels of 8 bits: each row is padded to 40 bytes. The file ends
        // with the picture's top row; the cut falls inside its pixels.
        {"odd8.bmp", kOddWidth8Bit, Taken},
        {"odd8cut.bmp", kOddWidth8Bit.chopped(10), CutShort},
    };
    for (const Reply& row : replies) {
        SCOPED_TRACE(row.file ? row.file : "cancel");
        QTemporaryDir dir;
        AppFolder app;
        FakeDesktop desktop;
        WindowState state;
        switchMode(state, desktop, app.path(), GameMode::Quake3Arena);
        selectColour(state, desktop, app.path(), 1);
        pickGlyph(state, desktop, 'A');
        state.Config = ConfigKind::Q1Config;
        const QString path =
            row.file && *row.file ? dir.filePath(QString::fromLatin1(row.file)) : QString();
        if (!path.isEmpty()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
                        file.write(row.bytes) == row.bytes.size());
        }
        desktop.openReplies.push_back(row.file ? std::optional(path) : std::nullopt);

        switchMode(state, desktop, app.path(), GameMode::Hexen2Mod);

        ASSERT_EQ(desktop.openRequests.size(), 1u);
        EXPECT_EQ(desktop.openRequests[0].title, QStringLiteral("Open"));
        EXPECT_EQ(
            desktop.openRequests[0].filters,
            QStringList({QStringLiteral("Bitmaps (*.Bmp)"), QStringLiteral("GIF Files (*.Gif)"),
                         QStringLiteral("JPEG Files (*.Jpg)")}));
        EXPECT_EQ(desktop.openRequests[0].selectedFilter, 0);
        EXPECT_EQ(desktop.openRequests[0].initialFolder, QDir::homePath());
        EXPECT_FALSE(state.quickSaveEnabled);
        ASSERT_EQ(desktop.messages.size(), row.outcome >= Unreadable ? 1u : 0u);
        if (row.outcome == Taken) {
            QString reason;
            const std::optional<QImage> expected = readPicture(path, reason);
            ASSERT_TRUE(expected) << reason.toStdString();
            pickGlyph(state, desktop, 'A');
            pickGlyph(state, desktop, 0);
            EXPECT_EQ(state.sheetSource, *expected);
            EXPECT_EQ(state.mapPicture, *expected);
            EXPECT_EQ(state.cells[0].glyph, glyphFromSheet(*expected, cellOrigin(65)));
            EXPECT_EQ(state.cells[1].glyph, glyphFromSheet(*expected, cellOrigin(0)));
            EXPECT_EQ(composeCommandLine(state), "name \"A\x05\" //VTL G2 v6.3");
            continue;
        }
        if (row.outcome != Cancelled) {
            const QString& text = desktop.messages[0].text;
            EXPECT_TRUE(text.startsWith(
                QStringLiteral("The file \"%1\" could not be read as a picture (").arg(path)));
            EXPECT_EQ(text.endsWith(QStringLiteral("(the file ends before the picture does).")),
                      row.outcome == CutShort);
        }
        EXPECT_EQ(state.modeLabel, QString::fromUtf16(modeRow(GameMode::Quake3Arena).label));
        EXPECT_EQ(state.sheetSource.pixel(0, 0), app.colourOf(u"/q3a/q3-red.gif"));
        EXPECT_EQ(state.mapPicture, state.sheetSource);
        EXPECT_EQ(composeCommandLine(state), "name \"^1A^7\" //VTL G2 v6.3");
        EXPECT_TRUE(state.colourListEnabled);
        EXPECT_EQ(state.Config, ConfigKind::Q1Config);
    }
}

TEST(CustomSheet, pictureIsComplete_onlyForTheWholeFile) {
    const QByteArray wholes[] = {gradient(40, 24, "JPG"), gradient(40, 24, "BMP"),
                                 gradient(40, 24, "BMP", QImage::Format_Indexed8), kTinyGif,
                                 kTinyGifWithExtension};
    for (const QByteArray& whole : wholes) {
        EXPECT_TRUE(pictureIsComplete(whole));
        // Shorter than the signature is no longer that format: the decoder refuses it.
        for (qsizetype length = 4; length < whole.size(); ++length) {
            ASSERT_FALSE(pictureIsComplete(whole.left(length)))
                << whole.left(4).toHex().toStdString() << " cut at " << length;
        }
    }
    EXPECT_TRUE(pictureIsComplete(gradient(8, 8, "JPG") + "trailing"));
    EXPECT_TRUE(pictureIsComplete(gradient(8, 8, "PNG")));
}

}  // namespace
}  // namespace vtl
