#include <gtest/gtest.h>

#include "core/Cp1252.h"
#include "core/Glyphs.h"
#include "core/NameEditing.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

// The glyph of code c is filled with red c, so every copied cell can be
// traced back to its code.
QImage codedSheet() {
    QImage sheet(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            sheet.setPixel(x, y, qRgb(y / 16 * 16 + x / 16, 80, 80));
        }
    }
    return sheet;
}

int codeOf(const QImage& glyph) {
    return qRed(glyph.pixel(8, 8));
}

struct NameEditingTest : ::testing::Test {
    test::FakeDesktop desktop;
    WindowState state;

    void SetUp() override {
        state.sheetSource = codedSheet();
        state.Family = GameFamily::Plain;
        state.LinePrefix = "name \""_ba;
        state.LineSuffix = "\" //VTL G2 v6.3"_ba;
        for (int c = 0; c < 256; ++c) {
            state.Table[c] = QByteArray(1, static_cast<char>(c));
        }
        startNewName(state);
    }
    void pickText(const char* text) {
        for (const char* p = text; *p; ++p) {
            pickGlyph(state, desktop, static_cast<unsigned char>(*p));
        }
    }
};

TEST_F(NameEditingTest, family_decidesTheFragment_unknownOneWarnsButStillDraws) {
    state.Family = GameFamily::Colour;
    state.ColorPrefix = "^1"_ba;
    state.ColorWritten = false;
    pickText("AC");
    EXPECT_EQ(composeNameText(state), "^1AC"_ba);  // the pending code goes with the first only
    moveCursorTo(state, 1);
    pickText("D");  // writing over the coloured position loses its code
    EXPECT_EQ(composeNameText(state), "DC"_ba);

    state.Family.reset();
    pickText("E");
    ASSERT_EQ(desktop.messageTexts(), QStringList{u"ERROR - Could not determine game."_s});
    EXPECT_TRUE(desktop.messages[0].title.isEmpty());
    EXPECT_EQ(composeNameText(state), "DC"_ba);  // the fragment is left as it was
    EXPECT_EQ(codeOf(state.cells[1].glyph), 'E');
    EXPECT_EQ(state.CursorPos, 3);
}

// Only the spaces at the very end go, also from fragments of several bytes.
TEST_F(NameEditingTest, trailingBlanks_droppedFromTheEndOnly) {
    struct Row {
        QByteArray first, second, nameText;  // fragments at positions 1 and 2, the name
    };
    for (const Row& row : {Row{"A  ", {}, "A"}, Row{"   ", {}, ""}, Row{"A  ", "B", "A  B"},
                           Row{" ", "B  ", " B"}}) {
        startNewName(state);
        for (const QByteArray& fragment : {row.first, row.second}) {
            state.Table['q'] = fragment;
            pickText(fragment.isEmpty() ? "" : "q");
        }
        EXPECT_EQ(composeCommandLine(state), "name \"" + row.nameText + "\" //VTL G2 v6.3")
            << row.first.constData() << '|' << row.second.constData();
    }
}

TEST_F(NameEditingTest, hover_showsNumberFrameAndBothViews_backgroundClearsThem) {
    for (const int code : {0, 65, 255}) {
        previewGlyph(state, code);
        EXPECT_EQ(state.previewCaption, u"Char Number: %1"_s.arg(code + 1));
        EXPECT_EQ(state.frameCode, code);
        EXPECT_EQ(codeOf(state.regularView), code);
        ASSERT_EQ(state.enlargedView.size(), QSize(32, 32));
        EXPECT_EQ(state.enlargedView.pixel(31, 31), state.regularView.pixel(15, 15));
    }
    clearPreview(state);
    EXPECT_EQ(state.previewCaption, u"Char Number:"_s);
    EXPECT_FALSE(state.frameCode.has_value());
    EXPECT_TRUE(state.regularView.isNull() && state.enlargedView.isNull());
}

TEST(Glyphs, copiedFromAnySheetSize_blackOutside) {
    QImage odd(100, 37, QImage::Format_RGB32);
    odd.fill(Qt::green);
    const QImage edge = glyphFromSheet(odd, QPoint(96, 32));  // 4x5 pixels inside
    EXPECT_EQ(edge.size(), QSize(16, 16));
    EXPECT_EQ(edge.pixel(3, 4), qRgb(0, 255, 0));
    EXPECT_EQ(edge.pixel(4, 4), qRgb(0, 0, 0));
    EXPECT_EQ(edge.pixel(3, 5), qRgb(0, 0, 0));
    EXPECT_EQ(glyphFromSheet(QImage(), QPoint(16, 16)).pixel(5, 5), qRgb(0, 0, 0));
}

TEST(Glyphs, nameStrip_glyphsOnBlack_markerBlockOrInsertBarInTheSlotRow) {
    WindowState state;
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    state.cells[2].glyph = glyph;
    state.markerLeftTwips = 240 * 4;
    const QImage strip = renderNameStrip(state, Qt::gray);
    EXPECT_EQ(strip.size(), QSize(405, 26));
    EXPECT_EQ(strip.pixel(32, 0), qRgb(255, 255, 255));
    EXPECT_EQ(strip.pixel(31, 0), qRgb(0, 0, 0));
    EXPECT_EQ(strip.pixel(48, 0), qRgb(0, 0, 0));
    EXPECT_EQ(strip.pixel(3, 20), QColor(Qt::gray).rgb());
    EXPECT_EQ(strip.pixel(64 + 3, 20), qRgb(255, 0, 0));
    EXPECT_EQ(strip.pixel(64 + 10, 20), qRgb(255, 0, 0));  // overwrite: a block

    state.insertMode = true;  // insert: a bar at the slot's left edge
    const QImage inserting = renderNameStrip(state, Qt::gray);
    EXPECT_EQ(inserting.pixel(64 + 1, 20), qRgb(255, 0, 0));
    EXPECT_EQ(inserting.pixel(64 + 10, 20), QColor(Qt::gray).rgb());
}

TEST(Cp1252, everyByte_roundTripsThroughDisplayText_othersBecomeQuestionMarks) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString shown = decodeCp1252(all);
    ASSERT_EQ(shown.size(), 256);
    EXPECT_EQ(shown[0x80], QChar(0x20AC));
    EXPECT_EQ(shown[0x81], QChar(0x0081));
    EXPECT_EQ(shown[0x9A], QChar(0x0161));
    EXPECT_EQ(encodeCp1252(shown), all);
    EXPECT_EQ(encodeCp1252(u"a\u4e2db"_s), "a?b"_ba);
}

}  // namespace
}  // namespace vtl
