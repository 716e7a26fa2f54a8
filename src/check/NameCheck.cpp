#include "check/NameCheck.h"
#include "check/TaggedBytes.h"

#include "check/DarkPlacesCheck.h"
#include "check/Quake3FamilyCheck.h"
#include "modes/ColourSets.h"

#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <set>
#include <span>

// What each engine makes of a name line. Every rule here is one measured
// fact about an engine's console, cvar, userinfo or name code; where the
// measurements say nothing, the check says nothing either.

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

using tagged::bytesOf;
using tagged::quoted;
using tagged::slice;
using tagged::Tagged;
using tagged::TB;

const QString kNetQuake = u"NetQuake (WinQuake, QuakeSpasm)"_s;
const QString kIdQuakeWorld = u"id QuakeWorld"_s;
const QString kEzQuake = u"ezQuake"_s;
const QString kQuake2 = u"Quake II (id 3.21, Yamagi)"_s;
const QString kIdQuake3 = u"id Quake III 1.32"_s;
const QString kIoquake3 = u"ioquake3"_s;
const QString kRtcw = u"Return to Castle Wolfenstein"_s;
const QString kHexen2 = u"Hexen II (Hammer of Thyrion)"_s;
const QString kVkQuake = u"vkQuake"_s;
const QString kIronwail = u"Ironwail"_s;
const QString kFte = u"FTE (client and server)"_s;
const QString kQ2pro = u"Q2PRO"_s;
const QString kQuakeRerelease = u"Quake (2021 re-release)"_s;
const QString kQuake2Rerelease = u"Quake II (2023 re-release)"_s;

// The re-releases' engines are not public: only what their makers published.
const QString kQuakeRereleaseCaveat =
    u"Its engine has no public source, and nothing its makers published says what it does "
    u"with a name."_s;
const QString kQuake2RereleaseCaveat =
    u"Its engine has no public source. Its makers write that it reads player names as UTF-8 "
    u"and that the game copies a name into 32 bytes; they say nothing of colours, of the "
    u"config file or of characters it refuses."_s;

const QString kHexModCaveat =
    u"The engine keeps the hex digits unharmed; what the server mod decodes is not known."_s;

// Finding sentences. %1 is the engine, %2 a name as the game sets it.
const QString kQuoteRestOfLine =
    u"a double quote ends the quoted name early, and %1 takes the raw rest of the line: "
    u"the game sets the name to %2."_s;
const QString kSemicolonOutside =
    u"after the double quote this semicolon stands outside the quotes and ends the command: "
    u"what follows it runs as a console command."_s;
const QString kKeeps15 = u"%1 keeps 15 bytes of a name; the rest is cut."_s;
const QString kBraceCut =
    u"Hexen II cuts the name at the brace (\"Illegal char in name removed!\")."_s;
const QString kQuoteFirstToken = u"a double quote ends the name early: %1 keeps only %2."_s;
const QString kQwBackslash =
    u"id QuakeWorld's userinfo refuses a backslash: the server keeps the old name "
    u"(\"unnamed\" on connect)."_s;
const QString kControlDropped =
    u"control glyphs stay in the local setting but are dropped from the userinfo, "
    u"so no one else sees them."_s;
const QString kLeadingSpace = u"the server trims a space at the start of the name."_s;
const QString kServerKeeps31 = u"the server keeps 31 bytes of a name; the rest is cut."_s;
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
const QString kQ2OddQuotes =
    u"a double quote leaves the line with an odd number of quotes: Quake II says \"Line has "
    u"unmatched quote, discarded.\" and ignores the whole line."_s;
const QString kQ2EvenQuotes = u"the double quotes split the name: Quake II keeps only %1."_s;
const QString kQ2InvalidInfo =
    u"Quake II refuses ; and \\ in a name (\"invalid info cvar value\"): the name stays as it "
    u"was."_s;
const QString kQ2HighBit =
    u"Quake II clears the high bit: everyone else sees the plain glyph (code 193 shows as A)."_s;
const QString kQ2BadInfo =
    u"code 187 is a semicolon once Quake II clears its high bit: the game rejects the userinfo "
    u"and calls the player \"badinfo\"."_s;
const QString kQ2Corrupt =
    u"code 220 is a backslash once Quake II clears its high bit: it corrupts the userinfo, the "
    u"name is cut there and the skin is garbled."_s;
const QString kQ2Shows15 = u"Quake II shows 15 bytes of a name in the game; the rest is cut."_s;
const QString kHexShows15 =
    u"the game shows 15 characters of the name, 7\u00BD glyphs of hex; the rest is cut."_s;
const QString kQ3Refused =
    u"the userinfo refuses ; and \\ in a name: the server calls the player \"UnnamedPlayer\"."_s;
const QString kIoControl =
    u"ioquake3 fails its printable check on this control glyph: it sets the userinfo to "
    u"\"badinfo\" and kicks the player (\"Invalid userinfo\")."_s;
const QString kCaretOnly =
    u"with a caret as the only visible glyph the game calls the player \"UnnamedPlayer\"."_s;
const QString kNothingLeft =
    u"no visible glyph is left of the name: the game calls the player \"UnnamedPlayer\"."_s;
const QString kEmptyName = u"the name is empty: the game calls the player \"UnnamedPlayer\"."_s;
const QString kLeadingSpaces = u"spaces at the start of the name are dropped."_s;
const QString kCaretColour =
    u"a caret followed by another glyph makes a colour code: the glyph after the caret "
    u"vanishes."_s;
const QString kDots =
    u"other players see a dot for % and for glyphs above code 127; only the local setting "
    u"keeps them."_s;
