#pragma once

#include <QRect>

namespace vtl {

// The window geometry is given in twips; 15 twips make one pixel at 96 dpi.
// This is the one place that converts.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);  // nearest, halves up
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

}  // namespace vtl
