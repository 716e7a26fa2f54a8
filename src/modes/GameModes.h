#pragma once

#include <QString>
#include <QStringList>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "modes/ColourList.h"

namespace vtl {

// The nine modes of the Game/Mode menu.
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
};

// The mode label of each switch.
inline constexpr char16_t kQuakeWorldLabel[] = u"Mode: Quake (1)/QuakeWorld";
inline constexpr char16_t kQuakeWorldModLabel[] = u"Mode: Quake (1)/QuakeWorld MOD";
inline constexpr char16_t kQuake2Label[] = u"Mode: Quake2 (ASCII Standard)";
inline constexpr char16_t kRivCtfLabel[] =
    u"Mode: Quake2 (Hexadecimal Standard) RivCTF & Viking Server MOD";
inline constexpr char16_t kQ3ALabel[] = u"Mode: Quake III: Arena";
inline constexpr char16_t kHexen2Label[] = u"Mode: Hexen II";
inline constexpr char16_t kHexen2ModLabel[] = u"Mode: Hexen II MOD";
inline constexpr char16_t kWolf3dLabel[] = u"Mode: Return to Castle Wolfenstein";
inline constexpr char16_t kJumpGateLabel[] = u"Mode: JumpGate Beta Support";

// The open dialog of the custom-picture modes.
inline constexpr char16_t kOpenDialogTitle[] = u"Open";
QStringList customSheetFilters();

// Runs the Game/Mode command of `mode`: sheet, table, label, menu states.
// A built-in sheet that can't be read is reported and replaced by a black one;
// the switch still happens.
void switchMode(WindowState& state, Desktop& desktop, const QString& appDir, GameMode mode);

}  // namespace vtl
