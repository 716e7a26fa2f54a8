#pragma once

#include <QString>

namespace vtl {

using namespace Qt::StringLiterals;

// The program's settings file, vtl.ini beside the executable, and the names
// in it. The path is built by plain concatenation, as it always has been.
inline const QString kSettingsSection = u"Vantorel"_s;
inline const QString kFirstRunKey = u"first"_s;
inline const QString kQ3FolderKey = u"q3config"_s;
inline const QString kQ1FolderKey = u"q1config"_s;
// The game folders whose own charsets are in use, one key per game, in a
// section of their own so the keys above keep their bytes.
inline const QString kCharsetSection = u"Charsets"_s;

inline QString settingsFileIn(const QString& appDir) {
    return appDir + QStringLiteral("/vtl.ini");
}

}  // namespace vtl
