#pragma once

#include "core/WindowState.h"
#include "modes/GameModes.h"

namespace vtl {

// Starts a new, empty name written the way of `encoding`: the family, the
// console line's framing and the character table. With colour codes the
// colour also goes back to the set's start colour, not yet written.
void applyEncoding(WindowState& state, Encoding encoding, const ColourSet* colours);

}  // namespace vtl
