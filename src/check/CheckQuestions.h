#pragma once

#include <QString>

#include "check/NameCheck.h"
#include "desktop/Desktop.h"

namespace vtl {

inline const QString kNameCheckTitle = QStringLiteral("Name Check");

// Before Save Name or Quick save writes a line that breaks in every engine of
// the game: says what the games will do and asks (No is the default).
// True when the line may be written; other findings never block a write.
bool confirmLineWrite(Desktop& desktop, const CheckReport& report);

// Before Quick save makes the config larger than an engine reads: names the
// engines that will ignore the whole file and those that still read it.
// True when the append may go ahead.
bool confirmConfigSize(Desktop& desktop, GameMode mode, const QString& path, qint64 newSize);

}  // namespace vtl
