// Windows' own file-safety cases, in place of the POSIX ones (owners, modes,
// FIFOs) in OutputCommandsTest.cpp and IniTest.cpp: a save keeps the file's
// access control list and its hard links, refuses what it can't write without
// changing a byte, and takes drive letters and backslashes.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

// clang-format off
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
// clang-format on

#include <cerrno>

#include "ini/AppPaths.h"
#include "output/ScriptWriter.h"
#include "platform/Platform.h"
#include "support/Files.h"
#include "support/NameState.h"
#include "support/Tag.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;
using test::readBytes;
using test::writeBytes;
using Kind = AppendResult::Kind;

const QByteArray kOld = "old line\r\nsecond\r\n"_ba;
const QByteArray kAppended = kOld + "\r\nname \"A\""_ba + test::kTag + "\r\n";

AppendResult saveA(const QString& path) {
    return AppendScriptLine(path, {}, {}, test::nameState({"A"}));
}

std::wstring native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// The file's own access list as text ("D:P(A;;FA;;;WD)..."): empty when unreadable.
QString accessListOf(const QString& path) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (::GetNamedSecurityInfoW(native(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                nullptr, nullptr, nullptr, nullptr, &sd) != ERROR_SUCCESS) {
        return {};
    }
    LPWSTR text = nullptr;
    QString result;
    if (::ConvertSecurityDescriptorToStringSecurityDescriptorW(
            sd, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        result = QString::fromWCharArray(text);
        ::LocalFree(text);
    }
    ::LocalFree(sd);
    return result;
}

bool setAccessList(const QString& path, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd,
                                                                nullptr)) {
        return false;
    }
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    ::GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted);
    const bool ok =
        ::SetNamedSecurityInfoW(const_cast<wchar_t*>(native(path).c_str()), SE_FILE_OBJECT,
                                DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                nullptr, nullptr, dacl, nullptr) == ERROR_SUCCESS;
    ::LocalFree(sd);
    return ok;
}

struct Identity {
    quint64 index = 0;  // the file's identity on its volume, as an inode number
    qint64 links = 0;
};
Identity identityOf(const QString& path) {
    const HANDLE handle = ::CreateFileW(
        native(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = handle != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(handle, &info);
    if (handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
    }
    EXPECT_TRUE(ok) << path.toStdString();
    return {(quint64{info.nFileIndexHigh} << 32) | info.nFileIndexLow, info.nNumberOfLinks};
}

// An own access list survives the atomic replace; a hard link is kept by
// appending in place; a read-only file is refused untouched. Either way no
// temporary file stays behind, and the path may use backslashes.
TEST(WindowsFiles, saveKeepsAccessListAndHardLinks_refusesReadOnly) {
    enum Setup { Plain, OwnAccessList, HardLink, ReadOnly };
    const struct {
        const char* situation;
        Setup setup;
        Kind kind;
        int errorNumber;
        bool replaced;  // a new file took the old one's place
    } cases[] = {
        {"plain", Plain, Kind::Appended, 0, true},
        {"ownAccessList", OwnAccessList, Kind::Appended, 0, true},
        {"hardLink", HardLink, Kind::Appended, 0, false},
        {"readOnly", ReadOnly, Kind::CouldNotWrite, EACCES, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir dir;
        const QString path = QDir::toNativeSeparators(dir.filePath(u"config.cfg"_s));
        const QString link = dir.filePath(u"other.cfg"_s);
        writeBytes(path, kOld);
        if (c.setup == OwnAccessList) {
            ASSERT_TRUE(setAccessList(path, L"D:P(A;;FA;;;WD)(A;;FR;;;BU)"));
        }
        if (c.setup == HardLink) {
            ASSERT_TRUE(::CreateHardLinkW(native(link).c_str(), native(path).c_str(), nullptr));
        }
        if (c.setup == ReadOnly) {
            ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
        }
        const QString accessBefore = accessListOf(path);
        const Identity before = identityOf(path);

        const AppendResult result = saveA(path);
        if (c.setup == ReadOnly && result.kind == Kind::Appended) {
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
            GTEST_SKIP() << "this system lets a read-only file be written (Wine run as root)";
        }
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(result.error.number, c.errorNumber);
        const QByteArray expected = c.kind == Kind::Appended ? kAppended : kOld;
        EXPECT_EQ(readBytes(path), expected);
        if (c.setup == HardLink) {
            EXPECT_EQ(readBytes(link), expected);
        }
        const Identity after = identityOf(path);
        EXPECT_EQ(after.links, before.links);
        EXPECT_EQ(after.index != before.index, c.replaced);
        EXPECT_EQ(accessListOf(path), accessBefore);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                  c.setup == HardLink ? 2 : 1);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
}

// A device in the file's place (NUL, CON) is refused at once, as a FIFO is
// elsewhere: nothing is read from it or written to it.
TEST(WindowsFiles, deviceInsteadOfAFile_refusedAtOnce) {
    const AppendResult result = saveA(u"NUL"_s);
    EXPECT_EQ(result.kind, Kind::CouldNotRead);
    EXPECT_EQ(result.error.number, EINVAL);
    EXPECT_EQ(result.error.reason, u"it is not a regular file"_s);
}

// Settings stay beside a program whose folder is writable; a read-only file
// there sends them to %APPDATA%\vantorel, which is where a user's own
// settings live on Windows.
TEST(WindowsFiles, settingsBesideTheProgramOrInAppData) {
    const QByteArray appData = qgetenv("APPDATA");
    qputenv("APPDATA", "D:\\Profiles\\someone\\AppData\\Roaming");
    EXPECT_EQ(platform::userConfigHome(), u"D:/Profiles/someone/AppData/Roaming"_s);
    qputenv("APPDATA", appData);

    QTemporaryDir exeDir;
    const QString beside = exeDir.filePath(u"vtl.ini"_s);
    writeBytes(beside, "[Vantorel]\r\nfirst=yes\r\n"_ba);
    const QString home = QDir::toNativeSeparators(u"C:/Users/someone/AppData/Roaming"_s);
    EXPECT_EQ(AppPaths::locate(exeDir.path(), home, {}).settingsFile(), beside);

    ASSERT_TRUE(QFile::setPermissions(beside, QFile::ReadOwner | QFile::ReadUser));
    const bool writable = platform::mayWrite(beside);
    QFile::setPermissions(beside, QFile::ReadOwner | QFile::WriteOwner);
    if (writable) {
        GTEST_SKIP() << "this system lets a read-only file be written (Wine run as root)";
    }
    ASSERT_TRUE(QFile::setPermissions(beside, QFile::ReadOwner | QFile::ReadUser));
    const AppPaths paths = AppPaths::locate(exeDir.path(), home, {});
    QFile::setPermissions(beside, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(paths.settingsBesideProgram());
    EXPECT_EQ(paths.settingsFile(), home + u"/vantorel/vtl.ini"_s);
}

}  // namespace
}  // namespace vtl
