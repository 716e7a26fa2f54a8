#pragma once

#include "check/NameCheck.h"

namespace vtl {

// What the Quake III-family games played today make of a name line, one
// engine each. The seen glyphs carry the colour's index in the game's own
// table (modes/ColourSets.h); in the text games (ET: Legacy, Warfork) their
// code is the character (U+0000-U+00FF), '×' (215) for anything above.
EngineReport checkUrbanTerror(const TaggedLine& line);
EngineReport checkOpenJK(const TaggedLine& line);
EngineReport checkEtLegacy(const TaggedLine& line);
EngineReport checkWarfork(const TaggedLine& line);
// Quake Live's code is not public: says what is known instead of a verdict.
EngineReport checkQuakeLive(const TaggedLine& line);

}  // namespace vtl
