#pragma once

#include "check/NameCheck.h"

namespace vtl {

// What the Quake and QuakeWorld clients make of a name line, one engine each.

enum class NetQuake { QuakeSpasm, VkQuake, Ironwail, Hexen2 };

// NetQuake (WinQuake, QuakeSpasm), its ports vkQuake and Ironwail, and
// Hexen II, which reads a name the same way.
EngineReport checkNetQuake(const TaggedLine& line, NetQuake engine);
EngineReport checkIdQuakeWorld(const TaggedLine& line);
EngineReport checkEzQuake(const TaggedLine& line);
EngineReport checkFte(const TaggedLine& line);
// The 2021 re-release: no public source, so no verdict.
EngineReport checkQuakeRerelease();

}  // namespace vtl
