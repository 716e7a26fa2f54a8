#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "core/NameEditing.h"
#include "modes/ColourList.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "window/MainWindowModel.h"

namespace vtl {
namespace {

// Code c of every sheet is filled with red c, so a glyph in the name tells
// which code it was copied from, wherever it has been shifted to.
void writeCodedSheet(const QString& file) {
    QImage sheet(256, 256, QImage::Format_RGB32);
    for (int c = 0; c < 256; ++c) {
        const QPoint origin = cellOrigin(c);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                sheet.setPixel(origin.x() + x, origin.y() + y, qRgb(c, 80, 80));
            }
        }
    }
    ASSERT_TRUE(sheet.save(file, "BMP"));
}

struct ModelTest : ::testing::Test {
    test::AppFolder appDir;
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(appDir.path())};

    void SetUp() override {
        for (const Colour& colour : kColours) {
            writeCodedSheet(appDir.pathOf(colour.sheet));
        }
        writeCodedSheet(appDir.pathOf(BuiltInSheet::Quake2));
        model.start();
    }
    const WindowState& state() const { return model.state(); }
    QByteArray nameText() const { return composeNameText(state()); }
    void pickText(const char* text) {
        for (const char* p = text; *p; ++p) {
            model.pickGlyph(static_cast<unsigned char>(*p));
        }
    }
    // The code each position's glyph came from; -1 for a blank one.
    std::vector<int> glyphCodes(int count) const {
        std::vector<int> codes;
        for (int k = 0; k < count; ++k) {
            const QImage& glyph = state().cells[k].glyph;
            codes.push_back(glyph.isNull() ? -1 : qRed(glyph.pixel(8, 8)));
        }
        return codes;
    }
    QString undoText() {
        return model.history().canUndo() ? model.history().undoText() : QString();
    }
    QString redoText() {
        return model.history().canRedo() ? model.history().redoText() : QString();
    }
    bool press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return model.keyPressed(key, modifiers, QString());
    }
    void type(const QString& text) {
        for (const QChar c : text) {
            model.keyPressed(0, Qt::NoModifier, QString(c));
        }
    }
};

using TypingTest = ModelTest;

TEST_F(TypingTest, typedCharacters_writeTheCodeOfTheirWindows1252Byte) {
    struct Row {
        const char* name;
        GameMode mode;
        bool secondSet;
        QString typed;
        QByteArray nameText;
        int beeps;
    };
    const Row rows[] = {
        {"colour mode", GameMode::Quake3Arena, false, QStringLiteral("Ab 1"), "^7Ab 1", 0},
        {"hex pairs", GameMode::Quake2Hex, false, QStringLiteral("A~"), "417E", 0},
        {"code page above 127", GameMode::Quake2, false, QStringLiteral("\u20AC\u00E9\u0178"),
         "\x80\xE9\x9F", 0},
        {"second set", GameMode::Quake2, true, QStringLiteral("A}\u00E9"), "\xC1\xFD\xE9", 0},
        {"outside the code page", GameMode::Quake2, false, QStringLiteral("a\u4E2D\u0100b"), "ab",
         2},
    };
    for (const Row& row : rows) {
        model.selectMode(row.mode);
        model.setTypeSecondSet(row.secondSet);
        desktop.beeps = 0;
        type(row.typed);
        EXPECT_EQ(nameText(), row.nameText) << row.name;
        EXPECT_EQ(desktop.beeps, row.beeps) << row.name;
    }
    EXPECT_EQ(glyphCodes(2), (std::vector<int>{'a', 'b'}));  // same pixels as a click
}

