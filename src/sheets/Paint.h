#pragma once

#include <QImage>
#include <QRgb>

#include <vector>

#include "sheets/Mask.h"

namespace vtl::sheets {

// The tones one piece of art is painted in, lightest first; `shadow` is
// the drop shadow the looks that have one cast down and to the right.
struct Ramp {
    QRgb hi;
    QRgb light;
    QRgb mid;
    QRgb dark;
    QRgb shadow;
};

// The same ramp at `factor` of its brightness.
Ramp dimmed(const Ramp& r, double factor);

// How each game's console shades its ink. Quake3Outline is for ink too dark
// to see on black: its ramp's `dark` is a lighter edge drawn all round.
enum class Look { Quake, Quake2, Hexen, JumpGate, Quake3, Quake3Outline };

// One colour of ink in a cell. A tiling layer runs on into the next cell
// (frames, bars), so its cut edges are not shaded and it casts no shadow.
struct Layer {
    Mask mask;
    Ramp ramp;
    bool tiles = false;
};
using Cell = std::vector<Layer>;

// Paints cell `code` of a 256x256 sheet; later layers cover earlier ones.
void paintCell(QImage& sheet, int code, const Cell& cell, Look look);

}  // namespace vtl::sheets
