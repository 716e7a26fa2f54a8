#include "modes/ColourList.h"

#include "modes/SheetLoader.h"

namespace vtl {

void selectColour(WindowState& state, Desktop& desktop, const QString& appDir, int index) {
    // Even re-choosing the current colour writes its code again.
    state.ColorWritten = false;
    if (index >= 0 && index < static_cast<int>(kColours.size())) {
        const Colour& colour = kColours[static_cast<std::size_t>(index)];
        state.ColorPrefix = QByteArray(colour.code);
        state.sheetSource = loadSheetOrBlank(builtInSheetPath(appDir, colour.sheet), desktop);
    } else {
        showInfo(desktop, QString::fromUtf16(kUnknownColourMessage));
    }
    state.mapPicture = state.sheetSource;
}

}  // namespace vtl
