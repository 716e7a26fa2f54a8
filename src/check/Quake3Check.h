#pragma once

#include "check/NameCheck.h"

namespace vtl {

struct ColourSet;

// What id's Quake III 1.32, ioquake3 and Return to Castle Wolfenstein (which
// reads a name as id's Quake III does) make of a name line.
enum class Quake3Engine { IdQuake3, Ioquake3, Rtcw };
EngineReport checkQuake3(const TaggedLine& line, Quake3Engine engine, const ColourSet& colours);

}  // namespace vtl