const QString kSpaces = u"more than 3 spaces in a row are cut to 3."_s;
const QString kCut35 = u"names are cut at 35 bytes, colour codes included; the rest is cut."_s;
const QString kIdBlack =
    u"black is written ^^8: the game shows a caret in front of the black glyphs."_s;
const QString kIoBlack =
    u"ioquake3 never shows black: it drops the ^8 of the black code, and the caret left over "
    u"shows or takes the next letter or digit as a colour."_s;

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
    u"FTE's userinfo does not take a name of 64 bytes or more: the FTE server calls the player "
    u"\"unnamed\"."_s;
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
const QString kFteCut40 = u"the FTE server keeps 40 bytes of a name; the rest is cut."_s;
const QString kFteUtf8 = u"FTE reads these glyphs as UTF-8: they show as one character, %1."_s;
const QString kFteMarkup =
    u"FTE's scoreboard reads a caret and the glyph after it as markup (colours, blinking, the "
    u"second charset): they don't show as written."_s;
const QString kFteEzMarkup =
    u"FTE reads &c with three hex digits, and &r, as ezQuake colour codes: they don't show as "
    u"written."_s;
const QString kQ2proOddQuotes =
    u"a double quote leaves the line with an odd number of quotes: Q2PRO says \"Line has "
    u"unmatched quote\" and ignores the whole line."_s;
const QString kQ2proEvenQuotes =
    u"the double quotes split the name: Q2PRO joins the pieces with a blank into %1."_s;
const QString kQ2proHexU =
    u"Q2PRO joins the u after the closing quote to the name, after a blank: the setting is "
    u"%1."_s;
const QString kQ2proRefused =
    u"Q2PRO refuses a name with \\, ; or a double quote in it, also in their high forms (codes "
    u"187 and 220), or of 64 bytes or more: the name stays as it was."_s;
const QString kQ2proHighBit =
    u"Q2PRO clears the high bit before any server sees the name: everyone else sees the plain "
    u"glyph (code 193 shows as A)."_s;
const QString kQ2proDropped =
    u"Q2PRO drops control glyphs from the name before any server sees it."_s;
const QString kQ2proBlank = u"the Q2PRO server refuses a blank name when the player connects."_s;
const QString kQ2proKeeps15 = u"the Q2PRO server keeps 15 bytes of a name; the rest is cut."_s;

const QString kNoNameSent = u"no name is sent"_s;
const QString kLineIgnored = u"the line is ignored; the name stays as it was"_s;
const QString kNameUnchanged = u"the name stays as it was"_s;
const QString kKicked = u"the player is kicked (\"Invalid userinfo\")"_s;
const QString kNotConnected = u"the player cannot connect"_s;

Tagged untagged(const QByteArray& bytes) {
    Tagged out;
    for (char c : bytes) {
        out.push_back({static_cast<uchar>(c), 0, ByteRole::Line});
    }
    return out;
}

std::vector<SeenGlyph> seenOf(const Tagged& t, int colour = -1) {
    std::vector<SeenGlyph> out;
    for (const TB& x : t) {
        out.push_back({x.b, x.pos, colour});
    }
    return out;
}

// Runs of three or more positions are written as a range ("4–9"), so a
// long name gives a short sentence.
QString positionsText(const QList<int>& positions) {
    QStringList numbers;
    for (qsizetype i = 0; i < positions.size();) {
        qsizetype end = i + 1;
        while (end < positions.size() && positions[end] == positions[end - 1] + 1) {
            ++end;
        }
        if (end - i >= 3) {
            numbers << QString::number(positions[i]) + u'\u2013' +
                           QString::number(positions[end - 1]);
        } else {
            for (qsizetype k = i; k < end; ++k) {
                numbers << QString::number(positions[k]);
            }
        }
        i = end;
    }
    return (positions.size() == 1 ? QStringLiteral("Position ") : QStringLiteral("Positions ")) +
           numbers.join(QStringLiteral(", "));
}

// Collects the name positions a rule touched; line text (position 0) has none.
class Positions {
  public:
    void add(int position) {
        if (position > 0) {
            set_.insert(position);
        }
    }
    void add(const TB& x) { add(x.pos); }
    bool empty() const { return set_.empty(); }
    QList<int> list() const { return QList<int>(set_.begin(), set_.end()); }

  private:
    std::set<int> set_;
};

class Report {
  public:
    explicit Report(const QString& engine) { r_.engine = engine; }

    // A finding with no name position is still reported: the line as a whole.
    void add(Severity severity, const Positions& where, const QString& sentence) {
        const QList<int> list = where.list();
        QString s = sentence;
        if (list.isEmpty()) {
            s[0] = s[0].toUpper();
        } else {
            s = positionsText(list) + QStringLiteral(": ") + s;
        }
        r_.findings.append(Finding{severity, list, s});
    }
    void addIf(Severity severity, const Positions& where, const QString& sentence) {
        if (!where.empty()) {
            add(severity, where, sentence);
        }
    }
    void seeName(const Tagged& t, int colour = -1) { r_.seen = seenOf(t, colour); }
    void seeNoName(const QString& why) {
        r_.seen.clear();
        r_.noName = why;
    }
    void caveat(const QString& c) { r_.caveat = c; }
    QString engine() const { return r_.engine; }

