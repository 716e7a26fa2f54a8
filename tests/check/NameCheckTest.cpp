#include <gtest/gtest.h>

#include <map>
#include <set>

#include "check/NameCheck.h"
#include "modes/CharTables.h"
#include "support/Printers.h"

using namespace Qt::StringLiterals;

namespace vtl {
namespace {

QByteArray codes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) {
        b.append(static_cast<char>(v));
    }
    return b;
}

bool colour(CheckMode mode) {
    return mode == CheckMode::Quake3 || mode == CheckMode::RtCW;
}

// The line the program writes for the codes picked one after another (one
// code per byte of `picked`); `prefixes` puts a colour code before the glyph
// of a position, as choosing a colour does. Colour names start white.
TaggedLine lineOf(CheckMode mode, const QByteArray& picked,
                  std::map<int, QByteArray> prefixes = {}) {
    const CharTable table = colour(mode)                   ? colourTable()
                            : mode == CheckMode::Quake2Hex ? hexTable()
                                                           : byteTable();
    const QByteArray suffix = colour(mode)                   ? colourLineSuffix()
                              : mode == CheckMode::Quake2Hex ? hexLineSuffix()
                                                             : byteLineSuffix();
    if (colour(mode) && !prefixes.contains(1)) {
        prefixes[1] = "^7";
    }
    std::array<QByteArray, 25> fragments;
    fragments.fill(" ");
    for (qsizetype i = 0; i < picked.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        const auto p = prefixes.find(position);
        fragments[static_cast<size_t>(i)] =
            (p != prefixes.end() ? p->second : QByteArray()) + table[static_cast<uchar>(picked[i])];
    }
    return tagPositions(mode, fragments, linePrefix(), suffix);
}

const EngineReport& engine(const CheckReport& report, const QString& name) {
    for (const EngineReport& e : report.engines) {
        if (e.engine.startsWith(name)) {
            return e;
        }
    }
    ADD_FAILURE() << "no engine " << name.toStdString();
    static const EngineReport none;
    return none;
}

constexpr char kNoName[] = "-";

struct Row {
    const char* label;
    CheckMode mode;
    QByteArray picked;
    const char16_t* engine;
    std::optional<Severity> severity;  // none: the engine finds nothing
    QList<int> positions;
    QByteArray seen;  // kNoName: the others see no name from this line
    const char* words = "";
    std::map<int, QByteArray> prefixes = {};
};

class EngineFacts : public ::testing::TestWithParam<Row> {};

TEST_P(EngineFacts, findingAndSeenName) {
    const Row& row = GetParam();
    const CheckReport report = checkName(row.mode, lineOf(row.mode, row.picked, row.prefixes));
    const EngineReport& e = engine(report, QString::fromUtf16(row.engine));
    if (row.seen == kNoName) {
        EXPECT_TRUE(e.seen.empty());
        EXPECT_FALSE(e.noName.isEmpty());
    } else {
        EXPECT_EQ(e.seenBytes(), row.seen);
    }
    if (!row.severity) {
        EXPECT_TRUE(e.findings.isEmpty()) << e.findings.value(0).text.toStdString();
        return;
    }
    const auto match = std::find_if(e.findings.begin(), e.findings.end(), [&](const Finding& f) {
        return f.severity == *row.severity && f.positions == row.positions &&
               f.text.contains(QString::fromUtf8(row.words));
    });
    EXPECT_NE(match, e.findings.end())
        << "first finding: " << e.findings.value(0).text.toStdString();
}

