#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "ini/Ini.h"
#include "output/GameConfigs.h"
#include "output/GameQuickSave.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "support/NameState.h"
#include "support/Tag.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

struct ConfigRow {
    const char* name;
    ConfigGame game;
    const char* picked;  // the folder the user picks, under the temporary home
    const char* file;    // the config Quick Save appends to, under the temporary home
};

const ConfigRow kConfigs[] = {
    {"UrT home", ConfigGame::UrbanTerror, "", "q3ut4/q3config.cfg"},
    {"UrT data folder", ConfigGame::UrbanTerror, "q3ut4", "q3ut4/q3config.cfg"},
    {"Xonotic runs autoexec.cfg last", ConfigGame::Xonotic, "", "data/autoexec.cfg"},
};

TEST(GameConfigs, configFile_insideTheHomeOrDataFolder) {
    for (const ConfigRow& row : kConfigs) {
        SCOPED_TRACE(row.name);
        QTemporaryDir home;
        const QString picked = QDir(home.path()).filePath(QString::fromUtf8(row.picked));
        EXPECT_EQ(gameConfigFile(row.game, picked),
                  QDir::cleanPath(home.path() + u'/' + QString::fromUtf8(row.file)));
    }
}

TEST(GameConfigs, etLegacy_usesTheDefaultProfile_andKeepsTheGamesSpelling) {
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Legacy/profiles")));
    test::writeBytes(home.path() + u"/Legacy/profiles/defaultprofile.dat", "\"Ana Lyst\"");
    EXPECT_EQ(gameConfigFile(ConfigGame::EtLegacy, home.path()),
              home.path() + u"/Legacy/profiles/Ana Lyst/etconfig.cfg");
    // A profile that would leave the profiles folder is not followed.
    test::writeBytes(home.path() + u"/Legacy/profiles/defaultprofile.dat", "../../x");
    EXPECT_EQ(gameConfigFile(ConfigGame::EtLegacy, home.path()),
              home.path() + u"/Legacy/etconfig.cfg");
}

TEST(GameConfigs, defaultProfile_isTheFirstTokenAsTheGameParsesIt) {
    const std::pair<QByteArray, QString> rows[] = {
        {"Player", u"Player"_s},
        {"  \"two words\" rest", u"two words"_s},
        {"// note\n/* block */ etplayer\n", u"etplayer"_s},
        {"first second", u"first"_s},
        {"", QString()},
        {"  // only a comment", QString()},
        {"\"unterminated", u"unterminated"_s},
    };
    for (const auto& [data, profile] : rows) {
        EXPECT_EQ(defaultProfileName(data), profile) << data.constData();
    }
}

// A settings file stand-in: the folders remembered per key.
struct MemoryStore {
    std::map<QString, QString> folders;
    bool refuse = false;
    GameFolderStore store() {
        return {[this](const QString& key) { return folders[key]; },
                [this](const QString& key, const QString& folder, QString* error) {
                    if (refuse) {
                        *error = u"read-only"_s;
                        return false;
                    }
                    folders[key] = folder;
                    return true;
                }};
    }
};

