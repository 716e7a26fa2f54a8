#include "output/NameImport.h"

#include <QHash>

#include "core/Cp1252.h"
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
bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ' && c != '\0';
}

qsizetype skipBlanks(const QByteArray& line, qsizetype i) {
    while (i < line.size() && isBlank(line[i])) {
        ++i;
    }
    return i;
}

// The word at i, case-insensitive, followed by a blank; returns the index after it.
std::optional<qsizetype> word(const QByteArray& line, qsizetype i, QByteArrayView w) {
    const qsizetype end = i + w.size();
    if (end >= line.size() || !isBlank(line[end]) ||
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
    const auto afterName = word(line, i, "name");
    if (!afterName) {
        return std::nullopt;
    }
    i = skipBlanks(line, *afterName);
    if (i >= line.size()) {
        return std::nullopt;  // `name` alone only prints the current name
    }
    if (line[i] != '"') {
        qsizetype end = i;
        while (end < line.size() && !isBlank(line[end]) && line[end] != ';' &&
               !QByteArrayView(line).sliced(end).startsWith("//")) {
            ++end;
        }
        return line.mid(i, end - i);
    }
    const qsizetype start = i + 1;
    // This program's own lines may hold a quote inside the name (codes 10, 34
    // and 162 of the byte table): their closing quote is the one before the
    // tag. Elsewhere the first quote closes the name, as in the consoles.
    for (const QByteArrayView tag :
         {QByteArrayView("\" //VTL G2 "), QByteArrayView("\"u //VTL G2 ")}) {
        const qsizetype q = line.lastIndexOf(tag);
        if (q >= start && !line.mid(q + tag.size()).contains('"')) {
            return line.mid(start, q - start);
        }
    }
    const qsizetype first = line.indexOf('"', start);
    return first < 0 ? line.mid(start) : line.mid(start, first - start);
}

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    return lines;
}

// The colour list's row a colour code's second byte selects, as the colour
// games read it: the byte minus '0', modulo 8 (so `8` is black like `0`).
int colourRowOf(char codeByte) {
    const auto index = [](char c) { return (static_cast<unsigned char>(c) - '0') & 7; };
    for (size_t row = 0; row < kColours.size(); ++row) {
        const QByteArrayView code(kColours[row].code);
        if (index(code.back()) == index(codeByte)) {
            return static_cast<int>(row);
        }
    }
    return 0;
}

QString describeByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const QString text =
        QStringLiteral("0x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
    const bool shown = (byte > 0x20 && byte < 0x7F) || byte > 0xA0;
    return shown ? text + QStringLiteral(" (") + cp1252ToUnicode(byte) + u')' : text;
}

}  // namespace

QList<NameLine> findNameLines(const QByteArray& fileBytes) {
    QList<NameLine> found;
    const QList<QByteArray> lines = linesOf(fileBytes);
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (const auto name = nameOfLine(lines[n])) {
            found.append(NameLine{static_cast<int>(n + 1), lines[n], *name});
        }
    }
    return found;
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

DecodedName decodeName(const QByteArray& name, const CharTable& table, GameFamily family,
                       std::optional<ColourSyntax> syntax) {
    QHash<QByteArray, int> codeOf;
    // Downwards, so where codes share an entry the lower one is left.
    for (int code = kCodeCount - 1; code >= 0; --code) {
        codeOf[table[code]] = code;
    }

    const bool colour = family == GameFamily::Colour;
    QByteArray bytes = name;
    if (colour && bytes.endsWith("^7")) {
        bytes.chop(2);  // the line's own colour reset, not part of the name
    }

    DecodedName decoded;
    QByteArray pendingCodes;
    int colourRow = 0;  // text without a colour code is white
    const auto add = [&](std::optional<int> code, const QByteArray& entry) {
        if (decoded.glyphs.size() == static_cast<size_t>(kNameLength)) {
            ++decoded.glyphsLeftOut;
        } else {
            decoded.glyphs.push_back(DecodedGlyph{code, pendingCodes + entry, colourRow});
        }
        pendingCodes.clear();
    };

    for (qsizetype i = 0; i < bytes.size();) {
        if (colour && syntax) {
            if (colourCodeLength(*syntax, bytes, i) == 2) {
                pendingCodes += bytes.mid(i, 2);
                colourRow = colourRowOfCode(*syntax, bytes[i + 1])
                                .value_or(colourRowOfDigit(*syntax, 7).value_or(0));
                i += 2;
                continue;
            }
        } else if (colour && bytes[i] == '^') {
            // `^^8` is the colour list's Black; otherwise a caret and any byte
            // but another caret make a colour code, as the colour games read it.
            const QByteArray pair = bytes.mid(i, 2);
            if (bytes.mid(i, 3) == "^^8") {
                pendingCodes += "^^8";
                colourRow = colourRowOf('8');
                i += 3;
                continue;
            }
            if (pair.size() == 2 && pair[1] != '^') {
                pendingCodes += pair;
                colourRow = colourRowOf(pair[1]);
                i += 2;
                continue;
            }
        }
        bool matched = false;
        for (const qsizetype length : {1, 2}) {
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
