#include "check/Quake3FamilyCheck.h"

#include "check/Findings.h"
#include "check/TaggedBytes.h"

#include <algorithm>

#include "modes/ColourSets.h"
#include "modes/TextGames.h"

// Every rule here is one fact read from the engine's own source; where the
// source is closed (Urban Terror's game module, all of Quake Live) the check
// says what is not known instead of guessing.

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

using findings::Report;
using findings::RunStyle;
using tagged::bytesOf;
using tagged::quoted;
using tagged::slice;
using tagged::Tagged;
using tagged::TaggedByte;
using tagged::untagged;
using tagged::valueOf;
// Only the user's glyphs are named: a colour code the program wrote is not
// the user's doing.
constexpr auto kGlyphsOnly = tagged::Naming::GlyphsOnly;
using Positions = tagged::Positions<kGlyphsOnly>;
// The userinfo refuses ; and \ wherever they stand, also as the second byte
// of what the game draws as a colour code (ET: Legacy reads ^; as one).
using Refusals = tagged::Positions<tagged::Naming::EveryByte>;
Refusals refusedBytes(const Tagged& name) {
    return tagged::where(name, [](uchar b) { return b == ';' || b == '\\'; });
}

constexpr int kOpenJKLongestAtRun = 2;            // OpenJK's cleaner keeps this many @ in a row
constexpr size_t kWarforkNameBytes = 31;          // what G_SetName copies
constexpr size_t kWarforkVisibleCharacters = 15;  // and how many characters it shows
constexpr size_t kQuakeLiveNameBytes = 36;        // the longest name minqlx's !name takes

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
const QString kJkAt = u"more than %1 @ in a row are cut to %1."_s.arg(kOpenJKLongestAtRun);

const QString kEtlRefused =
    u"ET: Legacy's userinfo refuses \\ and ; in a name: no name is sent and the server drops "
    u"the player (\"Missing name field in userinfo\")."_s;
const QString kEtlStripped =
    u"ET: Legacy's client removes the bytes 0x80 to 0xA0 and 0xFF from "
    u"a name: these characters lose a byte."_s;
const QString kEtlSwallowed =
    u"a byte left without the rest of its character makes ET: Legacy skip the next byte when "
    u"drawing: this character vanishes."_s;
// %1 is the name's length, %2 the longest ET: Legacy takes.
const QString kEtlTooLong =
    u"the name is %1 bytes long, colour codes included: ET: Legacy refuses more than %2 "
    u"(\"Name too long (>%2)\") and drops a player who renames to it."_s;
// %1 is the name the game gives instead.
const QString kNothingLeft =
    u"no visible character is left of the name: the game calls the player \"%1\"."_s;
const QString kEtlDroppedName = u"the player is dropped"_s;

const QString kWfInvalid =
    u"Warfork refuses \\, \" and ; in a name (\"invalid info cvar value\"): the name stays as it "
    u"was."_s;
const QString kWfTooLongInfo =
    u"Warfork refuses a name of %1 bytes or more (\"invalid info cvar value\"): the name stays "
    u"as it was."_s.arg(findings::kInfoValueBytes);
const QString kWfHighBytes =
    u"Warfork's server removes every byte above 126: other players never see this character."_s;
const QString kWfCutBytes = findings::kServerKeepsBytes.arg(kWarforkNameBytes);
const QString kWfCutCharacters =
    u"the server keeps %1 visible characters of a name; the rest is cut."_s.arg(
        kWarforkVisibleCharacters);
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
// %1 is the longest name !name takes, %2 this name's length.
const QString kQlLong =
    u"a server's !name command (minqlx) refuses names over %1 bytes; this one has %2."_s;
const QString kQlBackslash = u"a server's !name command (minqlx) refuses a backslash."_s;
const QString kQlCaveat =
    u"Quake Live's code is not public. Servers running the minqlx name plugin offer !name, which "
    u"also wants the Steam name once colours are removed; nothing else is known."_s;

