#pragma once

#include <QByteArray>

#include <optional>
#include <span>
#include <vector>

#include "colour/ColourSets.h"

namespace vtl::colour {

// A gradient's colours: start and end, and a middle one it passes through
// halfway when there is one.
struct GradientStops {
    Rgb start;
    std::optional<Rgb> middle;
    Rgb end;
};

// The colour a fraction `t` (0..1) along the gradient, blended in OKLab so the
// steps look even.
Rgb gradientAt(const GradientStops& stops, double t);

// One glyph of a coloured name: the bytes it is written as, and the code of
// the colour it is drawn in (empty: none given, the game's default).
struct ColouredGlyph {
    QByteArray text;
    QByteArray colour;
};

// A glyph made of blanks only looks the same in every colour, so it never
// needs a code of its own.
bool showsColour(const ColouredGlyph& glyph);

// Each glyph's bytes with the fewest codes: a glyph gets its colour's code
// only where that colour differs from the one in force before it (judged by
// what the codes draw, so `^1` after `^xF00` is not repeated). `inForce` is
// the code in force before the first glyph (empty: none yet, so the first
// glyph that shows colour always gets its code).
std::vector<QByteArray> fragmentsWithFewestCodes(std::span<const ColouredGlyph> glyphs,
                                                 const ColourSet& set,
                                                 const QByteArray& inForce = {});
// The same fragments joined.
QByteArray writtenName(std::span<const ColouredGlyph> glyphs, const ColourSet& set);

// What a gradient does: its colours, the glyphs it spans (indexes, first and
// last included) and every how many glyphs the colour changes (1: each glyph;
// 2 or 3 to save codes when the name would not fit otherwise).
struct GradientRequest {
    GradientStops stops;
    int first = 0;
    int last = 0;
    int step = 1;
};

// Gives the spanned glyphs that show colour the gradient's colours, spread
// evenly from the first to the last of them (blanks keep theirs). Each colour
// is the set's nearest: its own `^xRGB` in RGB games, else a palette entry.
void applyGradient(std::vector<ColouredGlyph>& glyphs, const GradientRequest& request,
                   const ColourSet& set);

// The steps offered when a name must fit a byte limit.
inline constexpr int kFitSteps[] = {1, 2, 3};

// Bytes of the name after the gradient with each step of kFitSteps, and the
// first step whose name fits `limit` bytes once `extraBytes` (what the line
// adds inside the name, e.g. a closing `^7`) are counted; none if no step fits.
struct FitReport {
    std::vector<int> bytesPerStep;  // one per kFitSteps entry
    std::optional<int> fittingStep;
};
FitReport fitToLimit(const std::vector<ColouredGlyph>& glyphs, GradientRequest request,
                     const ColourSet& set, int limit, int extraBytes);

}  // namespace vtl::colour
