#include <gtest/gtest.h>

#include "core/Glyphs.h"
#include "core/NameEditing.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

// A sheet whose glyph of code c is filled with the colour (c, 255 - c, 7), so
// every copied cell can be traced back to its code.
QImage codedSheet() {
    QImage sheet(256, 256, QImage::Format_RGB32);
    for (int c = 0; c < 256; ++c) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                sheet.setPixel((c % 16) * 16 + x, (c / 16) * 16 + y, qRgb(c, 255 - c, 7));
            }
        }
    }
    return sheet;
}

int codeOf(const QImage& glyph) {
    return qRed(glyph.pixel(8, 8));
}

struct Fixture : ::testing::Test {
    test::FakeDesktop desktop;
    WindowState state;

    void SetUp() override {
        state.sheetSource = codedSheet();
        state.Family = GameFamily::Plain;
        state.LinePrefix = QByteArrayLiteral("name \"");
        state.LineSuffix = QByteArrayLiteral("\" //VTL G2 v6.3");
        for (int c = 0; c < 256; ++c) {
            state.Table[c] = QByteArray(1, static_cast<char>(c));
        }
        startNewName(state);
    }
    void pick(char c) { pickGlyph(state, desktop, static_cast<unsigned char>(c)); }
    void pickText(const char* text) {
        for (const char* p = text; *p; ++p) {
            pick(*p);
        }
    }
};

using AddCharTest = Fixture;

