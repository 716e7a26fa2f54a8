#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "support/ReadOnlyFolder.h"
#include "window/Shell.h"

namespace vtl {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::readBytes;
using test::writeBytes;

// Records each window call with the number of message boxes shown before
// it, so a test sees the order of boxes and windows in one list.
class FakeWindows : public ShellWindows {
  public:
    explicit FakeWindows(const test::FakeDesktop& desktop) : desktop_(desktop) {}
    QStringList calls;

    void loadMainWindow() override { record(u"loadMain"); }
    void showMainWindow() override { record(u"showMain"); }
    void unloadMainWindow() override { record(u"unloadMain"); }
    void openConfigure() override { record(u"openConfigure"); }
    void unloadConfigure() override { record(u"unloadConfigure"); }
    void openAbout() override { record(u"openAbout"); }
    void quit() override { record(u"quit"); }
    QString take() { return std::exchange(calls, {}).join(u' '); }

  private:
    void record(QStringView what) { calls << u"%1@%2"_s.arg(what).arg(desktop_.messages.size()); }
    const test::FakeDesktop& desktop_;
};

struct ShellFixture {
    explicit ShellFixture(const QByteArray& settings = {}, const QString& appSubfolder = {})
        : shell(desktop, windows, AppPaths::inFolder(dir.path() + appSubfolder)) {
        if (!settings.isNull()) {  // null: no settings file at all
            writeBytes(ini(), settings);
        }
    }
    QString ini() const { return dir.path() + u"/vtl.ini"_s; }

