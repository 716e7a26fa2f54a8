#pragma once

#include <QString>

#include <sys/types.h>

namespace vtl {

// Opens a file without ever waiting: a FIFO or device in its place must not
// hang the program. Retries when a signal interrupts; -1 and errno on failure.
int openWithoutWaiting(const QString& path, int flags);

// Why something that is not a regular file can't be read or written as one.
QString notRegularFileReason(mode_t mode);

}  // namespace vtl
