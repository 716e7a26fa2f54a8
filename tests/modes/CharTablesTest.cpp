#include <gtest/gtest.h>

#include <map>

#include "modes/CharTables.h"

namespace vtl {
namespace {

QByteArray byte(int value) {
    return QByteArray(1, static_cast<char>(value));
}

// Every code maps to its own byte but the listed exceptions.
void expectByteRuleExcept(const CharTable& table, const std::map<int, QByteArray>& exceptions) {
    for (int c = 0; c < 256; ++c) {
        const auto it = exceptions.find(c);
        EXPECT_EQ(table[c], it != exceptions.end() ? it->second : byte(c)) << "code " << c;
    }
}

TEST(CharTables, byteTable_isTheByteRuleWithItsTenExceptions_tabStaysATab) {
    // Code 9 is not among them: a line feed would end the console line mid-name.
    expectByteRuleExcept(byteTable(), {{0, byte(5)},
                                       {10, "\""},
                                       {13, byte(14)},
                                       {26, byte(0x9A)},
                                       {96, "'"},
                                       {127, byte(0xA6)},
                                       {160, " "},
                                       {162, "\""},
                                       {254, byte(0xA6)},
                                       {255, byte(0xA0)}});
}

TEST(CharTables, hexTable_isTwoUppercaseDigitsForEveryCode) {
    const CharTable table = hexTable();
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(table[c].size(), 2) << c;
        EXPECT_EQ(table[c].toInt(nullptr, 16), c);
        EXPECT_EQ(table[c], table[c].toUpper());
    }
}

// Quake III takes no quote, colon, underscore or backquote inside a name.
TEST(CharTables, colourTable_blanksWhatTheColourConsolesCannotTake) {
    std::map<int, QByteArray> exceptions{{4, byte(3)}, {9, "   "}, {34, "~"}, {96, "'"}};
    for (int c : {0, 5, 10, 12, 13, 22, 27, 58, 95, 132, 137, 138, 140, 155, 160, 255}) {
        exceptions[c] = " ";
    }
    expectByteRuleExcept(colourTable(), exceptions);
}

}  // namespace
}  // namespace vtl
