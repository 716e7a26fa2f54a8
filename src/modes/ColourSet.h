#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QRgb>

#include <array>
#include <optional>
#include <span>

#include "colour/ColourSets.h"
#include "sheets/SheetList.h"

namespace vtl {

// One row of the colour list: its text, the code written before the next
// glyph, the colour index the game reads from that code and the built-in
// sheet that shows glyphs in that colour.
struct ColourChoice {
    const char16_t* name;
    const char* code;
    int index;
    BuiltInSheet sheet;
};

// Everything the program knows about one game's colour codes: the sheets,
// the name import, the check and the Name Check window all ask it. A game
// that brings another colour syntax brings another ColourSet.
struct ColourSet {
    std::span<const QRgb> colours;            // the game's text colour of each index
    int (*indexOf)(unsigned char character);  // the index a code's character picks
    char escape;                              // the byte that starts a code ('^')
    std::span<const ColourChoice> choices;    // the colour list, in list order
    const char* startCode;  // the colour a new name starts in, and the line's closing reset
    const char* blackCode;  // how black is written (the plain code is eaten by the games)
    int white;              // the index text has before any code
    const colour::ColourSet* palette;  // the table the rows above are made from

    // The colour list row whose colour a code's character picks; none when no row has it.
    std::optional<int> choiceOf(unsigned char character) const;
    // The colour list row whose code is `code` exactly.
    std::optional<int> choiceWithCode(QByteArrayView code) const;
    bool meansBlack(unsigned char character) const { return indexOf(character) == 0; }
};

constexpr QRgb qRgbOf(colour::Rgb rgb) {
    return qRgb(rgb.r, rgb.g, rgb.b);
}

// A game's colour table (index -> colour) as its palette gives it.
template <std::size_t N>
constexpr std::array<QRgb, N> colourTableOf(const colour::PaletteEntry (&palette)[N]) {
    std::array<QRgb, N> table{};
    for (const colour::PaletteEntry& entry : palette) {
        table[static_cast<std::size_t>(entry.index)] = qRgbOf(entry.rgb);
    }
    return table;
}

// The colour list's rows in the palette's order, each showing its glyphs in
// the built-in sheet `sheetOf` its table index.
template <std::size_t N>
constexpr std::array<ColourChoice, N> choicesOf(const colour::PaletteEntry (&palette)[N],
                                                BuiltInSheet (*sheetOf)(int index)) {
    std::array<ColourChoice, N> choices{};
    for (std::size_t row = 0; row < N; ++row) {
        choices[row] = {palette[row].name, palette[row].code, palette[row].index,
                        sheetOf(palette[row].index)};
    }
    return choices;
}

}  // namespace vtl
