#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "check/CheckModes.h"
#include "check/NameCheck.h"
#include "core/NameEditing.h"
#include "modes/ColourList.h"
#include "modes/GameModes.h"
#include "modes/Quake3FamilyModes.h"
#include "reading/NameImport.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

// What holds for every row of the game table, whatever game it describes:
// a new row is checked here without a test of its own.
TEST(GameRows, everyRow_isReachableOnceAndConsistent) {
    std::set<QString> commands, labels, checkNames;
    std::set<int> places;
    std::set<GameMode> modes;
    for (const GameRow& row : kGames) {
        const QString label = QString::fromUtf16(row.label);
        SCOPED_TRACE(label.toStdString());
        EXPECT_TRUE(modes.insert(row.mode).second);
        EXPECT_EQ(&gameRow(row.mode), &row);
        EXPECT_TRUE(commands.insert(QString::fromLatin1(row.commandName)).second);
        EXPECT_TRUE(places.insert(row.menu.position).second);
        EXPECT_TRUE(labels.insert(label).second);
        EXPECT_TRUE(label.startsWith(u"Mode: "_s));
        EXPECT_EQ(row.menu.submenuName == nullptr, row.menu.submenuCaption == nullptr);
        if (row.checkName) {
            EXPECT_TRUE(checkNames.insert(QString::fromUtf16(row.checkName)).second);
            EXPECT_EQ(checkModeNamed(QString::fromUtf16(row.checkName).toUpper()), row.mode);
        }
        // Quick Save needs to know whose config it writes to.
        EXPECT_TRUE(!row.quickSave || row.config);
        EXPECT_EQ(row.charsetGame.has_value(), row.charsetKey != nullptr);
        // Config size limits are known for the classic engines only.
        if (!familyRow(row.mode)) {
            EXPECT_EQ(row.engines.empty(), row.configReaders.empty());
        }
        EXPECT_EQ(row.colours != nullptr, row.encoding == Encoding::ColourTable ||
                                              row.encoding == Encoding::Utf8ColourTable ||
                                              row.encoding == Encoding::XonoticText);
    }
    // A game the command line can't name is checked as a row it can.
    for (const GameRow& row : kGames) {
        if (!row.checkName) {
            const auto twin = std::find_if(kGames.begin(), kGames.end(), [&](const GameRow& r) {
                return r.checkName && std::ranges::equal(r.engines, row.engines) &&
                       r.encoding == row.encoding;
            });
            EXPECT_NE(twin, kGames.end()) << QString::fromUtf16(row.label).toStdString();
        }
    }
}

// Every row switched to, as it starts and with each colour of its set: a
// glyph written, read back and checked, so the row's encoding, colours and
// engines meet in one name. A colour's code picks its own list row back, in
// the import, in the check and in the sheet shown.
TEST(GameRows, everyRowAndColour_switchesWritesReadsBackAndChecks) {
    for (const GameRow& row : kGames) {
        const int choices = row.colours ? static_cast<int>(row.colours->choices.size()) : 0;
        for (int choice = -1; choice < choices; ++choice) {  // -1: no colour chosen
            const ColourChoice* colour =
                choice < 0 ? nullptr : &row.colours->choices[static_cast<std::size_t>(choice)];
            SCOPED_TRACE(QString::fromUtf16(colour ? colour->name : row.label).toStdString());
            test::AppFolder app;
            test::FakeDesktop desktop;
            desktop.openReplies.push_back(app.pathOf(BuiltInSheet::Q3Cyan));
            WindowState state;
            ASSERT_TRUE(switchMode(state, desktop, app.path(), row.mode));
            EXPECT_EQ(state.Mode, row.mode);
            EXPECT_EQ(currentColours(state), row.colours);
            EXPECT_EQ(state.colourListEnabled, row.colours != nullptr);
            EXPECT_EQ(state.quickSaveEnabled, row.quickSave);
            const QByteArray code = colour ? colour->code : "";
            if (colour) {
                EXPECT_EQ(row.colours->indexOf(static_cast<uchar>(code.back())), colour->index);
                EXPECT_EQ(row.colours->choiceWithCode(code), choice);
                const DecodedName back = decodeName(code + "A", state.Table, row.colours);
                ASSERT_EQ(back.glyphs.size(), 1u);
                EXPECT_EQ(back.glyphs[0].colourRow, choice);
                selectColour(state, desktop, app.path(), choice);
            }
            const auto sheet = colour ? std::optional(colour->sheet) : row.sheet;
            if (sheet && !familyRow(row.mode)) {  // those are tinted at run time
                EXPECT_EQ(state.sheetSource.pixel(0, 0), app.colourOf(*sheet));
            }
            pickGlyph(state, desktop, 'A');
            const DecodedName back = decodeName(composeNameText(state), state.Table, row.colours);
            ASSERT_EQ(back.glyphs.size(), 1u);
            EXPECT_EQ(back.glyphs[0].code, 'A');

            std::array<QByteArray, kNameLength> fragments;
            fragments[0] = state.cells[0].fragment;
            const TaggedLine line =
                tagPositions(row.mode, fragments, state.LinePrefix, state.LineSuffix);
            const CheckReport report = checkName(row.mode, line);
            EXPECT_EQ(report.checked, !row.engines.empty());
            EXPECT_EQ(report.engines.size(), static_cast<qsizetype>(row.engines.size()));
            const std::optional<TaggedLine> read =
                tagFileLine(row.mode, composeCommandLine(state) + "\r\n");
            ASSERT_TRUE(read);
            EXPECT_EQ(read->bytes.mid(read->valueBegin, read->valueEnd - read->valueBegin),
                      line.bytes.mid(line.valueBegin, line.valueEnd - line.valueBegin));
            if (!colour) {
                // A plain letter is fine everywhere; only Q2PRO joins the hex line's u
                // to the name, and Quake Live never says OK (a name line is not how it
                // sets a name).
                EXPECT_EQ(
                    report.problemCount(),
                    row.encoding == Encoding::HexPairs || row.mode == GameMode::QuakeLive ? 1 : 0);
                continue;
            }
            // Black shows as black only where the engine keeps it (see the check's tests).
            for (const EngineReport& engine : report.engines) {
                if (!engine.seen.empty() &&
                    !row.colours->meansBlack(static_cast<uchar>(code.back()))) {
                    EXPECT_EQ(engine.seen.back().colour, colour->index)
                        << engine.engine.toStdString();
                }
            }
        }
    }
}

}  // namespace
}  // namespace vtl