const Row kRows[] = {
    // clang-format off
    // Every byte-table engine: the quote codes.
    {"netQuake_quote34_takesRawRestOfLine", CheckMode::QuakeWorld, "A\"Z", u"NetQuake",
     Severity::BreaksLine, {2}, "\"A\"Z\" //VTL G2 ", "raw rest of the line"},
    {"netQuake_quote10_sameAsQuote", CheckMode::QuakeWorld, codes({'A', 10, 'Z'}), u"NetQuake",
     Severity::BreaksLine, {2}, "\"A\"Z\" //VTL G2 "},
    {"netQuake_quote162_sameAsQuote", CheckMode::QuakeWorld, codes({'A', 162, 'Z'}), u"NetQuake",
     Severity::BreaksLine, {2}, "\"A\"Z\" //VTL G2 "},
    {"netQuake_semicolonAfterQuote_runsAsCommand", CheckMode::QuakeWorld, "A\"B;quit", u"NetQuake",
     Severity::BreaksLine, {4}, "\"A\"B", "console command"},
    {"netQuake_semicolonWithoutQuote_reachesName", CheckMode::QuakeWorld, "A;B", u"NetQuake",
     std::nullopt, {}, "A;B"},
    {"netQuake_twentyGlyphs_cutTo15", CheckMode::QuakeWorld, "ABCDEFGHIJKLMNOPQRST", u"NetQuake",
     Severity::CutByLength, {16, 17, 18, 19, 20}, "ABCDEFGHIJKLMNO", "15 bytes"},
    {"hexen2_quote_takesRawRestOfLine", CheckMode::Hexen2, "A\"Z", u"Hexen II",
     Severity::BreaksLine, {2}, "\"A\"Z\" //VTL G2 "},
    {"hexen2_semicolonAfterQuote_runsAsCommand", CheckMode::Hexen2, "\"X;Y", u"Hexen II",
     Severity::BreaksLine, {3}, "\"\"X", "console command"},
    {"hexen2_brace_cutsName", CheckMode::Hexen2, "AB{CD", u"Hexen II", Severity::GlyphsChanged,
     {3, 4, 5}, "AB", "Illegal char"},
    {"hexen2_twentyGlyphs_cutTo15", CheckMode::Hexen2, "ABCDEFGHIJKLMNOPQRST", u"Hexen II",
     Severity::CutByLength, {16, 17, 18, 19, 20}, "ABCDEFGHIJKLMNO"},
    // id QuakeWorld.
    {"idQw_quote_keepsFirstToken", CheckMode::QuakeWorld, "A\"Z", u"id QuakeWorld",
     Severity::BreaksLine, {2}, "A", "keeps only \"A\""},
    {"idQw_backslash_keepsOldName", CheckMode::QuakeWorld, "A\\B", u"id QuakeWorld",
     Severity::Refused, {2}, "unnamed"},
    {"idQw_code0_droppedFromUserinfo", CheckMode::QuakeWorld, codes({'A', 0, 'B'}),
     u"id QuakeWorld", Severity::GlyphsChanged, {2}, "AB", "no one else"},
    {"idQw_code13_passesAsByte14", CheckMode::QuakeWorld, codes({'A', 13, 'B'}), u"id QuakeWorld",
     std::nullopt, {}, codes({'A', 14, 'B'})},
    {"idQw_leadingSpace32_trimmed", CheckMode::QuakeWorld, " AB", u"id QuakeWorld",
     Severity::GlyphsChanged, {1}, "AB", "trims"},
    {"idQw_leadingSpace160_trimmed", CheckMode::QuakeWorld, codes({160, 'A'}), u"id QuakeWorld",
     Severity::GlyphsChanged, {1}, "A"},
    {"idQw_innerSpace_kept", CheckMode::QuakeWorld, "A B", u"id QuakeWorld", std::nullopt, {},
     "A B"},
    {"idQw_25Glyphs_fitUserinfo", CheckMode::QuakeWorld, "ABCDEFGHIJKLMNOPQRSTUVWXY",
     u"id QuakeWorld", std::nullopt, {}, "ABCDEFGHIJKLMNOPQRSTUVWXY"},
    // ezQuake.
    {"ez_quote_noNameSent", CheckMode::QuakeWorld, "A\"Z", u"ezQuake", Severity::BreaksLine, {2},
     kNoName, "\"A Z\"\""},
    {"ez_code12_dropped", CheckMode::QuakeWorld, codes({'A', 12, 'B'}), u"ezQuake",
     Severity::GlyphsChanged, {2}, "AB"},
    {"ez_backslash_refused", CheckMode::QuakeWorld, "A\\B", u"ezQuake", Severity::Refused, {2},
     kNoName},
    {"ez_caretPair_becomesHighGlyph", CheckMode::QuakeWorld, "A^Z", u"ezQuake",
     Severity::GlyphsChanged, {2, 3}, codes({'A', 0xDA}), "218"},
    {"ez_caretAtEnd_stays", CheckMode::QuakeWorld, "AZ^", u"ezQuake", std::nullopt, {}, "AZ^"},
    {"ez_dollar1_becomes19", CheckMode::QuakeWorld, "A$1", u"ezQuake", Severity::GlyphsChanged,
     {2, 3}, codes({'A', 0x13}), "$ pairs"},
    {"ez_dollarBackslash_dropped", CheckMode::QuakeWorld, "A$\\B", u"ezQuake",
     Severity::GlyphsChanged, {2, 3}, "AB"},
    {"ez_dollarDollar_isDollar_serverSaysUnnamed", CheckMode::QuakeWorld, "A$$", u"ezQuake",
     Severity::Refused, {2}, "unnamed"},
    {"ez_hash_serverSaysUnnamed", CheckMode::QuakeWorld, "A#B", u"ezQuake", Severity::Refused, {2},
     "unnamed", "setinfo"},
    {"ez_dollar_serverSaysUnnamed", CheckMode::QuakeWorld, "A$B", u"ezQuake", Severity::Refused,
     {2}, "unnamed"},
    {"ez_semicolon_serverSaysUnnamed", CheckMode::QuakeWorld, "A;B", u"ezQuake", Severity::Refused,
     {2}, "unnamed"},
    {"ez_code220_serverSaysUnnamed", CheckMode::QuakeWorld, codes({'A', 220}), u"ezQuake",
     Severity::Refused, {2}, "unnamed"},
    {"ez_leadingSpace_trimmed", CheckMode::QuakeWorld, " AB", u"ezQuake", Severity::GlyphsChanged,
     {1}, "AB"},
    {"ez_leading160_trimmed", CheckMode::QuakeWorld, codes({160, 'A'}), u"ezQuake",
     Severity::GlyphsChanged, {1}, "A"},
    {"ez_trailing255_trimmed", CheckMode::QuakeWorld, codes({'A', 255}), u"ezQuake",
     Severity::GlyphsChanged, {2}, "A"},
    {"ez_leading255_trimmed", CheckMode::QuakeWorld, codes({255, 'A'}), u"ezQuake",
     Severity::GlyphsChanged, {1}, "A"},
    {"ez_ampersandR_refused", CheckMode::QuakeWorld, "A&rB", u"ezQuake", Severity::Refused, {2, 3},
     kNoName},
    {"ez_ampersandColour_refused", CheckMode::QuakeWorld, "&cF0aX", u"ezQuake", Severity::Refused,
     {1, 2}, kNoName},
    {"ez_ampersandCNotHex_kept", CheckMode::QuakeWorld, "&cXYZ", u"ezQuake", std::nullopt, {},
     "&cXYZ"},
    // Quake II.
    {"q2_oneQuote_lineDiscarded", CheckMode::Quake2, "A\"Z", u"Quake II", Severity::BreaksLine, {2},
     kNoName, "unmatched quote"},
    {"q2_twoQuotes_nameSplit", CheckMode::Quake2, "A\"B\"C", u"Quake II", Severity::BreaksLine,
     {2, 4}, "A", "split"},
    {"q2_semicolon_invalidInfo", CheckMode::Quake2, "A;B", u"Quake II", Severity::Refused, {2},
     kNoName, "invalid info cvar value"},
    {"q2_backslash_invalidInfo", CheckMode::Quake2, "A\\B", u"Quake II", Severity::Refused, {2},
     kNoName},
    {"q2_code26_droppedAs0x9A", CheckMode::Quake2, codes({'A', 26, 'B'}), u"Quake II",
     Severity::GlyphsChanged, {2}, "AB"},
    {"q2_code193_plainA", CheckMode::Quake2, codes({'X', 193}), u"Quake II",
     Severity::GlyphsChanged, {2}, "XA", "high bit"},
    {"q2_code127_plainAmpersand", CheckMode::Quake2, codes({'X', 127}), u"Quake II",
     Severity::GlyphsChanged, {2}, "X&"},
    {"q2_code187_badinfo", CheckMode::Quake2, codes({'X', 187}), u"Quake II", Severity::Refused,
     {2}, "badinfo"},
    {"q2_code220_cutsUserinfo", CheckMode::Quake2, codes({'X', 'Y', 220, 'Z'}), u"Quake II",
     Severity::GlyphsChanged, {3}, "XY", "skin"},
    {"q2_twentyGlyphs_shows15", CheckMode::Quake2, "ABCDEFGHIJKLMNOPQRST", u"Quake II",
     Severity::CutByLength, {16, 17, 18, 19, 20}, "ABCDEFGHIJKLMNO"},
    {"q2_dollar_notExpanded", CheckMode::Quake2, "A$1", u"Quake II", std::nullopt, {}, "A$1"},
    {"q2hex_sevenGlyphs_fine", CheckMode::Quake2Hex, "ABCDEFG", u"Quake II", std::nullopt, {},
     "41424344454647"},
    {"q2hex_quoteCode_fine", CheckMode::Quake2Hex, codes({34, 10, 162}), u"Quake II", std::nullopt,
     {}, "220AA2"},
    {"q2hex_eightGlyphs_shows15Digits", CheckMode::Quake2Hex, "ABCDEFGH", u"Quake II",
     Severity::CutByLength, {8}, "414243444546474", "7\u00BD"},
    // Quake III engines and RtCW.
    {"q3_25GlyphsOneColour_fits", CheckMode::Quake3, "ABCDEFGHIJKLMNOPQRSTUVWXY", u"id Quake III",
     std::nullopt, {}, "ABCDEFGHIJKLMNOPQRSTUVWXY"},
    {"q3_percent_dotForOthers", CheckMode::Quake3, "A%B", u"id Quake III", Severity::GlyphsChanged,
     {2}, "A.B", "dot"},
    {"io_code200_dotForOthers", CheckMode::Quake3, codes({'A', 200}), u"ioquake3",
     Severity::GlyphsChanged, {2}, "A."},
    {"rtcw_code128_dotForOthers", CheckMode::RtCW, codes({128, 'A'}), u"Return to Castle",
     Severity::GlyphsChanged, {1}, ".A"},
    {"q3_semicolon_unnamedPlayer", CheckMode::Quake3, "A;B", u"id Quake III", Severity::Refused,
     {2}, "UnnamedPlayer"},
    {"io_backslash_unnamedPlayer", CheckMode::Quake3, "A\\B", u"ioquake3", Severity::Refused, {2},
     "UnnamedPlayer"},
    {"rtcw_backslash_unnamedPlayer", CheckMode::RtCW, "A\\B", u"Return to Castle",
     Severity::Refused, {2}, "UnnamedPlayer"},
    {"id_code1_drawsGlyph", CheckMode::Quake3, codes({'A', 1}), u"id Quake III", std::nullopt, {},
     codes({'A', 1})},
    {"rtcw_code127_drawsGlyph", CheckMode::RtCW, codes({'A', 127}), u"Return to Castle",
     std::nullopt, {}, codes({'A', 127})},
    {"io_code1_kicked", CheckMode::Quake3, codes({'A', 1}), u"ioquake3", Severity::Refused, {2},
     kNoName, "Invalid userinfo"},
    {"io_code4_kicked", CheckMode::Quake3, codes({4, 'A'}), u"ioquake3", Severity::Refused, {1},
     kNoName},
    {"id_caretLetter_letterVanishes", CheckMode::Quake3, "X^AB", u"id Quake III",
     Severity::GlyphsChanged, {2, 3}, "XB", "vanishes"},
    {"id_caretBlackDigit_bothDropped", CheckMode::Quake3, "X^0B", u"id Quake III",
     Severity::GlyphsChanged, {2, 3}, "XB"},
    {"id_caretPunctuation_vanishes", CheckMode::Quake3, "X^!B", u"id Quake III",
     Severity::GlyphsChanged, {2, 3}, "XB"},
    {"io_caretLetter_letterVanishes", CheckMode::Quake3, "X^AB", u"ioquake3",
     Severity::GlyphsChanged, {2, 3}, "XB"},
    {"io_caretPunctuation_bothShow", CheckMode::Quake3, "X^!B", u"ioquake3", std::nullopt, {},
     "X^!B"},
    {"rtcw_caretLetter_letterVanishes", CheckMode::RtCW, "X^AB", u"Return to Castle",
     Severity::GlyphsChanged, {2, 3}, "XB"},
    {"id_caretOnly_unnamedPlayer", CheckMode::Quake3, "^", u"id Quake III", Severity::Refused, {1},
     "UnnamedPlayer", "only visible glyph"},
    {"io_caretOnly_unnamedPlayer", CheckMode::Quake3, "^", u"ioquake3", Severity::Refused, {1},
     "UnnamedPlayer"},
    {"id_caretLast_visibleCaret", CheckMode::Quake3, "AB^", u"id Quake III", std::nullopt, {},
     "AB^"},
    {"io_caretLast_visibleCaret", CheckMode::Quake3, "AB^", u"ioquake3", std::nullopt, {}, "AB^"},
    {"id_caretLetterOnly_nothingLeft", CheckMode::Quake3, "^A", u"id Quake III", Severity::Refused,
     {1, 2}, "UnnamedPlayer"},
    {"id_tabAndSpace_cutTo3", CheckMode::Quake3, codes({'A', 9, ' ', 'B'}), u"id Quake III",
     Severity::GlyphsChanged, {3}, "A   B", "3 spaces"},
    {"io_fiveSpaces_cutTo3", CheckMode::Quake3, "A     B", u"ioquake3", Severity::GlyphsChanged,
     {5, 6}, "A   B"},
    {"id_black_caretInFront", CheckMode::Quake3, "AB", u"id Quake III", Severity::Cosmetic, {1},
     "^AB", "caret in front", {{1, "^^8"}}},
    {"rtcw_black_caretInFront", CheckMode::RtCW, "AB", u"Return to Castle", Severity::Cosmetic, {1},
     "^AB", "", {{1, "^^8"}}},
    {"io_blackBeforeLetters_firstLetterEaten", CheckMode::Quake3, "AB", u"ioquake3",
     Severity::GlyphsChanged, {1}, "B", "vanishes", {{1, "^^8"}}},
    {"io_blackBeforePunctuation_whiteCaret", CheckMode::Quake3, "!B", u"ioquake3",
     Severity::GlyphsChanged, {1}, "^!B", "never shows black", {{1, "^^8"}}},
    // clang-format on
};

