#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include "ReadOnlyFolder.h"
#include "app/Shell.h"
#include "ini/Ini.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

namespace vtl {
namespace {

using test::FakeDesktop;
using test::readBytes;
using test::writeBytes;

// Records each window call with the number of message boxes shown before
// it, so a test sees the order of boxes and windows in one list.
class FakeWindows : public ShellWindows {
  public:
    explicit FakeWindows(const FakeDesktop& desktop) : desktop_(desktop) {}
    QStringList calls;

    void loadMainWindow() override { record(u"loadMain"); }
    void showMainWindow() override { record(u"showMain"); }
    void unloadMainWindow() override { record(u"unloadMain"); }
    void openConfigure() override { record(u"openConfigure"); }
    void unloadConfigure() override { record(u"unloadConfigure"); }
    void openAbout() override { record(u"openAbout"); }
    void quit() override { record(u"quit"); }

  private:
    void record(QStringView what) {
        calls << QStringLiteral("%1@%2").arg(what).arg(desktop_.messages.size());
    }
    const FakeDesktop& desktop_;
};

struct ShellFixture {
    QTemporaryDir dir;
    FakeDesktop desktop;
    FakeWindows windows{desktop};
    Shell shell{desktop, windows, dir.path()};
    QString ini() const { return dir.path() + QStringLiteral("/vtl.ini"); }
};

TEST(Shell, firstRun_greetsWritesNoAndOpensConfigureInsteadOfTheMainWindow) {
    ShellFixture f;
    writeBytes(f.ini(), QByteArrayLiteral("[Vantorel]\r\nfirst=yes\r\nq3config=C:\\q3\r\n"));

    EXPECT_FALSE(f.shell.start());

    EXPECT_EQ(f.windows.calls,
              (QStringList{QStringLiteral("loadMain@0"), QStringLiteral("unloadMain@1"),
                           QStringLiteral("openConfigure@1")}));
    ASSERT_EQ(f.desktop.messages.size(), 1u);
    const Message& greeting = f.desktop.messages[0];
    EXPECT_EQ(greeting.text,
              QStringLiteral("THIS MESSAGE WILL ONLY APPEAR ONCE:\rThanks for choosing Vantorel.\r"
                             "Since this is your first time running Vantorel, you will be "
                             "prompted to configure VTL with QuakeWorld and/or Quake3: Arena. If "
                             "you are using Vantorel for a game/program other than QuakeWorld or "
                             "Quake3: Arena then press cancel and continue to run Vantorel. If you "
                             "need help click the Help menu from the main screen and view our "
                             "help and tutorials page. If you need help after that feel free to "
                             "send me an email."));
    EXPECT_TRUE(greeting.title.isEmpty());  // the application's title
    EXPECT_EQ(greeting.buttons, MessageButtons::Ok);
    EXPECT_EQ(greeting.icon, MessageIcon::None);
    // Only the flag's value changed; the rest of the file is as it was.
    EXPECT_EQ(readBytes(f.ini()),
              QByteArrayLiteral("[Vantorel]\r\nfirst=no\r\nq3config=C:\\q3\r\n"));
}

TEST(Shell, flagOtherThanExactlyYes_startsNormally) {
    const QList<QByteArray> contents = {
        QByteArrayLiteral("[Vantorel]\r\nfirst=Yes\r\n"),
        QByteArrayLiteral("[Vantorel]\r\nfirst=YES\r\n"),
        QByteArrayLiteral("[Vantorel]\r\nfirst=no\r\n"),
        QByteArrayLiteral("[Vantorel]\r\nfirst=yess\r\n"),
        QByteArrayLiteral("[Vantorel]\r\nfirst=\r\n"),
        QByteArrayLiteral("[Vantorel]\r\nq3config=x\r\n"),
        QByteArrayLiteral("[Other]\r\nfirst=yes\r\n"),
    };
    for (const QByteArray& content : contents) {
        ShellFixture f;
        writeBytes(f.ini(), content);
        EXPECT_TRUE(f.shell.start()) << content.constData();
        EXPECT_EQ(f.windows.calls,
                  (QStringList{QStringLiteral("loadMain@0"), QStringLiteral("showMain@0")}))
            << content.constData();
        EXPECT_TRUE(f.desktop.messages.empty()) << content.constData();
        EXPECT_EQ(readBytes(f.ini()), content) << "start-up must not write";
    }
}

TEST(Shell, noSettingsFile_startsNormallyAndCreatesNothing) {
    ShellFixture f;
    EXPECT_TRUE(f.shell.start());
    EXPECT_TRUE(f.desktop.messages.empty());
    EXPECT_FALSE(QFile::exists(f.ini()));
}

TEST(Shell, leavingConfigureAfterFirstRun_showsMainWindowBeforeClosingTheDialog) {
    ShellFixture f;
    writeBytes(f.ini(), QByteArrayLiteral("[Vantorel]\r\nfirst=yes\r\n"));
    f.shell.start();
    f.windows.calls.clear();

    f.shell.configureLeft();

    // The main window first: closing the last window would end the program.
    EXPECT_EQ(f.windows.calls,
              (QStringList{QStringLiteral("loadMain@1"), QStringLiteral("showMain@1"),
                           QStringLiteral("unloadConfigure@1")}));
    EXPECT_EQ(f.desktop.messages.size(), 1u);
}

TEST(Shell, flagCannotBeWritten_greetsOnlyOnceThisRun) {
    ShellFixture f;
    writeBytes(f.ini(), QByteArrayLiteral("[Vantorel]\r\nfirst=yes\r\n"));
    {
        test::ReadOnlyFolder readOnly(f.dir.path(), f.ini());
        ASSERT_TRUE(readOnly.ok());
        f.shell.start();
        f.shell.configureLeft();
    }
    // Greeting again on return from Configure would lock the user out of
    // the main window for good.
    EXPECT_EQ(f.desktop.messages.size(), 1u);
    EXPECT_TRUE(f.windows.calls.contains(QStringLiteral("showMain@1")));
    EXPECT_EQ(readBytes(f.ini()), QByteArrayLiteral("[Vantorel]\r\nfirst=yes\r\n"));
}

TEST(Shell, configureCommand_opensDialogThenClosesMainWindow) {
    ShellFixture f;
    f.shell.options();
    EXPECT_EQ(f.windows.calls,
              (QStringList{QStringLiteral("openConfigure@0"), QStringLiteral("unloadMain@0")}));
}

TEST(Shell, exitQuestion_endsOnlyOnYes) {
    struct Case {
        std::optional<MessageAnswer> answer;  // none: the box's default (Enter)
        bool quits;
    };
    for (const Case& c : {Case{MessageAnswer::Yes, true}, Case{MessageAnswer::No, false},
                          Case{std::nullopt, false}}) {
        ShellFixture f;
        if (c.answer) {
            f.desktop.answers.push_back(*c.answer);
        }
        f.shell.Exit();

        ASSERT_EQ(f.desktop.messages.size(), 1u);
        const Message& q = f.desktop.messages[0];
        EXPECT_EQ(q.text, QStringLiteral("Are you sure you want to exit?"));
        EXPECT_EQ(q.title, QStringLiteral("Exit?"));
        EXPECT_EQ(q.buttons, MessageButtons::YesNo);
        EXPECT_EQ(q.icon, MessageIcon::Question);
        EXPECT_EQ(q.defaultButton, MessageAnswer::No);
        EXPECT_EQ(f.windows.calls.contains(QStringLiteral("quit@1")), c.quits);
        EXPECT_EQ(f.windows.calls.size(), c.quits ? 1 : 0);
    }
}

TEST(Shell, help_opensTheGuideBesideTheProgramEvenInAnAwkwardFolder) {
    for (const QString& sub : {QStringLiteral("plain"), QStringLiteral("with space #1 %20 é")}) {
        QTemporaryDir dir;
        const QString appDir = dir.path() + u'/' + sub;
        FakeDesktop desktop;
        FakeWindows windows(desktop);
        Shell shell(desktop, windows, appDir);
        desktop.urlOpens = false;

        shell.HelpMe();

        ASSERT_EQ(desktop.openedUrls.size(), 1u);
        const QUrl url(desktop.openedUrls[0], QUrl::StrictMode);
        EXPECT_TRUE(url.isLocalFile()) << qPrintable(desktop.openedUrls[0]);
        EXPECT_EQ(url.toLocalFile(), appDir + QStringLiteral("/docs/index.html"));
        EXPECT_TRUE(desktop.messages.empty()) << "a failed start is not reported";
    }
}

TEST(Shell, userGuide_isBesideTheBuiltProgramWithItsPictures) {
    const QString appDir = QStringLiteral(VTL_BUILD_APP_DIR);
    QFile guide(appDir + QStringLiteral("/docs/index.html"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly)) << qPrintable(guide.fileName());
    const QString html = QString::fromUtf8(guide.readAll());
    static const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (const QRegularExpressionMatch& m : image.globalMatch(html)) {
        ++images;
        EXPECT_TRUE(QFile::exists(appDir + QStringLiteral("/docs/") + m.captured(1)))
            << qPrintable(m.captured(1));
    }
    EXPECT_GE(images, 1);
}

TEST(Shell, homepage_opensTheMakersAddressAndReportsNothing) {
    ShellFixture f;
    f.desktop.urlOpens = false;
    f.shell.GotoHomepage();
    ASSERT_EQ(f.desktop.openedUrls.size(), 1u);
    EXPECT_TRUE(f.desktop.openedUrls[0].startsWith(QStringLiteral("http://")));
    EXPECT_TRUE(QUrl(f.desktop.openedUrls[0], QUrl::StrictMode).isValid());
    EXPECT_TRUE(f.desktop.messages.empty());
}

}  // namespace
}  // namespace vtl
