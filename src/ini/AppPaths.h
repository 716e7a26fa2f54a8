#pragma once

#include <QString>

namespace vtl {

// Where this copy of the program keeps its files.
//
// Data (glyph sheets, user guide, default settings) is taken from beside the
// executable when it is there: the build folder and a portable copy. Else
// from the installed tree, found relative to the executable so that the tree
// can move to another prefix.
//
// The settings file is vtl.ini beside the executable when it is there and can
// be written (the portable case). Otherwise it is the user's own file in the
// configuration folder ($XDG_CONFIG_HOME/vantorel/vtl.ini), which
// createUserSettings() starts from the installed default.
class AppPaths {
  public:
    // exeDir: the executable's folder; configHome: $XDG_CONFIG_HOME or its
    // default ~/.config; dataProbe: a file, relative to a data folder, whose
    // presence shows that the folder holds the program's data.
    static AppPaths locate(const QString& exeDir, const QString& configHome,
                           const QString& dataProbe);
    // The same for the running program.
    static AppPaths ofThisProgram(const QString& dataProbe);
    // Data and settings together in one folder, as in a portable copy.
    static AppPaths inFolder(const QString& dir);

    const QString& dataDir() const { return dataDir_; }
    const QString& settingsFile() const { return settingsFile_; }
    // The settings file a user's own copy starts from.
    QString defaultSettingsFile() const;
    bool settingsBesideProgram() const { return settingsBesideProgram_; }

    // Copies the default settings to the user's settings file when that is
    // missing, so the first start greets once. False, with the reason in
    // *error, when the copy could not be made; the program then runs on
    // without a settings file, as with a missing one.
    bool createUserSettings(QString* error = nullptr) const;

  private:
    QString dataDir_;
    QString settingsFile_;
    bool settingsBesideProgram_ = false;
};

}  // namespace vtl
