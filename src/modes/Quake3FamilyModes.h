#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <optional>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "modes/ColourSets.h"
#include "modes/GameModes.h"
#include "modes/TextGames.h"

namespace vtl {

// What the Quake III-family modes of today add to their row: how the game
// reads colour codes, and for the text games which one it is.
struct FamilyRow {
    GameMode mode;
    ColourSyntax syntax;
    std::optional<TextGame> text;
};

inline constexpr std::array<FamilyRow, 6> kFamilyRows{{
    {GameMode::UrbanTerror, ColourSyntax::UrbanTerror, std::nullopt},
    {GameMode::OpenJK, ColourSyntax::OpenJK, std::nullopt},
    {GameMode::EtLegacy, ColourSyntax::EtLegacy, TextGame::EtLegacy},
    {GameMode::Warfork, ColourSyntax::Warfork, TextGame::Warfork},
    {GameMode::QuakeLive, ColourSyntax::QuakeLive, std::nullopt},
    {GameMode::Xonotic, ColourSyntax::DarkPlaces, std::nullopt},
}};

const FamilyRow* familyRow(GameMode mode);
// The family row of the mode the window is in; none in the other modes.
const FamilyRow* currentFamilyRow(const WindowState& state);

inline const QString kStandInFontNote = u"Drawn in %1: the game's own font is not installed."_s;

// The end of a switch into a family mode: the glyphs in white with alpha
// (the white Quake III sheet, or the text game's font), shown in white, and
// the text game's marks on the map.
void enterFamilyMode(WindowState& state, const QString& appDir, const FamilyRow& row);

// Glyphs (white with alpha) for the current family mode, e.g. the game's own
// charset: the map and picks use them in the current colour from now on.
void useFamilyGlyphs(WindowState& state, const FamilyRow& row, const QImage& glyphs);

// Back to the mode's own glyphs (Use Built-in Charset), in the current colour.
void useBuiltInFamilyGlyphs(WindowState& state, Desktop& desktop, const QString& appDir,
                            const FamilyRow& row);

// The sheet in the colour of list row `index` of the game's set.
QImage familySheetInColour(const WindowState& state, const FamilyRow& row, int index);

// A click on row `index` of the colour list in a family mode.
void selectFamilyColour(WindowState& state, Desktop& desktop, const FamilyRow& row, int index);

}  // namespace vtl
