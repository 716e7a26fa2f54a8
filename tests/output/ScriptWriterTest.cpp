#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <functional>

#include "OutputTestSupport.h"
#include "output/ScriptWriter.h"

namespace vtl {
namespace {

using test::nameState;
using test::readBytes;
using test::writeBytes;

const QByteArray kTag = QByteArrayLiteral(" // VTL G2 v6.3");
const QByteArray kAbLine = QByteArrayLiteral("name \"Ab\" //VTL G2 v6.3");

QByteArray allBytesAndLoneLineEnds() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.append(static_cast<char>(b));
    }
    return bytes + QByteArrayLiteral("x\ry\nz\n\r");
}

struct ByteCase {
    const char* situation;
    std::optional<QByteArray> oldContent;  // none: no file yet
    WindowState state;
    AppendResult::Kind kind;
    QByteArray expected;
};

TEST(AppendScriptLine, eachCase_writesExactBytes) {
    const QByteArray allBytes = allBytesAndLoneLineEnds();
    const std::vector<ByteCase> cases = {
        {"newFile_getsEmptyLineThenLineWithCreatedTrailer", std::nullopt, nameState({"A", "b"}),
         AppendResult::Kind::Created, "\r\n" + kAbLine + " // created\r\n"},
        {"oldEndsWithCrLf_keepsEmptyLineBetween", QByteArrayLiteral("bind x jump\r\n"),
         nameState({"A", "b"}), AppendResult::Kind::Appended,
         "bind x jump\r\n\r\n" + kAbLine + " // found\r\n"},
        {"oldWithoutLineEnd_lineFollowsOneCrLf", QByteArrayLiteral("bind x jump"),
         nameState({"A", "b"}), AppendResult::Kind::Appended,
         "bind x jump\r\n" + kAbLine + " // found\r\n"},
        {"emptyOldFile_isAppended", QByteArray(), nameState({"A", "b"}),
         AppendResult::Kind::Appended, "\r\n" + kAbLine + " // found\r\n"},
        {"everyByteAndLoneCrLf_keptUnchanged", allBytes, nameState({"A", "b"}),
         AppendResult::Kind::Appended, allBytes + "\r\n" + kAbLine + " // found\r\n"},
        {"emptyName_prefixThenSuffix", std::nullopt, nameState({}), AppendResult::Kind::Created,
         QByteArrayLiteral("\r\nname \"\" //VTL G2 v6.3 // created\r\n")},
        {"blanksInsideKept_blanksAtEndDropped", std::nullopt,
         nameState({"A", " ", "B", "   ", "C", " ", " "}), AppendResult::Kind::Created,
         QByteArrayLiteral("\r\nname \"A B   C\" //VTL G2 v6.3 // created\r\n")},
        {"colourCodes_writtenWithQuake3Suffix", std::nullopt,
         nameState({"^1A", "b", "^4", "\x03"}, colourLineSuffix()), AppendResult::Kind::Created,
         QByteArrayLiteral("\r\nname \"^1Ab^4\x03^7\" //VTL G2 v6.3 // created\r\n")},
        {"hexMode_pairsAndItsSuffix", std::nullopt, nameState({"41", "9F", "20"}, hexLineSuffix()),
         AppendResult::Kind::Created,
         QByteArrayLiteral("\r\nname \"419F20\"u //VTL G2 v6.3 // created\r\n")},
        {"highBytes_writtenAsSingleBytes", std::nullopt, nameState({"\xE9", "\x80", "\xFF"}),
         AppendResult::Kind::Created,
         QByteArrayLiteral("\r\nname \"\xE9\x80\xFF\" //VTL G2 v6.3 // created\r\n")},
    };
    for (const ByteCase& c : cases) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("name.cfg"));
        if (c.oldContent) {
            writeBytes(path, *c.oldContent);
        }
        const AppendResult result = AppendScriptLine(path, QByteArrayLiteral(" // found"),
                                                     QByteArrayLiteral(" // created"), c.state);
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(readBytes(path), c.expected);
    }
}

TEST(AppendScriptLine, twoSavesIntoNewFile_eachAddsALine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("name.cfg"));
    EXPECT_EQ(AppendScriptLine(path, kTag, kTag, nameState({"A", "b"})).kind,
              AppendResult::Kind::Created);
    EXPECT_EQ(AppendScriptLine(path, kTag, kTag, nameState({"C"})).kind,
              AppendResult::Kind::Appended);
    EXPECT_EQ(readBytes(path),
              "\r\n" + kAbLine + kTag + "\r\n\r\nname \"C\" //VTL G2 v6.3" + kTag + "\r\n");
}

