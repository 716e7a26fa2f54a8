#include <gtest/gtest.h>

#include "check/CheckModes.h"
#include "check/NameCheck.h"
#include "core/NameEditing.h"
#include "modes/ColourList.h"
#include "modes/GameModes.h"
#include "modes/NameColours.h"
#include "modes/Quake3FamilyModes.h"
#include "output/ScriptWriter.h"
#include "reading/NameImport.h"
#include "reading/NameLoading.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

TEST(XonoticMode, nameWithAsciiQuakeGlyphsDollarAndRgbColours_exactBytes) {
    test::AppFolder app;
    test::FakeDesktop desktop;
    WindowState state;
    ASSERT_TRUE(switchMode(state, desktop, app.path(), GameMode::Xonotic));
    const auto otherColour = [&](QColor chosen) {
        desktop.colourReplies.push_back(chosen);
        selectColour(state, desktop, app.path(), 10);  // "Other colour…", after ^0-^9
    };
    otherColour(QColor(255, 136, 0));  // ^xF80
    pickGlyph(state, desktop, 'X');
    pickGlyph(state, desktop, 0x90);  // a Quake bracket: U+E090
    selectColour(state, desktop, app.path(), 1);
    pickGlyph(state, desktop, '$');
    otherColour(QColor(0, 0, 255));  // the palette's own blue: the short code
    pickGlyph(state, desktop, '5');
    pickGlyph(state, desktop, '"');  // would end the name: its Quake cell
    EXPECT_EQ(composeNameText(state), QByteArray("^xF80X\xEE\x82\x90^1$$^45\xEE\x80\xA2"));
    EXPECT_EQ(desktop.colourRequests.size(), 2u);

    const QByteArray line = ComposeScriptLine(state, scriptTrailer());
    EXPECT_TRUE(line.startsWith("name \"^xF80X")) << line.toStdString();
    // Read back as Open Name reads it, and written again.
    WindowState opened;
    switchMode(opened, desktop, app.path(), GameMode::Xonotic);
    const DecodedName decoded = decodeName(findNameLines(line).value(0).name, opened.Table,
                                           currentColours(opened), ColourSyntax::DarkPlaces);
    ASSERT_TRUE(decoded.ok());
    loadDecodedName(opened, decoded, colourSheetsOf(opened, app.path(), desktop));
    EXPECT_EQ(ComposeScriptLine(opened, scriptTrailer()), line);
    // Both of Xonotic's engines check it.
    std::array<QByteArray, kNameLength> fragments;
    for (std::size_t k = 0; k < fragments.size(); ++k) {
        fragments[k] = state.cells[k].fragment;
    }
    const CheckReport report =
        checkName(GameMode::Xonotic,
                  tagPositions(GameMode::Xonotic, fragments, state.LinePrefix, state.LineSuffix));
    EXPECT_EQ(report.engines.size(), 2);
}

TEST(ColourGradient, everyColourGame_offersIt_withItsOwnPaletteAndLimit) {
    test::AppFolder app;
    test::FakeDesktop desktop;
    for (const GameRow& row : kGames) {
        SCOPED_TRACE(QString::fromUtf16(row.label).toStdString());
        WindowState state;
        if (!row.sheet || !switchMode(state, desktop, app.path(), row.mode)) {
            continue;  // the user's picture
        }
        pickGlyph(state, desktop, 'A');
        const std::optional<colour::GradientForm> form = gradientFormFor(state);
        ASSERT_EQ(form.has_value(), row.colours != nullptr);
        if (form) {
            EXPECT_EQ(form->limitLines().size(), 1);
            EXPECT_EQ(form->limitLines()[0].contains(u"127"), row.mode == GameMode::Xonotic);
        }
    }
}

TEST(XonoticConfig, theGamesOwnConfigLine_isANameLine) {
    // config.cfg as the game writes it on exit.
    const QList<NameLine> lines = findNameLines("\"_cl_name\" \"^xF80X$$\"\n_cl_name \"B\"\n");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].name, "^xF80X$$");
    EXPECT_EQ(lines[1].name, "B");
    // Quick Save's autoexec.cfg is every Quake engine's: --check asks for --mode.
    EXPECT_EQ(checkModeOfFile(u"autoexec.cfg"_s), std::nullopt);
    EXPECT_EQ(checkModeOfFile(u"etconfig.cfg"_s), GameMode::EtLegacy);
}

}  // namespace
}  // namespace vtl
