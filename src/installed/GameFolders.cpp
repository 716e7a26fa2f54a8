#include "installed/GameFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

const QString kXdgDataHome = u"XDG_DATA_HOME"_s;
const QString kLocalAppData = u"LOCALAPPDATA"_s;
const QString kAppData = u"APPDATA"_s;
const QString kProgramFiles = u"ProgramFiles"_s;
const QString kProgramFilesX86 = u"ProgramFiles(x86)"_s;
const QStringList kVariables{kXdgDataHome, kLocalAppData, kAppData, kProgramFiles,
                             kProgramFilesX86};

// Empty when the folder is: an unset variable names no place.
QString joined(const QString& folder, const QString& below) {
    return folder.isEmpty() ? QString() : QDir::cleanPath(folder + u'/' + below);
}

// The folders a base stands for; those that are not set are left out.
QStringList baseFolders(PlaceBase base, const UserFolders& user) {
    const QString home = user.home;
    const auto variable = [&](const QString& name) {
        return QDir::fromNativeSeparators(user.environment.value(name));
    };
    QStringList folders;
    const auto add = [&folders](const QString& folder, const QString& below = {}) {
        if (!folder.isEmpty()) {
            folders << (below.isEmpty() ? QDir::cleanPath(folder) : joined(folder, below));
        }
    };
    const bool windows = user.platform == Platform::Windows;
    QString xdgData = variable(kXdgDataHome);
    if (xdgData.isEmpty() && !home.isEmpty()) {
        xdgData = joined(home, u".local/share"_s);
    }
    switch (base) {
        case PlaceBase::Home:
            add(home);
            break;
        case PlaceBase::XdgDataHome:
            add(xdgData);
            break;
        case PlaceBase::LocalAppData:
            add(variable(kLocalAppData));
            break;
        case PlaceBase::AppData:
            add(variable(kAppData));
            break;
        case PlaceBase::SavedGames:
            add(home, u"Saved Games"_s);
            break;
        case PlaceBase::Documents:
            add(home, u"Documents"_s);
            break;
        case PlaceBase::SteamLibrary: {
            // Libraries elsewhere are named only inside Steam's own files,
            // which are not read: the usual places and each drive's
            // SteamLibrary folder.
            QStringList steam;
            if (windows) {
                steam << joined(variable(kProgramFilesX86), u"Steam"_s)
                      << joined(variable(kProgramFiles), u"Steam"_s);
                for (const QString& drive : user.driveRoots) {
                    steam << joined(drive, u"SteamLibrary"_s);
                }
            } else {
                steam << joined(home, u".steam/steam"_s) << joined(xdgData, u"Steam"_s)
                      << joined(home, u".steam/debian-installation"_s)
                      << joined(home, u".var/app/com.valvesoftware.Steam/.local/share/Steam"_s);
            }
            for (const QString& library : steam) {
                add(library, u"steamapps/common"_s);
            }
            break;
        }
        case PlaceBase::GogLibrary:
            if (windows) {
                for (const QString& drive : user.driveRoots) {
                    add(drive, u"GOG Games"_s);
                }
                add(variable(kProgramFilesX86), u"GOG Galaxy/Games"_s);
            } else {
                add(home, u"GOG Games"_s);
            }
            break;
    }
    return folders;
}

// The sub-folders of `folder` that `name` matches ("*" in it: any text).
QStringList matchingSubfolders(const QString& folder, const QString& name) {
    const QStringList entries =
        QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(name),
                                     QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (const QString& entry : entries) {
        if (pattern.match(entry).hasMatch()) {
            found << folder + u'/' + entry;
        }
    }
    return found;
}

// The client or store, and the folder as the row names it below its base.
QString labelOf(const GamePlace& place, const QString& base, const QString& path) {
    return QString::fromUtf16(place.client) + u": "_s + path.mid(base.size() + 1);
}

}  // namespace

UserFolders UserFolders::ofThisMachine() {
    UserFolders user;
#ifdef Q_OS_WIN
    user.platform = Platform::Windows;
    for (const QFileInfo& drive : QDir::drives()) {
        user.driveRoots << drive.absoluteFilePath();
    }
#endif
    user.home = QDir::homePath();
    for (const QString& name : kVariables) {
        if (qEnvironmentVariableIsSet(name.toLocal8Bit().constData())) {
            user.environment.insert(name, qEnvironmentVariable(name.toLocal8Bit().constData()));
        }
    }
    return user;
}

std::vector<FoundGameFolder> findGameFolders(const UserFolders& user,
                                             std::span<const GamePlace> places) {
    std::vector<FoundGameFolder> found;
    QSet<QString> seen;
    for (const GamePlace& place : places) {
        if (place.platform != user.platform) {
            continue;
        }
        const QStringList names = QString::fromUtf16(place.path).split(u'/', Qt::SkipEmptyParts);
        for (const QString& base : baseFolders(place.base, user)) {
            QStringList level{base};
            for (const QString& name : names) {
                QStringList next;
                for (const QString& folder : level) {
                    next << matchingSubfolders(folder, name);
                }
                level = next;
            }
            for (const QString& path : level) {
                // The same folder reached twice (~/.steam/steam is usually a
                // link to ~/.local/share/Steam) is listed once.
                const QString canonical = QFileInfo(path).canonicalFilePath();
                if (seen.contains(canonical)) {
                    continue;
                }
                seen.insert(canonical);
                found.push_back({place.game, path, labelOf(place, base, path)});
            }
        }
    }
    return found;
}

std::vector<FoundGameFolder> findGameFolders(InstalledGame game, const UserFolders& user,
                                             std::span<const GamePlace> places) {
    std::vector<FoundGameFolder> all = findGameFolders(user, places);
    std::erase_if(all, [game](const FoundGameFolder& f) { return f.game != game; });
    return all;
}

QString usualGamePlace(InstalledGame game, const UserFolders& user) {
    for (const GamePlace& place : kGamePlaces) {
        if (place.game != game || place.platform != user.platform) {
            continue;
        }
        const QStringList bases = baseFolders(place.base, user);
        if (!bases.isEmpty()) {
            const QString path = joined(bases.front(), QString::fromUtf16(place.path));
            return user.platform == Platform::Windows ? QString(path).replace(u'/', u'\\') : path;
        }
    }
    return {};
}

QList<FolderShortcut> gameFolderShortcuts(InstalledGame game, const UserFolders& user) {
    QList<FolderShortcut> shortcuts;
    for (const FoundGameFolder& folder : findGameFolders(game, user)) {
        shortcuts.append({folder.label, folder.path});
    }
    return shortcuts;
}

}  // namespace vtl