TEST_F(AddCharTest, twentyFiveCharacters_fillName_moreAndDeleteActOnPosition25) {
    pickText("ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_EQ(state.CursorPos, 26);
    EXPECT_EQ(state.markerLeftTwips, 5760);
    EXPECT_EQ(composeNameText(state), QByteArrayLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
    for (int k = 0; k < kNameLength; ++k) {
        EXPECT_EQ(codeOf(state.cells[k].glyph), 'A' + k) << "position " << k + 1;
    }

    pick('Z');  // the name is full: position 25 is overwritten
    EXPECT_EQ(state.CursorPos, 26);
    EXPECT_EQ(state.markerLeftTwips, 5760);
    EXPECT_EQ(state.cells[24].fragment, QByteArrayLiteral("Z"));
    EXPECT_EQ(codeOf(state.cells[24].glyph), 'Z');
    EXPECT_EQ(state.cells[23].fragment, QByteArrayLiteral("X"));

    deleteAtCursor(state);  // still full: Delete acts on position 25
    EXPECT_EQ(state.cells[24].fragment, QByteArrayLiteral(" "));
    EXPECT_EQ(state.CursorPos, 26);
}

TEST_F(AddCharTest, pick_setsOffsetsFragmentAndRebuildsBothBoxes) {
    pickGlyph(state, desktop, 0);
    EXPECT_EQ(state.GlyphSrcX, 0);
    EXPECT_EQ(state.GlyphSrcY, 0);
    pickGlyph(state, desktop, 255);
    EXPECT_EQ(state.GlyphSrcX, 240);
    EXPECT_EQ(state.GlyphSrcY, 240);
    EXPECT_EQ(codeOf(state.cells[1].glyph), 255);
    EXPECT_EQ(state.cells[1].fragment, QByteArray(1, '\xFF'));
    EXPECT_EQ(state.rawNameBox, QString(QChar(0)) + QChar(0xFF));
    EXPECT_EQ(state.commandLineBox, QStringLiteral("name \"") + QChar(0) + QChar(0xFF) +
                                        QStringLiteral("\" //VTL G2 v6.3"));
    EXPECT_EQ(state.markerLeftTwips, 480);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(AddCharTest, colourPrefix_isWrittenOnceBeforeTheNextCharacter) {
    state.Family = GameFamily::Colour;
    state.ColorPrefix = QByteArrayLiteral("^1");
    state.ColorWritten = false;
    pickText("AB");
    EXPECT_EQ(state.cells[0].fragment, QByteArrayLiteral("^1A"));
    EXPECT_EQ(state.cells[1].fragment, QByteArrayLiteral("B"));

    // Going back over the coloured position loses its code: it was written.
    moveCursorTo(state, 1);
    pick('C');
    EXPECT_EQ(state.cells[0].fragment, QByteArrayLiteral("C"));
}

TEST_F(AddCharTest, unknownFamily_warnsButStillDrawsAndAdvances) {
    state.Family.reset();
    pick('A');
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, QStringLiteral("ERROR - Could not determine game."));
    EXPECT_TRUE(desktop.messages[0].title.isEmpty());
    EXPECT_EQ(state.cells[0].fragment, QByteArrayLiteral(" "));
    EXPECT_EQ(codeOf(state.cells[0].glyph), 'A');
    EXPECT_EQ(state.CursorPos, 2);
    EXPECT_TRUE(state.ColorWritten);
}

TEST_F(AddCharTest, blanks_singleInsideAndDroppedAtTheEnd) {
    struct Row {
        const char* name;
        std::vector<std::pair<int, QByteArray>> placed;  // slot, fragment
        QByteArray nameText;
    };
    const Row rows[] = {
        {"gap between characters", {{1, "A"}, {3, "B"}}, "A B"},
        {"leading blank kept", {{2, "A"}}, " A"},
        {"trailing blanks of last fragment dropped", {{1, "A"}, {2, "B  "}}, "AB"},
        {"blank-only fragment", {{1, "   "}}, ""},
        {"fragment beyond the cursor counts",
         {{20, "Z"}, {1, "A"}},
         "A" + QByteArray(18, ' ') + "Z"},
    };
    for (const Row& row : rows) {
        startNewName(state);
        for (const auto& [slot, fragment] : row.placed) {
            moveCursorTo(state, slot);
            state.Table['q'] = fragment;
            pick('q');
        }
        EXPECT_EQ(composeNameText(state), row.nameText) << row.name;
        EXPECT_EQ(state.rawNameBox, QString::fromLatin1(row.nameText)) << row.name;
        EXPECT_EQ(state.commandLineBox, QStringLiteral("name \"") +
                                            QString::fromLatin1(row.nameText) +
                                            QStringLiteral("\" //VTL G2 v6.3"))
            << row.name;
    }
}

TEST_F(AddCharTest, placedGlyphs_keepTheirPixelsWhenTheSheetChanges) {
    pick('A');
    QImage red(256, 256, QImage::Format_RGB32);
    red.fill(Qt::red);
    state.sheetSource = red;
    pick('A');
    EXPECT_EQ(codeOf(state.cells[0].glyph), 'A');
    EXPECT_EQ(state.cells[1].glyph.pixel(8, 8), qRgb(255, 0, 0));
}

TEST(GlyphFromSheet, anySheetSize_readsInsideAndBlackOutside) {
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(Qt::white);
    const QImage corner = glyphFromSheet(tiny, QPoint(0, 0));
    EXPECT_EQ(corner.size(), QSize(16, 16));
    EXPECT_EQ(corner.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(corner.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(glyphFromSheet(tiny, QPoint(240, 240)).pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(glyphFromSheet(QImage(), QPoint(16, 16)).pixel(5, 5), qRgb(0, 0, 0));

    QImage odd(100, 37, QImage::Format_RGB32);
    odd.fill(Qt::green);
    const QImage edge = glyphFromSheet(odd, QPoint(96, 32));  // 4x5 pixels inside
    EXPECT_EQ(edge.pixel(3, 4), qRgb(0, 255, 0));
    EXPECT_EQ(edge.pixel(4, 4), qRgb(0, 0, 0));
    EXPECT_EQ(edge.pixel(3, 5), qRgb(0, 0, 0));
}

using PreviewTest = Fixture;

TEST_F(PreviewTest, hover_showsNumberFrameAndBothViews_backgroundClearsThem) {
    for (const int code : {0, 65, 255}) {
        previewGlyph(state, code);
        EXPECT_EQ(state.previewCaption, QStringLiteral("Char Number: %1").arg(code + 1));
        EXPECT_EQ(state.frameCode, code);
        EXPECT_EQ(state.HoverSrcX, (code % 16) * 16);
        EXPECT_EQ(state.HoverSrcY, (code / 16) * 16);
        EXPECT_EQ(codeOf(state.regularView), code);
        ASSERT_EQ(state.enlargedView.size(), QSize(32, 32));
        EXPECT_EQ(state.enlargedView.pixel(31, 31), state.regularView.pixel(15, 15));
        EXPECT_EQ(state.enlargedView.pixel(0, 0), state.regularView.pixel(0, 0));
    }
    clearPreview(state);
    EXPECT_EQ(state.previewCaption, QStringLiteral("Char Number:"));
    EXPECT_FALSE(state.frameCode.has_value());
    EXPECT_TRUE(state.regularView.isNull());
    EXPECT_TRUE(state.enlargedView.isNull());
    EXPECT_EQ(state.HoverSrcX, 240);  // kept from the last hover
}

using EditingTest = Fixture;

TEST_F(EditingTest, delete_blanksCursorPositionAndLeavesBoxesStale) {
    pickText("AB");
    deleteAtCursor(state);  // the cursor is on position 3, not on B
    EXPECT_EQ(state.cells[1].fragment, QByteArrayLiteral("B"));
    EXPECT_EQ(state.CursorPos, 3);

    moveCursorTo(state, 2);
    EXPECT_EQ(state.markerLeftTwips, 240);
    deleteAtCursor(state);
    EXPECT_EQ(state.cells[1].fragment, QByteArrayLiteral(" "));
    EXPECT_TRUE(state.cells[1].glyph.isNull());
    EXPECT_EQ(state.CursorPos, 2);
    EXPECT_EQ(state.rawNameBox, QStringLiteral("AB"));  // not recomputed
    EXPECT_EQ(composeNameText(state), QByteArrayLiteral("A"));
}

TEST_F(EditingTest, newName_emptiesEverythingButTheModeValues) {
    state.Family = GameFamily::Colour;
    state.ColorPrefix = QByteArrayLiteral("^4");
    state.ColorWritten = false;
    pickText("AB");
    previewGlyph(state, 7);
    startNewName(state);
    EXPECT_EQ(state.CursorPos, 1);
    EXPECT_EQ(state.markerLeftTwips, 0);
    EXPECT_EQ(state.rawNameBox, QString());
    EXPECT_EQ(state.commandLineBox, QStringLiteral("name \"\" //VTL G2 v6.3"));
    for (const NameCell& cell : state.cells) {
        EXPECT_EQ(cell.fragment, QByteArrayLiteral(" "));
        EXPECT_TRUE(cell.glyph.isNull());
    }
    EXPECT_TRUE(state.ColorWritten);  // a new name doesn't repeat the colour
    EXPECT_EQ(state.ColorPrefix, QByteArrayLiteral("^4"));
    EXPECT_EQ(state.frameCode, 7);
}

TEST_F(EditingTest, slotClick_thenPick_writesThatPositionOnly) {
    pickText("ABC");
    moveCursorTo(state, 20);
    pick('Z');
    EXPECT_EQ(composeNameText(state), QByteArrayLiteral("ABC") + QByteArray(16, ' ') + "Z");
    EXPECT_EQ(state.CursorPos, 21);
}

TEST(NameStrip, glyphsAtSixteenPixelStepsOnBlack_markerRedInTheSlotRow) {
    WindowState state;
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    state.cells[2].glyph = glyph;
    state.markerLeftTwips = 240 * 4;
    const QImage strip = renderNameStrip(state, Qt::gray);
    EXPECT_EQ(strip.size(), QSize(405, 26));
    EXPECT_EQ(strip.pixel(32, 0), qRgb(255, 255, 255));
    EXPECT_EQ(strip.pixel(47, 13), qRgb(255, 255, 255));
    EXPECT_EQ(strip.pixel(31, 0), qRgb(0, 0, 0));
    EXPECT_EQ(strip.pixel(48, 0), qRgb(0, 0, 0));
    EXPECT_EQ(strip.pixel(64 + 3, 20), qRgb(255, 0, 0));
    EXPECT_EQ(strip.pixel(3, 20), QColor(Qt::gray).rgb());
}

}  // namespace
}  // namespace vtl
