#pragma once

#include <QImage>

#include <initializer_list>

#include "charset/Formats.h"

namespace vtl::charset {

inline constexpr int kSheetSide = 256;  // the program's sheet: 16 x 16 cells of 16 x 16 pixels
// Black text gets this grey edge so that it shows on the black map.
inline constexpr QRgb kBlackTextOutline = qRgb(110, 110, 110);

// An 8-bit charset of 16 x 16 glyphs (glyph n at column n % 16, row n / 16)
// as the program's sheet: each glyph pixel repeated (an 8 x 8 glyph is
// doubled, without smoothing), coloured by the palette, the transparent
// indices black.
QImage sheetFromIndexed(const IndexedPicture& charset, const Palette& palette,
                        std::initializer_list<int> transparent);

// A truecolour charset of 16 x 16 glyphs brought to the sheet's size; the
// glyphs keep their alpha for tinting.
QImage glyphSheetFromPicture(const QImage& picture);

// OpenJK's console charset (gfx/2d/charsgrid_med): a 16 x 16 grid whose
// glyphs fill only the left half of each cell, drawn 8 wide and 16 high as
// the console does, centred in the sheet's cells; alpha kept for tinting.
QImage glyphSheetFromLeftHalves(const QImage& picture);

// White-with-alpha glyphs drawn on black in `colour` as the game draws text:
// each pixel multiplied by the colour and blended by its alpha. Black text,
// which would vanish, is drawn with a grey edge round each glyph.
QImage tintedSheet(const QImage& glyphs, QRgb colour);

}  // namespace vtl::charset