// A remembered folder that is gone is asked for again; a cancel writes nothing. The first save
// asks for the folder, offering the game's usual places, remembers it and appends; then nothing
// is asked. A folder that can't be remembered still gets the line, with a warning.
TEST(GameQuickSave, asksOnceRemembersAndAppends_goneCancelledOrUnremembered) {
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(u"basewf"_s) && QDir(home.path()).mkpath(u"base"_s) &&
                QDir(home.path()).mkpath(u".local/share/warfork-2.1"_s));
    test::FakeDesktop desktop;
    MemoryStore memory;
    memory.folders[u"openjk"_s] = u"/nonexistent/openjk"_s;
    WindowState state = test::nameState({"\xC3\xA9"}, colourLineSuffix());
    UserFolders user;
    user.home = home.path();
    quickSaveToGame(state, desktop, ConfigGame::OpenJK, memory.store(), user);
    EXPECT_EQ(desktop.folderPrompts.size(), 1u);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(memory.folders[u"openjk"_s], u"/nonexistent/openjk"_s);

    desktop.folderReplies.push_back(home.path());
    quickSaveToGame(state, desktop, ConfigGame::Warfork, memory.store(), user);
    ASSERT_EQ(desktop.folderPrompts.size(), 2u);
    EXPECT_TRUE(desktop.folderPrompts[1].contains(
        u"Warfork keeps its settings (on this computer usually "_s + home.path() +
        u"/.local/share/warfork-*)"_s));
    EXPECT_EQ(desktop.folderShortcuts[1],
              (QList<FolderShortcut>{
                  {u"Warfork: warfork-2.1"_s, home.path() + u"/.local/share/warfork-2.1"_s}}));
    EXPECT_EQ(memory.folders[u"warfork"_s], home.path());
    const QString file = home.path() + u"/basewf/autoexec_postinit.cfg"_s;
    EXPECT_EQ(test::readBytes(file),
              "\r\nname \"\xC3\xA9^7\"" + test::kTag + test::kTrailer + "\r\n");
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{u"File Saved to Default Config: "_s + QDir::toNativeSeparators(file)});

    // The second time nothing is asked, and the line goes without the tag.
    quickSaveToGame(state, desktop, ConfigGame::Warfork, memory.store(), user);
    EXPECT_EQ(desktop.folderPrompts.size(), 2u);
    const QByteArray untagged = "\r\nname \"\xC3\xA9^7\"" + test::kTag + "\r\n";
    EXPECT_TRUE(test::readBytes(file).endsWith(untagged));

    desktop.folderReplies.push_back(home.path());
    memory.refuse = true;
    quickSaveToGame(state, desktop, ConfigGame::OpenJK, memory.store(), user);
    EXPECT_EQ(desktop.messages.size(), 4u);
    EXPECT_TRUE(QFileInfo::exists(home.path() + u"/base/openjk.cfg"_s));
}

#ifndef _WIN32
// A folder named with bytes that are not UTF-8 (q3_\xE9) has no text path: the
// remembered one and the chosen one (the dialog gives U+FFFD for the byte) are
// refused, named, and nothing is written to a look-alike folder or forgotten.
// Stored bytes whose Windows-1252 reading exists (how é is stored) still work.
TEST(GameQuickSave, folderNameNotUtf8_refusedAndNamed_nothingWrittenOrLost) {
    QTemporaryDir root;
    const QByteArray raw = QFile::encodeName(root.path()) + "/q3_\xE9";
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    ASSERT_TRUE(QDir(root.path()).mkpath(u"q\u00E9"_s));  // the reading of "q\xE9"
    const QString ini = root.path() + u"/vtl.ini"_s;
    const QByteArray settings = "[Game folders]\r\nopenjk=" + raw +
                                "\r\nwarfork=" + QFile::encodeName(root.path()) + "/q\xE9\r\n";
    test::writeBytes(ini, settings);
    EXPECT_EQ(ReadIniFolder(u"Game folders"_s, u"warfork"_s, ini).folder,
              root.path() + u"/q\u00E9"_s);
    const RememberedFolder unusable = ReadIniFolder(u"Game folders"_s, u"openjk"_s, ini);
    EXPECT_TRUE(unusable.folder.isEmpty());
    EXPECT_EQ(unusable.unusable, root.path() + u"/q3_\\xE9"_s);

    test::FakeDesktop desktop;
    const GameFolderStore store{
        [&](const QString& key) { return ReadIniFolder(u"Game folders"_s, key, ini); },
        [&](const QString& key, const QString& folder, QString* error) {
            return WriteIni(u"Game folders"_s, key, folder, ini, error, IniText::FileName);
        }};
    desktop.folderReplies.push_back(QFile::decodeName(raw));  // q3_\uFFFD
    WindowState state = test::nameState({"A"}, colourLineSuffix());
    quickSaveToGame(state, desktop, ConfigGame::OpenJK, store, {});
    const QString refused = u"The folder \"%1\" cannot be used: its name is not valid UTF-8 text"_s;
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_TRUE(desktop.messages[0].text.startsWith(refused.arg(unusable.unusable)));
    EXPECT_TRUE(desktop.messages[1].text.startsWith(refused.arg(root.path() + u"/q3_\uFFFD"_s)));
    EXPECT_EQ(test::readBytes(ini), settings);
    EXPECT_TRUE(QDir(QFile::decodeName(raw)).entryList(QDir::NoDotAndDotDot).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(root.path() + u"/q3_\u00E9"_s));
}
#endif

}  // namespace
}  // namespace vtl
