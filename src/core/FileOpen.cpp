#include "core/FileOpen.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vtl {

int openWithoutWaiting(const QString& path, int flags) {
    return platform::openWithoutWaiting(path, flags);
}

QString notRegularFileReason(const platform::FileFacts& facts) {
    return facts.kind == platform::FileFacts::Kind::Folder
               ? QStringLiteral("it is a folder, not a file")
               : QStringLiteral("it is not a regular file");
}

#ifndef _WIN32
QString notRegularFileReason(mode_t mode) {
    return notRegularFileReason(platform::FileFacts{
        S_ISDIR(mode) ? platform::FileFacts::Kind::Folder : platform::FileFacts::Kind::Other, 0,
        1});
}
#endif

}  // namespace vtl
