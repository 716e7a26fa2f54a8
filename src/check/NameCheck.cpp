#include "check/NameCheck.h"

#include "check/DarkPlacesCheck.h"
#include "check/Quake2Check.h"
#include "check/Quake3Check.h"
#include "check/Quake3FamilyCheck.h"
#include "check/QuakeCheck.h"
#include "check/TaggedBytes.h"
#include "modes/ColourSets.h"
#include "modes/Quake3FamilyModes.h"

#include <QRegularExpression>

#include <algorithm>

// A name line tagged with the name position of each byte, and the engines of
// a game run over it. What each engine makes of the line lives with its
// family: QuakeCheck, Quake2Check, Quake3Check and Quake3FamilyCheck.

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

using tagged::isAsciiAlnum;

// One case per engine; which engines a game has is its row's.
EngineReport runEngine(CheckEngine engine, const TaggedLine& line, const GameRow& game) {
    const bool hex = game.encoding == Encoding::HexPairs;
    switch (engine) {
        case CheckEngine::IdQuake:
            return checkNetQuake(line, NetQuake::QuakeSpasm);
        case CheckEngine::VkQuake:
            return checkNetQuake(line, NetQuake::VkQuake);
        case CheckEngine::Ironwail:
            return checkNetQuake(line, NetQuake::Ironwail);
        case CheckEngine::IdQuakeWorld:
            return checkIdQuakeWorld(line);
        case CheckEngine::EzQuake:
            return checkEzQuake(line);
        case CheckEngine::Fte:
            return checkFte(line);
        case CheckEngine::QuakeRerelease:
            return checkQuakeRerelease();
        case CheckEngine::Quake2:
            return checkQuake2(line, hex);
        case CheckEngine::Q2pro:
            return checkQ2pro(line, hex);
        case CheckEngine::Quake2Rerelease:
            return checkQuake2Rerelease();
        case CheckEngine::IdQuake3:
            return checkQuake3(line, Quake3Engine::IdQuake3, *game.colours);
        case CheckEngine::Ioquake3:
            return checkQuake3(line, Quake3Engine::Ioquake3, *game.colours);
        case CheckEngine::Rtcw:
            return checkQuake3(line, Quake3Engine::Rtcw, *game.colours);
        case CheckEngine::HexenII:
            return checkNetQuake(line, NetQuake::Hexen2);
        case CheckEngine::UrbanTerror:
            return checkUrbanTerror(line);
        case CheckEngine::OpenJK:
            return checkOpenJK(line);
        case CheckEngine::EtLegacy:
            return checkEtLegacy(line);
        case CheckEngine::Warfork:
            return checkWarfork(line);
        case CheckEngine::QuakeLive:
            return checkQuakeLive(line);
        case CheckEngine::DarkPlacesClient:
            return darkPlacesClient(line);
        case CheckEngine::XonoticServer:
            return xonoticServer(line);
    }
    return {};
}

// The Quake III-family games of today read a caret and one character by
// their own rule; none for the other games.
std::optional<ColourSyntax> familySyntax(GameMode mode) {
    if (const FamilyRow* family = familyRow(mode)) {
        return family->syntax;
    }
    return std::nullopt;
}

// The bytes of the glyph at `i` in a text game's name: one UTF-8 character.
qsizetype utf8GlyphLength(const QByteArray& bytes, qsizetype i, qsizetype end) {
    const auto lead = static_cast<uchar>(bytes[i]);
    if (lead >= 0xC2 && lead <= 0xDF && i + 1 < end &&
        (static_cast<uchar>(bytes[i + 1]) & 0xC0) == 0x80) {
        return 2;
    }
    return 1;
}

// The bytes of the glyph at `i` in a Xonotic name: `$$`, `^^`, U+E000 + code
// in UTF-8, or one byte.
qsizetype xonoticGlyphLength(const QByteArray& bytes, qsizetype i, qsizetype end) {
    if (i + 1 < end && (bytes[i] == '$' || bytes[i] == '^') && bytes[i + 1] == bytes[i]) {
        return 2;
    }
    return static_cast<uchar>(bytes[i]) == 0xEE && i + 2 < end ? 3 : 1;
}

