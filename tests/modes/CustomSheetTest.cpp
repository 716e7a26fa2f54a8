#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

#include "AppFolder.h"
#include "modes/CustomSheet.h"
#include "modes/GameModes.h"
#include "modes/SheetLoader.h"
#include "name/Glyphs.h"
#include "name/NameEditing.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using test::AppFolder;
using test::FakeDesktop;

// A 1x1 white GIF, with and without a graphic-control extension; Qt can read
// GIF but not write it.
const QByteArray kTinyGif = QByteArray::fromHex(
    "474946383961010001008000"
    "00ffffff000000"
    "2c000000000100010000"
    "0202440100"
    "3b");
const QByteArray kTinyGifWithExtension = QByteArray::fromHex(
    "474946383961010001008000"
    "00ffffff000000"
    "21f90400000000"
    "00"
    "2c000000000100010000"
    "0202440100"
    "3b");

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Pixel (x, y) tells where it sits, so a glyph shows which block it came from.
QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x % 256, y % 256, 77));
        }
    }
    return image;
}

QString write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.path() + QLatin1Char('/') + QString::fromLatin1(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

// A Quake III name in red, ready to be kept or replaced.
struct Composing {
    AppFolder app;
    FakeDesktop desktop;
    WindowState state;
    Composing() {
        switchMode(state, desktop, app.path(), GameMode::Q3A);
        selectColour(state, desktop, app.path(), 1);
        pickCode(state, desktop, 'A');
        state.Config = ConfigKind::Q1Config;
    }
    void expectUnchanged() const {
        EXPECT_EQ(state.modeLabel, QString::fromUtf16(kQ3ALabel));
        EXPECT_EQ(state.sheetSource.pixel(0, 0), app.colourOf(QStringLiteral("/q3a/q3-red.gif")));
        EXPECT_EQ(state.mapPicture, state.sheetSource);
        EXPECT_EQ(state.Family, GameFamily::Colour);
        EXPECT_EQ(state.Table[34], "~");
        EXPECT_EQ(state.cells[0].fragment, "^1A");
        EXPECT_EQ(state.CursorPos, 2);
        EXPECT_EQ(composeCommandLine(state), "name \"^1A^7\" //VTL G2 v6.3");
        EXPECT_TRUE(state.colourListEnabled);
        EXPECT_EQ(state.Config, ConfigKind::Q1Config);
        EXPECT_FALSE(state.quickSaveEnabled);
    }
};

class WinDirSetting {
  public:
    explicit WinDirSetting(const std::optional<QString>& value)
        : had_(qEnvironmentVariableIsSet("WinDir")), old_(qgetenv("WinDir")) {
        if (value) {
            qputenv("WinDir", value->toLocal8Bit());
        } else {
            qunsetenv("WinDir");
        }
    }
    ~WinDirSetting() {
        if (had_) {
            qputenv("WinDir", old_);
        } else {
            qunsetenv("WinDir");
        }
    }

  private:
    bool had_;
    QByteArray old_;
};

TEST(CustomSheet, dialogRequest_titleFiltersBitmapFirstAndStartFolder) {
    QTemporaryDir windows;
    const std::optional<QString> settings[] = {windows.path(), std::nullopt};
    for (GameMode mode : {GameMode::QuakeWorldMOD, GameMode::Hexen2MOD}) {
        for (const std::optional<QString>& winDir : settings) {
            WinDirSetting setting(winDir);
            Composing c;

            switchMode(c.state, c.desktop, c.app.path(), mode);

            ASSERT_EQ(c.desktop.openRequests.size(), 1u);
            const FileDialogRequest& request = c.desktop.openRequests[0];
            EXPECT_EQ(request.title, QStringLiteral("Open"));
            EXPECT_EQ(request.filters, QStringList({QStringLiteral("Bitmaps (*.Bmp)"),
                                                    QStringLiteral("GIF Files (*.Gif)"),
                                                    QStringLiteral("JPEG Files (*.Jpg)")}));
            EXPECT_EQ(request.selectedFilter, 0);
            EXPECT_EQ(request.initialFolder, winDir.value_or(QDir::homePath()));
        }
    }
}

struct Confirmed {
    const char* name;
    GameMode mode;
    const char16_t* label;
    const char* file;
    QByteArray bytes;
};

TEST(CustomSheet, confirmedPicture_becomesTheSheetOfAByteMode) {
    QImage solid(256, 256, QImage::Format_RGB32);
    solid.fill(qRgb(200, 40, 40));
    const Confirmed rows[] = {
        {"bitmap", GameMode::QuakeWorldMOD, kQuakeWorldModLabel, "font.BMP", encoded(solid, "BMP")},
        {"jpeg", GameMode::Hexen2MOD, kHexen2ModLabel, "font.jpg", encoded(solid, "JPG")},
        {"gif", GameMode::Hexen2MOD, kHexen2ModLabel, "font.Gif", kTinyGif},
        {"gifWithExtension", GameMode::QuakeWorldMOD, kQuakeWorldModLabel, "x.gif",
         kTinyGifWithExtension},
    };
    for (const Confirmed& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString path = write(dir, row.file, row.bytes);
        QString reason;
        const std::optional<QImage> expected = readPicture(path, reason);
        ASSERT_TRUE(expected) << reason.toStdString();
        Composing c;
        c.desktop.openReplies.push_back(path);

        switchMode(c.state, c.desktop, c.app.path(), row.mode);
        pickCode(c.state, c.desktop, 'A');
        pickCode(c.state, c.desktop, 0);

        EXPECT_TRUE(c.desktop.messages.empty());
        EXPECT_EQ(c.state.sheetSource, *expected);
        EXPECT_EQ(c.state.mapPicture, *expected);
        EXPECT_EQ(c.state.modeLabel, QString::fromUtf16(row.label));
        EXPECT_EQ(c.state.Family, GameFamily::Plain);
        EXPECT_FALSE(c.state.quickSaveEnabled);
        EXPECT_TRUE(c.state.saveNameEnabled);
        EXPECT_FALSE(c.state.colourListEnabled);
        EXPECT_EQ(c.state.Config, ConfigKind::Q1Config);
        EXPECT_EQ(c.state.cells[0].fragment, "A");
        EXPECT_EQ(c.state.cells[1].fragment, "\x05");
        EXPECT_EQ(c.state.cells[1].glyph, glyphFromSheet(*expected, 0, 0));
        EXPECT_EQ(composeCommandLine(c.state), "name \"A\x05\" //VTL G2 v6.3");
    }
}

TEST(CustomSheet, cancelOrEmptyPath_keepsModeSheetAndNameWithQuickSaveOff) {
    for (const std::optional<QString>& reply :
         {std::optional<QString>(), std::optional(QString())}) {
        for (GameMode mode : {GameMode::QuakeWorldMOD, GameMode::Hexen2MOD}) {
            Composing c;
            c.desktop.openReplies.push_back(reply);

            switchMode(c.state, c.desktop, c.app.path(), mode);

            EXPECT_TRUE(c.desktop.messages.empty());
            c.expectUnchanged();
        }
    }
}

TEST(CustomSheet, unreadablePicture_namesFileAndChangesNothingElse) {
    const QByteArray jpeg = encoded(gradient(256, 256), "JPG");
    const QByteArray bitmap = encoded(gradient(64, 64), "BMP");
    const struct {
        const char* file;
        QByteArray bytes;
        bool cutShort;
    } rows[] = {
        {"empty.bmp", {}, false},
        {"x.gif", "name \"player\"\r\n", false},
        {"cut.jpg", jpeg.chopped(100), true},
        {"header-only.jpg", jpeg.left(200), false},
        {"cut.gif", kTinyGif.chopped(1), true},
        {"cut.bmp", bitmap.chopped(100), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        QTemporaryDir dir;
        const QString path = write(dir, row.file, row.bytes);
        Composing c;
        c.desktop.openReplies.push_back(path);

        switchMode(c.state, c.desktop, c.app.path(), GameMode::QuakeWorldMOD);

        ASSERT_EQ(c.desktop.messages.size(), 1u);
        const QString& text = c.desktop.messages[0].text;
        EXPECT_TRUE(text.contains(QLatin1Char('"') + path + QLatin1Char('"')))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("could not be read as a picture")));
        if (row.cutShort) {
            EXPECT_TRUE(text.contains(QString::fromUtf16(kCutShortReason)));
        }
        c.expectUnchanged();
    }
}

