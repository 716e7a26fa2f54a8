#include "modes/ColourList.h"

#include <algorithm>
#include <optional>

#include "charset/Sheet.h"
#include "modes/GameModes.h"
#include "modes/Quake3FamilyModes.h"
#include "modes/SheetLoader.h"

namespace vtl {
namespace {

// The row text has before any code: the game's start colour.
int whiteRow(const ColourSet& colours) {
    return colours.choiceWithCode(colours.startCode).value_or(0);
}

// Walks one fragment from the colour `row` in force before it, leaving the
// row in force after it; returns the row its first glyph byte is drawn in,
// or none when the fragment holds codes alone. The escape is a code with the
// byte after it (black as the game writes it) when that byte is no escape.
std::optional<int> walkFragment(const ColourSet& colours, const QByteArray& fragment, int& row) {
    const QByteArray black(colours.blackCode);
    std::optional<int> glyphRow;
    const bool rgbCodes = colours.palette != nullptr && colours.palette->rgbCodes;
    for (qsizetype i = 0; i < fragment.size();) {
        // The games with ^xRGB read codes by their own rule (^^ is a caret).
        if (const qsizetype length = rgbCodes ? colours.palette->codeLength(fragment, i) : 0) {
            row = colourRowOfCode(colours, fragment.mid(i, length));
            i += length;
        } else if (rgbCodes) {
            if (!glyphRow) {
                glyphRow = row;
            }
            ++i;
        } else if (fragment[i] == colours.escape && fragment.mid(i, black.size()) == black) {
            row = colourRowOfCode(colours, black);
            i += black.size();
        } else if (fragment[i] == colours.escape && i + 1 < fragment.size() &&
                   fragment[i + 1] != colours.escape) {
            row = colourRowOfCode(colours, fragment.mid(i, 2));
            i += 2;
        } else {
            if (!glyphRow) {
                glyphRow = row;
            }
            ++i;
        }
    }
    return glyphRow;
}

}  // namespace

int colourRowOfCode(const ColourSet& colours, const QByteArray& code) {
    if (code.isEmpty()) {
        return whiteRow(colours);
    }
    if (colours.palette != nullptr && colours.palette->rgbCodes) {
        if (const std::optional<colour::Rgb> rgb = colour::colourOfRgbCode(code)) {
            return kRgbRows + (rgb->r << 16 | rgb->g << 8 | rgb->b);
        }
    }
    return colours.choiceOf(static_cast<unsigned char>(code.back())).value_or(whiteRow(colours));
}

std::array<int, kNameLength> writtenColourRows(const ColourSet& colours,
                                               const std::array<NameCell, kNameLength>& cells) {
    std::array<int, kNameLength> rows{};
    int row = whiteRow(colours);
    for (size_t k = 0; k < cells.size(); ++k) {
        const int before = row;
        rows[k] = walkFragment(colours, cells[k].fragment, row).value_or(before);
    }
    return rows;
}

int colourInForceAfter(const ColourSet& colours, const std::array<NameCell, kNameLength>& cells,
                       int count) {
    int row = whiteRow(colours);
    for (int k = 0; k < std::min(count, kNameLength); ++k) {
        walkFragment(colours, cells[static_cast<size_t>(k)].fragment, row);
    }
    return row;
}

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
