#pragma once

#include <array>

#include "modes/ColourSet.h"

namespace vtl {

// The eight text colours of the Quake III engines: a caret and a character
// whose distance from '0' picks a colour by its low three bits ("^8" is
// black like "^0"). g_color_table, in the order of the digits.
inline constexpr std::array<QRgb, 8> kQuake3TextColours{
    qRgb(0, 0, 0),   qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255), qRgb(0, 255, 255), qRgb(255, 0, 255), qRgb(255, 255, 255),
};

constexpr int quake3ColourIndex(unsigned char character) {
    return (character - '0') & 7;
}

// The colour list's rows, in list order. Black is written ^^8: a plain ^0
// is taken out of names by the games' name cleaners.
inline constexpr std::array<ColourChoice, 8> kQuake3Choices{{
    {u"White", "^7", 7, BuiltInSheet::Q3White},
    {u"Red", "^1", 1, BuiltInSheet::Q3Red},
    {u"Black", "^^8", 0, BuiltInSheet::Q3Black},
    {u"Magenta", "^6", 6, BuiltInSheet::Q3Magenta},
    {u"Green", "^2", 2, BuiltInSheet::Q3Green},
    {u"Yellow", "^3", 3, BuiltInSheet::Q3Yellow},
    {u"Blue", "^4", 4, BuiltInSheet::Q3Blue},
    {u"Cyan", "^5", 5, BuiltInSheet::Q3Cyan},
}};

inline constexpr ColourSet kQuake3Colours{
    kQuake3TextColours, quake3ColourIndex, '^', kQuake3Choices, "^7", "^^8", 7,
};

}  // namespace vtl
