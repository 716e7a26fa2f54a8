#include "check/Quake3FamilyCheck.h"
#include "check/TaggedBytes.h"

#include <algorithm>
#include <functional>
#include <set>

#include "modes/ColourSets.h"
#include "modes/TextGames.h"

// Every rule here is one fact read from the engine's own source; where the
// source is closed (Urban Terror's game module, all of Quake Live) the check
// says what is not known instead of guessing.

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

using tagged::bytesOf;
using tagged::quoted;
using tagged::slice;
using tagged::Tagged;
using tagged::TB;

const QString kUrbanTerror = u"Urban Terror 4.3"_s;
const QString kOpenJK = u"OpenJK (Jedi Academy)"_s;
const QString kEtLegacy = u"ET: Legacy"_s;
const QString kWarfork = u"Warfork"_s;
const QString kQuakeLive = u"Quake Live"_s;

// %1 is the name as the game sets it.
const QString kQuoteArgs =
    u"a double quote ends the quoted name early, and the game joins the "
    u"rest of the line into the name: it becomes %1."_s;
const QString kQuoteFirst = u"a double quote ends the name early: the game keeps only %1."_s;
const QString kDotsOnWire =
    u"other players see a dot for every byte above 127; only the local setting keeps them."_s;
const QString kPercentDot = u"other players see a dot for %."_s;
const QString kCaretEats =
    u"a caret followed by this character makes a colour code: the character vanishes."_s;
const QString kSpaces3 = u"more than 3 spaces in a row are cut to 3."_s;
const QString kLeadingSpaces = u"the server drops spaces at the start of the name."_s;

const QString kUrtRefused =
    u"the userinfo refuses ; and \\ in a name: the name is not sent, and what the closed game "
    u"module then calls the player is not known."_s;
const QString kUrtCaveat =
    u"Urban Terror's game module is closed: how its server cleans, cuts or colours a name is "
    u"not known; only the engine's rules are checked."_s;

const QString kJkRefused =
    u"OpenJK refuses \\, ; and \" in a name: no name is sent and the "
    u"server drops the player."_s;
const QString kJkDropped =
    u"OpenJK's server removes control characters and the bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D, "
    u"0xA0 and 0xAD from a name."_s;
const QString kJkAt = u"more than 2 @ in a row are cut to 2."_s;
const QString kJkCut35 = u"names are cut at 35 bytes, colour codes included; the rest is cut."_s;
const QString kJkNothingLeft =
    u"no visible character is left of the name: the game calls the player \"Padawan\"."_s;

const QString kEtlRefused =
    u"ET: Legacy's userinfo refuses \\ and ; in a name: no name is sent and the server drops "
    u"the player (\"Missing name field in userinfo\")."_s;
const QString kEtlStripped =
    u"ET: Legacy's client removes the bytes 0x80 to 0xA0 and 0xFF from "
    u"a name: these characters lose a byte."_s;
const QString kEtlSwallowed =
    u"a byte left without the rest of its character makes ET: Legacy skip the next byte when "
    u"drawing: this character vanishes."_s;
const QString kEtlTooLong =
    u"the name is %1 bytes long, colour codes included: ET: Legacy refuses more than 35 "
    u"(\"Name too long (>35)\") and drops a player who renames to it."_s;
const QString kEtlNothingLeft =
    u"no visible character is left of the name: the game calls the player \"UnnamedPlayer\"."_s;
const QString kEtlDroppedName = u"the player is dropped"_s;

const QString kWfInvalid =
    u"Warfork refuses \\, \" and ; in a name (\"invalid info cvar value\"): the name stays as it "
    u"was."_s;
const QString kWfTooLongInfo =
    u"Warfork refuses a name of 64 bytes or more (\"invalid info cvar value\"): the name stays "
    u"as it was."_s;
const QString kWfHighBytes =
    u"Warfork's server removes every byte above 126: other players never see this character."_s;
const QString kWfCut31 = u"the server keeps 31 bytes of a name; the rest is cut."_s;
const QString kWfCut15 = u"the server keeps 15 visible characters of a name; the rest is cut."_s;
const QString kWfTrim = u"the server trims spaces at the start and end of the name."_s;
const QString kWfPlayer =
    u"the server wants at least one visible ASCII character and refuses names starting with "
    u"console, [team], [spec], [bot], [coach] or [tv]: it calls the player \"Player\"."_s;
const QString kWfDisallowed =
    u"Warfork's start-up replaces a name beginning with %1 (one of 26 such names) when the name "
    u"is set in config.cfg or autoexec.cfg; autoexec_postinit.cfg keeps it."_s;
