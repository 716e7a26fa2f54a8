#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <optional>
#include <utility>

#include "ini/AppPaths.h"
#include "ini/Ini.h"
#ifndef _WIN32
#include "support/AsNobody.h"
#endif
#include "support/Files.h"

namespace vtl {
namespace {

using namespace Qt::Literals::StringLiterals;
using namespace vtl::test;

#ifdef _WIN32
// Windows has only the read-only attribute (which folders ignore): a mode
// without the owner's write bit sets it.
void setMode(const QString& path, int mode) {
    const QFile::Permissions read = QFile::ReadOwner | QFile::ReadUser;
    EXPECT_TRUE(QFile::setPermissions(
        path, (mode & 0200) != 0 ? read | QFile::WriteOwner | QFile::WriteUser : read))
        << path.toStdString();
}
#else
void setMode(const QString& path, mode_t mode) {
    EXPECT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}
#endif

QString iniIn(const QTemporaryDir& dir) {
    return dir.filePath(u"vtl.ini"_s);
}

// [a] k as read from a file holding these bytes.
QString readFrom(const QByteArray& file, const QString& section = u"a"_s) {
    QTemporaryDir dir;
    writeBytes(iniIn(dir), file);
    return ReadIni(section, u"k"_s, iniIn(dir));
}

TEST(ReadIni, followsTheProfileFileRules) {
    // All give v: line ends, UTF-8 mark, comments, case, blanks, odd lines, ^Z, NUL, first wins.
    for (const QByteArray& file :
         {"[a]\r\nx=1\r\nk=v\r\nk=2\r\n"_ba, "[a]\nx=1\nk=v\n"_ba, "\xEF\xBB\xBF[a]\r\nk=v\r\n"_ba,
          "\r\n\r\n;[a]\r\nk=x\r\n[a]\r\n\r\n;k=comment\r\n  ; k=also\r\nk=v\r\n"_ba,
          "[A]\r\nK=v\r\n[a]\r\nk=2\r\n"_ba, "  [a] ; note\r\n \tk  =\t  v  "_ba,
          "[a]\r\nk\r\n[b\r\nk=v\r\n"_ba, "[a]\r\nx=\x1A\r\nk=v\x1A\r\n"_ba, "[a]\rx=1\rk=v\r"_ba,
          "[a]\r\rk=v\r\r\n"_ba}) {
        EXPECT_EQ(readFrom(file), u"v"_s) << testing::PrintToString(file.toStdString());
    }
    // Nothing: the key in a later [a], before any section, in [b]; an empty first value;
    // a nameless section.
    for (const QByteArray& file :
         {"[a]\r\nx=1\r\n[b]\r\n[a]\r\nk=2\r\n"_ba, "k=0\r\n[a]\r\nx=1\r\n"_ba,
          "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"_ba, "[a]\r\nk=\r\nk=later\r\n"_ba}) {
        EXPECT_EQ(readFrom(file), QString()) << testing::PrintToString(file.toStdString());
    }
    EXPECT_EQ(readFrom("[]\r\nk=v\r\n"_ba, QString()), QString());
    EXPECT_EQ(readFrom("[a]\r\nk= 'C:\\Quake' \r\n"_ba), u"C:\\Quake"_s);
    EXPECT_EQ(readFrom("[a]\r\nk=\"x=y  w' \r\n"_ba), u"\"x=y  w'"_s);
    EXPECT_EQ(readFrom("[a]\r\nk=\x80\xE9\r\n"_ba), u"\u20AC\u00E9"_s);
}

// The file's bytes after [a] k is set to v in one that held `before`.
QByteArray writtenOver(const QByteArray& before, const QString& key = u"k"_s) {
    QTemporaryDir dir;
    writeBytes(iniIn(dir), before);
    QString error;
    EXPECT_TRUE(WriteIni(u"a"_s, key, u"v"_s, iniIn(dir), &error)) << error.toStdString();
    return readBytes(iniIn(dir));
}

TEST(WriteIni, changesOnlyTheLineItIsAbout) {
    EXPECT_EQ(writtenOver("\xEF\xBB\xBF; top\r\n[a]\r\nk=old\r\ny=2\r\nk=2\r\n"_ba),
              "\xEF\xBB\xBF; top\r\n[a]\r\nk=v\r\ny=2\r\nk=2\r\n"_ba);
    EXPECT_EQ(writtenOver("[a]\nk=old\r\ny=2\n"_ba), "[a]\nk=v\r\ny=2\n"_ba);
    EXPECT_EQ(writtenOver("[A]\r\n KEY = 1\r\nz = 1"_ba, u" key\t"_s), "[A]\r\nKEY=v\r\nz = 1"_ba);
    // A new key goes after the first section's last key, with CR LF.
    EXPECT_EQ(writtenOver("[a]\r\nx=1\r\n\r\n; b\r\n[A]\r\nk=2\r\n"_ba),
              "[a]\r\nx=1\r\nk=v\r\n\r\n; b\r\n[A]\r\nk=2\r\n"_ba);
    EXPECT_EQ(writtenOver("k=0\r\n[a]\r\n\r\n[b]"_ba), "k=0\r\n[a]\r\nk=v\r\n\r\n[b]"_ba);
    EXPECT_EQ(writtenOver("[a]\nx=1"_ba), "[a]\nx=1\r\nk=v\r\n"_ba);
    EXPECT_EQ(writtenOver("[b]\r\nx=1\r\n\r\n"_ba), "[b]\r\nx=1\r\n\r\n[a]\r\nk=v\r\n"_ba);
    EXPECT_EQ(writtenOver("[b]\r\nx=1"_ba), "[b]\r\nx=1\r\n[a]\r\nk=v\r\n"_ba);
    EXPECT_EQ(writtenOver("\xEF\xBB\xBF"_ba), "\xEF\xBB\xBF[a]\r\nk=v\r\n"_ba);
    // CR alone ends a line too; what is added still ends with CR LF.
    EXPECT_EQ(writtenOver("[a]\rk=1\rx=1\r"_ba), "[a]\rk=v\rx=1\r"_ba);
    EXPECT_EQ(writtenOver("[a]\rx=1\r"_ba), "[a]\rx=1\rk=v\r\n"_ba);
    EXPECT_EQ(writtenOver("[b]\rx=1"_ba), "[b]\rx=1\r\n[a]\r\nk=v\r\n"_ba);
    // A name outside Windows-1252 matches what was stored for it.
    EXPECT_EQ(writtenOver("[a]\r\nk?=1\r\n"_ba, u"k\u4e2d"_s), "[a]\r\nk?=v\r\n"_ba);
}

// A file it creates reads back as written; what would break the file is
// refused with a reason and leaves it untouched.
TEST(WriteIni, createsTheFile_refusesWhatWouldBreakIt) {
    const QByteArray before = "[a]\r\nk=\x80\xE9\r\n"_ba;
    QTemporaryDir dir;
    ASSERT_TRUE(WriteIni(u"a"_s, u"k"_s, u"\u20AC\u00E9"_s, iniIn(dir)));
    EXPECT_EQ(readBytes(iniIn(dir)), before);
    // section|key|value
    for (const QString& row :
         {u"a|k|x\r\n[evil]\r\nk=y"_s, u"a|k|x\ry"_s, u"a|k|x\0y"_s, u"a|k\nx|v"_s, u"a|  |v"_s,
          u"a|k=x|v"_s, u"a|;k|v"_s, u"a]\r\n[b|k|v"_s, u"|k|v"_s}) {
        SCOPED_TRACE(row.toStdString());
        const QStringList p = row.split(u'|');
        QString error;
        EXPECT_FALSE(WriteIni(p[0], p[1], p[2], iniIn(dir), &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readBytes(iniIn(dir)), before);
    }
    // Names are trimmed and matched regardless of case; no length cut as in old Windows.
    ASSERT_TRUE(WriteIni(u"a"_s, u"k"_s, QString(5000, u'q'), iniIn(dir)));
    EXPECT_EQ(ReadIni(u" A\t"_s, u"K "_s, iniIn(dir)), QString(5000, u'q'));
}

#ifndef _WIN32  // modes, "nobody", hard links: WindowsFileTest.cpp has Windows' own
// An unreadable file is not replaced by one holding only this key, and no
// temporary file is left beside it; the mode binds "nobody" as well. The file
// goes through the one writer: a hard link to it (a copy shared with another
// install, say) stays one, mode and all.
TEST(WriteIni, withoutPermissionFailsAndKeepsTheFile_aHardLinkStaysOne) {
    QTemporaryDir dir;
    writeBytes(iniIn(dir), "[a]\r\nk=old\r\n"_ba);
    setMode(dir.path(), 0777);
    setMode(iniIn(dir), 0);
    QString error;
    std::optional<AsNobody> nobody(std::in_place);
    ASSERT_TRUE(nobody->ok());
    EXPECT_FALSE(WriteIni(u"a"_s, u"k"_s, u"new"_s, iniIn(dir), &error));
    nobody.reset();
    setMode(iniIn(dir), 0640);
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(iniIn(dir)))) << error.toStdString();
    EXPECT_EQ(readBytes(iniIn(dir)), "[a]\r\nk=old\r\n"_ba);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"vtl.ini"_s});

    const QString link = dir.filePath(u"shared.ini"_s);
    ASSERT_EQ(
        ::link(QFile::encodeName(iniIn(dir)).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(WriteIni(u"a"_s, u"k"_s, u"new"_s, iniIn(dir)));
    EXPECT_EQ(readBytes(link), "[a]\r\nk=new\r\n"_ba);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(link).constData(), &info), 0);
    EXPECT_EQ(info.st_nlink, 2u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}
