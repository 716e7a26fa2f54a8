#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "charset/FontSheet.h"
#include "core/WindowState.h"

namespace vtl {

using namespace Qt::StringLiterals;

// The games that draw a name as UTF-8 text with TrueType fonts. Their map
// holds the 256 characters U+0000-U+00FF, and code c stands for U+00c.
enum class TextGame { EtLegacy, Warfork };

// The bytes a pick of code c writes: U+00c in UTF-8 (one byte below 128,
// two above). NUL, LF and CR can't stand inside a console line, so they are
// written as a blank, as the Quake III table always did.
QByteArray textFragment(int code);

// The table of a text game: entry c is textFragment(c).
CharTable textTable();

// What the game does with one character of a name, as the map marks it.
enum class CharFate {
    Kept,        // the others see it
    Blank,       // can't stand in a line: written as a blank
    BreaksLine,  // the double quote ends the quoted name
    Refused,     // the game refuses the whole name
    Dropped,     // the game removes it, or part of its bytes
};

struct CharFateNote {
    CharFate fate = CharFate::Kept;
    QString text;  // one short sentence for the map's hover and the check; empty when kept
};

CharFateNote charFate(TextGame game, int code);

// The game's own font as the map draws it: found beside the program (a
// fonts folder), among the system's fonts, or in `gameFolders` (e.g. the
// folder the user pointed Use Game's Own Charset at); else a stand-in, which
// the bottom row names. ET: Legacy's console font is JetBrains Mono
// SemiBold, Warfork's Droid Sans.
charset::LocatedFont locateTextGameFont(TextGame game, const QString& appDir);

// A byte the game removes from a name on its way to the others: ET: Legacy's
// client strips 0x80-0xA0 and 0xFF from every userinfo setting; Warfork's
// server strips every byte above 126.
bool textGameDropsByte(TextGame game, uchar byte);

// What the map of a text game draws over its sheet (transparent elsewhere):
// a red corner on each character the game drops or refuses, a red frame on
// one that breaks the line or can't stand in it, and the code in small grey
// digits where the font has no glyph (control characters).
QImage textMapMarks(const QImage& glyphs, TextGame game);

// The map: the sheet as shown with the marks over it.
QImage withMarks(const QImage& sheet, const QImage& marks);

inline const QString kEtLegacyDropsText =
    u"ET: Legacy's client removes the bytes 0x80 to 0xA0 and 0xFF from a name: "
    u"this character loses its byte %1."_s;
inline const QString kWarforkDropsText =
    u"Warfork's server removes every byte above 126: this character is dropped."_s;
inline const QString kBlankText = u"a line can't hold this character: it is written as a blank."_s;
inline const QString kQuoteText = u"a double quote ends the quoted name early."_s;
inline const QString kEtLegacyRefusedText =
    u"ET: Legacy refuses \\, ; and \" in a name: the server drops the player "
    u"(\"Missing name field in userinfo\")."_s;
inline const QString kWarforkRefusedText =
    u"Warfork refuses \\, ; and \" in a name (\"invalid info cvar value\"): "
    u"the name stays as it was."_s;

}  // namespace vtl