constexpr int kWhite = 7;
constexpr int kCross = 215;  // '×', what ET: Legacy draws above its glyph range

// The name as the game's console gives it to the name command, and whether
// a double quote inside it broke the line. `allArguments`: the command
// takes every argument joined by blanks (Cmd_Args), else only the first.
struct Parsed {
    Tagged name;
    Positions quotes;
    bool broken = false;
};

Parsed parseName(const TaggedLine& line, bool allArguments, bool highBytesAreBlank = false) {
    Parsed parsed;
    const Tagged value = valueOf(line);
    for (const TaggedByte& byte : value) {
        if (byte.value == '"') {
            parsed.quotes.add(byte);
            parsed.broken = true;
        }
    }
    if (!parsed.broken) {
        parsed.name = value;
        return parsed;
    }
    // The id tokenizer: blanks separate, a quote opens a token up to the next
    // quote, // outside quotes ends the line.
    const Tagged rest = slice(line, line.valueBegin - 1, line.bytes.size());
    const auto blank = [&](uchar b) { return b <= ' ' || (highBytesAreBlank && b >= 0x80); };
    std::vector<Tagged> tokens;
    size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && blank(rest[i].value)) {
            ++i;
        }
        if (i >= rest.size() ||
            (rest[i].value == '/' && i + 1 < rest.size() && rest[i + 1].value == '/')) {
            break;
        }
        Tagged token;
        if (rest[i].value == '"') {
            ++i;
            while (i < rest.size() && rest[i].value != '"') {
                token.push_back(rest[i++]);
            }
            ++i;
        } else {
            while (i < rest.size() && !blank(rest[i].value) && rest[i].value != '"') {
                token.push_back(rest[i++]);
            }
        }
        tokens.push_back(token);
    }
    for (size_t index = 0; index < tokens.size(); ++index) {
        if (index > 0) {
            if (!allArguments) {
                break;
            }
            parsed.name.push_back({' ', 0, ByteRole::Line});
        }
        parsed.name.insert(parsed.name.end(), tokens[index].begin(), tokens[index].end());
    }
    return parsed;
}

void reportQuote(Report& report, const Parsed& parsed, bool allArguments) {
    if (parsed.broken) {
        report.add(Severity::BreaksLine, parsed.quotes,
                   (allArguments ? kQuoteArgs : kQuoteFirst).arg(quoted(bytesOf(parsed.name))));
    }
}

