#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "core/Geometry.h"

namespace vtl {

inline constexpr int kNameLength = 25;  // positions 1..25; CursorPos 26 means full
inline constexpr int kCodeCount = 256;

// The modes of the Game/Mode menu; modes/GameModes.h has a row for each.
enum class GameMode {
    QuakeWorld,
    QuakeWorldMod,
    Quake2,
    Quake2Hex,
    Quake3Arena,
    Hexen2,
    Hexen2Mod,
    Wolfenstein,
    JumpGate,
    UrbanTerror,
    OpenJK,
    EtLegacy,
    Warfork,
    QuakeLive,
    Xonotic,
};

// "0": names with Quake III colour codes; "1": plain byte and hex names.
enum class GameFamily { Colour = 0, Plain = 1 };

// Which game's default config Quick save targets (the settings key of its folder).
// The Quake III-family games of today each have their own target.
enum class ConfigKind {
    Unset,
    Q1Config,
    Q3Config,
    UrbanTerror,
    OpenJK,
    EtLegacy,
    Warfork,
    Xonotic,
};

// The file of that config in the game's folder.
inline QString configFileName(ConfigKind config) {
    switch (config) {
        case ConfigKind::Q3Config:
        case ConfigKind::UrbanTerror:
            return QStringLiteral("q3config.cfg");
        case ConfigKind::OpenJK:
            return QStringLiteral("openjk.cfg");
        case ConfigKind::EtLegacy:
            return QStringLiteral("etconfig.cfg");
        case ConfigKind::Warfork:
            return QStringLiteral("autoexec_postinit.cfg");
        case ConfigKind::Xonotic:
            return QStringLiteral("autoexec.cfg");
        case ConfigKind::Unset:
        case ConfigKind::Q1Config:
            break;
    }
    return QStringLiteral("config.cfg");
}

// Output fragment of each code 0..255 in the current mode, as Windows-1252 bytes.
using CharTable = std::array<QByteArray, kCodeCount>;

// One name position: a copy of the glyph's pixels (so it keeps its colour when
// the sheet changes) and the text the console receives for it.
struct NameCell {
    QImage glyph;                 // 16x16; null shows the black background
    QByteArray fragment{" ", 1};  // a blank position holds one space
    int code = -1;                // the glyph's code in the sheet; -1 for none
};

// Everything the main window knows. The widgets draw it and forward input;
// nothing else keeps a copy.
struct WindowState {
    // Composition state. Field names follow the program's own vocabulary.
    QString QuickSaveFile;
    QByteArray ColorPrefix;
    bool ColorWritten = false;
    std::optional<GameFamily> Family;  // none until the first mode switch
    std::optional<GameMode> Mode;      // none until the first mode switch
    int CursorPos = 1;                 // 1..26
    ConfigKind Config = ConfigKind::Unset;
    QByteArray LinePrefix;
    QByteArray LineSuffix;
    CharTable Table;

    // The name strip: cells[k - 1] is position k.
    // The red cursor marker stands under the cursor's slot (markerLeftTwips()).
    std::array<NameCell, kNameLength> cells;

    // The two text boxes keep what was last written into them, so what the
    // user types there stays until the next change to the name rewrites both.
    QString rawNameBox = QStringLiteral("Text2");
    QString commandLineBox = QStringLiteral("Text3");
    QString modeLabel = QStringLiteral("Mode:");

    // Edit menu: a new glyph pushes the later ones right instead of
    // overwriting; typed characters 32..127 take the codes 128 higher.
    bool insertMode = false;
    bool typeSecondSet = false;
    // A short word for the user that needs no answer (a refused insert);
    // empty when there is none.
    QString notice;

    bool saveNameEnabled = true;
    bool quickSaveEnabled = true;
    bool colourListEnabled = true;
    int colourListIndex = -1;  // the list's selected row; -1 for none

    // The glyph sheet that glyphs are copied from, and the picture the map shows.
    QImage sheetSource;
    QImage mapPicture;

    // The game's own charset, read from the player's install: the settings
    // key of the current mode's game (empty in modes without one, which also
    // disables the two charset commands), the charset's sheet while it is in
    // use (null for the built-in sheets; white glyphs with alpha when
    // `ownCharsetTinted`, drawn in the colour of the colour list), and the
    // bottom row's note on where it came from or why it is not in use.
    QString charsetGameKey;
    QImage ownCharset;
    bool ownCharsetTinted = false;
    QString charsetNote;
    // Games whose remembered charset was found gone this run: told once.
    QStringList charsetGoneTold;

    // Modes that tint their glyphs at run time from the game's colour table:
    // the glyphs in white with alpha (null in the other modes), and what the
    // map draws over the sheet (the marks of characters the game drops).
    QImage tintGlyphs;
    QImage mapMarks;
    // The text games write UTF-8: the name boxes show it decoded as such.
    bool utf8Names = false;
    // Quake Live's Save Name note is shown once a run.
    bool steamNameTold = false;

    // Hover preview.
    QString previewCaption = QStringLiteral("Char Number:");
    std::optional<int> frameCode;  // the hovered cell's frame; none while hidden
    QImage regularView;            // 16x16, null when blank
    QImage enlargedView;           // 32x32, null when blank
};

}  // namespace vtl
