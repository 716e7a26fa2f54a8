#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/CharMapWidget.h"
#include "app/MainWindow.h"
#include "desktop/NameDialogs.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

struct NameInOutWidgetTest : ::testing::Test {
    QTemporaryDir appDir;
    test::FakeDesktop desktop;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        ASSERT_TRUE(QDir(appDir.path()).mkpath(u"q3a"_s));
        QImage sheet(256, 256, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        ASSERT_TRUE(sheet.save(appDir.filePath(u"q3a/q3-white.gif"_s), "PNG"));
        window = std::make_unique<MainWindow>(desktop, AppPaths::inFolder(appDir.path()));
        window->model().start();
        window->refresh();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    template <typename T>
    T* child(const QString& name) {
        return window->findChild<T*>(name);
    }
    QString rawName() { return child<QLineEdit>(u"Text2"_s)->text(); }
};

TEST_F(NameInOutWidgetTest, ctrlO_opensAFileAndShowsTheName) {
    const QString path = appDir.filePath(u"q3config.cfg"_s);
    test::writeBytes(path, "seta name \"^1Old\"\r\n");
    desktop.openReplies.push_back(path);
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(desktop.openRequests.size(), 1u);
    EXPECT_EQ(child<QLineEdit>(u"Text3"_s)->text(), u"name \"^1Old^7\" //VTL G2 v6.3"_s);
}

TEST_F(NameInOutWidgetTest, ctrlV_pastesOverTheMapButNotIntoATextBox) {
    desktop.clipboardHolds = u"name \"^2Pasted\""_s;
    EXPECT_TRUE(child<CharMapWidget>(u"CharMap"_s)->hasFocus());
    QTest::keyClick(child<CharMapWidget>(u"CharMap"_s), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rawName(), u"^2Pasted"_s);

    desktop.clipboardHolds = u"Other"_s;
    auto* box = child<QLineEdit>(u"Text3"_s);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rawName(), u"^2Pasted"_s);

    // The menu command works wherever the focus is.
    child<QAction>(u"PasteName"_s)->trigger();
    EXPECT_EQ(rawName(), u"Other"_s);
}

TEST_F(NameInOutWidgetTest, pictureCommands_goThroughTheDesktop) {
    window->model().pickGlyph('A');
    desktop.pictureOptionReplies.push_back(PictureOptions{3, false});
    desktop.saveReplies.push_back(appDir.filePath(u"name.png"_s));
    child<QAction>(u"exportaspng"_s)->trigger();
    EXPECT_EQ(QImage(appDir.filePath(u"name.png"_s)).size(), QSize(48, 48));

    child<QAction>(u"copyaspicture"_s)->trigger();
    ASSERT_EQ(desktop.clipboardImages.size(), 1u);
    EXPECT_EQ(desktop.clipboardImages[0].size(), QSize(32, 32));

    // Copy Name, Configure and Exit stay the last three entries.
    QStringList last;
    for (QAction* a : child<QMenu>(u"File"_s)->actions()) {
        if (!a->isSeparator()) {
            last << a->objectName();
        }
    }
    EXPECT_EQ(last.mid(last.size() - 3), (QStringList{u"copynme"_s, u"options"_s, u"Exit"_s}));
}

TEST(NameDialogs, showWhatTheyAreGivenAndReturnWhatIsChosen) {
    ItemChoiceDialog list(
        ItemChoice{u"Open Name"_s, u"Choose one:"_s, {u"a"_s, u"b"_s, u"c"_s}, 2});
    EXPECT_EQ(list.windowTitle(), u"Open Name"_s);
    EXPECT_EQ(list.selectedRow(), 2);
    list.findChild<QListWidget*>(u"ItemList"_s)->setCurrentRow(0);
    EXPECT_EQ(list.selectedRow(), 0);

    PictureOptionsDialog options(PictureOptions{2, true});
    auto* scale = options.findChild<QSpinBox*>(u"Scale"_s);
    EXPECT_EQ(scale->minimum(), 1);
    EXPECT_EQ(scale->maximum(), kMaxPictureScale);
    EXPECT_EQ(options.options().scale, 2);
    EXPECT_TRUE(options.options().transparent);
    scale->setValue(9);  // clamped by the box
    options.findChild<QCheckBox*>(u"Transparent"_s)->setChecked(false);
    EXPECT_EQ(options.options().scale, kMaxPictureScale);
    EXPECT_FALSE(options.options().transparent);
}

}  // namespace
}  // namespace vtl