// The longest run of spaces the cleaner keeps; spaces at the start dropped.
Tagged cleanSpaces(const Tagged& name, Positions& leading, Positions& runs) {
    Tagged out;
    int run = 0;
    for (const TaggedByte& byte : name) {
        if (byte.value == ' ') {
            if (out.empty()) {
                leading.add(byte);
                continue;
            }
            if (++run > findings::kLongestSpaceRun) {
                runs.add(byte);
                continue;
            }
        } else {
            run = 0;
        }
        out.push_back(byte);
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
    Drawn drawn;
    const QByteArray bytes = bytesOf(name);
    int colour = kWhite;
    for (qsizetype i = 0; i < bytes.size();) {
        const TaggedByte& byte = name[static_cast<size_t>(i)];
        if (caretEscapeAt(syntax, bytes, i)) {
            drawn.glyphs.push_back({'^', byte.position, colour});
            i += 2;
            continue;
        }
        if (colourCodeLength(syntax, bytes, i) == 2) {
            const TaggedByte& code = name[static_cast<size_t>(i + 1)];
            if (syntax == ColourSyntax::EtLegacy && code.value == '*') {
                colour = kWhite;
            } else if (syntax == ColourSyntax::UrbanTerror) {
                colour = (code.value - '0') % 10;
            } else if (syntax == ColourSyntax::EtLegacy) {
                colour = (code.value - '0') & 31;
            } else {
                colour = (code.value - '0') & 15;
            }
            if (code.role == ByteRole::Glyph) {
                drawn.colourEaten.add(code);
                drawn.colourEaten.add(byte);
            }
            i += 2;
            continue;
        }
        if (!text || byte.value < 0x80) {
            drawn.glyphs.push_back({byte.value, byte.position, colour});
            ++i;
            continue;
        }
        const int length = utf8Length(byte.value);
        const QByteArray sequence = bytes.mid(i, length);
        const QString decoded = QString::fromUtf8(sequence);
        const bool valid = length > 1 && sequence.size() == length && decoded.size() >= 1 &&
                           !decoded.contains(QChar::ReplacementCharacter);
        if (valid) {
            const char32_t codePoint = decoded.toUcs4().value(0);
            const bool inRange = *text == TextGame::EtLegacy ? codePoint <= 0x52F : true;
            drawn.glyphs.push_back(
                {codePoint <= 0xFF && inRange ? static_cast<int>(codePoint) : kCross, byte.position,
                 colour});
            i += length;
            continue;
        }
        if (*text == TextGame::Warfork) {
            drawn.glyphs.push_back({'?', byte.position, colour});
            ++i;
            continue;
        }
        // ET: Legacy draws the byte as Latin-1, but a lead byte still skips
        // the bytes its sequence would have had.
        drawn.glyphs.push_back({byte.value, byte.position, colour});
        for (qsizetype k = 1; k < length && i + k < bytes.size(); ++k) {
            drawn.swallowed.add(name[static_cast<size_t>(i + k)]);
        }
        i += length;
    }
    return drawn;
}

// Whether the user put a glyph into the name: an empty name is no finding.
bool hasGlyphs(const Tagged& name) {
    return std::any_of(name.begin(), name.end(),
                       [](const TaggedByte& byte) { return byte.role == ByteRole::Glyph; });
}

bool anyVisible(const std::vector<SeenGlyph>& glyphs) {
    return std::any_of(glyphs.begin(), glyphs.end(),
                       [](const SeenGlyph& g) { return g.code != ' '; });
}

// The end of a check whose name shows nothing: the game's own name instead.
EngineReport calledInstead(Report& report, const char* standIn) {
    report.add(Severity::Refused, Positions(), kNothingLeft.arg(QLatin1String(standIn)));
    report.seeName(untagged(standIn), kWhite);
    return report.done();
}

}  // namespace

EngineReport checkUrbanTerror(const TaggedLine& line) {
    Report report(kUrbanTerror, RunStyle::EachPosition);
    report.caveat(kUrtCaveat);
    // ioq3's tokenizer reads bytes above 127 as blanks outside quotes.
    const Parsed parsed = parseName(line, false, true);
    reportQuote(report, parsed, false);
    const Refusals refused = refusedBytes(parsed.name);
    if (!refused.empty()) {
        report.add(Severity::Refused, refused, kUrtRefused);
        report.seeNoName(findings::kNoNameSent);
        return report.done();
    }
    Tagged name = parsed.name;
    Positions dots;
    for (TaggedByte& byte : name) {
        if (byte.value > 127) {
            dots.add(byte);
            byte.value = '.';
        }
    }
    report.addIf(Severity::GlyphsChanged, dots, kDotsOnWire);
    const Drawn drawn = draw(name, ColourSyntax::UrbanTerror, std::nullopt);
    report.addIf(Severity::GlyphsChanged, drawn.colourEaten, kCaretEats);
    report.see(drawn.glyphs);
    return report.done();
}

