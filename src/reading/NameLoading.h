#pragma once

#include <QImage>
#include <QString>

#include <functional>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "reading/NameImport.h"

namespace vtl {

// The glyph sheet a colour name's glyphs are copied from, by colour list row.
using ColourSheetLookup = std::function<QImage(int colourRow)>;

// The sheets the colour list would show for `state`: the game's own charset
// in each colour when one is in use, else the colour sheets of the
// application folder, each read once (one that can't be read is reported and
// drawn black). For use within one command: it refers to `state`.
ColourSheetLookup colourSheetsOf(const WindowState& state, const QString& appDir, Desktop& desktop);

// Puts a decoded name into the state as one change: positions from 1 hold its
// glyphs and fragments, the rest are blank, the cursor stands after the last
// glyph and both name boxes are rebuilt. Plain glyphs come from the current
// sheet, colour glyphs from the sheet of their colour. In the colour family
// no colour code is pending afterwards: the name carries its own.
void loadDecodedName(WindowState& state, const DecodedName& name,
                     const ColourSheetLookup& colourSheet);

// Open Name: asks for a file, finds its name lines (a list when there are
// several) and loads the chosen name. Returns true when the name changed.
bool openName(WindowState& state, Desktop& desktop, const ColourSheetLookup& colourSheet);

// Paste Name: the same with the clipboard's text, a whole line or the name alone.
bool pasteName(WindowState& state, Desktop& desktop, const ColourSheetLookup& colourSheet);

}  // namespace vtl
