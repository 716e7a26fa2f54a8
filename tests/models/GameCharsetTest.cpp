#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "charset/GameFiles.h"
#include "charset/Sheet.h"
#include "ini/Ini.h"
#include "models/GameCharsetCommands.h"
#include "models/MainWindowModel.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

const QByteArray kOldSettings = "[Vantorel]\r\nfirst=no\r\nq3config=C:\\Games\\baseq3 \r\n"_ba;

// A Quake III install, of white glyphs, in a folder whose name is not Latin-1.
class GameCharsetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeBytes(settings(), kOldSettings);
        test::writeFile(folder + u"/baseq3/pak0.pk3"_s,
                        test::zip({{"gfx/2d/bigchars.tga", test::tga(glyphs, true)}}));
        model.start();
    }

    QString settings() const { return app.path() + u"/vtl.ini"_s; }
    QString remembered() const {
        return ReadIni(u"Charsets"_s, u"quake3"_s, settings(), IniText::FileName);
    }
    QImage tinted(QRgb colour) const { return charset::tintedSheet(glyphs, colour); }

    const QImage glyphs = test::whiteGlyphs();
    test::AppFolder app;
    QTemporaryDir game;
    const QString folder = game.path() + u"/gra żółw ゲーム"_s;
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(app.path())};
};