INSTANTIATE_TEST_SUITE_P(NameCheck, EngineFacts, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(NameCheck, byteModes_everyCodeButTheQuotes_reachesNetQuakeByteForByte) {
    const CharTable table = byteTable();
    for (int code = 0; code < 256; ++code) {
        if (code == 10 || code == 34 || code == 162) {
            continue;
        }
        for (const QByteArray& picked :
             {codes({code, 'A', 'B'}), codes({'A', code, 'B'}), codes({'A', 'B', code})}) {
            const TaggedLine line = lineOf(CheckMode::QuakeWorld, picked);
            const EngineReport e = checkName(CheckMode::QuakeWorld, line).engines[0];
            QByteArray expected = line.bytes.mid(line.valueBegin, line.valueEnd - line.valueBegin);
            EXPECT_TRUE(e.findings.isEmpty()) << "code " << code;
            EXPECT_EQ(e.seenBytes(), expected) << "code " << code;
        }
    }
}

TEST(NameCheck, quakeWorld_controlCodes_droppedByBothQuakeWorlds) {
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12}) {
        const CheckReport report =
            checkName(CheckMode::QuakeWorld, lineOf(CheckMode::QuakeWorld, codes({'A', code})));
        for (const char16_t* name : {u"id QuakeWorld", u"ezQuake"}) {
            const EngineReport& e = engine(report, QString::fromUtf16(name));
            EXPECT_EQ(e.seenBytes(), "A") << "code " << code;
            ASSERT_EQ(e.findings.size(), 1) << "code " << code;
            EXPECT_EQ(e.findings[0].positions, QList<int>{2});
        }
    }
}

