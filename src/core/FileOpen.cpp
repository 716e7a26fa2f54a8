#include "core/FileOpen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vtl {

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

QString notRegularFileReason(mode_t mode) {
    return S_ISDIR(mode) ? QStringLiteral("it is a folder, not a file")
                         : QStringLiteral("it is not a regular file");
}

QString systemReason(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

bool openUserFile(QFile& file, const QByteArray& nativePath, const QString& shownName,
                  ReadProblem& problem, FileKind kind) {
    const auto fail = [&](const QString& reason, int systemError = 0) {
        problem = ReadProblem{shownName, reason, systemError};
        return false;
    };
    int fd = -1;
    if (kind == FileKind::Stream && nativePath == "-") {
        fd = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
    } else if (kind == FileKind::Stream) {
        // A command-line tool waits for a FIFO's writer, as cat does.
        do {
            fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
        } while (fd < 0 && errno == EINTR);
    } else {
        fd = openWithoutWaiting(nativePath, O_RDONLY);
    }
    if (fd < 0) {
        const int error = errno;
        return fail(systemReason(error), error);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(systemReason(error), error);
    }
    if (S_ISDIR(info.st_mode) || (kind == FileKind::Regular && !S_ISREG(info.st_mode))) {
        ::close(fd);
        return fail(notRegularFileReason(info.st_mode));
    }
    if (kind == FileKind::Regular) {
        // Reads of a regular file never wait; the flag only mattered for the open.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString());
    }
    return true;
}

bool openUserFile(QFile& file, const QString& path, ReadProblem& problem, FileKind kind) {
    return openUserFile(file, QFile::encodeName(path), path, problem, kind);
}

}  // namespace vtl