    QTemporaryDir dir;
    test::FakeDesktop desktop;
    FakeWindows windows{desktop};
    Shell shell;
};

TEST(Shell, firstRun_greetsWritesNoOpensConfigure_andWindowsNeverAllClose) {
    ShellFixture f("[Vantorel]\r\nfirst=yes\r\nq3config=C:\\q3\r\n"_ba);

    EXPECT_FALSE(f.shell.start());

    EXPECT_EQ(f.windows.take(), u"loadMain@0 unloadMain@1 openConfigure@1"_s);
    const Message& greeting = f.desktop.messages.at(0);
    EXPECT_EQ(greeting.text,
              u"THIS MESSAGE WILL ONLY APPEAR ONCE:\rThanks for choosing Vantorel.\r"
              "Since this is your first time running Vantorel, you will be "
              "prompted to configure VTL with QuakeWorld and/or Quake3: Arena. If "
              "you are using Vantorel for a game/program other than QuakeWorld or "
              "Quake3: Arena then press cancel and continue to run Vantorel. If you "
              "need help click the Help menu from the main screen and view our "
              "help and tutorials page. If you need help after that feel free to "
              "send me an email."_s);
    EXPECT_TRUE(greeting.title.isEmpty());  // the box shows the application's
    EXPECT_EQ(QString::fromUtf16(kAppTitle), u"Vantorel G2"_s);
    EXPECT_EQ(greeting.buttons, MessageButtons::Ok);
    EXPECT_EQ(greeting.icon, MessageIcon::None);
    EXPECT_EQ(readBytes(f.ini()), "[Vantorel]\r\nfirst=no\r\nq3config=C:\\q3\r\n"_ba);

    // The main window first: closing the last window would end the program.
    f.shell.configureLeft();
    EXPECT_EQ(f.windows.take(), u"loadMain@1 showMain@1 unloadConfigure@1"_s);
    // The command opens the dialog before closing the main window, for the same reason.
    f.shell.openConfigure();
    EXPECT_EQ(f.windows.take(), u"openConfigure@1 unloadMain@1"_s);
}

TEST(Shell, flagOtherThanExactlyYes_startsNormallyAndWritesNothing) {
    for (const QByteArray& content :
         {QByteArray(), "[Vantorel]\r\nfirst=Yes\r\n"_ba, "[Vantorel]\r\nfirst=YES\r\n"_ba,
          "[Other]\r\nfirst=yes\r\n"_ba}) {
        ShellFixture f(content);
        EXPECT_TRUE(f.shell.start()) << content.constData();
        EXPECT_EQ(f.windows.take(), u"loadMain@0 showMain@0"_s) << content.constData();
        EXPECT_EQ(QFile::exists(f.ini()) ? readBytes(f.ini()) : QByteArray(), content);
    }
}

TEST(Shell, flagCannotBeWritten_greetsOnlyOnceThisRun) {
    ShellFixture f("[Vantorel]\r\nfirst=yes\r\n"_ba);
    {
        test::ReadOnlyFolder readOnly(f.dir.path(), f.ini());
        ASSERT_TRUE(readOnly.ok);
        f.shell.start();
        f.shell.configureLeft();
    }
    // Greeting again on return from Configure would lock the user out of
    // the main window for good.
    EXPECT_TRUE(f.windows.calls.contains(u"showMain@1"_s));
    EXPECT_EQ(readBytes(f.ini()), "[Vantorel]\r\nfirst=yes\r\n"_ba);
}

TEST(Shell, unreadableSettingsFile_saidOnceWithFileAndReason_andLeftAlone) {
    const QByteArray content = "\0[Vantorel]\r\nfirst=yes\r\n"_ba;
    ShellFixture f(content);
    EXPECT_TRUE(f.shell.start());
    f.shell.openConfigure();
    f.shell.configureLeft();

    ASSERT_EQ(f.desktop.messages.size(), 1u);
    const QString text = f.desktop.messages[0].text;
    EXPECT_TRUE(text.startsWith(u"The settings file %1 could not be read: "_s.arg(f.ini())));
    EXPECT_TRUE(text.endsWith(u".\rVantorel leaves it as it is and keeps no settings in it."_s))
        << qPrintable(text);
    EXPECT_EQ(f.desktop.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(readBytes(f.ini()), content);
}

TEST(Shell, exitQuestion_endsOnlyOnYes) {
    ShellFixture f;
    f.desktop.answers = {MessageAnswer::No, MessageAnswer::Yes};
    f.shell.exitProgram();
    EXPECT_EQ(f.windows.take(), QString());
    f.shell.exitProgram();
    EXPECT_EQ(f.windows.take(), u"quit@2"_s);
    const Message& q = f.desktop.messages.at(0);
    EXPECT_EQ(q.text, u"Are you sure you want to exit?"_s);
    EXPECT_EQ(q.title, u"Exit?"_s);
    EXPECT_EQ(q.buttons, MessageButtons::YesNo);
    EXPECT_EQ(q.icon, MessageIcon::Question);
    EXPECT_EQ(q.defaultButton, MessageAnswer::No);
}

TEST(Shell, helpAndHomepage_openThroughTheDesktopAndReportNothing) {
    // The guide's address must survive an awkward application folder.
    ShellFixture f({}, u"/with space #1 %20 é"_s);
    f.desktop.urlOpens = false;  // a failed start is not reported either
    f.shell.openUserGuide();
    f.shell.openHomepage();
    ASSERT_EQ(f.desktop.openedUrls.size(), 2u);
    const QUrl guide(f.desktop.openedUrls[0], QUrl::StrictMode);
    EXPECT_EQ(guide.toLocalFile(), f.dir.path() + u"/with space #1 %20 é/docs/index.html"_s);
    EXPECT_EQ(f.desktop.openedUrls[1], u"http://www.quenmoor.example/"_s);
    EXPECT_TRUE(f.desktop.messages.empty());
}

TEST(Shell, userGuide_isBesideTheBuiltProgramWithItsPictures) {
    const QString docs = QStringLiteral(VTL_BUILD_APP_DIR "/docs/");
    static const QRegularExpression image(u"<img src=\"([^\"]+)\""_s);
    int images = 0;
    for (const QRegularExpressionMatch& m :
         image.globalMatch(QString::fromUtf8(readBytes(docs + u"index.html"_s)))) {
        ++images;
        EXPECT_TRUE(QFile::exists(docs + m.captured(1))) << qPrintable(m.captured(1));
    }
    EXPECT_GE(images, 1);
}

}  // namespace
}  // namespace vtl
