#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include "core/WindowState.h"

namespace vtl {

// Xonotic reads text as UTF-8 (`utf8_enable 1`) and draws U+E000 + n from
// cell n of the Quake charset; raw Quake bytes are invalid UTF-8 there and are
// not drawn at all.
inline constexpr char32_t kQuakeGlyphBase = 0xE000;

// What Xonotic's console must receive for glyph `code` inside a quoted name:
// printable ASCII as itself, `$` as `$$` (DarkPlaces expands `$` inside quotes
// too) and `^` as `^^` (a caret and a digit would be a colour code); every
// other glyph as U+E000 + code in UTF-8 (EE 80 80 … EE 83 BF). `"` and `\`
// are written that way too: `"` would stop the name being sent and `\`
// cannot stand in the userinfo, while U+E022 and U+E05C draw the same cells.
QByteArray xonoticGlyphBytes(int code);

// The table of all 256.
CharTable xonoticTable();

}  // namespace vtl
