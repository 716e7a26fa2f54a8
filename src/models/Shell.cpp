#include "models/Shell.h"

#include <QUrl>

#include "ini/Ini.h"

namespace vtl {

Shell::Shell(Desktop& desktop, ShellWindows& windows, AppPaths paths)
    : desktop_(desktop), windows_(windows), paths_(std::move(paths)) {}

bool Shell::firstRunDue() {
    // Only the exact delivered value counts; a missing file or key reads as
    // empty, which is an ordinary start.
    return !greeted_ &&
           ReadIni(kSettingsSection, kFirstRunKey, settingsFile()) == QStringLiteral("yes");
}

void Shell::reportUnreadableSettings() {
    if (settingsChecked_) {
        return;
    }
    settingsChecked_ = true;
    const QString problem = iniFileProblem(settingsFile());
    if (!problem.isEmpty()) {
        desktop_.showMessage(Message{kSettingsUnreadable.arg(settingsFile(), problem),
                                     {},
                                     MessageButtons::Ok,
                                     MessageIcon::Warning,
                                     MessageAnswer::Ok});
    }
}

bool Shell::start() {
    windows_.loadMainWindow();
    reportUnreadableSettings();
    if (!firstRunDue()) {
        windows_.showMainWindow();
        return true;
    }
    greeted_ = true;
    showInfo(desktop_, kGreeting);
    // Unreported: at worst the greeting comes again at the next start.
    WriteIni(kSettingsSection, kFirstRunKey, QStringLiteral("no"), settingsFile());
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
    const Message question{kExitQuestion, kExitTitle, MessageButtons::YesNo, MessageIcon::Question,
                           MessageAnswer::No};
    if (desktop_.showMessage(question) == MessageAnswer::Yes) {
        windows_.quit();
    }
}

void Shell::showAbout() {
    windows_.openAbout();
}

void Shell::openUserGuide() {
    desktop_.openUrl(
        QUrl::fromLocalFile(paths_.dataDir() + kUserGuide).toString(QUrl::FullyEncoded));
}

void Shell::openHomepage() {
    desktop_.openUrl(kHomepage);
}

}  // namespace vtl
