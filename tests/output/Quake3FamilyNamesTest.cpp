#include <gtest/gtest.h>

#include <random>

#include "check/CheckModes.h"
#include "check/NameCheck.h"
#include "core/NameEditing.h"
#include "modes/ColourList.h"
#include "modes/GameModes.h"
#include "modes/Quake3FamilyModes.h"
#include "output/ScriptWriter.h"
#include "reading/NameImport.h"
#include "reading/NameLoading.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

constexpr GameMode kFamilyModes[] = {GameMode::UrbanTerror, GameMode::OpenJK,    GameMode::EtLegacy,
                                     GameMode::Warfork,     GameMode::QuakeLive, GameMode::Xonotic};

struct FamilyNames : ::testing::Test {
    test::AppFolder app;
    test::FakeDesktop desktop;

    WindowState fresh(GameMode mode) {
        WindowState state;
        switchMode(state, desktop, app.path(), mode);
        return state;
    }
    // The line's name loaded into `opened`, as Open Name does.
    void load(WindowState& opened, const QByteArray& line) {
        const FamilyRow* family = currentFamilyRow(opened);
        const DecodedName decoded = decodeName(findNameLines(line).value(0).name, opened.Table,
                                               currentColours(opened), family->syntax);
        ASSERT_TRUE(decoded.ok()) << line.toStdString();
        loadDecodedName(opened, decoded, colourSheetsOf(opened, app.path(), desktop));
    }
};

TEST_F(FamilyNames, eachMode_switchSetsItsListLabelAndTargets) {
    for (const GameMode mode : kFamilyModes) {
        const WindowState state = fresh(mode);
        const FamilyRow* family = currentFamilyRow(state);
        ASSERT_NE(family, nullptr) << state.modeLabel.toStdString();
        EXPECT_EQ(family->mode, mode);
        EXPECT_EQ(static_cast<qsizetype>(listedColours(state).choices.size()),
                  static_cast<qsizetype>(colourSet(family->syntax).size()));
        EXPECT_EQ(state.ColorPrefix, "^7");
        EXPECT_FALSE(state.tintGlyphs.isNull());
        EXPECT_EQ(state.quickSaveEnabled, mode != GameMode::QuakeLive);
        EXPECT_EQ(state.mapMarks.isNull(), !family->text);
        // --check knows the mode by its own name.
        EXPECT_EQ(checkModeNamed(QString::fromUtf16(gameRow(mode).checkName)), mode);
    }
    // Back in Quake III the list has its eight again.
    WindowState state = fresh(GameMode::EtLegacy);
    switchMode(state, desktop, app.path(), GameMode::Quake3Arena);
    EXPECT_EQ(static_cast<qsizetype>(listedColours(state).choices.size()), 8);
    EXPECT_TRUE(state.tintGlyphs.isNull());
}

TEST_F(FamilyNames, picksWriteTheGamesBytes_colourCodesAndUtf8) {
    WindowState state = fresh(GameMode::EtLegacy);
    selectColour(state, desktop, app.path(), 10);  // ^: light grey
    pickGlyph(state, desktop, 0xE9);               // é
    pickGlyph(state, desktop, 0xC9);               // É
    selectColour(state, desktop, app.path(), 0);   // black, as the game shows it
    pickGlyph(state, desktop, 'A');
    EXPECT_EQ(composeNameText(state), "^:\xC3\xA9\xC3\x89^0A");
    EXPECT_EQ(state.rawNameBox, u"^:éÉ^0A"_s);  // the boxes show the UTF-8 as text
    // The check says what the client does to É's second byte.
    std::array<QByteArray, kNameLength> fragments;
    for (int k = 0; k < kNameLength; ++k) {
        fragments[static_cast<size_t>(k)] = state.cells[static_cast<size_t>(k)].fragment;
    }
    const CheckReport report =
        checkName(GameMode::EtLegacy,
                  tagPositions(GameMode::EtLegacy, fragments, state.LinePrefix, state.LineSuffix));
    ASSERT_EQ(report.engines.size(), 1);
    ASSERT_FALSE(report.engines[0].findings.isEmpty());
    EXPECT_EQ(report.engines[0].findings[0].positions, QList<int>{2});

    WindowState urt = fresh(GameMode::UrbanTerror);
    selectColour(urt, desktop, app.path(), 9);
    pickGlyph(urt, desktop, 'x');
    EXPECT_EQ(composeNameText(urt), "^9x");
    // The map is drawn in the game's olive.
    EXPECT_EQ(urt.ColorPrefix, "^9");
}

// Every code in each new mode, with colours of the game's list now and then:
// written, read back and written again, the same bytes.
TEST_F(FamilyNames, everyCode_roundTripsThroughSaveAndOpen) {
    std::mt19937 random(21);
    for (const GameMode mode : kFamilyModes) {
        const WindowState start = fresh(mode);
        const FamilyRow* family = currentFamilyRow(start);
        const int colours = static_cast<int>(colourSet(family->syntax).size());
        for (int first = 0; first < kCodeCount; first += kNameLength) {
            WindowState state = start;
            for (int code = first; code < std::min(first + kNameLength, kCodeCount); ++code) {
                if (random() % 4 == 0) {
                    selectColour(state, desktop, app.path(), static_cast<int>(random()) % colours);
                }
                // A caret before another glyph is a colour code to the game, and the
                // Quake III table's three blanks of code 9 read back as three: 'A'
                // stands in for them.
                const bool apart = code == '^' || (code == 9 && !family->text);
                pickGlyph(state, desktop, apart ? 'A' : code);
            }
            const QByteArray line = ComposeScriptLine(state, scriptTrailer());
            SCOPED_TRACE(state.modeLabel.toStdString() + ": " + line.toStdString());
            WindowState opened = start;
            load(opened, line);
            EXPECT_EQ(ComposeScriptLine(opened, scriptTrailer()), line);
        }
    }
}

TEST_F(FamilyNames, pastedTextInATextGame_isTakenAsUtf8) {
    WindowState state = fresh(GameMode::Warfork);
    desktop.clipboardHolds = u"name \"Zoë^2x\""_s;
    ASSERT_TRUE(pasteName(state, desktop, colourSheetsOf(state, app.path(), desktop)));
    EXPECT_EQ(composeNameText(state), "Zo\xC3\xAB^2x");
}

}  // namespace
}  // namespace vtl
