#pragma once

#include <QByteArray>
#include <QString>

#include <array>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "sheets/SheetList.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kUnknownColourMessage = u"ERROR - An unknown error occured."_s;

struct Colour {
    const char16_t* name;  // the list's item text
    const char* code;      // written before the next character
    BuiltInSheet sheet;
};

// The colour list's rows, in list order.
inline constexpr std::array<Colour, 8> kColours{{
    {u"White", "^7", BuiltInSheet::Q3White},
    {u"Red", "^1", BuiltInSheet::Q3Red},
    {u"Black", "^^8", BuiltInSheet::Q3Black},
    {u"Magenta", "^6", BuiltInSheet::Q3Magenta},
    {u"Green", "^2", BuiltInSheet::Q3Green},
    {u"Yellow", "^3", BuiltInSheet::Q3Yellow},
    {u"Blue", "^4", BuiltInSheet::Q3Blue},
    {u"Cyan", "^5", BuiltInSheet::Q3Cyan},
}};

// The colour list's row that a colour code's last byte selects, as the colour
// games read it: the byte minus '0', modulo 8 (so `8` is black like `0`).
int colourRowOfCodeByte(char codeByte);
// The row of a code the list writes ("^1", "^^8"); White for an empty one.
int colourRowOfCode(const QByteArray& code);

// The row each position is drawn in, as its bytes say: colour codes change
// the colour of what follows, in the same and the later positions, and text
// before any code is white. Codes are read where the program writes them,
// inside a position's fragment. A position of codes alone keeps the colour.
std::array<int, kNameLength> writtenColourRows(const std::array<NameCell, kNameLength>& cells);
// The row in force after the first `count` positions: what a glyph placed
// after them is drawn in unless a code comes first.
int colourInForceAfter(const std::array<NameCell, kNameLength>& cells, int count);

// The game's own charset as the map shows it for a colour code ("^1"):
// tinted where the game tints text, else as it is.
QImage ownCharsetInColour(const WindowState& state, const QByteArray& colourCode);

// A click (or keyboard move) on row `index` of the colour list; -1 for none.
// The colour's code goes before the next character added, once.
void selectColour(WindowState& state, Desktop& desktop, const QString& appDir, int index);

}  // namespace vtl
