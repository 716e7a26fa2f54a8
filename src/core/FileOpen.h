#pragma once

#include <QString>

#include <sys/types.h>

#include "platform/Platform.h"

namespace vtl {

// Opens a file without ever waiting: a FIFO or device in its place must not
// hang the program. Retries when a signal interrupts; -1 and errno on failure.
// `flags` is O_RDONLY or O_WRONLY.
int openWithoutWaiting(const QString& path, int flags);

// Why something that is not a regular file can't be read or written as one.
QString notRegularFileReason(const platform::FileFacts& facts);
#ifndef _WIN32
QString notRegularFileReason(mode_t mode);
#endif

}  // namespace vtl
