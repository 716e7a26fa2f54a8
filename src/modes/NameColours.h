#pragma once

#include <QByteArray>

#include <array>
#include <span>
#include <vector>

#include "colour/Gradient.h"
#include "core/WindowState.h"

namespace vtl {

// Every placed glyph's colour, read from the bytes that will be written, so
// what is drawn and what the game gets cannot differ: each position's text
// (its fragment without the colour codes in front) and the code in force
// there (empty before the first code).
std::vector<colour::ColouredGlyph> glyphColours(const std::array<NameCell, kNameLength>& cells,
                                                const colour::ColourSet& set);

// Gives positions first..last (1-based, both included) the colours
// `colours[0..]` and rewrites only the codes that needs: the span gets the
// fewest codes after the colour in force before it, and the first glyph after
// the span gets its own colour's code back if the colour before it changed.
// Blanks have no colour of their own. Returns the positions whose drawn colour
// changed, for their pictures to be redrawn.
std::vector<int> recolour(std::array<NameCell, kNameLength>& cells, const colour::ColourSet& set,
                          int first, int last, std::span<const QByteArray> colours);

}  // namespace vtl
