#include <gtest/gtest.h>

#include <map>

#include "check/CheckQuestions.h"
#include "check/NameCheck.h"
#include "modes/CharTables.h"
#include "support/FakeDesktop.h"

using namespace Qt::StringLiterals;

namespace vtl {
namespace {

using enum GameMode;
using enum Severity;

// The line the program writes for the codes picked one after another (one
// code per byte of `picked`); `prefixes` puts a colour code before the glyph
// of a position, as choosing a colour does. Colour names start white.
CheckReport check(GameMode mode, const QByteArray& picked,
                  std::map<int, QByteArray> prefixes = {}) {
    const bool colour = mode == Quake3Arena || mode == Wolfenstein;
    const CharTable table = colour ? colourTable() : mode == Quake2Hex ? hexTable() : byteTable();
    const QByteArray suffix = colour              ? colourLineSuffix()
                              : mode == Quake2Hex ? hexLineSuffix()
                                                  : byteLineSuffix();
    if (colour && !prefixes.contains(1)) {
        prefixes[1] = "^7";
    }
    std::array<QByteArray, 25> fragments;
    fragments.fill(" ");
    for (qsizetype i = 0; i < picked.size(); ++i) {
        const auto p = prefixes.find(static_cast<int>(i) + 1);
        fragments[static_cast<size_t>(i)] =
            (p != prefixes.end() ? p->second : QByteArray()) + table[static_cast<uchar>(picked[i])];
    }
    return checkName(mode, tagPositions(mode, fragments, linePrefix(), suffix));
}

const EngineReport& engine(const CheckReport& report, const char16_t* name) {
    for (const EngineReport& e : report.engines) {
        if (e.engine.startsWith(QString::fromUtf16(name))) {
            return e;
        }
    }
    ADD_FAILURE() << "no engine " << QString::fromUtf16(name).toStdString();
    static const EngineReport none;
    return none;
}

QByteArray withCode(const char* before, int code, const char* after = "") {
    return QByteArray(before) + static_cast<char>(code) + after;
}

struct Row {
    const char* label;
    GameMode mode;
    QByteArray picked;
    const char16_t* engine;
    std::optional<Severity> severity;  // none: the engine finds nothing
    QList<int> positions;
    QByteArray seen;  // empty: the others see no name from this line
    const char* words = "";
    std::map<int, QByteArray> prefixes = {};
    QByteArray colours = {};  // per glyph seen, when set
};

const Row kRows[] = {
    // clang-format off
    // Byte modes. Every other code reaching NetQuake unharmed is checked over all codes below.
    {"netQuake_quote_takesRawRestOfLine", QuakeWorld, "A\"Z", u"NetQuake", BreaksLine, {2},
     "\"A\"Z\" //VTL G2 ", "raw rest of the line"},
    {"netQuake_semicolonAfterQuote_runsAsCommand", QuakeWorld, "A\"B;quit", u"NetQuake",
     BreaksLine, {4}, "\"A\"B", "console command"},
    {"netQuake_twentyGlyphs_cutTo15", QuakeWorld, "ABCDEFGHIJKLMNOPQRST", u"NetQuake",
     CutByLength, {16, 17, 18, 19, 20}, "ABCDEFGHIJKLMNO", "15 bytes"},
    {"hexen2_brace_cutsName", Hexen2, "AB{CD", u"Hexen II", GlyphsChanged, {3, 4, 5}, "AB",
     "Illegal char"},
    {"idQw_quote_keepsFirstToken", QuakeWorld, "A\"Z", u"id QuakeWorld", BreaksLine, {2}, "A",
     "keeps only \"A\""},
    {"idQw_backslash_keepsOldName", QuakeWorld, "A\\B", u"id QuakeWorld", Refused, {2}, "unnamed"},
    {"idQw_leadingSpacesTrimmed_innerKept", QuakeWorld, "\xA0 A B", u"id QuakeWorld",
     GlyphsChanged, {1, 2}, "A B", "trims"},
    {"ez_quote_noNameSent", QuakeWorld, "A\"Z", u"ezQuake", BreaksLine, {2}, "",
     "\"A Z\"\""},
    {"ez_caretPairBecomesHighGlyph_lastCaretAndNonHexAmpersandStay", QuakeWorld, "&cXY^ZB^",
     u"ezQuake", GlyphsChanged, {5, 6}, "&cXY\xDA" "B^", "218"},
    {"ez_dollarPairs_converted", QuakeWorld, "A$1$\\B", u"ezQuake", GlyphsChanged, {2, 3, 4, 5},
     "A\x13" "B", "$ pairs"},
    {"ez_hashDollarSemicolon220AndDollarPair_serverSaysUnnamed", QuakeWorld, "A#B$C;D\xDC$$",
     u"ezQuake", Refused, {2, 4, 6, 8, 9}, "unnamed", "setinfo"},
    {"ez_spacesAndCode255_trimmedAtBothEnds", QuakeWorld, "\xFF A B\xFF", u"ezQuake",
     GlyphsChanged, {1, 2, 6}, "A B"},
    {"ez_ampersandRAndColour_refused", QuakeWorld, "&rB&cF0a", u"ezQuake", Refused, {1, 2, 4, 5},
     ""},
    {"q2_oneQuote_lineDiscarded", Quake2, "A\"Z", u"Quake II", BreaksLine, {2}, "",
     "unmatched quote"},
    {"q2_twoQuotes_nameSplit", Quake2, "A\"B\"C", u"Quake II", BreaksLine, {2, 4}, "A", "split"},
    {"q2_semicolon_invalidInfo", Quake2, "A;B", u"Quake II", Refused, {2}, "",
     "invalid info cvar value"},
    {"q2_code220_cutsUserinfo", Quake2, "XY\xDCZ", u"Quake II", GlyphsChanged, {3}, "XY", "skin"},
    {"q2hex_sevenGlyphsWithQuoteCodes_fine", Quake2Hex, "\"\n\xA2" "ABCD", u"Quake II",
     std::nullopt, {}, "220AA241424344"},
    {"q2hex_eightGlyphs_shows15Digits", Quake2Hex, "ABCDEFGH", u"Quake II", CutByLength, {8},
     "414243444546474", "7\u00BD"},
    {"io_semicolonAndBackslash_unnamedPlayer", Quake3Arena, "A;B\\C", u"ioquake3", Refused, {2, 4},
     "UnnamedPlayer", "UnnamedPlayer"},
    {"id_caretAndAnyGlyph_bothVanish_lastCaretShows", Quake3Arena, "X^AB^0C^!D^", u"id Quake III",
     GlyphsChanged, {2, 3, 5, 6, 8, 9}, "XBCD^", "vanishes"},
    {"io_caretLetter_vanishes_punctuationAndLastCaretShow", Quake3Arena, "X^AB^!C^", u"ioquake3",
     GlyphsChanged, {2, 3}, "XB^!C^"},
    {"id_caretOnly_unnamedPlayer", Quake3Arena, "^", u"id Quake III", Refused, {1}, "UnnamedPlayer",
     "only visible glyph"},
    // ClientCleanName (g_client.c; id 1.32, ioquake3 and RtCW alike): spaces before anything
    // else of the name are dropped, and a name with no glyph left but colour codes (empty, or a
    // caret that made the next glyph a colour code) becomes "UnnamedPlayer". A colour code
    // written first counts as something in id's cleaner, not in ioquake3's.
    {"id_leadingBlank_dropped", Quake3Arena, " B", u"id Quake III", GlyphsChanged, {1}, "B",
     "start of the name", {{1, ""}, {2, "^7"}}},
    {"io_leadingBlank_dropped", Quake3Arena, " B", u"ioquake3", GlyphsChanged, {1}, "B",
     "start of the name", {{1, ""}, {2, "^7"}}},
    {"id_emptyName_unnamedPlayer", Quake3Arena, "", u"id Quake III", Refused, {}, "UnnamedPlayer",
     "empty"},
    {"id_caretMakesNextGlyphAColour_unnamedPlayer", Quake3Arena, "^Z", u"id Quake III", Refused,
     {1, 2}, "UnnamedPlayer", "no visible glyph"},
    {"io_caretMakesNextGlyphAColour_unnamedPlayer", Quake3Arena, "^Z", u"ioquake3", Refused, {1, 2},
     "UnnamedPlayer", "no visible glyph"},
    {"id_blankBetweenColours_kept", Quake3Arena, " B", u"id Quake III", std::nullopt, {}, " B",
     "", {{1, "^1"}, {2, "^7"}}},
    {"id_tabAndSpace_cutTo3", Quake3Arena, "A\t B", u"id Quake III", GlyphsChanged, {3}, "A   B",
     "3 spaces"},
    {"q3_aColourBeforeEveryGlyph_elevenFit", Quake3Arena, "ABCDEFGHIJKL", u"id Quake III", CutByLength,
     {12}, "ABCDEFGHIJK", "35 bytes", {{1, "^1"}, {2, "^2"}, {3, "^3"}, {4, "^4"}, {5, "^5"},
     {6, "^6"}, {7, "^1"}, {8, "^2"}, {9, "^3"}, {10, "^4"}, {11, "^5"}, {12, "^6"}}},
    // vkQuake and Ironwail: QuakeSpasm's parser and 15 bytes, but for these.
    {"vk_backslash_unnamed", QuakeWorld, "A\\B", u"vkQuake", Refused, {2}, "unnamed",
     "userinfo"},
    {"iw_backslash_kept", QuakeWorld, "A\\B", u"Ironwail", std::nullopt, {}, "A\\B"},
    {"netQuake_slashesBeforeSemicolon_stillSplits", QuakeWorld, "A\"B//C;quit", u"NetQuake",
     BreaksLine, {7}, "\"A\"B//C", "console command"},
    {"vk_slashesBeforeSemicolon_noSplit", QuakeWorld, "A\"B//C;quit", u"vkQuake", BreaksLine, {2},
     "\"A\"B//C;quit\" /", "raw rest of the line"},
    {"iw_eighteenGlyphs_cutTo15_runOfThreeIsARange", QuakeWorld, "ABCDEFGHIJKLMNOPQR", u"Ironwail",
     CutByLength, {16, 17, 18}, "ABCDEFGHIJKLMNO", "Positions 16\u201318:"},
    // FTE, client and server.
    {"fte_quote_unnamed", QuakeWorld, "A\"Z", u"FTE", BreaksLine, {2}, "unnamed", "unnamed"},
    {"fte_doubledQuote_stillUnnamed", QuakeWorld, "A\"\"Z", u"FTE", BreaksLine, {2, 3},
     "unnamed"},
    {"fte_semicolonAfterQuote_runsAsCommand", QuakeWorld, "A\"B;quit", u"FTE", BreaksLine, {4},
     "unnamed", "console command"},
    {"fte_backslashDollarSemicolon_userinfoUnnamed", QuakeWorld, "A\\B$C;D", u"FTE", Refused,
     {2, 4, 6}, "unnamed", "userinfo"},
    {"fte_colon_removed", QuakeWorld, "A:B", u"FTE", GlyphsChanged, {2}, "AB", "colon"},
    {"fte_leadingBlanksAndBytes_stripped", QuakeWorld, "\x01\x0C\x8A\xA0 A", u"FTE",
     GlyphsChanged, {1, 2, 3, 4, 5}, "A", "start"},
    {"fte_onlyBlanks_unnamed", QuakeWorld, "\xFF", u"FTE", Refused, {1}, "unnamed", "nothing"},
    {"fte_linkMarkup_unnamed", QuakeWorld, "^[A^]", u"FTE", Refused, {1, 2}, "unnamed", "^["},
    {"fte_pictogramUtf8_unnamed", QuakeWorld, "A\xEE\x84\x80", u"FTE", Refused, {2, 3, 4},
     "unnamed", "pictogram"},
    {"fte_console_unnamed", QuakeWorld, "XConSole", u"FTE", Refused, {2, 3, 4, 5, 6, 7, 8},
     "unnamed", "console"},
    {"fte_utf8Pair_showsAsOneCharacter", QuakeWorld, "A\xC2\xB1", u"FTE", GlyphsChanged, {2, 3},
     "A\xC2\xB1", "U+00B1 (\u00B1)"},
    {"fte_utf8AfterABadByte_readAsQuake", QuakeWorld, "\xC2" "A\xC2\xB1", u"FTE", std::nullopt,
     {}, "\xC2" "A\xC2\xB1"},
    {"fte_caretMarkupAndEzColour_dontShow", QuakeWorld, "^1A&c0F0B", u"FTE", GlyphsChanged, {1, 2},
     "^1A&c0F0B", "markup"},
    {"fte_ezColour_dontShow", QuakeWorld, "A&c0F0B&r", u"FTE", GlyphsChanged,
     {2, 3, 4, 5, 6, 8, 9}, "A&c0F0B&r", "ezQuake colour"},
    // Q2PRO.
    {"q2pro_oneQuote_lineDiscarded", Quake2, "A\"Z", u"Q2PRO", BreaksLine, {2}, "",
     "unmatched quote"},
    {"q2pro_quotedPieces_joinedWithABlank", Quake2, "A\" \"B", u"Q2PRO", BreaksLine, {2, 4},
     "A B", "\"A B\""},
    {"q2pro_quoteLeftInPiece_refused", Quake2, "A\"B\"C", u"Q2PRO", Refused, {4}, "",
     "stays as it was"},
    {"q2pro_highGlyph_plain", Quake2, "A\xC1", u"Q2PRO", GlyphsChanged, {2}, "AA", "high bit"},
    {"q2pro_controlAndHighControl_dropped", Quake2, "A\x01\x81" "B", u"Q2PRO", GlyphsChanged,
     {2, 3}, "AB", "control"},
    {"q2pro_twentyGlyphs_cutTo15", Quake2, "ABCDEFGHIJKLMNOPQRST", u"Q2PRO", CutByLength,
     {16, 17, 18, 19, 20}, "ABCDEFGHIJKLMNO", "15 bytes"},
    {"q2pro_blank_refusedAtConnect", Quake2, "\xFF", u"Q2PRO", Refused, {1}, "", "blank"},
    {"q2proHex_extraU_joinedToName", Quake2Hex, "AB", u"Q2PRO", GlyphsChanged, {}, "4142 u",
     "\"4142 u\""},
    {"q2proHex_eightGlyphs_cutTo15", Quake2Hex, "ABCDEFGH", u"Q2PRO", CutByLength, {8},
     "414243444546474"},
    // Black, chosen before the first glyph: colours are the Quake III indices (7 white, 0 black).
    {"id_black_caretInFront", Quake3Arena, "AB", u"id Quake III", Cosmetic, {1}, "^AB", "caret in front",
     {{1, "^^8"}}, "700"},
    {"io_black_caretLeftOverTakesLetterAsRed", Quake3Arena, "AB", u"ioquake3", GlyphsChanged, {1}, "B",
     "never shows black", {{1, "^^8"}}, "1"},
    // clang-format on
};

TEST(NameCheck, eachRow_findingAndSeenNameAsMeasured) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.label);
        const CheckReport report = check(row.mode, row.picked, row.prefixes);
        const EngineReport& e = engine(report, row.engine);
        EXPECT_EQ(e.seenBytes(), row.seen);
        EXPECT_EQ(e.noName.isEmpty(), !row.seen.isEmpty()) << e.noName.toStdString();
        if (!row.colours.isEmpty()) {
            QByteArray colours;
            for (const SeenGlyph& g : e.seen) {
                colours += static_cast<char>('0' + g.colour);
            }
            EXPECT_EQ(colours, row.colours);
        }
        const bool found = std::any_of(e.findings.begin(), e.findings.end(), [&](const Finding& f) {
            return f.severity == row.severity && f.positions == row.positions &&
                   f.text.contains(QString::fromUtf8(row.words));
        });
        EXPECT_TRUE(std::is_sorted(e.findings.begin(), e.findings.end(),
                                   [](auto& a, auto& b) { return a.severity < b.severity; }));
        EXPECT_TRUE(row.severity ? found : e.findings.isEmpty())
            << "first finding: " << e.findings.value(0).text.toStdString();
    }
}

