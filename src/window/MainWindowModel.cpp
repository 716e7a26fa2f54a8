#include "window/MainWindowModel.h"

#include "check/CheckModes.h"
#include "check/CheckQuestions.h"
#include "core/NameEditing.h"
#include "ini/Ini.h"
#include "modes/TableRoutines.h"
#include "output/OutputCommands.h"
#include "window/GameCharsetCommands.h"
#include "window/Shell.h"

namespace vtl {

MainWindowModel::MainWindowModel(Desktop& desktop, AppPaths paths)
    : desktop_(desktop), paths_(std::move(paths)) {}

void MainWindowModel::start() {
    state_.Config = ConfigKind::Q3Config;
    Q3Mode(state_, desktop_, paths_.dataDir());
    state_.Family = GameFamily::Colour;
    state_.mapPicture = state_.sheetSource;
    state_.CursorPos = 1;
    state_.modeLabel = QString::fromUtf16(kQ3ALabel);
    applyRememberedCharset(state_, settingsFile(), GameMode::Quake3Arena, QString());
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
    if (!confirmLineWrite(desktop_, nameCheck())) {
        return;
    }
    vtl::saveName(state_, desktop_);
}
void MainWindowModel::quickSave() {
    const CheckReport check = nameCheck();
    // Both questions come once the config is known, right before the write.
    vtl::quickSave(
        state_, desktop_,
        [this](const QString& key) {
            return ReadIni(QString::fromUtf16(kSettingsSection), key, settingsFile(),
                           IniText::FileName);
        },
        [this, &check](const QString& path, qint64 sizeAfter) {
            return confirmLineWrite(desktop_, check) &&
                   confirmConfigSize(desktop_, check.mode, path, sizeAfter);
        });
}

CheckReport MainWindowModel::nameCheck() const {
    const std::optional<CheckMode> mode = checkModeOfLabel(state_.modeLabel);
    if (!mode) {
        return {};
    }
    std::array<QByteArray, kNameLength> fragments;
    for (int k = 0; k < kNameLength; ++k) {
        fragments[static_cast<size_t>(k)] = state_.cells[static_cast<size_t>(k)].fragment;
    }
    return checkName(*mode, tagPositions(*mode, fragments, state_.LinePrefix, state_.LineSuffix));
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
    const QString labelBefore = state_.modeLabel;
    switchMode(state_, desktop_, paths_.dataDir(), mode);
    applyRememberedCharset(state_, settingsFile(), mode, labelBefore);
}

void MainWindowModel::useGameCharset() {
    vtl::useGameCharset(state_, desktop_, settingsFile());
}

void MainWindowModel::useBuiltInCharset() {
    vtl::useBuiltInCharset(state_, desktop_, paths_.dataDir(), settingsFile());
}

void MainWindowModel::chooseColour(int index) {
    state_.colourListIndex = index;
    selectColour(state_, desktop_, paths_.dataDir(), index);
}

}  // namespace vtl
