#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <optional>

#include "AppFolder.h"
#include "modes/GameModes.h"
#include "modes/SheetLoader.h"
#include "name/NameEditing.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using test::AppFolder;
using test::FakeDesktop;

constexpr int kCodeA = 65;
const QByteArray kByteLineA = QByteArrayLiteral("name \"A\" //VTL G2 v6.3");
const QByteArray kHexLineA = QByteArrayLiteral("name \"41\"u //VTL G2 v6.3");
const QByteArray kColourLineA = QByteArrayLiteral("name \"^7A^7\" //VTL G2 v6.3");

struct SwitchCase {
    const char* name;
    GameMode mode;
    const char16_t* sheet;  // nullptr: the user's own picture
    GameFamily family;
    const char16_t* label;
    bool quickSave;
    bool colourList;
    std::optional<ConfigKind> setsConfig;  // nothing: left as it was
    QByteArray firstFragment;              // what code 65 writes first
    QByteArray lineWithA;
};

const SwitchCase kSwitches[] = {
    {"QuakeWorld", GameMode::QuakeWorld, kQuakeWorldSheet, GameFamily::Plain, kQuakeWorldLabel,
     true, false, ConfigKind::Q1Config, "A", kByteLineA},
    {"QuakeWorldMOD", GameMode::QuakeWorldMOD, nullptr, GameFamily::Plain, kQuakeWorldModLabel,
     false, false, std::nullopt, "A", kByteLineA},
    {"Quake2", GameMode::Quake2, kQuake2Sheet, GameFamily::Plain, kQuake2Label, false, false,
     std::nullopt, "A", kByteLineA},
    {"RivCTF", GameMode::RivCTFandVikingServerMOD, kQuake2Sheet, GameFamily::Plain, kRivCtfLabel,
     false, false, std::nullopt, "41", kHexLineA},
    {"Q3A", GameMode::Q3A, kQ3WhiteSheet, GameFamily::Colour, kQ3ALabel, true, true,
     ConfigKind::Q3Config, "^7A", kColourLineA},
    {"Hexen2", GameMode::Hexen2, kHexen2Sheet, GameFamily::Plain, kHexen2Label, false, false,
     std::nullopt, "A", kByteLineA},
    {"Hexen2MOD", GameMode::Hexen2MOD, nullptr, GameFamily::Plain, kHexen2ModLabel, false, false,
     std::nullopt, "A", kByteLineA},
    {"wolf3d", GameMode::wolf3d, kQ3WhiteSheet, GameFamily::Colour, kWolf3dLabel, false, true,
     std::nullopt, "^7A", kColourLineA},
    {"JumpGate", GameMode::JumpGate, kJumpGateSheet, GameFamily::Plain, kJumpGateLabel, false,
     false, std::nullopt, "A", kByteLineA},
};

bool nameIsEmpty(const WindowState& state) {
    for (const NameCell& cell : state.cells) {
        if (cell.fragment != " " || !cell.glyph.isNull()) {
            return false;
        }
    }
    return state.CursorPos == 1 && state.markerLeftTwips == 0 && state.rawNameBox.isEmpty();
}