// One code inside a name, for every code: the rules that depend on the code alone.
TEST(NameCheck, everyCode_asEachEngineWasMeasured) {
    // % and the high codes that are not blanks: the others see a dot.
    const auto dotted = [](int c) {
        return c == 37 || (c >= 128 && c < 255 && !QList{132, 137, 138, 140, 155, 160}.contains(c));
    };
    const QList<int> ioKicks{1,  2,  3,  4,  6,  7,  8,  11, 14, 15, 16, 17, 18,
                             19, 20, 21, 23, 24, 25, 26, 28, 29, 30, 31, 127};
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        const QByteArray inside = withCode("A", code, "B");
        // Quake III engines: ioquake3 kicks for control glyphs; the others see dots.
        const QByteArray drawn = "A" + colourTable()[code] + "B";
        for (const EngineReport& e :
             check(Quake3Arena, inside).engines + check(Wolfenstein, inside).engines) {
            const bool io = e.engine == u"ioquake3";
            if (ioKicks.contains(code)) {
                EXPECT_EQ(e.seenBytes(), io ? QByteArray() : drawn) << e.engine.toStdString();
                EXPECT_EQ(e.noName.isEmpty(), !io);
                EXPECT_EQ(e.findings.isEmpty(), !io);
            } else if (code >= 32 && !QByteArray(".;\\^").contains(static_cast<char>(code))) {
                EXPECT_EQ(e.seenBytes(), dotted(code) ? "A.B" : drawn) << e.engine.toStdString();
                EXPECT_EQ(e.findings.isEmpty(), !dotted(code));
            }
        }
        const QByteArray entry = byteTable()[code];
        if (entry == "\"") {
            continue;  // the quote codes break the line: rows above
        }
        // NetQuake and Hexen II (but for its brace): byte for byte, first glyph or not.
        for (GameMode mode : {QuakeWorld, Hexen2}) {
            if (mode == QuakeWorld || code != '{') {
                const EngineReport e =
                    check(mode, withCode("", code, "A") + withCode("", code, "B")).engines[0];
                EXPECT_TRUE(e.findings.isEmpty());
                EXPECT_EQ(e.seenBytes(), entry + "A" + entry + "B");
            }
        }
        // Both QuakeWorlds pass only bytes above 13 to the userinfo (code 13 writes 14).
        for (const char16_t* name : {u"id QuakeWorld", u"ezQuake"}) {
            if (code <= 13) {
                EXPECT_EQ(engine(check(QuakeWorld, inside), name).seenBytes(),
                          code == 13 ? withCode("A", 14, "B") : "AB");
            }
        }
        // Quake II: what the others see, and the most serious finding.
        const EngineReport q2 = check(Quake2, inside).engines[0];
        struct Expected {
            QByteArray seen;  // empty: the name stays as it was
            std::optional<Severity> severity;
        } x{"A" + entry + "B", std::nullopt};
        if (code == 59 || code == 92) {
            x = {{}, Refused};
        } else if (code == 187) {
            x = {"badinfo", Refused};
        } else if (code <= 31 || (code >= 128 && code <= 159)) {
            x = {"AB", GlyphsChanged};
        } else if (code == 220) {
            x = {"A", GlyphsChanged};
        } else if (code == 127 || code >= 161) {
            x = {withCode("A", entry[0] & 0x7F, "B"), GlyphsChanged};
        }
        EXPECT_EQ(q2.seenBytes(), x.seen);
        EXPECT_EQ(q2.noName.isEmpty(), !x.seen.isEmpty());
        EXPECT_EQ(q2.findings.isEmpty() ? std::nullopt : std::optional(q2.findings[0].severity),
                  x.severity);
        // Q2PRO: the same, but a ; or \\ in high form is refused like the plain one.
        if (code == 187 || code == 220) {
            x = {{}, Refused};
        }
        const EngineReport q2pro = engine(check(Quake2, inside), u"Q2PRO");
        EXPECT_EQ(q2pro.seenBytes(), x.seen);
        EXPECT_EQ(
            q2pro.findings.isEmpty() ? std::nullopt : std::optional(q2pro.findings[0].severity),
            x.severity);
    }
}

