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

QStringList homePlaces(ConfigGame game) {
    const HostSystem system =
#ifdef Q_OS_WIN
        HostSystem::Windows;
#else
        HostSystem::Linux;
#endif
    return gameHomePlaces(game, system,
                          [](const char* name) { return qEnvironmentVariable(name); });
}

QString usualFolder(ConfigGame game) {
    const QStringList places = homePlaces(game);
    return places.isEmpty() ? kNoUsualGameFolder : QDir::toNativeSeparators(places.front());
}

// The game's home folders that exist on this computer, for the dialog's sidebar.
QList<FolderShortcut> foundHomes(ConfigGame game) {
    QList<FolderShortcut> shortcuts;
    for (const QString& place : homePlaces(game)) {
        if (QFileInfo(place).isDir()) {
            shortcuts.append(
                {configGameName(game) + u": "_s + QDir::toNativeSeparators(place), place});
        }
    }
    return shortcuts;
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
                     const GameFolderStore& store, const AppendApproval& approveAppend) {
    const QString key = gameFolderKey(game);
    QString folder = store.read(key);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = desktop.chooseFolder(
            kChooseGameFolderPrompt.arg(configGameName(game), usualFolder(game)), foundHomes(game));
        if (folder.isEmpty()) {
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
