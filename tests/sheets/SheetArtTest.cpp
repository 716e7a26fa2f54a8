#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "sheets/Mask.h"
#include "sheets/SheetList.h"
#include "sheets/Sheets.h"

namespace vtl::sheets {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr std::size_t indexOf(BuiltInSheet sheet) {
    return static_cast<std::size_t>(sheet);
}

// Indices into builtInSheets(); the Quake III colours follow white in the list.
enum Sheet : std::size_t {
    Quake = indexOf(BuiltInSheet::QuakeWorld),
    Quake2 = indexOf(BuiltInSheet::Quake2),
    Hexen = indexOf(BuiltInSheet::Hexen2),
    JumpGate = indexOf(BuiltInSheet::JumpGate),
    Q3White = indexOf(BuiltInSheet::Q3White),
};

QImage cellOf(const QImage& sheet, int code) {
    return sheet.copy((code % 16) * 16, (code / 16) * 16, 16, 16);
}

// Which pixels carry any ink (shadows included), as a one-bit picture.
QImage litPixels(const QImage& image) {
    return image.createMaskFromColor(qRgb(0, 0, 0), Qt::MaskOutColor);
}

struct Mean {
    double r = 0, g = 0, b = 0, n = 0;
};

// The ink's mean colour and pixel count, leaving out pixels darker than `floor` (shadows).
Mean meanInk(const QImage& image, int floor = 60) {
    Mean m;
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QRgb c = image.pixel(i % image.width(), i / image.width());
        if (std::max({qRed(c), qGreen(c), qBlue(c)}) >= floor) {
            m = {m.r + qRed(c), m.g + qGreen(c), m.b + qBlue(c), m.n + 1};
        }
    }
    const double n = std::max(m.n, 1.0);
    return {m.r / n, m.g / n, m.b / n, m.n};
}

TEST(SheetArt, everySheet_blankOnlyAtCodeZeroAndTheSpaces) {
    // Every other code shows something, so a player never picks an invisible character.
    for (std::size_t i = 0; i < builtInSheets().size(); ++i) {
        SCOPED_TRACE(builtInSheets()[i].path.toStdString());
        const QImage sheet = drawSheet(i);
        for (int code = 0; code < 256; ++code) {
            EXPECT_EQ(meanInk(cellOf(sheet, code), 1).n == 0, code == 0 || code % 128 == 32)
                << code;
        }
    }
}

TEST(SheetArt, printableCharacters_allDrawnDifferently) {
    // A missing or mis-numbered glyph shows up as two codes drawn alike. [from, to) ranges;
    // JumpGate skips its control boxes and 0xAD, the soft hyphen drawn as a hyphen.
    const std::vector<int> jumpGate{33,   127,  0x80, 0x81, 0x82, 0x8D, 0x8E, 0x8F,
                                    0x91, 0x9D, 0x9E, 0xA0, 0xA1, 0xAD, 0xAE, 0x100};
    const std::vector<std::pair<Sheet, std::vector<int>>> cases{{Quake, {33, 127}},
                                                                {Quake2, {33, 127}},
                                                                {Hexen, {33, 127}},
                                                                {Q3White, {33, 127, 161, 255}},
                                                                {JumpGate, jumpGate}};
    for (const auto& [index, ranges] : cases) {
        const QImage sheet = drawSheet(index);
        std::vector<QImage> seen;
        for (std::size_t r = 0; r < ranges.size(); r += 2) {
            for (int code = ranges[r]; code < ranges[r + 1]; ++code) {
                seen.push_back(litPixels(cellOf(sheet, code)));
                EXPECT_EQ(std::count(seen.begin(), seen.end(), seen.back()), 1)
                    << builtInSheets()[index].path.toStdString() << " code " << code;
            }
        }
    }
}

TEST(SheetArt, quakeDigitsAndBrackets_areGold) {
    const QImage sheet = drawSheet(Quake);
    for (int code = 16; code < 28; ++code) {
        const Mean m = meanInk(cellOf(sheet, code));
        EXPECT_TRUE(m.r > m.b + 100 && m.g > m.b + 60 && m.r > m.g) << code;
        EXPECT_EQ(cellOf(sheet, code + 128), cellOf(sheet, code)) << code;
        if (code >= 18) {  // the same figures as the text digits
            EXPECT_EQ(litPixels(cellOf(sheet, code)), litPixels(cellOf(sheet, code - 18 + '0')));
        }
    }
}

TEST(SheetArt, secondSet_isTheFirstInItsOtherColour) {
    // Codes 161-255 repeat 33-127 shape for shape, near grey there, clearly coloured here.
    const std::vector<std::pair<Sheet, bool (*)(const Mean&)>> cases{
        {Quake, [](const Mean& m) { return m.r > m.g + 40 && m.g > m.b + 20; }},
        {Quake2, [](const Mean& m) { return m.g > m.r + 60 && m.g > m.b + 60; }},
        {Hexen, [](const Mean& m) { return m.r > m.g + 80 && m.r > m.b + 80; }}};
    for (const auto& [index, coloured] : cases) {
        const QImage sheet = drawSheet(index);
        for (int code = 33; code < 128; ++code) {
            SCOPED_TRACE(builtInSheets()[index].path.toStdString() + " " + std::to_string(code));
            EXPECT_EQ(litPixels(cellOf(sheet, code)), litPixels(cellOf(sheet, code + 128)));
            const Mean a = meanInk(cellOf(sheet, code));
            EXPECT_LT(std::max({a.r, a.g, a.b}) - std::min({a.r, a.g, a.b}), 45);
            EXPECT_TRUE(coloured(meanInk(cellOf(sheet, code + 128))));
        }
    }
}

