#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vtl {

// Why a file operation failed, as the system put it.
struct FileError {
    int number = 0;  // the errno value
    QString reason;  // its description
};

// The whole content of a file, read with room for `reserveExtra` more bytes
// so that the caller can append without the content being copied again.
struct FileContent {
    enum class Status { Read, Missing, Failed } status = Status::Missing;
    QByteArray bytes;
    FileError error;  // when Failed
};
FileContent readWholeFile(const QString& path, qsizetype reserveExtra);

// Replaces the file's content by `bytes` in one atomic step (QSaveFile):
// either the new content is in place in full, or the file is as it was.
// A symbolic link stays a link; its target gets the content.
std::optional<FileError> replaceFileContent(const QString& path, const QByteArray& bytes);

}  // namespace vtl