TEST(NameCheck, configSize_eachEngineIgnoresItOneBytePastItsLargest) {
    const std::tuple<GameMode, QString, qint64> rows[] = {
        {QuakeWorld, u"id Quake"_s, 8191},
        {QuakeWorld, u"QuakeSpasm"_s, 256 * 1024},
        {Quake2, u"id Quake II"_s, 8191},
        {Quake2Hex, u"Yamagi Quake II"_s, 32767},
        {Hexen2, u"Hexen II"_s, 8191},
        {Quake3Arena, u"id Quake III 1.32"_s, 16365},
        {Quake3Arena, u"ioquake3"_s, 128 * 1024},
        {Wolfenstein, u"Return to Castle Wolfenstein"_s, 16365},
    };
    for (const auto& [mode, engine, largest] : rows) {
        const auto ignoring = [&](qint64 size) {
            const auto verdict = configSizeVerdict(mode, size);
            return verdict && verdict->ignoring.contains(std::pair{engine, largest});
        };
        EXPECT_FALSE(ignoring(largest)) << qPrintable(engine);
        EXPECT_TRUE(ignoring(largest + 1)) << qPrintable(engine);
    }
    EXPECT_FALSE(configSizeVerdict(JumpGate, qint64{1} << 40));
}

// Lines read from a file can hold longer names than the program writes.
TEST(NameCheck, longFileLines_fteAndQ2proLimits) {
    const auto fileLine = [](GameMode mode, int length, const char16_t* name) {
        const QByteArray line = "name \"" + QByteArray(length, 'x') + '"';
        return EngineReport(engine(checkName(mode, *tagFileLine(mode, line)), name));
    };
    const EngineReport fte45 = fileLine(QuakeWorld, 45, u"FTE");
    EXPECT_EQ(fte45.seenBytes(), QByteArray(40, 'x'));
    ASSERT_EQ(fte45.findings.size(), 1);
    EXPECT_EQ(fte45.findings[0].positions, (QList<int>{41, 42, 43, 44, 45}));
    EXPECT_EQ(fileLine(QuakeWorld, 64, u"FTE").seenBytes(), "unnamed");
    EXPECT_EQ(fileLine(QuakeWorld, 63, u"FTE").seenBytes(), QByteArray(40, 'x'));
    EXPECT_EQ(fileLine(Quake2, 64, u"Q2PRO").noName, u"the name stays as it was"_s);
    EXPECT_EQ(fileLine(Quake2, 63, u"Q2PRO").seenBytes(), QByteArray(15, 'x'));
}

