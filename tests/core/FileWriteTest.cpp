#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <numeric>
#include <tuple>

#include "core/FileWrite.h"
#include "support/Files.h"
#include "support/InChild.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;
using test::readBytes;
using test::writeBytes;
using Kind = AppendResult::Kind;

// What a child's write gave: 0, or the error number (and for an append its kind * 64).
constexpr int failed(Kind kind, int errorNumber) {
    return static_cast<int>(kind) * 64 + errorNumber;
}

// Saves append to a file, exports and the settings file replace it whole: by an atomic rename
// where that keeps its owner, group, mode and hard links, else in place, where a failure puts
// the old bytes back. A failed write leaves the file as it was, with no stray file beside it.
TEST(FileWrite, appendAndReplace_keepOwnershipModeAndLinks_orTheOldBytes) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving files to other users needs root";
    }
    // Every byte value and lone line ends, kept as they are.
    QByteArray old(100 * 1024 + 256, 'x');
    std::iota(old.end() - 256, old.end(), '\0');
    old += "x\ry\nz\n\r";
    const QByteArray tail = "\r\nname A\r\n", fresh(200 * 1024, 'n');
    const auto justPastOld = static_cast<rlim_t>(old.size()) + 5;
    constexpr rlim_t kNoLimit = RLIM_INFINITY;
    // The tests' "nobody" keeps root's group: a file of group 0 is in its
    // group, one of nogroup is not.
    constexpr gid_t kOurs = 0, kOthers = 65534;
    constexpr bool kAppend = true, kReplace = false;
    const int kWriteDenied = failed(Kind::CouldNotWrite, EACCES),
              kReadDenied = failed(Kind::CouldNotRead, EACCES),
              kAppendTooBig = failed(Kind::CouldNotWrite, EFBIG);
    const struct {
        const char* situation;
        bool append;
        mode_t fileMode, folderMode;
        gid_t group;
        bool asNobody, hardLink;
        rlim_t limit;
        int status;
    } cases[] = {
        {"othersFileSavedByRoot", kAppend, 0664, 0777, kOthers, false, false, kNoLimit, 0},
        {"readOnlyFile", kAppend, 0444, 0777, kOthers, true, false, kNoLimit, kWriteDenied},
        {"readOnlyFolderWritableFile", kAppend, 0666, 0555, kOthers, true, false, kNoLimit, 0},
        {"readOnlyFolderAndFile", kAppend, 0444, 0555, kOthers, true, false, kNoLimit,
         kWriteDenied},
        {"unreadableFile", kAppend, 0222, 0777, kOthers, true, false, kNoLimit, kReadDenied},
        // Cut off while copying the old content, or (in place) while appending the line.
        {"writeFailsMidway", kAppend, 0666, 0777, kOthers, true, false, 64 * 1024, kAppendTooBig},
        {"inPlaceFailsMidway", kAppend, 0666, 0555, kOthers, true, false, justPastOld,
         kAppendTooBig},
        {"hardLink", kAppend, 0664, 0777, kOthers, false, true, kNoLimit, 0},
        {"hardLinkDiskFull", kAppend, 0664, 0777, kOthers, false, true, justPastOld, kAppendTooBig},
        {"ownFileOddMode", kReplace, 0604, 0777, kOurs, true, false, kNoLimit, 0},
        {"othersFileByRoot", kReplace, 0640, 0777, kOthers, false, false, kNoLimit, 0},
        {"groupNotOurs", kReplace, 0666, 0777, kOthers, true, false, kNoLimit, 0},
        {"hardLinkReplaced", kReplace, 0664, 0777, kOthers, false, true, kNoLimit, 0},
        {"readOnlyFolder", kReplace, 0666, 0555, kOurs, true, false, kNoLimit, 0},
        {"readOnlyFileRefused", kReplace, 0444, 0555, kOurs, true, false, kNoLimit, EACCES},
        {"replaceFailsMidway", kReplace, 0664, 0777, kOthers, false, true, 150 * 1024, EFBIG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"name.cfg"_s), link = dir.filePath(u"other.cfg"_s);
        writeBytes(path, old);
        const QByteArray file = QFile::encodeName(path);
        ASSERT_EQ(::chown(file.constData(), 65534, c.group), 0);
        ::chmod(file.constData(), c.fileMode);
        if (c.hardLink) {
            ASSERT_EQ(::link(file.constData(), QFile::encodeName(link).constData()), 0);
        }
        ::chmod(QFile::encodeName(dir.path()).constData(), c.folderMode);
        const struct stat before = test::statOf(path);
        const int status = test::exitStatusInChild(c.asNobody, c.limit, [&] {
            if (c.append) {
                const AppendResult r = appendToFile(path, [&](bool) { return tail; });
                return failed(r.kind, r.error.number & 63);
            }
            const std::optional<FileError> e = replaceFileContent(path, fresh);
            return e ? std::min(e->number, 254) : 0;
        });
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        if (status == 255) {
            GTEST_SKIP() << "running as root and cannot switch to the user nobody";
        }
        const struct stat after = test::statOf(path);
        const QByteArray expected = c.status != 0 ? old : c.append ? old + tail : fresh;
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(readBytes(path), expected);
        if (c.hardLink) {
            EXPECT_EQ(readBytes(link), expected);
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.hardLink ? 2 : 1);
        EXPECT_EQ(std::tuple(after.st_uid, after.st_gid, after.st_mode, after.st_nlink),
                  std::tuple(before.st_uid, before.st_gid, before.st_mode, before.st_nlink));
        // A rename where it keeps the file's group and links; in place elsewhere.
        const bool renamed = c.status == 0 && c.folderMode == 0777 && !c.hardLink &&
                             (c.group == kOurs || !c.asNobody);
        EXPECT_EQ(after.st_ino != before.st_ino, renamed);
    }
}

// A save through a symbolic link keeps the link and the target's mode; a new file gets the
// mode the umask leaves. Special files are refused at once: opening a FIFO would block until
// another program did.
TEST(FileWrite, linksKept_newFilesByUmask_specialFilesRefusedWithoutWaiting) {
    QTemporaryDir dir;
    const QString link = dir.filePath(u"link.cfg"_s), target = dir.filePath(u"real.cfg"_s);
    const QString fresh = dir.filePath(u"new.cfg"_s), fifo = dir.filePath(u"fifo.cfg"_s);
    writeBytes(target, "old");
    ::chmod(QFile::encodeName(target).constData(), 0640);
    ASSERT_TRUE(QFile::link(target, link));
    const mode_t mask = ::umask(022);
    const auto tail = [](bool) { return "+"_ba; };
    EXPECT_EQ(appendToFile(link, tail).kind, Kind::Appended);
    EXPECT_EQ(appendToFile(fresh, tail).kind, Kind::Created);
    ::umask(mask);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(target), "old+");
    EXPECT_EQ(test::statOf(target).st_mode & 07777, 0640u);
    EXPECT_EQ(test::statOf(fresh).st_mode & 07777, 0644u);

    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    const int refused = test::exitStatusInChild(false, RLIM_INFINITY, [&] {
        const AppendResult r = appendToFile(fifo, tail);
        const std::optional<FileError> e = replaceFileContent(fifo, "A"_ba);
        return r.kind == Kind::CouldNotRead && r.error.number == EINVAL && e && e->number == EINVAL;
    });
    EXPECT_EQ(refused, 1);
}

}  // namespace
}  // namespace vtl
