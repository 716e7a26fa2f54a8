#pragma once

#include <array>
#include <cstdint>

namespace vtl::sheets {

struct Mask;

// Eight rows of eight pixels; bit 7 of a row is its leftmost pixel.
using Glyph8 = std::array<std::uint8_t, 8>;

inline bool ink(const Glyph8& g, int x, int y) {
    return x >= 0 && x < 8 && y >= 0 && y < 8 && ((g[y] >> (7 - x)) & 1u) != 0;
}

// The house font lives in font.txt (a resource of this library): the glyphs
// drawn by hand, the accent marks, and which letters are a base plus a mark.

// The hand-drawn glyph for a Windows-1252 code, or nullptr when the font
// draws nothing of its own for it (accented letters are composed).
const Glyph8* fontGlyph(int code);

// The glyph for a Windows-1252 code at cell size (each pixel doubled), with
// accented letters built from their base letter and mark. Empty for codes the
// font doesn't draw.
Mask cp1252Shape(int code);

}  // namespace vtl::sheets
