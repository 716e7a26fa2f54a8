#include "check/Quake3Check.h"

#include "check/Findings.h"
#include "check/TaggedBytes.h"
#include "modes/ColourSet.h"

#include <algorithm>

// Every rule here is one measured fact about the engine's userinfo, name
// cleaner (ClientCleanName) or drawing; where the measurements say nothing,
// the check says nothing either.

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

using findings::Report;
using tagged::isAsciiAlnum;
using tagged::Tagged;
using tagged::TaggedByte;
using tagged::untagged;
using tagged::valueOf;
using tagged::where;
using Positions = tagged::Positions<>;

const QString kIdQuake3 = u"id Quake III 1.32"_s;
const QString kIoquake3 = u"ioquake3"_s;
const QString kRtcw = u"Return to Castle Wolfenstein"_s;

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
const QString kIdBlack =
    u"black is written ^^8: the game shows a caret in front of the black glyphs."_s;
const QString kIoBlack =
    u"ioquake3 never shows black: it drops the ^8 of the black code, and the caret left over "
    u"shows or takes the next letter or digit as a colour."_s;
const QString kKicked = u"the player is kicked (\"Invalid userinfo\")"_s;
const QByteArray kUnnamedPlayer = QByteArrayLiteral("UnnamedPlayer");

// The two ways of reading a colour code: id's (and RtCW's) and ioquake3's.
enum class Rules { Id, Io };

bool isGlyph(const TaggedByte& byte) {
    return byte.role == ByteRole::Glyph;
}

// Whether the bytes from `at` on begin with `code`.
bool startsWith(const Tagged& bytes, size_t at, QByteArrayView code) {
    if (at + static_cast<size_t>(code.size()) > bytes.size()) {
        return false;
    }
    for (qsizetype k = 0; k < code.size(); ++k) {
        if (bytes[at + static_cast<size_t>(k)].value != static_cast<uchar>(code[k])) {
            return false;
        }
    }
    return true;
}

// id: a caret and any glyph but another caret; ioquake3: letters and digits only.
bool colourAt(const Tagged& bytes, size_t i, Rules rules) {
    if (bytes[i].value != '^' || i + 1 >= bytes.size()) {
        return false;
    }
    const uchar next = bytes[i + 1].value;
    return rules == Rules::Id ? next != '^' : isAsciiAlnum(next);
}

// What the name cleaner keeps: black colour codes go, and spaces past
// three in a row, and spaces at the start. Only what it takes of the user's
// glyphs is reported; a black code this program wrote itself goes
// unremarked.
struct Cleaned {
    Tagged name;
    Positions spaces, colourEaten, leading;
};

// Spaces past the longest run the cleaner keeps.
class SpaceRun {
  public:
    explicit SpaceRun(Positions& cut) : cut_(cut) {}
    bool keeps(const TaggedByte& byte) {
        if (byte.value != ' ') {
            run_ = 0;
            return true;
        }
        if (++run_ > findings::kLongestSpaceRun) {
            cut_.add(byte);
            return false;
        }
        return true;
    }
    void restart() { run_ = 0; }

  private:
    Positions& cut_;
    int run_ = 0;
};

// id's (and RtCW's) cleaner drops spaces at the start while nothing of the
// name has been written, a colour code included.
Cleaned cleanAsId(const Tagged& value, const ColourSet& colours) {
    Cleaned out;
    SpaceRun run(out.spaces);
    for (size_t i = 0; i < value.size(); ++i) {
        const TaggedByte& byte = value[i];
        if (byte.value == '^' && i + 1 < value.size()) {
            const TaggedByte& next = value[i + 1];
            if (colours.meansBlack(next.value)) {
                for (const TaggedByte& eaten : {byte, next}) {
                    if (isGlyph(eaten)) {
                        out.colourEaten.add(eaten);
                    }
                }
            } else {
                out.name.push_back(byte);
                out.name.push_back(next);
                run.restart();
            }
            ++i;
        } else if (byte.value == ' ' && out.name.empty()) {
            out.leading.add(byte);
        } else if (run.keeps(byte)) {
            out.name.push_back(byte);
        }
    }
    return out;
}

// ioquake3's cleaner drops spaces only before the first byte of any kind,
// and reads a colour code from a caret it kept.
Cleaned cleanAsIo(const Tagged& value, const ColourSet& colours) {
    Cleaned out;
    SpaceRun run(out.spaces);
    std::vector<bool> second;  // out.name[i] already ends a colour code
    bool atStart = true;
    for (const TaggedByte& byte : value) {
        if (atStart && byte.value == ' ') {
            out.leading.add(byte);
            continue;
        }
        atStart = false;
        if (byte.value != ' ' && !out.name.empty() && out.name.back().value == '^' &&
            !second.back() && isAsciiAlnum(byte.value)) {
            if (colours.meansBlack(byte.value)) {
                const TaggedByte caret = out.name.back();
                out.name.pop_back();
                second.pop_back();
                if (isGlyph(byte) || isGlyph(caret)) {
                    out.colourEaten.add(byte);
                    out.colourEaten.add(caret);
                }
                continue;
            }
            out.name.push_back(byte);
            second.push_back(true);
            run.restart();
            continue;
        }
        if (run.keeps(byte)) {
            out.name.push_back(byte);
            second.push_back(false);
        }
    }
    return out;
}