EngineReport checkOpenJK(const TaggedLine& line) {
    Report report(kOpenJK, RunStyle::EachPosition);
    const Parsed parsed = parseName(line, true);
    reportQuote(report, parsed, true);
    const Refusals refused = refusedBytes(parsed.name);
    if (!refused.empty()) {
        report.add(Severity::Refused, refused, kJkRefused);
        report.seeNoName(kEtlDroppedName);
        return report.done();
    }
    Positions dropped;
    Tagged name = dropIf(parsed.name, dropped, [](uchar b) {
        return b < 0x20 || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D ||
               b == 0xA0 || b == 0xAD;
    });
    Positions leading, runs, ats;
    name = cleanSpaces(name, leading, runs);
    {
        Tagged out;
        int run = 0;
        for (const TaggedByte& byte : name) {
            run = byte.value == '@' ? run + 1 : 0;
            if (run > kOpenJKLongestAtRun) {
                ats.add(byte);
                continue;
            }
            out.push_back(byte);
        }
        name = out;
    }
    Positions cut;
    name = keepFirst(name, findings::kNetNameBytes, cut);
    report.addIf(Severity::GlyphsChanged, dropped, kJkDropped);
    report.addIf(Severity::GlyphsChanged, leading, kLeadingSpaces);
    report.addIf(Severity::GlyphsChanged, runs, findings::kSpaceRunCut);
    report.addIf(Severity::GlyphsChanged, ats, kJkAt);
    report.addIf(Severity::CutByLength, cut, findings::kNetNameCut);
    const Drawn drawn = draw(name, ColourSyntax::OpenJK, std::nullopt);
    report.addIf(Severity::GlyphsChanged, drawn.colourEaten, kCaretEats);
    if (!anyVisible(drawn.glyphs) && hasGlyphs(parsed.name)) {
        return calledInstead(report, "Padawan");
    }
    report.see(drawn.glyphs);
    return report.done();
}

EngineReport checkEtLegacy(const TaggedLine& line) {
    Report report(kEtLegacy, RunStyle::EachPosition);
    const Parsed parsed = parseName(line, true);
    reportQuote(report, parsed, true);
    const Refusals refused = refusedBytes(parsed.name);
    if (!refused.empty()) {
        report.add(Severity::Refused, refused, kEtlRefused);
        report.seeNoName(kEtlDroppedName);
        return report.done();
    }
    Positions stripped;
    Tagged name = dropIf(parsed.name, stripped,
                         [](uchar b) { return textGameDropsByte(TextGame::EtLegacy, b); });
    report.addIf(Severity::GlyphsChanged, stripped, kEtlStripped);
    if (name.size() > static_cast<size_t>(findings::kNetNameBytes)) {
        Positions beyond;
        for (size_t i = findings::kNetNameBytes; i < name.size(); ++i) {
            beyond.add(name[i]);
        }
        report.add(Severity::Refused, beyond,
                   kEtlTooLong.arg(QString::number(name.size()),
                                   QString::number(findings::kNetNameBytes)));
        report.seeNoName(kEtlDroppedName);
        return report.done();
    }
    Positions leading, runs;
    name = cleanSpaces(name, leading, runs);
    report.addIf(Severity::GlyphsChanged, leading, kLeadingSpaces);
    report.addIf(Severity::GlyphsChanged, runs, findings::kSpaceRunCut);
    Positions percent;
    for (TaggedByte& byte : name) {
        if (byte.value == '%') {
            percent.add(byte);
            byte.value = '.';
        }
    }
    report.addIf(Severity::GlyphsChanged, percent, kPercentDot);
    const Drawn drawn = draw(name, ColourSyntax::EtLegacy, TextGame::EtLegacy);
    report.addIf(Severity::GlyphsChanged, drawn.colourEaten, kCaretEats);
    report.addIf(Severity::GlyphsChanged, drawn.swallowed, kEtlSwallowed);
    if (!anyVisible(drawn.glyphs) && hasGlyphs(parsed.name)) {
        return calledInstead(report, "UnnamedPlayer");
    }
    report.see(drawn.glyphs);
    return report.done();
}

