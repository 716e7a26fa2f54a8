#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

#include "desktop/Desktop.h"

// Where the games a name is made for are installed: the folders their
// clients and the stores use, found by listing folders only (no file is
// opened). A place that is missing or can't be listed is skipped quietly.

namespace vtl {

// The games whose folders are looked for. A new game is a new value and its
// rows in kGamePlaces.
enum class InstalledGame {
    Quake,
    Quake2,
    Quake3,
    UrbanTerror,
    OpenJK,
    EtLegacy,
    Warfork,
    QuakeLive,
    Xonotic
};

enum class Platform { Linux, Windows };

// Where a row's path starts.
enum class PlaceBase {
    Home,          // ~, or %USERPROFILE%
    XdgDataHome,   // $XDG_DATA_HOME, else ~/.local/share
    LocalAppData,  // %LOCALAPPDATA%
    AppData,       // %APPDATA%
    SavedGames,    // %USERPROFILE%\Saved Games
    Documents,     // %USERPROFILE%\Documents
    SteamLibrary,  // steamapps/common of each Steam library in a usual place
    GogLibrary,    // each folder GOG installs games into by default
};

// One place a game folder may be. `path` is below the base, with '/'; a "*"
// in a name stands for any text (a client's installation name the user
// picks, "*"; a version, "warfork-*").
// Folder names are matched without regard to letter case, as game folders
// copied from Windows are often spelled ID1 or BASEQ2.
struct GamePlace {
    InstalledGame game;
    Platform platform;
    PlaceBase base;
    const char16_t* path;
    const char16_t* client;  // the client or store that uses it
};

// Each client's home folder, the stores' libraries and the re-releases' user
// folders. The sources say where each comes from.
inline constexpr GamePlace kGamePlaces[] = {
    // FTE: $XDG_DATA_HOME/<installation>, legacy ~/.fte (fs.c:8328-8357);
    // Windows: %LOCALAPPDATA%, Saved Games, Documents\My Games (fs.c:8169-8315).
    {InstalledGame::Quake, Platform::Linux, PlaceBase::XdgDataHome, u"*/id1", u"FTE"},
    {InstalledGame::Quake, Platform::Linux, PlaceBase::Home, u".fte/id1", u"FTE"},
    {InstalledGame::Quake, Platform::Windows, PlaceBase::LocalAppData, u"*/id1", u"FTE"},
    {InstalledGame::Quake, Platform::Windows, PlaceBase::SavedGames, u"*/id1", u"FTE"},
    {InstalledGame::Quake, Platform::Windows, PlaceBase::Documents, u"My Games/*/id1", u"FTE"},
    // Ironwail: ~/.ironwail, and for Steam/GOG installs .original/.rerelease
    // (sys_sdl_unix.c:476-495) or Saved Games\Ironwail\... (sys_sdl_win.c:530-537).
    {InstalledGame::Quake, Platform::Linux, PlaceBase::Home, u".ironwail/id1", u"Ironwail"},
    {InstalledGame::Quake, Platform::Linux, PlaceBase::Home, u".ironwail/.original/id1",
     u"Ironwail"},
    {InstalledGame::Quake, Platform::Linux, PlaceBase::Home, u".ironwail/.rerelease/id1",
     u"Ironwail"},
    {InstalledGame::Quake, Platform::Windows, PlaceBase::SavedGames, u"Ironwail/original/id1",
     u"Ironwail"},
    {InstalledGame::Quake, Platform::Windows, PlaceBase::SavedGames, u"Ironwail/rerelease/id1",
     u"Ironwail"},
    // The re-releases' user folders (Q2R README.md:3; IW sys_sdl_win.c:415-418).
    {InstalledGame::Quake, Platform::Windows, PlaceBase::SavedGames, u"Nightdive Studios/Quake",
     u"Quake re-release"},
    {InstalledGame::Quake2, Platform::Windows, PlaceBase::SavedGames, u"Nightdive Studios/Quake II",
     u"Quake II re-release"},
    // Q2PRO: ~/.q2pro (meson_options.txt:54); on Windows it uses the install folder.
    {InstalledGame::Quake2, Platform::Linux, PlaceBase::Home, u".q2pro/baseq2", u"Q2PRO"},
    // The homes of the Quake III-family games played today, where each keeps
    // its config: Urban Terror ~/.q3a (ioq3-for-UrbanTerror sys_unix.c:58-64;
    // on Windows it writes into its install folder); OpenJK (sys_unix.cpp:
    // 506-535, sys_win32.cpp:158-181); ET: Legacy (sys_unix.c:131-146,
    // sys_win32.c:114-140); Warfork, named with its version (unix_fs.c,
    // win_fs.c).
    {InstalledGame::UrbanTerror, Platform::Linux, PlaceBase::Home, u".q3a", u"Urban Terror"},
    {InstalledGame::OpenJK, Platform::Linux, PlaceBase::XdgDataHome, u"openjk", u"OpenJK"},
    {InstalledGame::OpenJK, Platform::Windows, PlaceBase::Documents, u"My Games/OpenJK", u"OpenJK"},
    {InstalledGame::EtLegacy, Platform::Linux, PlaceBase::Home, u".etlegacy", u"ET: Legacy"},
    {InstalledGame::EtLegacy, Platform::Windows, PlaceBase::Documents, u"ETLegacy", u"ET: Legacy"},
    {InstalledGame::Warfork, Platform::Linux, PlaceBase::XdgDataHome, u"warfork-*", u"Warfork"},
    {InstalledGame::Warfork, Platform::Windows, PlaceBase::AppData, u"Warfork *", u"Warfork"},
    {InstalledGame::Warfork, Platform::Windows, PlaceBase::Documents, u"My Games/Warfork *",
     u"Warfork"},
    // Xonotic (DarkPlaces fs.c): ~/.xonotic; on Windows Saved Games first, as
    // DarkPlaces picks it when both exist.
    {InstalledGame::Xonotic, Platform::Linux, PlaceBase::Home, u".xonotic", u"Xonotic"},
    {InstalledGame::Xonotic, Platform::Windows, PlaceBase::SavedGames, u"xonotic", u"Xonotic"},
    {InstalledGame::Xonotic, Platform::Windows, PlaceBase::Documents, u"My Games/xonotic",
     u"Xonotic"},
    // The stores, on both systems. Quake Live's folder is the one a public
    // guide names (the game's code is closed).
    {InstalledGame::Quake, Platform::Linux, PlaceBase::SteamLibrary, u"Quake/id1", u"Steam"},
    {InstalledGame::Quake, Platform::Linux, PlaceBase::SteamLibrary, u"Quake/rerelease/id1",
     u"Steam"},
    {InstalledGame::Quake2, Platform::Linux, PlaceBase::SteamLibrary, u"Quake 2/baseq2", u"Steam"},
    {InstalledGame::Quake2, Platform::Linux, PlaceBase::SteamLibrary, u"Quake 2/rerelease/baseq2",
     u"Steam"},
    {InstalledGame::Quake3, Platform::Linux, PlaceBase::SteamLibrary, u"Quake 3 Arena/baseq3",
     u"Steam"},
    {InstalledGame::QuakeLive, Platform::Linux, PlaceBase::SteamLibrary, u"Quake Live", u"Steam"},
    {InstalledGame::Quake, Platform::Windows, PlaceBase::SteamLibrary, u"Quake/id1", u"Steam"},
    {InstalledGame::Quake, Platform::Windows, PlaceBase::SteamLibrary, u"Quake/rerelease/id1",
     u"Steam"},
    {InstalledGame::Quake2, Platform::Windows, PlaceBase::SteamLibrary, u"Quake 2/baseq2",
     u"Steam"},
    {InstalledGame::Quake2, Platform::Windows, PlaceBase::SteamLibrary, u"Quake 2/rerelease/baseq2",
     u"Steam"},
    {InstalledGame::Quake3, Platform::Windows, PlaceBase::SteamLibrary, u"Quake 3 Arena/baseq3",
     u"Steam"},
    {InstalledGame::QuakeLive, Platform::Windows, PlaceBase::SteamLibrary, u"Quake Live", u"Steam"},
    {InstalledGame::Quake, Platform::Linux, PlaceBase::GogLibrary, u"Quake/id1", u"GOG"},
    {InstalledGame::Quake, Platform::Linux, PlaceBase::GogLibrary, u"Quake/rerelease/id1", u"GOG"},
    {InstalledGame::Quake2, Platform::Linux, PlaceBase::GogLibrary, u"Quake II/baseq2", u"GOG"},
    {InstalledGame::Quake2, Platform::Linux, PlaceBase::GogLibrary, u"Quake II/rerelease/baseq2",
     u"GOG"},
    {InstalledGame::Quake3, Platform::Linux, PlaceBase::GogLibrary, u"Quake III Arena/baseq3",
     u"GOG"},
    {InstalledGame::Quake, Platform::Windows, PlaceBase::GogLibrary, u"Quake/id1", u"GOG"},
    {InstalledGame::Quake, Platform::Windows, PlaceBase::GogLibrary, u"Quake/rerelease/id1",
     u"GOG"},
    {InstalledGame::Quake2, Platform::Windows, PlaceBase::GogLibrary, u"Quake II/baseq2", u"GOG"},
    {InstalledGame::Quake2, Platform::Windows, PlaceBase::GogLibrary, u"Quake II/rerelease/baseq2",
     u"GOG"},
    {InstalledGame::Quake3, Platform::Windows, PlaceBase::GogLibrary, u"Quake III Arena/baseq3",
     u"GOG"},
};

// The user's folders the places start from. Tests build one around a fake
// home folder; the program asks the machine it runs on.
struct UserFolders {
    Platform platform = Platform::Linux;
    QString home;
    // The environment variables a base reads (XDG_DATA_HOME, LOCALAPPDATA,
    // APPDATA, ProgramFiles, ProgramFiles(x86)); a missing one reads as empty.
    QHash<QString, QString> environment;
    // Windows: the drives' root folders ("C:/", "D:/").
    QStringList driveRoots;

    static UserFolders ofThisMachine();
};

struct FoundGameFolder {
    InstalledGame game;
    QString path;   // with '/', as the folder listings spell it
    QString label;  // the client or store, and the folder's last two names
};

// Every game folder of the places that exists, in the order of the rows,
// each folder once.
std::vector<FoundGameFolder> findGameFolders(const UserFolders& user,
                                             std::span<const GamePlace> places = kGamePlaces);

// The same, for one game.
std::vector<FoundGameFolder> findGameFolders(InstalledGame game, const UserFolders& user,
                                             std::span<const GamePlace> places = kGamePlaces);

// A game's folders as the sidebar of a folder dialog lists them.
QList<FolderShortcut> gameFolderShortcuts(InstalledGame game, const UserFolders& user);

// Where the game's first place on this system is, its pattern kept
// ("~/.local/share/warfork-*" in full), with the system's separators, for a
// prompt to name; empty when no row names a place on this system.
QString usualGamePlace(InstalledGame game, const UserFolders& user);

}  // namespace vtl
