#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "charset/GameFiles.h"
#include "charset/Sheet.h"
#include "ini/Ini.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "window/GameCharsetCommands.h"
#include "window/MainWindowModel.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

const QByteArray kOldSettings = "[Vantorel]\r\nfirst=no\r\nq3config=C:\\Games\\baseq3 \r\n"_ba;

// White glyphs: each cell a different alpha, so a tint is seen in every cell.
QImage whiteGlyphs() {
    QImage glyphs(256, 256, QImage::Format_ARGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const bool ink = x % 16 > 3 && x % 16 < 12 && y % 16 > 3 && y % 16 < 12;
            glyphs.setPixel(x, y, qRgba(255, 255, 255, ink ? 255 : (x / 16 + y) % 3 * 60));
        }
    }
    return glyphs;
}

class GameCharsetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeBytes(settings(), kOldSettings);
        test::writeZip(game.path() + u"/baseq3/pak0.pk3"_s,
                       {{"gfx/2d/bigchars.tga", test::tga(whiteGlyphs(), true)}});
        model.start();
    }

    QString settings() const { return app.path() + u"/vtl.ini"_s; }
    QString remembered(const char16_t* key) const {
        return ReadIni(u"Charsets"_s, QString::fromUtf16(key), settings());
    }
    QImage builtIn(BuiltInSheet sheet) const {
        QImage image(256, 256, QImage::Format_RGB32);
        image.fill(app.colourOf(sheet));
        return image;
    }

    test::AppFolder app;
    QTemporaryDir game;
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(app.path())};
};

TEST_F(GameCharsetTest, chosenInQuake3_showsItTintedNotesItsFileAndRemembersTheFolder) {
    desktop.folderReplies.push_back(game.path());
    model.useGameCharset();

    const WindowState& s = model.state();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(desktop.folderPrompts, std::vector<QString>{kGameFolderPrompt});
    EXPECT_EQ(s.mapPicture, charset::tintedSheet(whiteGlyphs(), qRgb(255, 255, 255)));
    EXPECT_EQ(s.charsetNote,
              u"Charset: "_s + game.path() + u"/baseq3/pak0.pk3 (gfx/2d/bigchars.tga)"_s);
    EXPECT_EQ(remembered(u"quake3"), game.path());
    EXPECT_TRUE(test::readBytes(settings()).startsWith(kOldSettings))
        << "old keys keep their bytes";

    model.chooseColour(2);  // Black
    const QImage black = charset::tintedSheet(whiteGlyphs(), qRgb(0, 0, 0));
    EXPECT_EQ(s.mapPicture, black);
    model.pickGlyph(65);
    EXPECT_EQ(s.cells[0].glyph, black.copy(16, 64, 16, 16));
    EXPECT_EQ(s.cells[0].fragment, "^^8A");
}

