#include "ini/Ini.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <optional>
#include <string_view>

#include "core/Cp1252.h"
#include "core/FileOpen.h"
#include "core/FileWrite.h"

namespace vtl {

using namespace Qt::StringLiterals;
namespace {

// A UTF-8 mark that an editor put in front is kept but not part of the first line.
constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Lines this module adds always end the Windows way, whatever the file uses.
constexpr std::string_view kLineBreak = "\r\n";

// The profile functions count CR and ^Z (the old DOS end-of-file mark) as
// blanks besides the usual ones.
bool isProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

bool isProfileBlank(QChar c) {
    return c.unicode() < 0x80 && isProfileBlank(static_cast<char>(c.unicode()));
}

// Byte offsets [begin, end) into the file.
struct Span {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype size() const { return end - begin; }
};

Span trimmed(std::string_view text, Span s) {
    while (s.begin < s.end && isProfileBlank(text[s.begin])) {
        ++s.begin;
    }
    while (s.end > s.begin && isProfileBlank(text[s.end - 1])) {
        --s.end;
    }
    return s;
}

QString trimmed(const QString& name) {
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && isProfileBlank(name[begin])) {
        ++begin;
    }
    while (end > begin && isProfileBlank(name[end - 1])) {
        --end;
    }
    return name.sliced(begin, end - begin);
}

// A name as it ends up in the file: trimmed, and with characters outside
// Windows-1252 already turned into '?', so a later lookup finds what was stored.
QString profileName(const QString& name) {
    return decodeCp1252(encodeCp1252(trimmed(name)));
}

enum class LineKind { Other, Header, Key };

struct Line {
    qsizetype begin = 0;
    // Where the line's CR LF or LF starts; equal to end on a last line without one.
    qsizetype contentEnd = 0;
    qsizetype end = 0;
    LineKind kind = LineKind::Other;
    // The section name of a header, the key name of a key line.
    Span name;
    Span value;
};

// Searches are bounded by the line so that a huge file of odd lines stays linear.
qsizetype findInLine(std::string_view text, Span s, char c) {
    const auto at = text.substr(s.begin, s.size()).find(c);
    return at == std::string_view::npos ? -1 : s.begin + static_cast<qsizetype>(at);
}

qsizetype findLastInLine(std::string_view text, Span s, char c) {
    const auto at = text.substr(s.begin, s.size()).rfind(c);
    return at == std::string_view::npos ? -1 : s.begin + static_cast<qsizetype>(at);
}

Line parseLine(std::string_view text, qsizetype begin) {
    Line line;
    line.begin = begin;
    // CR LF, LF, or a CR alone (as old Mac editors write) ends a line.
    const auto lineEnd = text.find_first_of("\r\n", static_cast<size_t>(begin));
    if (lineEnd == std::string_view::npos) {
        line.contentEnd = line.end = static_cast<qsizetype>(text.size());
    } else {
        const auto at = static_cast<qsizetype>(lineEnd);
        line.contentEnd = at;
        line.end = text.substr(lineEnd).starts_with(kLineBreak) ? at + 2 : at + 1;
    }

    const Span content = trimmed(text, {begin, line.contentEnd});
    if (content.size() == 0 || text[content.begin] == ';') {
        return line;
    }
    if (text[content.begin] == '[') {
        // Like Windows, the name runs to the last ']' and anything after it is ignored.
        const qsizetype close = findLastInLine(text, content, ']');
        if (close > content.begin) {
            line.kind = LineKind::Header;
            line.name = {content.begin + 1, close};
            return line;
        }
    }
    const qsizetype equals = findInLine(text, content, '=');
    if (equals >= 0) {
        line.kind = LineKind::Key;
        line.name = trimmed(text, {content.begin, equals});
        line.value = trimmed(text, {equals + 1, content.end});
    }
    return line;
}

bool sameName(std::string_view text, Span name, const QString& wanted) {
    // Windows-1252 has one character per byte, so differing lengths never match.
    if (name.size() != wanted.size()) {
        return false;
    }
    const QByteArray bytes(text.data() + name.begin, name.size());
    return decodeCp1252(bytes).compare(wanted, Qt::CaseInsensitive) == 0;
}

struct Lookup {
    bool sectionFound = false;
    bool keyFound = false;
    Line keyLine;
    // Where a missing key goes: after the section's last key line, or after its
    // header when it has none, so trailing blank lines and comments that lead
    // into the next section stay where they are.
    qsizetype insertAt = 0;
    bool insertNeedsLineBreak = false;
};

qsizetype contentStart(std::string_view text) {
    return text.starts_with(kBom) ? static_cast<qsizetype>(kBom.size()) : 0;
}

Lookup find(std::string_view text, const QString& section, const QString& key) {
    Lookup found;
    const auto size = static_cast<qsizetype>(text.size());
    bool inSection = false;
    for (qsizetype pos = contentStart(text); pos < size;) {
        const Line line = parseLine(text, pos);
        pos = line.end;
        if (line.kind == LineKind::Header) {
            if (inSection) {
                break;  // only the first matching section counts
            }
            inSection = sameName(text, line.name, section);
        } else if (line.kind != LineKind::Key || !inSection) {
            continue;
        } else if (sameName(text, line.name, key)) {
            found.keyFound = true;
            found.keyLine = line;
            return found;
        }
        if (inSection) {
            found.sectionFound = true;
            found.insertAt = line.end;
            found.insertNeedsLineBreak = line.end == line.contentEnd;
        }
    }
    return found;
}

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

QByteArray bytesOf(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray newContent(const QByteArray& old, const QString& section, const QString& key,
                      const QByteArray& value) {
    const std::string_view text = view(old);
    const Lookup found = find(text, section, key);
    if (found.keyFound) {
        // Windows writes the changed entry back as name=value with the key
        // spelled as it already was in the file; indentation and blanks around
        // '=' on that line go, every other line stays as it was.
        const Line& line = found.keyLine;
        return old.first(line.begin) + old.sliced(line.name.begin, line.name.size()) + '=' + value +
               old.sliced(line.contentEnd);
    }

    const QByteArray entry = encodeCp1252(key) + '=' + value + bytesOf(kLineBreak);
    QByteArray result = old;
    if (found.sectionFound) {
        result.insert(found.insertAt,
                      found.insertNeedsLineBreak ? bytesOf(kLineBreak) + entry : entry);
        return result;
    }
    if (result.size() > contentStart(text) && !result.endsWith('\n') && !result.endsWith('\r')) {
        result += bytesOf(kLineBreak);
    }
    result += '[' + encodeCp1252(section) + ']' + bytesOf(kLineBreak) + entry;
    return result;
}

// Folder values hold whatever a file system names a folder by, and most
// names (micha\u0142, \u30E6\u30FC\u30B6\u30FC) have no Windows-1252 form. So a folder value
// is read as UTF-8 when its bytes are valid UTF-8, and as Windows-1252
// otherwise. It is written as Windows-1252 when that holds it exactly and
// would not read back as UTF-8, and as UTF-8 otherwise: every value reads
// back as written, the values older versions wrote (Windows-1252) read as
// they always did, and ASCII paths are the same bytes either way. Only
// Windows-1252 text that happens to be valid UTF-8 ("\u00C3\u00A9") would read
// differently, and no older version could name such a folder usefully.
bool isUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    [[maybe_unused]] const QString text = decoder(bytes);
    return !decoder.hasError();
}

QByteArray encodeValue(const QString& value, IniText kind) {
    const QByteArray cp1252 = encodeCp1252(value);
    if (kind == IniText::Cp1252) {
        return cp1252;
    }
    const bool exact = decodeCp1252(cp1252) == value;
    const bool readsAsUtf8 = isUtf8(cp1252) && QString::fromUtf8(cp1252) != value;
    return exact && !readsAsUtf8 ? cp1252 : value.toUtf8();
}

QString decodeValue(const QByteArray& bytes, IniText kind) {
    return kind == IniText::FileName && isUtf8(bytes) ? QString::fromUtf8(bytes)
                                                      : decodeCp1252(bytes);
}

bool hasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0));
}

