#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <string_view>

#include "app/AppWindows.h"
#include "app/WindowPlacement.h"
#include "icon/ProgramIcon.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "window/SystemInfo.h"

namespace vtl {
namespace {

using namespace Qt::Literals::StringLiterals;

// Deletes the windows a command closed, as the event loop would.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void click(QWidget* window, const char* button) {
    window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    settle();
}

int visibleWindows() {
    const QWidgetList tops = QApplication::topLevelWidgets();
    return int(std::count_if(tops.begin(), tops.end(), [](QWidget* w) { return w->isVisible(); }));
}

void expectCentred(QWidget* w) {
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->pos(), centredTopLeft(w->frameGeometry().size(), w->screen()->geometry().size()))
        << qPrintable(w->objectName());
}

// The real windows on the offscreen platform, the fake desktop for every box.
struct Program {
    explicit Program(const char* settings = "[Vantorel]\r\nfirst=no\r\n") {
        test::writeBytes(dir.path() + u"/vtl.ini"_s, settings);
        windows.setShell(&shell);
        shell.start();
        settle();
    }
    ~Program() { settle(); }
    void trigger(const char* action) {
        ASSERT_NE(windows.mainWindow(), nullptr);
        windows.mainWindow()->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        settle();
    }

    QTemporaryDir dir;
    test::FakeDesktop desktop;
    AppWindows windows{desktop, AppPaths::inFolder(dir.path())};
    Shell shell{desktop, windows, AppPaths::inFolder(dir.path())};
};

TEST(AppWindows, configureThenCancel_bringsAFreshCentredQuakeThreeWindowWithAnEmptyName) {
    Program p;
    MainWindowModel& first = p.windows.mainWindow()->model();
    first.selectMode(GameMode::QuakeWorld);
    first.pickGlyph(65);

    p.trigger("options");
    expectCentred(p.windows.configureDialog());
    EXPECT_EQ(visibleWindows(), 1) << "the dialog alone";

    click(p.windows.configureDialog(), "Command3");
    MainWindow* fresh = p.windows.mainWindow();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_EQ(visibleWindows(), 1);
    expectCentred(fresh);
    const WindowState& s = fresh->model().state();
    EXPECT_EQ(s.modeLabel, u"Mode: Quake III: Arena"_s);
    for (const NameCell& cell : s.cells) {
        EXPECT_EQ(cell.fragment, " "_ba);
    }
}

TEST(AppWindows, firstRun_showsOnlyConfigure_whoseCloseBoxLeavesNoWindow) {
    Program p("[Vantorel]\r\nfirst=yes\r\n");
    EXPECT_EQ(p.windows.mainWindow(), nullptr);
    ASSERT_NE(p.windows.configureDialog(), nullptr);
    EXPECT_EQ(visibleWindows(), 1);

    p.windows.configureDialog()->close();
    settle();
    EXPECT_EQ(visibleWindows(), 0);
}

TEST(AppWindows, aboutIsOneCentredBoxWithItsTexts_andExitAnsweredNoKeepsEverything) {
    Program p;
    p.desktop.messages.clear();  // start-up reports the missing picture sheets
    p.trigger("AboutHelp");
    p.trigger("AboutHelp");
    AboutBox* about = p.windows.aboutBox();
    expectCentred(about);
    EXPECT_EQ(visibleWindows(), 2) << "one box beside the main window";
    auto label = [&](const char* name) {
        return about->findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(about->windowTitle(), u"About Vantorel G2"_s);
    EXPECT_EQ(label("Label1") + u'|' + label("Label2"), u"Vantorel|v6.1"_s);
    EXPECT_TRUE(about->findChild<QPushButton*>(u"cmdOK"_s)->isDefault());

    click(about, "cmdSysInfo");  // no tool on the fake desktop's path
    p.trigger("Exit");
    EXPECT_EQ(p.desktop.messageTexts(),
              (QStringList{u"System Information Is Unavailable At This Time"_s,
                           u"Are you sure you want to exit?"_s}));

    click(about, "cmdOK");
    EXPECT_EQ(p.windows.aboutBox(), nullptr);
    p.trigger("AboutHelp");
    EXPECT_NE(p.windows.aboutBox(), nullptr);
}

TEST(AppWindows, everyWindow_carriesTheProgramIcon) {
    // No application-wide icon here, so each window must set its own.
    ASSERT_TRUE(QApplication::windowIcon().isNull());
    Program p;
    p.windows.openAbout();
    p.windows.openConfigure();
    for (QWidget* window : std::initializer_list<QWidget*>{
             p.windows.mainWindow(), p.windows.configureDialog(), p.windows.aboutBox()}) {
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowIcon().cacheKey(), programIcon().cacheKey())
            << qPrintable(window->objectName());
    }
}

// Runs the real event loop: the program ends when its last window closes,
// and the About box is one of its windows.
TEST(AppWindows, closingMainOrConfigureWhileAboutIsOpen_endsTheProgramOnlyWithTheLastWindow) {
    for (const char* second : {"main", "Configure"}) {
        SCOPED_TRACE(second);
        Program p;
        p.trigger("AboutHelp");
        QWidget* other = p.windows.mainWindow();
        if (std::string_view(second) == "Configure") {
            p.trigger("options");  // Configure replaces the main window
            other = p.windows.configureDialog();
        }
        ASSERT_NE(other, nullptr);
        ASSERT_EQ(visibleWindows(), 2);

        bool aboutOutlivedTheOther = false;
        QObject scope;  // the timers die with this round
        QTimer::singleShot(0, other, [other] { other->close(); });
        QTimer::singleShot(50, &scope, [&] {
            aboutOutlivedTheOther = p.windows.aboutBox() && p.windows.aboutBox()->isVisible();
            if (p.windows.aboutBox()) {
                p.windows.aboutBox()->close();
            }
        });
        QTimer::singleShot(5000, &scope, [] { QCoreApplication::exit(1); });  // never hang
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_TRUE(aboutOutlivedTheOther);
        EXPECT_EQ(visibleWindows(), 0);
    }
}

TEST(SystemInfo, startsThePreferredToolFound_andReportsAFailedStart) {
    test::FakeDesktop desktop;
    // The tools' own order of preference decides, not the order on the path.
    desktop.programsOnPath = {{u"gnome-system-monitor"_s, u"/usr/bin/gsm"_s},
                              {u"hardinfo"_s, u"/usr/bin/hardinfo"_s}};
    startSystemInfo(desktop);
    desktop.programsStart = false;
    startSystemInfo(desktop);
    ASSERT_EQ(desktop.started.size(), 2u);
    EXPECT_EQ(desktop.started[0].first, u"/usr/bin/hardinfo"_s);
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{u"System Information Is Unavailable At This Time"_s});
}

}  // namespace
}  // namespace vtl
