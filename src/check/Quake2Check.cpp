#include "check/Quake2Check.h"

#include "check/Findings.h"
#include "check/TaggedBytes.h"

#include <algorithm>

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

// The name Quake II shows and the Q2PRO server keeps: 16 bytes with the zero.
constexpr int kQuake2NameBytes = 15;

const QString kQuake2 = u"Quake II (id 3.21, Yamagi)"_s;
const QString kQ2pro = u"Q2PRO"_s;
const QString kQuake2Rerelease = u"Quake II (2023 re-release)"_s;

// The re-release's engine is not public: only what its makers published.
const QString kQuake2RereleaseCaveat =
    u"Its engine has no public source. Its makers write that it reads player names as UTF-8 "
    u"and that the game copies a name into 32 bytes; they say nothing of colours, of the "
    u"config file or of characters it refuses."_s;
const QString kHexModCaveat =
    u"The engine keeps the hex digits unharmed; what the server mod decodes is not known."_s;

// %1 is a name as the game sets it.
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
const QString kQ2Shows =
    u"Quake II shows %1 bytes of a name in the game; the rest is cut."_s.arg(kQuake2NameBytes);
const QString kHexShows =
    u"the game shows %1 characters of the name, %2\u00BD glyphs of hex; "
    u"the rest is cut."_s.arg(kQuake2NameBytes)
        .arg(kQuake2NameBytes / 2);
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
    u"187 and 220), or of %1 bytes or more: the name stays as it was."_s.arg(
        findings::kInfoValueBytes);
const QString kQ2proHighBit =
    u"Q2PRO clears the high bit before any server sees the name: everyone else sees the plain "
    u"glyph (code 193 shows as A)."_s;
const QString kQ2proDropped =
    u"Q2PRO drops control glyphs from the name before any server sees it."_s;
const QString kQ2proBlank = u"the Q2PRO server refuses a blank name when the player connects."_s;
const QString kQ2proKeeps =
    u"the Q2PRO server keeps %1 bytes of a name; the rest is cut."_s.arg(kQuake2NameBytes);

const QString kNotConnected = u"the player cannot connect"_s;

// The tokens after the command word, as Q2PRO's console reads them: a quoted
// one runs to the next quote, another to the next blank, and bytes from 0x80
// on count as blanks outside quotes (signed chars). `//` outside quotes ends
// the line.
std::vector<Tagged> q2proTokens(const Tagged& all) {
    const auto blank = [](uchar b) { return b <= ' ' || b >= 0x80; };
    const auto comment = [&all](size_t i) {
        return all[i].value == '/' && i + 1 < all.size() && all[i + 1].value == '/';
    };
    std::vector<Tagged> tokens;
    for (size_t i = 0; i < all.size();) {
        if (blank(all[i].value)) {
            ++i;
            continue;
        }
        if (comment(i)) {
            break;
        }
        Tagged token;
        if (all[i].value == '"') {
            for (++i; i < all.size() && all[i].value != '"'; ++i) {
                token.push_back(all[i]);
            }
            ++i;
        } else {
            for (; i < all.size() && !blank(all[i].value) && !comment(i); ++i) {
                token.push_back(all[i]);
            }
        }
        tokens.push_back(token);
    }
    return tokens;
}

}  // namespace