TEST(SheetArt, quakeThreeSheets_differOnlyInColour) {
    const auto reference = litPixels(drawSheet(Q3White));
    // In sheet order, the channels that stand out in each colour; black is grey ink, dark on the
    // whole, edges still visible.
    const QStringList channels{u"rgb"_s, u"r"_s, u""_s, u"rb"_s, u"g"_s, u"rg"_s, u"b"_s, u"gb"_s};
    for (qsizetype i = 0; i < channels.size(); ++i) {
        SCOPED_TRACE(builtInSheets()[Q3White + i].path.toStdString());
        const QImage sheet = drawSheet(Q3White + i);
        EXPECT_EQ(litPixels(sheet), reference);
        const Mean m = meanInk(sheet, 1);
        const double high = std::max({m.r, m.g, m.b});
        if (channels[i].isEmpty()) {
            EXPECT_TRUE(high < 100 && std::abs(m.r - m.b) < 1 && std::abs(m.g - m.b) < 1);
            continue;
        }
        EXPECT_GT(high, 120);
        for (const auto& [value, channel] : {std::pair{m.r, u'r'}, {m.g, u'g'}, {m.b, u'b'}}) {
            EXPECT_TRUE(channels[i].contains(channel) ? value > high * 0.8 : value < high * 0.5);
        }
    }
}

TEST(SheetArt, tilingPieces_meetWithoutASeam) {
    // Frames, bars and sliders are laid side by side (or stacked): where two pieces meet, the
    // touching columns (rows) must match pixel for pixel. Runs of pieces, each ended by a 0.
    const std::vector<std::tuple<std::size_t, std::vector<int>, std::vector<int>>> cases{
        {Quake,
         {1, 2, 3, 0, 7, 8, 9, 0, 29, 30, 30, 31, 0, 128, 129, 129, 130, 0},
         {1, 4, 7, 0, 3, 6, 9, 0}},
        {Quake2,
         {1, 2, 3, 0, 4, 5, 6, 0, 18, 19, 20, 0, 24, 25, 26, 0},
         {1, 4, 7, 0, 2, 5, 8, 0, 18, 21, 24, 0, 20, 23, 26, 0}},
        {Hexen, {157, 158, 159, 0}, {3, 6, 9, 0}},
        {Q3White + 1,  // red
         {2,   3,   4,   0, 12,  14,  15,  0, 20,  21,  22,  0, 29,  30,  31,  0,
          139, 140, 141, 0, 145, 146, 147, 0, 128, 129, 130, 0, 157, 158, 159, 0},
         {23, 24, 25, 0, 12, 18, 20, 0, 15, 19, 22, 0, 139, 142, 145, 0, 141, 144, 147, 0}}};
    for (const auto& [index, across, down] : cases) {
        SCOPED_TRACE(builtInSheets()[index].path.toStdString());
        const QImage sheet = drawSheet(index);
        for (const bool d : {false, true}) {
            const auto& runs = d ? down : across;
            for (std::size_t i = 1; i < runs.size(); ++i) {
                if (runs[i - 1] != 0 && runs[i] != 0) {
                    EXPECT_EQ(cellOf(sheet, runs[i - 1])
                                  .copy(d ? 0 : 15, d ? 15 : 0, d ? 16 : 1, d ? 1 : 16),
                              cellOf(sheet, runs[i]).copy(0, 0, d ? 16 : 1, d ? 1 : 16))
                        << runs[i - 1] << (d ? "/" : "|") << runs[i];
                }
            }
        }
    }
}

TEST(SheetArt, jumpGateUnassignedCodes_showTheControlBox) {
    const QImage sheet = drawSheet(JumpGate);
    for (int code : {2, 9, 31, 127, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(cellOf(sheet, code), cellOf(sheet, 1)) << code;
    }
}

// The first and last rows of the cell that carry ink.
std::pair<int, int> inkRows(const Mask& m) {
    const auto inked = [](std::uint16_t row) { return row != 0; };
    const auto top = std::find_if(m.rows.begin(), m.rows.end(), inked) - m.rows.begin();
    const auto below = std::find_if(m.rows.rbegin(), m.rows.rend(), inked) - m.rows.rbegin();
    return {static_cast<int>(top), 15 - static_cast<int>(below)};
}

TEST(AccentedLetters, markAboveOrBelow_letterKeepsItsBaseline) {
    const std::vector<int> accented{0xC0, 0xC5, 0xC9, 0xCF, 0xD1, 0xD6, 0xDB, 0xDD, 0x8A,
                                    0x9F, 0xE0, 0xE9, 0xEE, 0xF5, 0xFC, 0xFF, 0x9E};
    const std::string base = "AAEINOUYSYaeiouyz";
    for (std::size_t i = 0; i < accented.size(); ++i) {
        const Mask a = cp1252Shape(accented[i]);
        const Mask b = cp1252Shape(base[i]);
        // The mark starts at the top and a clear row parts it from the letter.
        EXPECT_TRUE(inkRows(a).first <= 1 && (a.rows[2] == 0 || a.rows[3] == 0)) << accented[i];
        EXPECT_EQ(inkRows(a).second, inkRows(b).second) << accented[i];
        // Short letters stay whole under the mark.
        EXPECT_TRUE(inkRows(b).first < 4 || (a & b) == b) << accented[i];
    }
    // The cedilla hangs below instead.
    for (const auto& [accented, base] : {std::pair{0xC7, int{'C'}}, std::pair{0xE7, int{'c'}}}) {
        const Mask a = cp1252Shape(accented), b = cp1252Shape(base);
        EXPECT_TRUE((a & b) == b && inkRows(a).second > inkRows(b).second) << accented;
    }
}

}  // namespace
}  // namespace vtl::sheets