TEST_F(TypingTest, controlCharactersAndChords_areLeftToTheWindow) {
    EXPECT_FALSE(model.keyPressed(Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")));
    EXPECT_FALSE(model.keyPressed(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
    EXPECT_FALSE(model.keyPressed(Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01")));
    EXPECT_FALSE(model.keyPressed(Qt::Key_F, Qt::AltModifier, QStringLiteral("f")));
    EXPECT_TRUE(model.keyPressed(Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A")));
    EXPECT_EQ(nameText(), QByteArrayLiteral("^7A"));
}

TEST_F(TypingTest, cursorKeys_moveAsSlotClicksWould) {
    EXPECT_TRUE(press(Qt::Key_End));
    EXPECT_EQ(state().CursorPos, 1);  // empty name
    type(QStringLiteral("ABC"));
    struct Step {
        int key;
        int cursor;
    };
    const Step steps[] = {{Qt::Key_Left, 3}, {Qt::Key_Left, 2},  {Qt::Key_Home, 1},
                          {Qt::Key_Left, 1}, {Qt::Key_Right, 2}, {Qt::Key_End, 4}};
    for (const Step& step : steps) {
        press(step.key);
        EXPECT_EQ(state().CursorPos, step.cursor) << step.key;
        EXPECT_EQ(state().markerLeftTwips, 240 * (step.cursor - 1)) << step.key;
    }
    model.moveCursorTo(20);
    type(QStringLiteral("Z"));  // a gap of blanks: End still goes past the last glyph
    press(Qt::Key_Home);
    press(Qt::Key_End);
    EXPECT_EQ(state().CursorPos, 21);

    type(QStringLiteral("VWXYZ"));  // full
    press(Qt::Key_Left);
    EXPECT_EQ(state().CursorPos, 25);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(state().CursorPos, 26);
    EXPECT_EQ(state().markerLeftTwips, 5760);
    press(Qt::Key_Home);
    press(Qt::Key_End);
    EXPECT_EQ(state().CursorPos, 26);
    EXPECT_FALSE(model.history().canRedo());  // moves are not changes
}

TEST_F(TypingTest, backspaceAndDelete_blankInOverwrite_shiftInInsert) {
    model.selectMode(GameMode::Quake2);
    type(QStringLiteral("ABCD"));
    press(Qt::Key_Backspace);
    EXPECT_EQ(nameText(), QByteArrayLiteral("ABC"));
    EXPECT_EQ(state().CursorPos, 4);
    EXPECT_EQ(state().rawNameBox, QStringLiteral("ABC"));
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    press(Qt::Key_Backspace);  // blanks A, the cursor onto it
    EXPECT_EQ(nameText(), QByteArrayLiteral(" BC"));
    EXPECT_EQ(state().CursorPos, 1);
    EXPECT_EQ(desktop.beeps, 0);
    press(Qt::Key_Backspace);  // nothing before position 1
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(model.history().undoText(), QStringLiteral("Backspace"));

    model.newName();
    type(QStringLiteral("ABCD"));
    model.setInsertMode(true);
    model.moveCursorTo(3);
    press(Qt::Key_Backspace);  // B goes, C and D move left
    EXPECT_EQ(nameText(), QByteArrayLiteral("ACD"));
    EXPECT_EQ(glyphCodes(4), (std::vector<int>{'A', 'C', 'D', -1}));
    EXPECT_EQ(state().CursorPos, 2);
    press(Qt::Key_Delete);  // C goes
    EXPECT_EQ(glyphCodes(3), (std::vector<int>{'A', 'D', -1}));
    EXPECT_EQ(state().commandLineBox, QStringLiteral("name \"AD\" //VTL G2 v6.3"));
    EXPECT_EQ(state().CursorPos, 2);
    model.deleteAtCursor();  // the button does the same
    EXPECT_EQ(nameText(), QByteArrayLiteral("A"));
    press(Qt::Key_End);
    press(Qt::Key_Backspace);
    EXPECT_EQ(nameText(), QByteArray());
}

TEST_F(TypingTest, insertMode_shiftsGlyphsAndFragmentsRight) {
    model.chooseColour(1);  // red: its code goes with the first glyph wherever it moves
    type(QStringLiteral("AC"));
    model.setInsertMode(true);
    press(Qt::Key_Left);
    type(QStringLiteral("B"));
    EXPECT_EQ(nameText(), QByteArrayLiteral("^1ABC"));
    EXPECT_EQ(glyphCodes(4), (std::vector<int>{'A', 'B', 'C', -1}));
    EXPECT_EQ(state().CursorPos, 3);
    EXPECT_EQ(state().rawNameBox, QStringLiteral("^1ABC"));
    press(Qt::Key_Home);
    model.pickGlyph('-');  // a click inserts too
    EXPECT_EQ(nameText(), QByteArrayLiteral("-^1ABC"));
    EXPECT_EQ(model.history().undoText(), QStringLiteral("Insert Glyph"));

    model.undo();
    model.undo();
    EXPECT_EQ(nameText(), QByteArrayLiteral("^1AC"));
    EXPECT_EQ(glyphCodes(3), (std::vector<int>{'A', 'C', -1}));
    EXPECT_EQ(state().CursorPos, 2);
}

TEST_F(TypingTest, insertPastPosition25_isRefusedWithBeepAndNotice) {
    model.selectMode(GameMode::Quake2);
    type(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX"));  // 24: the last position free
    model.setInsertMode(true);
    press(Qt::Key_Home);
    type(QStringLiteral("_"));
    EXPECT_EQ(nameText(), QByteArrayLiteral("_ABCDEFGHIJKLMNOPQRSTUVWX"));
    EXPECT_EQ(desktop.beeps, 0);

    type(QStringLiteral("*"));  // would push X out
    EXPECT_EQ(nameText(), QByteArrayLiteral("_ABCDEFGHIJKLMNOPQRSTUVWX"));
    EXPECT_EQ(state().CursorPos, 2);
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(state().notice, QStringLiteral("Name full: nothing inserted"));
    EXPECT_TRUE(desktop.messages.empty());  // no box to dismiss
    model.undo();                           // the refusal was no change: this undoes "_"
    EXPECT_EQ(nameText(), QByteArrayLiteral("ABCDEFGHIJKLMNOPQRSTUVWX"));
    EXPECT_EQ(state().notice, QString());

    model.setInsertMode(false);
    press(Qt::Key_End);
    type(QStringLiteral("YZ"));  // overwrite: the full name takes Z at 25 as always
    EXPECT_EQ(nameText(), QByteArrayLiteral("ABCDEFGHIJKLMNOPQRSTUVWXZ"));
}

TEST_F(TypingTest, colourKeys_chooseAsTheListDoes_onlyInColourModes) {
    const std::pair<int, QByteArray> rows[] = {
        {Qt::Key_1, "^1"}, {Qt::Key_2, "^2"}, {Qt::Key_3, "^3"}, {Qt::Key_4, "^4"},
        {Qt::Key_5, "^5"}, {Qt::Key_6, "^6"}, {Qt::Key_7, "^7"}, {Qt::Key_8, "^^8"},
    };
    for (const auto& [key, code] : rows) {
        EXPECT_TRUE(press(key, Qt::ControlModifier)) << code.constData();
        EXPECT_EQ(state().ColorPrefix, code);
        EXPECT_EQ(QByteArray(kColours[state().colourListIndex].code), code);
        EXPECT_FALSE(state().ColorWritten);
    }
    press(Qt::Key_2, Qt::ControlModifier);
    type(QStringLiteral("AB"));
    EXPECT_EQ(nameText(), QByteArrayLiteral("^2AB"));

    model.selectMode(GameMode::QuakeWorld);
    EXPECT_FALSE(press(Qt::Key_1, Qt::ControlModifier));
    EXPECT_EQ(state().ColorPrefix, QByteArrayLiteral("^2"));
    model.selectMode(GameMode::Wolfenstein);
    EXPECT_TRUE(press(Qt::Key_4, Qt::ControlModifier));
    EXPECT_EQ(state().ColorPrefix, QByteArrayLiteral("^4"));
}

using UndoTest = ModelTest;

TEST_F(UndoTest, everyKindOfChange_undoesToTheStateBeforeIt_andRedoesAgain) {
    EXPECT_FALSE(model.history().canUndo());
    pickText("AB");
    model.moveCursorTo(1);
    model.deleteAtCursor();
    EXPECT_EQ(state().rawNameBox, QStringLiteral(" B"));
    model.newName();
    EXPECT_EQ(undoText(), QStringLiteral("New Name"));

    model.undo();
    EXPECT_EQ(nameText(), QByteArrayLiteral(" B"));
    EXPECT_EQ(state().CursorPos, 1);
    EXPECT_EQ(undoText(), QStringLiteral("Delete"));
    EXPECT_EQ(redoText(), QStringLiteral("New Name"));
    model.undo();
    EXPECT_EQ(nameText(), QByteArrayLiteral("^7AB"));
    EXPECT_EQ(state().rawNameBox, QStringLiteral("^7AB"));
    EXPECT_EQ(state().CursorPos, 1);  // where the Delete happened, not where the B left it
    EXPECT_EQ(undoText(), QStringLiteral("Add Glyph"));
    model.undo();
    EXPECT_EQ(glyphCodes(2), (std::vector<int>{'A', -1}));
    EXPECT_EQ(state().CursorPos, 2);
    EXPECT_EQ(state().markerLeftTwips, 240);
    model.undo();
    EXPECT_EQ(nameText(), QByteArray());
    EXPECT_EQ(state().commandLineBox, QStringLiteral("name \"^7\" //VTL G2 v6.3"));
    EXPECT_FALSE(state().ColorWritten);  // the white code is pending again
    EXPECT_FALSE(model.history().canUndo());

    for (int i = 0; i < 4; ++i) {
        model.redo();
    }
    EXPECT_EQ(nameText(), QByteArray());
    EXPECT_FALSE(model.history().canRedo());
    model.undo();
    EXPECT_EQ(nameText(), QByteArrayLiteral(" B"));
    EXPECT_EQ(glyphCodes(2), (std::vector<int>{-1, 'B'}));
}

TEST_F(UndoTest, undo_keepsTheChosenColour_andWritesItsCodeBeforeTheNextGlyph) {
    model.chooseColour(1);  // red
    pickText("A");
    model.undo();
    EXPECT_EQ(state().ColorPrefix, QByteArrayLiteral("^1"));
    EXPECT_EQ(state().colourListIndex, 1);
    pickText("B");
    EXPECT_EQ(nameText(), QByteArrayLiteral("^1B"));
    EXPECT_FALSE(model.history().canRedo());  // a new change drops what was undone
}

TEST_F(UndoTest, changesThatChangeNothing_leaveNoEntry_modeSwitchEmptiesTheHistory) {
    model.deleteAtCursor();  // blank already
    model.newName();         // empty already
    model.moveCursorTo(7);   // the cursor alone is not a change
    EXPECT_FALSE(model.history().canUndo());

    pickText("A");
    model.selectMode(GameMode::Quake2);
    EXPECT_FALSE(model.history().canUndo());
    pickText("A");
    model.selectMode(GameMode::Quake3Arena);
    EXPECT_FALSE(model.history().canUndo());
    EXPECT_FALSE(model.history().canRedo());
}

}  // namespace
}  // namespace vtl
