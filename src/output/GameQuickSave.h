#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "installed/GameFolders.h"
#include "output/GameConfigs.h"
#include "output/OutputCommands.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kChooseGameFolderPrompt =
    u"Choose the folder where %1 keeps its settings (on this computer usually %2). "
    u"Quick Save remembers it for this game."_s;
inline const QString kNoUsualGameFolder = u"the game's own folder"_s;

// Where the home folder of each game is remembered: read gives the stored
// folder (empty when none), write stores one (false, with the reason, when
// it could not be stored).
struct GameFolderStore {
    std::function<RememberedFolder(const QString& key)> read;
    std::function<bool(const QString& key, const QString& folder, QString* error)> write;
};

// The game of a Quick Save target, when it is one of these.
std::optional<ConfigGame> configGameOf(ConfigKind kind);

// The game's name in messages.
QString configGameName(ConfigGame game);

// Quick Save in a Quake III-family game played today: appends the name line
// to the game's config (gameConfigFile) inside the game's home folder. The
// folder is asked for the first time, or again when the remembered one is
// gone, with the game's home folders found on this computer (`user`) in the
// dialog's sidebar, and remembered per game. Nothing is written on cancel.
void quickSaveToGame(WindowState& state, Desktop& desktop, ConfigGame game,
                     const GameFolderStore& store, const UserFolders& user,
                     const AppendApproval& approveAppend = {});

// Quake Live's Save Name note, shown once a run before the first save.
inline const QString kQuakeLiveSteamNameText =
    u"Quake Live takes the name from Steam: a name line in a config does not change the name "
    u"others see. The file is saved anyway, for servers that run it or for a preview."_s;

}  // namespace vtl
