#include "modes/ColourList.h"

#include "charset/Sheet.h"
#include "modes/GameModes.h"
#include "modes/Quake3FamilyModes.h"
#include "modes/SheetLoader.h"

namespace vtl {

const ColourSet& listedColours(const WindowState& state) {
    const ColourSet* colours = currentColours(state);
    return colours ? *colours : kQuake3Colours;
}

QImage ownCharsetInColour(const WindowState& state, const QByteArray& colourCode) {
    if (!state.ownCharsetTinted || colourCode.isEmpty()) {
        return state.ownCharset;
    }
    // The colour is the code's last character's ("^^8" is black, as "^0").
    const ColourSet& colours = listedColours(state);
    const int index = colours.indexOf(static_cast<unsigned char>(colourCode.back()));
    return charset::tintedSheet(state.ownCharset, colours.colours[static_cast<std::size_t>(index)]);
}

QImage colourSheet(const WindowState& state, Desktop& desktop, const QString& appDir,
                   const ColourChoice& colour) {
    if (const FamilyRow* family = currentFamilyRow(state)) {
        return familySheetInColour(state, *family, colour.index);
    }
    return state.ownCharset.isNull()
               ? loadSheetOrBlank(builtInSheetPath(appDir, colour.sheet), desktop)
               : ownCharsetInColour(state, QByteArray(colour.code));
}

void selectColour(WindowState& state, Desktop& desktop, const QString& appDir, int index) {
    if (const FamilyRow* family = currentFamilyRow(state)) {
        selectFamilyColour(state, desktop, *family, index);
        return;
    }
    // Even re-choosing the current colour writes its code again.
    state.ColorWritten = false;
    const ColourSet& colours = listedColours(state);
    if (index >= 0 && index < static_cast<int>(colours.choices.size())) {
        const ColourChoice& colour = colours.choices[static_cast<std::size_t>(index)];
        state.ColorPrefix = QByteArray(colour.code);
        state.sheetSource = colourSheet(state, desktop, appDir, colour);
    } else {
        showInfo(desktop, kUnknownColourMessage);
    }
    state.mapPicture = state.sheetSource;
}

}  // namespace vtl