TEST_F(GameCharsetTest, remembered_isUsedAtStartAndOnSwitches_builtInForgetsIt) {
    desktop.folderReplies.push_back(game.path());
    model.useGameCharset();
    const QImage white = model.state().mapPicture;

    MainWindowModel next(desktop, AppPaths::inFolder(app.path()));
    next.start();
    EXPECT_EQ(next.state().mapPicture, white);
    next.selectMode(GameMode::JumpGate);
    EXPECT_EQ(next.state().mapPicture, builtIn(BuiltInSheet::JumpGate));
    EXPECT_TRUE(next.state().charsetGameKey.isEmpty()) << "the commands are off in JumpGate";
    EXPECT_TRUE(next.state().charsetNote.isEmpty());
    next.selectMode(GameMode::Quake3Arena);
    EXPECT_EQ(next.state().mapPicture, white);

    next.useBuiltInCharset();
    EXPECT_EQ(next.state().mapPicture, builtIn(BuiltInSheet::Q3White));
    EXPECT_TRUE(next.state().charsetNote.isEmpty());
    EXPECT_TRUE(remembered(u"quake3").isEmpty());
    next.selectMode(GameMode::Wolfenstein);
    next.selectMode(GameMode::Quake3Arena);
    EXPECT_EQ(next.state().mapPicture, builtIn(BuiltInSheet::Q3White));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(GameCharsetTest, nonLatinGameFolder_rememberedExactly) {
    const QString folder = game.path() + u"/gra żółw ゲーム"_s;
    test::writeZip(folder + u"/baseq3/pak0.pk3"_s,
                   {{"gfx/2d/bigchars.tga", test::tga(whiteGlyphs(), true)}});
    desktop.folderReplies.push_back(folder);
    model.useGameCharset();
    const QImage white = model.state().mapPicture;

    MainWindowModel next(desktop, AppPaths::inFolder(app.path()));
    next.start();
    EXPECT_EQ(next.state().mapPicture, white);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(GameCharsetTest, cancelledCustomPictureSwitch_keepsTheGamesCharset) {
    desktop.folderReplies.push_back(game.path());
    model.useGameCharset();
    const QImage shown = model.state().mapPicture;
    model.selectMode(GameMode::QuakeWorldMod);  // the open dialog is cancelled
    EXPECT_EQ(model.state().mapPicture, shown);
    model.chooseColour(1);
    EXPECT_EQ(model.state().mapPicture, charset::tintedSheet(whiteGlyphs(), qRgb(255, 0, 0)));
}

TEST_F(GameCharsetTest, goneFolder_builtInSheetAndTheBottomRowSaysWhyOnce) {
    WriteIni(u"Charsets"_s, u"quake3"_s, game.path() + u"/gone"_s, settings());
    MainWindowModel next(desktop, AppPaths::inFolder(app.path()));
    next.start();
    EXPECT_EQ(next.state().mapPicture, builtIn(BuiltInSheet::Q3White));
    EXPECT_EQ(next.state().charsetNote, u"Built-in charset: "_s + game.path() + u"/gone is gone"_s);
    next.selectMode(GameMode::Quake2);
    next.selectMode(GameMode::Quake3Arena);
    EXPECT_TRUE(next.state().charsetNote.isEmpty());
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(remembered(u"quake3"), game.path() + u"/gone"_s) << "kept for when it is back";
}

TEST_F(GameCharsetTest, byteGame_sharedByBothQuake2Modes) {
    const QByteArray conchars = test::pattern(128, 128);
    test::writeFile(game.path() + u"/baseq2/pics/conchars.pcx"_s, test::pcx(128, 128, conchars));
    model.selectMode(GameMode::Quake2);
    desktop.folderReplies.push_back(game.path() + u"/baseq2"_s);
    model.useGameCharset();
    const QImage own = model.state().mapPicture;
    EXPECT_NE(own, builtIn(BuiltInSheet::Quake2));
    EXPECT_EQ(own.pixel(16 * 3 + 2, 16 * 4 + 2),  // glyph 67, pixel (1, 1) of its 8 x 8
              test::paletteColour(static_cast<unsigned char>(conchars[4 * 1024 + 3 * 8 + 129])));

    model.selectMode(GameMode::Quake2Hex);
    EXPECT_EQ(model.state().mapPicture, own);
    model.selectMode(GameMode::QuakeWorld);
    EXPECT_EQ(model.state().mapPicture, builtIn(BuiltInSheet::QuakeWorld));
}

TEST_F(GameCharsetTest, noCharsetDamagedOrCancelled_changesNothing) {
    QTemporaryDir empty;
    QDir().mkpath(empty.path() + u"/baseq3"_s);
    test::writeFile(game.path() + u"/bad/baseq3/pak0.pk3"_s, QByteArray(100, 'x'));
    struct Row {
        const char* name;
        QString folder;
        QString message;  // how the message starts; empty for none
    };
    const Row rows[] = {
        {"no charset", empty.path(), u"No charset was found in \""_s + empty.path()},
        {"damaged pk3", game.path() + u"/bad"_s,
         u"The charset could not be read from \""_s + game.path() + u"/bad/baseq3/pak0.pk3"_s},
        {"cancelled", QString(), QString()},
    };
    const QImage before = model.state().mapPicture;
    for (const Row& row : rows) {
        desktop.messages.clear();
        desktop.folderReplies.push_back(row.folder);
        model.useGameCharset();
        if (row.message.isEmpty()) {
            EXPECT_TRUE(desktop.messages.empty()) << row.name;
        } else {
            ASSERT_EQ(desktop.messages.size(), 1u) << row.name;
            EXPECT_TRUE(desktop.messages[0].text.startsWith(row.message))
                << row.name << ": " << desktop.messages[0].text.toStdString();
        }
        EXPECT_EQ(model.state().mapPicture, before) << row.name;
        EXPECT_TRUE(model.state().charsetNote.isEmpty()) << row.name;
        EXPECT_EQ(test::readBytes(settings()), kOldSettings) << row.name;
    }
}

}  // namespace
}  // namespace vtl
