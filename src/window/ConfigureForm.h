#pragma once

#include <QString>

#include "desktop/Desktop.h"

namespace vtl {

inline constexpr char16_t kFolderPrompt[] = u"Please select a folder.";
// Followed by a line with the settings file and the reason.
inline constexpr char16_t kFoldersNotSaved[] = u"The game folders were not saved.";

// The Configure dialog's behaviour: the two game folders as the boxes hold
// them, loaded from and saved to the settings file.
class ConfigureForm {
  public:
    ConfigureForm(Desktop& desktop, QString settingsFile);

    // Text of the Quake III: Arena folder box (settings key q3config).
    QString quake3Folder;
    // Text of the Quake folder box (settings key q1config).
    QString quakeFolder;

    void load();
    // "Browse..." of each box. A cancelled picker keeps what the box held:
    // emptying it would throw away the folder the user had configured.
    void browseQuake3Folder();
    void browseQuakeFolder();
    // "Save...": both folders exactly as typed. False, after telling the
    // user why, when the file could not be written; the dialog then stays.
    bool save();

  private:
    void browseInto(QString& box);

    Desktop& desktop_;
    QString settingsFile_;
};

}  // namespace vtl