// Any size is taken as it is: cells at 16-pixel steps, black past the edges.
TEST(CustomSheet, oddSizedPicture_cellsAtSixteenPixelStepsBlackOutside) {
    for (QSize size : {QSize(1, 1), QSize(100, 37), QSize(1024, 1024)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        QTemporaryDir dir;
        const QImage picture = gradient(size.width(), size.height());
        const QString path = write(dir, "odd.bmp", encoded(picture, "BMP"));
        Composing c;
        c.desktop.openReplies.push_back(path);

        switchMode(c.state, c.desktop, c.app.path(), GameMode::Hexen2MOD);
        ASSERT_TRUE(c.desktop.messages.empty());
        EXPECT_EQ(c.state.sheetSource.size(), size);

        const int codes[] = {0, 6, 34, 17, 255};
        for (int code : codes) {
            pickCode(c.state, c.desktop, code);
        }
        for (std::size_t k = 0; k < std::size(codes); ++k) {
            const int left = (codes[k] % 16) * 16;
            const int top = (codes[k] / 16) * 16;
            const QImage& glyph = c.state.cells[k].glyph;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    const QPoint at(left + x, top + y);
                    const QRgb expected =
                        picture.rect().contains(at) ? picture.pixel(at) : qRgb(0, 0, 0);
                    ASSERT_EQ(glyph.pixel(x, y), expected)
                        << "code " << codes[k] << " pixel " << x << "," << y;
                }
            }
        }
    }
}

TEST(CustomSheet, pictureIsComplete_onlyForTheWholeFile) {
    const struct {
        const char* name;
        QByteArray whole;
    } rows[] = {
        {"jpeg", encoded(gradient(40, 24), "JPG")},
        {"bitmap", encoded(gradient(40, 24), "BMP")},
        {"8-bit bitmap", encoded(gradient(40, 24).convertToFormat(QImage::Format_Indexed8), "BMP")},
        {"gif", kTinyGif},
        {"gif with extension", kTinyGifWithExtension},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(pictureIsComplete(row.whole));
        // Shorter than the signature is no longer that format: the decoder refuses it.
        for (qsizetype length = 4; length < row.whole.size(); ++length) {
            ASSERT_FALSE(pictureIsComplete(row.whole.left(length))) << "length " << length;
        }
    }
    EXPECT_TRUE(pictureIsComplete(encoded(gradient(8, 8), "JPG") + "trailing"));
    EXPECT_TRUE(pictureIsComplete(encoded(gradient(8, 8), "PNG")));
}

}  // namespace
}  // namespace vtl
