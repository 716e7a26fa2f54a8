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

// The colour list's row a code picks ("^1", "^^8"), as the colour games read
// its last byte; the start colour's row for an empty code or one no row has.
// In the games with ^xRGB, such a code's row is kRgbRows + 0xRRGGBB.
int colourRowOfCode(const ColourSet& colours, const QByteArray& code);
inline constexpr int kRgbRows = 1 << 24;
// The colour of a row from kRgbRows on.
constexpr QRgb colourOfRgbRow(int row) {
    return qRgb((row >> 16) & 0xFF, (row >> 8) & 0xFF, row & 0xFF);
}

// The row each position is drawn in, as its bytes say: colour codes change
// the colour of what follows, in the same and the later positions, and text
// before any code has the start colour. Codes are read where the program
// writes them, inside a position's fragment. A position of codes alone keeps
// the colour.
std::array<int, kNameLength> writtenColourRows(const ColourSet& colours,
                                               const std::array<NameCell, kNameLength>& cells);
// The row in force after the first `count` positions: what a glyph placed
// after them is drawn in unless a code comes first.
int colourInForceAfter(const ColourSet& colours, const std::array<NameCell, kNameLength>& cells,
                       int count);

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
