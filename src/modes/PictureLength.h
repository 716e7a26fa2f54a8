#pragma once

#include <QString>

#include <QByteArray>
#include <QIODevice>

#include <optional>

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kCutShortReason = u"the file ends before the picture does"_s;

// Qt's decoders fill the missing part of a cut-short BMP, GIF or JPEG with
// grey and call it a success; a glyph sheet read that way would offer half a
// character set. So this finds where the picture ends, from the start of the
// device: nothing when the device ends first; the whole device for a format
// this can't judge. Only the bytes the format's structure leads to are read,
// so whatever follows the picture costs neither time nor memory.
std::optional<qint64> pictureLength(QIODevice& device);
bool pictureIsComplete(const QByteArray& data);

}  // namespace vtl