EngineReport checkWarfork(const TaggedLine& line) {
    Report report(kWarfork, RunStyle::EachPosition);
    report.caveat(kWfCaveat);
    const Parsed parsed = parseName(line, false);
    reportQuote(report, parsed, false);
    const Refusals refused = refusedBytes(parsed.name);
    if (!refused.empty() || parsed.name.size() >= static_cast<size_t>(findings::kInfoValueBytes)) {
        report.add(Severity::Refused, refused, refused.empty() ? kWfTooLongInfo : kWfInvalid);
        report.seeNoName(findings::kNameUnchanged);
        return report.done();
    }
    const QString asText = QString::fromLatin1(bytesOf(parsed.name));
    for (const QString& start : kWfKnownDisallowed) {
        if (asText.startsWith(start)) {
            report.add(Severity::Cosmetic, Positions(), kWfDisallowed.arg(u'"' + start + u'"'));
            break;
        }
    }
    // The server's G_SetName, in its order.
    Positions cutBytes, high, trimmed, cutCharacters;
    Tagged name = keepFirst(parsed.name, kWarforkNameBytes, cutBytes);
    name = dropIf(name, high, [](uchar b) { return textGameDropsByte(TextGame::Warfork, b); });
    const auto isTrimmed = [](uchar b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n'; };
    while (!name.empty() && isTrimmed(name.front().value)) {
        trimmed.add(name.front());
        name.erase(name.begin());
    }
    while (!name.empty() && isTrimmed(name.back().value)) {
        trimmed.add(name.back());
        name.pop_back();
    }
    report.addIf(Severity::GlyphsChanged, high, kWfHighBytes);
    report.addIf(Severity::GlyphsChanged, trimmed, kWfTrim);
    report.addIf(Severity::CutByLength, cutBytes, kWfCutBytes);

    Drawn drawn = draw(name, ColourSyntax::Warfork, TextGame::Warfork);
    QByteArray plain;
    for (const SeenGlyph& glyph : drawn.glyphs) {
        plain += static_cast<char>(glyph.code);
    }
    const bool visibleAscii = std::any_of(plain.begin(), plain.end(), [](char c) {
        return static_cast<uchar>(c) >= 33 && static_cast<uchar>(c) <= 126;
    });
    const QString lower = QString::fromLatin1(plain).toLower();
    const bool reserved =
        std::any_of(kWfReserved.begin(), kWfReserved.end(),
                    [&](const QString& prefix) { return lower.startsWith(prefix); });
    if ((!visibleAscii && hasGlyphs(parsed.name)) || reserved) {
        report.add(Severity::Refused, Positions(), kWfPlayer);
        report.seeName(untagged("Player"), kWhite);
        return report.done();
    }
    if (drawn.glyphs.size() > kWarforkVisibleCharacters) {
        for (size_t i = kWarforkVisibleCharacters; i < drawn.glyphs.size(); ++i) {
            cutCharacters.add(TaggedByte{0, drawn.glyphs[i].position, ByteRole::Glyph});
        }
        drawn.glyphs.resize(kWarforkVisibleCharacters);
    }
    report.addIf(Severity::CutByLength, cutCharacters, kWfCutCharacters);
    report.addIf(Severity::GlyphsChanged, drawn.colourEaten, kCaretEats);
    report.see(drawn.glyphs);
    return report.done();
}

EngineReport checkQuakeLive(const TaggedLine& line) {
    Report report(kQuakeLive, RunStyle::EachPosition);
    report.caveat(kQlCaveat);
    report.add(Severity::Refused, Positions(), kQlNotHowText);
    const Tagged value = valueOf(line);
    report.addIf(Severity::Refused, tagged::where(value, [](uchar b) { return b == '\\'; }),
                 kQlBackslash);
    if (value.size() > kQuakeLiveNameBytes) {
        Positions beyond;
        for (size_t i = kQuakeLiveNameBytes; i < value.size(); ++i) {
            beyond.add(value[i]);
        }
        report.add(
            Severity::CutByLength, beyond,
            kQlLong.arg(QString::number(kQuakeLiveNameBytes), QString::number(value.size())));
    }
    report.seeNoName(kQlNoName);
    return report.done();
}

}  // namespace vtl
