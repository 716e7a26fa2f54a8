#include <gtest/gtest.h>

#include <QByteArray>

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
        {"space", ' ', " "},
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

}  // namespace
}  // namespace vtl
