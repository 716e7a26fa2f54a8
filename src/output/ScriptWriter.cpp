#include "output/ScriptWriter.h"

#include <QFileInfo>

#include "core/NameEditing.h"

namespace vtl {
namespace {

constexpr char kLineEnd[] = "\r\n";

constexpr char16_t kCouldNotReadText[] = u"Could not read %1 to add the name to it: %2";
constexpr char16_t kCouldNotWriteText[] = u"Could not save the name to %1: %2";

}  // namespace

QByteArray ComposeScriptLine(const WindowState& state, const QByteArray& trailer) {
    return composeCommandLine(state) + trailer;
}

AppendResult AppendScriptLine(const QString& path, const QByteArray& trailerIfFound,
                              const QByteArray& trailerIfCreated, const WindowState& state) {
    return appendToFile(path, [&](bool fileExisted) -> QByteArray {
        // NameText is taken once the old content has been read.
        const QByteArray line =
            ComposeScriptLine(state, fileExisted ? trailerIfFound : trailerIfCreated);
        return kLineEnd + line + kLineEnd;
    });
}

qint64 sizeAfterAppend(const QString& path, const QByteArray& trailerIfFound,
                       const QByteArray& trailerIfCreated, const WindowState& state) {
    const QFileInfo file(path);
    const bool exists = file.exists();
    const QByteArray line = ComposeScriptLine(state, exists ? trailerIfFound : trailerIfCreated);
    return (exists ? file.size() : 0) + 2 * qsizetype(sizeof(kLineEnd) - 1) + line.size();
}

QString appendFailureText(const QString& path, const AppendResult& result) {
    const char16_t* what =
        result.kind == AppendResult::Kind::CouldNotRead ? kCouldNotReadText : kCouldNotWriteText;
    return QString::fromUtf16(what).arg(path, result.error.reason) + u'\r' + kFileUnchangedText;
}

}  // namespace vtl