const QStringList kWfReserved = {u"console"_s, u"[team]"_s,  u"[spec]"_s,
                                 u"[bot]"_s,   u"[coach]"_s, u"[tv]"_s};
const QString kWfCaveat =
    u"Warfork's name code is changing; what is checked is the code of its public repository."_s;
// Six of the 26 names Warfork's start-up replaces; the others are not known here.
const QStringList kWfKnownDisallowed = {u"Player"_s, u"Fred"_s, u"Luke"_s,
                                        u"Nico"_s,   u"Dino"_s, u"Cora"_s};

const QString kQlNoName = u"Quake Live takes the name from Steam: a name line does not set it"_s;
const QString kQlNotHowText =
    u"a name line is not how Quake Live sets a name: the game shows the Steam name."_s;
const QString kQlLong =
    u"a server's !name command (minqlx) refuses names over 36 bytes; this one has %1."_s;
const QString kQlBackslash = u"a server's !name command (minqlx) refuses a backslash."_s;
const QString kQlCaveat =
    u"Quake Live's code is not public. Servers running the minqlx name plugin offer !name, which "
    u"also wants the Steam name once colours are removed; nothing else is known."_s;

constexpr int kWhite = 7;
constexpr int kCross = 215;  // '×', what ET: Legacy draws above its glyph range

class Positions {
  public:
    void add(const TB& x) {
        if (x.pos > 0 && x.role == ByteRole::Glyph) {
            set_.insert(x.pos);
        }
    }
    bool empty() const { return set_.empty(); }
    QList<int> list() const { return QList<int>(set_.begin(), set_.end()); }

  private:
    std::set<int> set_;
};

class Report {
  public:
    explicit Report(const QString& engine) { r_.engine = engine; }
    void add(Severity severity, const Positions& where, const QString& sentence) {
        const QList<int> list = where.list();
        QString s = sentence;
        if (list.isEmpty()) {
            s[0] = s[0].toUpper();
        } else {
            QStringList numbers;
            for (int p : list) {
                numbers << QString::number(p);
            }
            s = (list.size() == 1 ? u"Position "_s : u"Positions "_s) + numbers.join(u", "_s) +
                u": "_s + s;
        }
        r_.findings.append(Finding{severity, list, s});
    }
    void addIf(Severity severity, const Positions& where, const QString& sentence) {
        if (!where.empty()) {
            add(severity, where, sentence);
        }
    }
    void seeText(const QByteArray& text) {
        r_.seen.clear();
        for (char c : text) {
            r_.seen.push_back({static_cast<uchar>(c), 0, kWhite});
        }
    }
    void see(std::vector<SeenGlyph> seen) { r_.seen = std::move(seen); }
    void seeNoName(const QString& why) {
        r_.seen.clear();
        r_.noName = why;
    }
    void caveat(const QString& c) { r_.caveat = c; }
    EngineReport done() {
        std::stable_sort(
            r_.findings.begin(), r_.findings.end(),
            [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
        return r_;
    }

  private:
    EngineReport r_;
};

Positions where(const Tagged& t, const std::function<bool(uchar)>& test) {
    Positions p;
    for (const TB& x : t) {
        if (test(x.b)) {
            p.add(x);
        }
    }
    return p;
}

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

Tagged keepFirst(const Tagged& t, size_t limit, Positions& cut) {
    for (size_t i = limit; i < t.size(); ++i) {
        cut.add(t[i]);
    }
    return Tagged(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(std::min(limit, t.size())));
}

// The name as the game's console gives it to the name command, and whether
// a double quote inside it broke the line. `allArguments`: the command
// takes every argument joined by blanks (Cmd_Args), else only the first.
struct Parsed {
    Tagged name;
    Positions quotes;
    bool broken = false;
};

Parsed parseName(const TaggedLine& line, bool allArguments, bool highBytesAreBlank = false) {
    Parsed p;
    const Tagged value = slice(line, line.valueBegin, line.valueEnd);
    for (const TB& x : value) {
        if (x.b == '"') {
            p.quotes.add(x);
            p.broken = true;
        }
    }
    if (!p.broken) {
        p.name = value;
        return p;
    }
    // The id tokenizer: blanks separate, a quote opens a token up to the next
    // quote, // outside quotes ends the line.
    const Tagged rest = slice(line, line.valueBegin - 1, line.bytes.size());
    const auto blank = [&](uchar b) { return b <= ' ' || (highBytesAreBlank && b >= 0x80); };
    std::vector<Tagged> tokens;
    size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && blank(rest[i].b)) {
            ++i;
        }
        if (i >= rest.size() || (rest[i].b == '/' && i + 1 < rest.size() && rest[i + 1].b == '/')) {
            break;
        }
        Tagged token;
        if (rest[i].b == '"') {
            ++i;
            while (i < rest.size() && rest[i].b != '"') {
                token.push_back(rest[i++]);
            }
            ++i;
        } else {
            while (i < rest.size() && !blank(rest[i].b) && rest[i].b != '"') {
                token.push_back(rest[i++]);
            }
        }
        tokens.push_back(token);
    }
    for (size_t t = 0; t < tokens.size(); ++t) {
        if (t > 0) {
            if (!allArguments) {
                break;
            }
            p.name.push_back({' ', 0, ByteRole::Line});
        }
        p.name.insert(p.name.end(), tokens[t].begin(), tokens[t].end());
    }
    return p;
}