// Glyphs placed before a charset change are drawn again in the new one, each
// in the colour its bytes give it; going back draws them from the built-in sheets.
TEST_F(GameCharsetTest, chosenInQuake3_shownTintedAndRememberedAcrossStartsAndSwitches) {
    model.chooseColour(1);  // Red
    model.pickGlyph(65);
    model.chooseColour(4);  // Green
    model.pickGlyph(66);
    const auto glyphAt = [&](int k) { return model.state().cells[static_cast<size_t>(k)].glyph; };
    desktop.folderReplies.push_back(folder);
    model.useGameCharset();
    EXPECT_EQ(desktop.folderPrompts, std::vector<QString>{kGameFolderPrompt});
    EXPECT_EQ(model.state().mapPicture, tinted(qRgb(0, 255, 0)));
    EXPECT_EQ(glyphAt(0), tinted(qRgb(255, 0, 0)).copy(16, 64, 16, 16));
    EXPECT_EQ(glyphAt(1), tinted(qRgb(0, 255, 0)).copy(32, 64, 16, 16));
    EXPECT_EQ(model.state().charsetNote,
              u"Charset: "_s +
                  QDir::toNativeSeparators(folder + u"/baseq3/pak0.pk3 (gfx/2d/bigchars.tga)"_s));
    EXPECT_EQ(remembered(), folder);
    EXPECT_TRUE(test::readBytes(settings()).startsWith(kOldSettings))
        << "old keys keep their bytes";
    model.chooseColour(2);  // Black
    EXPECT_EQ(model.state().mapPicture, tinted(qRgb(0, 0, 0)));
    model.pickGlyph(65);
    EXPECT_EQ(glyphAt(2), tinted(qRgb(0, 0, 0)).copy(16, 64, 16, 16));
    model.useBuiltInCharset();
    EXPECT_EQ(glyphAt(0).pixel(0, 0), app.colourOf(BuiltInSheet::Q3Red));
    EXPECT_EQ(glyphAt(1).pixel(0, 0), app.colourOf(BuiltInSheet::Q3Green));
    EXPECT_TRUE(remembered().isEmpty());

    WriteIni(u"Charsets"_s, u"quake3"_s, folder, settings(), nullptr, IniText::FileName);
    MainWindowModel next(desktop, AppPaths::inFolder(app.path()));
    next.start();
    const WindowState& s = next.state();
    EXPECT_EQ(s.mapPicture, tinted(qRgb(255, 255, 255)));
    next.selectMode(GameMode::JumpGate);
    EXPECT_EQ(s.mapPicture.pixel(0, 0), app.colourOf(BuiltInSheet::JumpGate));
    EXPECT_TRUE(s.charsetGameKey.isEmpty()) << "the commands are off in JumpGate";
    EXPECT_TRUE(s.charsetNote.isEmpty());
    next.selectMode(GameMode::Quake3Arena);
    next.selectMode(GameMode::QuakeWorldMod);  // its picture dialog is cancelled
    next.chooseColour(1);
    EXPECT_EQ(s.mapPicture, tinted(qRgb(255, 0, 0))) << "still the game's charset";

    next.useBuiltInCharset();
    EXPECT_EQ(s.mapPicture.pixel(0, 0), app.colourOf(BuiltInSheet::Q3Red));
    EXPECT_TRUE(s.charsetNote.isEmpty());
    next.selectMode(GameMode::Wolfenstein);
    next.selectMode(GameMode::Quake3Arena);
    EXPECT_EQ(s.mapPicture.pixel(0, 0), app.colourOf(BuiltInSheet::Q3White));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(GameCharsetTest, goneFolder_builtInSheetAndTheBottomRowSaysWhyOnce) {
    WriteIni(u"Charsets"_s, u"quake3"_s, folder + u"/gone"_s, settings(), nullptr,
             IniText::FileName);
    MainWindowModel next(desktop, AppPaths::inFolder(app.path()));
    next.start();
    EXPECT_EQ(next.state().mapPicture.pixel(0, 0), app.colourOf(BuiltInSheet::Q3White));
    EXPECT_EQ(next.state().charsetNote,
              u"Built-in charset: "_s + QDir::toNativeSeparators(folder + u"/gone is gone"_s));
    next.selectMode(GameMode::Quake2);
    next.selectMode(GameMode::Quake3Arena);
    EXPECT_TRUE(next.state().charsetNote.isEmpty());
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(remembered(), folder + u"/gone"_s) << "kept for when it is back";
}

TEST_F(GameCharsetTest, byteGame_sharedByBothQuake2Modes) {
    test::writeFile(game.path() + u"/baseq2/pics/conchars.pcx"_s,
                    test::pcx(128, 128, test::pattern(128, 128)));
    model.selectMode(GameMode::Quake2);
    desktop.folderReplies.push_back(game.path() + u"/baseq2"_s);
    model.useGameCharset();
    const QImage own = model.state().mapPicture;
    EXPECT_EQ(own.pixel(0, 0), test::paletteColour(0)) << "index 0 in the PCX's own palette";
    model.selectMode(GameMode::Quake2Hex);
    EXPECT_EQ(model.state().mapPicture, own);
    model.selectMode(GameMode::QuakeWorld);
    EXPECT_EQ(model.state().mapPicture.pixel(0, 0), app.colourOf(BuiltInSheet::QuakeWorld));
}

TEST_F(GameCharsetTest, noCharsetDamagedOrCancelled_changesNothing) {
    QTemporaryDir empty;
    QDir().mkpath(empty.path() + u"/baseq3"_s);
    test::writeFile(game.path() + u"/bad/baseq3/pak0.pk3"_s, QByteArray(100, 'x'));
    const QImage before = model.state().mapPicture;
    // Not found, damaged (both messages name the place), cancelled (no message).
    for (const QString& reply : {empty.path(), QString(game.path() + u"/bad"_s), QString()}) {
        SCOPED_TRACE(reply.toStdString());
        desktop.messages.clear();
        desktop.folderReplies.push_back(reply);
        model.useGameCharset();
        ASSERT_EQ(desktop.messages.size(), reply.isEmpty() ? 0u : 1u);
        EXPECT_TRUE(reply.isEmpty() ||
                    desktop.messages[0].text.contains(u"\""_s + QDir::toNativeSeparators(reply)));
        EXPECT_EQ(model.state().mapPicture, before);
        EXPECT_TRUE(model.state().charsetNote.isEmpty());
        EXPECT_EQ(test::readBytes(settings()), kOldSettings);
    }
}

}  // namespace
}  // namespace vtl
