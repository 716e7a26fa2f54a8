#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "core/NameEditing.h"
#include "modes/CharTables.h"
#include "modes/ColourList.h"
#include "modes/GameModes.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Tag.h"

namespace vtl {
namespace {

using test::AppFolder;
using test::FakeDesktop;

const QByteArray kPlainLine = "name \"A\"\"" + test::kTag;  // after codes 65 and 34
const QByteArray kColourLine = "name \"^7A~^7\"" + test::kTag;
struct SwitchCase {
    GameMode mode;
    const char16_t* sheet;  // nullptr: the user's own picture
    const char16_t* label;
    bool quickSave;
    bool colourList;
    std::optional<ConfigKind> setsConfig;  // nothing: left as it was
    QByteArray lineAfterAThenQuote;
};

const SwitchCase kSwitches[] = {
    {GameMode::QuakeWorld, u"/qw/quakeworld.gif", u"Mode: Quake (1)/QuakeWorld", true, false,
     ConfigKind::Q1Config, kPlainLine},
    {GameMode::QuakeWorldMod, nullptr, u"Mode: Quake (1)/QuakeWorld MOD", false, false,
     std::nullopt, kPlainLine},
    {GameMode::Quake2, u"/q2/quake2.gif", u"Mode: Quake2 (ASCII Standard)", false, false,
     std::nullopt, kPlainLine},
    {GameMode::Quake2Hex, u"/q2/quake2.gif",
     u"Mode: Quake2 (Hexadecimal Standard) RivCTF & Viking Server MOD", false, false, std::nullopt,
     "name \"4122\"u" + test::kTag},
    {GameMode::Quake3Arena, u"/q3a/q3-white.gif", u"Mode: Quake III: Arena", true, true,
     ConfigKind::Q3Config, kColourLine},
    {GameMode::Hexen2, u"/hex/hexen.gif", u"Mode: Hexen II", false, false, std::nullopt,
     kPlainLine},
    {GameMode::Hexen2Mod, nullptr, u"Mode: Hexen II MOD", false, false, std::nullopt, kPlainLine},
    {GameMode::Wolfenstein, u"/q3a/q3-white.gif", u"Mode: Return to Castle Wolfenstein", false,
     true, std::nullopt, kColourLine},
    {GameMode::JumpGate, u"/jumpgate/jumpgate.gif", u"Mode: JumpGate Beta Support", false, false,
     std::nullopt, kPlainLine},
};

// Every switch, entered from a Quake III name in red with the menus and list
// in the opposite state, and with either Quick Save target set before.
TEST(GameModes, eachSwitch_setsSheetTableLabelMenusAndConfig_andStartsANewName) {
    for (const SwitchCase& row : kSwitches) {
        for (ConfigKind before : {ConfigKind::Q1Config, ConfigKind::Q3Config}) {
            SCOPED_TRACE(QString::fromUtf16(row.label).toStdString() + char('0' + int(before)));
            AppFolder app;
            FakeDesktop desktop;
            // The user's own picture: a sheet that this flow loads no other way.
            const char16_t* sheet = row.sheet ? row.sheet : u"/q3a/q3-cyan.gif";
            desktop.openReplies.push_back(app.path() + QStringLiteral("/q3a/q3-cyan.gif"));
            WindowState state;
            switchMode(state, desktop, app.path(), GameMode::Quake3Arena);
            selectColour(state, desktop, app.path(), 1);  // red
            pickGlyph(state, desktop, 'A');
            state.colourListIndex = 1;
            state.Config = before;
            state.saveNameEnabled = false;
            state.quickSaveEnabled = !row.quickSave;
            state.colourListEnabled = !row.colourList;

            switchMode(state, desktop, app.path(), row.mode);

            EXPECT_TRUE(desktop.messages.empty());
            EXPECT_EQ(desktop.openRequests.size(), row.sheet ? 0u : 1u);
            EXPECT_EQ(state.sheetSource.pixel(0, 0), app.colourOf(sheet));
            EXPECT_EQ(state.mapPicture, state.sheetSource);
            EXPECT_EQ(state.modeLabel, QString::fromUtf16(row.label));
            EXPECT_TRUE(state.saveNameEnabled);
            EXPECT_EQ(state.quickSaveEnabled, row.quickSave);
            EXPECT_EQ(state.colourListEnabled, row.colourList);
            EXPECT_EQ(state.Config, row.setsConfig.value_or(before));
            EXPECT_TRUE(state.rawNameBox.isEmpty() && markerLeftTwips(state) == 0);
            EXPECT_FALSE(state.commandLineBox.contains(u'A'));  // the old name is gone from it too

            pickGlyph(state, desktop, 'A');
            pickGlyph(state, desktop, '"');
            EXPECT_EQ(state.cells[0].glyph.pixel(0, 0), app.colourOf(sheet));
            EXPECT_EQ(composeCommandLine(state), row.lineAfterAThenQuote);
        }
    }
}

// Steps, by blanks: "#n" chooses row n of the colour list (1 red, 2 black,
// 4 green, 5 yellow, 6 blue), anything else adds that character.
TEST(ColourList, sequences_writeEachCodeOnceBeforeItsFirstCharacter) {
    const struct {
        const char* steps;
        QByteArray line;
        const char16_t* sheet;  // shown at the end
        int unknownColourMessages;
    } sequences[] = {
        // Choosing the same colour again writes its code again.
        {"#1 A B #6 C #6 D", "name \"^1AB^4C^4D^7\"" + test::kTag, u"/q3a/q3-blue.gif", 0},
        {"#1 #4 #2 A", "name \"^^8A^7\"" + test::kTag, u"/q3a/q3-black.gif", 0},
        // Out of range: the colour and its sheet stay, and its code is written again.
        {"#8 A #5 B #-1 C #1000 D", "name \"^7A^3B^3C^3D^7\"" + test::kTag, u"/q3a/q3-yellow.gif",
         3},
    };
    for (const auto& row : sequences) {
        SCOPED_TRACE(row.steps);
        AppFolder app;
        FakeDesktop desktop;
        WindowState state;
        switchMode(state, desktop, app.path(), GameMode::Quake3Arena);
        for (const QString& step : QString::fromLatin1(row.steps).split(u' ')) {
            if (step.size() == 1) {
                pickGlyph(state, desktop, step[0].unicode());
            } else {
                state.mapPicture = QImage();
                selectColour(state, desktop, app.path(), step.mid(1).toInt());
            }
        }
        EXPECT_EQ(composeCommandLine(state), row.line);
        EXPECT_EQ(state.sheetSource.pixel(0, 0), app.colourOf(row.sheet));
        EXPECT_EQ(state.mapPicture, state.sheetSource);
        EXPECT_EQ(desktop.messageTexts(),
                  QStringList(row.unknownColourMessages,
                              QStringLiteral("ERROR - An unknown error occured.")));
    }
}

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
    const std::map<int, QByteArray> exceptions{
        {0, byte(5)},      {10, "\""}, {13, byte(14)}, {26, byte(0x9A)},  {96, "'"},
        {127, byte(0xA6)}, {160, " "}, {162, "\""},    {254, byte(0xA6)}, {255, byte(0xA0)}};
    expectByteRuleExcept(byteTable(), exceptions);
}

TEST(CharTables, hexTable_isTwoUppercaseDigitsForEveryCode) {
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(hexTable()[c], QByteArray::number(c + 256, 16).toUpper().mid(1)) << c;
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
