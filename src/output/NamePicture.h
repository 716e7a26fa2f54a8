#pragma once

#include <QImage>

#include "core/WindowState.h"
#include "desktop/Desktop.h"

namespace vtl {

// What Copy Name as Picture puts on the clipboard.
inline constexpr PictureOptions kClipboardPicture{2, true};

// The name's glyphs at full size: positions 1 to the last one holding a
// glyph, 16 pixels each at scale 1, every pixel a scale x scale square. With
// a transparent background the strip's black becomes transparent. A name
// without glyphs gives a null picture.
QImage composeNamePicture(const WindowState& state, const PictureOptions& options);

// Export name as PNG: the options step, then the save dialog, then an atomic write.
void exportNameAsPng(const WindowState& state, Desktop& desktop);

// Copy Name as Picture: the picture at 2x, transparent, on the clipboard.
void copyNameAsPicture(const WindowState& state, Desktop& desktop);

}  // namespace vtl
