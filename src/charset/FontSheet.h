#pragma once

#include <QByteArray>
#include <QImage>
#include <QRawFont>
#include <QString>
#include <QStringList>

#include <optional>

namespace vtl::charset {

// A TrueType or OpenType font from its file's bytes (a loose file or a pk3
// entry); nothing when the bytes are not a font Qt can read.
std::optional<QRawFont> fontFromData(const QByteArray& data);

// The 256 characters U+0000-U+00FF drawn with `font` as the program's sheet:
// code c in the 16 x 16 cell of c, white with alpha, so it can be tinted like
// a Quake III charset. The control characters (U+0000-U+001F, U+007F-U+009F)
// and any character the font has no glyph for leave their cells empty.
QImage fontSheet(const QRawFont& font);

// Where a text game's font was found: the font and how the bottom row names it.
struct LocatedFont {
    QRawFont font;
    QString source;        // the file, or the family when the font came by name
    bool standIn = false;  // not the game's own font: the closest one installed
};

// The first of `files` that exists in one of `folders` and reads as a font;
// else the first of `families` the system has; else, marked as a stand-in,
// the first of `standIns` the system has, or its fixed font. A family the
// system only substitutes (another family comes back) does not count.
LocatedFont locateFont(const QStringList& folders, const QStringList& files,
                       const QStringList& families, const QStringList& standIns = {});

}  // namespace vtl::charset
