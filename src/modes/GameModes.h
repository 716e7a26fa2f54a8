#pragma once

#include <QString>

#include "desktop/Desktop.h"
#include "name/WindowState.h"

namespace vtl {

// The nine modes of the Game/Mode menu, named after their commands.
enum class GameMode {
    QuakeWorld,
    QuakeWorldMOD,
    Quake2,
    RivCTFandVikingServerMOD,
    Q3A,
    Hexen2,
    Hexen2MOD,
    wolf3d,
    JumpGate,
};

// Runs the Game/Mode command of `mode`: sheet, table, label, menu states.
void switchMode(WindowState& state, Desktop& desktop, const QString& appDir, GameMode mode);

// A click (or keyboard move) on row `index` of the colour list; -1 for none.
void selectColour(WindowState& state, Desktop& desktop, const QString& appDir, int index);

}  // namespace vtl