#endif

// Odd bytes anywhere in a user's file are kept as they are, in any amount.
TEST(IniBadInput, garbageAndHugeFiles_areKeptAndChangedInPlace) {
    QByteArray garbage(1 << 20, Qt::Uninitialized);
    QRandomGenerator(1252).fillRange(reinterpret_cast<quint32*>(garbage.data()),
                                     garbage.size() / 4);
    garbage.replace('\0', '0');  // NUL bytes make it a file that isn't read at all
    EXPECT_EQ(writtenOver(garbage + "\n[a]\nk=1\n"_ba), garbage + "\n[a]\nk=v\n"_ba);
}

// What isn't a settings file of 8-bit text is neither read nor written, and
// the reason is given.
TEST(IniBadInput, notASettingsFile_untouchedWithReason) {
    const QByteArray utf16 =
        "\xFF\xFE"_ba + QByteArray(reinterpret_cast<const char*>(u"[a]\r\nk=v\r\n"), 22);
    QTemporaryDir dir;
    for (const QByteArray& bytes : {utf16, utf16.sliced(2), "\0[a]\r\nk=v\r\n"_ba}) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        writeBytes(iniIn(dir), bytes);
        EXPECT_FALSE(iniFileProblem(iniIn(dir)).isEmpty());
        EXPECT_EQ(ReadIni(u"a"_s, u"k"_s, iniIn(dir)), QString());
        QString error;
        EXPECT_FALSE(WriteIni(u"a"_s, u"k"_s, u"new"_s, iniIn(dir), &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readBytes(iniIn(dir)), bytes);
    }
    // A settings file of 2 GiB is refused at a glance rather than read into memory.
    writeBytes(iniIn(dir), "[a]\r\nk=v\r\n"_ba);
    ASSERT_TRUE(QFile(iniIn(dir)).resize(qint64{2} << 30));
    EXPECT_EQ(iniFileProblem(iniIn(dir)), u"it is 2048 MiB, far larger than a settings file"_s);
    EXPECT_FALSE(WriteIni(u"a"_s, u"k"_s, u"new"_s, iniIn(dir)));
    QFile::remove(iniIn(dir));
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(QFile::encodeName(iniIn(dir)).constData(), 0644), 0);
    EXPECT_FALSE(iniFileProblem(iniIn(dir)).isEmpty());  // at once: nothing waits for a writer
    EXPECT_EQ(ReadIni(u"a"_s, u"k"_s, iniIn(dir)), QString());
