#include "reading/NameImport.h"

#include <QBuffer>
#include <QHash>

#include <deque>

#include "core/Cp1252.h"
#include "core/LineReader.h"
#include "modes/CharTables.h"
#include "modes/ColourList.h"

namespace vtl {

using namespace Qt::StringLiterals;
namespace {

const QString kNoNameLineText = u"No name line (name \"…\" or seta name \"…\") was found in "_s;
const QString kBadBytesText =
    u"The name was not loaded: no glyph of this mode writes these bytes: "_s;
const QString kTooLongText =
    u"The name is longer than 25 glyphs: the first 25 were loaded, %1 more left out."_s;

// The consoles split words at any byte up to the space.
bool splitsWords(char c) {
    return static_cast<unsigned char>(c) <= ' ' && c != '\0';
}

qsizetype skipBlanks(const QByteArray& line, qsizetype i) {
    while (i < line.size() && splitsWords(line[i])) {
        ++i;
    }
    return i;
}

// The word at i, case-insensitive, followed by a blank; returns the index after it.
std::optional<qsizetype> word(const QByteArray& line, qsizetype i, QByteArrayView w) {
    const qsizetype end = i + w.size();
    if (end >= line.size() || !splitsWords(line[end]) ||
        QByteArrayView(line).sliced(i, w.size()).compare(w, Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    return end;
}

std::optional<QByteArray> nameOfLine(const QByteArray& line) {
    qsizetype i = skipBlanks(line, 0);
    if (const auto afterSeta = word(line, i, "seta")) {
        i = skipBlanks(line, *afterSeta);
    }
    // Xonotic stores the name in config.cfg as `"_cl_name" "…"`.
    std::optional<qsizetype> afterName = word(line, i, "name");
    for (const QByteArrayView clName : {"_cl_name", "\"_cl_name\""}) {
        if (!afterName) {
            afterName = word(line, i, clName);
        }
    }
    if (!afterName) {
        return std::nullopt;
    }
    i = skipBlanks(line, *afterName);
    if (i >= line.size()) {
        return std::nullopt;  // `name` alone only prints the current name
    }
    if (line[i] != '"') {
        qsizetype end = i;
        while (end < line.size() && !splitsWords(line[end]) && line[end] != ';' &&
               !QByteArrayView(line).sliced(end).startsWith("//")) {
            ++end;
        }
        return line.mid(i, end - i);
    }
    const qsizetype start = i + 1;
    // This program's own lines may hold a quote inside the name (codes 10, 34
    // and 162 of the byte table): their closing quote is the one before the
    // tag. Elsewhere the first quote closes the name, as in the consoles.
    const QByteArray tags[] = {QByteArray("\"") + kLineTag, QByteArray("\"u") + kLineTag};
    for (const QByteArray& tag : tags) {
        const qsizetype q = line.lastIndexOf(tag);
        if (q >= start && !line.mid(q + tag.size()).contains('"')) {
            return line.mid(start, q - start);
        }
    }
    const qsizetype first = line.indexOf('"', start);
    return first < 0 ? line.mid(start) : line.mid(start, first - start);
}

QString describeByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const QString text =
        QStringLiteral("0x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
    const bool shown = (byte > 0x20 && byte < 0x7F) || byte > 0xA0;
    return shown ? text + QStringLiteral(" (") + cp1252ToUnicode(byte) + u')' : text;
}

}  // namespace

NameLineScan scanNameLines(QIODevice& device) {
    NameLineScan scan;
    std::deque<NameLine> kept;
    LineReader reader(device);
    QByteArray line;
    while (reader.next(line)) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (const auto name = nameOfLine(line)) {
            if (kept.size() == static_cast<std::size_t>(kMaxListedNameLines)) {
                kept.pop_front();
                ++scan.earlierLeftOut;
            }
            kept.push_back(NameLine{reader.lineNumber(), line, *name});
        }
    }
    if (reader.failed()) {
        scan.error = reader.errorString();
    }
    scan.lines = QList<NameLine>(kept.begin(), kept.end());
    return scan;
}

QList<NameLine> findNameLines(const QByteArray& fileBytes) {
    QBuffer buffer;
    buffer.setData(fileBytes);
    buffer.open(QIODevice::ReadOnly);
    return scanNameLines(buffer).lines;
}

QList<NameLine> namesInPastedText(const QByteArray& text) {
    const QList<NameLine> lines = findNameLines(text);
    if (!lines.isEmpty()) {
        return lines;
    }
    QByteArray bare = text;
    while (bare.endsWith('\n') || bare.endsWith('\r')) {
        bare.chop(1);
    }
    if (bare.isEmpty() || bare.contains('\n') || bare.contains('\r')) {
        return {};
    }
    if (bare.size() >= 2 && bare.startsWith('"') && bare.endsWith('"')) {
        bare = bare.mid(1, bare.size() - 2);
    }
    return {NameLine{0, bare, bare}};
}

DecodedName decodeName(const QByteArray& name, const CharTable& table, const ColourSet* colours,
                       std::optional<ColourSyntax> syntax) {
    QHash<QByteArray, int> codeOf;
    // Downwards, so where codes share an entry the lower one is left.
    for (int code = kCodeCount - 1; code >= 0; --code) {
        codeOf[table[code]] = code;
    }

    QByteArray bytes = name;
    if (colours && bytes.endsWith(colours->startCode)) {
        // the line's own colour reset, not part of the name
        bytes.chop(static_cast<qsizetype>(qstrlen(colours->startCode)));
    }

    DecodedName decoded;
    QByteArray pendingCodes;
    // Text without a colour code is in the start colour.
    int colourRow = colours ? colours->choiceWithCode(colours->startCode).value_or(0) : 0;
    const auto add = [&](std::optional<int> code, const QByteArray& entry) {
        if (decoded.glyphs.size() == static_cast<size_t>(kNameLength)) {
            ++decoded.glyphsLeftOut;
        } else {
            decoded.glyphs.push_back(DecodedGlyph{code, pendingCodes + entry, colourRow});
        }
        pendingCodes.clear();
    };

    for (qsizetype i = 0; i < bytes.size();) {
        if (colours && syntax) {
            if (const int length = colourCodeLength(*syntax, bytes, i)) {
                const QByteArray code = bytes.mid(i, length);
                pendingCodes += code;
                colourRow = length == 2
                                ? colourRowOfCode(*syntax, bytes[i + 1]).value_or(colours->white)
                                : colourRowOfCode(*colours, code);  // ^xRGB
                i += length;
                continue;
            }
        } else if (colours && bytes[i] == colours->escape) {
            // The way black is written is the colour list's Black; otherwise
            // a caret and any byte but another caret make a colour code, as
            // the colour games read it.
            const QByteArray black(colours->blackCode);
            const QByteArray pair = bytes.mid(i, 2);
            if (bytes.mid(i, black.size()) == black) {
                pendingCodes += black;
                colourRow = colours->choiceOf(static_cast<uchar>(black.back())).value_or(0);
                i += black.size();
                continue;
            }
            if (pair.size() == 2 && pair[1] != colours->escape) {
                pendingCodes += pair;
                colourRow = colours->choiceOf(static_cast<uchar>(pair[1])).value_or(0);
                i += 2;
                continue;
            }
        }
        bool matched = false;
        for (const qsizetype length : {1, 2, 3}) {  // 3: Xonotic's U+E000 + code
            const QByteArray entry = bytes.mid(i, length);
            if (entry.size() == length && codeOf.contains(entry)) {
                add(codeOf.value(entry), entry);
                i += length;
                matched = true;
                break;
            }
        }
        if (matched) {
            continue;
        }
        if (bytes[i] == ' ') {
            add(std::nullopt, QByteArray(" ", 1));  // a blank position of a hex name
        } else if (!decoded.badBytes.contains(bytes[i])) {
            decoded.badBytes += bytes[i];
        }
        ++i;
    }
    // A colour code with no glyph after it shows nothing, but it stays with
    // the last glyph so that the name is written back byte for byte.
    if (!pendingCodes.isEmpty() && !decoded.glyphs.empty() && decoded.glyphsLeftOut == 0) {
        decoded.glyphs.back().fragment += pendingCodes;
    }
    // A name of colour codes alone (a caret and a digit picked as glyphs,
    // say) has no glyph to keep them with: its bytes are taken as glyphs, so
    // that it is not lost and is written back the same.
    if (colours && decoded.glyphs.empty() && !pendingCodes.isEmpty() && decoded.ok()) {
        return decodeName(pendingCodes, table, nullptr);
    }
    return decoded;
}

QString noNameLineMessage(const QString& source) {
    return kNoNameLineText + source + u'.';
}

QString badBytesMessage(const QByteArray& badBytes) {
    QStringList names;
    for (const char c : badBytes) {
        names << describeByte(c);
    }
    return kBadBytesText + names.join(QStringLiteral(", ")) + u'.';
}

QString tooLongMessage(int glyphsLeftOut) {
    return kTooLongText.arg(glyphsLeftOut);
}

}  // namespace vtl