// Why the name or value can't be stored, or the empty text when it can.
QString refusal(const QString& section, const QString& key, const QString& value) {
    if (hasLineBreak(section)) {
        return QStringLiteral("the section name contains a line break or NUL");
    }
    if (hasLineBreak(key)) {
        return QStringLiteral("the key name contains a line break or NUL");
    }
    if (hasLineBreak(value)) {
        return QStringLiteral("the value contains a line break or NUL");
    }
    if (section.isEmpty()) {
        return QStringLiteral("the section name is empty");
    }
    if (key.isEmpty()) {
        return QStringLiteral("the key name is empty");
    }
    // Such a key would read back as a different key, a comment or a header.
    if (key.contains(u'=') || key.startsWith(u';') || key.startsWith(u'[')) {
        return QStringLiteral("the key name \"%1\" cannot be stored in a profile file").arg(key);
    }
    return {};
}

const QString kUtf16Problem = u"it is UTF-16 text, and settings are 8-bit text"_s;
const QString kNulProblem = u"it holds NUL bytes, so it is not 8-bit text"_s;
const QString kTooLargeProblem = u"it is %1 MiB, far larger than a settings file"_s;
// The whole file is read at start-up; a settings file is a few hundred bytes.
constexpr qint64 kMaxProfileBytes = qint64{16} << 20;

