#pragma once

#include <array>

#include "modes/ColourSet.h"
#include "modes/Quake3Colours.h"

// The colour sets of the Quake III-family games played today, each in the
// game's own table order (black first) with its own index rule. Black is
// written ^0: none of these games' name cleaners drops it. The sheet named
// in each choice is not used: these modes tint their glyphs at run time
// (modes/Quake3FamilyModes.cpp). The colours themselves are colour/ColourSets.h's.

namespace vtl {

constexpr int urbanTerrorColourIndex(unsigned char c) {
    return ((c - '0') % 10 + 10) % 10;
}
constexpr int tenColourIndex(unsigned char c) {
    const int index = (c - '0') & 15;
    return index < 10 ? index : 7;
}
constexpr int etLegacyColourIndex(unsigned char c) {
    return c == '*' ? 7 : (c - '0') & 31;  // ^* is the base colour, white in a name
}

// Their glyphs are tinted from the white Quake III sheet.
constexpr BuiltInSheet whiteSheet(int) {
    return BuiltInSheet::Q3White;
}

inline constexpr auto kUrbanTerrorTable = colourTableOf(colour::kUrbanTerrorPalette);
inline constexpr auto kUrbanTerrorChoices = choicesOf(colour::kUrbanTerrorPalette, whiteSheet);
inline constexpr auto kTenColourTable = colourTableOf(colour::kTenColourPalette);
inline constexpr auto kTenColourChoices = choicesOf(colour::kTenColourPalette, whiteSheet);
inline constexpr auto kEtLegacyTable = colourTableOf(colour::kEtLegacyPalette);
inline constexpr auto kEtLegacyChoices = choicesOf(colour::kEtLegacyPalette, whiteSheet);
inline constexpr auto kQuakeLiveTable = colourTableOf(colour::kQuakeLivePalette);
inline constexpr auto kQuakeLiveChoices = choicesOf(colour::kQuakeLivePalette, whiteSheet);

inline constexpr ColourSet kUrbanTerrorColours{
    kUrbanTerrorTable,
    urbanTerrorColourIndex,
    '^',
    kUrbanTerrorChoices,
    "^7",
    "^0",
    7,
    &colour::kUrbanTerrorColours,
};
inline constexpr ColourSet kOpenJKColours{
    kTenColourTable, tenColourIndex, '^', kTenColourChoices, "^7", "^0", 7, &colour::kTenColours,
};
inline constexpr ColourSet kWarforkColours = kOpenJKColours;
inline constexpr ColourSet kEtLegacyColours{
    kEtLegacyTable,
    etLegacyColourIndex,
    '^',
    kEtLegacyChoices,
    "^7",
    "^0",
    7,
    &colour::kEtLegacyColours,
};
// Quake Live's table is not public: the eight every Quake III engine has.
inline constexpr ColourSet kQuakeLiveColours{
    kQuakeLiveTable,
    quake3ColourIndex,
    '^',
    kQuakeLiveChoices,
    "^7",
    "^0",
    7,
    &colour::kQuakeLiveColours,
};

// Xonotic's ^0-^9; the colour list adds "Other colour…" for ^xRGB.
constexpr int darkPlacesColourIndex(unsigned char c) {
    return c >= '0' && c <= '9' ? c - '0' : 7;
}
inline constexpr auto kDarkPlacesTable = colourTableOf(colour::kDarkPlacesPalette);
inline constexpr auto kDarkPlacesChoices = choicesOf(colour::kDarkPlacesPalette, whiteSheet);
inline constexpr ColourSet kXonoticColours{
    kDarkPlacesTable,
    darkPlacesColourIndex,
    '^',
    kDarkPlacesChoices,
    "^7",
    "^0",
    7,
    &colour::kDarkPlacesColours,
};

}  // namespace vtl