void reportQuote(Report& r, const Parsed& p, bool allArguments) {
    if (p.broken) {
        r.add(Severity::BreaksLine, p.quotes,
              (allArguments ? kQuoteArgs : kQuoteFirst).arg(quoted(bytesOf(p.name))));
    }
}

// At most three spaces in a row; spaces at the start dropped.
Tagged cleanSpaces(const Tagged& name, Positions& leading, Positions& runs) {
    Tagged out;
    int run = 0;
    for (const TB& x : name) {
        if (x.b == ' ') {
            if (out.empty()) {
                leading.add(x);
                continue;
            }
            if (++run > 3) {
                runs.add(x);
                continue;
            }
        } else {
            run = 0;
        }
        out.push_back(x);
    }
    return out;
}

// The glyphs the game draws, with the colour index each is drawn in.
// `textGame`: the bytes are UTF-8 and decoded to characters.
struct Drawn {
    std::vector<SeenGlyph> glyphs;
    Positions colourEaten;  // the user's characters taken as a colour
    Positions swallowed;    // ET: Legacy's skipped bytes
};

int utf8Length(uchar lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

Drawn draw(const Tagged& name, ColourSyntax syntax, std::optional<TextGame> text) {
    Drawn d;
    const QByteArray bytes = bytesOf(name);
    int colour = kWhite;
    for (qsizetype i = 0; i < bytes.size();) {
        const TB& x = name[static_cast<size_t>(i)];
        if (caretEscapeAt(syntax, bytes, i)) {
            d.glyphs.push_back({'^', x.pos, colour});
            i += 2;
            continue;
        }
        if (colourCodeLength(syntax, bytes, i) == 2) {
            const TB& code = name[static_cast<size_t>(i + 1)];
            const char c = static_cast<char>(code.b);
            if (syntax == ColourSyntax::EtLegacy && c == '*') {
                colour = kWhite;
            } else if (syntax == ColourSyntax::UrbanTerror) {
                colour = (code.b - '0') % 10;
            } else if (syntax == ColourSyntax::EtLegacy) {
                colour = (code.b - '0') & 31;
            } else {
                colour = (code.b - '0') & 15;
            }
            if (code.role == ByteRole::Glyph) {
                d.colourEaten.add(code);
                d.colourEaten.add(x);
            }
            i += 2;
            continue;
        }
        if (!text || x.b < 0x80) {
            d.glyphs.push_back({x.b, x.pos, colour});
            ++i;
            continue;
        }
        const int length = utf8Length(x.b);
        const QByteArray sequence = bytes.mid(i, length);
        const QString decoded = QString::fromUtf8(sequence);
        const bool valid = length > 1 && sequence.size() == length && decoded.size() >= 1 &&
                           !decoded.contains(QChar::ReplacementCharacter);
        if (valid) {
            const char32_t cp = decoded.toUcs4().value(0);
            const bool inRange = *text == TextGame::EtLegacy ? cp <= 0x52F : true;
            d.glyphs.push_back(
                {cp <= 0xFF && inRange ? static_cast<int>(cp) : kCross, x.pos, colour});
            i += length;
            continue;
        }
        if (*text == TextGame::Warfork) {
            d.glyphs.push_back({'?', x.pos, colour});
            ++i;
            continue;
        }
        // ET: Legacy draws the byte as Latin-1, but a lead byte still skips
        // the bytes its sequence would have had.
        d.glyphs.push_back({x.b, x.pos, colour});
        for (qsizetype k = 1; k < length && i + k < bytes.size(); ++k) {
            d.swallowed.add(name[static_cast<size_t>(i + k)]);
        }
        i += length;
    }
    return d;
}

// Whether the user put a glyph into the name: an empty name is no finding.
bool hasGlyphs(const Tagged& name) {
    return std::any_of(name.begin(), name.end(),
                       [](const TB& x) { return x.role == ByteRole::Glyph; });
}

bool anyVisible(const std::vector<SeenGlyph>& glyphs) {
    return std::any_of(glyphs.begin(), glyphs.end(),
                       [](const SeenGlyph& g) { return g.code != ' '; });
}

}  // namespace

