#include "window/Shell.h"

#include <QUrl>

#include "ini/Ini.h"

namespace vtl {

Shell::Shell(Desktop& desktop, ShellWindows& windows, QString appDir)
    : desktop_(desktop), windows_(windows), appDir_(std::move(appDir)) {}

bool Shell::firstRunDue() {
    // Only the exact delivered value counts; a missing file or key reads as
    // empty, which is an ordinary start.
    return !greeted_ &&
           ReadIni(QString::fromUtf16(kSettingsSection), QString::fromUtf16(kFirstRunKey),
                   settingsFile()) == QStringLiteral("yes");
}

bool Shell::start() {
    windows_.loadMainWindow();
    if (!firstRunDue()) {
        windows_.showMainWindow();
        return true;
    }
    greeted_ = true;
    showInfo(desktop_, QString::fromUtf16(kGreeting));
    // Unreported: at worst the greeting comes again at the next start.
    WriteIni(QString::fromUtf16(kSettingsSection), QString::fromUtf16(kFirstRunKey),
             QStringLiteral("no"), settingsFile());
    windows_.unloadMainWindow();
    windows_.openConfigure();
    return false;
}

void Shell::configureLeft() {
    // The new main window opens before the dialog goes, so that the program
    // never stands without a window and ends.
    if (start()) {
        windows_.unloadConfigure();
    }
}

void Shell::openConfigure() {
    windows_.openConfigure();
    windows_.unloadMainWindow();
}

void Shell::exitProgram() {
    const Message question{QString::fromUtf16(kExitQuestion), QString::fromUtf16(kExitTitle),
                           MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No};
    if (desktop_.showMessage(question) == MessageAnswer::Yes) {
        windows_.quit();
    }
}

void Shell::showAbout() {
    windows_.openAbout();
}

void Shell::openUserGuide() {
    desktop_.openUrl(
        QUrl::fromLocalFile(appDir_ + QString::fromUtf16(kUserGuide)).toString(QUrl::FullyEncoded));
}

void Shell::openHomepage() {
    desktop_.openUrl(QString::fromUtf16(kHomepage));
}

}  // namespace vtl
