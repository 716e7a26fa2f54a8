#include "app/Form1.h"

#include "app/Shell.h"
#include "ini/Ini.h"
#include "modes/TableRoutines.h"
#include "name/NameEditing.h"
#include "output/OutputCommands.h"

namespace vtl {

Form1::Form1(Desktop& desktop, QString appDir) : desktop_(desktop), appDir_(std::move(appDir)) {}

QString Form1::settingsFile() const {
    return settingsFileIn(appDir_);
}

void Form1::Form_Load() {
    state_.Config = ConfigKind::Q3Config;
    Q3Mode(state_, desktop_, appDir_);
    state_.Family = GameFamily::Colour;
    state_.mapPicture = state_.sheetSource;
    state_.CursorPos = 1;
    state_.modeLabel = QString::fromUtf16(kQ3ALabel);
}

void Form1::CharPic_Click(int code) {
    pickCode(state_, desktop_, code);
}
void Form1::CharPic_MouseMove(int code) {
    hoverCode(state_, code);
}
void Form1::Form_MouseMove() {
    MMove(state_);
}
void Form1::Command1_Click() {
    deleteAtCursor(state_);
}
void Form1::Picture5_Click(int slot) {
    moveCursorToSlot(state_, slot);
}

void Form1::NewName_Click() {
    NewName(state_);
}
void Form1::SaveName_Click() {
    SaveName(state_, desktop_);
}
void Form1::quicksave_Click() {
    QuickSave(state_, desktop_, [this](const QString& key) {
        return ReadIni(QString::fromUtf16(kSettingsSection), key, settingsFile());
    });
}
void Form1::exportasbitmap_Click() {
    ExportNameAsBitmap(state_, desktop_);
}
void Form1::copyfunnamecmdlne_Click() {
    CopyCommandLine(state_, desktop_);
}
void Form1::copyrawsrc_Click() {
    CopyRawName(state_, desktop_);
}

void Form1::selectMode(GameMode mode) {
    switchMode(state_, desktop_, appDir_, mode);
}

void Form1::List1_Click(int index) {
    state_.colourListIndex = index;
    selectColour(state_, desktop_, appDir_, index);
}

}  // namespace vtl
