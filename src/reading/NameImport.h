#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

#include "core/WindowState.h"
#include "modes/ColourSets.h"
#include "modes/ColourSet.h"

namespace vtl {

// A `name "…"` or `seta name "…"` line found in a file or on the clipboard.
struct NameLine {
    int lineNumber = 0;  // from 1; 0 for a bare name
    QByteArray line;     // the whole line, without its line end
    QByteArray name;     // the name's bytes, as the console would receive them
};

// A file may set the name any number of times; the game ends up with the
// last, so the last this many name lines are kept to choose from.
inline constexpr qsizetype kMaxListedNameLines = 1000;

struct NameLineScan {
    QList<NameLine> lines;         // the last kMaxListedNameLines name lines, in file order
    qsizetype earlierLeftOut = 0;  // name lines before those
    QString error;                 // why the reading stopped early; empty when it did not
};

// The name lines of a file (Windows-1252) read as a stream from the
// device's current position: time linear in the file, memory bounded by
// the lines kept (each at most kMaxLineBytes, as no game reads more).
NameLineScan scanNameLines(QIODevice& device);

// Every name line of some bytes, in order (up to kMaxListedNameLines).
QList<NameLine> findNameLines(const QByteArray& fileBytes);

// Clipboard text: its name lines, or else the text itself taken as a bare
// name (one pair of quotes around it dropped). Empty when the text is empty
// or spans several lines none of which is a name line.
QList<NameLine> namesInPastedText(const QByteArray& text);

// One position of a decoded name.
struct DecodedGlyph {
    std::optional<int> code;  // none: a blank position (a lone space in hex names)
    QByteArray fragment;      // exactly the bytes it came from, colour codes included
    int colourRow = 0;        // colour names: the colour list's row it is drawn in
};

struct DecodedName {
    std::vector<DecodedGlyph> glyphs;  // at most 25
    int glyphsLeftOut = 0;             // glyphs beyond the 25th
    QByteArray badBytes;               // distinct bytes no code writes, first seen first

    bool ok() const { return badBytes.isEmpty(); }
};

// Turns a name's bytes back into positions for the mode whose table is
// `table`: each entry to its code (the lower code where two codes share an
// entry); with `colours`, colour codes are kept with the glyph that follows
// them, so writing the positions again gives the same bytes.
// `syntax`: the caret rule of a Quake III-family game of today, which then
// decides what is a colour code (none: the colour set's own reading).
DecodedName decodeName(const QByteArray& name, const CharTable& table, const ColourSet* colours,
                       std::optional<ColourSyntax> syntax = std::nullopt);

// The messages a load can end with; each names what it is about.
QString noNameLineMessage(const QString& source);
QString badBytesMessage(const QByteArray& badBytes);
QString tooLongMessage(int glyphsLeftOut);

}  // namespace vtl
