#include "output/GameQuickSave.h"

#include <QDir>
#include <QFileInfo>

#include "output/ScriptWriter.h"

namespace vtl {
namespace {

const QString kSavedText = u"File Saved to Default Config: "_s;
const QString kNotRememberedText =
    u"The folder could not be remembered in the settings file: %1\rQuick Save will ask again "
    u"next time."_s;

InstalledGame installedGameOf(ConfigGame game) {
    switch (game) {
        case ConfigGame::UrbanTerror:
            return InstalledGame::UrbanTerror;
        case ConfigGame::OpenJK:
            return InstalledGame::OpenJK;
        case ConfigGame::EtLegacy:
            return InstalledGame::EtLegacy;
        case ConfigGame::Xonotic:
            return InstalledGame::Xonotic;
        case ConfigGame::Warfork:
            break;
    }
    return InstalledGame::Warfork;
}

}  // namespace

std::optional<ConfigGame> configGameOf(ConfigKind kind) {
    switch (kind) {
        case ConfigKind::UrbanTerror:
            return ConfigGame::UrbanTerror;
        case ConfigKind::OpenJK:
            return ConfigGame::OpenJK;
        case ConfigKind::EtLegacy:
            return ConfigGame::EtLegacy;
        case ConfigKind::Warfork:
            return ConfigGame::Warfork;
        case ConfigKind::Xonotic:
            return ConfigGame::Xonotic;
        case ConfigKind::Unset:
        case ConfigKind::Q1Config:
        case ConfigKind::Q3Config:
            break;
    }
    return std::nullopt;
}

QString configGameName(ConfigGame game) {
    switch (game) {
        case ConfigGame::UrbanTerror:
            return u"Urban Terror"_s;
        case ConfigGame::OpenJK:
            return u"OpenJK"_s;
        case ConfigGame::EtLegacy:
            return u"ET: Legacy"_s;
        case ConfigGame::Warfork:
            return u"Warfork"_s;
        case ConfigGame::Xonotic:
            return u"Xonotic"_s;
    }
    return {};
}

void quickSaveToGame(WindowState& state, Desktop& desktop, ConfigGame game,
                     const GameFolderStore& store, const UserFolders& user,
                     const AppendApproval& approveAppend) {
    const QString key = gameFolderKey(game);
    const RememberedFolder remembered = store.read(key);
    if (!remembered.unusable.isEmpty()) {
        showWarning(desktop, kUnusableFolderText.arg(remembered.unusable));
    }
    QString folder = remembered.folder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        const InstalledGame installed = installedGameOf(game);
        const QString usual = usualGamePlace(installed, user);
        folder = desktop.chooseFolder(
            kChooseGameFolderPrompt.arg(configGameName(game),
                                        usual.isEmpty() ? kNoUsualGameFolder : usual),
            gameFolderShortcuts(installed, user));
        if (folder.isEmpty()) {
            return;
        }
        if (isUnusableFolderName(folder)) {
            showWarning(desktop, kUnusableFolderText.arg(folder));
            return;
        }
        QString error;
        if (!store.write(key, folder, &error)) {
            showWarning(desktop, kNotRememberedText.arg(error));
        }
    }
    state.QuickSaveFile = gameConfigFile(game, folder);
    if (approveAppend) {
        const qint64 after =
            sizeAfterAppend(state.QuickSaveFile, QByteArray(), scriptTrailer(), state);
        if (!approveAppend(state.QuickSaveFile, after)) {
            return;
        }
    }
    const AppendResult result =
        AppendScriptLine(state.QuickSaveFile, QByteArray(), scriptTrailer(), state);
    if (!result.succeeded()) {
        showWarning(desktop, appendFailureText(state.QuickSaveFile, result));
        return;
    }
    showInfo(desktop, kSavedText + QDir::toNativeSeparators(state.QuickSaveFile));
}

}  // namespace vtl
