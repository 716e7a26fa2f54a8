#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

#include "charset/GameCharset.h"
#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "modes/ColourSet.h"
#include "modes/Quake3Colours.h"
#include "modes/Quake3FamilyColours.h"
#include "sheets/SheetList.h"

namespace vtl {

using namespace Qt::StringLiterals;

// How a mode turns a picked code into the bytes of the name.
enum class Encoding {
    ByteTable,        // one byte a code, the line ends in "
    HexPairs,         // two hex digits a code, the line ends in "u
    ColourTable,      // bytes with colour codes before the glyphs, the line ends in ^7"
    Utf8ColourTable,  // U+0000-U+00FF as UTF-8 with colour codes (the text games)
    XonoticText,      // ASCII, U+E000 + code in UTF-8, `$$`, colour codes with ^xRGB
};

// The game programs the name check knows; each is one function of the check.
enum class CheckEngine {
    IdQuake,  // id Quake and QuakeSpasm
    VkQuake,
    Ironwail,
    IdQuakeWorld,
    EzQuake,
    Fte,             // client and server
    QuakeRerelease,  // closed: named, not checked
    Quake2,
    Q2pro,
    Quake2Rerelease,  // closed: named, not checked
    IdQuake3,
    Ioquake3,
    Rtcw,
    HexenII,
    UrbanTerror,
    OpenJK,
    EtLegacy,
    Warfork,
    QuakeLive,
    DarkPlacesClient,
    XonoticServer,
};

// A program that reads the config Quick Save appends to, and the largest
// config it still reads.
struct ConfigReader {
    const char16_t* engine;
    qint64 largestConfig;
};

// Where a mode's command stands in the Game/Mode menu: its submenu (none:
// the menu itself), the separator that goes before it, its place from the top.
struct MenuPlace {
    int position;
    const char* separatorBefore = nullptr;  // the separator's object name
    const char* submenuName = nullptr;      // the submenu's object name
    const char16_t* submenuCaption = nullptr;
};

// One row of the game table: everything the program knows about a mode.
// Adding a game is adding a row here (and, when it brings a new kind of
// encoding or colour codes, that kind's module).
struct GameRow {
    GameMode mode;
    MenuPlace menu;
    const char* commandName;            // the menu command's object name
    const char16_t* caption;            // the menu command's caption
    const char16_t* label;              // the mode label's caption
    std::optional<BuiltInSheet> sheet;  // none: the user picks a picture
    Encoding encoding;
    const ColourSet* colours;              // none: the game has no colour codes
    bool quickSave;                        // Quick Save enabled
    bool saveName;                         // Save Name enabled
    std::optional<ConfigKind> config;      // Quick Save's game; none: left as it was
    std::span<const CheckEngine> engines;  // what the name check runs; none: no check
    std::span<const ConfigReader> configReaders;
    std::optional<charset::Game> charsetGame;  // where the game keeps its charset
    const char16_t* charsetKey;                // the settings key of the charset's folder
    const char16_t* checkName;  // --check --mode's name; null: checked as another row
};

inline constexpr CheckEngine kQuakeWorldEngines[] = {
    CheckEngine::IdQuake,       CheckEngine::VkQuake, CheckEngine::Ironwail,
    CheckEngine::IdQuakeWorld,  CheckEngine::EzQuake, CheckEngine::Fte,
    CheckEngine::QuakeRerelease};
inline constexpr CheckEngine kQuake2Engines[] = {CheckEngine::Quake2, CheckEngine::Q2pro,
                                                 CheckEngine::Quake2Rerelease};
inline constexpr CheckEngine kQuake3Engines[] = {CheckEngine::IdQuake3, CheckEngine::Ioquake3};
inline constexpr CheckEngine kRtcwEngines[] = {CheckEngine::Rtcw};
inline constexpr CheckEngine kHexen2Engines[] = {CheckEngine::HexenII};
inline constexpr std::span<const CheckEngine> kNoEngines;
inline constexpr CheckEngine kUrbanTerrorEngines[] = {CheckEngine::UrbanTerror};
inline constexpr CheckEngine kOpenJKEngines[] = {CheckEngine::OpenJK};
inline constexpr CheckEngine kEtLegacyEngines[] = {CheckEngine::EtLegacy};
inline constexpr CheckEngine kWarforkEngines[] = {CheckEngine::Warfork};
inline constexpr CheckEngine kQuakeLiveEngines[] = {CheckEngine::QuakeLive};
inline constexpr CheckEngine kXonoticEngines[] = {CheckEngine::DarkPlacesClient,
                                                  CheckEngine::XonoticServer};

inline constexpr qint64 kClassicConfigLimit = 8191;  // id's Quake, QuakeWorld, Quake II, Hexen II
inline constexpr qint64 kQuake3ConfigLimit = 16365;  // id Quake III 1.32 and RtCW
inline constexpr ConfigReader kQuakeWorldReaders[] = {{u"id Quake", kClassicConfigLimit},
                                                      {u"id QuakeWorld", kClassicConfigLimit},
                                                      {u"QuakeSpasm", 256 * 1024},
                                                      {u"ezQuake", 256 * 1024}};
inline constexpr ConfigReader kQuake2Readers[] = {{u"id Quake II", kClassicConfigLimit},
                                                  {u"Yamagi Quake II", 32767}};
inline constexpr ConfigReader kHexen2Readers[] = {{u"Hexen II", kClassicConfigLimit}};
inline constexpr ConfigReader kQuake3Readers[] = {{u"id Quake III 1.32", kQuake3ConfigLimit},
                                                  {u"ioquake3", 128 * 1024}};
inline constexpr std::span<const ConfigReader> kNoReaders;
inline constexpr ConfigReader kRtcwReaders[] = {
    {u"Return to Castle Wolfenstein", kQuake3ConfigLimit}};

inline constexpr MenuPlace kInGameMenu{0};
inline constexpr MenuPlace kInQuakeMenu{0, nullptr, "LoadQuakeWorld", u"Quake I (QuakeWorld)"};
inline constexpr MenuPlace kInQuake2Menu{0, nullptr, "LoadQ2", u"Quake II"};
inline constexpr MenuPlace kInHexen2Menu{0, nullptr, "LoadHexen2", u"Hexen II"};

constexpr MenuPlace at(MenuPlace place, int position, const char* separatorBefore = nullptr) {
    place.position = position;
    place.separatorBefore = separatorBefore;
    return place;
}

// The rows in the order the command line lists the games' names; the menu
// goes by each row's place. A hex-encoded Quake II name has no place in the
// Quake or Quake III config that Quick Save would otherwise still target, so
// that mode turns it off. A JumpGate name can be saved like any other.
inline constexpr std::array<GameRow, 15> kGames{{
    {GameMode::QuakeWorld, at(kInQuakeMenu, 1), "QuakeWorld", u"QuakeWorld",
     u"Mode: Quake (1)/QuakeWorld", BuiltInSheet::QuakeWorld, Encoding::ByteTable, nullptr, true,
     true, ConfigKind::Q1Config, kQuakeWorldEngines, kQuakeWorldReaders, charset::Game::Quake,
     u"quakeworld", u"quakeworld"},
    {GameMode::QuakeWorldMod, at(kInQuakeMenu, 2), "QuakeWorldMOD", u"QuakeWorld MOD",
     u"Mode: Quake (1)/QuakeWorld MOD", std::nullopt, Encoding::ByteTable, nullptr, false, true,
     std::nullopt, kQuakeWorldEngines, kQuakeWorldReaders, std::nullopt, nullptr, nullptr},
    {GameMode::Quake2, at(kInQuake2Menu, 3), "Quake2", u"Quake II",
     u"Mode: Quake2 (ASCII Standard)", BuiltInSheet::Quake2, Encoding::ByteTable, nullptr, false,
     true, std::nullopt, kQuake2Engines, kQuake2Readers, charset::Game::Quake2, u"quake2",
     u"quake2"},
    {GameMode::Quake2Hex, at(kInQuake2Menu, 4), "RivCTFandVikingServerMOD",
     u"RivCTF/Viking Server MOD", u"Mode: Quake2 (Hexadecimal Standard) RivCTF & Viking Server MOD",
     BuiltInSheet::Quake2, Encoding::HexPairs, nullptr, false, true, std::nullopt, kQuake2Engines,
     kQuake2Readers, charset::Game::Quake2, u"quake2", u"quake2-hex"},
    {GameMode::Quake3Arena, at(kInGameMenu, 5), "Q3A", u"Quake III: Arena",
     u"Mode: Quake III: Arena", BuiltInSheet::Q3White, Encoding::ColourTable, &kQuake3Colours, true,
     true, ConfigKind::Q3Config, kQuake3Engines, kQuake3Readers, charset::Game::Quake3, u"quake3",
     u"quake3"},
    {GameMode::Wolfenstein, at(kInGameMenu, 8), "wolf3d", u"Return to Castle Wolfenstein",
     u"Mode: Return to Castle Wolfenstein", BuiltInSheet::Q3White, Encoding::ColourTable,
     &kQuake3Colours, false, true, std::nullopt, kRtcwEngines, kRtcwReaders,
     charset::Game::Wolfenstein, u"rtcw", u"rtcw"},
    {GameMode::Hexen2, at(kInHexen2Menu, 6, "blankbar2"), "Hexen2", u"Hexen II", u"Mode: Hexen II",
     BuiltInSheet::Hexen2, Encoding::ByteTable, nullptr, false, true, std::nullopt, kHexen2Engines,
     kHexen2Readers, charset::Game::Hexen2, u"hexen2", u"hexen2"},
    {GameMode::Hexen2Mod, at(kInHexen2Menu, 7), "Hexen2MOD", u"Hexen II MOD", u"Mode: Hexen II MOD",
     std::nullopt, Encoding::ByteTable, nullptr, false, true, std::nullopt, kHexen2Engines,
     kHexen2Readers, std::nullopt, nullptr, nullptr},
    {GameMode::JumpGate, at(kInGameMenu, 9), "JumpGate", u"JumpGate",
     u"Mode: JumpGate Beta Support", BuiltInSheet::JumpGate, Encoding::ByteTable, nullptr, false,
     true, std::nullopt, kNoEngines, kNoReaders, std::nullopt, nullptr, u"jumpgate"},
    // The Quake III-family games played today, a group of their own. Their
    // sheets are drawn at run time (modes/Quake3FamilyModes.cpp): the white
    // Quake III one, or the text games' fonts, in the game's own colours.
    {GameMode::UrbanTerror, at(kInGameMenu, 10, "blankbar6"), "UrbanTerror", u"Urban Terror",
     u"Mode: Urban Terror", BuiltInSheet::Q3White, Encoding::ColourTable, &kUrbanTerrorColours,
     true, true, ConfigKind::UrbanTerror, kUrbanTerrorEngines, kNoReaders,
     charset::Game::UrbanTerror, u"urbanterror", u"urbanterror"},
    {GameMode::OpenJK, at(kInGameMenu, 11), "OpenJK", u"Jedi Academy (OpenJK)",
     u"Mode: Jedi Academy (OpenJK)", BuiltInSheet::Q3White, Encoding::ColourTable, &kOpenJKColours,
     true, true, ConfigKind::OpenJK, kOpenJKEngines, kNoReaders, charset::Game::OpenJK, u"openjk",
     u"openjk"},
    {GameMode::EtLegacy, at(kInGameMenu, 12), "ETLegacy", u"Enemy Territory (ET: Legacy)",
     u"Mode: Enemy Territory (ET: Legacy)", BuiltInSheet::Q3White, Encoding::Utf8ColourTable,
     &kEtLegacyColours, true, true, ConfigKind::EtLegacy, kEtLegacyEngines, kNoReaders,
     charset::Game::EtLegacy, u"etlegacy", u"etlegacy"},
    {GameMode::Warfork, at(kInGameMenu, 13), "Warfork", u"Warfork", u"Mode: Warfork",
     BuiltInSheet::Q3White, Encoding::Utf8ColourTable, &kWarforkColours, true, true,
     ConfigKind::Warfork, kWarforkEngines, kNoReaders, charset::Game::Warfork, u"warfork",
     u"warfork"},
    // Quake Live takes the name from Steam: nothing to quick-save into.
    {GameMode::QuakeLive, at(kInGameMenu, 14), "QuakeLive", u"Quake Live",
     u"Mode: Quake Live (preview only)", BuiltInSheet::Q3White, Encoding::ColourTable,
     &kQuakeLiveColours, false, true, std::nullopt, kQuakeLiveEngines, kNoReaders,
     charset::Game::QuakeLive, u"quakelive", u"quakelive"},
    // Xonotic draws the Quake glyphs from its charset at U+E000 + code,
    // tinted like the family's (modes/Quake3FamilyModes.cpp).
    {GameMode::Xonotic, at(kInGameMenu, 15), "Xonotic", u"Xonotic", u"Mode: Xonotic",
     BuiltInSheet::QuakeWorld, Encoding::XonoticText, &kXonoticColours, true, true,
     ConfigKind::Xonotic, kXonoticEngines, kNoReaders, std::nullopt, nullptr, u"xonotic"},
}};

const GameRow& gameRow(GameMode mode);
// The row of the game the window is in; none before the first switch.
const GameRow* currentGame(const WindowState& state);
// The colour codes of the current game; none in games without them.
const ColourSet* currentColours(const WindowState& state);

// The open dialog of the custom-picture modes.
inline const QString kOpenDialogTitle = u"Open"_s;
QStringList customSheetFilters();

// Runs the Game/Mode command of `mode` (also start-up's way into Quake III:
// Arena): a new name in the mode's encoding, its sheet, label, menu states and
// Quick Save target, as its row says. A built-in sheet that can't be read is
// reported and replaced by a black one; the switch still happens. A mode with
// the user's picture turns Quick Save off, then asks for the picture; cancel or
// a picture that can't be read leaves everything else as it was (false).
bool switchMode(WindowState& state, Desktop& desktop, const QString& appDir, GameMode mode);

}  // namespace vtl