EngineReport checkQuake2(const TaggedLine& line, bool hex) {
    Report report(kQuake2);
    if (hex) {
        report.caveat(kHexModCaveat);
    }
    Tagged name = valueOf(line);
    if (hasQuote(name)) {
        const Positions quotes = quotesIn(name);
        if (line.bytes.count('"') % 2 != 0) {
            report.add(Severity::BreaksLine, quotes, kQ2OddQuotes);
            report.seeNoName(findings::kLineIgnored);
            return report.done();
        }
        name = beforeFirstQuote(name);
        report.add(Severity::BreaksLine, quotes, kQ2EvenQuotes.arg(quoted(bytesOf(name))));
    }
    const Positions invalid = where(name, [](uchar b) { return b == ';' || b == '\\'; });
    if (!invalid.empty()) {
        report.add(Severity::Refused, invalid, kQ2InvalidInfo);
        report.seeNoName(findings::kNameUnchanged);
        return report.done();
    }

    Positions dropped;
    name = dropIf(name, dropped, [](uchar b) { return b < 32 || (b >= 0x80 && b <= 0x9F); });
    report.addIf(Severity::GlyphsChanged, dropped, findings::kControlDropped);

    Positions plain, badInfo, corrupt;
    for (TaggedByte& byte : name) {
        if (byte.value >= 0xA0) {
            byte.value &= 0x7F;
            (byte.value == ';' ? badInfo : byte.value == '\\' ? corrupt : plain).add(byte);
        }
    }
    report.addIf(Severity::GlyphsChanged, plain, kQ2HighBit);
    if (!badInfo.empty()) {
        report.add(Severity::Refused, badInfo, kQ2BadInfo);
        report.seeName(untagged(QByteArrayLiteral("badinfo")));
        return report.done();
    }
    if (!corrupt.empty()) {
        name.erase(std::find_if(name.begin(), name.end(),
                                [](const TaggedByte& byte) { return byte.value == '\\'; }),
                   name.end());
        report.add(Severity::GlyphsChanged, corrupt, kQ2Corrupt);
    }

    Positions cut;
    name = keepFirst(name, kQuake2NameBytes, cut);
    report.addIf(Severity::CutByLength, cut, hex ? kHexShows : kQ2Shows);
    report.seeName(name);
    return report.done();
}

EngineReport checkQ2pro(const TaggedLine& line, bool hex) {
    Report report(kQ2pro);
    if (hex) {
        report.caveat(kHexModCaveat);
    }
    const Tagged value = valueOf(line);
    if (value.empty()) {
        return report.done();  // no name composed yet
    }
    const Positions quotes = quotesIn(value);
    if (line.bytes.count('"') % 2 != 0) {
        report.add(Severity::BreaksLine, quotes, kQ2proOddQuotes);
        report.seeNoName(findings::kLineIgnored);
        return report.done();
    }
    // A cvar set with several arguments joins them with one blank.
    const std::vector<Tagged> tokens = q2proTokens(slice(line, 0, line.bytes.size()));
    Tagged name;
    for (size_t k = 1; k < tokens.size(); ++k) {
        if (k > 1) {
            name.push_back({' ', 0, ByteRole::Line});
        }
        name.insert(name.end(), tokens[k].begin(), tokens[k].end());
    }
    if (!quotes.empty()) {
        report.add(Severity::BreaksLine, quotes, kQ2proEvenQuotes.arg(quoted(bytesOf(name))));
    } else if (tokens.size() > 2) {
        report.add(Severity::GlyphsChanged, Positions(), kQ2proHexU.arg(quoted(bytesOf(name))));
    }

    const Positions refused = where(name, [](uchar b) {
        const uchar low = b & 0x7F;
        return low == '\\' || low == ';' || low == '"';
    });
    if (!refused.empty() || name.size() >= static_cast<size_t>(findings::kInfoValueBytes)) {
        report.add(Severity::Refused, refused, kQ2proRefused);
        report.seeNoName(findings::kNameUnchanged);
        return report.done();
    }

    // The userinfo sent: high bits cleared, what is not printable dropped.
    Tagged sent;
    Positions plain, dropped;
    for (TaggedByte byte : name) {
        const uchar low = byte.value & 0x7F;
        if (low < 32 || low == 127) {
            dropped.add(byte);
            continue;
        }
        if (byte.value != low) {
            plain.add(byte);
            byte.value = low;
        }
        sent.push_back(byte);
    }
    report.addIf(Severity::GlyphsChanged, dropped, kQ2proDropped);
    report.addIf(Severity::GlyphsChanged, plain, kQ2proHighBit);

    Positions glyphs;
    for (const TaggedByte& byte : name) {
        glyphs.add(byte);
    }
    // No name composed yet is nothing to report.
    if (!glyphs.empty() && std::all_of(sent.begin(), sent.end(),
                                       [](const TaggedByte& byte) { return byte.value == ' '; })) {
        report.add(Severity::Refused, glyphs, kQ2proBlank);
        report.seeNoName(kNotConnected);
        return report.done();
    }
    Positions cut;
    sent = keepFirst(sent, kQuake2NameBytes, cut);
    report.addIf(Severity::CutByLength, cut, kQ2proKeeps);
    report.seeName(sent);
    return report.done();
}

EngineReport checkQuake2Rerelease() {
    return findings::closedEngine(kQuake2Rerelease, kQuake2RereleaseCaveat);
}

}  // namespace vtl
