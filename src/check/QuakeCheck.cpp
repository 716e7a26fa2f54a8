#include "check/QuakeCheck.h"

#include "check/Findings.h"
#include "check/TaggedBytes.h"

#include <algorithm>
#include <functional>

// Every rule here is one measured fact about an engine's console, cvar,
// userinfo or name code; where the measurements say nothing, the check says
// nothing either.

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

using findings::Report;
using tagged::beforeFirstQuote;
using tagged::bytesOf;
using tagged::hasQuote;
using tagged::quoted;
using tagged::quotesIn;
using tagged::slice;
using tagged::Tagged;
using tagged::TaggedByte;
using tagged::untagged;
using tagged::valueOf;
using tagged::where;
using Positions = tagged::Positions<>;

constexpr int kNetQuakeNameBytes = 15;    // NetQuake and Hexen II keep a name this long
constexpr int kQuakeWorldNameBytes = 31;  // the QuakeWorld servers (id, ezQuake) keep this much
constexpr int kFteNameBytes = 40;         // what the FTE server keeps
constexpr uchar kFirstInfoByte = 14;      // the QuakeWorld userinfo passes bytes from 14 on
constexpr QByteArrayView kConsoleWord = "console";

const QString kNetQuake = u"NetQuake (WinQuake, QuakeSpasm)"_s;
const QString kIdQuakeWorld = u"id QuakeWorld"_s;
const QString kEzQuake = u"ezQuake"_s;
const QString kHexen2 = u"Hexen II (Hammer of Thyrion)"_s;
const QString kVkQuake = u"vkQuake"_s;
const QString kIronwail = u"Ironwail"_s;
const QString kFte = u"FTE (client and server)"_s;
const QString kQuakeRerelease = u"Quake (2021 re-release)"_s;

// The re-release's engine is not public: only what its makers published.
const QString kQuakeRereleaseCaveat =
    u"Its engine has no public source, and nothing its makers published says what it does "
    u"with a name."_s;

// Finding sentences. %1 is the engine, %2 a name as the game sets it.
const QString kQuoteRestOfLine =
    u"a double quote ends the quoted name early, and %1 takes the raw rest of the line: "
    u"the game sets the name to %2."_s;
const QString kSemicolonOutside =
    u"after the double quote this semicolon stands outside the quotes and ends the command: "
    u"what follows it runs as a console command."_s;
// %1 is the engine, %2 the length it keeps.
const QString kKeepsBytes = u"%1 keeps %2 bytes of a name; the rest is cut."_s;
const QString kBraceCut =
    u"Hexen II cuts the name at the brace (\"Illegal char in name removed!\")."_s;
const QString kQuoteFirstToken = u"a double quote ends the name early: %1 keeps only %2."_s;
const QString kQwBackslash =
    u"id QuakeWorld's userinfo refuses a backslash: the server keeps the old name "
    u"(\"unnamed\" on connect)."_s;
const QString kLeadingSpace = u"the server trims a space at the start of the name."_s;
const QString kQuakeWorldCut = findings::kServerKeepsBytes.arg(kQuakeWorldNameBytes);
const QString kEzQuote =
    u"a double quote breaks the line: ezQuake sets the name to %1, and its userinfo refuses a "
    u"double quote, so no name is sent at all."_s;
const QString kEzCaret =
    u"ezQuake joins a caret and the glyph after it into one glyph, the glyph's high form "
    u"(^Z becomes code 218)."_s;
const QString kEzDollar =
    u"ezQuake converts $ pairs: $1 becomes code 19, $$ becomes $, and $\\ is dropped."_s;
const QString kEzBackslash = u"ezQuake refuses a backslash in a name: no name is sent."_s;
const QString kEzAmpersand =
    u"ezQuake's client and server refuse &r, and &c followed by three hex digits: "
    u"no name is sent."_s;
const QString kEzStar =
    u"the ezQuake server does not take #, $, ; or code 220 in a name: it calls the player "
    u"\"unnamed\" on connect and ignores a later setinfo."_s;
