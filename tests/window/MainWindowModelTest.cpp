#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <map>

#include "core/Cp1252.h"
#include "core/NameEditing.h"
#include "ini/Ini.h"
#include "ini/Settings.h"
#include "modes/ColourList.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "window/MainWindowModel.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

struct ModelTest : ::testing::Test {
    test::AppFolder appDir;
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(appDir.path())};

    void SetUp() override {
        // Code c of the white and the Quake II sheet is filled with red c, so a
        // glyph in the name tells which code it was copied from.
        QImage sheet(256, 256, QImage::Format_RGB32);
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                sheet.setPixel(x, y, qRgb(y / 16 * 16 + x / 16, 80, 80));
            }
        }
        ASSERT_TRUE(sheet.save(appDir.pathOf(kColours[0].sheet), "BMP"));
        ASSERT_TRUE(sheet.save(appDir.pathOf(BuiltInSheet::Quake2), "BMP"));
        model.start();
    }
    const WindowState& state() const { return model.state(); }
    QByteArray nameText() const { return composeNameText(state()); }
    // Each position's glyph is the one its fragment ends in (or none for a
    // blank), wherever the positions have been moved: true for letters in
    // the byte and the colour modes.
    void expectGlyphsFollowFragments(const char* where) const {
        for (int k = 0; k < kNameLength; ++k) {
            const NameCell& cell = state().cells[k];
            EXPECT_EQ(cell.glyph.isNull() ? ' ' : qRed(cell.glyph.pixel(8, 8)),
                      static_cast<unsigned char>(cell.fragment.back()))
                << where << " at " << k + 1;
        }
    }
    bool press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return model.keyPressed(key, modifiers, QString());
    }
    // < > [ ] are Left, Right, Home and End, # is Backspace, ~ Delete and |
    // turns insert mode on; anything else is typed.
    void play(const QString& script) {
        static const std::map<char16_t, int> keys{
            {u'<', Qt::Key_Left}, {u'>', Qt::Key_Right},     {u'[', Qt::Key_Home},
            {u']', Qt::Key_End},  {u'#', Qt::Key_Backspace}, {u'~', Qt::Key_Delete}};
        for (const QChar c : script) {
            if (c == u'|') {
                model.setInsertMode(true);
            } else if (keys.contains(c.unicode())) {
                press(keys.at(c.unicode()));
            } else {
                model.keyPressed(0, Qt::NoModifier, QString(c));
            }
        }
    }
};

using TypingTest = ModelTest;

TEST_F(TypingTest, controlCharactersAndChords_areLeftToTheWindow) {
    EXPECT_FALSE(model.keyPressed(Qt::Key_Tab, Qt::NoModifier, u"\t"_s));
    EXPECT_FALSE(model.keyPressed(Qt::Key_Return, Qt::NoModifier, u"\r"_s));
    EXPECT_FALSE(model.keyPressed(Qt::Key_A, Qt::ControlModifier, u"\x01"_s));
    EXPECT_FALSE(model.keyPressed(Qt::Key_F, Qt::AltModifier, u"f"_s));
    EXPECT_TRUE(model.keyPressed(Qt::Key_A, Qt::ShiftModifier, u"A"_s));
    EXPECT_EQ(nameText(), "^7A"_ba);
}

// Each script starts on a new name in its mode (Quake II unless said).
TEST_F(TypingTest, keysAndTypedCharacters_editAsSlotClicksAndGlyphsWould) {
    struct Row {
        const char* name;
        QString script;
        QByteArray nameText;
        int cursor;
        int beeps = 0;
        GameMode mode = GameMode::Quake2;
        bool secondSet = false;
    };
    const QString x24 = u"ABCDEFGHIJKLMNOPQRSTUVWX"_s;
    const Row rows[] = {
        // Typed characters write the code of their Windows-1252 byte.
        {"colour mode", u"Ab 1"_s, "^7Ab 1", 5, 0, GameMode::Quake3Arena},
        {"hex pairs", u"A}"_s, "417D", 3, 0, GameMode::Quake2Hex},
        {"code page above 127", u"\u20AC\u00E9\u0178"_s, "\x80\xE9\x9F", 4},
        {"second set", u"A}\u00E9"_s, "\xC1\xFD\xE9", 4, 0, GameMode::Quake2, true},
        {"outside the code page", u"a\u4E2D\u0100b"_s, "ab", 3, 2},
        // Cursor keys move as slot clicks would.
        {"End on an empty name", u"]"_s, "", 1},
        {"Home, and no further left", u"ABC[<"_s, "ABC", 1},
        {"End after the last glyph, past a gap", u"ABC>>>>>>>>>>>>>>>>Z[]"_s,
         "ABC" + QByteArray(16, ' ') + "Z", 21},
        {"Right on a full name", x24 + u"Y<>>", x24.toLatin1() + "Y", 26},
        {"End on a full name", x24 + u"Y[]", x24.toLatin1() + "Y", 26},
        {"more on a full name overwrites 25", x24 + u"Y!", x24.toLatin1() + "!", 26},
        {"Delete on a full name blanks 25", x24 + u"Y~", x24.toLatin1(), 26},
        // Backspace and Delete blank in overwrite and close the gap in insert mode.
        {"Backspace blanks the glyph before", u"AB<#"_s, " B", 1},
        {"Backspace of the last glyph", u"A#"_s, "", 1},
        {"Backspace at position 1", u"A[#"_s, "A", 1, 1},
        {"Delete blanks at the cursor", u"ABC<<~"_s, "A C", 2},
        {"insert: Backspace closes the gap", u"ABCD<<|#"_s, "ACD", 2},
        {"insert: Delete closes the gap", u"ABCD<<|~"_s, "ABD", 3},
        {"insert: the colour code goes with its glyph", u"AC<|B[-"_s, "-^7ABC", 2, 0,
         GameMode::Quake3Arena},
        {"insert: into a full name refused", x24 + u"|[_*", "_" + x24.toLatin1(), 2, 1},
    };
    for (const Row& row : rows) {
        model.selectMode(row.mode);
        model.setInsertMode(false);
        model.setTypeSecondSet(row.secondSet);
        desktop.beeps = 0;
        play(row.script);
        EXPECT_EQ(nameText(), row.nameText) << row.name;
        EXPECT_EQ(state().rawNameBox, decodeCp1252(row.nameText)) << row.name;
        EXPECT_EQ(state().CursorPos, row.cursor) << row.name;
        EXPECT_EQ(state().markerLeftTwips, 240 * (std::min(row.cursor, 25) - 1)) << row.name;
        EXPECT_EQ(desktop.beeps, row.beeps) << row.name;
        if (row.mode != GameMode::Quake2Hex) {
            expectGlyphsFollowFragments(row.name);
        }
    }
    EXPECT_EQ(state().notice, u"Name full: nothing inserted"_s);
    EXPECT_TRUE(desktop.messages.empty());  // no box to dismiss
    EXPECT_EQ(model.history().undoText(), u"Insert Glyph"_s);
    model.undo();  // the refusal was no change: this undoes "_"
    EXPECT_EQ(nameText(), x24.toLatin1());
    EXPECT_EQ(state().notice, QString());
}

