#pragma once

#include <QString>

#include "desktop/Desktop.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kFolderPrompt = u"Please select a folder."_s;
// Followed by a line with the settings file and the reason.
inline const QString kFoldersNotSaved = u"The game folders were not saved."_s;

// The Configure dialog's behaviour: the two game folders as the boxes hold
// them, loaded from and saved to the settings file.
class ConfigureForm {
  public:
    ConfigureForm(Desktop& desktop, QString settingsFile);

    // Text of the Quake III: Arena folder box (settings key q3config).
    QString quake3Folder;
    // Text of the Quake folder box (settings key q1config).
    QString quakeFolder;

    // What a folder box keeps of typed or pasted text: line breaks (a path
    // copied from a terminal ends with one) and NULs can't be part of a
    // folder name the settings file can hold, so they never get in.
    static QString folderBoxText(const QString& typed);

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