const QString kEzTrim =
    u"ezQuake trims a space (codes 32, 160, 255) at the start or end of the name."_s;
const QString kVkBackslash =
    u"vkQuake's server keeps the name in the userinfo, which does not take a backslash: the "
    u"player becomes \"unnamed\"."_s;
const QString kFteQuote =
    u"a double quote breaks the line: FTE takes the rest of the line, or keeps the quote in the "
    u"name; its userinfo takes neither, and the FTE server calls the player \"unnamed\"."_s;
const QString kFteLarge =
    u"FTE's userinfo does not take a name with \\, $, ; or byte 255 in it: the FTE server "
    u"calls the player \"unnamed\"."_s;
const QString kFteTooLong =
    u"FTE's userinfo does not take a name of %1 bytes or more: the FTE server calls the player "
    u"\"unnamed\"."_s.arg(findings::kInfoValueBytes);
const QString kFteLeading =
    u"the FTE server strips spaces, and bytes 1, 2, 12, 138 and 160, at the start of the "
    u"name."_s;
const QString kFteColon = u"the FTE server removes a colon from the name."_s;
const QString kFteTrailing = u"the FTE server trims blanks at the end of the name."_s;
const QString kFteEmpty =
    u"nothing is left of the name: the FTE server calls the player \"unnamed\"."_s;
const QString kFteLink =
    u"the FTE server does not take link markup (^[) in a name: it calls the player "
    u"\"unnamed\"."_s;
const QString kFtePictogram =
    u"FTE reads these glyphs as a UTF-8 pictogram (U+E100 to U+E1FF), which its server does not "
    u"take: it calls the player \"unnamed\"."_s;
const QString kFteConsole =
    u"the FTE server does not take a name that reads \"console\": it calls the player "
    u"\"unnamed\"."_s;
const QString kFteCut =
    u"the FTE server keeps %1 bytes of a name; the rest is cut."_s.arg(kFteNameBytes);
const QString kFteUtf8 = u"FTE reads these glyphs as UTF-8: they show as one character, %1."_s;
const QString kFteMarkup =
    u"FTE's scoreboard reads a caret and the glyph after it as markup (colours, blinking, the "
    u"second charset): they don't show as written."_s;
const QString kFteEzMarkup =
    u"FTE reads &c with three hex digits, and &r, as ezQuake colour codes: they don't show as "
    u"written."_s;

const QByteArray kUnnamed = QByteArrayLiteral("unnamed");

bool belowInfoBytes(uchar value) {
    return value < kFirstInfoByte;
}

bool isHexDigit(uchar value) {
    return (value >= '0' && value <= '9') || (value >= 'a' && value <= 'f') ||
           (value >= 'A' && value <= 'F');
}

// ezQuake's and FTE's colour markup: &r, or &c and three hex digits.
bool ezColourAt(const Tagged& name, size_t i) {
    return name[i].value == '&' && i + 1 < name.size() &&
           (name[i + 1].value == 'r' ||
            (name[i + 1].value == 'c' && i + 4 < name.size() && isHexDigit(name[i + 2].value) &&
             isHexDigit(name[i + 3].value) && isHexDigit(name[i + 4].value)));
}

// Where a semicolon outside quotes ends the command; the line's size when
// none does. vkQuake and Ironwail stop splitting after a `//`, quoted or not.
qsizetype commandEnd(const QByteArray& bytes, bool slashesStopSplitting) {
    int quotes = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '"') {
            ++quotes;
        } else if (slashesStopSplitting && bytes[i] == '/' && bytes.mid(i, 2) == "//") {
            break;
        } else if (bytes[i] == ';' && quotes % 2 == 0) {
            return i;
        }
    }
    return bytes.size();
}

// The semicolon that ends the command early, if the line has one.
void reportSemicolon(Report& report, const TaggedLine& line, qsizetype end) {
    if (end < line.bytes.size()) {
        Positions semicolon;
        semicolon.add(line.positions[static_cast<size_t>(end)]);
        report.add(Severity::BreaksLine, semicolon, kSemicolonOutside);
    }
}

