#include "output/ScriptWriter.h"

#include "name/NameEditing.h"

namespace vtl {
namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr qsizetype kLineEndSize = 2;

// Generous room for the line: LinePrefix, LineSuffix and the trailer are
// short, and each of the 25 fragments is at most a colour code and a few bytes.
constexpr qsizetype kLineRoom = 1024;

constexpr char16_t kCouldNotReadText[] = u"Could not read %1 to add the name to it: %2";
constexpr char16_t kCouldNotWriteText[] = u"Could not save the name to %1: %2";
constexpr char16_t kFileUnchangedText[] = u"The file was not changed.";

}  // namespace

QByteArray ComposeScriptLine(const WindowState& state, const QByteArray& trailer) {
    return composeCommandLine(state) + trailer;
}

AppendResult AppendScriptLine(const QString& path, const QByteArray& trailerIfFound,
                              const QByteArray& trailerIfCreated, const WindowState& state) {
    AppendResult result;
    FileContent old = readWholeFile(path, kLineRoom);
    switch (old.status) {
        case FileContent::Status::Failed:
            result.kind = AppendResult::Kind::CouldNotRead;
            result.error = old.error;
            return result;
        case FileContent::Status::Read:
            result.kind = AppendResult::Kind::Appended;
            break;
        case FileContent::Status::Missing:
            result.kind = AppendResult::Kind::Created;
            break;
    }

    const QByteArray line = ComposeScriptLine(
        state, result.kind == AppendResult::Kind::Appended ? trailerIfFound : trailerIfCreated);
    // Appended in place: the old content was read with room to spare.
    QByteArray& content = old.bytes;
    content.append(kLineEnd, kLineEndSize);
    content.append(line);
    content.append(kLineEnd, kLineEndSize);

    if (const auto error = replaceFileContent(path, content)) {
        result.kind = AppendResult::Kind::CouldNotWrite;
        result.error = *error;
    }
    return result;
}

QString appendFailureText(const QString& path, const AppendResult& result) {
    const char16_t* what =
        result.kind == AppendResult::Kind::CouldNotRead ? kCouldNotReadText : kCouldNotWriteText;
    return QString::fromUtf16(what).arg(path, result.error.reason) + u'\r' +
           QString::fromUtf16(kFileUnchangedText);
}

}  // namespace vtl
