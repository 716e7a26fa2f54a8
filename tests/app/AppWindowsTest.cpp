#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include "app/AppWindows.h"
#include "app/Centring.h"
#include "app/SystemInfo.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

namespace vtl {
namespace {

using test::FakeDesktop;
using test::writeBytes;

// The real windows on the offscreen platform, the fake desktop for every box.
struct Program {
    explicit Program(const QByteArray& settings = QByteArrayLiteral("[Vantorel]\r\nfirst=no\r\n")) {
        writeBytes(dir.path() + QStringLiteral("/vtl.ini"), settings);
        windows.setShell(&shell);
    }
    ~Program() { settle(); }

    // Windows closed by a command are deleted once control is back in the
    // event loop; let that happen.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    void trigger(const char* action) {
        MainWindow* main = windows.mainWindow();
        ASSERT_NE(main, nullptr);
        auto* a = main->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
        settle();
    }
    static int visibleWindows() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            n += w->isVisible() ? 1 : 0;
        }
        return n;
    }

    QTemporaryDir dir;
    FakeDesktop desktop;
    AppWindows windows{desktop, dir.path()};
    Shell shell{desktop, windows, dir.path()};
};

void expectCentred(QWidget* w) {
    ASSERT_NE(w, nullptr);
    const QSize screen = w->screen()->geometry().size();
    EXPECT_EQ(w->pos(), centredTopLeft(w->frameGeometry().size(), screen))
        << qPrintable(w->objectName());
}

TEST(AppWindows, start_showsACentredMainWindowInQuakeThreeMode) {
    Program p;
    p.shell.start();
    MainWindow* main = p.windows.mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->form().state().modeLabel, QStringLiteral("Mode: Quake III: Arena"));
    expectCentred(main);
}

TEST(AppWindows, configureThenCancel_bringsAFreshQuakeThreeWindowWithAnEmptyName) {
    Program p;
    p.shell.start();
    MainWindow* first = p.windows.mainWindow();
    first->form().selectMode(GameMode::QuakeWorld);
    first->form().CharPic_Click(65);
    first->move(3, 4);
    ASSERT_EQ(first->form().state().CursorPos, 2);

    p.trigger("options");
    EXPECT_EQ(p.windows.mainWindow(), nullptr);
    ConfigureDialog* dialog = p.windows.configureDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    expectCentred(dialog);
    EXPECT_EQ(Program::visibleWindows(), 1);

    dialog->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    Program::settle();

    MainWindow* fresh = p.windows.mainWindow();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_EQ(p.windows.configureDialog(), nullptr);
    const WindowState& s = fresh->form().state();
    EXPECT_EQ(s.modeLabel, QStringLiteral("Mode: Quake III: Arena"));
    EXPECT_EQ(s.Family, GameFamily::Colour);
    EXPECT_EQ(s.Config, ConfigKind::Q3Config);
    EXPECT_EQ(s.CursorPos, 1);
    for (const NameCell& cell : s.cells) {
        EXPECT_EQ(cell.fragment, QByteArrayLiteral(" "));
    }
    expectCentred(fresh);
    EXPECT_EQ(Program::visibleWindows(), 1);
}

TEST(AppWindows, firstRun_showsOnlyTheDialogAndSaveBringsTheMainWindow) {
    Program p(QByteArrayLiteral("[Vantorel]\r\nfirst=yes\r\n"));
    p.shell.start();
    Program::settle();

    EXPECT_EQ(p.windows.mainWindow(), nullptr);
    ASSERT_NE(p.windows.configureDialog(), nullptr);
    EXPECT_EQ(Program::visibleWindows(), 1);

    p.windows.configureDialog()->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    Program::settle();
    ASSERT_NE(p.windows.mainWindow(), nullptr);
    EXPECT_TRUE(p.windows.mainWindow()->isVisible());
    EXPECT_EQ(p.windows.configureDialog(), nullptr);
}

TEST(AppWindows, configureClosedByItsCloseBox_leavesNoWindow) {
    Program p;
    p.shell.start();
    p.trigger("options");
    p.windows.configureDialog()->close();
    Program::settle();

    EXPECT_EQ(p.windows.mainWindow(), nullptr);
    EXPECT_EQ(p.windows.configureDialog(), nullptr);
    EXPECT_EQ(Program::visibleWindows(), 0);
}

TEST(AppWindows, exitAnsweredNo_leavesTheWindowAsItWas) {
    Program p;
    p.shell.start();
    MainWindow* main = p.windows.mainWindow();
    main->form().CharPic_Click(66);
    p.trigger("Exit");
    EXPECT_EQ(p.windows.mainWindow(), main);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->form().state().CursorPos, 2);
    EXPECT_EQ(p.desktop.messageTexts().last(), QStringLiteral("Are you sure you want to exit?"));
}

TEST(AppWindows, aboutOpenedTwice_isOneCentredBox) {
    Program p;
    p.shell.start();
    p.trigger("AboutHelp");
    AboutBox* about = p.windows.aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    expectCentred(about);
    EXPECT_TRUE(p.windows.mainWindow()->isVisible()) << "the main window stays usable";

    p.trigger("AboutHelp");
    EXPECT_EQ(p.windows.aboutBox(), about);
    const QWidgetList tops = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(tops.begin(), tops.end(),
                            [](QWidget* w) { return qobject_cast<AboutBox*>(w) != nullptr; }),
              1);

    about->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    Program::settle();
    EXPECT_EQ(p.windows.aboutBox(), nullptr);
    p.trigger("AboutHelp");
    EXPECT_NE(p.windows.aboutBox(), nullptr);
}

TEST(AppWindows, aboutBox_showsItsFixedTexts) {
    FakeDesktop desktop;
    AboutBox about(desktop);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Vantorel G2"));
    auto text = [&](const char* name) {
        return about.findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(text("Label1"), QStringLiteral("Vantorel"));
    EXPECT_EQ(text("Label2"), QStringLiteral("v6.1"));
    EXPECT_FALSE(text("Label3").isEmpty());
    EXPECT_FALSE(text("lblDisclaimer").isEmpty());
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(about.size(), QSize(376, 232));
}

TEST(SystemInfo, firstToolOnThePath_isStarted) {
    FakeDesktop desktop;
    desktop.programsOnPath = {
        {QStringLiteral("gnome-system-monitor"), QStringLiteral("/usr/bin/gsm")},
        {QStringLiteral("hardinfo"), QStringLiteral("/usr/bin/hardinfo")}};
    StartSysInfo(desktop);
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].first, QStringLiteral("/usr/bin/hardinfo"));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST(SystemInfo, noToolOrNoStart_saysItIsUnavailable) {
    for (const bool onPath : {false, true}) {
        FakeDesktop desktop;
        if (onPath) {
            desktop.programsOnPath = {
                {QStringLiteral("kinfocenter"), QStringLiteral("/x/kinfocenter")}};
            desktop.programsStart = false;
        }
        StartSysInfo(desktop);
        EXPECT_EQ(desktop.started.size(), onPath ? 1u : 0u);
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text,
                  QStringLiteral("System Information Is Unavailable At This Time"));
        EXPECT_TRUE(desktop.messages[0].title.isEmpty());
        EXPECT_EQ(desktop.messages[0].icon, MessageIcon::None);
    }
}

TEST(SystemInfo, aboutButton_runsIt) {
    FakeDesktop desktop;
    AboutBox about(desktop);
    about.show();
    about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
    EXPECT_TRUE(about.isVisible());
}

}  // namespace
}  // namespace vtl
