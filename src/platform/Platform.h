#pragma once

// The one place where the program talks to the operating system directly:
// everything here has a POSIX side (PlatformPosix.cpp) and a Windows side
// (PlatformWindows.cpp); the rest of the program calls only these.
//
// Files are C runtime descriptors on both sides (on Windows one wraps the
// file's handle), so QFile can take them over. Failures return -1 or false
// and leave the reason in errno, as POSIX does; the Windows side translates
// its error codes, so messages read the same everywhere.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vtl::platform {

// Opens a file without ever waiting: a FIFO or device in its place must not
// hang the program. `flags` is O_RDONLY or O_WRONLY from <fcntl.h>; never
// creates. A folder opens too (read-only), so callers can say what it is.
int openWithoutWaiting(const QString& path, int flags);
// The same with the path as the file system's own bytes (never re-encoded,
// so a name that is not valid UTF-8 still opens on POSIX).
int openWithoutWaiting(const QByteArray& nativePath, int flags);
// Opens for reading and waits as a command-line tool does (a FIFO's writer).
int openForReadingWaiting(const QByteArray& nativePath);
// A new descriptor for the standard input.
int duplicateStandardInput();
// Reads of the descriptor may wait again (after openWithoutWaiting).
void allowWaiting(int fd);

void closeFile(int fd);

// Around a call that reports failure without a number (Qt's file classes):
// clearLastError() before it, lastError() after it gives the errno value for
// the failure, or 0. On Windows the system's own error code is translated,
// since its file calls leave errno alone.
void clearLastError();
int lastError();

struct FileFacts {
    enum class Kind { Regular, Folder, Other };
    Kind kind = Kind::Other;
    qint64 size = 0;
    qint64 links = 1;  // hard links: names the same content has
};
bool fileFacts(int fd, FileFacts& facts);

// Reads at the current position; 0 at the end.
qint64 readSome(int fd, char* data, qint64 size);
// Writes at `offset` without moving the position; what was written.
qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset);
bool truncateTo(int fd, qint64 length);
bool flushToDisk(int fd);

// Gives a newly written file (`newFd`, open for writing) the owner, group and
// permissions of the file it will replace (`oldFd`): on POSIX owner, group and
// mode, on Windows owner, group and access control list. False when that isn't
// allowed: the replace would then change who may use the file.
bool takeOverOwnership(int newFd, int oldFd);

// Whether the current user may write `path` (a file or a folder), asked with
// the identity the write will run under.
bool mayWrite(const QString& path);

// Where a user's own settings folder goes: $XDG_CONFIG_HOME (~/.config) on
// POSIX, %APPDATA% on Windows.
QString userConfigHome();

// Call once at start-up, before anything is written: past a file-size limit
// (ulimit -f) a POSIX kernel would otherwise kill the program with SIGXFSZ
// instead of failing the write with EFBIG. Nothing to do on Windows.
void ignoreFileSizeSignal();

// For a command-line run of the windowed program (vantorel.exe --check typed
// at a Windows prompt): output goes to the prompt's console when the program
// has nowhere else to write it. Nothing to do on POSIX.
void useParentConsole();

// The most memory the process has held at once, in bytes.
qint64 peakMemoryBytes();

}  // namespace vtl::platform
