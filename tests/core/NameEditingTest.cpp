#include <gtest/gtest.h>

#include "core/Cp1252.h"
#include "core/Glyphs.h"
#include "core/NameEditing.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

// The game modes (see the main window's tests) never leave the family unset
// nor write fragments of several bytes; these are the cases they don't reach.
TEST(NameEditing, unknownFamily_warnsButStillDrawsAndAdvances) {
    WindowState state;
    test::FakeDesktop desktop;
    pickGlyph(state, desktop, 'A');
    ASSERT_EQ(desktop.messageTexts(), QStringList{u"ERROR - Could not determine game."_s});
    EXPECT_TRUE(desktop.messages[0].title.isEmpty());
    EXPECT_FALSE(state.cells[0].glyph.isNull());
    EXPECT_EQ(state.cells[0].fragment, " "_ba);  // left as it was
    EXPECT_EQ(state.CursorPos, 2);
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

// The glyphs in the strip are checked through Export as Bitmap (tests/output).
TEST(Glyphs, nameStrip_markerBlockOrInsertBarInTheSlotRow) {
    WindowState state;
    state.CursorPos = 5;
    const QImage strip = renderNameStrip(state, Qt::gray);
    EXPECT_EQ(strip.size(), QSize(405, 26));
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
    EXPECT_EQ(encodeCp1252(shown), all);
    EXPECT_EQ(encodeCp1252(u"a\u4e2db"_s), "a?b"_ba);
}

}  // namespace
}  // namespace vtl
