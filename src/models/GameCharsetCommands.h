#pragma once

#include <QString>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "installed/GameFolders.h"
#include "modes/GameModes.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline constexpr char16_t kUseGameCharsetCaption[] = u"Use Game's &Own Charset…";
inline constexpr char16_t kUseBuiltInCharsetCaption[] = u"Use &Built-in Charset";
inline const QString kGameFolderPrompt = u"Please select the game's folder (or its base folder)."_s;
inline const QString kCharsetFromNote = u"Charset: %1"_s;
// After the above when the search left damaged pk3 files out, as the games do.
inline const QString kCharsetSkippedNote = u" (damaged, skipped: %1)"_s;
inline const QString kCharsetFolderGoneNote = u"Built-in charset: %1 is gone"_s;
inline const QString kCharsetMissingNote = u"Built-in charset: no charset in %1 now"_s;
inline const QString kCharsetUnusableNote = u"Built-in charset: %1 is not a UTF-8 name"_s;
inline const QString kCharsetDamagedNote = u"Built-in charset: %1"_s;
inline const QString kCharsetNotRemembered =
    u"The charset is shown, but the choice could not be remembered."_s;

// Game/Mode → Use Game's Own Charset…: asks for the game folder, shows the
// charset found there and remembers the folder for the current game. A
// folder without a charset, or a damaged one, is reported; nothing changes.
// The folder dialog offers the game's folders found among `user`'s.
void useGameCharset(WindowState& state, Desktop& desktop, const QString& settingsFile,
                    const UserFolders& user);

// Game/Mode → Use Built-in Charset: the built-in sheet again, and the
// current game's choice forgotten.
void useBuiltInCharset(WindowState& state, Desktop& desktop, const QString& appDir,
                       const QString& settingsFile);

// After a mode switch: the charset remembered for the new mode's game
// replaces the built-in sheet. When its files are gone the built-in sheet
// stays and the bottom row says why, the first time this run. A switch that
// did not happen (a cancelled custom picture) changes nothing.
void applyRememberedCharset(WindowState& state, const QString& settingsFile, bool switched);

}  // namespace vtl
