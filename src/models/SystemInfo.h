#pragma once

#include <QString>
#include <QStringList>

#include "desktop/Desktop.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kSysInfoUnavailable = u"System Information Is Unavailable At This Time"_s;

// This platform's system-information program, looked up on the PATH:
// msinfo32 on Windows, elsewhere the first of a few well-known tools. Empty
// when there is none.
QString locateSystemInfo(Desktop& desktop);

// The tools tried on the PATH, best first.
QStringList systemInfoCandidates();

// The About box's "System Info...": starts the program, or says it can't.
void startSystemInfo(Desktop& desktop);

}  // namespace vtl
