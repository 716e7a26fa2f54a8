#pragma once

#include <QByteArray>
#include <QImage>

namespace vtl::sheets {

// The picture as a GIF file, palette in order of first appearance (black
// first), so the same picture always gives the same bytes. Empty when the
// picture has more than 256 colours or giflib fails.
QByteArray encodeGif(const QImage& image);

}  // namespace vtl::sheets
