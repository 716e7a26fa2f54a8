#pragma once

#include <QImage>
#include <QString>

#include <optional>

#include "core/FileOpen.h"
#include "desktop/Desktop.h"
#include "sheets/SheetList.h"

namespace vtl {

// Reads a GIF, JPEG or BMP picture as 32-bit RGB: a regular file holding a
// whole picture of at most 2048 x 2048 pixels. On failure returns nothing and
// says why in `problem`.
std::optional<QImage> readPicture(const QString& path, ReadProblem& problem);

// The message that names a picture file that could not be read, and why.
QString unreadablePictureMessage(const QString& path, const QString& reason);

// Where a built-in sheet lies under the application folder.
QString builtInSheetPath(const QString& appDir, BuiltInSheet sheet);

// A built-in sheet: when it is missing or broken the user is told, and the
// program carries on with a black sheet rather than stopping.
QImage loadSheetOrBlank(const QString& path, Desktop& desktop);

}  // namespace vtl
