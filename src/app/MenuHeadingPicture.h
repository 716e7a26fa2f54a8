#pragma once

#include <QImage>

namespace vtl {

// The side panel's "Menu" heading (sheets/MenuHeading.h), drawn at build time
// and compiled in as pixels: nothing is decoded to show it. The picture uses
// the program's own memory; QPixmap::fromImage copies it.
QImage menuHeadingPicture();

}  // namespace vtl
