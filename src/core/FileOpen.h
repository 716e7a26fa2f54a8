#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <utility>

#include <sys/types.h>

#include "platform/Platform.h"

namespace vtl {

using namespace Qt::StringLiterals;

// Opens a file without ever waiting: a FIFO or device in its place must not
// hang the program. Retries when a signal interrupts; -1 and errno on failure.
// `flags` is O_RDONLY or O_WRONLY.
int openWithoutWaiting(const QString& path, int flags);
int openWithoutWaiting(const QByteArray& nativePath, int flags);

// Why something that is not a regular file can't be read or written as one.
QString notRegularFileReason(const platform::FileFacts& facts);
#ifndef _WIN32
QString notRegularFileReason(mode_t mode);
#endif

// Why a file someone handed us could not be read: the file as messages name
// it (with the archive entry after it where there is one) and the reason, as
// the system or the format put it. Every reader of a user's file reports
// this way; "nothing, and no problem" means the thing looked for is not there.
struct ReadProblem {
    QString file;
    QString reason;
    int systemError = 0;  // the errno value, where the system gave the reason

    bool isSet() const { return !reason.isEmpty(); }
};

// What a reader accepts in place of a file.
enum class FileKind {
    // The window: a regular file only, opened without waiting, so that a FIFO
    // or device can never freeze it.
    Regular,
    // The command line: pipes, terminals and FIFOs too (read to their end, as
    // any command-line tool does); "-" is the standard input.
    Stream,
};

// The one way a user's file is opened for reading: the file's own bytes as
// the path (never re-encoded), checked on the open descriptor so nothing can
// be swapped in between. On failure `file` stays closed and `problem` says
// why, naming `shownName`.
bool openUserFile(QFile& file, const QByteArray& nativePath, const QString& shownName,
                  ReadProblem& problem, FileKind kind = FileKind::Regular);
bool openUserFile(QFile& file, const QString& path, ReadProblem& problem,
                  FileKind kind = FileKind::Regular);

// The reason the system gives for an errno value.
QString systemReason(int errorNumber);

// Folders whose names the program's paths cannot carry. Paths are text; a
// POSIX name is bytes, and one that is not UTF-8 has no text naming it: a
// folder dialog gives it with U+FFFD where the bytes were, and the settings
// file reads such bytes as Windows-1252, another name. Such a folder is
// refused with this message (naming it and saying why) rather than a
// look-alike path being read or written.
inline const QString kUnusableFolderText =
    u"The folder \"%1\" cannot be used: its name is not valid UTF-8 text, and this program "
    u"can reach only folders whose names are. Rename the folder and choose it again."_s;

// A folder as the settings file remembers it: `folder` to use (empty when
// none), or, when the stored bytes name a folder the program cannot reach,
// `unusable` naming it (bytes that are not UTF-8 shown as \xNN).
struct RememberedFolder {
    RememberedFolder(QString usable = {}) : folder(std::move(usable)) {}  // NOLINT: a plain folder
    QString folder;
    QString unusable;
};

// The remembered folder for the stored bytes `stored` and their reading
// `decoded`: unusable when the bytes are not UTF-8 and name a folder while
// their reading names nothing.
RememberedFolder rememberedFolder(const QByteArray& stored, const QString& decoded);

// True for what a folder dialog returns for a folder of such a name.
bool isUnusableFolderName(const QString& chosen);

}  // namespace vtl
