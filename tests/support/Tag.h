#pragma once

#include <QByteArray>
#include <QString>

#include "core/Version.h"

namespace vtl::test {

// What follows a name line this program writes, and the trailer of Save
// Name's lines, for the version being built.
inline const QByteArray kTag = QByteArray(" //VTL G2 ") + kVersion;
inline const QString kTagText = QString::fromLatin1(kTag);
inline const QByteArray kTrailer = QByteArray(" // VTL G2 ") + kVersion;

}  // namespace vtl::test