// The re-releases' engines are closed: named, never called OK, and never
// the reason a quote does not count as breaking everywhere.
TEST(NameCheck, closedReReleases_noCheckForTheClient) {
    for (const auto& [mode, name] : {std::pair{QuakeWorld, u"Quake (2021 re-release)"},
                                     {Quake2, u"Quake II (2023 re-release)"},
                                     {Quake2Hex, u"Quake II (2023 re-release)"}}) {
        const CheckReport report = check(mode, "A\"Z");
        const EngineReport& e = engine(report, name);
        EXPECT_EQ(e.noName, u"no check for this client"_s);
        EXPECT_TRUE(e.findings.isEmpty());
        EXPECT_TRUE(e.caveat.contains(u"no public source"_s));
        EXPECT_EQ(report.uncheckedClients(), QStringList{QString::fromUtf16(name)});
        EXPECT_EQ(report.breaksEverywhere(), mode != Quake2Hex);
    }
    EXPECT_TRUE(check(Quake3Arena, "A").uncheckedClients().isEmpty());
}

// A mode switch starts with no name: nothing to report yet.
// Quake III and RtCW are left out: they turn an empty name into "UnnamedPlayer".
TEST(NameCheck, noNameComposed_noFindings) {
    for (GameMode mode : {QuakeWorld, Quake2, Quake2Hex, Hexen2}) {
        EXPECT_EQ(check(mode, "").problemCount(), 0) << static_cast<int>(mode);
    }
}

