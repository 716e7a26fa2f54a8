#pragma once

#include <QByteArray>
#include <QString>

#include <array>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "modes/TableRoutines.h"

namespace vtl {

inline constexpr char16_t kUnknownColourMessage[] = u"ERROR - An unknown error occured.";

struct Colour {
    const char16_t* name;   // the list's item text
    const char* code;       // written before the next character
    const char16_t* sheet;  // relative to the application folder
};

// The colour list's rows, in list order.
inline constexpr std::array<Colour, 8> kColours{{
    {u"White", "^7", kQ3WhiteSheet},
    {u"Red", "^1", u"/q3a/q3-red.gif"},
    {u"Black", "^^8", u"/q3a/q3-black.gif"},
    {u"Magenta", "^6", u"/q3a/q3-magenta.gif"},
    {u"Green", "^2", u"/q3a/q3-green.gif"},
    {u"Yellow", "^3", u"/q3a/q3-yellow.gif"},
    {u"Blue", "^4", u"/q3a/q3-blue.gif"},
    {u"Cyan", "^5", u"/q3a/q3-cyan.gif"},
}};

// The game's own charset as the map shows it for a colour code ("^1"):
// tinted where the game tints text, else as it is.
QImage ownCharsetInColour(const WindowState& state, const QByteArray& colourCode);

// A click (or keyboard move) on row `index` of the colour list; -1 for none.
// The colour's code goes before the next character added, once.
void selectColour(WindowState& state, Desktop& desktop, const QString& appDir, int index);

}  // namespace vtl
