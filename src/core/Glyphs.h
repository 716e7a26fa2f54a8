#pragma once

#include <QColor>
#include <QImage>

#include "core/WindowState.h"

namespace vtl {

// The 16x16 block of `sheet` whose top-left corner is `origin`. Parts outside
// the picture come out black, so a sheet of any size is safe to read.
QImage glyphFromSheet(const QImage& sheet, QPoint origin);

// The same block doubled to 32x32, each pixel a 2x2 square.
QImage enlargedGlyph(const QImage& glyph);

// A black picture of the sheet's size (256x256) for when a sheet can't be read.
QImage blankSheet();

// What the name strip shows: glyph k at x = 16 * (k - 1) on black, the slot
// row below in `slotColour` and the red cursor marker over it.
QImage renderNameStrip(const WindowState& state, QColor slotColour);

}  // namespace vtl
