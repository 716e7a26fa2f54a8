#include "modes/Quake3FamilyModes.h"

#include <algorithm>

#include "modes/ColourList.h"
#include "modes/SheetLoader.h"

namespace vtl {

const FamilyRow* familyRow(GameMode mode) {
    const auto* row = std::find_if(kFamilyRows.begin(), kFamilyRows.end(),
                                   [mode](const FamilyRow& r) { return r.mode == mode; });
    return row == kFamilyRows.end() ? nullptr : row;
}

const FamilyRow* currentFamilyRow(const WindowState& state) {
    return state.Mode ? familyRow(*state.Mode) : nullptr;
}

namespace {

// The list row of the colour code pending or in force; white when none.
int currentRow(const WindowState& state, const FamilyRow& row) {
    const auto set = colourSet(row.syntax);
    for (std::size_t i = 0; i < set.size(); ++i) {
        if (colourCode(set[i]) == state.ColorPrefix) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(colourRowOfDigit(row.syntax, 7).value_or(0));
}

// The mode's own glyphs: the text game's font, or the white Quake III sheet.
QImage builtInGlyphs(WindowState& state, const QImage& whiteSheet, const QString& appDir,
                     const FamilyRow& row) {
    if (!row.text) {
        return glyphsOfWhiteSheet(whiteSheet);
    }
    const charset::LocatedFont font = locateTextGameFont(*row.text, appDir);
    if (font.standIn) {
        state.charsetNote = kStandInFontNote.arg(font.source);
    }
    return charset::fontSheet(font.font);
}

}  // namespace

void useFamilyGlyphs(WindowState& state, const FamilyRow& row, const QImage& glyphs) {
    state.tintGlyphs = glyphs;
    state.mapMarks = row.text ? textMapMarks(glyphs, *row.text) : QImage();
    state.sheetSource = familySheetInColour(state, row, currentRow(state, row));
    state.mapPicture = withMarks(state.sheetSource, state.mapMarks);
}

void enterFamilyMode(WindowState& state, const QString& appDir, const FamilyRow& row) {
    useFamilyGlyphs(state, row, builtInGlyphs(state, state.sheetSource, appDir, row));
}

void useBuiltInFamilyGlyphs(WindowState& state, Desktop& desktop, const QString& appDir,
                            const FamilyRow& row) {
    const QImage white =
        row.text ? QImage()
                 : loadSheetOrBlank(builtInSheetPath(appDir, BuiltInSheet::Q3White), desktop);
    useFamilyGlyphs(state, row, builtInGlyphs(state, white, appDir, row));
}

QImage familySheetInColour(const WindowState& state, const FamilyRow& row, int index) {
    const auto set = colourSet(row.syntax);
    index = std::clamp(index, 0, static_cast<int>(set.size()) - 1);
    return sheetInColour(state.tintGlyphs, set[static_cast<std::size_t>(index)].rgb);
}

void selectFamilyColour(WindowState& state, Desktop& desktop, const FamilyRow& row, int index) {
    state.ColorWritten = false;
    const auto set = colourSet(row.syntax);
    if (index >= 0 && index < static_cast<int>(set.size())) {
        state.ColorPrefix = colourCode(set[static_cast<std::size_t>(index)]);
        state.sheetSource = familySheetInColour(state, row, index);
    } else {
        showInfo(desktop, kUnknownColourMessage);
    }
    state.mapPicture = withMarks(state.sheetSource, state.mapMarks);
}

}  // namespace vtl