// Every switch, entered from a Quake III name in red with the menus and list
// in the opposite state, and with either Quick Save target set before.
TEST(GameModes, eachSwitch_setsSheetTableLabelMenusAndConfig) {
    for (const SwitchCase& row : kSwitches) {
        for (ConfigKind before : {ConfigKind::Q1Config, ConfigKind::Q3Config}) {
            SCOPED_TRACE(testing::Message()
                         << row.name << " from ConfigKind " << static_cast<int>(before));
            AppFolder app;
            QTemporaryDir own;
            const QString ownPicture = own.path() + QStringLiteral("/mine.bmp");
            QImage mine(256, 256, QImage::Format_RGB32);
            mine.fill(qRgb(1, 2, 3));
            ASSERT_TRUE(mine.save(ownPicture, "BMP"));

            FakeDesktop desktop;
            WindowState state;
            switchMode(state, desktop, app.path(), GameMode::Q3A);
            selectColour(state, desktop, app.path(), 1);
            pickCode(state, desktop, kCodeA);
            state.colourListIndex = 1;
            state.Config = before;
            state.saveNameEnabled = false;
            state.quickSaveEnabled = !row.quickSave;
            state.colourListEnabled = !row.colourList;
            desktop.openReplies.push_back(ownPicture);

            switchMode(state, desktop, app.path(), row.mode);

            EXPECT_TRUE(desktop.messages.empty());
            EXPECT_EQ(desktop.openRequests.size(), row.sheet ? 0u : 1u);
            const QRgb sheetColour =
                row.sheet ? app.colourOf(QString::fromUtf16(row.sheet)) : mine.pixel(0, 0);
            EXPECT_EQ(state.sheetSource.pixel(0, 0), sheetColour);
            EXPECT_EQ(state.mapPicture, state.sheetSource);
            EXPECT_EQ(state.Family, row.family);
            EXPECT_EQ(state.modeLabel, QString::fromUtf16(row.label));
            EXPECT_TRUE(state.saveNameEnabled);
            EXPECT_EQ(state.quickSaveEnabled, row.quickSave);
            EXPECT_EQ(state.colourListEnabled, row.colourList);
            EXPECT_EQ(state.Config, row.setsConfig.value_or(before));
            EXPECT_EQ(state.colourListIndex, 1);
            EXPECT_TRUE(nameIsEmpty(state));
            if (row.family == GameFamily::Colour) {
                EXPECT_EQ(state.ColorPrefix, "^7");
                EXPECT_FALSE(state.ColorWritten);
            }

            pickCode(state, desktop, kCodeA);
            EXPECT_EQ(state.cells[0].fragment, row.firstFragment);
            EXPECT_EQ(state.cells[0].glyph.pixel(0, 0), sheetColour);
            EXPECT_EQ(composeCommandLine(state), row.lineWithA);
        }
    }
}

// A missing built-in sheet is reported by name; the mode still switches,
// with a black map.
TEST(GameModes, missingBuiltInSheet_namesFileAndSwitchesWithBlackSheet) {
    for (const SwitchCase& row : kSwitches) {
        if (!row.sheet) {
            continue;
        }
        SCOPED_TRACE(row.name);
        QTemporaryDir empty;
        FakeDesktop desktop;
        WindowState state;

        switchMode(state, desktop, empty.path(), row.mode);

        const QString path = empty.path() + QString::fromUtf16(row.sheet);
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_TRUE(desktop.messages[0].text.contains(path));
        EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("could not be read")));
        EXPECT_EQ(state.sheetSource.size(), QSize(256, 256));
        EXPECT_EQ(state.sheetSource.pixel(255, 255), qRgb(0, 0, 0));
        EXPECT_EQ(state.mapPicture, state.sheetSource);
        EXPECT_EQ(state.modeLabel, QString::fromUtf16(row.label));
        EXPECT_EQ(state.Family, row.family);
    }
}

TEST(GameModes, byteModeAfterColourMode_writesQuoteAndNoColourCode) {
    AppFolder app;
    FakeDesktop desktop;
    WindowState state;
    switchMode(state, desktop, app.path(), GameMode::Q3A);
    selectColour(state, desktop, app.path(), 1);
    switchMode(state, desktop, app.path(), GameMode::Quake2);

    pickCode(state, desktop, 34);
    pickCode(state, desktop, kCodeA);

    EXPECT_EQ(state.cells[0].fragment, "\"");
    EXPECT_EQ(state.cells[1].fragment, "A");
    EXPECT_EQ(composeCommandLine(state), "name \"\"A\" //VTL G2 v6.3");
}

}  // namespace
}  // namespace vtl
