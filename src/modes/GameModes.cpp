#include "modes/GameModes.h"

#include "modes/TableRoutines.h"

namespace vtl {

void switchMode(WindowState& state, Desktop& desktop, const QString& appDir, GameMode mode) {
    if (mode == GameMode::Q3A) {
        Q3Mode(state, desktop, appDir);
        state.quickSaveEnabled = true;
        state.mapPicture = state.sheetSource;
        state.modeLabel = QStringLiteral("Mode: Quake III: Arena");
        state.Config = ConfigKind::Q3Config;
        state.ColorWritten = false;
    }
}

void selectColour(WindowState&, Desktop&, const QString&, int) {}

}  // namespace vtl
