#include "modes/ColourList.h"

#include <algorithm>
#include <optional>

#include "charset/Sheet.h"
#include "modes/SheetLoader.h"

namespace vtl {
namespace {

constexpr int kWhiteRow = 0;

// Walks one fragment from the colour `row` in force before it, leaving the
// row in force after it; returns the row its first glyph byte is drawn in,
// or none when the fragment holds codes alone. A caret is a code with the
// byte after it (`^^8` is the list's Black) when that byte is no caret.
std::optional<int> walkFragment(const QByteArray& fragment, int& row) {
    std::optional<int> glyphRow;
    for (qsizetype i = 0; i < fragment.size();) {
        if (fragment[i] == '^' && fragment.mid(i, 3) == "^^8") {
            row = colourRowOfCodeByte('8');
            i += 3;
        } else if (fragment[i] == '^' && i + 1 < fragment.size() && fragment[i + 1] != '^') {
            row = colourRowOfCodeByte(fragment[i + 1]);
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

int colourRowOfCodeByte(char codeByte) {
    const auto index = [](char c) { return (static_cast<unsigned char>(c) - '0') & 7; };
    for (size_t row = 0; row < kColours.size(); ++row) {
        const QByteArrayView code(kColours[row].code);
        if (index(code.back()) == index(codeByte)) {
            return static_cast<int>(row);
        }
    }
    return kWhiteRow;
}

int colourRowOfCode(const QByteArray& code) {
    return code.isEmpty() ? kWhiteRow : colourRowOfCodeByte(code.back());
}

std::array<int, kNameLength> writtenColourRows(const std::array<NameCell, kNameLength>& cells) {
    std::array<int, kNameLength> rows{};
    int row = kWhiteRow;
    for (size_t k = 0; k < cells.size(); ++k) {
        const int before = row;
        rows[k] = walkFragment(cells[k].fragment, row).value_or(before);
    }
    return rows;
}

int colourInForceAfter(const std::array<NameCell, kNameLength>& cells, int count) {
    int row = kWhiteRow;
    for (int k = 0; k < std::min(count, kNameLength); ++k) {
        walkFragment(cells[static_cast<size_t>(k)].fragment, row);
    }
    return row;
}

QImage ownCharsetInColour(const WindowState& state, const QByteArray& colourCode) {
    if (!state.ownCharsetTinted || colourCode.isEmpty()) {
        return state.ownCharset;
    }
    // The digit is the code's last character ("^^8" is black, as "^0").
    return charset::tintedSheet(state.ownCharset, charset::textColour(colourCode.back()));
}

void selectColour(WindowState& state, Desktop& desktop, const QString& appDir, int index) {
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
