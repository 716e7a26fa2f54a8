#include "models/ConfigureForm.h"

#include "ini/Ini.h"
#include "ini/Settings.h"

namespace vtl {

ConfigureForm::ConfigureForm(Desktop& desktop, QString settingsFile, UserFolders user)
    : desktop_(desktop), settingsFile_(std::move(settingsFile)), user_(std::move(user)) {}

QString ConfigureForm::folderBoxText(const QString& typed) {
    QString text = typed;
    text.remove(u'\r').remove(u'\n').remove(QChar(0));
    return text;
}

void ConfigureForm::load() {
    const QString section = kSettingsSection;
    quake3Folder = ReadIni(section, kQ3FolderKey, settingsFile_, IniText::FileName);
    quakeFolder = ReadIni(section, kQ1FolderKey, settingsFile_, IniText::FileName);
}

void ConfigureForm::browseInto(QString& box, InstalledGame game) {
    const QString folder = desktop_.chooseFolder(kFolderPrompt, gameFolderShortcuts(game, user_));
    if (isUnusableFolderName(folder)) {
        showWarning(desktop_, kUnusableFolderText.arg(folder));
    } else if (!folder.isEmpty()) {
        box = folder;
    }
}

void ConfigureForm::browseQuake3Folder() {
    browseInto(quake3Folder, InstalledGame::Quake3);
}

void ConfigureForm::browseQuakeFolder() {
    browseInto(quakeFolder, InstalledGame::Quake);
}

bool ConfigureForm::save() {
    const QString section = kSettingsSection;
    QString reason;
    // One write for both: either both folders are stored or neither.
    if (WriteIni(section, {{kQ3FolderKey, quake3Folder}, {kQ1FolderKey, quakeFolder}},
                 settingsFile_, &reason, IniText::FileName)) {
        return true;
    }
    showWarning(desktop_, kFoldersNotSaved + u'\r' + reason);
    return false;
}

}  // namespace vtl
