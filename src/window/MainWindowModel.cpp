#include "window/MainWindowModel.h"

#include "core/NameEditing.h"
#include "ini/Ini.h"
#include "output/OutputCommands.h"
#include "window/Shell.h"

namespace vtl {

MainWindowModel::MainWindowModel(Desktop& desktop, QString appDir)
    : desktop_(desktop), appDir_(std::move(appDir)) {}

QString MainWindowModel::settingsFile() const {
    return settingsFileIn(appDir_);
}

void MainWindowModel::start() {
    switchMode(state_, desktop_, appDir_, GameMode::Quake3Arena);
}

void MainWindowModel::pickGlyph(int code) {
    vtl::pickGlyph(state_, desktop_, code);
}
void MainWindowModel::previewGlyph(int code) {
    vtl::previewGlyph(state_, code);
}
void MainWindowModel::clearPreview() {
    vtl::clearPreview(state_);
}
void MainWindowModel::deleteAtCursor() {
    vtl::deleteAtCursor(state_);
}
void MainWindowModel::moveCursorTo(int slot) {
    vtl::moveCursorTo(state_, slot);
}

void MainWindowModel::editRawNameBox(const QString& text) {
    state_.rawNameBox = text;
}
void MainWindowModel::editCommandLineBox(const QString& text) {
    state_.commandLineBox = text;
}

void MainWindowModel::newName() {
    vtl::startNewName(state_);
}
void MainWindowModel::saveName() {
    vtl::saveName(state_, desktop_);
}
void MainWindowModel::quickSave() {
    vtl::quickSave(state_, desktop_, [this](const QString& key) {
        return ReadIni(QString::fromUtf16(kSettingsSection), key, settingsFile());
    });
}
void MainWindowModel::exportAsBitmap() {
    vtl::exportNameAsBitmap(state_, desktop_);
}
void MainWindowModel::copyCommandLine() {
    vtl::copyCommandLine(state_, desktop_);
}
void MainWindowModel::copyRawName() {
    vtl::copyRawName(state_, desktop_);
}

void MainWindowModel::selectMode(GameMode mode) {
    switchMode(state_, desktop_, appDir_, mode);
}

void MainWindowModel::chooseColour(int index) {
    state_.colourListIndex = index;
    selectColour(state_, desktop_, appDir_, index);
}

}  // namespace vtl