// The colour code the program writes before a glyph: black's own code, else
// the escape and a letter or digit. Its length at `i`, or 0.
qsizetype colourCodeAt(const ColourSet& colours, const QByteArray& bytes, qsizetype i,
                       qsizetype end) {
    const QByteArray black(colours.blackCode);
    if (bytes.mid(i, black.size()) == black && i + black.size() < end) {
        return black.size();
    }
    if (bytes[i] == colours.escape && i + 2 < end &&
        isAsciiAlnum(static_cast<uchar>(bytes[i + 1]))) {
        return 2;
    }
    return 0;
}

}  // namespace

QString severityText(Severity severity) {
    switch (severity) {
        case Severity::BreaksLine:
            return QStringLiteral("breaks the line");
        case Severity::Refused:
            return QStringLiteral("name refused or replaced");
        case Severity::GlyphsChanged:
            return QStringLiteral("glyphs changed or dropped");
        case Severity::CutByLength:
            return QStringLiteral("cut by length");
        case Severity::Cosmetic:
            return QStringLiteral("cosmetic");
    }
    return {};
}

QByteArray EngineReport::seenBytes() const {
    QByteArray out;
    for (const SeenGlyph& glyph : seen) {
        out += static_cast<char>(glyph.code);
    }
    return out;
}

int CheckReport::problemCount() const {
    int count = 0;
    for (const EngineReport& engine : engines) {
        count += static_cast<int>(engine.findings.size());
    }
    return count;
}

bool CheckReport::breaksEverywhere() const {
    return checked && !engines.isEmpty() &&
           std::all_of(engines.begin(), engines.end(), [](const EngineReport& e) {
               return e.closed ||
                      std::any_of(e.findings.begin(), e.findings.end(), [](const Finding& f) {
                          return f.severity == Severity::BreaksLine;
                      });
           });
}

QStringList CheckReport::uncheckedClients() const {
    QStringList names;
    for (const EngineReport& engine : engines) {
        if (engine.closed) {
            names << engine.engine;
        }
    }
    return names;
}

void TaggedLine::append(const QByteArray& text, int position, ByteRole role) {
    bytes += text;
    positions.insert(positions.end(), static_cast<size_t>(text.size()), position);
    roles.insert(roles.end(), static_cast<size_t>(text.size()), role);
}

TaggedLine tagPositions(GameMode mode, const std::array<QByteArray, 25>& fragments,
                        const QByteArray& linePrefix, const QByteArray& lineSuffix) {
    const ColourSet* colours = gameRow(mode).colours;
    TaggedLine line;
    line.append(linePrefix, 0, ByteRole::Line);
    line.valueBegin = line.bytes.size();
    for (size_t index = 0; index < fragments.size(); ++index) {
        const QByteArray& fragment = fragments[index];
        const int position = static_cast<int>(index) + 1;
        qsizetype code = 0;
        if (const std::optional<ColourSyntax> syntax = familySyntax(mode)) {
            // The codes before the glyph (^xRGB in Xonotic); a code alone is its text.
            while (const qsizetype length = colourCodeLength(*syntax, fragment, code)) {
                if (code + length >= fragment.size()) {
                    break;
                }
                code += length;
            }
        } else if (colours && fragment.size() > 1) {
            code = colourCodeAt(*colours, fragment, 0, fragment.size());
        }
        line.append(fragment.left(code), position, ByteRole::Colour);
        line.append(fragment.mid(code), position, ByteRole::Glyph);
    }
    // The name text drops trailing blanks.
    qsizetype end = line.bytes.size();
    while (end > line.valueBegin && line.bytes[end - 1] == ' ') {
        --end;
    }
    line.bytes.truncate(end);
    line.positions.resize(static_cast<size_t>(end));
    line.roles.resize(static_cast<size_t>(end));

    const qsizetype quote = lineSuffix.indexOf('"');
    line.valueEnd = line.bytes.size() + (quote < 0 ? lineSuffix.size() : quote);
    line.append(lineSuffix, 0, ByteRole::Line);
    return line;
}

