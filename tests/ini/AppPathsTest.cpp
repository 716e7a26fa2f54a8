#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <optional>

#include "ini/AppPaths.h"
#include "support/AsNobody.h"
#include "support/Files.h"

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
        bool dataBeside, dataInstalled, iniBeside, configHome;
        Where data, settings;
        mode_t exeDirMode = 0, iniMode = 0;  // 0: as made; else looked at as "nobody"
    };
    const auto chmodPath = [](const QString& path, mode_t mode) {
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
    };
    for (const Case& c : {
             Case{"build folder", true, false, true, true, Beside, Beside},
             Case{"installed tree", false, true, false, true, Installed, User},
             Case{"portable copy wins over an installed tree", true, true, true, true, Beside,
                  Beside},
             Case{"portable copy without its settings file", true, false, false, true, Beside,
                  User},
             Case{"no data anywhere", false, false, false, true, Beside, User},
             Case{"no configuration folder", false, true, false, false, Installed, Beside},
             // Neither could record first=no: the file can't be written, or the
             // folder can't take the file that replaces it.
             Case{"read-only settings file", true, false, true, true, Beside, User, 0757, 0444},
             Case{"read-only program folder", true, false, true, true, Beside, User, 0555, 0666},
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
        std::optional<AsNobody> nobody;
        if (c.exeDirMode != 0) {
            chmodPath(tree.root.path(), 0755);  // "nobody" must see into the tree
            chmodPath(tree.root.filePath(u"prefix"_s), 0755);
            chmodPath(tree.exeDir, c.exeDirMode);
            chmodPath(tree.exeDir + u"/vtl.ini"_s, c.iniMode);
            ASSERT_TRUE(nobody.emplace().ok());
        }
        const AppPaths paths =
            AppPaths::locate(tree.exeDir, c.configHome ? tree.configHome : QString(), kProbe);
        nobody.reset();
        chmodPath(tree.exeDir, 0755);
        EXPECT_EQ(paths.dataDir(), c.data == Installed ? tree.installedData : tree.exeDir);
        EXPECT_EQ(paths.settingsFile(),
                  c.settings == User ? tree.userSettings : tree.exeDir + u"/vtl.ini"_s);
        EXPECT_EQ(paths.settingsBesideProgram(), c.settings == Beside);
    }
}

TEST(AppPaths, firstStartCopiesTheDefaultsOnce_aPortableCopyOrNoDefaultCopiesNothing) {
    Tree tree;
    tree.addData(tree.installedData);
    ASSERT_TRUE(QFile::setPermissions(tree.installedData + u"/vtl.ini"_s, QFile::ReadOwner));
    // A file where the settings folder should be: the failure names the file.
    QDir().mkpath(tree.configHome);
    writeBytes(tree.configHome + u"/vantorel"_s, "a file where the folder should be"_ba);
    QString error;
    EXPECT_FALSE(tree.locate().createUserSettings(&error));
    EXPECT_TRUE(error.contains(u"vantorel/vtl.ini"_s)) << error.toStdString();
    ASSERT_TRUE(QFile::remove(tree.configHome + u"/vantorel"_s));
    ASSERT_TRUE(tree.locate().createUserSettings(&error)) << error.toStdString();
    EXPECT_EQ(readBytes(tree.userSettings), kDefaults);
    EXPECT_TRUE(QFileInfo(tree.userSettings).isWritable());
    writeBytes(tree.userSettings, "[Vantorel]\r\nfirst=no\r\n"_ba);
    ASSERT_TRUE(tree.locate().createUserSettings());
    EXPECT_EQ(readBytes(tree.userSettings), "[Vantorel]\r\nfirst=no\r\n"_ba);

    for (const bool portable : {true, false}) {
        Tree other;
        if (portable) {
            other.addData(other.exeDir);
        }
        ASSERT_TRUE(other.locate().createUserSettings());
        EXPECT_FALSE(QFileInfo::exists(other.userSettings)) << portable;
    }
}

}  // namespace
}  // namespace vtl