#endif
    EXPECT_FALSE(iniFileProblem(dir.path()).isEmpty());  // a folder in place of the file
    EXPECT_EQ(ReadIni(u"a"_s, u"k"_s, dir.path()), QString());
    EXPECT_FALSE(WriteIni(u"a"_s, u"k"_s, u"v"_s, dir.path()));
}

// Folders in any script round-trip beside Windows-1252 values. Windows-1252 is
// written where it says the same, as older versions did, but not where those
// bytes would read back as UTF-8.
TEST(IniFolders, anyFolderName_roundTrips_oldFilesReadTheSame) {
    const QByteArray head = "[Vantorel]\r\nfirst=no\r\nq1config=\xE9t\xE9\r\n"_ba;
    for (const auto& [folder, stored] :
         {std::pair{u"/srv/michał/🎮"_s, "/srv/micha\xC5\x82/\xF0\x9F\x8E\xAE"_ba},
          {u"C:\\Spiele\\Qü €"_s, "C:\\Spiele\\Q\xFC \x80"_ba},
          {u"/odd/Ã©"_s, "/odd/\xC3\x83\xC2\xA9"_ba}}) {
        QTemporaryDir dir;
        writeBytes(iniIn(dir), head + "; \x80\xFF\r\n"_ba);
        ASSERT_TRUE(
            WriteIni(u"Vantorel"_s, u"q3config"_s, folder, iniIn(dir), nullptr, IniText::FileName));
        EXPECT_EQ(readBytes(iniIn(dir)), head + "q3config="_ba + stored + "\r\n; \x80\xFF\r\n"_ba);
        EXPECT_EQ(ReadIni(u"Vantorel"_s, u"q3config"_s, iniIn(dir), IniText::FileName), folder);
        EXPECT_EQ(ReadIni(u"Vantorel"_s, u"q1config"_s, iniIn(dir), IniText::FileName),
                  u"\u00E9t\u00E9"_s);
    }
}