std::optional<TaggedLine> tagFileLine(GameMode mode, const QByteArray& rawLine) {
    const GameRow& game = gameRow(mode);
    // Xonotic's config.cfg keeps the name as `"_cl_name" "…"`.
    static const QRegularExpression nameCommand(
        QStringLiteral("^\\s*(?:seta\\s+)?(?:name|_cl_name|\"_cl_name\")\\s+\""),
        QRegularExpression::CaseInsensitiveOption);
    QByteArray bytes = rawLine;
    while (bytes.endsWith('\r') || bytes.endsWith('\n')) {
        bytes.chop(1);
    }
    const QRegularExpressionMatch match = nameCommand.match(QString::fromLatin1(bytes));
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    TaggedLine line;
    line.valueBegin = match.capturedEnd();
    const qsizetype close = bytes.lastIndexOf('"');
    line.valueEnd = close >= line.valueBegin ? close : bytes.size();

    line.append(bytes.left(line.valueBegin), 0, ByteRole::Line);
    int position = 0;
    for (qsizetype i = line.valueBegin; i < line.valueEnd;) {
        if (game.encoding == Encoding::HexPairs) {
            const qsizetype pair = std::min<qsizetype>(2, line.valueEnd - i);
            line.append(bytes.mid(i, pair), ++position, ByteRole::Glyph);
            i += pair;
            continue;
        }
        if (const std::optional<ColourSyntax> syntax = familySyntax(mode)) {
            if (const qsizetype code = colourCodeLength(*syntax, bytes, i)) {
                const bool last = i + code >= line.valueEnd;
                line.append(bytes.mid(i, code), last ? 0 : position + 1,
                            last ? ByteRole::Line : ByteRole::Colour);
                i += code;
                continue;
            }
            const qsizetype length = game.encoding == Encoding::Utf8ColourTable
                                         ? utf8GlyphLength(bytes, i, line.valueEnd)
                                     : game.encoding == Encoding::XonoticText
                                         ? xonoticGlyphLength(bytes, i, line.valueEnd)
                                         : 1;
            line.append(bytes.mid(i, length), ++position, ByteRole::Glyph);
            i += length;
            continue;
        }
        if (game.colours) {
            // A colour code belongs to the glyph after it; one that ends the
            // name belongs to the line.
            const qsizetype code = colourCodeAt(*game.colours, bytes, i, line.valueEnd);
            if (code > 0) {
                line.append(bytes.mid(i, code), position + 1, ByteRole::Colour);
                i += code;
                continue;
            }
            if (bytes[i] == game.colours->escape && i + 2 == line.valueEnd &&
                isAsciiAlnum(static_cast<uchar>(bytes[i + 1]))) {
                line.append(bytes.mid(i, 2), 0, ByteRole::Line);
                i += 2;
                continue;
            }
        }
        line.append(bytes.mid(i, 1), ++position, ByteRole::Glyph);
        ++i;
    }
    line.append(bytes.mid(line.valueEnd), 0, ByteRole::Line);
    return line;
}

CheckReport checkName(GameMode mode, const TaggedLine& line) {
    const GameRow& game = gameRow(mode);
    CheckReport report;
    report.mode = mode;
    report.checked = !game.engines.empty();
    for (const CheckEngine engine : game.engines) {
        report.engines.append(runEngine(engine, line, game));
    }
    return report;
}

QString escapeName(const QByteArray& bytes) {
    QString out;
    for (const char signedByte : bytes) {
        const auto byte = static_cast<uchar>(signedByte);
        if (byte == '\\') {
            out += QStringLiteral("\\\\");
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += QLatin1Char(static_cast<char>(byte));
        } else {
            out += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
        }
    }
    return out;
}

std::optional<ConfigSizeVerdict> configSizeVerdict(GameMode mode, qint64 newSize) {
    ConfigSizeVerdict verdict;
    for (const ConfigReader& reader : gameRow(mode).configReaders) {
        (newSize > reader.largestConfig ? verdict.ignoring : verdict.fine)
            << std::pair{QString::fromUtf16(reader.engine), reader.largestConfig};
    }
    if (verdict.ignoring.isEmpty()) {
        return std::nullopt;
    }
    return verdict;
}

}  // namespace vtl
