#pragma once

#include <QByteArray>
#include <QString>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "modes/ColourSet.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kUnknownColourMessage = u"ERROR - An unknown error occured."_s;

// The colours the colour list offers: the current game's, or Quake III's
// (the list's own) in games without colour codes, where it is disabled.
const ColourSet& listedColours(const WindowState& state);

// The game's own charset as the map shows it for a colour code ("^1"):
// tinted where the game tints text, else as it is.
QImage ownCharsetInColour(const WindowState& state, const QByteArray& colourCode);

// The sheet glyphs in `colour` are copied from: the game's own charset in
// that colour while one is in use, else the colour's built-in sheet (one
// that can't be read is reported and drawn black).
QImage colourSheet(const WindowState& state, Desktop& desktop, const QString& appDir,
                   const ColourChoice& colour);

// A click (or keyboard move) on row `index` of the colour list; -1 for none.
// The colour's code goes before the next character added, once.
void selectColour(WindowState& state, Desktop& desktop, const QString& appDir, int index);

}  // namespace vtl
