#include "platform/Platform.h"

#include <QStandardPaths>

// clang-format off
#include <windows.h>
#include <aclapi.h>
#include <psapi.h>
// clang-format on

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace vtl::platform {
namespace {

// Windows' error codes as the errno values the rest of the program reports.
int errnoFor(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_PRIVILEGE_NOT_HELD:
        case ERROR_INVALID_OWNER:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILE_TOO_LARGE:
            return EFBIG;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_INVALID_HANDLE:
            return EBADF;
        default:
            return EIO;
    }
}

bool failWith(DWORD error) {
    errno = errnoFor(error);
    return false;
}

HANDLE handleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

std::wstring nativePath(const QString& path) {
    QString native = path;
    native.replace(u'/', u'\\');
    return native.toStdWString();
}

struct LocalFreer {
    void operator()(void* memory) const { ::LocalFree(memory); }
};

}  // namespace

int openWithoutWaiting(const QString& path, int flags) {
    const bool write = (flags & O_ACCMODE) != O_RDONLY;
    // Shared as a POSIX open is: others may read, write, rename and delete
    // meanwhile. Folders open too, for reading, so callers can name them.
    const HANDLE handle = ::CreateFileW(
        nativePath(path).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL | (write ? 0 : FILE_FLAG_BACKUP_SEMANTICS), nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        failWith(::GetLastError());
        return -1;
    }
    const int fd =
        ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), write ? _O_WRONLY : _O_RDONLY);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
        return -1;
    }
    ::_setmode(fd, _O_BINARY);
    return fd;
}

// Windows names are UTF-16: the bytes a caller holds are the UTF-8 of one.
int openWithoutWaiting(const QByteArray& nativePath, int flags) {
    return openWithoutWaiting(QString::fromUtf8(nativePath), flags);
}

// Windows opens never wait for a writer the way a POSIX FIFO does.
int openForReadingWaiting(const QByteArray& nativePath) {
    return openWithoutWaiting(nativePath, O_RDONLY);
}

int duplicateStandardInput() {
    const int fd = ::_dup(0);
    if (fd >= 0) {
        ::_setmode(fd, _O_BINARY);
    }
    return fd;
}

void allowWaiting(int) {}

void closeFile(int fd) {
    ::_close(fd);
}

void clearLastError() {
    errno = 0;
    ::SetLastError(ERROR_SUCCESS);
}

