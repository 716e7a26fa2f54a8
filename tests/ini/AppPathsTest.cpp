#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

#include "ini/AppPaths.h"
#include "support/AsNobody.h"
#include "support/Files.h"
#include "support/Printers.h"

namespace vtl {
namespace {

using namespace Qt::Literals::StringLiterals;
using namespace vtl::test;

// What the program looks for to tell a data folder.
const QString kProbe = u"/q3a/q3-white.gif"_s;
const QByteArray kDefaults = "[Vantorel]\r\nfirst=yes\r\n"_ba;

// A prefix with the program in bin/, and the places its files may be.
struct Tree {
    QTemporaryDir root;
    QString exeDir = root.filePath(u"prefix/bin"_s);
    QString installedData = QDir::cleanPath(exeDir + u"/"_s + QStringLiteral(VTL_DATA_FROM_BINDIR));
    QString configHome = root.filePath(u"home/.config"_s);
    QString userSettings = configHome + u"/vantorel/vtl.ini"_s;

    Tree() { QDir().mkpath(exeDir); }
    void addData(const QString& dir) const {
        QDir().mkpath(dir + u"/q3a"_s);
        writeBytes(dir + kProbe, "GIF89a"_ba);
        writeBytes(dir + u"/vtl.ini"_s, kDefaults);
    }
    AppPaths locate() const { return AppPaths::locate(exeDir, configHome, kProbe); }
};

TEST(AppPaths, findsDataAndSettingsWhereThisCopyKeepsThem) {
    enum Where { Beside, Installed, User };
    struct Case {
        const char* name;
        bool dataBeside, dataInstalled, iniBeside;
        Where data, settings;
    };
    for (const Case& c : {
             Case{"build folder", true, false, true, Beside, Beside},
             Case{"installed tree", false, true, false, Installed, User},
             Case{"portable copy wins over an installed tree", true, true, true, Beside, Beside},
             Case{"portable copy without its settings file", true, false, false, Beside, User},
             Case{"no data anywhere", false, false, false, Beside, User},
         }) {
        SCOPED_TRACE(c.name);
        Tree tree;
        if (c.dataBeside) {
            tree.addData(tree.exeDir);
        }
        if (c.dataInstalled) {
            tree.addData(tree.installedData);
        }
        if (!c.iniBeside) {
            QFile::remove(tree.exeDir + u"/vtl.ini"_s);
        }
        const AppPaths paths = tree.locate();
        EXPECT_EQ(paths.dataDir(), c.data == Installed ? tree.installedData : tree.exeDir);
        EXPECT_EQ(paths.settingsFile(),
                  c.settings == User ? tree.userSettings : tree.exeDir + u"/vtl.ini"_s);
        EXPECT_EQ(paths.settingsBesideProgram(), c.settings == Beside);
    }
}

TEST(AppPaths, readOnlySettingsBesideTheProgramGiveWayToTheUsersOwn) {
    // A file that can't be written, and a writable file in a folder that
    // can't take the replacement file: neither could record first=no.
    for (const bool fileReadOnly : {true, false}) {
        SCOPED_TRACE(fileReadOnly ? "read-only file" : "read-only folder");
        Tree tree;
        tree.addData(tree.exeDir);
        const auto all = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::ExeOwner |
                         QFile::ExeGroup | QFile::ExeOther;
        // "nobody" must see into the tree to find the file at all.
        for (const QString& dir : {tree.root.path(), tree.root.filePath(u"prefix"_s)}) {
            ASSERT_TRUE(QFile::setPermissions(dir, all | QFile::WriteOwner));
        }
        ASSERT_TRUE(
            QFile::setPermissions(tree.exeDir, fileReadOnly ? all | QFile::WriteOther : all));
        ASSERT_TRUE(QFile::setPermissions(tree.exeDir + u"/vtl.ini"_s,
                                          fileReadOnly ? QFile::ReadOther | QFile::ReadOwner
                                                       : QFile::ReadOwner | QFile::WriteOwner |
                                                             QFile::ReadOther | QFile::WriteOther));
        std::optional<AppPaths> paths;
        {
            AsNobody nobody;
            ASSERT_TRUE(nobody.ok());
            paths = tree.locate();
        }
        QFile::setPermissions(tree.exeDir, all | QFile::WriteOwner);
        EXPECT_EQ(paths->settingsFile(), tree.userSettings);
        EXPECT_EQ(paths->dataDir(), tree.exeDir);
    }
}

TEST(AppPaths, withoutAConfigurationFolderTheSettingsStayBesideTheProgram) {
    Tree tree;
    tree.addData(tree.installedData);
    const AppPaths paths = AppPaths::locate(tree.exeDir, QString(), kProbe);
    EXPECT_EQ(paths.settingsFile(), tree.exeDir + u"/vtl.ini"_s);
}

TEST(AppPaths, firstStartCopiesTheDefaultsOnceAndKeepsTheUsersChanges) {
    Tree tree;
    tree.addData(tree.installedData);
    ASSERT_TRUE(QFile::setPermissions(tree.installedData + u"/vtl.ini"_s, QFile::ReadOwner));
    const AppPaths paths = tree.locate();
    QString error;
    ASSERT_TRUE(paths.createUserSettings(&error)) << error.toStdString();
    EXPECT_EQ(readBytes(tree.userSettings), kDefaults);
    EXPECT_TRUE(QFileInfo(tree.userSettings).isWritable());

    writeBytes(tree.userSettings, "[Vantorel]\r\nfirst=no\r\n"_ba);
    ASSERT_TRUE(paths.createUserSettings());
    EXPECT_EQ(readBytes(tree.userSettings), "[Vantorel]\r\nfirst=no\r\n"_ba);
}

TEST(AppPaths, settingsBesideTheProgramOrNoDefaultAreLeftAlone) {
    for (const bool beside : {true, false}) {
        SCOPED_TRACE(beside ? "portable copy" : "no default to copy");
        Tree tree;
        if (beside) {
            tree.addData(tree.exeDir);
        }
        ASSERT_TRUE(tree.locate().createUserSettings());
        EXPECT_FALSE(QFileInfo::exists(tree.userSettings));
        if (beside) {
            EXPECT_EQ(readBytes(tree.exeDir + u"/vtl.ini"_s), kDefaults);
        }
    }
}

TEST(AppPaths, aSettingsFolderThatCannotBeMadeIsReportedWithTheFileName) {
    Tree tree;
    tree.addData(tree.installedData);
    QDir().mkpath(tree.configHome);
    writeBytes(tree.configHome + u"/vantorel"_s, "a file where the folder should be"_ba);
    QString error;
    EXPECT_FALSE(tree.locate().createUserSettings(&error));
    EXPECT_TRUE(error.contains(u"vantorel/vtl.ini"_s)) << error.toStdString();
}

}  // namespace
}  // namespace vtl
