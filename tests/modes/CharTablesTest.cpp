#include <gtest/gtest.h>

#include "core/NameEditing.h"
#include "modes/CharTables.h"
#include "modes/TableRoutines.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) {
        b.append(static_cast<char>(v));
    }
    return b;
}

// Every code that isn't an exception maps to its own byte.
void expectRuleOutside(const CharTable& table, const std::map<int, QByteArray>& exceptions) {
    for (int c = 0; c < 256; ++c) {
        const auto it = exceptions.find(c);
        const QByteArray expected = it != exceptions.end() ? it->second : bytes({c});
        EXPECT_EQ(table[c], expected) << "code " << c;
    }
}

TEST(CharTables, byteTable_isTheByteRuleWithItsTenExceptionsAndATab) {
    expectRuleOutside(byteTable(), {
                                       {0, bytes({5})},
                                       {10, "\""},
                                       {13, bytes({14})},
                                       {26, bytes({0x9A})},
                                       {96, "'"},
                                       {127, bytes({0xA6})},
                                       {160, " "},
                                       {162, "\""},
                                       {254, bytes({0xA6})},
                                       {255, bytes({0xA0})},
                                   });
    EXPECT_EQ(byteTable()[9], bytes({9}));  // never a line feed: it would split the line
}

TEST(CharTables, hexTable_isTwoUppercaseDigitsForEveryCode) {
    const CharTable table = hexTable();
    const std::pair<int, const char*> rows[] = {{0, "00"},  {12, "0C"},  {13, "0D"}, {14, "0E"},
                                                {65, "41"}, {171, "AB"}, {255, "FF"}};
    for (const auto& [code, text] : rows) {
        EXPECT_EQ(table[code], QByteArray(text)) << code;
    }
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(table[c].toInt(nullptr, 16), c);
        EXPECT_EQ(table[c].size(), 2);
    }
}

TEST(CharTables, colourTable_hasNoQuoteColonUnderscoreOrBackquote) {
    std::map<int, QByteArray> exceptions;
    for (int c : {0, 5, 10, 12, 13, 22, 27, 58, 95, 132, 137, 138, 140, 155, 160, 255}) {
        exceptions[c] = " ";
    }
    exceptions[4] = bytes({3});
    exceptions[9] = "   ";
    exceptions[34] = "~";
    exceptions[96] = "'";
    const CharTable table = colourTable();
    expectRuleOutside(table, exceptions);
    for (const QByteArray& entry : table) {
        for (char forbidden : {'"', ':', '_', '`'}) {
            EXPECT_FALSE(entry.contains(forbidden));
        }
    }
}

struct RoutineTest : ::testing::Test {
    test::FakeDesktop desktop;
    WindowState state;

    void pick(int code) { pickGlyph(state, desktop, code); }
};

TEST_F(RoutineTest, plainRoutines_startANewNameInTheirFamily) {
    applyTableRoutine(state, TableRoutine::Hex);
    EXPECT_EQ(state.Family, GameFamily::Plain);
    EXPECT_EQ(state.commandLineBox, QStringLiteral("name \"\"u //VTL G2 v6.3"));
    pick(65);
    pick(66);
    EXPECT_EQ(composeCommandLine(state), QByteArrayLiteral("name \"4142\"u //VTL G2 v6.3"));

    applyTableRoutine(state, TableRoutine::Bytes);
    EXPECT_EQ(state.CursorPos, 1);
    EXPECT_EQ(state.rawNameBox, QString());
    EXPECT_EQ(state.commandLineBox, QStringLiteral("name \"\" //VTL G2 v6.3"));
    pick(128);
    pick(255);
    EXPECT_EQ(composeNameText(state), bytes({0x80, 0xA0}));
    EXPECT_EQ(state.rawNameBox, QString(QChar(0x20AC)) + QChar(0xA0));
}

TEST_F(RoutineTest, colourRoutine_writesWhiteBeforeTheFirstCharacter) {
    applyTableRoutine(state, TableRoutine::Bytes);
    pick(34);
    applyTableRoutine(state, TableRoutine::Colour);
    EXPECT_EQ(state.Family, GameFamily::Colour);
    EXPECT_EQ(state.commandLineBox, QStringLiteral("name \"^7\" //VTL G2 v6.3"));
    pick(65);
    pick(34);
    pick(65);
    EXPECT_EQ(composeCommandLine(state), QByteArrayLiteral("name \"^7A~A^7\" //VTL G2 v6.3"));

    // Back in a byte mode the colour code is no longer written.
    applyTableRoutine(state, TableRoutine::Bytes);
    pick(34);
    EXPECT_EQ(composeCommandLine(state), QByteArrayLiteral("name \"\"\" //VTL G2 v6.3"));
}

}  // namespace
}  // namespace vtl
