#include "modes/ColourList.h"

#include "charset/Sheet.h"
#include "modes/Quake3FamilyModes.h"
#include "modes/SheetLoader.h"

namespace vtl {

QImage ownCharsetInColour(const WindowState& state, const QByteArray& colourCode) {
    if (!state.ownCharsetTinted || colourCode.isEmpty()) {
        return state.ownCharset;
    }
    // The digit is the code's last character ("^^8" is black, as "^0").
    return charset::tintedSheet(state.ownCharset, charset::textColour(colourCode.back()));
}

void selectColour(WindowState& state, Desktop& desktop, const QString& appDir, int index) {
    if (const FamilyRow* family = currentFamilyRow(state)) {
        selectFamilyColour(state, desktop, *family, index);
        return;
    }
    // Even re-choosing the current colour writes its code again.
    state.ColorWritten = false;
    if (index >= 0 && index < static_cast<int>(kColours.size())) {
        const Colour& colour = kColours[static_cast<std::size_t>(index)];
        state.ColorPrefix = QByteArray(colour.code);
        state.sheetSource = state.ownCharset.isNull()
                                ? loadSheetOrBlank(builtInSheetPath(appDir, colour.sheet), desktop)
                                : ownCharsetInColour(state, state.ColorPrefix);
    } else {
        showInfo(desktop, kUnknownColourMessage);
    }
    state.mapPicture = state.sheetSource;
}

}  // namespace vtl
