#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace vtl {

// Said after a failed write: the writer leaves the file as it was.
inline const QString kFileUnchangedText = QStringLiteral("The file was not changed.");

// Why a file operation failed, as the system put it.
struct FileError {
    int number = 0;  // the errno value
    QString reason;  // its description
};

struct AppendResult {
    enum class Kind {
        Appended,       // the file existed; its content is kept in front of the new bytes
        Created,        // the file did not exist and was created
        CouldNotRead,   // the file exists but could not be read; it is untouched
        CouldNotWrite,  // the new content could not be written; the file is untouched
    };
    Kind kind = Kind::Created;
    FileError error;  // for the two failures

    bool succeeded() const { return kind == Kind::Appended || kind == Kind::Created; }
};

// Rewrites the file as its old bytes, unchanged, followed by
// makeTail(fileExisted), in one atomic replace (QSaveFile): either all of it
// is in place, or the file is exactly as it was. A missing file is created;
// its folder must exist. A symbolic link stays a link; its target changes.
AppendResult appendToFile(const QString& path,
                          const std::function<QByteArray(bool fileExisted)>& makeTail);

// Call once at start-up, before anything is written: past a file-size limit
// (ulimit -f) the kernel would otherwise kill the program with SIGXFSZ instead
// of failing the write with EFBIG, and the name being composed would be lost.
void ignoreFileSizeSignal();

// Replaces the file's content by `bytes` by the same rule: atomically when
// that keeps the file's owner, group, mode and links; otherwise in place,
// with the old content written back should the write fail. Where the atomic
// replace can't even start (no room beside the file) the error is reported.
std::optional<FileError> replaceFileContent(const QString& path, const QByteArray& bytes);

}  // namespace vtl