TEST(CheckQuestions, quoteInEveryEngine_asksWithNoAsDefault_otherFindingsNever) {
    test::FakeDesktop desktop;
    EXPECT_FALSE(confirmLineWrite(desktop, check(QuakeWorld, "A\"Z")));  // answered No
    ASSERT_EQ(desktop.messages.size(), 1u);
    const Message& m = desktop.messages[0];
    EXPECT_EQ(m.buttons, MessageButtons::YesNo);
    EXPECT_EQ(m.defaultButton, MessageAnswer::No);
    EXPECT_EQ(m.title, u"Name Check"_s);
    EXPECT_TRUE(
        m.text.startsWith(u"This name breaks the console line in every game engine:\r"
                          u"NetQuake (WinQuake, QuakeSpasm): Position 2: "_s))
        << m.text.toStdString();
    EXPECT_TRUE(m.text.contains(u"\rid QuakeWorld: Position 2: "_s));
    EXPECT_TRUE(m.text.endsWith(u"\rWrite the line anyway?"_s));

    // Findings that leave the line whole, and games without a check, never ask.
    for (const auto& [mode, picked] : {std::pair{QuakeWorld, QByteArray("A\\B;C")},
                                       {Quake3Arena, "A;B"},
                                       {JumpGate, "A\"B"},
                                       {Quake2Hex, "A\"B"}}) {
        EXPECT_TRUE(confirmLineWrite(desktop, check(mode, picked)));
    }
    EXPECT_EQ(desktop.messages.size(), 1u);
}

}  // namespace
}  // namespace vtl