TEST(NameCheck, quake2_everyCode_droppedPlainOrRefusedAsMeasured) {
    for (int code = 0; code < 256; ++code) {
        if (code == 10 || code == 34 || code == 162) {
            continue;
        }
        const EngineReport e =
            checkName(CheckMode::Quake2, lineOf(CheckMode::Quake2, codes({'A', code}))).engines[0];
        const bool control = code <= 31 || (code >= 128 && code <= 159);
        const bool high = code == 127 || code >= 161;
        const auto entry = static_cast<uchar>(byteTable()[code][0]);
        if (code == 59 || code == 92) {
            EXPECT_FALSE(e.noName.isEmpty()) << code;
        } else if (code == 187) {
            EXPECT_EQ(e.seenBytes(), "badinfo");
        } else if (code == 220) {
            EXPECT_EQ(e.seenBytes(), "A");
        } else if (control) {
            EXPECT_EQ(e.seenBytes(), "A") << "code " << code;
        } else if (high) {
            EXPECT_EQ(e.seenBytes(), codes({'A', entry & 0x7F})) << "code " << code;
        } else {
            EXPECT_TRUE(e.findings.isEmpty()) << "code " << code;
        }
    }
}

TEST(NameCheck, colourModes_dotCodesAreExactlyTheMeasuredOnes) {
    std::set<int> dotted{37};
    for (const auto& [from, to] : std::vector<std::pair<int, int>>{
             {128, 131}, {133, 136}, {139, 139}, {141, 154}, {156, 159}, {161, 254}}) {
        for (int c = from; c <= to; ++c) {
            dotted.insert(c);
        }
    }
    for (int code = 32; code < 256; ++code) {
        if (code == '.' || code == 59 || code == 92 || code == 94 || code == 127) {
            continue;
        }
        const EngineReport e =
            checkName(CheckMode::Quake3, lineOf(CheckMode::Quake3, codes({'A', code, 'B'})))
                .engines[0];
        EXPECT_EQ(e.seenBytes() == "A.B", dotted.contains(code)) << "code " << code;
    }
}

