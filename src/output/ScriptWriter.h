#pragma once

#include <QByteArray>
#include <QString>

#include "core/FileWrite.h"
#include "core/WindowState.h"
#include "modes/CharTables.h"

namespace vtl {

// The tag a writer may add after the console line: this marker and the
// version. The marker has a blank after the slashes, unlike the one the modes
// put into LineSuffix.
inline constexpr char kScriptTrailerMarker[] = " // VTL G2 ";

inline QByteArray scriptTrailer() {
    return QByteArray(kScriptTrailerMarker) + kVersion;
}

// LinePrefix + NameText + LineSuffix + trailer, in Windows-1252 bytes.
QByteArray ComposeScriptLine(const WindowState& state, const QByteArray& trailer);

// The one writer of script files. The file becomes its old bytes, CR LF, the
// ScriptLine (with trailerIfFound when the file existed, else
// trailerIfCreated), CR LF. The old content is never examined, and a failure
// leaves the file exactly as it was.
AppendResult AppendScriptLine(const QString& path, const QByteArray& trailerIfFound,
                              const QByteArray& trailerIfCreated, const WindowState& state);

// The size the file would have after AppendScriptLine with these arguments.
qint64 sizeAfterAppend(const QString& path, const QByteArray& trailerIfFound,
                       const QByteArray& trailerIfCreated, const WindowState& state);

// What the user is told when AppendScriptLine failed: the file and the reason.
QString appendFailureText(const QString& path, const AppendResult& result);

}  // namespace vtl
