#include "ini/Ini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <string_view>

#include "core/Cp1252.h"

namespace vtl {
namespace {

// A UTF-8 mark that an editor put in front is kept but not part of the first line.
constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Lines this module adds always end the Windows way, whatever the file uses.
constexpr std::string_view kLineBreak = "\r\n";

// The profile functions count CR and ^Z (the old DOS end-of-file mark) as
// blanks besides the usual ones.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

bool isBlank(QChar c) {
    return c.unicode() < 0x80 && isBlank(static_cast<char>(c.unicode()));
}

// Byte offsets [begin, end) into the file.
struct Span {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype size() const { return end - begin; }
};

Span trimmed(std::string_view text, Span s) {
    while (s.begin < s.end && isBlank(text[s.begin])) {
        ++s.begin;
    }
    while (s.end > s.begin && isBlank(text[s.end - 1])) {
        --s.end;
    }
    return s;
}

QString trimmed(const QString& name) {
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && isBlank(name[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(name[end - 1])) {
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
    const auto newline = text.find('\n', static_cast<size_t>(begin));
    if (newline == std::string_view::npos) {
        line.contentEnd = line.end = static_cast<qsizetype>(text.size());
    } else {
        const auto nl = static_cast<qsizetype>(newline);
        line.end = nl + 1;
        line.contentEnd = nl > begin && text[nl - 1] == '\r' ? nl - 1 : nl;
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
    if (result.size() > contentStart(text) && !result.endsWith('\n')) {
        result += bytesOf(kLineBreak);
    }
    result += '[' + encodeCp1252(section) + ']' + bytesOf(kLineBreak) + entry;
    return result;
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

}  // namespace

QString ReadIni(const QString& section, const QString& key, const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString sectionName = profileName(section);
    const QString keyName = profileName(key);
    // Windows never matches a nameless section; such names are never written either.
    if (sectionName.isEmpty() || keyName.isEmpty()) {
        return {};
    }
    const QByteArray bytes = in.readAll();
    const std::string_view text = view(bytes);
    const Lookup found = find(text, sectionName, keyName);
    if (!found.keyFound) {
        return {};
    }
    Span value = found.keyLine.value;
    // One pair of matching quotes around the value is dropped, as Windows does.
    if (value.size() >= 2 && (text[value.begin] == '"' || text[value.begin] == '\'') &&
        text[value.end - 1] == text[value.begin]) {
        ++value.begin;
        --value.end;
    }
    return decodeCp1252(bytes.sliced(value.begin, value.size()));
}

bool WriteIni(const QString& section, const QString& key, const QString& value, const QString& file,
              QString* error) {
    const QString shownFile = QDir::toNativeSeparators(file);
    const auto fail = [&](const QString& reason) {
        if (error) {
            *error = reason;
        }
        return false;
    };

    const QString sectionName = profileName(section);
    const QString keyName = profileName(key);
    const QString refused = refusal(sectionName, keyName, value);
    if (!refused.isEmpty()) {
        return fail(QStringLiteral("Cannot save [%1] %2 to %3: %4.")
                        .arg(sectionName, keyName, shownFile, refused));
    }

    // A file that exists but can't be read must not be replaced by one that
    // holds only this setting.
    QByteArray old;
    const bool existed = QFileInfo::exists(file);
    if (existed) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly)) {
            return fail(QStringLiteral("Cannot read %1: %2").arg(shownFile, in.errorString()));
        }
        old = in.readAll();
        if (in.error() != QFileDevice::NoError) {
            return fail(QStringLiteral("Cannot read %1: %2").arg(shownFile, in.errorString()));
        }
    }

    const QByteArray updated = newContent(old, sectionName, keyName, encodeCp1252(value));
    if (existed && updated == old) {
        return true;
    }

    // QSaveFile writes beside the file and renames over it, so a failed write
    // leaves the old settings intact.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(updated) != updated.size() || !out.commit()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return fail(QStringLiteral("Cannot write %1: %2").arg(shownFile, reason));
    }
    return true;
}

}  // namespace vtl