int lastError() {
    if (errno != 0) {
        return errno;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_SUCCESS ? 0 : errnoFor(error);
}

bool fileFacts(int fd, FileFacts& facts) {
    const HANDLE handle = handleOf(fd);
    if (handle == INVALID_HANDLE_VALUE) {
        return failWith(ERROR_INVALID_HANDLE);
    }
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        facts = FileFacts{FileFacts::Kind::Other, 0, 1};
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
        return failWith(::GetLastError());
    }
    facts.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileFacts::Kind::Folder
                                                                         : FileFacts::Kind::Regular;
    facts.size = static_cast<qint64>((quint64{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
    facts.links = info.nNumberOfLinks;
    return true;
}

qint64 readSome(int fd, char* data, qint64 size) {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(qMin<qint64>(size, 1 << 30));
    if (!::ReadFile(handleOf(fd), data, wanted, &got, nullptr)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) {
            return 0;
        }
        failWith(error);
        return -1;
    }
    return got;
}

qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset) {
    // An explicit offset in the OVERLAPPED structure, as pwrite() has.
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(quint64(offset) & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(quint64(offset) >> 32);
    DWORD wrote = 0;
    const DWORD wanted = static_cast<DWORD>(qMin<qint64>(size, 1 << 30));
    if (!::WriteFile(handleOf(fd), data, wanted, &wrote, &at)) {
        failWith(::GetLastError());
        return -1;
    }
    return wrote;
}

bool truncateTo(int fd, qint64 length) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = length;
    return ::SetFileInformationByHandle(handleOf(fd), FileEndOfFileInfo, &end, sizeof end) ||
           failWith(::GetLastError());
}

bool flushToDisk(int fd) {
    return ::FlushFileBuffers(handleOf(fd)) || failWith(::GetLastError());
}

bool takeOverOwnership(int newFd, int oldFd) {
    // The old file's owner, group and access list, its own entries only:
    // inherited entries come from the folder, which the new file shares.
    constexpr SECURITY_INFORMATION kWhat =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    PSID owner = nullptr;
    PSID group = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR oldSd = nullptr;
    if (::GetSecurityInfo(handleOf(oldFd), SE_FILE_OBJECT, kWhat, &owner, &group, &dacl, nullptr,
                          &oldSd) != ERROR_SUCCESS) {
        return false;
    }
    const std::unique_ptr<void, LocalFreer> keepOld(oldSd);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ::GetSecurityDescriptorControl(oldSd, &control, &revision);
    const SECURITY_INFORMATION daclKind = (control & SE_DACL_PROTECTED) != 0
                                              ? PROTECTED_DACL_SECURITY_INFORMATION
                                              : UNPROTECTED_DACL_SECURITY_INFORMATION;

    // The writer's handle lacks the right to change security: a second
    // handle to the same file asks for it.
    const HANDLE newHandle =
        ::ReOpenFile(handleOf(newFd), READ_CONTROL | WRITE_DAC | WRITE_OWNER,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    if (newHandle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::unique_ptr<void, decltype(&::CloseHandle)> keepNew(newHandle, &::CloseHandle);
    PSID newOwner = nullptr;
    PSID newGroup = nullptr;
    PSECURITY_DESCRIPTOR newSd = nullptr;
    if (::GetSecurityInfo(newHandle, SE_FILE_OBJECT,
                          OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION, &newOwner,
                          &newGroup, nullptr, nullptr, &newSd) != ERROR_SUCCESS) {
        return false;
    }
    const std::unique_ptr<void, LocalFreer> keepNewSd(newSd);
    SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | daclKind;
    if (owner != nullptr && !::EqualSid(owner, newOwner)) {
        what |= OWNER_SECURITY_INFORMATION;
    }
    if (group != nullptr && newGroup != nullptr && !::EqualSid(group, newGroup)) {
        what |= GROUP_SECURITY_INFORMATION;
    }
    // Someone else's file: changing the owner needs a privilege the user
    // normally lacks, and then the caller appends in place instead.
    return ::SetSecurityInfo(newHandle, SE_FILE_OBJECT, what,
                             (what & OWNER_SECURITY_INFORMATION) != 0 ? owner : nullptr,
                             (what & GROUP_SECURITY_INFORMATION) != 0 ? group : nullptr, dacl,
                             nullptr) == ERROR_SUCCESS;
}

bool mayWrite(const QString& path) {
    // Opening asks the system the question exactly as the write will:
    // access list, read-only attribute, write-protected drive. A folder is
    // asked for adding files; a file for writing and being replaced.
    const std::wstring native = nativePath(path);
    const DWORD attributes = ::GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return failWith(::GetLastError());
    }
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const HANDLE handle = ::CreateFileW(
        native.c_str(), folder ? FILE_ADD_FILE | FILE_DELETE_CHILD : GENERIC_WRITE | DELETE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        folder ? FILE_FLAG_BACKUP_SEMANTICS : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return failWith(::GetLastError());
    }
    ::CloseHandle(handle);
    return true;
}

QString userConfigHome() {
    // Roaming application data, where Windows programs keep settings that
    // follow the user; Qt's own choice for "config" is the local folder.
    const QString appData = qEnvironmentVariable("APPDATA");
    if (!appData.isEmpty()) {
        return QString(appData).replace(u'\\', u'/');
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

void ignoreFileSizeSignal() {}

void useParentConsole() {
    // Redirected output, or the console program (vantorel.com): keep it.
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE && ::GetFileType(out) != FILE_TYPE_UNKNOWN) {
        return;
    }
    if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::FILE* ignored = std::freopen("CONOUT$", "w", stdout);
        ignored = std::freopen("CONOUT$", "w", stderr);
        static_cast<void>(ignored);
    }
}

qint64 peakMemoryBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) {
        return 0;
    }
    return static_cast<qint64>(counters.PeakWorkingSetSize);
}

}  // namespace vtl::platform
