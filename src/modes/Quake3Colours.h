#pragma once

#include <array>

#include "modes/ColourSet.h"

namespace vtl {

// The eight text colours of the Quake III engines, in the order of the
// digits: a caret and a character whose distance from '0' picks a colour by
// its low three bits ("^8" is black like "^0").
inline constexpr auto kQuake3TextColours = colourTableOf(colour::kQuake3Palette);

constexpr int quake3ColourIndex(unsigned char character) {
    return (character - '0') & 7;
}

// The built-in sheet that shows glyphs in Quake III's colour `index`.
constexpr BuiltInSheet quake3SheetOf(int index) {
    constexpr BuiltInSheet kSheets[] = {
        BuiltInSheet::Q3Black,   BuiltInSheet::Q3Red,   BuiltInSheet::Q3Green,
        BuiltInSheet::Q3Yellow,  BuiltInSheet::Q3Blue,  BuiltInSheet::Q3Cyan,
        BuiltInSheet::Q3Magenta, BuiltInSheet::Q3White,
    };
    return kSheets[index & 7];
}

// The colour list's rows, in list order. Black is written ^^8: a plain ^0
// is taken out of names by the games' name cleaners.
inline constexpr auto kQuake3Choices = choicesOf(colour::kQuake3Palette, quake3SheetOf);

inline constexpr ColourSet kQuake3Colours{
    kQuake3TextColours,      quake3ColourIndex, '^', kQuake3Choices, "^7", "^^8", 7,
    &colour::kQuake3Colours,
};

}  // namespace vtl
