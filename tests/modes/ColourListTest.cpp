#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <vector>

#include "AppFolder.h"
#include "modes/ColourList.h"
#include "modes/GameModes.h"
#include "name/NameEditing.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using test::AppFolder;
using test::FakeDesktop;

enum Row { White, Red, Black, Magenta, Green, Yellow, Blue, Cyan };

// One user action: choose a list row, add a character, or switch mode.
struct Step {
    enum Kind { Choose, Add, Switch } kind;
    int value;
};
Step choose(int row) {
    return {Step::Choose, row};
}
Step add(char c) {
    return {Step::Add, c};
}
Step switchTo(GameMode mode) {
    return {Step::Switch, static_cast<int>(mode)};
}

struct Sequence {
    const char* name;
    std::vector<Step> steps;
    std::vector<QByteArray> fragments;  // positions 1.. in order
    QByteArray line;
    int sheetRow;  // the colour whose sheet is shown at the end
    int errorMessages;
};

const std::vector<Sequence> kSequences = {
    {"redAB_thenBlueC",
     {choose(Red), add('A'), add('B'), choose(Blue), add('C')},
     {"^1A", "B", "^4C"},
     "name \"^1AB^4C^7\" //VTL G2 v6.3",
     Blue,
     0},
    {"black", {choose(Black), add('A')}, {"^^8A"}, "name \"^^8A^7\" //VTL G2 v6.3", Black, 0},
    {"twoColoursBeforeACharacter",
     {choose(Red), choose(Green), add('A')},
     {"^2A"},
     "name \"^2A^7\" //VTL G2 v6.3",
     Green,
     0},
    {"currentColourChosenAgain",
     {choose(Red), add('A'), choose(Red), add('B')},
     {"^1A", "^1B"},
     "name \"^1A^1B^7\" //VTL G2 v6.3",
     Red,
     0},
    {"colourWithNothingAdded", {choose(Cyan)}, {}, "name \"^7\" //VTL G2 v6.3", Cyan, 0},
    {"switchResetsToWhite",
     {choose(Magenta), switchTo(GameMode::wolf3d), add('A')},
     {"^7A"},
     "name \"^7A^7\" //VTL G2 v6.3",
     White,
     0},
    {"noRowAfterAColour_rewritesTheCurrentCode",
     {choose(Red), add('A'), choose(-1), add('B')},
     {"^1A", "^1B"},
     "name \"^1A^1B^7\" //VTL G2 v6.3",
     Red,
     1},
    {"rowPastTheEnd_keepsWhite",
     {choose(8), add('A')},
     {"^7A"},
     "name \"^7A^7\" //VTL G2 v6.3",
     White,
     1},
};

TEST(ColourList, sequences_writeEachCodeOnceBeforeItsFirstCharacter) {
    for (const Sequence& row : kSequences) {
        SCOPED_TRACE(row.name);
        AppFolder app;
        FakeDesktop desktop;
        WindowState state;
        switchMode(state, desktop, app.path(), GameMode::Q3A);
        // The sheet each placed glyph was copied from, to check it keeps its colour.
        std::vector<QRgb> glyphColours;

        for (const Step& step : row.steps) {
            switch (step.kind) {
                case Step::Choose:
                    selectColour(state, desktop, app.path(), step.value);
                    break;
                case Step::Add:
                    glyphColours.push_back(state.sheetSource.pixel(0, 0));
                    pickCode(state, desktop, step.value);
                    break;
                case Step::Switch:
                    switchMode(state, desktop, app.path(), static_cast<GameMode>(step.value));
                    break;
            }
        }

        for (std::size_t k = 0; k < row.fragments.size(); ++k) {
            EXPECT_EQ(state.cells[k].fragment, row.fragments[k]) << "position " << k + 1;
            EXPECT_EQ(state.cells[k].glyph.pixel(0, 0), glyphColours[k]) << "position " << k + 1;
        }
        EXPECT_EQ(state.cells[row.fragments.size()].fragment, " ");
        EXPECT_EQ(composeCommandLine(state), row.line);
        EXPECT_EQ(state.sheetSource.pixel(0, 0),
                  app.colourOf(QString::fromUtf16(kColours[row.sheetRow].sheet)));
        EXPECT_EQ(state.mapPicture, state.sheetSource);
        EXPECT_EQ(desktop.messages.size(), static_cast<std::size_t>(row.errorMessages));
    }
}

TEST(ColourList, rowOutOfRange_showsExactMessageKeepsColourAndReshowsSheet) {
    for (int index : {-1, 8, 1000}) {
        SCOPED_TRACE(index);
        AppFolder app;
        FakeDesktop desktop;
        WindowState state;
        switchMode(state, desktop, app.path(), GameMode::Q3A);
        selectColour(state, desktop, app.path(), Yellow);
        pickCode(state, desktop, 'A');
        const QImage yellowSheet = state.sheetSource;
        state.mapPicture = QImage();

        selectColour(state, desktop, app.path(), index);

        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text, QStringLiteral("ERROR - An unknown error occured."));
        EXPECT_TRUE(desktop.messages[0].title.isEmpty());
        EXPECT_EQ(desktop.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(state.ColorPrefix, "^3");
        EXPECT_FALSE(state.ColorWritten);
        EXPECT_EQ(state.sheetSource, yellowSheet);
        EXPECT_EQ(state.mapPicture, yellowSheet);
    }
}

TEST(ColourList, colourModeSwitch_resetsToWhiteButListKeepsItsRow) {
    for (GameMode mode : {GameMode::Q3A, GameMode::wolf3d}) {
        AppFolder app;
        FakeDesktop desktop;
        WindowState state;
        switchMode(state, desktop, app.path(), GameMode::Q3A);
        state.colourListIndex = Blue;
        selectColour(state, desktop, app.path(), Blue);

        switchMode(state, desktop, app.path(), mode);

        EXPECT_EQ(state.colourListIndex, Blue);
        EXPECT_EQ(state.ColorPrefix, "^7");
        EXPECT_FALSE(state.ColorWritten);
        EXPECT_EQ(state.sheetSource.pixel(0, 0), app.colourOf(QString::fromUtf16(kQ3WhiteSheet)));
        EXPECT_EQ(state.mapPicture, state.sheetSource);
    }
}

TEST(ColourList, missingColourSheet_namesFileShowsBlackAndStillTakesTheColour) {
    AppFolder app;
    FakeDesktop desktop;
    WindowState state;
    switchMode(state, desktop, app.path(), GameMode::Q3A);
    const QString redSheet = app.path() + QString::fromUtf16(kColours[Red].sheet);
    ASSERT_TRUE(QFile::remove(redSheet));

    selectColour(state, desktop, app.path(), Red);
    pickCode(state, desktop, 'A');

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains(redSheet));
    EXPECT_EQ(state.mapPicture.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(state.cells[0].fragment, "^1A");
}

}  // namespace
}  // namespace vtl
