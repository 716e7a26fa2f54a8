#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "modes/GameModes.h"

namespace vtl {

// The games the command line takes by name ("quakeworld", "quake2-hex", ...),
// in any letter case: each row's --check --mode name.
std::optional<GameMode> checkModeNamed(const QString& name);
QStringList checkModeNames();

// The game a config file is checked for without --mode: the one whose Quick
// Save target has that file name (any letter case); none for other files.
std::optional<GameMode> checkModeOfFile(const QString& fileName);
// "config.cfg means quakeworld and q3config.cfg quake3", for --help.
QString configFileModesText();

}  // namespace vtl
