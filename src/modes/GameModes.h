#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "modes/ColourList.h"
#include "modes/TableRoutines.h"
#include "sheets/SheetList.h"

namespace vtl {

using namespace Qt::StringLiterals;

// The modes of the Game/Mode menu: the nine the program always had, then
// the Quake III-family games played today.
enum class GameMode {
    QuakeWorld,
    QuakeWorldMod,
    Quake2,
    Quake2Hex,
    Quake3Arena,
    Hexen2,
    Hexen2Mod,
    Wolfenstein,
    JumpGate,
    UrbanTerror,
    OpenJK,
    EtLegacy,
    Warfork,
    QuakeLive,
};

// One row of the Game/Mode menu: everything a switch to the mode sets.
// Adding a mode is adding a row (and its menu command).
struct ModeRow {
    GameMode mode;
    std::optional<BuiltInSheet> sheet;  // none: the user picks a picture
    const char16_t* label;              // the mode label's caption
    TableRoutine routine;
    bool quickSave;                    // Quick Save enabled
    bool saveName;                     // Save Name enabled
    bool colourList;                   // the colour list enabled
    std::optional<ConfigKind> config;  // Quick Save's game; none: left as it was
};

// A hex-encoded Quake II name has no place in the Quake or Quake III config
// that Quick Save would otherwise still target, so that mode turns it off.
// A JumpGate name can be saved like any other.
inline constexpr std::array<ModeRow, 14> kModes{{
    {GameMode::QuakeWorld, BuiltInSheet::QuakeWorld, u"Mode: Quake (1)/QuakeWorld",
     TableRoutine::Bytes, true, true, false, ConfigKind::Q1Config},
    {GameMode::QuakeWorldMod, std::nullopt, u"Mode: Quake (1)/QuakeWorld MOD", TableRoutine::Bytes,
     false, true, false, std::nullopt},
    {GameMode::Quake2, BuiltInSheet::Quake2, u"Mode: Quake2 (ASCII Standard)", TableRoutine::Bytes,
     false, true, false, std::nullopt},
    {GameMode::Quake2Hex, BuiltInSheet::Quake2,
     u"Mode: Quake2 (Hexadecimal Standard) RivCTF & Viking Server MOD", TableRoutine::Hex, false,
     true, false, std::nullopt},
    {GameMode::Quake3Arena, BuiltInSheet::Q3White, u"Mode: Quake III: Arena", TableRoutine::Colour,
     true, true, true, ConfigKind::Q3Config},
    {GameMode::Hexen2, BuiltInSheet::Hexen2, u"Mode: Hexen II", TableRoutine::Bytes, false, true,
     false, std::nullopt},
    {GameMode::Hexen2Mod, std::nullopt, u"Mode: Hexen II MOD", TableRoutine::Bytes, false, true,
     false, std::nullopt},
    {GameMode::Wolfenstein, BuiltInSheet::Q3White, u"Mode: Return to Castle Wolfenstein",
     TableRoutine::Colour, false, true, true, std::nullopt},
    {GameMode::JumpGate, BuiltInSheet::JumpGate, u"Mode: JumpGate Beta Support",
     TableRoutine::Bytes, false, true, false, std::nullopt},
    // Their sheets are drawn at run time (modes/Quake3FamilyModes.cpp): the
    // white Quake III one, or the text games' fonts, in the game's colours.
    {GameMode::UrbanTerror, BuiltInSheet::Q3White, u"Mode: Urban Terror", TableRoutine::Colour,
     true, true, true, ConfigKind::UrbanTerror},
    {GameMode::OpenJK, BuiltInSheet::Q3White, u"Mode: Jedi Academy (OpenJK)", TableRoutine::Colour,
     true, true, true, ConfigKind::OpenJK},
    {GameMode::EtLegacy, BuiltInSheet::Q3White, u"Mode: Enemy Territory (ET: Legacy)",
     TableRoutine::Utf8Colour, true, true, true, ConfigKind::EtLegacy},
    {GameMode::Warfork, BuiltInSheet::Q3White, u"Mode: Warfork", TableRoutine::Utf8Colour, true,
     true, true, ConfigKind::Warfork},
    // Quake Live takes the name from Steam: nothing to quick-save into.
    {GameMode::QuakeLive, BuiltInSheet::Q3White, u"Mode: Quake Live (preview only)",
     TableRoutine::Colour, false, true, true, std::nullopt},
}};

const ModeRow& modeRow(GameMode mode);

// The open dialog of the custom-picture modes.
inline const QString kOpenDialogTitle = u"Open"_s;
QStringList customSheetFilters();

// Runs the Game/Mode command of `mode` (also start-up's way into Quake III:
// Arena): a new name in the mode's table, its sheet, label, menu states and
// Quick Save target, as its row says. A built-in sheet that can't be read is
// reported and replaced by a black one; the switch still happens. A mode with
// the user's picture turns Quick Save off, then asks for the picture; cancel or
// a picture that can't be read leaves everything else as it was.
void switchMode(WindowState& state, Desktop& desktop, const QString& appDir, GameMode mode);

}  // namespace vtl
