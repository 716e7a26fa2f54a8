#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QProxyStyle>
#include <QStyleFactory>

#include <memory>

#include "app/LazyIconStyle.h"

namespace vtl {
namespace {

QImage drawn(QWidget& widget, QStyle* style) {
    widget.setStyle(style);
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

// The program's style stands in front of Fusion without changing a pixel of
// what it draws, where it draws group box frames itself.
TEST(LazyIconStyle, drawsGroupBoxesAsFusionDoes) {
    struct Row {
        const char* name;
        const char* title;
        bool checkable;
    };
    const Row rows[] = {
        {"titled", "Controls", false},
        {"untitled", "", false},
        {"checkable", "Colors", true},
    };
    LazyIconStyle lazy(QStringLiteral("fusion"));
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    ASSERT_EQ(lazy.baseStyle()->name(), u"fusion");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QGroupBox box;
        box.setTitle(QString::fromUtf8(row.title));
        box.setCheckable(row.checkable);
        box.resize(120, 80);
        const QImage expected = drawn(box, fusion.get());
        EXPECT_EQ(drawn(box, &lazy), expected);
    }
}

TEST(LazyIconStyle, givesFusionsStandardIconsWhenDrawn) {
    LazyIconStyle lazy(QStringLiteral("fusion"));
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    for (const QStyle::StandardPixmap icon :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_MessageBoxWarning}) {
        SCOPED_TRACE(icon);
        const QIcon standIn = lazy.standardIcon(icon);
        EXPECT_FALSE(standIn.isNull());
        EXPECT_EQ(standIn.pixmap(16).toImage(), fusion->standardIcon(icon).pixmap(16).toImage());
    }
}

}  // namespace
}  // namespace vtl
