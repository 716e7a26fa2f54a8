#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "check/NameCheck.h"
#include "modes/GameModes.h"

namespace vtl {

// The game a program mode's line is checked for.
CheckMode checkModeOf(GameMode mode);
// The mode the window is in, read from its mode label (each switch sets its
// own, and a cancelled switch leaves the old one); none before the first.
std::optional<CheckMode> checkModeOfLabel(const QString& modeLabel);

// The names the command line takes ("quakeworld", "quake2-hex", ...), in
// any letter case.
std::optional<CheckMode> checkModeNamed(const QString& name);
QString checkModeName(CheckMode mode);
QStringList checkModeNames();

}  // namespace vtl
