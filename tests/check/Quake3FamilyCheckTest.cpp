#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "check/Quake3FamilyCheck.h"
#include "support/Tag.h"

using namespace Qt::StringLiterals;

namespace vtl {
namespace {

using enum Severity;
using Engine = std::function<EngineReport(const TaggedLine&)>;

// The line the program writes for these positions: a fragment that starts
// with a caret and is longer than a caret alone begins with the two-byte
// colour code the colour list wrote.
TaggedLine lineOf(const QList<QByteArray>& fragments) {
    TaggedLine line;
    line.append("name \"", 0, ByteRole::Line);
    line.valueBegin = line.bytes.size();
    int position = 0;
    for (const QByteArray& f : fragments) {
        ++position;
        const qsizetype code = f.startsWith('^') && f.size() > 2 ? 2 : 0;
        line.append(f.left(code), position, ByteRole::Colour);
        line.append(f.mid(code), position, ByteRole::Glyph);
    }
    line.valueEnd = line.bytes.size();
    line.append("^7\"" + test::kTag, 0, ByteRole::Line);
    return line;
}

struct Row {
    const char* label;
    Engine engine;
    QList<QByteArray> fragments;
    std::optional<Severity> severity;  // the most serious finding; none: nothing found
    QList<int> positions;              // of that finding
    QByteArray seen;                   // empty: the others see no name
    const char* words = "";            // in that finding's text
    QByteArray colours = {};           // per glyph seen, when set
};

const QByteArray e_acute = "\xC3\xA9";  // é
const QByteArray E_acute = "\xC3\x89";  // É

const Row kRows[] = {
    // clang-format off
    // ET: Legacy
    {"etl_eAcute_passesAsUtf8", checkEtLegacy, {"A", e_acute}, std::nullopt, {}, "A\xE9"},
    {"etl_EAcute_clientDrops89", checkEtLegacy, {E_acute}, GlyphsChanged, {1}, "\xC3",
     "0x80 to 0xA0"},
    {"etl_leftOverLeadByte_swallowsNextCharacter", checkEtLegacy, {E_acute, "A", "B"},
     GlyphsChanged, {1}, "\xC3" "B"},
    {"etl_35Bytes_pass", checkEtLegacy, QList<QByteArray>(17, e_acute) << "A", std::nullopt, {},
     QByteArray(17, '\xE9') + "A"},
    {"etl_36Bytes_refused", checkEtLegacy, QList<QByteArray>(18, e_acute), Refused, {18}, "",
     "Name too long (>35)"},
    {"etl_colourCodesCount", checkEtLegacy, QList<QByteArray>{"^1A"} << QList<QByteArray>(17, e_acute),
     Refused, {18}, "", "37 bytes"},
    {"etl_backslash_playerDropped", checkEtLegacy, {"A", "\\"}, Refused, {2}, "",
     "Missing name field"},
    {"etl_semicolonReadAsAColourCode_stillRefused", checkEtLegacy, {"A", "^;B"}, Refused, {2}, "",
     "Missing name field"},
    {"etl_quote_breaksLine", checkEtLegacy, {"A", "\"", "B"}, BreaksLine, {2}, "A B " + test::kTag},
    {"etl_caretBeforeUtf8_swallowsLeadByte", checkEtLegacy, {"^", e_acute}, GlyphsChanged, {1, 2},
     "\xA9", "colour code"},
    {"etl_caretCaret_isText", checkEtLegacy, {"^", "^"}, std::nullopt, {}, "^^"},
    {"etl_colonColour_isTen", checkEtLegacy, {"^:A", "^OB"}, std::nullopt, {}, "AB", "",
     QByteArray("\x0A\x1F")},
    {"etl_blackKept", checkEtLegacy, {"^0A"}, std::nullopt, {}, "A", "", QByteArray("\x00", 1)},
    {"etl_percent_becomesDot", checkEtLegacy, {"A", "%"}, GlyphsChanged, {2}, "A."},
    {"etl_leadingSpace_dropped", checkEtLegacy, {" ", "A"}, GlyphsChanged, {1}, "A"},
    {"etl_fourSpaces_cutToThree", checkEtLegacy, {"A", " ", " ", " ", " ", "B"}, GlyphsChanged,
     {5}, "A   B"},
    {"etl_colourOnly_unnamedPlayer", checkEtLegacy, {"^1 "}, Refused, {}, "UnnamedPlayer"},
    // OpenJK
    {"jk_plainName_passes", checkOpenJK, {"A", "b"}, std::nullopt, {}, "Ab"},
    {"jk_controlAnd0x81_dropped_eachPositionListed", checkOpenJK, {"A", "\x81", "\x05", "\x01", "B"},
     GlyphsChanged, {2, 3, 4}, "AB", "Positions 2, 3, 4: OpenJK's server removes"},
    {"jk_0x80_kept", checkOpenJK, {"A", "\x80"}, std::nullopt, {}, "A\x80"},
    {"jk_threeAts_cutToTwo", checkOpenJK, {"@", "@", "@"}, GlyphsChanged, {3}, "@@"},
    {"jk_36Bytes_cutTo35", checkOpenJK, QList<QByteArray>(12, "^1A"), CutByLength, {12},
     QByteArray(11, 'A') },
    {"jk_black_allowed", checkOpenJK, {"^0A"}, std::nullopt, {}, "A", "", QByteArray("\x00", 1)},
    {"jk_orangeAndGrey", checkOpenJK, {"^8A", "^9B"}, std::nullopt, {}, "AB", "", "\x08\x09"},
    {"jk_caretLetter_isText", checkOpenJK, {"^", "a"}, std::nullopt, {}, "^a"},
    {"jk_semicolon_noNameSent", checkOpenJK, {"A", ";"}, Refused, {2}, "", "refuses"},
    {"jk_nothingLeft_padawan", checkOpenJK, {"\x01"}, Refused, {}, "Padawan"},
    {"jk_quote_joinsArguments", checkOpenJK, {"A", "\"", "B"}, BreaksLine, {2},
     "A B " + test::kTag},
    // Warfork
    {"wf_utf8_strippedByServer", checkWarfork, {"A", e_acute}, GlyphsChanged, {2}, "A",
     "above 126"},
    {"wf_caretCaret_showsOneCaret", checkWarfork, {"^", "^", "A"}, std::nullopt, {}, "^A"},
    {"wf_sixteenVisible_cutTo15", checkWarfork, QList<QByteArray>(16, "A"), CutByLength, {16},
     QByteArray(15, 'A')},
    {"wf_31Bytes_cutMayLeaveACaret", checkWarfork, QList<QByteArray>(11, "^2A"), CutByLength, {11},
     QByteArray(10, 'A') + "^", "31 bytes"},
    {"wf_quote_keepsFirstArgument", checkWarfork, {"A", "\"", "B"}, BreaksLine, {2}, "A"},
    {"wf_semicolon_nameUnchanged", checkWarfork, {"A", ";"}, Refused, {2}, "",
     "invalid info cvar value"},
    {"wf_64Bytes_nameUnchanged", checkWarfork, QList<QByteArray>(22, "^1A"), Refused, {}, "", "64 bytes"},
    {"wf_reservedPrefix_player", checkWarfork, {"[", "b", "o", "t", "]", "x"}, Refused, {},
     "Player", "[bot]"},
    {"wf_onlyHighBytes_player", checkWarfork, {e_acute}, Refused, {}, "Player"},
    {"wf_disallowedStart_onlyInStartupConfigs", checkWarfork, {"P", "l", "a", "y", "e", "r", "1"},
     Cosmetic, {}, "Player1", "autoexec_postinit.cfg"},
    {"wf_controlBytesKept", checkWarfork, {"A", "\x01"}, std::nullopt, {}, "A\x01"},
    // Urban Terror (engine rules only)
    {"urt_highByte_dotOnWire", checkUrbanTerror, {"A", "\xE9"}, GlyphsChanged, {2}, "A."},
    {"urt_caretLetter_isText", checkUrbanTerror, {"^", "a"}, std::nullopt, {}, "^a"},
    {"urt_olive", checkUrbanTerror, {"^9A"}, std::nullopt, {}, "A", "", "\x09"},
    {"urt_quote_keepsFirstArgument", checkUrbanTerror, {"A", "\"", "B"}, BreaksLine, {2}, "A"},
    {"etl_emptyName_noFinding", checkEtLegacy, {}, std::nullopt, {}, ""},
    {"wf_emptyName_noFinding", checkWarfork, {}, std::nullopt, {}, ""},
    {"jk_emptyName_noFinding", checkOpenJK, {}, std::nullopt, {}, ""},
    {"urt_backslash_notSent", checkUrbanTerror, {"A", "\\"}, Refused, {2}, "", "not known"},
    // clang-format on
};

TEST(Quake3FamilyCheck, engineFacts) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.label);
        const EngineReport report = row.engine(lineOf(row.fragments));
        const Finding first = report.findings.value(0);
        EXPECT_EQ(report.findings.isEmpty(), !row.severity) << first.text.toStdString();
        if (row.severity) {
            EXPECT_EQ(first.severity, *row.severity) << first.text.toStdString();
            EXPECT_EQ(first.positions, row.positions) << first.text.toStdString();
            EXPECT_TRUE(first.text.contains(QString::fromUtf8(row.words)))
                << first.text.toStdString();
        }
        EXPECT_EQ(report.seenBytes(), row.seen);
        // No name is sent when nothing is seen, but for an empty name.
        EXPECT_EQ(report.noName.isEmpty(), !row.seen.isEmpty() || row.fragments.isEmpty());
        if (!row.colours.isEmpty()) {
            ASSERT_EQ(report.seen.size(), static_cast<size_t>(row.colours.size()));
            for (size_t i = 0; i < report.seen.size(); ++i) {
                EXPECT_EQ(report.seen[i].colour, row.colours[static_cast<qsizetype>(i)]) << i;
            }
        }
    }
}

TEST(Quake3FamilyCheck, closedCode_saysWhatIsNotKnown) {
    EXPECT_FALSE(checkUrbanTerror(lineOf({"A"})).caveat.isEmpty());

    // Quake Live never gets an "OK": a name line is not how it sets a name.
    const EngineReport ql = checkQuakeLive(lineOf({"A"}));
    ASSERT_FALSE(ql.findings.isEmpty());
    EXPECT_TRUE(ql.findings.front().text.contains(u"Steam"));
    EXPECT_FALSE(ql.noName.isEmpty());
    EXPECT_FALSE(ql.caveat.isEmpty());
    const EngineReport long37 = checkQuakeLive(lineOf(QList<QByteArray>(12, "^1A") << "B"));
    EXPECT_TRUE(std::any_of(long37.findings.begin(), long37.findings.end(),
                            [](const Finding& f) { return f.text.contains(u"36 bytes"); }));
}

}  // namespace
}  // namespace vtl
