#pragma once

#include <QPointF>

#include <array>
#include <cstdint>
#include <initializer_list>

#include "sheets/Font.h"

namespace vtl::sheets {

// The ink of one 16x16 cell. Anything drawn outside the cell is dropped.
struct Mask {
    std::array<std::uint16_t, 16> rows{};

    bool at(int x, int y) const {
        return x >= 0 && x < 16 && y >= 0 && y < 16 && ((rows[y] >> (15 - x)) & 1u) != 0;
    }
    void set(int x, int y) {
        if (x >= 0 && x < 16 && y >= 0 && y < 16) {
            rows[y] = static_cast<std::uint16_t>(rows[y] | (1u << (15 - x)));
        }
    }
    bool empty() const;

    Mask operator|(const Mask& other) const;
    Mask operator-(const Mask& other) const;
    Mask operator&(const Mask& other) const;
    bool operator==(const Mask&) const = default;
};

Mask shifted(const Mask& m, int dx, int dy);
Mask mirroredX(const Mask& m);
Mask mirroredY(const Mask& m);

// Shapes, in pixel coordinates of the cell; inclusive bounds for rectangles.
// Round and slanted shapes take the pixels whose centres fall inside.
Mask rect(int x0, int y0, int x1, int y1);
Mask disc(double cx, double cy, double r);
Mask ring(double cx, double cy, double inner, double outer);
Mask polygon(std::initializer_list<QPointF> points);

// Font glyphs at cell size: each pixel doubled, or doubled with the
// stair-steps of diagonals and corners filled in for a rounder letter.
Mask doubled(const Glyph8& g);
Mask smoothDoubled(const Glyph8& g);
// Upright strokes one pixel wider, for the heavier console faces.
Mask emboldened(const Mask& m);
// Small feet on upright strokes, for a carved, bookish face.
Mask serifed(const Mask& m);
// The ink moved sideways so it sits in the middle of the cell.
Mask centred(const Mask& m);

}  // namespace vtl::sheets
