#include "modes/GameModes.h"

#include "modes/CustomSheet.h"
#include "modes/SheetLoader.h"
#include "modes/TableRoutines.h"

namespace vtl {
namespace {

QString text(const char16_t* constant) {
    return QString::fromUtf16(constant);
}

void loadBuiltInSheet(WindowState& state, Desktop& desktop, const QString& appDir,
                      BuiltInSheet sheet) {
    state.sheetSource = loadSheetOrBlank(builtInSheetPath(appDir, sheet), desktop);
}

void showSheet(WindowState& state) {
    state.mapPicture = state.sheetSource;
}

// The two modification modes: the user's picture becomes the sheet of a byte
// mode. Cancel or a picture that can't be read leaves everything as it was,
// except Quick Save, which is off before the dialog opens.
void customSheetMode(WindowState& state, Desktop& desktop, const char16_t* label) {
    state.quickSaveEnabled = false;
    FileDialogRequest request;
    request.title = text(kOpenDialogTitle);
    request.filters = customSheetFilters();
    request.selectedFilter = 0;
    request.initialFolder = dialogStartFolder();
    const std::optional<QString> path = desktop.openFile(request);
    if (!path || path->isEmpty()) {
        return;
    }
    QString reason;
    std::optional<QImage> picture = readCustomSheet(*path, reason);
    if (!picture) {
        showInfo(desktop, unreadablePictureMessage(*path, reason));
        return;
    }
    state.sheetSource = *std::move(picture);
    showSheet(state);
    state.modeLabel = text(label);
    QuakeEngineMODE(state);
}

}  // namespace

QStringList customSheetFilters() {
    return {QStringLiteral("Bitmaps (*.Bmp)"), QStringLiteral("GIF Files (*.Gif)"),
            QStringLiteral("JPEG Files (*.Jpg)")};
}

void switchMode(WindowState& state, Desktop& desktop, const QString& appDir, GameMode mode) {
    switch (mode) {
        case GameMode::QuakeWorld:
            state.quickSaveEnabled = true;
            loadBuiltInSheet(state, desktop, appDir, BuiltInSheet::QuakeWorld);
            showSheet(state);
            QuakeEngineMODE(state);
            state.modeLabel = text(kQuakeWorldLabel);
            state.Config = ConfigKind::Q1Config;
            break;
        case GameMode::QuakeWorldMod:
            customSheetMode(state, desktop, kQuakeWorldModLabel);
            break;
        case GameMode::Quake2:
            loadBuiltInSheet(state, desktop, appDir, BuiltInSheet::Quake2);
            state.quickSaveEnabled = false;
            showSheet(state);
            QuakeEngineMODE(state);
            state.modeLabel = text(kQuake2Label);
            break;
        case GameMode::Quake2Hex:
            Q2Mode(state);
            // A hex-encoded Quake II name has no place in the Quake or
            // Quake III config that Quick Save would otherwise still target.
            state.quickSaveEnabled = false;
            loadBuiltInSheet(state, desktop, appDir, BuiltInSheet::Quake2);
            showSheet(state);
            state.modeLabel = text(kRivCtfLabel);
            break;
        case GameMode::Quake3Arena:
            Q3Mode(state, desktop, appDir);
            state.quickSaveEnabled = true;
            showSheet(state);
            state.modeLabel = text(kQ3ALabel);
            state.Config = ConfigKind::Q3Config;
            state.ColorWritten = false;
            break;
        case GameMode::Hexen2:
            loadBuiltInSheet(state, desktop, appDir, BuiltInSheet::Hexen2);
            state.quickSaveEnabled = false;
            showSheet(state);
            QuakeEngineMODE(state);
            state.modeLabel = text(kHexen2Label);
            break;
        case GameMode::Hexen2Mod:
            customSheetMode(state, desktop, kHexen2ModLabel);
            break;
        case GameMode::Wolfenstein:
            Q3Mode(state, desktop, appDir);
            state.quickSaveEnabled = false;
            showSheet(state);
            state.modeLabel = text(kWolf3dLabel);
            state.ColorWritten = false;
            break;
        case GameMode::JumpGate:
            // QuakeEngineMODE offers Save Name again: a JumpGate name can be
            // saved like any other.
            state.quickSaveEnabled = false;
            loadBuiltInSheet(state, desktop, appDir, BuiltInSheet::JumpGate);
            showSheet(state);
            QuakeEngineMODE(state);
            state.modeLabel = text(kJumpGateLabel);
            break;
    }
}

}  // namespace vtl