struct ProfileFile {
    bool exists = false;
    QByteArray bytes;
    // Why the file can't be read or written as a settings file; empty when it can.
    QString problem;
};

// Opened without waiting (a FIFO in its place must not hang start-up) and
// checked on the open file.
ProfileFile readProfile(const QString& file) {
    ProfileFile result;
    QFile in;
    ReadProblem problem;
    result.exists = true;
    if (!openUserFile(in, file, problem)) {
        result.exists = problem.systemError != ENOENT;
        if (result.exists) {
            result.problem = problem.reason;
        }
        return result;
    }
    if (in.size() > kMaxProfileBytes) {
        result.problem = kTooLargeProblem.arg(in.size() >> 20);
        return result;
    }
    result.bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        result.problem = in.errorString();
    } else if (result.bytes.startsWith("\xFF\xFE") || result.bytes.startsWith("\xFE\xFF")) {
        result.problem = kUtf16Problem;
    } else if (result.bytes.contains('\0')) {
        // UTF-16 without its mark, or not text at all: lines written into it
        // would be read by nothing.
        result.problem = kNulProblem;
    }
    return result;
}

}  // namespace

QString iniFileProblem(const QString& file) {
    return readProfile(file).problem;
}

namespace {

// The stored value's bytes, or nothing (see ReadIni).
std::optional<QByteArray> readValue(const QString& section, const QString& key,
                                    const QString& file) {
    const ProfileFile in = readProfile(file);
    if (!in.exists || !in.problem.isEmpty()) {
        return std::nullopt;
    }
    const QString sectionName = profileName(section);
    const QString keyName = profileName(key);
    // Windows never matches a nameless section; such names are never written either.
    if (sectionName.isEmpty() || keyName.isEmpty()) {
        return std::nullopt;
    }
    const QByteArray& bytes = in.bytes;
    const std::string_view text = view(bytes);
    const Lookup found = find(text, sectionName, keyName);
    if (!found.keyFound) {
        return std::nullopt;
    }
    Span value = found.keyLine.value;
    // One pair of matching quotes around the value is dropped, as Windows does.
    if (value.size() >= 2 && (text[value.begin] == '"' || text[value.begin] == '\'') &&
        text[value.end - 1] == text[value.begin]) {
        ++value.begin;
        --value.end;
    }
    return bytes.sliced(value.begin, value.size());
}

}  // namespace

QString ReadIni(const QString& section, const QString& key, const QString& file, IniText kind) {
    const std::optional<QByteArray> value = readValue(section, key, file);
    return value ? decodeValue(*value, kind) : QString();
}

RememberedFolder ReadIniFolder(const QString& section, const QString& key, const QString& file) {
    const std::optional<QByteArray> value = readValue(section, key, file);
    return value ? rememberedFolder(*value, decodeValue(*value, IniText::FileName))
                 : RememberedFolder();
}

bool WriteIni(const QString& section, const QString& key, const QString& value, const QString& file,
              QString* error, IniText kind) {
    return WriteIni(section, {IniEntry{key, value}}, file, error, kind);
}

bool WriteIni(const QString& section, const QList<IniEntry>& entries, const QString& file,
              QString* error, IniText kind) {
    const QString shownFile = QDir::toNativeSeparators(file);
    const auto fail = [&](const QString& reason) {
        if (error) {
            *error = reason;
        }
        return false;
    };

    // Every entry is checked before anything is written: all of them are
    // stored, or none.
    const QString sectionName = profileName(section);
    for (const IniEntry& entry : entries) {
        const QString keyName = profileName(entry.key);
        const QString refused = refusal(sectionName, keyName, entry.value);
        if (!refused.isEmpty()) {
            return fail(QStringLiteral("Cannot save [%1] %2 to %3: %4.")
                            .arg(sectionName, keyName, shownFile, refused));
        }
    }

    // A file that exists but can't be read must not be replaced by one that
    // holds only these settings, nor get 8-bit lines in a file of another kind.
    const ProfileFile in = readProfile(file);
    if (!in.problem.isEmpty()) {
        return fail(QStringLiteral("Cannot read %1: %2").arg(shownFile, in.problem));
    }

    QByteArray updated = in.bytes;
    for (const IniEntry& entry : entries) {
        updated = newContent(updated, sectionName, profileName(entry.key),
                             encodeValue(entry.value, kind));
    }
    if (in.exists && updated == in.bytes) {
        return true;
    }

    // The one writer: a failed write leaves the old settings intact, and the
    // file keeps its links, owner, group and mode.
    if (const std::optional<FileError> written = replaceFileContent(file, updated)) {
        return fail(QStringLiteral("Cannot write %1: %2").arg(shownFile, written->reason));
    }
    return true;
}

}  // namespace vtl
