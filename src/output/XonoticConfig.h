#pragma once

#include <QString>

#include <functional>

namespace vtl {

// Where Quick Save writes a Xonotic name. Xonotic's start-up (quake.rc) runs
// default.cfg, config.cfg (which the game rewrites on exit, the name as
// "_cl_name"), config_update.cfg, the font and autoexec/*.cfg files, then
// autoexec.cfg: that is the last file that sets a name before the player
// can, and the game never writes it. The folder is DarkPlaces' user folder
// for the game "xonotic", then "data" (fs.c, com_game.c).
struct XonoticFolders {
    QString home;        // Linux: the home folder
    QString savedGames;  // Windows: the user's Saved Games folder
    QString documents;   // Windows: the user's Documents folder
};

inline const QString kXonoticConfigFile = QStringLiteral("autoexec.cfg");

// Linux: ~/.xonotic/data/autoexec.cfg. Windows: the xonotic folder under
// Saved Games or under Documents\My Games, whichever exists (Saved Games
// first, and Saved Games when neither does), then data\autoexec.cfg.
QString xonoticQuickSaveFile(bool windows, const XonoticFolders& folders,
                             const std::function<bool(const QString&)>& folderExists);

}  // namespace vtl
