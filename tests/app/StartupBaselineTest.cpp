#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include "BaselineMenus.h"
#include "app/MainWindow.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

// One line per menu entry, indented by depth: caption, keys, check box.
void describe(const QList<QAction*>& actions, const QString& indent, QStringList& lines) {
    for (const QAction* a : actions) {
        if (a->isSeparator()) {
            lines << indent + u"---";
        } else if (const QMenu* menu = a->menu()) {
            lines << indent + a->text() + u" >";
            describe(menu->actions(), indent + u"  ", lines);
        } else {
            QStringList keys;
            for (const QKeySequence& key : a->shortcuts()) {
                keys << key.toString(QKeySequence::PortableText);
            }
            lines << indent + a->text() + u" [" + keys.join(u", ") + u']' +
                         (a->isCheckable() ? u" (check)" : u"");
        }
    }
}

// The start-up benchmark's yardstick must carry the main window's menu bar;
// a new or changed menu item goes into bench/BaselineMenus.h too.
TEST(StartupBaseline, hasTheMainWindowsMenuBar) {
    QTemporaryDir appDir;
    test::FakeDesktop desktop;
    MainWindow window(desktop, AppPaths::inFolder(appDir.path()));
    QMenuBar baseline;
    bench::addBaselineMenus(&baseline);

    QStringList expected;
    QStringList actual;
    describe(window.menuBar()->actions(), {}, expected);
    describe(baseline.actions(), {}, actual);
    EXPECT_EQ(actual.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

}  // namespace
}  // namespace vtl
