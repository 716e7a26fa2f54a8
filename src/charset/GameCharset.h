#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace vtl::charset {

using namespace Qt::StringLiterals;

// The games whose own charset the program can read. The two Quake II modes
// share one game.
enum class Game {
    Quake,
    Quake2,
    Quake3,
    Wolfenstein,
    Hexen2,
    UrbanTerror,  // gfx/2d/bigchars in q3ut4
    QuakeLive,    // gfx/2d/bigchars in baseq3
    OpenJK,       // gfx/2d/charsgrid_med in base, the glyph in each cell's left half
    EtLegacy,     // the console's TrueType font in legacy (over etmain)
    Warfork,      // Droid Sans in basewf
};

inline const QString kNoCharsetMessage = u"No charset was found in \"%1\". Looked for %2 in:"_s;
inline const QString kDamagedCharsetMessage = u"The charset could not be read from \"%1\": %2."_s;

struct GameCharset {
    // The program's 256 x 256 sheet; for a tinted game, its glyphs in white
    // with alpha, tinted in the colour of the text as the game draws it.
    QImage sheet;
    bool tinted = false;
    QString source;       // the file it came from, with the archive entry where there is one
    QStringList skipped;  // pk3 files the search left out because they are damaged
};

struct CharsetSearch {
    std::optional<GameCharset> charset;
    QString message;       // why there is none: the places looked in, or the damaged file
    bool damaged = false;  // a file was found but could not be read
};

// Finds the charset the game would draw its console with, from the game
// folder (the one holding the game's base folder, or that folder itself),
// following the game's own search order: later archives, and loose files
// where the engine lets them, win.
CharsetSearch findGameCharset(Game game, const QString& folder);

}  // namespace vtl::charset
