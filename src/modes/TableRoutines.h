#pragma once

#include <QString>

#include "core/WindowState.h"
#include "desktop/Desktop.h"

namespace vtl {

// The three table routines. Each starts a new name and sets the family, the
// console-line framing, the colour list's state and the character table.
void QuakeEngineMODE(WindowState& state);
void Q2Mode(WindowState& state);
// Also loads the white Quake III sheet into the glyph source (not shown yet:
// the caller shows it) and resets the colour to white.
void Q3Mode(WindowState& state, Desktop& desktop, const QString& appDir);

}  // namespace vtl
