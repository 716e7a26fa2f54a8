#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "core/NameEditing.h"
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
    MainWindowModel model{desktop, appDir.path()};

    void SetUp() override {
        writeCodedSheet(appDir.path() + QStringLiteral("/q3a/q3-white.gif"));
        writeCodedSheet(appDir.path() + QStringLiteral("/q2/quake2.gif"));
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
};

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