TEST(AppendScriptLine, symlink_staysLinkAndTargetGetsLine) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("real.cfg"));
    const QString link = dir.filePath(QStringLiteral("link.cfg"));
    writeBytes(target, QByteArrayLiteral("old"));
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_EQ(AppendScriptLine(link, {}, {}, nameState({"A", "b"})).kind,
              AppendResult::Kind::Appended);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(target), "old\r\n" + kAbLine + "\r\n");
}

TEST(AppendScriptLine, permissions_stayAsTheyWere) {
    for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0755}}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("name.cfg"));
        writeBytes(path, QByteArrayLiteral("old"));
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
        EXPECT_TRUE(AppendScriptLine(path, {}, {}, nameState({"A"})).succeeded());
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
}

TEST(AppendScriptLine, newFile_readableLikeAnyNewFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("name.cfg"));
    const mode_t mask = ::umask(022);
    EXPECT_TRUE(AppendScriptLine(path, {}, {}, nameState({"A"})).succeeded());
    ::umask(mask);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode_t{0644});
}

// --- Faults: the write really fails, and the file must be exactly as before.

constexpr int kCouldNotDropPrivileges = 255;

// Runs `body` in a child process, as the unprivileged user "nobody" when the
// tests run as root (root may write anything, so permission faults need a
// plain user), and returns its exit status.
int runInChild(const std::function<int()>& body, bool unprivileged) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (unprivileged && ::geteuid() == 0) {
            const gid_t nobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0) {
                ::_exit(kCouldNotDropPrivileges);
            }
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The outcome squeezed into an exit status: the kind, and the errno below it.
int encode(const AppendResult& result) {
    return static_cast<int>(result.kind) * 64 + (result.error.number & 63);
}

struct FaultCase {
    const char* situation;
    mode_t fileMode;
    mode_t folderMode;
    AppendResult::Kind kind;
    int errorNumber;
};

TEST(AppendScriptLine, permissionFaults_fileUnchangedAndReasonGiven) {
    const std::vector<FaultCase> cases = {
        {"readOnlyFile", 0444, 0777, AppendResult::Kind::CouldNotWrite, EACCES},
        {"readOnlyFolder", 0666, 0555, AppendResult::Kind::CouldNotWrite, EACCES},
        {"unreadableFile", 0222, 0777, AppendResult::Kind::CouldNotRead, EACCES},
    };
    const QByteArray old = allBytesAndLoneLineEnds();
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("game"));
        const QString path = folder + QStringLiteral("/config.cfg");
        ASSERT_TRUE(QDir().mkdir(folder));
        writeBytes(path, old);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        ::chmod(QFile::encodeName(path).constData(), c.fileMode);
        ::chmod(QFile::encodeName(folder).constData(), c.folderMode);

        const int status = runInChild(
            [&] { return encode(AppendScriptLine(path, kTag, kTag, nameState({"A"}))); }, true);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        ::chmod(QFile::encodeName(path).constData(), 0644);
        if (status == kCouldNotDropPrivileges) {
            GTEST_SKIP() << "running as root and cannot switch to the user nobody";
        }
        EXPECT_EQ(status, static_cast<int>(c.kind) * 64 + c.errorNumber);
        EXPECT_EQ(readBytes(path), old);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("config.cfg")});
    }
}

TEST(AppendScriptLine, writeFailsMidway_fileUnchangedWithEfbig) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    QByteArray old(256 * 1024, 'x');
    old += allBytesAndLoneLineEnds();
    writeBytes(path, old);

    const int status = runInChild(
        [&] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{128 * 1024, 128 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return encode(AppendScriptLine(path, kTag, kTag, nameState({"A"})));
        },
        false);
    EXPECT_EQ(status, static_cast<int>(AppendResult::Kind::CouldNotWrite) * 64 + EFBIG);
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("config.cfg")});
}

TEST(AppendScriptLine, missingFolderOrFolderAsFile_failsAndCreatesNothing) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("gone/config.cfg"));
    const AppendResult gone = AppendScriptLine(missing, kTag, kTag, nameState({"A"}));
    EXPECT_EQ(gone.kind, AppendResult::Kind::CouldNotWrite);
    EXPECT_EQ(gone.error.number, ENOENT);
    EXPECT_EQ(gone.error.reason, QStringLiteral("No such file or directory"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));

    const AppendResult isDir = AppendScriptLine(dir.path(), kTag, kTag, nameState({"A"}));
    EXPECT_EQ(isDir.kind, AppendResult::Kind::CouldNotRead);
    EXPECT_NE(isDir.error.number, 0);
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

}  // namespace
}  // namespace vtl
