#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

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

int visibleWindows() {
    const QWidgetList tops = QApplication::topLevelWidgets();
    return int(std::count_if(tops.begin(), tops.end(), [](QWidget* w) { return w->isVisible(); }));
}

// Centred on its screen, with the program's icon: there is no application-wide
// icon here, so each window must set its own.
void expectCentredWithIcon(QWidget* w) {
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->pos(), centredTopLeft(w->frameGeometry().size(), w->screen()->geometry().size()))
        << qPrintable(w->objectName());
    EXPECT_TRUE(QApplication::windowIcon().isNull());
    EXPECT_EQ(w->windowIcon().cacheKey(), programIcon().cacheKey()) << qPrintable(w->objectName());
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
    void click(QWidget* window, const char* button) {
        window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        settle();
    }

    QTemporaryDir dir;
    test::FakeDesktop desktop;
    AppWindows windows{desktop, AppPaths::inFolder(dir.path())};
    Shell shell{desktop, windows, AppPaths::inFolder(dir.path())};
};

TEST(AppWindows, configureThenCancel_bringsAFreshCentredQuakeThreeWindowWithAnEmptyName) {
    Program p;
    expectCentredWithIcon(p.windows.mainWindow());
    p.windows.mainWindow()->model().selectMode(GameMode::QuakeWorld);
    p.windows.mainWindow()->model().pickGlyph(65);

    p.trigger("options");
    expectCentredWithIcon(p.windows.configureDialog());
    EXPECT_EQ(visibleWindows(), 1) << "the dialog alone";

    p.click(p.windows.configureDialog(), "Command3");
    MainWindow* fresh = p.windows.mainWindow();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(visibleWindows(), 1);
    EXPECT_TRUE(fresh->isVisible());
    expectCentredWithIcon(fresh);
    EXPECT_EQ(fresh->model().state().modeLabel, u"Mode: Quake III: Arena"_s);
    EXPECT_TRUE(fresh->model().state().rawNameBox.isEmpty());
}

TEST(AppWindows, aboutIsOneCentredBoxWithItsTexts_reopenedAfterOK) {
    Program p;
    p.desktop.messages.clear();  // start-up reports the missing picture sheets
    p.trigger("AboutHelp");
    p.trigger("AboutHelp");
    AboutBox* about = p.windows.aboutBox();
    expectCentredWithIcon(about);
    EXPECT_EQ(visibleWindows(), 2) << "one box beside the main window";
    auto label = [&](const char* name) {
        return about->findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(about->windowTitle(), u"About Vantorel G2"_s);
    EXPECT_EQ(label("Label1") + u'|' + label("Label2"), u"Vantorel|v6.1"_s);
    p.click(about, "cmdSysInfo");  // no tool on the fake desktop's path
    EXPECT_EQ(p.desktop.messages.size(), 1u);

    p.click(about, "cmdOK");
    EXPECT_EQ(p.windows.aboutBox(), nullptr);
    p.trigger("AboutHelp");
    EXPECT_NE(p.windows.aboutBox(), nullptr);
}

// Runs the real event loop: the program ends when its last window closes,
// and the About box is one of its windows.
TEST(AppWindows, closingMainOrConfigureWhileAboutIsOpen_endsTheProgramOnlyWithTheLastWindow) {
    for (const bool configure : {false, true}) {
        SCOPED_TRACE(configure ? "Configure" : "main");
        Program p;
        p.trigger("AboutHelp");
        if (configure) {
            p.trigger("options");  // Configure replaces the main window
        }
        QWidget* other =
            configure ? static_cast<QWidget*>(p.windows.configureDialog()) : p.windows.mainWindow();
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