// Drops the bytes at the start that `stripped` picks, at once: one byte at a
// time is quadratic.
void dropLeading(Tagged& name, Positions& dropped, const std::function<bool(uchar)>& stripped) {
    const auto firstKept = std::find_if_not(
        name.begin(), name.end(), [&](const TaggedByte& byte) { return stripped(byte.value); });
    std::for_each(name.begin(), firstKept,
                  [&dropped](const TaggedByte& byte) { dropped.add(byte); });
    name.erase(name.begin(), firstKept);
}

void dropTrailing(Tagged& name, Positions& dropped, const std::function<bool(uchar)>& stripped) {
    while (!name.empty() && stripped(name.back().value)) {
        dropped.add(name.back());
        name.pop_back();
    }
}

QString engineName(NetQuake engine) {
    switch (engine) {
        case NetQuake::QuakeSpasm:
            return kNetQuake;
        case NetQuake::VkQuake:
            return kVkQuake;
        case NetQuake::Ironwail:
            return kIronwail;
        case NetQuake::Hexen2:
            return kHexen2;
    }
    return {};
}

// ---- ezQuake ---------------------------------------------------------------

// The console's tokens after the command word, joined by blanks: what
// ezQuake's name command stores when it gets more than one.
QByteArray joinedTokens(const QByteArray& rest) {
    QList<QByteArray> tokens;
    qsizetype i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && static_cast<uchar>(rest[i]) <= ' ') {
            ++i;
        }
        if (i >= rest.size() || rest.mid(i, 2) == "//") {
            break;
        }
        QByteArray token;
        if (rest[i] == '"') {
            ++i;
            while (i < rest.size() && rest[i] != '"') {
                token += rest[i++];
            }
            ++i;
        } else {
            while (i < rest.size() && static_cast<uchar>(rest[i]) > ' ') {
                token += rest[i++];
            }
        }
        tokens << token;
    }
    return tokens.join(' ');
}

// The client's fun-character pass: a caret makes the next glyph's high
// form; $1, $$ and $\ become one byte.
Tagged ezFunCharacters(const Tagged& value, Positions& carets, Positions& dollars) {
    Tagged name;
    for (size_t i = 0; i < value.size(); ++i) {
        const TaggedByte& byte = value[i];
        const bool hasNext = i + 1 < value.size();
        if (byte.value == '^' && hasNext) {
            const TaggedByte& next = value[i + 1];
            carets.add(byte);
            carets.add(next);
            name.push_back({static_cast<uchar>(next.value | 0x80), next.position, next.role});
            ++i;
        } else if (byte.value == '$' && hasNext &&
                   (value[i + 1].value == '1' || value[i + 1].value == '$' ||
                    value[i + 1].value == '\\')) {
            const uchar next = value[i + 1].value;
            dollars.add(byte);
            dollars.add(value[i + 1]);
            name.push_back({next == '1'   ? uchar{0x13}
                            : next == '$' ? uchar{'$'}
                                          : uchar{'\r'},
                            byte.position, byte.role});
            ++i;
        } else {
            name.push_back(byte);
        }
    }
    return name;
}

// ---- FTE -------------------------------------------------------------------

// A character FTE reads from UTF-8: where it starts, its bytes, its code point.
struct Utf8Char {
    size_t at = 0;
    size_t length = 0;
    char32_t code = 0;
};

// FTE reads bytes from 0x80 on as UTF-8 until the first byte that is not;
// from there on the rest of the name is Quake glyphs.
std::vector<Utf8Char> fteUtf8(const Tagged& name) {
    std::vector<Utf8Char> out;
    for (size_t i = 0; i < name.size();) {
        const uchar lead = name[i].value;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                              : lead >= 0xE0 && lead <= 0xEF ? 3
                              : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                             : 0;
        if (length == 0 || i + length > name.size()) {
            break;
        }
        char32_t code = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        bool valid = true;
        for (size_t k = 1; k < length && valid; ++k) {
            valid = (name[i + k].value & 0xC0) == 0x80;
            code = (code << 6) | (name[i + k].value & 0x3F);
        }
        valid = valid && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000) &&
                code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        if (!valid) {
            break;
        }
        out.push_back({i, length, code});
        i += length;
    }
    return out;
}

