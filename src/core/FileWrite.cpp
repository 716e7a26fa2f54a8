#include "core/FileWrite.h"

#include <QFile>
#include <QSaveFile>

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "core/FileOpen.h"
#include "platform/Platform.h"

namespace vtl {
namespace {

// The old content passes through this much memory at a time: copying it
// chunk by chunk into the new file keeps a large config out of memory, and a
// buffer that is reused never has to be paged in again.
constexpr qsizetype kCopyChunk = qsizetype{1} << 20;

FileError systemError(int errorNumber) {
    return FileError{errorNumber, QString::fromLocal8Bit(std::strerror(errorNumber))};
}

// Qt reports failures as text only; the number comes from the system, read
// right after the call that failed. EIO stands in should a call fail without one.
FileError errorFrom(int errorNumber, const QFileDevice& file) {
    if (errorNumber == 0) {
        return FileError{EIO, file.errorString()};
    }
    return systemError(errorNumber);
}

AppendResult failure(AppendResult::Kind kind, const FileError& error) {
    return AppendResult{kind, error};
}

std::optional<FileError> openForReplace(QSaveFile& file) {
    // Unbuffered: a failing write shows at once, with its errno still fresh.
    platform::clearLastError();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return errorFrom(platform::lastError(), file);
    }
    return std::nullopt;
}

std::optional<FileError> writeAll(QSaveFile& file, const char* data, qint64 size) {
    platform::clearLastError();
    if (file.write(data, size) != size) {
        return errorFrom(platform::lastError(), file);
    }
    return std::nullopt;
}

std::optional<FileError> commit(QSaveFile& file) {
    platform::clearLastError();
    if (!file.commit()) {
        return errorFrom(platform::lastError(), file);
    }
    return std::nullopt;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            platform::closeFile(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Before a rename replaces the file: Windows refuses to replace a file
    // that is still open, even to its own reader.
    void close() {
        if (fd_ >= 0) {
            platform::closeFile(fd_);
            fd_ = -1;
        }
    }

  private:
    int fd_;
};

// The temporary file of an atomic replace gets the old file's owner, group
// and permissions. False when that isn't allowed (someone else's file, a group
// the user isn't in): the replace would then change who the file belongs to.
bool takeOverOwnership(QSaveFile& file, int oldFd) {
    return platform::takeOverOwnership(file.handle(), oldFd);
}

// Old content copied into the new file, the tail after it, one rename.
// Nothing when the replace can't keep the file's owner and group: the caller
// then appends in place.
std::optional<AppendResult> replaceAtomically(const QString& path, Descriptor& old,
                                              const std::function<QByteArray(bool)>& makeTail) {
    const int oldFd = old.get();
    QSaveFile file(path);
    if (openForReplace(file)) {
        return std::nullopt;  // no room for a new file beside it: in place may still work
    }
    if (!takeOverOwnership(file, oldFd)) {
        file.cancelWriting();
        return std::nullopt;
    }
    QByteArray chunk(kCopyChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = platform::readSome(oldFd, chunk.data(), chunk.size());
        if (got < 0) {
            const FileError error = systemError(errno);
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
    const QByteArray tail = makeTail(true);
    if (const auto error = writeAll(file, tail.constData(), tail.size())) {
        file.cancelWriting();
        return failure(AppendResult::Kind::CouldNotWrite, *error);
    }
    old.close();
    if (const auto error = commit(file)) {
        return failure(AppendResult::Kind::CouldNotWrite, *error);
    }
    return AppendResult{AppendResult::Kind::Appended, {}};
}

// Writes the tail after the old end, flushes it to the disk, and on any
// failure cuts the file back to its old length: the old bytes are never
// rewritten, so nothing of them can be lost.
AppendResult appendInPlace(const QString& path, const std::function<QByteArray(bool)>& makeTail) {
    const Descriptor fd(openWithoutWaiting(path, O_WRONLY));
    platform::FileFacts info;
    if (fd.get() < 0 || !platform::fileFacts(fd.get(), info)) {
        return failure(AppendResult::Kind::CouldNotWrite, systemError(errno));
    }
    if (info.kind != platform::FileFacts::Kind::Regular) {
        return failure(AppendResult::Kind::CouldNotWrite,
                       FileError{EINVAL, notRegularFileReason(info)});
    }
    const qint64 oldLength = info.size;
    const QByteArray tail = makeTail(true);
    const auto undo = [&](int errorNumber) {
        platform::truncateTo(fd.get(), oldLength);
        platform::flushToDisk(fd.get());
        return failure(AppendResult::Kind::CouldNotWrite, systemError(errorNumber));
    };
    qsizetype done = 0;
    while (done < tail.size()) {
        const qint64 wrote = platform::writeAt(fd.get(), tail.constData() + done,
                                               tail.size() - done, oldLength + done);
        if (wrote <= 0) {
            return undo(wrote < 0 ? errno : EIO);
        }
        done += wrote;
    }
    if (!platform::flushToDisk(fd.get())) {
        return undo(errno);
    }
    return AppendResult{AppendResult::Kind::Appended, {}};
}

AppendResult create(const QString& path, const std::function<QByteArray(bool)>& makeTail) {
    QSaveFile file(path);
    if (const auto error = openForReplace(file)) {
        return failure(AppendResult::Kind::CouldNotWrite, *error);
    }
    const QByteArray tail = makeTail(false);
    if (const auto error = writeAll(file, tail.constData(), tail.size())) {
        file.cancelWriting();
        return failure(AppendResult::Kind::CouldNotWrite, *error);
    }
    if (const auto error = commit(file)) {
        return failure(AppendResult::Kind::CouldNotWrite, *error);
    }
    return AppendResult{AppendResult::Kind::Created, {}};
}

}  // namespace

AppendResult appendToFile(const QString& path,
                          const std::function<QByteArray(bool fileExisted)>& makeTail) {
    Descriptor old(openWithoutWaiting(path, O_RDONLY));
    if (old.get() < 0) {
        if (errno == ENOENT) {
            return create(path, makeTail);
        }
        return failure(AppendResult::Kind::CouldNotRead, systemError(errno));
    }
    platform::FileFacts info;
    if (!platform::fileFacts(old.get(), info)) {
        return failure(AppendResult::Kind::CouldNotRead, systemError(errno));
    }
    if (info.kind == platform::FileFacts::Kind::Folder) {
        return failure(AppendResult::Kind::CouldNotRead, systemError(EISDIR));
    }
    if (info.kind != platform::FileFacts::Kind::Regular) {
        return failure(AppendResult::Kind::CouldNotRead,
                       FileError{EINVAL, notRegularFileReason(info)});
    }
    // A replace would split a hard link off with the old content.
    if (info.links == 1) {
        if (std::optional<AppendResult> replaced = replaceAtomically(path, old, makeTail)) {
            return *replaced;
        }
    }
    return appendInPlace(path, makeTail);
}

void ignoreFileSizeSignal() {
    platform::ignoreFileSizeSignal();
}

namespace {

// The new content over the old in the same file, which keeps its links,
// owner, group and mode; on any failure the old content is written back.
std::optional<FileError> rewriteInPlace(int oldFd, const QString& path, const QByteArray& bytes) {
    QByteArray oldBytes;
    QByteArray chunk(kCopyChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = platform::readSome(oldFd, chunk.data(), chunk.size());
        if (got < 0) {
            return systemError(errno);
        }
        if (got == 0) {
            break;
        }
        oldBytes.append(chunk.constData(), got);
    }
    const Descriptor fd(openWithoutWaiting(path, O_WRONLY));
    if (fd.get() < 0) {
        return systemError(errno);
    }
    const auto put = [&fd](const QByteArray& content) -> int {
        qsizetype done = 0;
        while (done < content.size()) {
            const qint64 wrote = platform::writeAt(fd.get(), content.constData() + done,
                                                   content.size() - done, done);
            if (wrote <= 0) {
                return wrote < 0 ? errno : EIO;
            }
            done += wrote;
        }
        if (!platform::truncateTo(fd.get(), content.size())) {
            return errno;
        }
        return platform::flushToDisk(fd.get()) ? 0 : errno;
    };
    if (const int error = put(bytes)) {
        put(oldBytes);
        return systemError(error);
    }
    return std::nullopt;
}

// `old` is the file being replaced, or -1 when there is none. Sets
// `inPlaceInstead` when a rename can't keep the old file's owner, group and
// mode, or there is no room for a new file beside it.
std::optional<FileError> replaceAtomically(const QString& path, Descriptor& old,
                                           const QByteArray& bytes, bool& inPlaceInstead) {
    const int oldFd = old.get();
    inPlaceInstead = false;
    QSaveFile file(path);
    if (auto error = openForReplace(file)) {
        inPlaceInstead = oldFd >= 0;
        return inPlaceInstead ? std::nullopt : error;
    }
    if (oldFd >= 0 && !takeOverOwnership(file, oldFd)) {
        inPlaceInstead = true;
        file.cancelWriting();
        return std::nullopt;
    }
    if (auto error = writeAll(file, bytes.constData(), bytes.size())) {
        file.cancelWriting();
        return error;
    }
    old.close();
    return commit(file);
}

}  // namespace

std::optional<FileError> replaceFileContent(const QString& path, const QByteArray& bytes) {
    Descriptor old(openWithoutWaiting(path, O_RDONLY));
    bool inPlaceInstead = false;
    if (old.get() < 0) {
        if (errno != ENOENT) {
            return systemError(errno);
        }
        return replaceAtomically(path, old, bytes, inPlaceInstead);
    }
    platform::FileFacts info;
    if (!platform::fileFacts(old.get(), info)) {
        return systemError(errno);
    }
    if (info.kind == platform::FileFacts::Kind::Folder) {
        return systemError(EISDIR);
    }
    if (info.kind != platform::FileFacts::Kind::Regular) {
        return FileError{EINVAL, notRegularFileReason(info)};
    }
    // A rename would split a hard link off with the old content, or give the
    // file to whoever writes it.
    if (info.links == 1) {
        const std::optional<FileError> error = replaceAtomically(path, old, bytes, inPlaceInstead);
        if (!inPlaceInstead) {
            return error;
        }
    }
    return rewriteInPlace(old.get(), path, bytes);
}

}  // namespace vtl
