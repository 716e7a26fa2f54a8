#pragma once

#include <array>
#include <cstdint>

namespace vtl::sheets {

// Eight rows of eight pixels; bit 7 of a row is its leftmost pixel.
using Glyph8 = std::array<std::uint8_t, 8>;

// Code point of the dotless i, the base the accented i's are built on.
inline constexpr int kDotlessI = 0x131;

// The hand-drawn glyph for a Windows-1252 code (or kDotlessI), or nullptr
// when the font draws nothing of its own for it (accented letters are
// composed elsewhere).
const Glyph8* fontGlyph(int code);

}  // namespace vtl::sheets
