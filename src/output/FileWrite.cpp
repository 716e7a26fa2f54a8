#include "output/FileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vtl {
namespace {

// Room for the read that finds the end of the file, so that reaching it
// never makes the buffer grow (and copy the whole content).
constexpr qsizetype kEndProbe = 4096;
// Growth step for a file that grows while it is read.
constexpr qsizetype kGrowthStep = qsizetype{1} << 20;

// Qt reports failures as text only; the number comes from errno, read right
// after the call that failed. EIO stands in should a call fail without one.
FileError errorFrom(int errorNumber, const QFileDevice& file) {
    if (errorNumber == 0) {
        errorNumber = EIO;
        return FileError{errorNumber, file.errorString()};
    }
    return FileError{errorNumber, QString::fromLocal8Bit(std::strerror(errorNumber))};
}

}  // namespace

FileContent readWholeFile(const QString& path, qsizetype reserveExtra) {
    FileContent result;
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const int openErrno = errno;
        if (openErrno == ENOENT || (openErrno == 0 && !QFileInfo::exists(path))) {
            result.status = FileContent::Status::Missing;
            return result;
        }
        result.status = FileContent::Status::Failed;
        result.error = errorFrom(openErrno, file);
        return result;
    }

    QByteArray& bytes = result.bytes;
    bytes.reserve(std::max<qint64>(file.size(), 0) + reserveExtra + kEndProbe);
    for (;;) {
        const qsizetype before = bytes.size();
        if (bytes.capacity() == before) {
            bytes.reserve(before + std::max(kGrowthStep, before / 2));
        }
        const qsizetype room = bytes.capacity() - before;
        bytes.resize(before + room);  // no copy: within capacity, left uninitialised
        errno = 0;
        const qint64 got = file.read(bytes.data() + before, room);
        if (got < 0) {
            result.status = FileContent::Status::Failed;
            result.error = errorFrom(errno, file);
            result.bytes = QByteArray();
            return result;
        }
        bytes.resize(before + got);
        if (got == 0) {
            break;
        }
    }
    result.status = FileContent::Status::Read;
    return result;
}

std::optional<FileError> replaceFileContent(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered: a failing write shows at once, with its errno still fresh.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return errorFrom(errno, file);
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const FileError error = errorFrom(errno, file);
        file.cancelWriting();
        return error;
    }
    errno = 0;
    if (!file.commit()) {
        return errorFrom(errno, file);
    }
    return std::nullopt;
}

}  // namespace vtl