TEST(NameCheck, colourModes_controlCodes_kickOnlyInIoquake3) {
    for (int code : {1,  2,  3,  4,  6,  7,  8,  11, 14, 15, 16, 17, 18,
                     19, 20, 21, 23, 24, 25, 26, 28, 29, 30, 31, 127}) {
        const CheckReport q3 =
            checkName(CheckMode::Quake3, lineOf(CheckMode::Quake3, codes({'A', code})));
        EXPECT_TRUE(engine(q3, QStringLiteral("id Quake III")).findings.isEmpty()) << code;
        EXPECT_EQ(engine(q3, QStringLiteral("ioquake3")).findings.value(0).severity,
                  Severity::Refused)
            << code;
    }
}

TEST(NameCheck, colourLength_elevenColouredGlyphsFit_theTwelfthIsCut) {
    const QByteArray colours = "12345612345612";
    for (int glyphs : {11, 12}) {
        std::map<int, QByteArray> prefixes;
        for (int p = 1; p <= glyphs; ++p) {
            prefixes[p] = QByteArray("^") + colours[p];
        }
        const QByteArray picked = QByteArray("ABCDEFGHIJKL").left(glyphs);
        const CheckReport report =
            checkName(CheckMode::Quake3, lineOf(CheckMode::Quake3, picked, prefixes));
        for (const EngineReport& e : report.engines) {
            if (glyphs == 11) {
                EXPECT_TRUE(e.findings.isEmpty()) << e.engine.toStdString();
                EXPECT_EQ(e.seenBytes(), "ABCDEFGHIJK");
            } else {
                ASSERT_EQ(e.findings.size(), 1);
                EXPECT_EQ(e.findings[0].severity, Severity::CutByLength);
                EXPECT_EQ(e.findings[0].positions, QList<int>{12});
            }
        }
    }
}

