#include "window/MainWindowModel.h"

#include "core/NameEditing.h"
#include "core/NameHistory.h"
#include "ini/Ini.h"
#include "modes/TableRoutines.h"
#include "output/NameLoading.h"
#include "output/NamePicture.h"
#include "output/OutputCommands.h"
#include "window/GameCharsetCommands.h"
#include "window/Shell.h"

namespace vtl {
namespace {

// Enough for any session of composing; bounds the memory of a long one.
constexpr int kHistoryLimit = 1000;

}  // namespace

MainWindowModel::MainWindowModel(Desktop& desktop, QString appDir)
    : desktop_(desktop), appDir_(std::move(appDir)) {
    history_.setUndoLimit(kHistoryLimit);
}

QString MainWindowModel::settingsFile() const {
    return settingsFileIn(appDir_);
}

void MainWindowModel::start() {
    state_.Config = ConfigKind::Q3Config;
    Q3Mode(state_, desktop_, appDir_);
    state_.Family = GameFamily::Colour;
    state_.mapPicture = state_.sheetSource;
    state_.CursorPos = 1;
    state_.modeLabel = QString::fromUtf16(kQ3ALabel);
    applyRememberedCharset(state_, settingsFile(), GameMode::Quake3Arena, QString());
    history_.clear();
}

void MainWindowModel::pickGlyph(int code) {
    changeName(QString::fromUtf16(kAddGlyphChange),
               [&](WindowState& s) { vtl::pickGlyph(s, desktop_, code); });
}
void MainWindowModel::previewGlyph(int code) {
    vtl::previewGlyph(state_, code);
}
void MainWindowModel::clearPreview() {
    vtl::clearPreview(state_);
}
void MainWindowModel::deleteAtCursor() {
    changeName(QString::fromUtf16(kDeleteChange), [](WindowState& s) { vtl::deleteAtCursor(s); });
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
    changeName(QString::fromUtf16(kNewNameChange), [](WindowState& s) { vtl::startNewName(s); });
}
// A load is one change however many positions it fills; a refused or
// cancelled load changes nothing and so records nothing.
void MainWindowModel::openName() {
    changeName(QString::fromUtf16(kOpenNameChange), [&](WindowState& s) {
        vtl::openName(s, desktop_, colourSheetsOf(s, appDir_, desktop_));
    });
}
void MainWindowModel::pasteName() {
    changeName(QString::fromUtf16(kPasteNameChange), [&](WindowState& s) {
        vtl::pasteName(s, desktop_, colourSheetsOf(s, appDir_, desktop_));
    });
}

void MainWindowModel::saveName() {
    vtl::saveName(state_, desktop_);
}
void MainWindowModel::quickSave() {
    vtl::quickSave(state_, desktop_, [this](const QString& key) {
        return ReadIni(QString::fromUtf16(kSettingsSection), key, settingsFile(),
                       IniText::FileName);
    });
}
void MainWindowModel::exportAsBitmap() {
    vtl::exportNameAsBitmap(state_, desktop_);
}
void MainWindowModel::exportAsPng() {
    vtl::exportNameAsPng(state_, desktop_);
}
void MainWindowModel::copyNameAsPicture() {
    vtl::copyNameAsPicture(state_, desktop_);
}
void MainWindowModel::copyCommandLine() {
    vtl::copyCommandLine(state_, desktop_);
}
void MainWindowModel::copyRawName() {
    vtl::copyRawName(state_, desktop_);
}

void MainWindowModel::selectMode(GameMode mode) {
    const QString labelBefore = state_.modeLabel;
    switchMode(state_, desktop_, appDir_, mode);
    applyRememberedCharset(state_, settingsFile(), mode, labelBefore);
    history_.clear();
}

void MainWindowModel::useGameCharset() {
    vtl::useGameCharset(state_, desktop_, settingsFile());
}

void MainWindowModel::useBuiltInCharset() {
    vtl::useBuiltInCharset(state_, desktop_, appDir_, settingsFile());
}

void MainWindowModel::chooseColour(int index) {
    state_.colourListIndex = index;
    selectColour(state_, desktop_, appDir_, index);
}

void MainWindowModel::undo() {
    history_.undo();
}
void MainWindowModel::redo() {
    history_.redo();
}

void MainWindowModel::changeName(const QString& label,
                                 const std::function<void(WindowState&)>& edit) {
    recordNameChange(history_, state_, label, [&] { edit(state_); });
}

}  // namespace vtl
