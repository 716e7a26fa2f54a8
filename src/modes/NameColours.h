#pragma once

#include <QByteArray>

#include <array>
#include <span>
#include <vector>

#include "colour/Gradient.h"
#include "colour/GradientForm.h"
#include "core/WindowState.h"
#include "desktop/Desktop.h"

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

// The colours of the current game; none in games without colour codes.
const colour::ColourSet* colourSetOf(const WindowState& state);

// The colour list's last item in the games with `^xRGB` codes.
inline const QString kOtherColourItem = QStringLiteral("Other colour\u2026");

// "Other colour…": the standard colour dialog, opened on the colour of
// `current`; the code of the nearest colour the game has for the choice
// (`^xRGB`, or the short code that draws it exactly), none on cancel.
std::optional<QByteArray> chooseOtherColour(Desktop& desktop, const colour::ColourSet& set,
                                            const QByteArray& current);

// The glyph drawn in the colour a code gives: its light kept as coverage and
// tinted as the game tints text (black with a grey edge, as the map shows it).
QImage glyphInColour(const QImage& glyph, const colour::ColourSet& set, const QByteArray& code);

// Edit -> Colour Gradient…: the form for the name as it is (every position up
// to the last that holds something), with the game's byte limits; none
// outside the colour games or for an empty name.
std::optional<colour::GradientForm> gradientFormFor(const WindowState& state);

// The form's gradient put into the positions: codes rewritten as `recolour`
// does, and the pictures of the glyphs whose colour changed redrawn.
void applyGradientTo(WindowState& state, const colour::GradientForm& form);

}  // namespace vtl
