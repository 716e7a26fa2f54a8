#include <gtest/gtest.h>

#include <QImage>

#include "icon/ProgramIcon.h"

namespace vtl {
namespace {

// Each drawn size comes back unscaled: transparent corners, and on the 16-unit
// grid a hard edge between the gold glyph and the tile, with no blend.
TEST(ProgramIcon, holdsEveryDrawnSizeAsASharpTileWithRoundedCorners) {
    for (const int size : kIconSizes) {
        const QImage image = programIcon().pixmap(QSize(size, size)).toImage();
        const int unit = size / 16;
        const QRgb gold = image.pixel(3 * unit, 3 * unit);
        const QRgb tile = image.pixel(3 * unit - 1, 3 * unit);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
        EXPECT_NE(gold, tile) << size;
        EXPECT_EQ(image.pixel(5 * unit - 1, 3 * unit), gold) << size;
        EXPECT_EQ(image.pixel(5 * unit, 3 * unit), tile) << size;
    }
}

}  // namespace
}  // namespace vtl
