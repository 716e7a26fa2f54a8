#pragma once

#include <QString>

#include "desktop/Desktop.h"
#include "ini/AppPaths.h"
#include "ini/Settings.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kGreeting =
    u"THIS MESSAGE WILL ONLY APPEAR ONCE:\r"
    u"Thanks for choosing Vantorel.\r"
    u"Since this is your first time running Vantorel, you will be prompted to configure VTL with "
    u"QuakeWorld and/or Quake3: Arena. If you are using Vantorel for a game/program other than "
    u"QuakeWorld or Quake3: Arena then press cancel and continue to run Vantorel. If you need "
    u"help click the Help menu from the main screen and view our help and tutorials page. If you "
    u"need help after that feel free to send me an email."_s;
// Followed by the settings file and the reason.
inline const QString kSettingsUnreadable =
    u"The settings file %1 could not be read: %2.\r"
    u"Vantorel leaves it as it is and keeps no settings in it."_s;
inline const QString kExitQuestion = u"Are you sure you want to exit?"_s;
inline const QString kExitTitle = u"Exit?"_s;
inline const QString kHomepage = u"http://www.quenmoor.example/"_s;
// The user guide, relative to the data folder.
inline const QString kUserGuide = u"/docs/index.html"_s;
// Followed by the guide's file.
#ifdef Q_OS_WIN
inline const QString kNoGuideViewer =
    u"No program was found to show the user guide (no web browser opens .html files). "
    u"Open this file in a web browser:\r"_s;
#else
inline const QString kNoGuideViewer =
    u"No program was found to show the user guide (xdg-open, from the xdg-utils package). "
    u"Open this file in a web browser:\r"_s;
#endif

// The program's windows as the lifecycle sees them. The Qt windows implement
// it; the tests record the calls.
class ShellWindows {
  public:
    virtual ~ShellWindows() = default;
    // A fresh main window whose start-up has run, centred but not shown yet.
    virtual void loadMainWindow() = 0;
    virtual void showMainWindow() = 0;
    virtual void unloadMainWindow() = 0;
    // The Configure dialog, non-modal, showing the saved folders.
    virtual void openConfigure() = 0;
    virtual void unloadConfigure() = 0;
    // The one About box; brought forward when it is open already.
    virtual void openAbout() = 0;
    // Ends the program at once, saving nothing.
    virtual void quit() = 0;
};

// Which window is open when, and the menu commands that open, close or leave
// the program: start-up with the first-run greeting, Configure, Exit, About,
// help and the home page.
class Shell {
  public:
    Shell(Desktop& desktop, ShellWindows& windows, AppPaths paths);

    const QString& settingsFile() const { return paths_.settingsFile(); }

    // Program start, and every reopening of the main window. False when the
    // first run put the Configure dialog up instead of the main window.
    bool start();
    // The Configure dialog's "Save..." (after a successful write) or "Cancel".
    void configureLeft();

    // Menu commands of the main window.
    void openConfigure();
    void exitProgram();
    void showAbout();
    // The guide in the desktop's browser; where none can be started, a
    // message with the guide's file.
    void openUserGuide();
    void openHomepage();

  private:
    bool firstRunDue();
    void reportUnreadableSettings();

    Desktop& desktop_;
    ShellWindows& windows_;
    AppPaths paths_;
    // The greeting is shown once per run even when first=no could not be
    // written: otherwise every return from Configure would greet again and
    // the main window would never come back.
    bool greeted_ = false;
    // A settings file that can't be read is reported once per run, not at
    // every return from Configure.
    bool settingsChecked_ = false;
};

}  // namespace vtl
