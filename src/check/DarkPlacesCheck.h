#pragma once

#include "check/NameCheck.h"

namespace vtl {

// What Xonotic's engine, the DarkPlaces client, makes of a name line
// (`utf8_enable 1`): `$` and `\"` read inside the quotes, the refusal of a
// quote, the cut at 127 bytes (which may split a glyph's UTF-8) and the bytes
// that are not UTF-8, which it does not draw.
EngineReport darkPlacesClient(const TaggedLine& line);

// What the Xonotic server keeps of the name the client sent: 64 characters
// without the colour codes, a name with nothing to see becomes `Player#N`.
EngineReport xonoticServer(const TaggedLine& line);

}  // namespace vtl
