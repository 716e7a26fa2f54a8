#include "modes/Quake3FamilyModes.h"

#include <algorithm>

#include "modes/ColourList.h"
#include "modes/NameColours.h"
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

// The colour of the code pending or in force; white when none.
QRgb currentColour(const WindowState& state, const FamilyRow& row) {
    return qRgbOf(colour::colourOfCode(paletteOf(row.syntax), state.ColorPrefix)
                      .value_or(colour::Rgb{255, 255, 255}));
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
    state.sheetSource = sheetInColour(state.tintGlyphs, currentColour(state, row));
    state.mapPicture = withMarks(state.sheetSource, state.mapMarks);
}

void enterFamilyMode(WindowState& state, const QString& appDir, const FamilyRow& row) {
    useFamilyGlyphs(state, row, builtInGlyphs(state, state.sheetSource, appDir, row));
}

void useBuiltInFamilyGlyphs(WindowState& state, Desktop& desktop, const QString& appDir,
                            const FamilyRow& row) {
    const QImage white =
        row.text ? QImage()
                 : loadSheetOrBlank(builtInSheetPath(appDir, *gameRow(row.mode).sheet), desktop);
    useFamilyGlyphs(state, row, builtInGlyphs(state, white, appDir, row));
}

QImage familySheetInColour(const WindowState& state, const FamilyRow& row, int index) {
    const auto set = colourSet(row.syntax);
    index = std::clamp(index, 0, static_cast<int>(set.size()) - 1);
    return sheetInColour(state.tintGlyphs, qRgbOf(set[static_cast<std::size_t>(index)].rgb));
}

void selectFamilyColour(WindowState& state, Desktop& desktop, const FamilyRow& row, int index) {
    const auto set = colourSet(row.syntax);
    const colour::ColourSet& palette = paletteOf(row.syntax);
    if (palette.rgbCodes && index == static_cast<int>(set.size())) {
        // "Other colour…": cancel leaves the colour as it was.
        const std::optional<QByteArray> code =
            chooseOtherColour(desktop, palette, state.ColorPrefix);
        if (code) {
            state.ColorWritten = false;
            state.ColorPrefix = *code;
            state.sheetSource = sheetInColour(state.tintGlyphs, currentColour(state, row));
            state.mapPicture = withMarks(state.sheetSource, state.mapMarks);
        }
        return;
    }
    state.ColorWritten = false;
    if (index >= 0 && index < static_cast<int>(set.size())) {
        state.ColorPrefix = colourCode(set[static_cast<std::size_t>(index)]);
        state.sheetSource = familySheetInColour(state, row, index);
    } else {
        showInfo(desktop, kUnknownColourMessage);
    }
    state.mapPicture = withMarks(state.sheetSource, state.mapMarks);
}

}  // namespace vtl
