#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "installed/GameFolders.h"
#include "models/ConfigureForm.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

void makeFolders(const QString& root, const QStringList& folders) {
    for (const QString& folder : folders) {
        ASSERT_TRUE(QDir().mkpath(root + u'/' + folder)) << folder.toStdString();
    }
}

// "game|path below the root|label" for each folder found, in order.
QStringList found(const UserFolders& user, const QString& root) {
    QStringList out;
    for (const FoundGameFolder& f : findGameFolders(user)) {
        QString path = f.path;
        path.remove(0, root.size() + 1);
        out << QString::number(static_cast<int>(f.game)) + u'|' + path + u'|' + f.label;
    }
    return out;
}

const QString kQuake = QString::number(static_cast<int>(InstalledGame::Quake));
const QString kQuake2 = QString::number(static_cast<int>(InstalledGame::Quake2));
const QString kEtLegacy = QString::number(static_cast<int>(InstalledGame::EtLegacy));
const QString kWarfork = QString::number(static_cast<int>(InstalledGame::Warfork));

#ifndef _WIN32  // a Linux home: case-sensitive names; the Windows profile test has Windows' places
TEST(GameFolders, linuxHome_eachClientAndStoreFoundOnce) {
    QTemporaryDir dir;
    const QString home = dir.path();
    makeFolders(home, {
                          u".local/share/fte/id1"_s,
                          u".local/share/fte/qw"_s,   // not a game folder of a row
                          u".local/share/vkQuake"_s,  // a pref folder without games
                          u".fte/ID1"_s,              // spelled as copied from Windows
                          u".ironwail/.rerelease/id1"_s,
                          u".q2pro/baseq2"_s,
                          u".local/share/Steam/steamapps/common/Quake/rerelease/id1"_s,
                          u"GOG Games/Quake II/baseq2"_s,
                          u"Saved Games/Nightdive Studios/Quake"_s,  // a Windows place
                          u".etlegacy"_s,
                          u".local/share/warfork-2.1"_s,
                      });
    // Steam's usual link: the same library is listed once.
    ASSERT_TRUE(QDir().mkpath(home + u"/.steam"_s));
    ASSERT_TRUE(QFile::link(home + u"/.local/share/Steam"_s, home + u"/.steam/steam"_s));
    // A file where a folder would be is not a game folder.
    QFile file(home + u"/.q2pro/id1"_s);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));

    UserFolders user;
    user.platform = Platform::Linux;
    user.home = home;
    EXPECT_EQ(found(user, home),
              (QStringList{
                  kQuake + u"|.local/share/fte/id1|FTE: fte/id1"_s,
                  kQuake + u"|.fte/ID1|FTE: .fte/ID1"_s,
                  kQuake + u"|.ironwail/.rerelease/id1|Ironwail: .ironwail/.rerelease/id1"_s,
                  kQuake2 + u"|.q2pro/baseq2|Q2PRO: .q2pro/baseq2"_s,
                  kEtLegacy + u"|.etlegacy|ET: Legacy: .etlegacy"_s,
                  kWarfork + u"|.local/share/warfork-2.1|Warfork: warfork-2.1"_s,
                  kQuake + u"|.steam/steam/steamapps/common/Quake/rerelease/id1|"
                           u"Steam: Quake/rerelease/id1"_s,
                  kQuake2 + u"|GOG Games/Quake II/baseq2|GOG: Quake II/baseq2"_s,
              }));

    // $XDG_DATA_HOME moves FTE's home (and Steam's) away from ~/.local/share.
    makeFolders(home, {u"data/fte/id1"_s});
    user.environment.insert(u"XDG_DATA_HOME"_s, home + u"/data"_s);
    const QStringList moved = found(user, home);
    EXPECT_TRUE(moved.contains(kQuake + u"|data/fte/id1|FTE: fte/id1"_s));
    EXPECT_FALSE(moved.contains(kQuake + u"|.local/share/fte/id1|FTE: fte/id1"_s));

    EXPECT_EQ(findGameFolders(InstalledGame::Quake2, user).size(), 2u);
}
#endif

TEST(GameFolders, windowsProfile_clientHomesStoresAndReReleaseFolders) {
    QTemporaryDir dir;
    const QString root = dir.path();
    makeFolders(root, {
                          u"Users/p/AppData/Local/fte/id1"_s,
                          u"Users/p/Saved Games/Nightdive Studios/Quake II"_s,
                          u"Users/p/Documents/My Games/FTE QuakeWorld/id1"_s,
                          u"Users/p/.q2pro/baseq2"_s,  // a Linux place
                          u"PF86/Steam/steamapps/common/Quake 2/baseq2"_s,
                          u"D/SteamLibrary/steamapps/common/Quake/id1"_s,
                          u"D/GOG Games/Quake/id1"_s,
                          u"Users/p/AppData/Roaming/Warfork 2.1"_s,
                      });
    UserFolders user;
    user.platform = Platform::Windows;
    user.home = root + u"/Users/p"_s;
    user.environment.insert(u"LOCALAPPDATA"_s,
                            QDir::toNativeSeparators(user.home + u"/AppData/Local"_s));
    user.environment.insert(u"APPDATA"_s, user.home + u"/AppData/Roaming"_s);
    user.environment.insert(u"ProgramFiles(x86)"_s, root + u"/PF86"_s);
    user.driveRoots = {root + u"/C/"_s, root + u"/D/"_s};  // C has nothing: skipped
    EXPECT_EQ(
        found(user, root),
        (QStringList{
            kQuake + u"|Users/p/AppData/Local/fte/id1|FTE: fte/id1"_s,
            kQuake +
                u"|Users/p/Documents/My Games/FTE QuakeWorld/id1|FTE: My Games/FTE QuakeWorld/id1"_s,
            kQuake2 + u"|Users/p/Saved Games/Nightdive Studios/Quake II|"
                      u"Quake II re-release: Nightdive Studios/Quake II"_s,
            kWarfork + u"|Users/p/AppData/Roaming/Warfork 2.1|Warfork: Warfork 2.1"_s,
            kQuake + u"|D/SteamLibrary/steamapps/common/Quake/id1|Steam: Quake/id1"_s,
            kQuake2 + u"|PF86/Steam/steamapps/common/Quake 2/baseq2|Steam: Quake 2/baseq2"_s,
            kQuake + u"|D/GOG Games/Quake/id1|GOG: Quake/id1"_s,
        }));
}

TEST(GameFolders, configureBrowse_offersEachBoxItsGamesFolders) {
    QTemporaryDir dir;
    const QString home = dir.path();
    makeFolders(home, {u".fte/id1"_s, u".steam/steam/steamapps/common/Quake 3 Arena/baseq3"_s});
    UserFolders user;
    user.home = home;
    test::FakeDesktop desktop;
    ConfigureForm form(desktop, dir.path() + u"/vtl.ini"_s, user);
    form.browseQuakeFolder();
    form.browseQuake3Folder();
    ASSERT_EQ(desktop.folderShortcuts.size(), 2u);
    EXPECT_EQ(desktop.folderShortcuts[0],
              (QList<FolderShortcut>{{u"FTE: .fte/id1"_s, home + u"/.fte/id1"_s}}));
    EXPECT_EQ(
        desktop.folderShortcuts[1],
        (QList<FolderShortcut>{{u"Steam: Quake 3 Arena/baseq3"_s,
                                home + u"/.steam/steam/steamapps/common/Quake 3 Arena/baseq3"_s}}));
}

}  // namespace
}  // namespace vtl