EngineReport checkUrbanTerror(const TaggedLine& line) {
    Report r(kUrbanTerror);
    r.caveat(kUrtCaveat);
    // ioq3's tokenizer reads bytes above 127 as blanks outside quotes.
    const Parsed p = parseName(line, false, true);
    reportQuote(r, p, false);
    const Positions refused = where(p.name, [](uchar b) { return b == ';' || b == '\\'; });
    if (!refused.empty()) {
        r.add(Severity::Refused, refused, kUrtRefused);
        r.seeNoName(u"no name is sent"_s);
        return r.done();
    }
    Tagged name = p.name;
    Positions dots;
    for (TB& x : name) {
        if (x.b > 127) {
            dots.add(x);
            x.b = '.';
        }
    }
    r.addIf(Severity::GlyphsChanged, dots, kDotsOnWire);
    const Drawn d = draw(name, ColourSyntax::UrbanTerror, std::nullopt);
    r.addIf(Severity::GlyphsChanged, d.colourEaten, kCaretEats);
    r.see(d.glyphs);
    return r.done();
}

EngineReport checkOpenJK(const TaggedLine& line) {
    Report r(kOpenJK);
    const Parsed p = parseName(line, true);
    reportQuote(r, p, true);
    const Positions refused = where(p.name, [](uchar b) { return b == ';' || b == '\\'; });
    if (!refused.empty()) {
        r.add(Severity::Refused, refused, kJkRefused);
        r.seeNoName(kEtlDroppedName);
        return r.done();
    }
    Positions dropped;
    Tagged name = dropIf(p.name, dropped, [](uchar b) {
        return b < 0x20 || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D ||
               b == 0xA0 || b == 0xAD;
    });
    Positions leading, runs, ats;
    name = cleanSpaces(name, leading, runs);
    {
        Tagged out;
        int run = 0;
        for (const TB& x : name) {
            run = x.b == '@' ? run + 1 : 0;
            if (run > 2) {
                ats.add(x);
                continue;
            }
            out.push_back(x);
        }
        name = out;
    }
    Positions cut;
    name = keepFirst(name, 35, cut);
    r.addIf(Severity::GlyphsChanged, dropped, kJkDropped);
    r.addIf(Severity::GlyphsChanged, leading, kLeadingSpaces);
    r.addIf(Severity::GlyphsChanged, runs, kSpaces3);
    r.addIf(Severity::GlyphsChanged, ats, kJkAt);
    r.addIf(Severity::CutByLength, cut, kJkCut35);
    const Drawn d = draw(name, ColourSyntax::OpenJK, std::nullopt);
    r.addIf(Severity::GlyphsChanged, d.colourEaten, kCaretEats);
    if (!anyVisible(d.glyphs) && hasGlyphs(p.name)) {
        r.add(Severity::Refused, Positions(), kJkNothingLeft);
        r.seeText("Padawan");
        return r.done();
    }
    r.see(d.glyphs);
    return r.done();
}

EngineReport checkEtLegacy(const TaggedLine& line) {
    Report r(kEtLegacy);
    const Parsed p = parseName(line, true);
    reportQuote(r, p, true);
    const Positions refused = where(p.name, [](uchar b) { return b == ';' || b == '\\'; });
    if (!refused.empty()) {
        r.add(Severity::Refused, refused, kEtlRefused);
        r.seeNoName(kEtlDroppedName);
        return r.done();
    }
    Positions stripped;
    Tagged name =
        dropIf(p.name, stripped, [](uchar b) { return textGameDropsByte(TextGame::EtLegacy, b); });
    r.addIf(Severity::GlyphsChanged, stripped, kEtlStripped);
    if (name.size() > 35) {
        Positions beyond;
        for (size_t i = 35; i < name.size(); ++i) {
            beyond.add(name[i]);
        }
        r.add(Severity::Refused, beyond, kEtlTooLong.arg(name.size()));
        r.seeNoName(kEtlDroppedName);
        return r.done();
    }
    Positions leading, runs;
    name = cleanSpaces(name, leading, runs);
    r.addIf(Severity::GlyphsChanged, leading, kLeadingSpaces);
    r.addIf(Severity::GlyphsChanged, runs, kSpaces3);
    Positions percent;
    for (TB& x : name) {
        if (x.b == '%') {
            percent.add(x);
            x.b = '.';
        }
    }
    r.addIf(Severity::GlyphsChanged, percent, kPercentDot);
    const Drawn d = draw(name, ColourSyntax::EtLegacy, TextGame::EtLegacy);
    r.addIf(Severity::GlyphsChanged, d.colourEaten, kCaretEats);
    r.addIf(Severity::GlyphsChanged, d.swallowed, kEtlSwallowed);
    if (!anyVisible(d.glyphs) && hasGlyphs(p.name)) {
        r.add(Severity::Refused, Positions(), kEtlNothingLeft);
        r.seeText("UnnamedPlayer");
        return r.done();
    }
    r.see(d.glyphs);
    return r.done();
}

