#include "output/FileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace vtl {
namespace {

// The old content passes through this much memory at a time: copying it
// chunk by chunk into the new file keeps a large config out of memory, and a
// buffer that is reused never has to be paged in again.
constexpr qsizetype kCopyChunk = qsizetype{1} << 20;

// Qt reports failures as text only; the number comes from errno, read right
// after the call that failed. EIO stands in should a call fail without one.
FileError errorFrom(int errorNumber, const QFileDevice& file) {
    if (errorNumber == 0) {
        return FileError{EIO, file.errorString()};
    }
    return FileError{errorNumber, QString::fromLocal8Bit(std::strerror(errorNumber))};
}

AppendResult failure(AppendResult::Kind kind, const FileError& error) {
    return AppendResult{kind, error};
}

std::optional<FileError> openForReplace(QSaveFile& file) {
    // Unbuffered: a failing write shows at once, with its errno still fresh.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return errorFrom(errno, file);
    }
    return std::nullopt;
}

std::optional<FileError> writeAll(QSaveFile& file, const char* data, qint64 size) {
    errno = 0;
    if (file.write(data, size) != size) {
        return errorFrom(errno, file);
    }
    return std::nullopt;
}

std::optional<FileError> commit(QSaveFile& file) {
    errno = 0;
    if (!file.commit()) {
        return errorFrom(errno, file);
    }
    return std::nullopt;
}

}  // namespace

AppendResult appendToFile(const QString& path,
                          const std::function<QByteArray(bool fileExisted)>& makeTail) {
    QFile old(path);
    errno = 0;
    bool existed = old.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (!existed) {
        const int openErrno = errno;
        const bool missing = openErrno == ENOENT || (openErrno == 0 && !QFileInfo(path).exists());
        if (!missing) {
            return failure(AppendResult::Kind::CouldNotRead, errorFrom(openErrno, old));
        }
    }

    QSaveFile file(path);
    if (const auto error = openForReplace(file)) {
        return failure(AppendResult::Kind::CouldNotWrite, *error);
    }
    if (existed) {
        QByteArray chunk(kCopyChunk, Qt::Uninitialized);
        for (;;) {
            errno = 0;
            const qint64 got = old.read(chunk.data(), chunk.size());
            if (got < 0) {
                const FileError error = errorFrom(errno, old);
                file.cancelWriting();
                return failure(AppendResult::Kind::CouldNotRead, error);
            }
            if (got == 0) {
                break;
            }
            if (const auto error = writeAll(file, chunk.constData(), got)) {
                file.cancelWriting();
                return failure(AppendResult::Kind::CouldNotWrite, *error);
            }
        }
        old.close();
    }

    const QByteArray tail = makeTail(existed);
    if (const auto error = writeAll(file, tail.constData(), tail.size())) {
        file.cancelWriting();
        return failure(AppendResult::Kind::CouldNotWrite, *error);
    }
    if (const auto error = commit(file)) {
        return failure(AppendResult::Kind::CouldNotWrite, *error);
    }
    return AppendResult{existed ? AppendResult::Kind::Appended : AppendResult::Kind::Created, {}};
}

std::optional<FileError> replaceFileContent(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (auto error = openForReplace(file)) {
        return error;
    }
    if (auto error = writeAll(file, bytes.constData(), bytes.size())) {
        file.cancelWriting();
        return error;
    }
    return commit(file);
}

}  // namespace vtl
