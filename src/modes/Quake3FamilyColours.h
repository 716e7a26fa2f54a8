#pragma once

#include <array>

#include "modes/ColourSet.h"
#include "modes/Quake3Colours.h"

// The colour sets of the Quake III-family games played today, each in the
// game's own table order (black first) with its own index rule. Black is
// written ^0: none of these games' name cleaners drops it. The sheet named
// in each choice is not used: these modes tint their glyphs at run time
// (modes/Quake3FamilyModes.cpp). modes/ColourSets.cpp holds the same tables
// with the caret rules the check and the import use.

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

inline constexpr std::array<QRgb, 10> kUrbanTerrorTable{
    qRgb(0, 0, 0),     qRgb(255, 0, 0),   qRgb(0, 255, 0),     qRgb(255, 255, 0), qRgb(0, 0, 255),
    qRgb(0, 255, 255), qRgb(255, 0, 255), qRgb(255, 255, 255), qRgb(224, 79, 33), qRgb(74, 77, 48),
};
inline constexpr std::array<ColourChoice, 10> kUrbanTerrorChoices{{
    {u"Black", "^0", 0, BuiltInSheet::Q3White},
    {u"Red", "^1", 1, BuiltInSheet::Q3White},
    {u"Green", "^2", 2, BuiltInSheet::Q3White},
    {u"Yellow", "^3", 3, BuiltInSheet::Q3White},
    {u"Blue", "^4", 4, BuiltInSheet::Q3White},
    {u"Cyan", "^5", 5, BuiltInSheet::Q3White},
    {u"Magenta", "^6", 6, BuiltInSheet::Q3White},
    {u"White", "^7", 7, BuiltInSheet::Q3White},
    {u"Orange", "^8", 8, BuiltInSheet::Q3White},
    {u"Olive", "^9", 9, BuiltInSheet::Q3White},
}};
inline constexpr std::array<QRgb, 10> kTenColourTable{
    qRgb(0, 0, 0),     qRgb(255, 0, 0),     qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),   qRgb(0, 255, 255),   qRgb(255, 0, 255), qRgb(255, 255, 255),
    qRgb(255, 128, 0), qRgb(128, 128, 128),
};
inline constexpr std::array<ColourChoice, 10> kTenColourChoices{{
    {u"Black", "^0", 0, BuiltInSheet::Q3White},
    {u"Red", "^1", 1, BuiltInSheet::Q3White},
    {u"Green", "^2", 2, BuiltInSheet::Q3White},
    {u"Yellow", "^3", 3, BuiltInSheet::Q3White},
    {u"Blue", "^4", 4, BuiltInSheet::Q3White},
    {u"Cyan", "^5", 5, BuiltInSheet::Q3White},
    {u"Magenta", "^6", 6, BuiltInSheet::Q3White},
    {u"White", "^7", 7, BuiltInSheet::Q3White},
    {u"Orange", "^8", 8, BuiltInSheet::Q3White},
    {u"Grey", "^9", 9, BuiltInSheet::Q3White},
}};
inline constexpr std::array<QRgb, 32> kEtLegacyTable{
    qRgb(0, 0, 0),      qRgb(255, 0, 0),     qRgb(0, 255, 0),     qRgb(255, 255, 0),
    qRgb(0, 0, 255),    qRgb(0, 255, 255),   qRgb(255, 0, 255),   qRgb(255, 255, 255),
    qRgb(255, 128, 0),  qRgb(128, 128, 128), qRgb(191, 191, 191), qRgb(191, 191, 191),
    qRgb(0, 128, 0),    qRgb(128, 128, 0),   qRgb(0, 0, 128),     qRgb(128, 0, 0),
    qRgb(128, 64, 0),   qRgb(255, 153, 26),  qRgb(0, 128, 128),   qRgb(128, 0, 128),
    qRgb(0, 128, 255),  qRgb(128, 0, 255),   qRgb(51, 153, 204),  qRgb(204, 255, 204),
    qRgb(0, 102, 51),   qRgb(255, 0, 51),    qRgb(179, 26, 26),   qRgb(153, 51, 0),
    qRgb(204, 153, 51), qRgb(153, 153, 51),  qRgb(255, 255, 191), qRgb(255, 255, 128),
};
inline constexpr std::array<ColourChoice, 32> kEtLegacyChoices{{
    {u"Black", "^0", 0, BuiltInSheet::Q3White},
    {u"Red", "^1", 1, BuiltInSheet::Q3White},
    {u"Green", "^2", 2, BuiltInSheet::Q3White},
    {u"Yellow", "^3", 3, BuiltInSheet::Q3White},
    {u"Blue", "^4", 4, BuiltInSheet::Q3White},
    {u"Cyan", "^5", 5, BuiltInSheet::Q3White},
    {u"Magenta", "^6", 6, BuiltInSheet::Q3White},
    {u"White", "^7", 7, BuiltInSheet::Q3White},
    {u"Orange", "^8", 8, BuiltInSheet::Q3White},
    {u"Grey", "^9", 9, BuiltInSheet::Q3White},
    {u"Light Grey", "^:", 10, BuiltInSheet::Q3White},
    {u"Light Grey 2", "^;", 11, BuiltInSheet::Q3White},
    {u"Dark Green", "^<", 12, BuiltInSheet::Q3White},
    {u"Olive", "^=", 13, BuiltInSheet::Q3White},
    {u"Navy", "^>", 14, BuiltInSheet::Q3White},
    {u"Maroon", "^?", 15, BuiltInSheet::Q3White},
    {u"Brown", "^@", 16, BuiltInSheet::Q3White},
    {u"Light Orange", "^A", 17, BuiltInSheet::Q3White},
    {u"Teal", "^B", 18, BuiltInSheet::Q3White},
    {u"Purple", "^C", 19, BuiltInSheet::Q3White},
    {u"Azure", "^D", 20, BuiltInSheet::Q3White},
    {u"Violet", "^E", 21, BuiltInSheet::Q3White},
    {u"Steel Blue", "^F", 22, BuiltInSheet::Q3White},
    {u"Pale Green", "^G", 23, BuiltInSheet::Q3White},
    {u"Forest Green", "^H", 24, BuiltInSheet::Q3White},
    {u"Crimson", "^I", 25, BuiltInSheet::Q3White},
    {u"Brick Red", "^J", 26, BuiltInSheet::Q3White},
    {u"Rust", "^K", 27, BuiltInSheet::Q3White},
    {u"Tan", "^L", 28, BuiltInSheet::Q3White},
    {u"Khaki", "^M", 29, BuiltInSheet::Q3White},
    {u"Cream", "^N", 30, BuiltInSheet::Q3White},
    {u"Pale Yellow", "^O", 31, BuiltInSheet::Q3White},
}};

