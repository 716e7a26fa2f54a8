#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <tuple>

#include "core/FileWrite.h"
#include "support/Files.h"
#include "support/InChild.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;
using test::readBytes;
using test::writeBytes;

// Export as Bitmap, as PNG and the settings file replace a file whole: by
// an atomic rename where that keeps its owner, group, mode and hard links,
// else in place, where a failure puts the old bytes back.
TEST(ReplaceFileContent, ownershipModeAndLinks_keptOrOldBytesBack) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving files to other users needs root";
    }
    const QByteArray old(100, 'o');
    const QByteArray fresh(200 * 1024, 'n');
    constexpr rlim_t kNoLimit = RLIM_INFINITY;
    // The tests' "nobody" keeps root's group: a file of group 0 is in its
    // group, one of nogroup is not.
    constexpr gid_t kOurGroup = 0, kOtherGroup = 65534;
    const struct {
        const char* situation;
        mode_t fileMode, folderMode;
        gid_t group;
        bool asNobody, hardLink;
        rlim_t limit;
        int errorNumber;
        bool newInode;
    } cases[] = {
        {"ownFileOddMode_replaced", 0604, 0777, kOurGroup, true, false, kNoLimit, 0, true},
        {"othersFileByRoot_replacedKeepingOwner", 0640, 0777, kOtherGroup, false, false, kNoLimit,
         0, true},
        {"groupNotOurs_inPlace", 0666, 0777, kOtherGroup, true, false, kNoLimit, 0, false},
        {"hardLink_inPlace", 0664, 0777, kOtherGroup, false, true, kNoLimit, 0, false},
        {"readOnlyFolder_inPlace", 0666, 0555, kOurGroup, true, false, kNoLimit, 0, false},
        {"readOnlyFile_refused", 0444, 0555, kOurGroup, true, false, kNoLimit, EACCES, false},
        {"inPlaceFailsMidway_oldBytesBack", 0664, 0777, kOtherGroup, false, true, 150 * 1024, EFBIG,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"name.bmp"_s), link = dir.filePath(u"other.bmp"_s);
        writeBytes(path, old);
        const QByteArray file = QFile::encodeName(path);
        ASSERT_EQ(::chown(file.constData(), 65534, c.group), 0);
        ::chmod(file.constData(), c.fileMode);
        if (c.hardLink) {
            ASSERT_EQ(::link(file.constData(), QFile::encodeName(link).constData()), 0);
        }
        ::chmod(QFile::encodeName(dir.path()).constData(), c.folderMode);
        const struct stat before = test::statOf(path);
        const int error = test::exitStatusInChild(c.asNobody, c.limit, [&] {
            const std::optional<FileError> e = replaceFileContent(path, fresh);
            return e ? std::min(e->number, 254) : 0;
        });
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        if (error == 255) {
            GTEST_SKIP() << "running as root and cannot switch to the user nobody";
        }
        const struct stat after = test::statOf(path);
        const QByteArray expected = c.errorNumber == 0 ? fresh : old;
        EXPECT_EQ(error, c.errorNumber);
        EXPECT_EQ(readBytes(path), expected);
        if (c.hardLink) {
            EXPECT_EQ(readBytes(link), expected);
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.hardLink ? 2 : 1);
        EXPECT_EQ(std::tuple(after.st_uid, after.st_gid, after.st_mode, after.st_nlink),
                  std::tuple(before.st_uid, before.st_gid, before.st_mode, before.st_nlink));
        EXPECT_EQ(after.st_ino != before.st_ino, c.newInode);
    }
}

}  // namespace
}  // namespace vtl