TEST(NameCheck, blackInIoquake3_eatsNextLetterAndShowsRed) {
    const CheckReport report =
        checkName(CheckMode::Quake3, lineOf(CheckMode::Quake3, "AB", {{1, "^^8"}}));
    const EngineReport& io = engine(report, QStringLiteral("ioq"));
    ASSERT_EQ(io.seen.size(), 1u);
    EXPECT_EQ(io.seen[0], (SeenGlyph{'B', 2, 1}));
    const EngineReport& id = engine(report, QStringLiteral("id "));
    ASSERT_EQ(id.seen.size(), 3u);
    EXPECT_EQ(id.seen[1], (SeenGlyph{'A', 1, 0}));  // black
}

TEST(NameCheck, suffixColourCode_isHarmless) {
    const TaggedLine line = lineOf(CheckMode::RtCW, "Name");
    EXPECT_TRUE(line.bytes.endsWith("Name^7\" //VTL G2 v6.3"));
    EXPECT_EQ(checkName(CheckMode::RtCW, line).problemCount(), 0);
}

TEST(NameCheck, hexMode_saysTheModIsUnknown) {
    const EngineReport e =
        checkName(CheckMode::Quake2Hex, lineOf(CheckMode::Quake2Hex, "AB")).engines[0];
    EXPECT_TRUE(e.caveat.contains(QStringLiteral("not known")));
}