Positions bytesOfChar(const Tagged& name, const Utf8Char& character) {
    Positions bytes;
    for (size_t k = 0; k < character.length; ++k) {
        bytes.add(name[character.at + k]);
    }
    return bytes;
}

QString codePointText(char32_t code) {
    QString text =
        u"U+"_s + QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, u'0');
    const QString shown = QString::fromUcs4(&code, 1);
    if (shown.at(0).isPrint() && !(code >= 0xE000 && code <= 0xF8FF)) {
        text += u" ("_s + shown + u')';
    }
    return text;
}

bool fteMarkupAfterCaret(uchar value) {
    return (value >= '0' && value <= '9') ||
           QByteArrayView("x&ambhdsrU{[]^").contains(static_cast<char>(value));
}

// The userinfo and the FTE server's refusals and clean-up; false when the
// server calls the player "unnamed".
bool fteServerTakes(Report& report, const Tagged& value, Tagged& name) {
    // The userinfo: a "large" value leaves the server an empty name.
    const Positions large = where(name, [](uchar b) {
        return b == 0xFF || b == '\\' || b == '$' || b == ';' || b == '\n' || b == '\r' || b == 0;
    });
    if (!large.empty()) {
        report.add(Severity::Refused, large, kFteLarge);
        return false;
    }
    if (name.size() >= static_cast<size_t>(findings::kInfoValueBytes)) {
        Positions beyond;
        for (size_t i = findings::kInfoValueBytes - 1; i < name.size(); ++i) {
            beyond.add(name[i]);
        }
        report.add(Severity::Refused, beyond, kFteTooLong);
        return false;
    }

    // The server's clean-up.
    Positions leading, colons, trailing;
    dropLeading(name, leading, [](uchar b) {
        return b == ' ' || b == 0x0C || b == 0x8A || b == 0xA0 || b == 1 || b == 2;
    });
    report.addIf(Severity::GlyphsChanged, leading, kFteLeading);
    name = dropIf(name, colons, [](uchar b) { return b == ':'; });
    report.addIf(Severity::GlyphsChanged, colons, kFteColon);
    dropTrailing(name, trailing, [](uchar b) { return b <= ' '; });
    report.addIf(Severity::GlyphsChanged, trailing, kFteTrailing);

    if (name.empty()) {
        Positions all;
        for (const TaggedByte& byte : value) {
            all.add(byte);
        }
        // No name composed yet is nothing to report.
        if (!all.empty()) {
            report.add(Severity::Refused, all, kFteEmpty);
            return false;
        }
        return true;
    }
    Positions link;
    for (size_t i = 0; i + 1 < name.size(); ++i) {
        if (name[i].value == '^' && name[i + 1].value == '[') {
            link.add(name[i]);
            link.add(name[i + 1]);
        }
    }
    if (!link.empty()) {
        report.add(Severity::Refused, link, kFteLink);
        return false;
    }
    Positions pictogram;
    for (const Utf8Char& character : fteUtf8(name)) {
        if (character.code >= 0xE100 && character.code <= 0xE1FF) {
            for (size_t k = 0; k < character.length; ++k) {
                pictogram.add(name[character.at + k]);
            }
        }
    }
    if (!pictogram.empty()) {
        report.add(Severity::Refused, pictogram, kFtePictogram);
        return false;
    }
    const qsizetype console = bytesOf(name).toLower().indexOf(kConsoleWord);
    if (console >= 0) {
        Positions word;
        for (qsizetype k = 0; k < kConsoleWord.size(); ++k) {
            word.add(name[static_cast<size_t>(console + k)]);
        }
        report.add(Severity::Refused, word, kFteConsole);
        return false;
    }
    return true;
}

