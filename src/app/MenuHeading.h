#pragma once

#include <QImage>

namespace vtl {

// The side panel's heading: "Menu" in glowing yellow italics on black,
// 136 x 31 pixels. Drawn from the glyph sheets' own pixel font, so it needs
// no font file and looks the same everywhere.
QImage menuHeading();

}  // namespace vtl
