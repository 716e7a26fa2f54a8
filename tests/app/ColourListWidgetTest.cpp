#include <gtest/gtest.h>

#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainWindow.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

// With no sheets in the application folder every colour choice reports its
// missing sheet once, so the messages count how often a choice ran.
struct ColourListWidget : ::testing::Test {
    QTemporaryDir appDir;
    test::FakeDesktop desktop;
    MainWindow window{desktop, appDir.path()};
    QListWidget* list = window.findChild<QListWidget*>(QStringLiteral("List1"));

    void SetUp() override {
        window.model().start();
        window.refresh();
        window.show();
        // The pointer rests over the list, as after a click.
        list->setAttribute(Qt::WA_UnderMouse);
        list->viewport()->setAttribute(Qt::WA_UnderMouse);
        desktop.messages.clear();
    }
    QPoint centreOf(int row) { return list->visualItemRect(list->item(row)).center(); }
    void click(int row) { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(row)); }
    std::size_t runs() const { return desktop.messages.size(); }
    QByteArray prefix() { return window.model().state().ColorPrefix; }
};

TEST_F(ColourListWidget, eachClickAndKeyboardMove_runsTheChoiceOnce) {
    click(1);
    EXPECT_EQ(runs(), 1u);
    EXPECT_EQ(prefix(), "^1");
    click(1);  // the row already selected
    EXPECT_EQ(runs(), 2u);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(runs(), 3u);
    EXPECT_EQ(prefix(), "^^8");
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(runs(), 5u);
    EXPECT_EQ(prefix(), "^7");
}

TEST_F(ColourListWidget, dragOntoAnotherRow_runsOnceForTheRowLetGo) {
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centreOf(2));
    QTest::mouseMove(list->viewport(), centreOf(1));
    QTest::mouseMove(list->viewport(), centreOf(0));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centreOf(0));
    EXPECT_EQ(runs(), 1u);
    EXPECT_EQ(prefix(), "^7");
}

TEST_F(ColourListWidget, tabIntoList_runsNothing) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.findChild<QWidget*>(QStringLiteral("Command1"))->setFocus();
    list->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(runs(), 0u);
}

}  // namespace
}  // namespace vtl