EngineReport checkWarfork(const TaggedLine& line) {
    Report r(kWarfork);
    r.caveat(kWfCaveat);
    const Parsed p = parseName(line, false);
    reportQuote(r, p, false);
    const Positions refused = where(p.name, [](uchar b) { return b == ';' || b == '\\'; });
    if (!refused.empty() || p.name.size() >= 64) {
        r.add(Severity::Refused, refused, refused.empty() ? kWfTooLongInfo : kWfInvalid);
        r.seeNoName(u"the name stays as it was"_s);
        return r.done();
    }
    const QString asText = QString::fromLatin1(bytesOf(p.name));
    for (const QString& start : kWfKnownDisallowed) {
        if (asText.startsWith(start)) {
            r.add(Severity::Cosmetic, Positions(), kWfDisallowed.arg(u'"' + start + u'"'));
            break;
        }
    }
    // The server's G_SetName, in its order.
    Positions cut31, high, trimmed, cut15;
    Tagged name = keepFirst(p.name, 31, cut31);
    name = dropIf(name, high, [](uchar b) { return textGameDropsByte(TextGame::Warfork, b); });
    const auto isTrimmed = [](uchar b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n'; };
    while (!name.empty() && isTrimmed(name.front().b)) {
        trimmed.add(name.front());
        name.erase(name.begin());
    }
    while (!name.empty() && isTrimmed(name.back().b)) {
        trimmed.add(name.back());
        name.pop_back();
    }
    r.addIf(Severity::GlyphsChanged, high, kWfHighBytes);
    r.addIf(Severity::GlyphsChanged, trimmed, kWfTrim);
    r.addIf(Severity::CutByLength, cut31, kWfCut31);

    Drawn d = draw(name, ColourSyntax::Warfork, TextGame::Warfork);
    QByteArray plain;
    for (const SeenGlyph& g : d.glyphs) {
        plain += static_cast<char>(g.code);
    }
    const bool visibleAscii = std::any_of(plain.begin(), plain.end(), [](char c) {
        return static_cast<uchar>(c) >= 33 && static_cast<uchar>(c) <= 126;
    });
    const QString lower = QString::fromLatin1(plain).toLower();
    const bool reserved =
        std::any_of(kWfReserved.begin(), kWfReserved.end(),
                    [&](const QString& prefix) { return lower.startsWith(prefix); });
    if ((!visibleAscii && hasGlyphs(p.name)) || reserved) {
        r.add(Severity::Refused, Positions(), kWfPlayer);
        r.seeText("Player");
        return r.done();
    }
    if (d.glyphs.size() > 15) {
        for (size_t i = 15; i < d.glyphs.size(); ++i) {
            TB x{0, d.glyphs[i].position, ByteRole::Glyph};
            cut15.add(x);
        }
        d.glyphs.resize(15);
    }
    r.addIf(Severity::CutByLength, cut15, kWfCut15);
    r.addIf(Severity::GlyphsChanged, d.colourEaten, kCaretEats);
    r.see(d.glyphs);
    return r.done();
}

EngineReport checkQuakeLive(const TaggedLine& line) {
    Report r(kQuakeLive);
    r.caveat(kQlCaveat);
    r.add(Severity::Refused, Positions(), kQlNotHowText);
    const Tagged value = slice(line, line.valueBegin, line.valueEnd);
    r.addIf(Severity::Refused, where(value, [](uchar b) { return b == '\\'; }), kQlBackslash);
    if (value.size() > 36) {
        Positions beyond;
        for (size_t i = 36; i < value.size(); ++i) {
            beyond.add(value[i]);
        }
        r.add(Severity::CutByLength, beyond, kQlLong.arg(value.size()));
    }
    r.seeNoName(kQlNoName);
    return r.done();
}

}  // namespace vtl