TEST_F(TypingTest, colourKeys_chooseTheColourEndingInTheDigit_onlyInColourModes) {
    play(u"A"_s);
    for (int digit = 1; digit <= 8; ++digit) {
        EXPECT_TRUE(press(Qt::Key_0 + digit, Qt::ControlModifier)) << digit;
        EXPECT_TRUE(state().ColorPrefix.endsWith('0' + digit)) << digit;
        EXPECT_EQ(QByteArray(kColours[state().colourListIndex].code), state().ColorPrefix);
    }
    play(u"BC"_s);
    EXPECT_EQ(nameText(), "^7A^^8BC"_ba);  // Black, written once
    model.selectMode(GameMode::QuakeWorld);
    EXPECT_FALSE(press(Qt::Key_1, Qt::ControlModifier));
}

using UndoTest = ModelTest;

TEST_F(UndoTest, everyKindOfChange_undoesToTheStateBeforeIt_andRedoesAgain) {
    play(u"AB"_s);
    model.moveCursorTo(1);
    model.deleteAtCursor();
    model.newName();
    EXPECT_EQ(nameText(), QByteArray());
    EXPECT_EQ(state().CursorPos, 1);
    EXPECT_TRUE(state().ColorWritten);  // a new name doesn't repeat the colour
    EXPECT_EQ(model.history().undoText(), u"New Name"_s);

    model.undo();
    EXPECT_EQ(nameText(), " B"_ba);
    EXPECT_EQ(state().CursorPos, 1);
    EXPECT_EQ(model.history().undoText(), u"Delete"_s);
    model.undo();
    EXPECT_EQ(state().rawNameBox, u"^7AB"_s);
    EXPECT_EQ(state().CursorPos, 1);  // where the Delete happened, not where the B left it
    EXPECT_EQ(model.history().undoText(), u"Add Glyph"_s);
    model.undo();
    EXPECT_EQ(nameText(), "^7A"_ba);
    expectGlyphsFollowFragments("first glyph");
    EXPECT_EQ(state().CursorPos, 2);
    EXPECT_EQ(state().markerLeftTwips, 240);
    model.undo();
    EXPECT_EQ(nameText(), QByteArray());
    EXPECT_FALSE(state().ColorWritten);  // the white code is pending again
    EXPECT_FALSE(model.history().canUndo());

    for (int i = 0; i < 4; ++i) {
        model.redo();
    }
    EXPECT_EQ(nameText(), QByteArray());
    EXPECT_FALSE(model.history().canRedo());
    model.undo();
    EXPECT_EQ(nameText(), " B"_ba);
    expectGlyphsFollowFragments("redone");
}

TEST_F(UndoTest, changesThatChangeNothing_leaveNoEntry_modeSwitchEmptiesTheHistory) {
    model.deleteAtCursor();  // blank already
    model.newName();         // empty already
    model.moveCursorTo(7);   // the cursor alone is not a change
    EXPECT_FALSE(model.history().canUndo());

    play(u"AB"_s);
    model.undo();
    model.selectMode(GameMode::Quake2);
    EXPECT_FALSE(model.history().canUndo() || model.history().canRedo());
}

// The game folder is read back from the settings as a file name, whatever its script.
TEST_F(ModelTest, quickSave_intoANonLatinFolder) {
    const QString folder = appDir.path() + u"/home/micha\u0142/\u30E6\u30FC\u30B6\u30FC/baseq3"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WriteIni(u"Vantorel"_s, u"q3config"_s, folder, settingsFileIn(appDir.path()),
                         nullptr, IniText::FileName));
    model.quickSave();
    EXPECT_EQ(desktop.messageTexts(), QStringList());
    EXPECT_TRUE(test::readBytes(folder + u"/q3config.cfg"_s).startsWith("\r\nname \""_ba));
}

}  // namespace
}  // namespace vtl