#ifndef _WIN32  // a build-time script: the native build's tests run it
// The script the build and install rules run to put the first-run settings in place.
TEST(DefaultIni, createsTheFileOnlyWhereNoneExists) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"app/vtl.ini"_s);
    const QStringList args{u"-DVTL_INI_FILE="_s + path, u"-P"_s,
                           QStringLiteral(VTL_DEFAULT_INI_SCRIPT)};
    // First with neither file nor folder, then over the user's own file.
    for (const QByteArray& users : {QByteArray(), "[Vantorel]\nfirst=no\n; mine\n"_ba}) {
        if (!users.isEmpty()) {
            writeBytes(path, users);
        }
        ASSERT_EQ(QProcess::execute(QStringLiteral(VTL_CMAKE_COMMAND), args), 0);
        EXPECT_EQ(readBytes(path), users.isEmpty() ? "[Vantorel]\r\nfirst=yes\r\n"_ba : users);
    }
}
#endif

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
        int exeDirMode = 0, iniMode = 0;  // 0: as made; else looked at as "nobody"
    };
    for (const Case& c : {
             Case{"build folder", true, false, true, true, Beside, Beside},
             Case{"installed tree", false, true, false, true, Installed, User},
             Case{"portable wins over installed", true, true, true, true, Beside, Beside},
             Case{"portable without settings", true, false, false, true, Beside, User},
             Case{"no data anywhere", false, false, false, true, Beside, User},
             Case{"no configuration folder", false, true, false, false, Installed, Beside},
#ifndef _WIN32  // WindowsFileTest.cpp has the read-only cases
             // Neither could record first=no: the file can't be written, or the
             // folder can't take the file that replaces it.
             Case{"read-only settings file", true, false, true, true, Beside, User, 0757, 0444},
             Case{"read-only program folder", true, false, true, true, Beside, User, 0555, 0666},
#endif
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
#ifndef _WIN32
        std::optional<AsNobody> nobody;
        if (c.exeDirMode != 0) {
            setMode(tree.root.path(), 0755);  // "nobody" must see into the tree
            setMode(tree.root.filePath(u"prefix"_s), 0755);
            setMode(tree.exeDir, static_cast<mode_t>(c.exeDirMode));
            setMode(tree.exeDir + u"/vtl.ini"_s, static_cast<mode_t>(c.iniMode));
            ASSERT_TRUE(nobody.emplace().ok());
        }
#endif
        const AppPaths paths =
            AppPaths::locate(tree.exeDir, c.configHome ? tree.configHome : QString(), kProbe);
#ifndef _WIN32
        nobody.reset();
        setMode(tree.exeDir, 0755);
#endif
        EXPECT_EQ(paths.dataDir(), c.data == Installed ? tree.installedData : tree.exeDir);
        EXPECT_EQ(paths.settingsFile(),
                  c.settings == User ? tree.userSettings : tree.exeDir + u"/vtl.ini"_s);
        EXPECT_EQ(paths.settingsBesideProgram(), c.settings == Beside);
    }
}

TEST(AppPaths, firstStartCopiesTheDefaultsOnce_aPortableCopyOrNoDefaultCopiesNothing) {
    Tree tree;
    tree.addData(tree.installedData);
    setMode(tree.installedData + u"/vtl.ini"_s, 0400);
    // A file where the settings folder should be: the failure names the file.
    QDir().mkpath(tree.configHome);
    writeBytes(tree.configHome + u"/vantorel"_s, "a file where the folder should be"_ba);
    QString error;
    EXPECT_FALSE(tree.locate().createUserSettings(&error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(u"vantorel/vtl.ini"_s)))
        << error.toStdString();
    QFile::remove(tree.configHome + u"/vantorel"_s);
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
