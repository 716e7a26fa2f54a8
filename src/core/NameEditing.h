#pragma once

#include <QByteArray>

#include "core/WindowState.h"
#include "desktop/Desktop.h"

namespace vtl {

inline constexpr char16_t kUnknownGameMessage[] = u"ERROR - Could not determine game.";

// Puts the picked glyph (GlyphSrcX/Y of the sheet) and PickedFragment into the
// name at the cursor, advances the cursor and rebuilds both name boxes.
void AddChar(WindowState& state, Desktop& desktop);

// A click on cell `code` of the character map.
void pickGlyph(WindowState& state, Desktop& desktop, int code);

// The pointer over cell `code`: caption, frame and both preview pictures.
void previewGlyph(WindowState& state, int code);

// The pointer over the window's own background: clears the preview.
void clearPreview(WindowState& state);

// Delete: blanks the position at the cursor and nothing else.
void deleteAtCursor(WindowState& state);

// New Name: an empty name with the cursor at 1.
void startNewName(WindowState& state);

// A click on slot k (1..25) puts the cursor there.
void moveCursorTo(WindowState& state, int slot);

// The 25 fragments joined, trailing blanks (0x20 only) removed.
QByteArray composeNameText(const WindowState& state);

// LinePrefix, NameText and LineSuffix: what the command-line box shows.
QByteArray composeCommandLine(const WindowState& state);

}  // namespace vtl
