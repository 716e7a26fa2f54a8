#include <gtest/gtest.h>

#include <QImage>

#include "icon/ProgramIcon.h"

namespace vtl {
namespace {

// Asked for exactly a drawn size, the icon hands back that drawing unscaled:
// one unit of its 16-unit grid is whole pixels, so the glyph's edge is hard,
// with no blend between the gold and the tile.
TEST(ProgramIcon, holdsEveryDrawnSizeAsASharpTileWithRoundedCorners) {
    for (const int size : kIconSizes) {
        SCOPED_TRACE(size);
        const QImage image = programIcon().pixmap(QSize(size, size)).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corner";
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << "middle";
        const int unit = size / 16;
        const QRgb gold = image.pixel(3 * unit, 3 * unit);
        const QRgb tile = image.pixel(3 * unit - 1, 3 * unit);
        EXPECT_NE(gold, tile);
        EXPECT_EQ(image.pixel(5 * unit - 1, 3 * unit), gold);
        EXPECT_EQ(image.pixel(5 * unit, 3 * unit), tile);
    }
}

}  // namespace
}  // namespace vtl
