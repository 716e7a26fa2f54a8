#pragma once

#include <QList>

#include <array>

#include "check/NameCheck.h"
#include "core/WindowState.h"

namespace vtl {

// What the colour table makes of the glyphs the user picked: a finding for
// each position whose code the table writes as something else (`_` as a
// blank, `"` as `~`), which the bytes alone cannot tell. `codes` holds each
// position's picked code, -1 for none.
QList<Finding> pickedGlyphFindings(const CharTable& table,
                                   const std::array<int, kNameLength>& codes);

// Adds `findings` to every engine of `report`, keeping each engine's
// findings most serious first.
void addToEveryEngine(CheckReport& report, const QList<Finding>& findings);

}  // namespace vtl
