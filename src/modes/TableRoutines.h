#pragma once

#include "core/WindowState.h"

namespace vtl {

// How a mode turns picked codes into text: the family, the console line's
// framing and the character table.
enum class TableRoutine {
    Bytes,       // one byte a code, the line ends in "
    Hex,         // two hex digits a code, the line ends in "u
    Colour,      // bytes with Quake III colour codes, the line ends in ^7"
    Utf8Colour,  // U+0000-U+00FF as UTF-8 with colour codes (the text games)
};

// Starts a new, empty name written the routine's way. The colour routine also
// resets the colour to white, not yet written.
void applyTableRoutine(WindowState& state, TableRoutine routine);

}  // namespace vtl
