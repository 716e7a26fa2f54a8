#pragma once

#include <QByteArrayView>
#include <QImage>

#include <optional>

namespace vtl {

// A GIF of one opaque picture filling its screen (as the built-in sheets
// are), decoded as 32-bit RGB, pixel for pixel as Qt's GIF reader reads it;
// nothing for any other GIF (transparency, interlacing, a picture smaller
// than its screen, a colour outside the palette, a damaged stream), which is
// left to Qt's reader.
std::optional<QImage> plainGif(QByteArrayView data, qint64 maxPixels);

}  // namespace vtl
