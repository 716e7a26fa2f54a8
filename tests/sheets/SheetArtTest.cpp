#include <gtest/gtest.h>

#include <set>

#include "SheetTestSupport.h"
#include "sheets/Mask.h"

namespace vtl::sheets {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::blank;
using test::cellOf;
using test::litPixels;
using test::meanInk;
using test::sheetNamed;

TEST(SheetArt, EverySheetHasAnEmptySpaceAndInkedLetters) {
    for (std::size_t i = 0; i < builtInSheets().size(); ++i) {
        SCOPED_TRACE(builtInSheets()[i].path.toStdString());
        const QImage sheet = drawSheet(i);
        EXPECT_TRUE(blank(cellOf(sheet, 0)));
        EXPECT_TRUE(blank(cellOf(sheet, ' ')));
        for (int code : {'A', 'z', '0', '~'}) {
            EXPECT_FALSE(blank(cellOf(sheet, code))) << code;
        }
    }
}

TEST(SheetArt, OnlyCodeZeroAndTheSpacesAreBlank) {
    // Every other code shows something, so a player never picks an invisible
    // character by mistake.
    for (std::size_t i = 0; i < builtInSheets().size(); ++i) {
        SCOPED_TRACE(builtInSheets()[i].path.toStdString());
        const QImage sheet = drawSheet(i);
        for (int code = 0; code < 256; ++code) {
            const bool space = code == 0 || code == 32 || code == 160;
            EXPECT_EQ(blank(cellOf(sheet, code)), space) << code;
        }
    }
}

TEST(SheetArt, PrintableCharactersAreAllDifferent) {
    // A missing or mis-numbered glyph shows up as two codes drawn alike.
    struct Case {
        QString path;
        std::vector<std::pair<int, int>> ranges;
    };
    const std::vector<Case> cases{
        {u"qw/quakeworld.gif"_s, {{33, 127}}},
        {u"q2/quake2.gif"_s, {{33, 127}}},
        {u"hex/hexen.gif"_s, {{33, 127}}},
        {u"q3a/q3-white.gif"_s, {{33, 127}, {161, 255}}},
        // 0xAD, the soft hyphen, is drawn as a hyphen on purpose.
        {u"jumpgate/jumpgate.gif"_s,
         {{33, 127},
          {0x80, 0x81},
          {0x82, 0x8D},
          {0x8E, 0x8F},
          {0x91, 0x9D},
          {0x9E, 0xA0},
          {0xA1, 0xAD},
          {0xAE, 0x100}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QImage sheet = sheetNamed(c.path);
        std::set<std::vector<bool>> seen;
        for (const auto& [from, to] : c.ranges) {
            for (int code = from; code < to; ++code) {
                const auto lit = litPixels(cellOf(sheet, code));
                EXPECT_FALSE(blank(cellOf(sheet, code))) << code;
                EXPECT_TRUE(seen.insert(lit).second) << "code " << code << " repeats a glyph";
            }
        }
    }
}

TEST(SheetArt, QuakeDigitsAndBracketsAreGold) {
    const QImage sheet = sheetNamed(u"qw/quakeworld.gif"_s);
    for (int base : {16, 144}) {
        for (int code = base; code < base + 12; ++code) {
            const auto m = meanInk(cellOf(sheet, code));
            EXPECT_GT(m.r, m.b + 100) << code;
            EXPECT_GT(m.g, m.b + 60) << code;
            EXPECT_GT(m.r, m.g) << code;
        }
    }
    // The gold digits are the same figures as the text digits.
    for (int d = 0; d < 10; ++d) {
        EXPECT_EQ(litPixels(cellOf(sheet, 18 + d)), litPixels(cellOf(sheet, '0' + d))) << d;
    }
}

TEST(SheetArt, SecondSetIsTheFirstInItsOtherColour) {
    // Codes 160-254 repeat 32-126 shape for shape; the first set is near
    // grey, the second clearly coloured.
    enum Hue { Rust, Green, Red };
    struct Case {
        QString path;
        Hue hue;
    };
    for (const Case& c : {Case{u"qw/quakeworld.gif"_s, Rust}, Case{u"q2/quake2.gif"_s, Green},
                          Case{u"hex/hexen.gif"_s, Red}}) {
        SCOPED_TRACE(c.path.toStdString());
        const QImage sheet = sheetNamed(c.path);
        for (int code = 33; code < 128; ++code) {
            const QImage first = cellOf(sheet, code);
            const QImage second = cellOf(sheet, code + 128);
            EXPECT_EQ(litPixels(first), litPixels(second)) << code;
            const auto a = meanInk(first);
            EXPECT_LT(std::max({a.r, a.g, a.b}) - std::min({a.r, a.g, a.b}), 45) << code;
            const auto b = meanInk(second);
            switch (c.hue) {
                case Rust:
                    EXPECT_TRUE(b.r > b.g + 40 && b.g > b.b + 20) << code;
                    break;
                case Green:
                    EXPECT_TRUE(b.g > b.r + 60 && b.g > b.b + 60) << code;
                    break;
                case Red:
                    EXPECT_TRUE(b.r > b.g + 80 && b.r > b.b + 80) << code;
                    break;
            }
        }
    }
}

TEST(SheetArt, QuakeThreeSheetsDifferOnlyInColour) {
    struct Case {
        QString colour;
        bool r, g, b;  // the channels that stand out
    };
    const std::vector<Case> cases{
        {u"white"_s, true, true, true},    {u"red"_s, true, false, false},
        {u"black"_s, false, false, false}, {u"magenta"_s, true, false, true},
        {u"green"_s, false, true, false},  {u"yellow"_s, true, true, false},
        {u"blue"_s, false, false, true},   {u"cyan"_s, false, true, true},
    };
    const auto reference = litPixels(sheetNamed(u"q3a/q3-white.gif"_s));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colour.toStdString());
        const QImage sheet = sheetNamed(u"q3a/q3-%1.gif"_s.arg(c.colour));
        EXPECT_EQ(litPixels(sheet), reference);
        const auto m = meanInk(sheet, 1);
        const double high = std::max({m.r, m.g, m.b});
        if (!c.r && !c.g && !c.b) {
            // Black: grey ink, dark on the whole, edges still visible.
            EXPECT_LT(high, 100);
            EXPECT_NEAR(m.r, m.b, 1.0);
            EXPECT_NEAR(m.g, m.b, 1.0);
            continue;
        }
        EXPECT_GT(high, 120);
        for (const auto& [value, stands] : {std::pair{m.r, c.r}, {m.g, c.g}, {m.b, c.b}}) {
            if (stands) {
                EXPECT_GT(value, high * 0.8);
            } else {
                EXPECT_LT(value, high * 0.5);
            }
        }
    }
}

TEST(SheetArt, TilingPiecesMeetWithoutASeam) {
    // Frames, bars and sliders are laid side by side (or stacked): where two
    // pieces meet, the touching columns (rows) must match pixel for pixel.
    struct Case {
        QString path;
        std::vector<int> row;     // pieces left to right
        std::vector<int> column;  // pieces top to bottom
    };
    const std::vector<Case> cases{
        {u"qw/quakeworld.gif"_s, {1, 2, 3}, {1, 4, 7}},
        {u"qw/quakeworld.gif"_s, {7, 8, 9}, {3, 6, 9}},
        {u"qw/quakeworld.gif"_s, {29, 30, 30, 31}, {}},
        {u"qw/quakeworld.gif"_s, {128, 129, 129, 130}, {}},
        {u"q2/quake2.gif"_s, {1, 2, 3}, {1, 4, 7}},
        {u"q2/quake2.gif"_s, {4, 5, 6}, {2, 5, 8}},
        {u"q2/quake2.gif"_s, {18, 19, 20}, {18, 21, 24}},
        {u"q2/quake2.gif"_s, {24, 25, 26}, {20, 23, 26}},
        {u"hex/hexen.gif"_s, {157, 158, 159}, {3, 6, 9}},
        {u"q3a/q3-red.gif"_s, {2, 3, 4}, {23, 24, 25}},
        {u"q3a/q3-red.gif"_s, {12, 14, 15}, {12, 18, 20}},
        {u"q3a/q3-red.gif"_s, {20, 21, 22}, {15, 19, 22}},
        {u"q3a/q3-red.gif"_s, {29, 30, 31}, {}},
        {u"q3a/q3-red.gif"_s, {139, 140, 141}, {139, 142, 145}},
        {u"q3a/q3-red.gif"_s, {145, 146, 147}, {141, 144, 147}},
        {u"q3a/q3-red.gif"_s, {128, 129, 130}, {}},
        {u"q3a/q3-red.gif"_s, {157, 158, 159}, {}},
    };
    for (const Case& c : cases) {
        const QImage sheet = sheetNamed(c.path);
        for (std::size_t i = 1; i < c.row.size(); ++i) {
            const QImage a = cellOf(sheet, c.row[i - 1]);
            const QImage b = cellOf(sheet, c.row[i]);
            for (int y = 0; y < 16; ++y) {
                EXPECT_EQ(a.pixel(15, y), b.pixel(0, y))
                    << c.path.toStdString() << " " << c.row[i - 1] << "|" << c.row[i] << " y=" << y;
            }
        }
        for (std::size_t i = 1; i < c.column.size(); ++i) {
            const QImage a = cellOf(sheet, c.column[i - 1]);
            const QImage b = cellOf(sheet, c.column[i]);
            for (int x = 0; x < 16; ++x) {
                EXPECT_EQ(a.pixel(x, 15), b.pixel(x, 0))
                    << c.path.toStdString() << " " << c.column[i - 1] << "/" << c.column[i]
                    << " x=" << x;
            }
        }
    }
}

TEST(SheetArt, JumpGateUnassignedCodesShowTheControlBox) {
    const QImage sheet = sheetNamed(u"jumpgate/jumpgate.gif"_s);
    const QImage box = cellOf(sheet, 1);
    EXPECT_FALSE(blank(box));
    for (int code : {2, 9, 31, 127, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(cellOf(sheet, code), box) << code;
    }
    EXPECT_TRUE(blank(cellOf(sheet, 0xA0)));
}

// Rows of the cell that carry ink.
std::pair<int, int> inkRows(const Mask& m) {
    int top = 16, bottom = -1;
    for (int y = 0; y < 16; ++y) {
        if (m.rows[y] != 0) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return {top, bottom};
}

TEST(AccentedLetters, MarkSitsAboveTheLetterWhichKeepsItsBaseline) {
    struct Case {
        int accented;
        int base;
    };
    const std::vector<Case> cases{{0xC0, 'A'}, {0xC5, 'A'}, {0xC9, 'E'}, {0xCF, 'I'}, {0xD1, 'N'},
                                  {0xD6, 'O'}, {0xDB, 'U'}, {0xDD, 'Y'}, {0x8A, 'S'}, {0x9F, 'Y'},
                                  {0xE0, 'a'}, {0xE9, 'e'}, {0xEE, 'i'}, {0xF5, 'o'}, {0xFC, 'u'},
                                  {0xFF, 'y'}, {0x9E, 'z'}};
    for (const Case& c : cases) {
        const Mask accented = cp1252Shape(c.accented);
        const Mask base = cp1252Shape(c.base);
        // The mark starts at the top and a clear row parts it from the letter.
        EXPECT_LE(inkRows(accented).first, 1) << c.accented;
        const bool gap = accented.rows[2] == 0 || accented.rows[3] == 0;
        EXPECT_TRUE(gap) << c.accented;
        EXPECT_EQ(inkRows(accented).second, inkRows(base).second) << c.accented;
        if (inkRows(base).first >= 4) {
            // Short letters keep their shape whole under the mark.
            EXPECT_EQ((accented & base), base) << c.accented;
        }
    }
    // The cedilla hangs below instead.
    for (const auto& [accented, base] : {std::pair{0xC7, int{'C'}}, std::pair{0xE7, int{'c'}}}) {
        const Mask m = cp1252Shape(accented);
        EXPECT_EQ((m & cp1252Shape(base)), cp1252Shape(base));
        EXPECT_GT(inkRows(m).second, inkRows(cp1252Shape(base)).second);
    }
}

TEST(MaskShapes, SmoothDoublingRoundsCornersButKeepsStraightStrokes) {
    Glyph8 bar{};
    bar[2] = 0b01111100;  // a straight stroke stays a plain doubled one
    EXPECT_EQ(smoothDoubled(bar), doubled(bar));

    Glyph8 diagonal{};
    diagonal[0] = 0b10000000;
    diagonal[1] = 0b01000000;
    const Mask d = smoothDoubled(diagonal);
    EXPECT_GT(d.count(), doubled(diagonal).count());  // the step is filled in
    EXPECT_TRUE(d.at(1, 2) && d.at(2, 1));
    EXPECT_FALSE(d.at(0, 3) || d.at(3, 0));
}

TEST(MaskShapes, SerifsGoOnlyOnStemsAtTheBaselineAndCapLine) {
    const Mask stem = rect(6, 0, 7, 13);
    EXPECT_EQ(serifed(stem), stem | rect(5, 0, 8, 0) | rect(5, 13, 8, 13));
    // A stem that stops short of both lines, and round or flat ends, stay.
    for (const Mask& m : {rect(6, 2, 7, 11), rect(2, 12, 13, 13), ring(8, 7, 4, 6.5)}) {
        EXPECT_EQ(serifed(m), m);
    }
    // A foot never closes a gap next to the stem.
    const Mask pair = rect(4, 4, 5, 13) | rect(7, 4, 8, 13);
    EXPECT_EQ(serifed(pair) - pair, rect(3, 13, 3, 13) | rect(9, 13, 9, 13));
}

TEST(MaskShapes, CentringBalancesTheMargins) {
    for (const Mask& m : {rect(0, 0, 4, 3), rect(9, 5, 15, 6), rect(3, 3, 12, 3)}) {
        const Mask c = centred(m);
        EXPECT_EQ(c.count(), m.count());
        int left = 16, right = -1;
        for (int x = 0; x < 16; ++x) {
            for (int y = 0; y < 16; ++y) {
                if (c.at(x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        EXPECT_LE(std::abs(left - (15 - right)), 1);
    }
}

}  // namespace
}  // namespace vtl::sheets
