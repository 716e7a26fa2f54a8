#include "check/DarkPlacesCheck.h"

#include <QStringList>

#include <set>

#include "colour/ColourSets.h"

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

const QString kClient = u"DarkPlaces client (Xonotic)"_s;
const QString kServer = u"Xonotic server"_s;

const QString kQuoteRefused =
    u"a double quote in the name: the client refuses to send it (\"Can't setinfo\")."_s;
const QString kDollar =
    u"DarkPlaces reads a single $ as the start of a cvar's name, even "
    u"inside quotes; a $ is written $$."_s;
const QString kBackslash =
    u"a backslash cannot be stored in the userinfo; only the name "
    u"command brings the name to the server."_s;
const QString kCut127 =
    u"the client keeps 127 bytes of a name (colour codes included); the "
    u"rest is cut."_s;
const QString kSplit =
    u"the cut at 127 bytes falls inside this glyph's UTF-8 bytes: it is not "
    u"drawn."_s;
const QString kNotUtf8 =
    u"bytes that are not UTF-8 are not drawn (Xonotic reads names as "
    u"UTF-8; Quake glyphs are U+E000 and on)."_s;
const QString kCut64 =
    u"the server keeps 64 characters of a name, colour codes not counted; "
    u"the rest is cut."_s;
const QString kInvisible =
    u"nothing of the name can be seen: the server calls the player "
    u"Player#N."_s;

constexpr qsizetype kClientBytes = 127;  // MAX_SCOREBOARDNAME 128, cut by the client
constexpr int kServerCharacters = 64;    // sv_name_maxlength

// One byte of the name with the position it came from.
struct Byte {
    char b = 0;
    int position = 0;
};

QString positionsText(const std::set<int>& positions) {
    QStringList numbers;
    for (const int p : positions) {
        numbers << QString::number(p);
    }
    return (positions.size() == 1 ? u"Position "_s : u"Positions "_s) + numbers.join(u", "_s);
}

void addFinding(EngineReport& report, Severity severity, const std::set<int>& positions,
                const QString& sentence) {
    std::set<int> named = positions;
    named.erase(0);
    QString text = sentence;
    if (named.empty()) {
        text[0] = text[0].toUpper();
    } else {
        text = positionsText(named) + u": "_s + sentence;
    }
    report.findings.append(Finding{severity, QList<int>(named.begin(), named.end()), text});
}

// The value as the console reads it inside quotes: `\"` and `\\` unescaped,
// `$$` one `$`.
std::vector<Byte> parsedValue(const TaggedLine& line, std::set<int>& loneDollars) {
    std::vector<Byte> value;
    for (qsizetype i = line.valueBegin; i < line.valueEnd; ++i) {
        const char b = line.bytes[i];
        const int position = line.positions[static_cast<std::size_t>(i)];
        const char next = i + 1 < line.valueEnd ? line.bytes[i + 1] : '\0';
        if ((b == '\\' && (next == '"' || next == '\\')) || (b == '$' && next == '$')) {
            value.push_back({next, position});
            ++i;
            continue;
        }
        if (b == '$' && next != '\0' && next != ' ') {
            loneDollars.insert(position);
        }
        value.push_back({b, position});
    }
    return value;
}