// What FTE's scoreboard draws differently from the glyphs written.
void fteDrawing(Report& report, const Tagged& name) {
    for (const Utf8Char& character : fteUtf8(name)) {
        report.addIf(Severity::GlyphsChanged, bytesOfChar(name, character),
                     kFteUtf8.arg(codePointText(character.code)));
    }
    Positions markup, ezMarkup;
    for (size_t i = 0; i + 1 < name.size(); ++i) {
        if (name[i].value == '^' && fteMarkupAfterCaret(name[i + 1].value)) {
            markup.add(name[i]);
            markup.add(name[i + 1]);
            ++i;
        } else if (ezColourAt(name, i)) {
            const size_t length = name[i + 1].value == 'r' ? 2 : 5;
            for (size_t k = 0; k < length; ++k) {
                ezMarkup.add(name[i + k]);
            }
        }
    }
    report.addIf(Severity::GlyphsChanged, markup, kFteMarkup);
    report.addIf(Severity::GlyphsChanged, ezMarkup, kFteEzMarkup);
}

}  // namespace

// ---- NetQuake, its ports and Hexen II ---------------------------------------

EngineReport checkNetQuake(const TaggedLine& line, NetQuake engine) {
    Report report(engineName(engine));
    const Tagged value = valueOf(line);
    Tagged name;

    const bool port = engine == NetQuake::VkQuake || engine == NetQuake::Ironwail;
    const qsizetype end = commandEnd(line.bytes, port);

    if (hasQuote(value)) {
        // More than one argument: the name command takes the raw rest of the
        // line, from the opening quote on.
        Positions unused;
        name = keepFirst(slice(line, line.valueBegin - 1, end), kNetQuakeNameBytes, unused);
        report.add(Severity::BreaksLine, quotesIn(value),
                   kQuoteRestOfLine.arg(report.engine(), quoted(bytesOf(name))));
        reportSemicolon(report, line, end);
    } else {
        Positions cut;
        name = keepFirst(value, kNetQuakeNameBytes, cut);
        report.addIf(Severity::CutByLength, cut,
                     kKeepsBytes.arg(report.engine(), QString::number(kNetQuakeNameBytes)));
    }

    if (engine == NetQuake::Hexen2) {
        const auto brace = std::find_if(name.begin(), name.end(),
                                        [](const TaggedByte& byte) { return byte.value == '{'; });
        Positions cut;
        std::for_each(brace, name.end(), [&cut](const TaggedByte& byte) { cut.add(byte); });
        name.erase(brace, name.end());
        report.addIf(Severity::GlyphsChanged, cut, kBraceCut);
    }
    if (engine == NetQuake::VkQuake) {
        const Positions backslash = where(name, [](uchar b) { return b == '\\'; });
        if (!backslash.empty()) {
            report.add(Severity::Refused, backslash, kVkBackslash);
            report.seeName(untagged(kUnnamed));
            return report.done();
        }
    }
    report.seeName(name);
    return report.done();
}

// ---- id QuakeWorld ---------------------------------------------------------

EngineReport checkIdQuakeWorld(const TaggedLine& line) {
    Report report(kIdQuakeWorld);
    Tagged name = valueOf(line);
    if (hasQuote(name)) {
        const Positions quotes = quotesIn(name);
        name = beforeFirstQuote(name);
        report.add(Severity::BreaksLine, quotes,
                   kQuoteFirstToken.arg(report.engine(), quoted(bytesOf(name))));
    }
    const Positions backslash = where(name, [](uchar b) { return b == '\\'; });
    if (!backslash.empty()) {
        report.add(Severity::Refused, backslash, kQwBackslash);
        report.seeName(untagged(kUnnamed));
        return report.done();
    }
    Positions dropped, trimmed, cut;
    name = dropIf(name, dropped, belowInfoBytes);
    report.addIf(Severity::GlyphsChanged, dropped, findings::kControlDropped);

    dropLeading(name, trimmed, [](uchar b) { return b == ' '; });
    report.addIf(Severity::GlyphsChanged, trimmed, kLeadingSpace);

    name = keepFirst(name, kQuakeWorldNameBytes, cut);
    report.addIf(Severity::CutByLength, cut, kQuakeWorldCut);
    report.seeName(name);
    return report.done();
}

