#include <gtest/gtest.h>

#include "check/DarkPlacesCheck.h"
#include "modes/CharTables.h"

namespace vtl {
namespace {

TaggedLine lineOf(const std::vector<QByteArray>& fragments) {
    std::array<QByteArray, 25> positions;
    std::size_t k = 0;
    for (const QByteArray& fragment : fragments) {
        positions[k++] = fragment;
    }
    for (; k < positions.size(); ++k) {
        positions[k] = " ";
    }
    return tagPositions(GameMode::QuakeWorld, positions, linePrefix(), byteLineSuffix());
}

using Found = std::vector<std::pair<Severity, QList<int>>>;

Found findingsOf(const EngineReport& report) {
    Found found;
    for (const Finding& finding : report.findings) {
        found.emplace_back(finding.severity, finding.positions);
    }
    return found;
}

// DarkPlaces client facts (cl_main.c, cmd.c, utf8lib.c, cl_cmd.c), one a row.
TEST(DarkPlacesCheck, clientFacts) {
    const QByteArray gradientGlyph("^xF80\xEE\x83\x81");  // 8 bytes: a code and a gold A
    const QList<int> lost{17, 18, 19, 20, 21, 22, 23, 24, 25};
    struct Row {
        const char* name;
        TaggedLine line;
        Found findings;
        bool nameSent = true;
    };
    const Row rows[] = {
        {"ASCII, Quake glyphs, $$ pass", lineOf({"^1A", "\xEE\x82\x90", "$$"}), {}},
        {"a lone $ starts a cvar", lineOf({"$", "b"}), {{Severity::GlyphsChanged, {1}}}},
        {"a quote is refused", lineOf({"a", "\\\""}), {{Severity::Refused, {2}}}, false},
        {"a raw Quake byte is not drawn", lineOf({"a", "\x90"}), {{Severity::GlyphsChanged, {2}}}},
        {"a backslash is not in the userinfo", lineOf({"\\\\"}), {{Severity::Cosmetic, {1}}}},
        {"a gradient past 127 bytes",
         lineOf(std::vector<QByteArray>(25, gradientGlyph)),
         {{Severity::CutByLength, {16}}, {Severity::CutByLength, lost}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const EngineReport report = darkPlacesClient(row.line);
        EXPECT_EQ(findingsOf(report), row.findings);
        EXPECT_EQ(report.noName.isEmpty(), row.nameSent);
    }
    // What the others see of the first row: the glyphs and their colour.
    const EngineReport passed = darkPlacesClient(lineOf({"^1A", "\xEE\x82\x90", "$$"}));
    EXPECT_EQ(passed.seen, (std::vector<SeenGlyph>{{'A', 1, 1}, {0x90, 2, 1}, {'$', 3, 1}}));
    EXPECT_EQ(darkPlacesClient(lineOf(std::vector<QByteArray>(25, gradientGlyph))).seen.size(),
              15u);
}

// Xonotic server facts (client.qc: sv_name_maxlength 64 without codes,
// Player#N for a name with nothing to see).
TEST(DarkPlacesCheck, xonoticServerFacts) {
    EXPECT_TRUE(xonoticServer(lineOf({"^1A", "^xF80b"})).findings.isEmpty());
    const EngineReport blank = xonoticServer(lineOf({"^1 ", "^2 "}));
    ASSERT_EQ(blank.findings.size(), 1);
    EXPECT_EQ(blank.findings[0].severity, Severity::Refused);
    EXPECT_EQ(blank.seenBytes(), "Player#N");
    // 25 glyphs never reach 64 characters; a longer line read from a file does.
    const TaggedLine longLine =
        *tagFileLine(GameMode::QuakeWorld, "name \"" + QByteArray(70, 'x') + "\"");
    const EngineReport cut = xonoticServer(longLine);
    ASSERT_EQ(cut.findings.size(), 1);
    EXPECT_EQ(cut.findings[0].severity, Severity::CutByLength);
    EXPECT_EQ(cut.findings[0].positions.first(), 65);
    EXPECT_EQ(cut.seen.size(), 64u);
}

}  // namespace
}  // namespace vtl
