#pragma once

#include <QImage>

namespace vtl::sheets {

// The main window's side-panel heading: "Menu" in glowing yellow italics on
// black, 136 x 31 pixels. Drawn from the sheets' own pixel font at build time
// (vtl_make_sheets --menu-heading), so the program needs no font for it and it
// looks the same everywhere.
QImage menuHeading();

}  // namespace vtl::sheets
