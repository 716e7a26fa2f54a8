#include <gtest/gtest.h>

#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "app/MainWindow.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

// With no sheets in the application folder every colour choice reports its
// missing sheet once, so the messages count how often a choice ran.
struct ColourListWidget : ::testing::Test {
    QTemporaryDir appDir;
    test::FakeDesktop desktop;
    std::unique_ptr<MainWindow> window;
    QListWidget* list = nullptr;

    void SetUp() override {
        window = std::make_unique<MainWindow>(desktop, appDir.path());
        window->form().Form_Load();
        window->refresh();
        window->show();
        list = window->findChild<QListWidget*>(QStringLiteral("List1"));
        ASSERT_NE(list, nullptr);
        // The pointer rests over the list, as after a click.
        list->setAttribute(Qt::WA_UnderMouse);
        list->viewport()->setAttribute(Qt::WA_UnderMouse);
        desktop.messages.clear();
    }
    QPoint centreOf(int row) { return list->visualItemRect(list->item(row)).center(); }
    void click(int row) { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(row)); }
    std::size_t runs() const { return desktop.messages.size(); }
    const WindowState& state() { return window->form().state(); }
};

TEST_F(ColourListWidget, clickOnNewRow_runsOnce) {
    click(1);
    EXPECT_EQ(runs(), 1u);
    EXPECT_EQ(state().ColorPrefix, "^1");
    EXPECT_EQ(state().colourListIndex, 1);
}

TEST_F(ColourListWidget, clickOnSelectedRow_runsAgain) {
    click(2);
    click(2);
    EXPECT_EQ(runs(), 2u);
    EXPECT_EQ(state().ColorPrefix, "^^8");
    EXPECT_FALSE(state().ColorWritten);
}

TEST_F(ColourListWidget, keyboardMoveWithPointerOverList_runsOncePerMove) {
    click(1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(runs(), 2u);
    EXPECT_EQ(state().ColorPrefix, "^^8");
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(runs(), 4u);
    EXPECT_EQ(state().ColorPrefix, "^7");
}

TEST_F(ColourListWidget, dragOntoAnotherRow_runsOnceForTheRowLetGo) {
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centreOf(2));
    QTest::mouseMove(list->viewport(), centreOf(1));
    QTest::mouseMove(list->viewport(), centreOf(0));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centreOf(0));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(runs(), 1u);
    EXPECT_EQ(state().ColorPrefix, "^7");
}

TEST_F(ColourListWidget, tabIntoListWithPointerElsewhere_runsNothing) {
    list->setAttribute(Qt::WA_UnderMouse, false);
    list->viewport()->setAttribute(Qt::WA_UnderMouse, false);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget* previous = window->findChild<QWidget*>(QStringLiteral("Command1"));
    previous->setFocus();
    list->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(runs(), 0u);
    EXPECT_EQ(state().ColorPrefix, "^7");
}

}  // namespace
}  // namespace vtl
