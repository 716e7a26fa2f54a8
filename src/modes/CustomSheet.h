#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace vtl {

inline constexpr char16_t kCutShortReason[] = u"the file ends before the picture does";

// Qt's decoders fill the missing part of a cut-short BMP, GIF or JPEG with
// grey and call it a success; a glyph sheet read that way would offer half a
// character set. True when `data` holds the whole picture (or is a format
// this can't judge).
bool pictureIsComplete(const QByteArray& data);

// Reads the user's own glyph sheet: any size, but it must be a whole picture.
std::optional<QImage> readCustomSheet(const QString& path, QString& reason);

}  // namespace vtl
