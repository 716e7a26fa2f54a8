#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace vtl {

using namespace Qt::StringLiterals;

// The games of today whose own config Quick Save appends to, each from the
// game's home folder (where the game writes, not where it is installed).
enum class ConfigGame { UrbanTerror, OpenJK, EtLegacy, Warfork, Xonotic };

// The settings key under which the game's home folder is remembered, in a
// section of its own so the Configure window's two folders keep their bytes.
inline const QString kGameFolderSection = u"Game folders"_s;
QString gameFolderKey(ConfigGame game);

// The file Quick Save appends to inside the home folder `home` (or inside
// the game's data folder, q3ut4, base, legacy or basewf, when the user picked
// that one):
// - Urban Terror: q3ut4/q3config.cfg
// - OpenJK: base/openjk.cfg
// - ET: Legacy: legacy/profiles/<profile>/etconfig.cfg, the profile named in
//   legacy/profiles/defaultprofile.dat; legacy/etconfig.cfg without one
// - Warfork: basewf/autoexec_postinit.cfg, the one file the game runs after
//   its start-up has replaced names it does not allow
// - Xonotic: data/autoexec.cfg. Its quake.rc runs default.cfg, config.cfg
//   (which the game rewrites on exit, the name as "_cl_name"),
//   config_update.cfg, the font and autoexec/*.cfg files, then autoexec.cfg:
//   the last file that sets a name before the player can, and one the game
//   never writes. The home is DarkPlaces' user folder for "xonotic" (fs.c).
QString gameConfigFile(ConfigGame game, const QString& home);

// The profile ET: Legacy starts with: the first token of defaultprofile.dat
// read as the game's parser reads it (a quoted string or a word; // and /* */
// comments skipped). Empty when the file names none.
QString defaultProfileName(const QByteArray& defaultProfileDat);

}  // namespace vtl
