#pragma once

#include <QString>
#include <QStringList>

#include "desktop/Desktop.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kSysInfoUnavailable = u"System Information Is Unavailable At This Time"_s;

// Where this platform keeps its system-information program. Windows names
// it in the registry; elsewhere one of a few well-known tools is looked up
// on the PATH. Empty when there is none.
QString locateSystemInfo(Desktop& desktop);

// The tools tried on the PATH, best first.
QStringList systemInfoCandidates();

// The About box's "System Info...": starts the program, or says it can't.
void startSystemInfo(Desktop& desktop);

}  // namespace vtl
