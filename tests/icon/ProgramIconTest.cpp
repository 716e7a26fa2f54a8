#include <gtest/gtest.h>

#include <QImage>

#include "icon/ProgramIcon.h"

namespace vtl {
namespace {

TEST(ProgramIcon, holdsEveryDrawnSizeAsASharpTileWithRoundedCorners) {
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : kIconSizes) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        // Asked for exactly a drawn size, the icon hands back that drawing, unscaled.
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corner";
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << "middle";
        // One unit of the 16-unit grid is whole pixels at every size, so the
        // glyph's edge is hard: no blend between the gold and the tile.
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
