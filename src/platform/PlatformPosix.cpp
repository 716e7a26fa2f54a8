#include "platform/Platform.h"

#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace vtl::platform {

int openWithoutWaiting(const QByteArray& nativePath, int flags) {
    int fd = -1;
    do {
        fd = ::open(nativePath.constData(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int openWithoutWaiting(const QString& path, int flags) {
    return openWithoutWaiting(QFile::encodeName(path), flags);
}

int openForReadingWaiting(const QByteArray& nativePath) {
    int fd = -1;
    do {
        fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int duplicateStandardInput() {
    return ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
}

void allowWaiting(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}

void closeFile(int fd) {
    ::close(fd);
}

void clearLastError() {
    errno = 0;
}

int lastError() {
    return errno;
}

bool fileFacts(int fd, FileFacts& facts) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    facts.kind = S_ISREG(info.st_mode)   ? FileFacts::Kind::Regular
                 : S_ISDIR(info.st_mode) ? FileFacts::Kind::Folder
                                         : FileFacts::Kind::Other;
    facts.size = info.st_size;
    facts.links = static_cast<qint64>(info.st_nlink);
    return true;
}

qint64 readSome(int fd, char* data, qint64 size) {
    for (;;) {
        const ssize_t got = ::read(fd, data, static_cast<size_t>(size));
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset) {
    for (;;) {
        const ssize_t wrote = ::pwrite(fd, data, static_cast<size_t>(size), offset);
        if (wrote >= 0 || errno != EINTR) {
            return wrote;
        }
    }
}

bool truncateTo(int fd, qint64 length) {
    for (;;) {
        if (::ftruncate(fd, length) == 0) {
            return true;
        }
        if (errno != EINTR) {
            return false;
        }
    }
}

bool flushToDisk(int fd) {
    return ::fsync(fd) == 0;
}

bool takeOverOwnership(int newFd, int oldFd) {
    struct stat old {};
    struct stat now {};
    if (newFd < 0 || ::fstat(oldFd, &old) != 0 || ::fstat(newFd, &now) != 0) {
        return false;
    }
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        ::fchown(newFd, old.st_uid, old.st_gid) != 0) {
        return false;
    }
    // The new file asked for the old mode, but the umask may have taken bits off.
    return ::fchmod(newFd, old.st_mode & 07777) == 0;
}

bool mayWrite(const QString& path) {
    // Asked with the effective identity, the one the write will run under;
    // QFileInfo::isWritable() asks with the real one.
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

QString userConfigHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

void ignoreFileSizeSignal() {
    ::signal(SIGXFSZ, SIG_IGN);
}

void useParentConsole() {}

qint64 peakMemoryBytes() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return qint64{usage.ru_maxrss} * 1024;  // Linux counts KiB
}

}  // namespace vtl::platform
