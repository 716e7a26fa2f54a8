#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>

#include <optional>
#include <span>

#include "colour/ColourSets.h"

namespace vtl {

// How a game reads a caret in a name: which character after `^` makes a
// colour code, and which colour of its table that character picks.
enum class ColourSyntax {
    UrbanTerror,  // ^0-^9; (c - '0') % 10
    OpenJK,       // ^0-^9; (c - '0') & 15
    Warfork,      // ^0-^9; ^^ shows one caret
    EtLegacy,     // ^ + any graphic ASCII or any byte >= 0x80; (c - '0') & 31; ^* the base colour
    QuakeLive,    // ^ + any character (what servers' name plugins assume); 8 colours
    DarkPlaces,   // ^0-^9 and ^xRGB; ^^ shows one caret
};

// The colours a game's colour list offers, in the game's own order (its
// table's order, black first): the game's palette (colour/ColourSets.h).
// Black is written ^0 in all of these games: none of their name cleaners
// drops it.
std::span<const colour::PaletteEntry> colourSet(ColourSyntax syntax);
const colour::ColourSet& paletteOf(ColourSyntax syntax);

// The code the list writes for a colour: a caret and the colour's character.
QByteArray colourCode(const colour::PaletteEntry& entry);

// The length of the colour code at `at` in `bytes` as the game reads it: 2 for
// a caret and a colour character, 5 for DarkPlaces' ^xRGB, 0 for anything
// else (also for Warfork's and DarkPlaces' ^^, which is text: see caretEscapeAt).
int colourCodeLength(ColourSyntax syntax, const QByteArray& bytes, qsizetype at);

// Warfork and DarkPlaces show ^^ as one caret; the other games have no escape.
bool caretEscapeAt(ColourSyntax syntax, const QByteArray& bytes, qsizetype at);

// The list row (the table index) a code's character picks by the game's own
// index rule; none for ET: Legacy's ^*, which returns to the base colour.
std::optional<int> colourRowOfCode(ColourSyntax syntax, char codeCharacter);

// The colour a code's character picks, by the game's own index rule; none for
// ET: Legacy's ^*, which returns to the text's base colour.
std::optional<QRgb> colourOfCode(ColourSyntax syntax, char codeCharacter);

// The glyphs of a white-on-black sheet (the built-in Quake III one) as white
// with alpha, so that they can be drawn in any colour of a game's table the
// way the game tints its charset: alpha is each pixel's brightest channel.
QImage glyphsOfWhiteSheet(const QImage& whiteOnBlack);

// The sheet as the map shows it in a colour of the game's table.
QImage sheetInColour(const QImage& glyphs, QRgb colour);

}  // namespace vtl