inline constexpr ColourSet kUrbanTerrorColours{
    kUrbanTerrorTable, urbanTerrorColourIndex, '^', kUrbanTerrorChoices, "^7", "^0", 7,
};
inline constexpr ColourSet kOpenJKColours{
    kTenColourTable, tenColourIndex, '^', kTenColourChoices, "^7", "^0", 7,
};
inline constexpr ColourSet kWarforkColours = kOpenJKColours;
inline constexpr ColourSet kEtLegacyColours{
    kEtLegacyTable, etLegacyColourIndex, '^', kEtLegacyChoices, "^7", "^0", 7,
};
// Quake Live's table is not public: the eight every Quake III engine has,
// in table order, black written ^0.
inline constexpr std::array<ColourChoice, 8> kQuakeLiveChoices{{
    {u"Black", "^0", 0, BuiltInSheet::Q3White},
    {u"Red", "^1", 1, BuiltInSheet::Q3White},
    {u"Green", "^2", 2, BuiltInSheet::Q3White},
    {u"Yellow", "^3", 3, BuiltInSheet::Q3White},
    {u"Blue", "^4", 4, BuiltInSheet::Q3White},
    {u"Cyan", "^5", 5, BuiltInSheet::Q3White},
    {u"Magenta", "^6", 6, BuiltInSheet::Q3White},
    {u"White", "^7", 7, BuiltInSheet::Q3White},
}};
inline constexpr ColourSet kQuakeLiveColours{
    kQuake3TextColours, quake3ColourIndex, '^', kQuakeLiveChoices, "^7", "^0", 7,
};

}  // namespace vtl