// ---- ezQuake ---------------------------------------------------------------

EngineReport checkEzQuake(const TaggedLine& line) {
    Report report(kEzQuake);
    const Tagged value = valueOf(line);
    if (hasQuote(value)) {
        const QByteArray setting = joinedTokens(line.bytes.mid(line.valueBegin - 1));
        report.add(Severity::BreaksLine, quotesIn(value), kEzQuote.arg(quoted(setting)));
        report.seeNoName(findings::kNoNameSent);
        return report.done();
    }

    Positions carets, dollars;
    Tagged name = ezFunCharacters(value, carets, dollars);
    report.addIf(Severity::GlyphsChanged, carets, kEzCaret);
    report.addIf(Severity::GlyphsChanged, dollars, kEzDollar);

    const Positions backslash = where(name, [](uchar b) { return b == '\\'; });
    if (!backslash.empty()) {
        report.add(Severity::Refused, backslash, kEzBackslash);
        report.seeNoName(findings::kNoNameSent);
        return report.done();
    }
    Positions ampersand;
    for (size_t i = 0; i + 1 < name.size(); ++i) {
        if (ezColourAt(name, i)) {
            ampersand.add(name[i]);
            ampersand.add(name[i + 1]);
        }
    }
    if (!ampersand.empty()) {
        report.add(Severity::Refused, ampersand, kEzAmpersand);
        report.seeNoName(findings::kNoNameSent);
        return report.done();
    }

    Positions dropped;
    name = dropIf(name, dropped, belowInfoBytes);
    report.addIf(Severity::GlyphsChanged, dropped, findings::kControlDropped);

    const Positions star =
        where(name, [](uchar b) { return b == '#' || b == '$' || b == ';' || b == 0xDC; });
    if (!star.empty()) {
        report.add(Severity::Refused, star, kEzStar);
        report.seeName(untagged(kUnnamed));
        return report.done();
    }

    Positions trimmed, cut;
    const auto isSpace = [](uchar b) { return b == ' ' || b == 0xA0; };
    dropLeading(name, trimmed, isSpace);
    dropTrailing(name, trimmed, isSpace);
    report.addIf(Severity::GlyphsChanged, trimmed, kEzTrim);

    name = keepFirst(name, kQuakeWorldNameBytes, cut);
    report.addIf(Severity::CutByLength, cut, kQuakeWorldCut);
    report.seeName(name);
    return report.done();
}

// ---- FTE -------------------------------------------------------------------

EngineReport checkFte(const TaggedLine& line) {
    Report report(kFte);
    const Tagged value = valueOf(line);
    const auto unnamed = [&report] {
        report.seeName(untagged(kUnnamed));
        return report.done();
    };
    if (hasQuote(value)) {
        // With more than one argument the cvar takes the rest of the line; a
        // doubled quote inside quotes is one literal quote. Either way the
        // name holds a quote, which the userinfo does not take.
        report.add(Severity::BreaksLine, quotesIn(value), kFteQuote);
        reportSemicolon(report, line, commandEnd(line.bytes, false));
        return unnamed();
    }

    Tagged name = value;
    if (!fteServerTakes(report, value, name)) {
        return unnamed();
    }
    Positions cut;
    name = keepFirst(name, kFteNameBytes, cut);
    report.addIf(Severity::CutByLength, cut, kFteCut);
    fteDrawing(report, name);
    report.seeName(name);
    return report.done();
}

EngineReport checkQuakeRerelease() {
    return findings::closedEngine(kQuakeRerelease, kQuakeRereleaseCaveat);
}

}  // namespace vtl
