#pragma once

#include <QByteArray>

#include "core/Version.h"
#include "core/WindowState.h"

namespace vtl {

// Code c as the single byte c, with the substitutions the Quake-engine
// consoles need (a quote can't stand inside the quoted name, and so on).
CharTable byteTable();
// Code c as two uppercase hex digits, for the Quake II server mods.
CharTable hexTable();
// The Quake III: Arena character set: the byte rule with the codes that the
// colour consoles can't take inside a name blanked or replaced.
CharTable colourTable();

// What follows the name's closing quote in this program's lines, before the version.
inline constexpr char kLineTag[] = " //VTL G2 ";

// The text around the name in the console line of each family.
QByteArray linePrefix();
QByteArray byteLineSuffix();
QByteArray hexLineSuffix();
QByteArray colourLineSuffix();

}  // namespace vtl
