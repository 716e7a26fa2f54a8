#include "app/Form2.h"

#include "app/Shell.h"
#include "ini/Ini.h"

namespace vtl {
namespace {

const QString kQ3Key = QString::fromUtf16(kQ3FolderKey);
const QString kQ1Key = QString::fromUtf16(kQ1FolderKey);

}  // namespace

Form2::Form2(Desktop& desktop, QString settingsFile)
    : desktop_(desktop), settingsFile_(std::move(settingsFile)) {}

void Form2::Form_Load() {
    const QString section = QString::fromUtf16(kSettingsSection);
    Text1 = ReadIni(section, kQ3Key, settingsFile_);
    Text2 = ReadIni(section, kQ1Key, settingsFile_);
}

void Form2::browseInto(QString& box) {
    const QString folder = desktop_.chooseFolder(QString::fromUtf16(kFolderPrompt));
    if (!folder.isEmpty()) {
        box = folder;
    }
}

void Form2::Command1_Click() {
    browseInto(Text1);
}

void Form2::Command4_Click() {
    browseInto(Text2);
}

bool Form2::Command2_Click() {
    const QString section = QString::fromUtf16(kSettingsSection);
    QString reason;
    if (WriteIni(section, kQ3Key, Text1, settingsFile_, &reason) &&
        WriteIni(section, kQ1Key, Text2, settingsFile_, &reason)) {
        return true;
    }
    desktop_.showMessage(Message{QString::fromUtf16(kFoldersNotSaved) + u'\r' + reason,
                                 {},
                                 MessageButtons::Ok,
                                 MessageIcon::Warning,
                                 MessageAnswer::Ok});
    return false;
}

}  // namespace vtl
