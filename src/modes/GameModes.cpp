#include "modes/GameModes.h"

#include <algorithm>

#include "modes/Quake3FamilyModes.h"
#include "modes/SheetLoader.h"
#include "modes/TableRoutines.h"

namespace vtl {
namespace {

// The user's picture for the custom-picture modes; nothing when the dialog
// is cancelled or the picture can't be read (that is reported).
std::optional<QImage> askForCustomSheet(Desktop& desktop) {
    FileDialogRequest request;
    request.title = kOpenDialogTitle;
    request.filters = customSheetFilters();
    request.selectedFilter = 0;
    request.initialFolder = dialogStartFolder();
    const std::optional<QString> path = desktop.openFile(request);
    if (!path || path->isEmpty()) {
        return std::nullopt;
    }
    ReadProblem problem;
    std::optional<QImage> picture = readPicture(*path, problem);
    if (!picture) {
        showInfo(desktop, unreadablePictureMessage(*path, problem.reason));
    }
    return picture;
}

}  // namespace

const GameRow& gameRow(GameMode mode) {
    const auto* row = std::find_if(kGames.begin(), kGames.end(),
                                   [mode](const GameRow& r) { return r.mode == mode; });
    Q_ASSERT(row != kGames.end());
    return *row;
}

const GameRow* currentGame(const WindowState& state) {
    return state.Mode ? &gameRow(*state.Mode) : nullptr;
}

const ColourSet* currentColours(const WindowState& state) {
    const GameRow* game = currentGame(state);
    return game ? game->colours : nullptr;
}

QStringList customSheetFilters() {
    return {QStringLiteral("Bitmaps (*.Bmp)"), QStringLiteral("GIF Files (*.Gif)"),
            QStringLiteral("JPEG Files (*.Jpg)")};
}

bool switchMode(WindowState& state, Desktop& desktop, const QString& appDir, GameMode mode) {
    const GameRow& row = gameRow(mode);
    state.quickSaveEnabled = row.quickSave;
    std::optional<QImage> sheet =
        row.sheet ? loadSheetOrBlank(builtInSheetPath(appDir, *row.sheet), desktop)
                  : askForCustomSheet(desktop);
    if (!sheet) {
        return false;
    }
    state.Mode = mode;
    applyEncoding(state, row.encoding, row.colours);
    // A user's picture of another size than 256 x 256 is shown as it is, and
    // picks still copy from its top-left grid of 16-pixel cells: the map shows
    // exactly the pixels a pick copies, so nothing is scaled.
    state.sheetSource = *std::move(sheet);
    state.mapPicture = state.sheetSource;
    state.saveNameEnabled = row.saveName;
    state.colourListEnabled = row.colours != nullptr;
    state.modeLabel = QString::fromUtf16(row.label);
    if (row.config) {
        state.Config = *row.config;
    }
    state.charsetNote.clear();
    if (const FamilyRow* family = familyRow(mode)) {
        enterFamilyMode(state, appDir, *family);
    } else {
        state.tintGlyphs = QImage();
        state.mapMarks = QImage();
    }
    return true;
}

}  // namespace vtl