TEST(NameCheck, jumpGate_isNeverOk) {
    const CheckReport report = checkName(CheckMode::JumpGate, lineOf(CheckMode::JumpGate, "A\"B"));
    EXPECT_FALSE(report.checked);
    EXPECT_TRUE(report.engines.isEmpty());
    EXPECT_FALSE(report.breaksEverywhere());
}

TEST(NameCheck, breaksEverywhere_onlyForTheQuoteCodes) {
    struct Case {
        CheckMode mode;
        QByteArray picked;
        bool breaks;
    } cases[] = {
        {CheckMode::QuakeWorld, "A\"B", true},  {CheckMode::Quake2, "A\"B", true},
        {CheckMode::Quake2, "A\"B\"", true},    {CheckMode::Hexen2, codes({162}), true},
        {CheckMode::QuakeWorld, "A\\B", false}, {CheckMode::Quake3, "A;B", false},
        {CheckMode::Quake2Hex, "A\"B", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(checkName(c.mode, lineOf(c.mode, c.picked)).breaksEverywhere(), c.breaks)
            << c.picked.constData();
    }
}

TEST(NameCheck, fileLines_longNamesHitTheQuakeWorldServerLimit) {
    const auto line =
        tagFileLine(CheckMode::QuakeWorld, "name \"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\"\r\n");
    ASSERT_TRUE(line);
    const CheckReport report = checkName(CheckMode::QuakeWorld, *line);
    for (const char16_t* name : {u"id QuakeWorld", u"ezQuake"}) {
        const EngineReport& e = engine(report, QString::fromUtf16(name));
        EXPECT_EQ(e.seenBytes(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
        ASSERT_EQ(e.findings.size(), 1);
        EXPECT_EQ(e.findings[0].positions.first(), 32);
    }
}

TEST(NameCheck, fileLines_colourCodesBelongToTheGlyphAfterThem) {
    const auto line = tagFileLine(CheckMode::Quake3, "seta name \"^1A^^8B^7\"");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->bytes.mid(line->valueBegin, line->valueEnd - line->valueBegin), "^1A^^8B^7");
    EXPECT_EQ(line->positions,
              (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 2, 0, 0, 0}));
    EXPECT_FALSE(tagFileLine(CheckMode::Quake3, "seta sensitivity \"5\""));
}

QStringList namesOf(const QList<std::pair<QString, qint64>>& engines) {
    QStringList names;
    for (const auto& e : engines) {
        names << e.first;
    }
    return names;
}

TEST(NameCheck, configSize_namesTheEnginesThatIgnoreTheFile) {
    struct Case {
        CheckMode mode;
        qint64 size;
        QStringList ignoring;
        QStringList fine;
    } cases[] = {
        {CheckMode::QuakeWorld, 8191, {}, {}},
        {CheckMode::QuakeWorld,
         8192,
         {u"id Quake"_s, u"id QuakeWorld"_s},
         {u"QuakeSpasm"_s, u"ezQuake"_s}},
        {CheckMode::Quake2, 8192, {u"id Quake II"_s}, {u"Yamagi Quake II"_s}},
        {CheckMode::Quake2, 32768, {u"id Quake II"_s, u"Yamagi Quake II"_s}, {}},
        {CheckMode::Hexen2, 8192, {u"Hexen II"_s}, {}},
        {CheckMode::Quake3, 16365, {}, {}},
        {CheckMode::Quake3, 16366, {u"id Quake III 1.32"_s}, {u"ioquake3"_s}},
        {CheckMode::RtCW, 16366, {u"Return to Castle Wolfenstein"_s}, {}},
        {CheckMode::JumpGate, 1 << 30, {}, {}},
    };
    for (const Case& c : cases) {
        const auto verdict = configSizeVerdict(c.mode, c.size);
        EXPECT_EQ(verdict.has_value(), !c.ignoring.isEmpty()) << c.size;
        if (verdict) {
            EXPECT_EQ(namesOf(verdict->ignoring), c.ignoring);
            EXPECT_EQ(namesOf(verdict->fine), c.fine);
        }
    }
}

}  // namespace
}  // namespace vtl
