#pragma once

#include <QString>

#include <QByteArray>

#include "core/WindowState.h"
#include "desktop/Desktop.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kUnknownGameMessage = u"ERROR - Could not determine game."_s;

// Puts the glyph at `glyphSource` of the sheet and the picked fragment into
// the name at the cursor, advances the cursor and rebuilds both name boxes.
void AddChar(WindowState& state, Desktop& desktop, QPoint glyphSource,
             const QByteArray& pickedFragment);

// A click on cell `code` of the character map.
void pickGlyph(WindowState& state, Desktop& desktop, int code);

// The pointer over cell `code`: caption, frame and both preview pictures.
void previewGlyph(WindowState& state, int code);

// The pointer over the window's own background: clears the preview.
void clearPreview(WindowState& state);

// Delete: blanks the position at the cursor (in insert mode removes it, the
// later positions moving one place left) and rebuilds both name boxes; the
// cursor stays.
void deleteAtCursor(WindowState& state);

// Backspace: the same for the position before the cursor, and the cursor
// moves there. False (nothing changes) at position 1.
bool eraseBeforeCursor(WindowState& state);

// A glyph from a click or a key. In insert mode the positions from the
// cursor on first move one place right; false (nothing changes) when that
// would push a glyph out past position 25.
bool placeGlyph(WindowState& state, Desktop& desktop, int code);

// New Name: an empty name with the cursor at 1.
void startNewName(WindowState& state);

// A click on slot k (1..25) puts the cursor there, with the marker under
// it; 26 (after the last position) keeps the marker under position 25.
void moveCursorTo(WindowState& state, int position);
// The left edge of the red cursor marker: under the cursor's slot, and under
// position 25 while the name is full.
int markerLeftTwips(const WindowState& state);

// A position holding nothing: no glyph and the one-space fragment.
bool holdsNothing(const NameCell& cell);
// The position after the last one that holds something (1 for an empty name).
int endPosition(const WindowState& state);

// Moves the positions from the cursor one place right, pixels and fragments,
// leaving a blank at the cursor; refuses (false) while position 25 holds
// something, which would be lost.
bool openGapAtCursor(WindowState& state);
// Removes position `position` (1..25); the later ones move one place left.
void closeGapAt(WindowState& state, int position);

// The 25 fragments joined, trailing blanks (0x20 only) removed.
QByteArray composeNameText(const WindowState& state);

// LinePrefix, NameText and LineSuffix: what the command-line box shows.
QByteArray composeCommandLine(const WindowState& state);

// Name bytes as the name boxes show them: Windows-1252, or UTF-8 in the text games.
QString decodeNameBytes(const WindowState& state, const QByteArray& bytes);

// Both name boxes from the name as it is now.
void rebuildNameBoxes(WindowState& state);

}  // namespace vtl
