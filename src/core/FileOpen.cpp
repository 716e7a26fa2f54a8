#include "core/FileOpen.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace vtl {

int openWithoutWaiting(const QString& path, int flags) {
    int fd = -1;
    do {
        fd = ::open(QFile::encodeName(path).constData(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

QString notRegularFileReason(mode_t mode) {
    return S_ISDIR(mode) ? QStringLiteral("it is a folder, not a file")
                         : QStringLiteral("it is not a regular file");
}

}  // namespace vtl
