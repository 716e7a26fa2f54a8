#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <span>

#include "colour/Perceptual.h"

namespace vtl::colour {

// One colour a game names with a code. The tables below are the one place
// the games' colours are written: the colour list, the sheets the map and the
// name row are tinted with, the name import, the check and the gradient all
// read them (modes/ColourSet.h derives the list's rows from them).
struct PaletteEntry {
    const char16_t* name;  // as the colour list shows it
    const char* code;      // as written before the text it colours
    int index;             // the entry of the game's colour table the code picks
    Rgb rgb;               // what the game draws
};

// The length of the colour code that starts at `bytes[i]` as a game reads
// codes, 0 if none starts there.
using CodeLength = qsizetype (*)(QByteArrayView bytes, qsizetype i);

// Quake III as this program writes it: `^^8` (black) and a caret with any
// byte but another caret.
qsizetype quake3CodeLength(QByteArrayView bytes, qsizetype i);
// `^0`–`^9` only (OpenJK, Warfork, Urban Terror).
qsizetype digitCodeLength(QByteArrayView bytes, qsizetype i);
// ET: Legacy: a caret with a graphic ASCII byte or any byte from 0x80 on.
qsizetype etLegacyCodeLength(QByteArrayView bytes, qsizetype i);
// Quake Live: a caret with any byte but NUL (what servers' name plugins assume).
qsizetype anyByteCodeLength(QByteArrayView bytes, qsizetype i);
// DarkPlaces: `^0`–`^9` and `^xRGB` (`^^` is a literal caret).
qsizetype darkPlacesCodeLength(QByteArrayView bytes, qsizetype i);

// A game's colours: its palette and, in the DarkPlaces games, `^xRGB` with
// 4,096 colours besides.
struct ColourSet {
    std::span<const PaletteEntry> entries;
    bool rgbCodes = false;
    CodeLength codeLength = quake3CodeLength;
};

// The games' tables hold floats 0..1 (g_color_table); rgbOf makes the nearest
// byte of each.

// Quake III: Arena and Return to Castle Wolfenstein, in the colour list's
// order (so an entry's index in the array is its list row). Black is written
// `^^8`, which the id server's cleaner passes where it drops `^0`.
inline constexpr PaletteEntry kQuake3Palette[] = {
    {u"White", "^7", 7, rgbOf(1, 1, 1)},  {u"Red", "^1", 1, rgbOf(1, 0, 0)},
    {u"Black", "^^8", 0, rgbOf(0, 0, 0)}, {u"Magenta", "^6", 6, rgbOf(1, 0, 1)},
    {u"Green", "^2", 2, rgbOf(0, 1, 0)},  {u"Yellow", "^3", 3, rgbOf(1, 1, 0)},
    {u"Blue", "^4", 4, rgbOf(0, 0, 1)},   {u"Cyan", "^5", 5, rgbOf(0, 1, 1)},
};

// The Quake III-family games of today list their colours in table order,
// black first, written `^0`: none of their name cleaners drops it.

// Quake Live's table is not public: the eight every Quake III engine has.
inline constexpr PaletteEntry kQuakeLivePalette[] = {
    {u"Black", "^0", 0, rgbOf(0, 0, 0)},   {u"Red", "^1", 1, rgbOf(1, 0, 0)},
    {u"Green", "^2", 2, rgbOf(0, 1, 0)},   {u"Yellow", "^3", 3, rgbOf(1, 1, 0)},
    {u"Blue", "^4", 4, rgbOf(0, 0, 1)},    {u"Cyan", "^5", 5, rgbOf(0, 1, 1)},
    {u"Magenta", "^6", 6, rgbOf(1, 0, 1)}, {u"White", "^7", 7, rgbOf(1, 1, 1)},
};

// The ten colours of OpenJK and Warfork: the eight, `^8` orange and `^9`
// grey (OpenJK shared/qcommon/q_color.c, Warfork q_math.c).
inline constexpr PaletteEntry kTenColourPalette[] = {
    {u"Black", "^0", 0, rgbOf(0, 0, 0)},   {u"Red", "^1", 1, rgbOf(1, 0, 0)},
    {u"Green", "^2", 2, rgbOf(0, 1, 0)},   {u"Yellow", "^3", 3, rgbOf(1, 1, 0)},
    {u"Blue", "^4", 4, rgbOf(0, 0, 1)},    {u"Cyan", "^5", 5, rgbOf(0, 1, 1)},
    {u"Magenta", "^6", 6, rgbOf(1, 0, 1)}, {u"White", "^7", 7, rgbOf(1, 1, 1)},
    {u"Orange", "^8", 8, rgbOf(1, .5, 0)}, {u"Grey", "^9", 9, rgbOf(.5, .5, .5)},
};

// Urban Terror 4.3's ten: its own `^8` and `^9` (code/qcommon/q_math.c).
inline constexpr PaletteEntry kUrbanTerrorPalette[] = {
    {u"Black", "^0", 0, rgbOf(0, 0, 0)},        {u"Red", "^1", 1, rgbOf(1, 0, 0)},
    {u"Green", "^2", 2, rgbOf(0, 1, 0)},        {u"Yellow", "^3", 3, rgbOf(1, 1, 0)},
    {u"Blue", "^4", 4, rgbOf(0, 0, 1)},         {u"Cyan", "^5", 5, rgbOf(0, 1, 1)},
    {u"Magenta", "^6", 6, rgbOf(1, 0, 1)},      {u"White", "^7", 7, rgbOf(1, 1, 1)},
    {u"Orange", "^8", 8, rgbOf(.88, .31, .13)}, {u"Olive", "^9", 9, rgbOf(.29, .30, .19)},
};

// ET: Legacy's 32 (src/qcommon/q_math.c), codes `^0` to `^O`.
inline constexpr PaletteEntry kEtLegacyPalette[] = {
    {u"Black", "^0", 0, rgbOf(0, 0, 0)},
    {u"Red", "^1", 1, rgbOf(1, 0, 0)},
    {u"Green", "^2", 2, rgbOf(0, 1, 0)},
    {u"Yellow", "^3", 3, rgbOf(1, 1, 0)},
    {u"Blue", "^4", 4, rgbOf(0, 0, 1)},
    {u"Cyan", "^5", 5, rgbOf(0, 1, 1)},
    {u"Magenta", "^6", 6, rgbOf(1, 0, 1)},
    {u"White", "^7", 7, rgbOf(1, 1, 1)},
    {u"Orange", "^8", 8, rgbOf(1, .5, 0)},
    {u"Grey", "^9", 9, rgbOf(.5, .5, .5)},
    {u"Light Grey", "^:", 10, rgbOf(.75, .75, .75)},
    {u"Light Grey 2", "^;", 11, rgbOf(.75, .75, .75)},
    {u"Dark Green", "^<", 12, rgbOf(0, .5, 0)},
    {u"Olive", "^=", 13, rgbOf(.5, .5, 0)},
    {u"Navy", "^>", 14, rgbOf(0, 0, .5)},
    {u"Maroon", "^?", 15, rgbOf(.5, 0, 0)},
    {u"Brown", "^@", 16, rgbOf(.5, .25, 0)},
    {u"Light Orange", "^A", 17, rgbOf(1, .6, .1)},
    {u"Teal", "^B", 18, rgbOf(0, .5, .5)},
    {u"Purple", "^C", 19, rgbOf(.5, 0, .5)},
    {u"Azure", "^D", 20, rgbOf(0, .5, 1)},
    {u"Violet", "^E", 21, rgbOf(.5, 0, 1)},
    {u"Steel Blue", "^F", 22, rgbOf(.2, .6, .8)},
    {u"Pale Green", "^G", 23, rgbOf(.8, 1, .8)},
    {u"Forest Green", "^H", 24, rgbOf(0, .4, .2)},
    {u"Crimson", "^I", 25, rgbOf(1, 0, .2)},
    {u"Brick Red", "^J", 26, rgbOf(.7, .1, .1)},
    {u"Rust", "^K", 27, rgbOf(.6, .2, 0)},
    {u"Tan", "^L", 28, rgbOf(.8, .6, .2)},
    {u"Khaki", "^M", 29, rgbOf(.6, .6, .2)},
    {u"Cream", "^N", 30, rgbOf(1, 1, .75)},
    {u"Pale Yellow", "^O", 31, rgbOf(1, 1, .5)},
};

// DarkPlaces (Xonotic) `^0`–`^9` (gl_draw.c): `^8` is white at half alpha,
// which a gradient never picks because `^7` comes first.
inline constexpr PaletteEntry kDarkPlacesPalette[] = {
    {u"Black", "^0", 0, rgbOf(0, 0, 0)},
    {u"Red", "^1", 1, rgbOf(1, 0, 0)},
    {u"Green", "^2", 2, rgbOf(0, 1, 0)},
    {u"Yellow", "^3", 3, rgbOf(1, 1, 0)},
    {u"Blue", "^4", 4, rgbOf(0, 0, 1)},
    {u"Cyan", "^5", 5, rgbOf(0, 1, 1)},
    {u"Magenta", "^6", 6, rgbOf(1, 0, 1)},
    {u"White", "^7", 7, rgbOf(1, 1, 1)},
    {u"Translucent white", "^8", 8, rgbOf(1, 1, 1)},
    {u"Grey", "^9", 9, rgbOf(.5, .5, .5)},
};

inline constexpr ColourSet kQuake3Colours{kQuake3Palette, false, quake3CodeLength};
inline constexpr ColourSet kQuakeLiveColours{kQuakeLivePalette, false, anyByteCodeLength};
inline constexpr ColourSet kTenColours{kTenColourPalette, false, digitCodeLength};
inline constexpr ColourSet kUrbanTerrorColours{kUrbanTerrorPalette, false, digitCodeLength};
inline constexpr ColourSet kEtLegacyColours{kEtLegacyPalette, false, etLegacyCodeLength};
inline constexpr ColourSet kDarkPlacesColours{kDarkPlacesPalette, true, darkPlacesCodeLength};

// The palette entry that looks nearest (ΔE00; the first of equals).
int nearestEntry(const ColourSet& set, Rgb colour);

// `^xRGB` nearest to `colour` of the 4,096 (each digit is a sixteenth step of
// 17), chosen by the eye among the grid points around it; uppercase digits.
QByteArray nearestRgbCode(Rgb colour);
// What a `^xRGB` code draws; none if `code` is not one.
std::optional<Rgb> colourOfRgbCode(QByteArrayView code);

// The shortest code that draws `colour` in the game: the nearest palette
// entry, or in RGB games the palette entry that draws exactly the nearest
// `^xRGB` colour, else that `^xRGB`.
QByteArray codeFor(const ColourSet& set, Rgb colour);

// What a code draws in the game; none for a code the set does not know.
std::optional<Rgb> colourOfCode(const ColourSet& set, QByteArrayView code);

}  // namespace vtl::colour