// MAX_NETNAME: a colour code is never split.
void cutToNetName(Tagged& name, Rules rules, Positions& cut) {
    size_t kept = 0;
    int length = 0;
    while (kept < name.size()) {
        const int step = colourAt(name, kept, rules) ? 2 : 1;
        if (length + step > findings::kNetNameBytes) {
            break;
        }
        length += step;
        kept += static_cast<size_t>(step);
    }
    for (size_t i = kept; i < name.size(); ++i) {
        if (isGlyph(name[i])) {
            cut.add(name[i]);
        }
    }
    name.resize(kept);
}

// What the server sends the others: % and high bytes become dots.
void dotsOnTheWire(Tagged& name, Positions& dots) {
    for (TaggedByte& byte : name) {
        if (byte.value == '%' || byte.value > 127) {
            if (isGlyph(byte)) {
                dots.add(byte);
            }
            byte.value = '.';
        }
    }
}

// The glyphs drawn, each in its colour; a colour code the program wrote that
// is drawn as a caret is `strayCaret`.
std::vector<SeenGlyph> drawn(const Tagged& name, Rules rules, const ColourSet& colours,
                             Positions& colourEaten, Positions& strayCaret) {
    std::vector<SeenGlyph> seen;
    int colour = colours.white;
    for (size_t i = 0; i < name.size(); ++i) {
        if (colourAt(name, i, rules)) {
            colour = colours.indexOf(name[i + 1].value);
            if (isGlyph(name[i + 1])) {
                colourEaten.add(name[i + 1]);
                colourEaten.add(name[i]);
            }
            ++i;
            continue;
        }
        if (name[i].role == ByteRole::Colour) {
            strayCaret.add(name[i]);
        }
        seen.push_back({name[i].value, name[i].position, colour});
    }
    return seen;
}

}  // namespace

EngineReport checkQuake3(const TaggedLine& line, Quake3Engine engine, const ColourSet& colours) {
    const Rules rules = engine == Quake3Engine::Ioquake3 ? Rules::Io : Rules::Id;
    Report report(engine == Quake3Engine::IdQuake3   ? kIdQuake3
                  : engine == Quake3Engine::Ioquake3 ? kIoquake3
                                                     : kRtcw);
    const Tagged value = valueOf(line);
    const auto unnamedPlayer = [&] {
        report.seeName(untagged(kUnnamedPlayer), colours.white);
        return report.done();
    };

    const Positions refused = where(value, [](uchar b) { return b == ';' || b == '\\'; });
    if (!refused.empty()) {
        report.add(Severity::Refused, refused, kQ3Refused);
        return unnamedPlayer();
    }
    if (rules == Rules::Io) {
        const Positions control = where(value, [](uchar b) { return b < 32 || b == 127; });
        if (!control.empty()) {
            report.add(Severity::Refused, control, kIoControl);
            report.seeNoName(kKicked);
            return report.done();
        }
    }
    Positions visible;
    bool onlyCarets = true;
    for (const TaggedByte& byte : value) {
        if (isGlyph(byte) && byte.value != ' ') {
            visible.add(byte);
            onlyCarets = onlyCarets && byte.value == '^';
        }
    }
    if (!visible.empty() && onlyCarets) {
        report.add(Severity::Refused, visible, kCaretOnly);
        return unnamedPlayer();
    }

    Cleaned cleaned = rules == Rules::Id ? cleanAsId(value, colours) : cleanAsIo(value, colours);
    Positions cut, dots, strayCaret;
    cutToNetName(cleaned.name, rules, cut);
    dotsOnTheWire(cleaned.name, dots);
    const std::vector<SeenGlyph> seen =
        drawn(cleaned.name, rules, colours, cleaned.colourEaten, strayCaret);

    Positions black;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i].role == ByteRole::Colour && startsWith(value, i, colours.blackCode)) {
            black.add(value[i]);
        }
    }
    report.addIf(Severity::GlyphsChanged, cleaned.leading, kLeadingSpaces);
    report.addIf(Severity::GlyphsChanged, cleaned.colourEaten, kCaretColour);
    report.addIf(Severity::GlyphsChanged, dots, kDots);
    report.addIf(Severity::GlyphsChanged, cleaned.spaces, findings::kSpaceRunCut);
    report.addIf(Severity::CutByLength, cut, findings::kNetNameCut);
    if (rules == Rules::Id) {
        report.addIf(Severity::Cosmetic, strayCaret, kIdBlack);
    } else {
        report.addIf(Severity::GlyphsChanged, black, kIoBlack);
    }

    // A name left with nothing but colour codes is no name: id's cleaner
    // counts every other byte it keeps, spaces too; ioquake3's not spaces.
    const bool named = std::any_of(seen.begin(), seen.end(), [&](const SeenGlyph& glyph) {
        return glyph.code != ' ' || rules == Rules::Id;
    });
    if (!named) {
        Positions glyphs;
        for (const TaggedByte& byte : value) {
            if (isGlyph(byte)) {
                glyphs.add(byte);
            }
        }
        report.add(Severity::Refused, glyphs, glyphs.empty() ? kEmptyName : kNothingLeft);
        return unnamedPlayer();
    }
    report.see(seen);
    return report.done();
}

}  // namespace vtl