// The length of a valid UTF-8 sequence at `i`, 0 if the bytes there are not one.
qsizetype utf8Length(const std::vector<Byte>& bytes, std::size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i].b);
    const qsizetype length = lead < 0x80             ? 1
                             : (lead & 0xE0) == 0xC0 ? 2
                             : (lead & 0xF0) == 0xE0 ? 3
                             : (lead & 0xF8) == 0xF0 ? 4
                                                     : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > bytes.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < static_cast<std::size_t>(length); ++k) {
        if ((static_cast<unsigned char>(bytes[i + k].b) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

QByteArray bytesOf(const std::vector<Byte>& bytes) {
    QByteArray out;
    for (const Byte& b : bytes) {
        out += b.b;
    }
    return out;
}

// The glyphs drawn from the bytes: Quake glyphs from U+E000–U+E0FF and ASCII,
// in the colour of the digit codes (RGB codes are drawn without one here).
std::vector<SeenGlyph> seenOf(const std::vector<Byte>& bytes) {
    std::vector<SeenGlyph> seen;
    const QByteArray text = bytesOf(bytes);
    int colour = 7;
    for (std::size_t i = 0; i < bytes.size();) {
        if (const qsizetype code = colour::darkPlacesCodeLength(text, static_cast<qsizetype>(i))) {
            colour = code == 2 ? bytes[i + 1].b - '0' : -1;  // ^0-^9: the table's ten
            i += static_cast<std::size_t>(code);
            continue;
        }
        const qsizetype length = utf8Length(bytes, i);
        if (length == 1) {
            const bool caret = bytes[i].b == '^' && i + 1 < bytes.size() && bytes[i + 1].b == '^';
            seen.push_back({static_cast<unsigned char>(bytes[i].b), bytes[i].position, colour});
            i += caret ? 2 : 1;
        } else if (length == 3 && static_cast<unsigned char>(bytes[i].b) == 0xEE &&
                   (static_cast<unsigned char>(bytes[i + 1].b) & 0xFC) == 0x80) {
            const int code = ((bytes[i + 1].b & 0x03) << 6) | (bytes[i + 2].b & 0x3F);
            seen.push_back({code, bytes[i].position, colour});
            i += 3;
        } else {
            i += static_cast<std::size_t>(std::max<qsizetype>(length, 1));
        }
    }
    return seen;
}

}  // namespace

EngineReport darkPlacesClient(const TaggedLine& line) {
    EngineReport report;
    report.engine = kClient;
    std::set<int> loneDollars;
    std::vector<Byte> value = parsedValue(line, loneDollars);

    std::set<int> quotes, backslashes;
    for (const Byte& b : value) {
        if (b.b == '"' || b.b == '\r' || b.b == '\n') {
            quotes.insert(b.position);
        } else if (b.b == '\\') {
            backslashes.insert(b.position);
        }
    }
    if (!quotes.empty()) {
        addFinding(report, Severity::Refused, quotes, kQuoteRefused);
        report.noName = u"no name is sent"_s;
        return report;
    }
    if (!loneDollars.empty()) {
        addFinding(report, Severity::GlyphsChanged, loneDollars, kDollar);
    }

    std::set<int> cut, split;
    if (static_cast<qsizetype>(value.size()) > kClientBytes) {
        for (std::size_t i = kClientBytes; i < value.size(); ++i) {
            cut.insert(value[i].position);
        }
        // A glyph whose UTF-8 bytes the cut splits is not drawn at all.
        if ((static_cast<unsigned char>(value[kClientBytes].b) & 0xC0) == 0x80) {
            const int position = value[kClientBytes].position;
            split.insert(position);
            cut.erase(position);
        }
        value.resize(kClientBytes);
    }
    std::set<int> notUtf8;
    for (std::size_t i = 0; i < value.size();) {
        const qsizetype length = utf8Length(value, i);
        if (length == 0) {
            if (!split.contains(value[i].position)) {
                notUtf8.insert(value[i].position);
            }
            ++i;
        } else {
            i += static_cast<std::size_t>(length);
        }
    }
    if (!split.empty()) {
        addFinding(report, Severity::CutByLength, split, kSplit);
    }
    if (!cut.empty()) {
        addFinding(report, Severity::CutByLength, cut, kCut127);
    }
    if (!notUtf8.empty()) {
        addFinding(report, Severity::GlyphsChanged, notUtf8, kNotUtf8);
    }
    if (!backslashes.empty()) {
        addFinding(report, Severity::Cosmetic, backslashes, kBackslash);
    }
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
    report.seen = seenOf(value);
    return report;
}

EngineReport xonoticServer(const TaggedLine& line) {
    EngineReport report;
    report.engine = kServer;
    std::set<int> ignored;
    std::vector<Byte> value = parsedValue(line, ignored);
    if (std::any_of(value.begin(), value.end(), [](const Byte& b) { return b.b == '"'; })) {
        report.noName = u"no name is sent"_s;
        return report;
    }
    value.resize(std::min<std::size_t>(value.size(), kClientBytes));

    std::vector<SeenGlyph> seen = seenOf(value);
    std::set<int> cut;
    if (static_cast<int>(seen.size()) > kServerCharacters) {
        for (std::size_t i = kServerCharacters; i < seen.size(); ++i) {
            cut.insert(seen[i].position);
        }
        seen.resize(kServerCharacters);
        addFinding(report, Severity::CutByLength, cut, kCut64);
    }
    if (std::none_of(seen.begin(), seen.end(), [](const SeenGlyph& g) { return g.code != ' '; })) {
        std::set<int> all;
        for (const Byte& b : value) {
            all.insert(b.position);
        }
        addFinding(report, Severity::Refused, all, kInvisible);
        report.seen.clear();
        for (const char c : QByteArrayView("Player#N")) {
            report.seen.push_back({static_cast<unsigned char>(c), 0, 7});
        }
        return report;
    }
    report.seen = seen;
    return report;
}

}  // namespace vtl
