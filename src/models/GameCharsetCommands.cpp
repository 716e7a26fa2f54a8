#include "models/GameCharsetCommands.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

#include "charset/GameCharset.h"
#include "ini/Ini.h"
#include "ini/Settings.h"
#include "modes/ColourList.h"
#include "modes/Quake3FamilyModes.h"
#include "modes/SheetLoader.h"

namespace vtl {
namespace {

// The row of the game whose charset folder is remembered under `key`.
const GameRow* gameWithCharsetKey(const QString& key) {
    for (const GameRow& row : kGames) {
        if (row.charsetGame && key == QStringView(row.charsetKey)) {
            return &row;
        }
    }
    return nullptr;
}

// The game whose installed folders the folder dialog offers; none for the
// games no place is known of.
std::optional<InstalledGame> installedGameOf(charset::Game game) {
    switch (game) {
        case charset::Game::Quake:
            return InstalledGame::Quake;
        case charset::Game::Quake2:
            return InstalledGame::Quake2;
        case charset::Game::Quake3:
            return InstalledGame::Quake3;
        case charset::Game::UrbanTerror:
            return InstalledGame::UrbanTerror;
        case charset::Game::OpenJK:
            return InstalledGame::OpenJK;
        case charset::Game::EtLegacy:
            return InstalledGame::EtLegacy;
        case charset::Game::Warfork:
            return InstalledGame::Warfork;
        case charset::Game::QuakeLive:
            return InstalledGame::QuakeLive;
        case charset::Game::Wolfenstein:
        case charset::Game::Hexen2:
            break;
    }
    return std::nullopt;
}

QString section() {
    return kCharsetSection;
}

void show(WindowState& state, const charset::GameCharset& found) {
    if (const FamilyRow* family = currentFamilyRow(state)) {
        // These games tint every charset, fonts included, from their own table.
        useFamilyGlyphs(state, *family, found.sheet);
        state.ownCharset = found.sheet;
        state.charsetNote = kCharsetFromNote.arg(QDir::toNativeSeparators(found.source));
        return;
    }
    state.ownCharset = found.sheet;
    state.ownCharsetTinted = found.tinted;
    state.sheetSource = ownCharsetInColour(state, state.ColorPrefix);
    state.mapPicture = state.sheetSource;
    state.charsetNote = kCharsetFromNote.arg(QDir::toNativeSeparators(found.source));
    if (!found.skipped.isEmpty()) {
        QStringList names;
        for (const QString& pk3 : found.skipped) {
            names << QFileInfo(pk3).fileName();
        }
        state.charsetNote += kCharsetSkippedNote.arg(names.join(QStringLiteral(", ")));
    }
}

void forgetShownCharset(WindowState& state) {
    state.ownCharset = QImage();
    state.ownCharsetTinted = false;
    state.charsetNote.clear();
}

// Why the remembered charset is not in use, briefly, for the bottom row.
QString goneNote(const QString& folder, const charset::CharsetSearch& search) {
    const QString shown = QDir::toNativeSeparators(folder);
    if (search.damaged) {
        return kCharsetDamagedNote.arg(search.message);
    }
    if (!QFileInfo(folder).isDir()) {
        return kCharsetFolderGoneNote.arg(shown);
    }
    return kCharsetMissingNote.arg(shown);
}

}  // namespace

void useGameCharset(WindowState& state, Desktop& desktop, const QString& settingsFile,
                    const UserFolders& user) {
    const GameRow* game = gameWithCharsetKey(state.charsetGameKey);
    if (!game) {
        return;
    }
    const std::optional<InstalledGame> installed = installedGameOf(*game->charsetGame);
    const QString folder =
        desktop.chooseFolder(kGameFolderPrompt, installed ? gameFolderShortcuts(*installed, user)
                                                          : QList<FolderShortcut>{});
    if (folder.isEmpty()) {
        return;
    }
    if (isUnusableFolderName(folder)) {
        showWarning(desktop, kUnusableFolderText.arg(folder));
        return;
    }
    const charset::CharsetSearch search = charset::findGameCharset(*game->charsetGame, folder);
    if (!search.charset) {
        showInfo(desktop, search.message);
        return;
    }
    show(state, *search.charset);
    state.charsetGoneTold.removeAll(state.charsetGameKey);
    QString reason;
    if (!WriteIni(section(), state.charsetGameKey, folder, settingsFile, &reason,
                  IniText::FileName)) {
        showInfo(desktop, kCharsetNotRemembered + u'\r' + reason);
    }
}

void useBuiltInCharset(WindowState& state, Desktop& desktop, const QString& appDir,
                       const QString& settingsFile) {
    const GameRow* game = gameWithCharsetKey(state.charsetGameKey);
    if (!game) {
        return;
    }
    state.charsetNote.clear();
    if (const FamilyRow* family = familyRow(game->mode); family && !state.ownCharset.isNull()) {
        forgetShownCharset(state);
        useBuiltInFamilyGlyphs(state, desktop, appDir, *family);  // may note a stand-in font
    } else if (!state.ownCharset.isNull()) {
        forgetShownCharset(state);
        const std::optional<int> colour =
            game->colours ? game->colours->choiceWithCode(state.ColorPrefix) : std::nullopt;
        state.sheetSource =
            colour ? colourSheet(state, desktop, appDir,
                                 game->colours->choices[static_cast<std::size_t>(*colour)])
                   : loadSheetOrBlank(
                         builtInSheetPath(appDir, game->sheet.value_or(BuiltInSheet::Q3White)),
                         desktop);
        state.mapPicture = state.sheetSource;
    }
    // An empty value is what a missing key reads as: the choice is gone.
    if (!ReadIni(section(), state.charsetGameKey, settingsFile).isEmpty()) {
        QString reason;
        if (!WriteIni(section(), state.charsetGameKey, QString(), settingsFile, &reason)) {
            showInfo(desktop, reason);
        }
    }
}

void applyRememberedCharset(WindowState& state, const QString& settingsFile, bool switched) {
    // A custom-picture switch that was cancelled leaves everything as it was.
    if (!switched) {
        return;
    }
    const GameRow* game = currentGame(state);
    if (!game || !game->charsetGame) {
        state.charsetGameKey.clear();
        forgetShownCharset(state);
        return;
    }
    state.charsetGameKey = QString::fromUtf16(game->charsetKey);
    // The switch's own note (a text game's stand-in font) stays unless a
    // remembered charset replaces it.
    const QString switchNote = state.charsetNote;
    forgetShownCharset(state);
    state.charsetNote = switchNote;
    const RememberedFolder remembered =
        ReadIniFolder(section(), state.charsetGameKey, settingsFile);
    const QString folder = remembered.folder;
    if (!remembered.unusable.isEmpty() && !state.charsetGoneTold.contains(state.charsetGameKey)) {
        state.charsetGoneTold << state.charsetGameKey;
        state.charsetNote = kCharsetUnusableNote.arg(remembered.unusable);
    }
    if (folder.isEmpty()) {
        return;
    }
    const charset::CharsetSearch search = charset::findGameCharset(*game->charsetGame, folder);
    if (search.charset) {
        show(state, *search.charset);
        state.charsetGoneTold.removeAll(state.charsetGameKey);
    } else if (!state.charsetGoneTold.contains(state.charsetGameKey)) {
        state.charsetGoneTold << state.charsetGameKey;
        state.charsetNote = goneNote(folder, search);
    }
}

}  // namespace vtl
