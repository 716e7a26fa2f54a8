#include <gtest/gtest.h>

#include <QByteArray>
#include <QRandomGenerator>

#include "colour/Gradient.h"
#include "modes/XonoticText.h"

namespace vtl {
namespace {

TEST(XonoticText, exactBytesOfGlyphsAndColours) {
    struct Row {
        const char* name;
        int code;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"ASCII", 'A', "A"},
        {"space", ' ', " "},
        {"dollar doubled", '$', "$$"},
        {"caret doubled", '^', "^^"},
        {"quote as its cell", '"', "\xEE\x80\xA2"},
        {"backslash as its cell", '\\', "\xEE\x81\x9C"},
        {"first Quake glyph", 0, "\xEE\x80\x80"},
        {"delete", 0x7F, "\xEE\x81\xBF"},
        {"gold A", 0xC1, "\xEE\x83\x81"},
        {"last Quake glyph", 0xFF, "\xEE\x83\xBF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(xonoticGlyphBytes(row.code), row.bytes);
    }
    // A whole name: colours, ASCII, a Quake glyph and a dollar.
    const CharTable table = xonoticTable();
    const std::vector<colour::ColouredGlyph> name = {
        {table['X'], "^xF80"}, {table[0x90], "^xF80"}, {table['$'], "^1"}, {table['5'], "^7"}};
    EXPECT_EQ(colour::writtenName(name, colour::kDarkPlacesColours),
              QByteArray("^xF80X\xEE\x82\x90^1$$^75"));
}

TEST(XonoticText, everyGlyphAndRandomGradientsReadBack) {
    const CharTable table = xonoticTable();
    QByteArray all;
    for (int code = 0; code < kCodeCount; ++code) {
        all += table[static_cast<std::size_t>(code)];
    }
    const XonoticName read = readXonoticName(all);
    ASSERT_TRUE(read.badBytes.isEmpty());
    ASSERT_EQ(read.glyphs.size(), static_cast<std::size_t>(kCodeCount));
    for (int code = 0; code < kCodeCount; ++code) {
        EXPECT_EQ(read.glyphs[static_cast<std::size_t>(code)].code, code);
    }

    QRandomGenerator random(22);
    const auto anyColour = [&] {
        const quint32 v = random.generate();
        return colour::Rgb{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                           static_cast<std::uint8_t>(v >> 16)};
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<colour::ColouredGlyph> name;
        std::vector<int> codes;
        for (int i = 0; i < 25; ++i) {
            codes.push_back(random.bounded(kCodeCount));
            name.push_back({table[static_cast<std::size_t>(codes.back())], "^7"});
        }
        const colour::GradientStops stops{anyColour(), std::nullopt, anyColour()};
        colour::applyGradient(name, {stops, random.bounded(25), 24, random.bounded(1, 4)},
                              colour::kDarkPlacesColours);
        const XonoticName back =
            readXonoticName(colour::writtenName(name, colour::kDarkPlacesColours));
        ASSERT_TRUE(back.badBytes.isEmpty()) << round;
        ASSERT_EQ(back.glyphs.size(), name.size()) << round;
        for (std::size_t i = 0; i < name.size(); ++i) {
            EXPECT_EQ(back.glyphs[i].code, codes[i]) << round << ' ' << i;
            if (colour::showsColour(name[i])) {
                EXPECT_EQ(colour::colourOfCode(colour::kDarkPlacesColours, back.glyphs[i].colour),
                          colour::colourOfCode(colour::kDarkPlacesColours, name[i].colour))
                    << round << ' ' << i;
            }
        }
    }
}

TEST(XonoticText, bytesNoGlyphIsWrittenAsAreReported) {
    // A lone `$` or `^` is itself; a raw Quake byte and other UTF-8 are not ours.
    const XonoticName read = readXonoticName("a$b^c\x90\xC3\xA9\n");
    EXPECT_EQ(read.glyphs.size(), 5u);
    EXPECT_EQ(read.badBytes, QByteArray("\x90\xC3\xA9\n"));
}

}  // namespace
}  // namespace vtl
