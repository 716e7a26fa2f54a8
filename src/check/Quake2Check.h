#pragma once

#include "check/NameCheck.h"

namespace vtl {

// What the Quake II clients make of a name line, one engine each. `hex`: the
// name is written as hex pairs for a server mod to decode.
EngineReport checkQuake2(const TaggedLine& line, bool hex);
EngineReport checkQ2pro(const TaggedLine& line, bool hex);
// The 2023 re-release: no public source, so no verdict.
EngineReport checkQuake2Rerelease();

}  // namespace vtl
