#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QTemporaryDir>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <optional>

#include "core/Glyphs.h"
#include "core/NameEditing.h"
#include "modes/ColourList.h"
#include "modes/GameModes.h"
#include "modes/PictureLength.h"
#include "modes/PlainGif.h"
#include "modes/SheetLoader.h"
#include "platform/Platform.h"
#include "sheets/GifWriter.h"
#include "sheets/Sheets.h"
#include "support/AppFolder.h"
#ifndef _WIN32
#include "support/AsNobody.h"
#endif
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "support/Tag.h"

namespace vtl {
namespace {

using namespace Qt::Literals::StringLiterals;
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

// 37 pixels of 8 bits: each row is padded to 40 bytes. The file ends with the
// picture's top row.
const QByteArray kOddWidth8Bit = gradient(37, 20, "BMP", QImage::Format_Indexed8);

enum Outcome { Taken, Cancelled, Unreadable };

enum Spoil { Bytes, Tail, Missing, Folder, Fifo, Locked };

// A bad built-in sheet gives the real reason and a black sheet stands in; a whole
// one with a 2 GiB sparse tail is taken. No time or memory is lost on either. The
// user's own picture is read the same way.
TEST(SheetFiles, badFiles_reportTheRealReason_blackStandsIn) {
    const QByteArray sheet = gradient(256, 256, "BMP");
    QByteArray hugeGif = kTinyGif;  // 30000 x 30000 pixels, all one colour
    for (const int at : {6, 8, 24, 26}) {
        hugeGif.replace(at, 2, "\x30\x75");  // 30000, little-endian
    }
    const struct {
        Spoil spoil;
        QByteArray bytes;
        const char* reason;
    } rows[] = {
        {Tail, sheet, nullptr},
        {Tail, gradient(256, 256, "JPG"), nullptr},
        {Tail, kTinyGif, nullptr},
        {Missing, {}, "the file does not exist"},
        {Bytes, sheet.left(sheet.size() / 2), "the file ends before the picture does"},
        {Folder, {}, "it is a folder, not a file"},
        {Bytes, hugeGif, "the picture is 30000 \u00D7 30000 pixels, too large for a glyph sheet"},
#ifndef _WIN32  // FIFOs and modes; WindowsFileTest.cpp has Windows' own refusals
        {Fifo, {}, "it is not a regular file"},
        {Locked, {}, "Permission denied"},
#endif
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason ? row.reason : row.bytes.left(3).constData());
        test::AppFolder app;
        const QString path = app.pathOf(BuiltInSheet::QuakeWorld);
#ifndef _WIN32
        if (row.spoil == Locked) {
            ::chmod(QFile::encodeName(app.path()).constData(), 0755);  // only the file is shut
            ::chmod(QFile::encodeName(path).constData(), 0);
        } else
#endif
        {
            QFile::remove(path);
        }
        if (row.spoil == Bytes || row.spoil == Tail) {
            test::writeBytes(path, row.bytes);
        } else if (row.spoil == Folder) {
            QDir().mkdir(path);
        }
#ifndef _WIN32
        if (row.spoil == Fifo) {
            ::mkfifo(QFile::encodeName(path).constData(), 0644);
        }
#endif
        if (row.spoil == Tail) {
            QFile file(path);  // a sparse tail, where the file system has them
            ASSERT_TRUE(file.resize(row.bytes.size() + (qint64{2} << 30)));
        }
        FakeDesktop desktop;
        WindowState state;
        QElapsedTimer clock;
        clock.start();
        const qint64 peakBefore = platform::peakMemoryBytes();  // only goes up
#ifdef _WIN32
        switchMode(state, desktop, app.path(), GameMode::QuakeWorld);
#else
        {
            std::optional<test::AsNobody> nobody;
            if (row.spoil == Locked) {
                ASSERT_TRUE(nobody.emplace().ok());
            }
            // A reader stuck on the FIFO would hang the test: it ends by the clock instead.
            ::alarm(10);
            switchMode(state, desktop, app.path(), GameMode::QuakeWorld);
            ::alarm(0);
        }
#endif
        EXPECT_LT(platform::peakMemoryBytes() - peakBefore, qint64{64} << 20);
        EXPECT_LT(clock.elapsed(), 1000);
        if (!row.reason) {
            EXPECT_TRUE(desktop.messages.empty() && state.sheetSource.pixel(0, 0) != qRgb(0, 0, 0));
            continue;
        }
        EXPECT_EQ(desktop.messageTexts(),
                  QStringList(QStringLiteral("The file \"%1\" could not be read as a picture (%2).")
                                  .arg(path, QString::fromUtf8(row.reason))));
        EXPECT_EQ(state.sheetSource.size(), QSize(256, 256));
        EXPECT_EQ(state.sheetSource.pixel(128, 128), qRgb(0, 0, 0));
    }
}

// From a Quake III name in red: any picture of any size that reads whole
// becomes the sheet of a byte mode; otherwise nothing but Quick Save changes.
TEST(CustomSheet, eachReply_takesThePictureOrChangesOnlyQuickSave) {
    const struct {
        const char* file;  // nullptr: the dialog is cancelled; "": it returns no path
        QByteArray bytes;
        Outcome outcome;
    } replies[] = {
        {"font.BMP", gradient(256, 256, "BMP"), Taken},
        {"font.jpg", gradient(256, 256, "JPG"), Taken},
        {"x.Gif", kTinyGifWithExtension, Taken},
        {"100x37.bmp", gradient(100, 37, "BMP"), Taken},
        {"odd8.bmp", kOddWidth8Bit, Taken},
        {nullptr, {}, Cancelled},
        {"", {}, Cancelled},
        {"text.gif", "name \"player\"\r\n", Unreadable},
    };
    for (const auto& row : replies) {
        SCOPED_TRACE(row.file ? row.file : "cancel");
        QTemporaryDir dir;
        test::AppFolder app;
        FakeDesktop desktop;
        WindowState state;
        switchMode(state, desktop, app.path(), GameMode::Quake3Arena);
        selectColour(state, desktop, app.path(), 1);
        pickGlyph(state, desktop, 'A');
        state.Config = ConfigKind::Q1Config;
        const QString path =
            row.file && *row.file ? dir.filePath(QString::fromLatin1(row.file)) : QString();
        if (!path.isEmpty()) {
            test::writeBytes(path, row.bytes);
        }
        desktop.openReplies.push_back(row.file ? std::optional(path) : std::nullopt);

        switchMode(state, desktop, app.path(), GameMode::Hexen2Mod);

        ASSERT_EQ(desktop.openRequests.size(), 1u);
        EXPECT_EQ(desktop.openRequests[0].title, QStringLiteral("Open"));
        EXPECT_EQ(
            desktop.openRequests[0].filters,
            QStringList({QStringLiteral("Bitmaps (*.Bmp)"), QStringLiteral("GIF Files (*.Gif)"),
                         QStringLiteral("JPEG Files (*.Jpg)")}));
        // The Windows folder, as the program always opened there; home elsewhere.
        const QString winDir = qEnvironmentVariable("WinDir");
        EXPECT_EQ(desktop.openRequests[0].initialFolder,
                  winDir.isEmpty() ? QDir::homePath() : winDir);
        EXPECT_FALSE(state.quickSaveEnabled);
        ASSERT_EQ(desktop.messages.size(), row.outcome == Unreadable ? 1u : 0u);
        if (row.outcome == Taken) {
            ReadProblem problem;
            const std::optional<QImage> expected = readPicture(path, problem);
            ASSERT_TRUE(expected) << problem.reason.toStdString();
            pickGlyph(state, desktop, 'A');
            pickGlyph(state, desktop, 128);
            EXPECT_EQ(state.sheetSource, *expected);
            EXPECT_EQ(state.cells[1].glyph, glyphFromSheet(*expected, cellOrigin(128)));
            EXPECT_EQ(composeCommandLine(state), QByteArray("name \"A\x80\"" + test::kTag));
            EXPECT_EQ(state.rawNameBox, QStringLiteral("A\u20AC"));  // shown as Windows-1252
            continue;
        }
        if (row.outcome == Unreadable) {
            EXPECT_TRUE(desktop.messages[0].text.startsWith(u"The file \""_s + path +
                                                            u"\" could not be read"_s));
        }
        EXPECT_EQ(state.modeLabel, QString::fromUtf16(gameRow(GameMode::Quake3Arena).label));
        EXPECT_EQ(state.sheetSource.pixel(0, 0), app.colourOf(u"/q3a/q3-red.gif"));
        EXPECT_EQ(state.mapPicture, state.sheetSource);
        EXPECT_EQ(composeCommandLine(state), QByteArray("name \"^1A^7\"" + test::kTag));
        EXPECT_TRUE(state.colourListEnabled);
        EXPECT_EQ(state.Config, ConfigKind::Q1Config);
    }
}

TEST(CustomSheet, pictureIsComplete_onlyForTheWholeFile) {
    for (const QByteArray& whole : {gradient(40, 24, "JPG"), gradient(40, 24, "BMP"), kOddWidth8Bit,
                                    kTinyGif, kTinyGifWithExtension}) {
        EXPECT_TRUE(pictureIsComplete(whole));
        // Shorter than the signature is no longer that format: the decoder refuses it.
        for (qsizetype length = 4; length < whole.size(); ++length) {
            ASSERT_FALSE(pictureIsComplete(whole.left(length)))
                << whole.left(4).toHex().toStdString() << " cut at " << length;
        }
    }
    EXPECT_TRUE(pictureIsComplete(gradient(8, 8, "JPG") + "trailing"));
}

// A GIF with a white-and-black palette and the LZW codes given as
// {code, bits} (minimum code size 2: 4 clears, 5 ends, 6 is the first made).
QByteArray lzwGif(int width, int height, std::initializer_list<std::pair<int, int>> codes,
                  const QByteArray& extension = {}, int imageFlags = 0, int screenWidth = 0) {
    QByteArray gif("GIF89a");
    auto le16 = [&gif](int v) {
        gif.append(char(v & 0xFF));
        gif.append(char(v >> 8));
    };
    le16(screenWidth ? screenWidth : width);
    le16(height);
    gif.append(QByteArray::fromHex("800000ffffff000000")).append(extension).append(',');
    for (const int v : {0, 0, width, height}) {
        le16(v);
    }
    gif.append(char(imageFlags)).append(char(2));  // minimum code size 2
    QByteArray data;
    quint32 bits = 0;
    int held = 0;
    for (const auto& [code, size] : codes) {
        bits |= quint32(code) << held;
        for (held += size; held >= 8; held -= 8, bits >>= 8) {
            data.append(char(bits & 0xFF));
        }
    }
    if (held > 0) {
        data.append(char(bits & 0xFF));
    }
    return gif.append(char(data.size())).append(data).append(QByteArray::fromHex("003b"));
}

// The plain GIFs (the built-in sheets among them) are decoded without Qt's
// GIF plugin; any other GIF is Qt's to read. Either way the picture is the
// one Qt's reader makes, to the bit.
TEST(SheetFiles, gifs_readAsQtReadsThem_plainOnesWithoutQt) {
    QImage noise(300, 200, QImage::Format_RGB32);  // 256 colours: the code table fills up
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) {
            const int i = (x * 7919 + y * 104729 + x * y) & 0xFF;
            noise.setPixel(x, y, qRgb(i, i, (i * 37) & 0xFF));
        }
    }
    const QByteArray transparent = QByteArray::fromHex("21f9040100000000");
    const QByteArray opaque = QByteArray::fromHex("21f9040000000000");
    struct Row {
        QString name;
        QByteArray gif;
        bool plain;
    };
    std::vector<Row> rows{
        {u"256 colours of noise"_s, sheets::encodeGif(noise), true},
        {u"one pixel"_s, lzwGif(1, 1, {{4, 3}, {0, 3}, {5, 3}}), true},
        {u"a code made as it is read, then wider codes"_s,
         lzwGif(4, 1, {{4, 3}, {0, 3}, {6, 3}, {1, 3}, {5, 4}}), true},
        {u"an opaque graphic control"_s, lzwGif(1, 1, {{4, 3}, {1, 3}, {5, 3}}, opaque), true},
        {u"a transparent colour"_s, lzwGif(1, 1, {{4, 3}, {1, 3}, {5, 3}}, transparent), false},
        {u"interlaced"_s, lzwGif(1, 2, {{4, 3}, {0, 3}, {1, 3}, {5, 3}}, {}, 0x40), false},
        {u"smaller than its screen"_s, lzwGif(1, 1, {{4, 3}, {1, 3}, {5, 3}}, {}, 0, 2), false},
        {u"a colour outside the palette"_s, lzwGif(2, 1, {{4, 3}, {0, 3}, {3, 3}, {5, 3}}), false},
        {u"a code not yet made"_s, lzwGif(3, 1, {{4, 3}, {0, 3}, {7, 3}, {5, 3}}), false},
        {u"fewer pixels than the picture"_s, lzwGif(2, 1, {{4, 3}, {0, 3}, {5, 3}}), false},
        {u"more pixels than the picture"_s, lzwGif(1, 1, {{4, 3}, {0, 3}, {1, 3}, {5, 3}}), false},
    };
    for (std::size_t i = 0; i < sheets::builtInSheets().size(); ++i) {
        rows.push_back({sheets::builtInSheets()[i].path, sheets::sheetGif(i), true});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        QTemporaryDir dir;
        const QString path = dir.filePath(u"sheet.gif"_s);
        test::writeBytes(path, row.gif);
        QBuffer buffer;
        buffer.setData(row.gif);
        QImageReader qt(&buffer, "gif");
        const QImage expected = qt.read().convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(expected.isNull());
        ReadProblem problem;
        const std::optional<QImage> read = readPicture(path, problem);
        ASSERT_TRUE(read) << problem.reason.toStdString();
        ASSERT_EQ(read->size(), expected.size());
        EXPECT_EQ(QByteArrayView(read->constBits(), read->sizeInBytes()),
                  QByteArrayView(expected.constBits(), expected.sizeInBytes()));
        EXPECT_EQ(plainGif(row.gif, qint64{1} << 22).has_value(), row.plain);
    }
}

}  // namespace
}  // namespace vtl