    EngineReport done() {
        std::stable_sort(
            r_.findings.begin(), r_.findings.end(),
            [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
        return r_;
    }

  private:
    EngineReport r_;
};

Tagged valueOf(const TaggedLine& line) {
    return slice(line, line.valueBegin, line.valueEnd);
}

Positions quotesIn(const Tagged& value) {
    Positions p;
    for (const TB& x : value) {
        if (x.b == '"') {
            p.add(x);
        }
    }
    return p;
}

bool hasQuote(const Tagged& value) {
    return std::any_of(value.begin(), value.end(), [](const TB& x) { return x.b == '"'; });
}

Tagged beforeFirstQuote(const Tagged& value) {
    const auto q = std::find_if(value.begin(), value.end(), [](const TB& x) { return x.b == '"'; });
    return Tagged(value.begin(), q);
}

// Cuts to `limit` bytes; the positions of what was cut go to `cut`.
Tagged keepFirst(const Tagged& t, size_t limit, Positions& cut) {
    if (t.size() <= limit) {
        return t;
    }
    for (size_t i = limit; i < t.size(); ++i) {
        cut.add(t[i]);
    }
    return Tagged(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(limit));
}

// Removes the bytes `drop` picks, noting their positions.
Tagged dropIf(const Tagged& t, Positions& dropped, const std::function<bool(uchar)>& drop) {
    Tagged out;
    for (const TB& x : t) {
        if (drop(x.b)) {
            dropped.add(x);
        } else {
            out.push_back(x);
        }
    }
    return out;
}

Positions where(const Tagged& t, const std::function<bool(uchar)>& test) {
    Positions p;
    for (const TB& x : t) {
        if (test(x.b)) {
            p.add(x);
        }
    }
    return p;
}

bool belowFourteen(uchar b) {
    return b < 14;  // the QuakeWorld userinfo passes bytes above 13 only
}

// ---- NetQuake, its ports and Hexen II ---------------------------------------

enum class NetQuake { QuakeSpasm, VkQuake, Ironwail, Hexen2 };

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

EngineReport netQuakeFamily(const TaggedLine& line, NetQuake engine) {
    Report r(engineName(engine));
    const Tagged value = valueOf(line);
    Tagged name;

    const bool port = engine == NetQuake::VkQuake || engine == NetQuake::Ironwail;
    const qsizetype end = commandEnd(line.bytes, port);

    if (hasQuote(value)) {
        // More than one argument: the name command takes the raw rest of the
        // line, from the opening quote on.
        Positions unused;
        name = keepFirst(slice(line, line.valueBegin - 1, end), 15, unused);
        r.add(Severity::BreaksLine, quotesIn(value),
              kQuoteRestOfLine.arg(r.engine(), quoted(bytesOf(name))));
        if (end < line.bytes.size()) {
            Positions semicolon;
            semicolon.add(line.positions[static_cast<size_t>(end)]);
            r.add(Severity::BreaksLine, semicolon, kSemicolonOutside);
        }
    } else {
        Positions cut;
        name = keepFirst(value, 15, cut);
        r.addIf(Severity::CutByLength, cut, kKeeps15.arg(r.engine()));
    }

    if (engine == NetQuake::Hexen2) {
        const auto brace =
            std::find_if(name.begin(), name.end(), [](const TB& x) { return x.b == '{'; });
        Positions cut;
        for (auto it = brace; it != name.end(); ++it) {
            cut.add(*it);
        }
        name.erase(brace, name.end());
        r.addIf(Severity::GlyphsChanged, cut, kBraceCut);
    }
    if (engine == NetQuake::VkQuake) {
        const Positions backslash = where(name, [](uchar b) { return b == '\\'; });
        if (!backslash.empty()) {
            r.add(Severity::Refused, backslash, kVkBackslash);
            r.seeName(untagged(QByteArrayLiteral("unnamed")));
            return r.done();
        }
    }
    r.seeName(name);
    return r.done();
}

// ---- id QuakeWorld ---------------------------------------------------------

EngineReport idQuakeWorld(const TaggedLine& line) {
    Report r(kIdQuakeWorld);
    Tagged name = valueOf(line);
    if (hasQuote(name)) {
        const Positions quotes = quotesIn(name);
        name = beforeFirstQuote(name);
        r.add(Severity::BreaksLine, quotes,
              kQuoteFirstToken.arg(r.engine(), quoted(bytesOf(name))));
    }
    const Positions backslash = where(name, [](uchar b) { return b == '\\'; });
    if (!backslash.empty()) {
        r.add(Severity::Refused, backslash, kQwBackslash);
        r.seeName(untagged(QByteArrayLiteral("unnamed")));
        return r.done();
    }
    Positions dropped;
    name = dropIf(name, dropped, belowFourteen);
    r.addIf(Severity::GlyphsChanged, dropped, kControlDropped);

    Positions trimmed;
    const auto firstKept =
        std::find_if(name.begin(), name.end(), [](const TB& x) { return x.b != ' '; });
    std::for_each(name.begin(), firstKept, [&trimmed](const TB& x) { trimmed.add(x); });
    name.erase(name.begin(), firstKept);  // at once: one byte at a time is quadratic
    r.addIf(Severity::GlyphsChanged, trimmed, kLeadingSpace);

    Positions cut;
    name = keepFirst(name, 31, cut);
    r.addIf(Severity::CutByLength, cut, kServerKeeps31);
    r.seeName(name);
    return r.done();
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

bool isHexDigit(uchar b) {
    return (b >= '0' && b <= '9') || (b >= 'a' && b <= 'f') || (b >= 'A' && b <= 'F');
}

EngineReport ezQuake(const TaggedLine& line) {
    Report r(kEzQuake);
    const Tagged value = valueOf(line);
    if (hasQuote(value)) {
        const QByteArray setting = joinedTokens(line.bytes.mid(line.valueBegin - 1));
        r.add(Severity::BreaksLine, quotesIn(value), kEzQuote.arg(quoted(setting)));
        r.seeNoName(kNoNameSent);
        return r.done();
    }

    // The client's fun-character pass.
    Tagged name;
    Positions carets, dollars;
    for (size_t i = 0; i < value.size(); ++i) {
        const TB& x = value[i];
        if (x.b == '^' && i + 1 < value.size()) {
            const TB& next = value[i + 1];
            carets.add(x);
            carets.add(next);
            name.push_back({static_cast<uchar>(next.b | 0x80), next.pos, next.role});
            ++i;
        } else if (x.b == '$' && i + 1 < value.size() &&
                   (value[i + 1].b == '1' || value[i + 1].b == '$' || value[i + 1].b == '\\')) {
            const uchar next = value[i + 1].b;
            dollars.add(x);
            dollars.add(value[i + 1]);
            name.push_back({next == '1'   ? uchar{0x13}
                            : next == '$' ? uchar{'$'}
                                          : uchar{'\r'},
                            x.pos, x.role});
            ++i;
        } else {
            name.push_back(x);
        }
    }
    r.addIf(Severity::GlyphsChanged, carets, kEzCaret);
    r.addIf(Severity::GlyphsChanged, dollars, kEzDollar);

    const Positions backslash = where(name, [](uchar b) { return b == '\\'; });
    if (!backslash.empty()) {
        r.add(Severity::Refused, backslash, kEzBackslash);
        r.seeNoName(kNoNameSent);
        return r.done();
    }
    Positions ampersand;
    for (size_t i = 0; i + 1 < name.size(); ++i) {
        if (name[i].b != '&') {
            continue;
        }
        const bool colour = name[i + 1].b == 'c' && i + 4 < name.size() &&
                            isHexDigit(name[i + 2].b) && isHexDigit(name[i + 3].b) &&
                            isHexDigit(name[i + 4].b);
        if (name[i + 1].b == 'r' || colour) {
            ampersand.add(name[i]);
            ampersand.add(name[i + 1]);
        }
    }
    if (!ampersand.empty()) {
        r.add(Severity::Refused, ampersand, kEzAmpersand);
        r.seeNoName(kNoNameSent);
        return r.done();
    }

    Positions dropped;
    name = dropIf(name, dropped, belowFourteen);
    r.addIf(Severity::GlyphsChanged, dropped, kControlDropped);

    const Positions star =
        where(name, [](uchar b) { return b == '#' || b == '$' || b == ';' || b == 0xDC; });
    if (!star.empty()) {
        r.add(Severity::Refused, star, kEzStar);
        r.seeName(untagged(QByteArrayLiteral("unnamed")));
        return r.done();
    }

    Positions trimmed;
    const auto isSpace = [](const TB& x) { return x.b == ' ' || x.b == 0xA0; };
    const auto firstKept = std::find_if_not(name.begin(), name.end(), isSpace);
    std::for_each(name.begin(), firstKept, [&trimmed](const TB& x) { trimmed.add(x); });
    name.erase(name.begin(), firstKept);  // at once: one byte at a time is quadratic
    while (!name.empty() && isSpace(name.back())) {
        trimmed.add(name.back());
        name.pop_back();
    }
    r.addIf(Severity::GlyphsChanged, trimmed, kEzTrim);

    Positions cut;
    name = keepFirst(name, 31, cut);
    r.addIf(Severity::CutByLength, cut, kServerKeeps31);
    r.seeName(name);
    return r.done();
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
std::vector<Utf8Char> fteUtf8(const Tagged& t) {
    std::vector<Utf8Char> out;
    for (size_t i = 0; i < t.size();) {
        const uchar lead = t[i].b;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const size_t n = lead >= 0xC2 && lead <= 0xDF   ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
        if (n == 0 || i + n > t.size()) {
            break;
        }
        char32_t code = lead & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
        bool valid = true;
        for (size_t k = 1; k < n && valid; ++k) {
            valid = (t[i + k].b & 0xC0) == 0x80;
            code = (code << 6) | (t[i + k].b & 0x3F);
        }
        valid = valid && !(n == 3 && code < 0x800) && !(n == 4 && code < 0x10000) &&
                code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        if (!valid) {
            break;
        }
        out.push_back({i, n, code});
        i += n;
    }
    return out;
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

bool fteMarkupAfterCaret(uchar c) {
    return (c >= '0' && c <= '9') ||
           QByteArrayView("x&ambhdsrU{[]^").contains(static_cast<char>(c));
}

EngineReport fte(const TaggedLine& line) {
    Report r(kFte);
    const Tagged value = valueOf(line);
    const auto unnamed = [&r] {
        r.seeName(untagged(QByteArrayLiteral("unnamed")));
        return r.done();
    };
    if (hasQuote(value)) {
        // With more than one argument the cvar takes the rest of the line; a
        // doubled quote inside quotes is one literal quote. Either way the
        // name holds a quote, which the userinfo does not take.
        r.add(Severity::BreaksLine, quotesIn(value), kFteQuote);
        const qsizetype end = commandEnd(line.bytes, false);
        if (end < line.bytes.size()) {
            Positions semicolon;
            semicolon.add(line.positions[static_cast<size_t>(end)]);
            r.add(Severity::BreaksLine, semicolon, kSemicolonOutside);
        }
        return unnamed();
    }

    // The userinfo: a "large" value leaves the server an empty name.
    Tagged name = value;
    const Positions large = where(name, [](uchar b) {
        return b == 0xFF || b == '\\' || b == '$' || b == ';' || b == '\n' || b == '\r' || b == 0;
    });
    if (!large.empty()) {
        r.add(Severity::Refused, large, kFteLarge);
        return unnamed();
    }
    if (name.size() >= 64) {
        Positions beyond;
        for (size_t i = 63; i < name.size(); ++i) {
            beyond.add(name[i]);
        }
        r.add(Severity::Refused, beyond, kFteTooLong);
        return unnamed();
    }

    // The server's clean-up.
    Positions leading;
    const auto strippedAtStart = [](uchar b) {
        return b == ' ' || b == 0x0C || b == 0x8A || b == 0xA0 || b == 1 || b == 2;
    };
    while (!name.empty() && strippedAtStart(name.front().b)) {
        leading.add(name.front());
        name.erase(name.begin());
    }
    r.addIf(Severity::GlyphsChanged, leading, kFteLeading);
    Positions colons;
    name = dropIf(name, colons, [](uchar b) { return b == ':'; });
    r.addIf(Severity::GlyphsChanged, colons, kFteColon);
    Positions trailing;
    while (!name.empty() && name.back().b <= ' ') {
        trailing.add(name.back());
        name.pop_back();
    }
    r.addIf(Severity::GlyphsChanged, trailing, kFteTrailing);

    if (name.empty()) {
        // No name composed yet is nothing to report.
        Positions all;
        for (const TB& x : value) {
            all.add(x);
        }
        if (all.empty()) {
            r.seeName(name);
            return r.done();
        }
        r.add(Severity::Refused, all, kFteEmpty);
        return unnamed();
    }
    Positions link;
    for (size_t i = 0; i + 1 < name.size(); ++i) {
        if (name[i].b == '^' && name[i + 1].b == '[') {
            link.add(name[i]);
            link.add(name[i + 1]);
        }
    }
    if (!link.empty()) {
        r.add(Severity::Refused, link, kFteLink);
        return unnamed();
    }
    const std::vector<Utf8Char> utf8 = fteUtf8(name);
    Positions pictogram;
    for (const Utf8Char& c : utf8) {
        if (c.code >= 0xE100 && c.code <= 0xE1FF) {
            for (size_t k = 0; k < c.length; ++k) {
                pictogram.add(name[c.at + k]);
            }
        }
    }
    if (!pictogram.empty()) {
        r.add(Severity::Refused, pictogram, kFtePictogram);
        return unnamed();
    }
    const qsizetype console = bytesOf(name).toLower().indexOf("console");
    if (console >= 0) {
        Positions word;
        for (qsizetype k = 0; k < 7; ++k) {
            word.add(name[static_cast<size_t>(console + k)]);
        }
        r.add(Severity::Refused, word, kFteConsole);
        return unnamed();
    }
    Positions cut;
    name = keepFirst(name, 40, cut);
    r.addIf(Severity::CutByLength, cut, kFteCut40);

    // What the scoreboard draws of it.
    for (const Utf8Char& c : fteUtf8(name)) {
        Positions bytes;
        for (size_t k = 0; k < c.length; ++k) {
            bytes.add(name[c.at + k]);
        }
        r.addIf(Severity::GlyphsChanged, bytes, kFteUtf8.arg(codePointText(c.code)));
    }
    Positions markup, ezMarkup;
    for (size_t i = 0; i + 1 < name.size(); ++i) {
        const uchar next = name[i + 1].b;
        if (name[i].b == '^' && fteMarkupAfterCaret(next)) {
            markup.add(name[i]);
            markup.add(name[i + 1]);
            ++i;
        } else if (name[i].b == '&' &&
                   (next == 'r' ||
                    (next == 'c' && i + 4 < name.size() && isHexDigit(name[i + 2].b) &&
                     isHexDigit(name[i + 3].b) && isHexDigit(name[i + 4].b)))) {
            for (size_t k = 0; k < (next == 'r' ? 2u : 5u); ++k) {
                ezMarkup.add(name[i + k]);
            }
        }
    }
    r.addIf(Severity::GlyphsChanged, markup, kFteMarkup);
    r.addIf(Severity::GlyphsChanged, ezMarkup, kFteEzMarkup);
    r.seeName(name);
    return r.done();
}

// ---- Quake II --------------------------------------------------------------

EngineReport quake2(const TaggedLine& line, bool hex) {
    Report r(kQuake2);
    if (hex) {
        r.caveat(kHexModCaveat);
    }
    Tagged name = valueOf(line);
    if (hasQuote(name)) {
        const Positions quotes = quotesIn(name);
        if (line.bytes.count('"') % 2 != 0) {
            r.add(Severity::BreaksLine, quotes, kQ2OddQuotes);
            r.seeNoName(kLineIgnored);
            return r.done();
        }
        name = beforeFirstQuote(name);
        r.add(Severity::BreaksLine, quotes, kQ2EvenQuotes.arg(quoted(bytesOf(name))));
    }
    const Positions invalid = where(name, [](uchar b) { return b == ';' || b == '\\'; });
    if (!invalid.empty()) {
        r.add(Severity::Refused, invalid, kQ2InvalidInfo);
        r.seeNoName(kNameUnchanged);
        return r.done();
    }

    Positions dropped;
    name = dropIf(name, dropped, [](uchar b) { return b < 32 || (b >= 0x80 && b <= 0x9F); });
    r.addIf(Severity::GlyphsChanged, dropped, kControlDropped);

    Positions plain, badInfo, corrupt;
    for (TB& x : name) {
        if (x.b >= 0xA0) {
            x.b &= 0x7F;
            (x.b == ';' ? badInfo : x.b == '\\' ? corrupt : plain).add(x);
        }
    }
    r.addIf(Severity::GlyphsChanged, plain, kQ2HighBit);
    if (!badInfo.empty()) {
        r.add(Severity::Refused, badInfo, kQ2BadInfo);
        r.seeName(untagged(QByteArrayLiteral("badinfo")));
        return r.done();
    }
    if (!corrupt.empty()) {
        const auto at =
            std::find_if(name.begin(), name.end(), [](const TB& x) { return x.b == '\\'; });
        name.erase(at, name.end());
        r.add(Severity::GlyphsChanged, corrupt, kQ2Corrupt);
    }

    Positions cut;
    name = keepFirst(name, 15, cut);
    r.addIf(Severity::CutByLength, cut, hex ? kHexShows15 : kQ2Shows15);
    r.seeName(name);
    return r.done();
}

// ---- Q2PRO -----------------------------------------------------------------

EngineReport q2pro(const TaggedLine& line, bool hex) {
    Report r(kQ2pro);
    if (hex) {
        r.caveat(kHexModCaveat);
    }
    const Tagged value = valueOf(line);
    if (value.empty()) {
        return r.done();  // no name composed yet
    }
    const Positions quotes = quotesIn(value);
    if (line.bytes.count('"') % 2 != 0) {
        r.add(Severity::BreaksLine, quotes, kQ2proOddQuotes);
        r.seeNoName(kLineIgnored);
        return r.done();
    }
    // The tokens after the command word: a quoted one runs to the next
    // quote, another to the next blank, and bytes from 0x80 on count as
    // blanks outside quotes (signed chars). `//` outside quotes ends the line.
    const Tagged all = slice(line, 0, line.bytes.size());
    const auto blank = [](uchar b) { return b <= ' ' || b >= 0x80; };
    const auto comment = [&all](size_t i) {
        return all[i].b == '/' && i + 1 < all.size() && all[i + 1].b == '/';
    };
    std::vector<Tagged> tokens;
    for (size_t i = 0; i < all.size();) {
        if (blank(all[i].b)) {
            ++i;
            continue;
        }
        if (comment(i)) {
            break;
        }
        Tagged token;
        if (all[i].b == '"') {
            for (++i; i < all.size() && all[i].b != '"'; ++i) {
                token.push_back(all[i]);
            }
            ++i;
        } else {
            for (; i < all.size() && !blank(all[i].b) && !comment(i); ++i) {
                token.push_back(all[i]);
            }
        }
        tokens.push_back(token);
    }
    // A cvar set with several arguments joins them with one blank.
    Tagged name;
    for (size_t k = 1; k < tokens.size(); ++k) {
        if (k > 1) {
            name.push_back({' ', 0, ByteRole::Line});
        }
        name.insert(name.end(), tokens[k].begin(), tokens[k].end());
    }
    if (!quotes.empty()) {
        r.add(Severity::BreaksLine, quotes, kQ2proEvenQuotes.arg(quoted(bytesOf(name))));
    } else if (tokens.size() > 2) {
        r.add(Severity::GlyphsChanged, Positions(), kQ2proHexU.arg(quoted(bytesOf(name))));
    }

    const Positions refused = where(name, [](uchar b) {
        const uchar low = b & 0x7F;
        return low == '\\' || low == ';' || low == '"';
    });
    if (!refused.empty() || name.size() >= 64) {
        r.add(Severity::Refused, refused, kQ2proRefused);
        r.seeNoName(kNameUnchanged);
        return r.done();
    }

    // The userinfo sent: high bits cleared, what is not printable dropped.
    Tagged sent;
    Positions plain, dropped;
    for (TB x : name) {
        const uchar low = x.b & 0x7F;
        if (low < 32 || low == 127) {
            dropped.add(x);
            continue;
        }
        if (x.b != low) {
            plain.add(x);
            x.b = low;
        }
        sent.push_back(x);
    }
    r.addIf(Severity::GlyphsChanged, dropped, kQ2proDropped);
    r.addIf(Severity::GlyphsChanged, plain, kQ2proHighBit);

    Positions glyphs;
    for (const TB& x : name) {
        glyphs.add(x);
    }
    // No name composed yet is nothing to report.
    if (!glyphs.empty() &&
        std::all_of(sent.begin(), sent.end(), [](const TB& x) { return x.b == ' '; })) {
        r.add(Severity::Refused, glyphs, kQ2proBlank);
        r.seeNoName(kNotConnected);
        return r.done();
    }
    Positions cut;
    sent = keepFirst(sent, 15, cut);
    r.addIf(Severity::CutByLength, cut, kQ2proKeeps15);
    r.seeName(sent);
    return r.done();
}

// ---- Closed engines ----------------------------------------------------------

EngineReport closedEngine(const QString& name, const QString& published) {
    EngineReport e;
    e.engine = name;
    e.closed = true;
    e.noName = kNoClientCheckText;
    e.caveat = published;
    return e;
}

// ---- Quake III engines -----------------------------------------------------

enum class Q3Engine { Id, Io };

bool isAsciiAlnum(uchar c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// Whether the bytes from `at` on begin with `code`.
bool startsWith(const Tagged& bytes, size_t at, QByteArrayView code) {
    if (at + static_cast<size_t>(code.size()) > bytes.size()) {
        return false;
    }
    for (qsizetype k = 0; k < code.size(); ++k) {
        if (bytes[at + static_cast<size_t>(k)].b != static_cast<uchar>(code[k])) {
            return false;
        }
    }
    return true;
}

// id: a caret and any glyph but another caret; ioquake3: letters and digits only.
bool colourAt(const Tagged& t, size_t i, Q3Engine engine) {
    if (t[i].b != '^' || i + 1 >= t.size()) {
        return false;
    }
    const uchar next = t[i + 1].b;
    return engine == Q3Engine::Id ? next != '^' : isAsciiAlnum(next);
}

EngineReport quake3(const TaggedLine& line, const QString& engineName, Q3Engine engine,
                    const ColourSet& colours) {
    Report r(engineName);
    const Tagged value = valueOf(line);
    const auto isGlyph = [](const TB& x) { return x.role == ByteRole::Glyph; };

    const Positions refused = where(value, [](uchar b) { return b == ';' || b == '\\'; });
    if (!refused.empty()) {
        r.add(Severity::Refused, refused, kQ3Refused);
        r.seeName(untagged(QByteArrayLiteral("UnnamedPlayer")), colours.white);
        return r.done();
    }
    if (engine == Q3Engine::Io) {
        const Positions control = where(value, [](uchar b) { return b < 32 || b == 127; });
        if (!control.empty()) {
            r.add(Severity::Refused, control, kIoControl);
            r.seeNoName(kKicked);
            return r.done();
        }
    }
    Positions visible;
    bool onlyCarets = true;
    for (const TB& x : value) {
        if (isGlyph(x) && x.b != ' ') {
            visible.add(x);
            onlyCarets = onlyCarets && x.b == '^';
        }
    }
    if (!visible.empty() && onlyCarets) {
        r.add(Severity::Refused, visible, kCaretOnly);
        r.seeName(untagged(QByteArrayLiteral("UnnamedPlayer")), colours.white);
        return r.done();
    }

    // The name cleaner: black colour codes go, and spaces past three in a row.
    // Only what it takes of the user's glyphs is reported; a black code this
    // program wrote itself goes unremarked.
    // ClientCleanName also drops spaces at the start: id's (and RtCW's)
    // while nothing of the name has been written, a colour code included;
    // ioquake3's only before the first byte of any kind.
    Tagged clean;
    Positions spaces, colourEaten, leading;
    int run = 0;
    const auto keepSpace = [&](const TB& x) {
        if (x.b != ' ') {
            run = 0;
            return true;
        }
        if (++run > 3) {
            spaces.add(x);
            return false;
        }
        return true;
    };
    if (engine == Q3Engine::Id) {
        for (size_t i = 0; i < value.size(); ++i) {
            const TB& x = value[i];
            if (x.b == '^' && i + 1 < value.size()) {
                const TB& next = value[i + 1];
                if (colours.meansBlack(next.b)) {
                    for (const TB& y : {x, next}) {
                        if (isGlyph(y)) {
                            colourEaten.add(y);
                        }
                    }
                } else {
                    clean.push_back(x);
                    clean.push_back(next);
                    run = 0;
                }
                ++i;
            } else if (x.b == ' ' && clean.empty()) {
                leading.add(x);
            } else if (keepSpace(x)) {
                clean.push_back(x);
            }
        }
    } else {
        std::vector<bool> second;  // clean[i] already ends a colour code
        bool atStart = true;
        for (const TB& x : value) {
            if (atStart && x.b == ' ') {
                leading.add(x);
                continue;
            }
            atStart = false;
            if (x.b != ' ' && !clean.empty() && clean.back().b == '^' && !second.back() &&
                isAsciiAlnum(x.b)) {
                if (colours.meansBlack(x.b)) {
                    const TB caret = clean.back();
                    clean.pop_back();
                    second.pop_back();
                    if (isGlyph(x) || isGlyph(caret)) {
                        colourEaten.add(x);
                        colourEaten.add(caret);
                    }
                    continue;
                }
                clean.push_back(x);
                second.push_back(true);
                run = 0;
                continue;
            }
            if (keepSpace(x)) {
                clean.push_back(x);
                second.push_back(false);
            }
        }
    }

    // MAX_NETNAME: 35 bytes, and a colour code is never split.
    Positions cut;
    {
        size_t i = 0;
        int length = 0;
        while (i < clean.size()) {
            const int step = colourAt(clean, i, engine) ? 2 : 1;
            if (length + step > 35) {
                break;
            }
            length += step;
            i += static_cast<size_t>(step);
        }
        for (size_t k = i; k < clean.size(); ++k) {
            if (isGlyph(clean[k])) {
                cut.add(clean[k]);
            }
        }
        clean.resize(i);
    }

    // What the server sends the others: % and high bytes become dots.
    Positions dots;
    for (TB& x : clean) {
        if (x.b == '%' || x.b > 127) {
            if (isGlyph(x)) {
                dots.add(x);
            }
            x.b = '.';
        }
    }

    // Drawing.
    Tagged shown;
    std::vector<SeenGlyph> seen;
    Positions strayCaret;
    int colour = colours.white;
    for (size_t i = 0; i < clean.size(); ++i) {
        if (colourAt(clean, i, engine)) {
            colour = colours.indexOf(clean[i + 1].b);
            if (isGlyph(clean[i + 1])) {
                colourEaten.add(clean[i + 1]);
                colourEaten.add(clean[i]);
            }
            ++i;
            continue;
        }
        if (clean[i].role == ByteRole::Colour) {
            strayCaret.add(clean[i]);
        }
        seen.push_back({clean[i].b, clean[i].pos, colour});
    }

    Positions black;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i].role == ByteRole::Colour && startsWith(value, i, colours.blackCode)) {
            black.add(value[i]);
        }
    }
    r.addIf(Severity::GlyphsChanged, leading, kLeadingSpaces);
    r.addIf(Severity::GlyphsChanged, colourEaten, kCaretColour);
    r.addIf(Severity::GlyphsChanged, dots, kDots);
    r.addIf(Severity::GlyphsChanged, spaces, kSpaces);
    r.addIf(Severity::CutByLength, cut, kCut35);
    if (engine == Q3Engine::Id) {
        r.addIf(Severity::Cosmetic, strayCaret, kIdBlack);
    } else {
        r.addIf(Severity::GlyphsChanged, black, kIoBlack);
    }

    // A name left with nothing but colour codes is no name: id's cleaner
    // counts every other byte it keeps, spaces too; ioquake3's not spaces.
    const bool named = std::any_of(seen.begin(), seen.end(), [&](const SeenGlyph& g) {
        return g.code != ' ' || engine == Q3Engine::Id;
    });
    if (!named) {
        Positions glyphs;
        for (const TB& x : value) {
            if (isGlyph(x)) {
                glyphs.add(x);
            }
        }
        r.add(Severity::Refused, glyphs, glyphs.empty() ? kEmptyName : kNothingLeft);
        r.seeName(untagged(QByteArrayLiteral("UnnamedPlayer")), colours.white);
        return r.done();
    }
    EngineReport done = r.done();
    done.seen = seen;
    return done;
}

// ---- The games -------------------------------------------------------------

// One case per engine; which engines a game has is its row's.
EngineReport runEngine(CheckEngine engine, const TaggedLine& line, const GameRow& game) {
    const bool hex = game.encoding == Encoding::HexPairs;
    switch (engine) {
        case CheckEngine::IdQuake:
            return netQuakeFamily(line, NetQuake::QuakeSpasm);
        case CheckEngine::VkQuake:
            return netQuakeFamily(line, NetQuake::VkQuake);
        case CheckEngine::Ironwail:
            return netQuakeFamily(line, NetQuake::Ironwail);
        case CheckEngine::IdQuakeWorld:
            return idQuakeWorld(line);
        case CheckEngine::EzQuake:
            return ezQuake(line);
        case CheckEngine::Fte:
            return fte(line);
        case CheckEngine::QuakeRerelease:
            return closedEngine(kQuakeRerelease, kQuakeRereleaseCaveat);
        case CheckEngine::Quake2:
            return quake2(line, hex);
        case CheckEngine::Q2pro:
            return q2pro(line, hex);
        case CheckEngine::Quake2Rerelease:
            return closedEngine(kQuake2Rerelease, kQuake2RereleaseCaveat);
        case CheckEngine::IdQuake3:
            return quake3(line, kIdQuake3, Q3Engine::Id, *game.colours);
        case CheckEngine::Ioquake3:
            return quake3(line, kIoquake3, Q3Engine::Io, *game.colours);
        case CheckEngine::Rtcw:
            return quake3(line, kRtcw, Q3Engine::Id, *game.colours);
        case CheckEngine::HexenII:
            return netQuakeFamily(line, NetQuake::Hexen2);
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
    switch (mode) {
        case GameMode::UrbanTerror:
            return ColourSyntax::UrbanTerror;
        case GameMode::OpenJK:
            return ColourSyntax::OpenJK;
        case GameMode::EtLegacy:
            return ColourSyntax::EtLegacy;
        case GameMode::Warfork:
            return ColourSyntax::Warfork;
        case GameMode::QuakeLive:
            return ColourSyntax::QuakeLive;
        case GameMode::Xonotic:
            return ColourSyntax::DarkPlaces;
        default:
            return std::nullopt;
    }
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
    for (const SeenGlyph& g : seen) {
        out += static_cast<char>(g.code);
    }
    return out;
}

int CheckReport::problemCount() const {
    int n = 0;
    for (const EngineReport& e : engines) {
        n += static_cast<int>(e.findings.size());
    }
    return n;
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
    for (const EngineReport& e : engines) {
        if (e.closed) {
            names << e.engine;
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
    for (size_t k = 0; k < fragments.size(); ++k) {
        const QByteArray& f = fragments[k];
        const int position = static_cast<int>(k) + 1;
        qsizetype code = 0;
        if (const std::optional<ColourSyntax> syntax = familySyntax(mode)) {
            // The codes before the glyph (^xRGB in Xonotic); a code alone is its text.
            while (const qsizetype n = colourCodeLength(*syntax, f, code)) {
                if (code + n >= f.size()) {
                    break;
                }
                code += n;
            }
        } else if (colours && f.size() > 1) {
            code = colourCodeAt(*colours, f, 0, f.size());
        }
        line.append(f.left(code), position, ByteRole::Colour);
        line.append(f.mid(code), position, ByteRole::Glyph);
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
    const QRegularExpressionMatch m = nameCommand.match(QString::fromLatin1(bytes));
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    TaggedLine line;
    line.valueBegin = m.capturedEnd();
    const qsizetype close = bytes.lastIndexOf('"');
    line.valueEnd = close >= line.valueBegin ? close : bytes.size();

    line.append(bytes.left(line.valueBegin), 0, ByteRole::Line);
    int position = 0;
    for (qsizetype i = line.valueBegin; i < line.valueEnd;) {
        if (game.encoding == Encoding::HexPairs) {
            const qsizetype n = std::min<qsizetype>(2, line.valueEnd - i);
            line.append(bytes.mid(i, n), ++position, ByteRole::Glyph);
            i += n;
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
            const qsizetype n = game.encoding == Encoding::Utf8ColourTable
                                    ? utf8GlyphLength(bytes, i, line.valueEnd)
                                : game.encoding == Encoding::XonoticText
                                    ? xonoticGlyphLength(bytes, i, line.valueEnd)
                                    : 1;
            line.append(bytes.mid(i, n), ++position, ByteRole::Glyph);
            i += n;
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
    for (char c : bytes) {
        const auto b = static_cast<uchar>(c);
        if (b == '\\') {
            out += QStringLiteral("\\\\");
        } else if (b >= 0x20 && b < 0x7F) {
            out += QLatin1Char(static_cast<char>(b));
        } else {
            out += QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
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
