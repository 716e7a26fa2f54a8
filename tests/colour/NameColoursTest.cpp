#include <gtest/gtest.h>

#include "modes/NameColours.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

// Cells written as their fragments joined by '|': "^1A| |B".
std::array<NameCell, kNameLength> cellsOf(const char* fragments) {
    std::array<NameCell, kNameLength> cells;
    const QList<QByteArray> parts = QByteArray(fragments).split('|');
    for (qsizetype k = 0; k < parts.size(); ++k) {
        cells[static_cast<std::size_t>(k)].fragment = parts[k];
    }
    return cells;
}

// The first `count` fragments, joined by '|'.
QByteArray joined(const std::array<NameCell, kNameLength>& cells, qsizetype count) {
    QByteArrayList fragments;
    for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k) {
        fragments << cells[k].fragment;
    }
    return fragments.join('|');
}

TEST(NameColours, eachGlyphKnowsTheColourItIsWrittenIn) {
    const auto glyphs = glyphColours(cellsOf("^1A| |B|^^8C|^^"), colour::kQuake3Colours);
    QByteArrayList colours, texts;
    for (std::size_t k = 0; k < 5; ++k) {
        colours << glyphs[k].colour;
        texts << glyphs[k].text;
    }
    EXPECT_EQ(colours.join('|'), "^1|^1|^1|^^8|^^8");
    EXPECT_EQ(texts.join('|'), "A| |B|C|^^");
    EXPECT_EQ(glyphColours(cellsOf("A"), colour::kQuake3Colours)[0].colour, QByteArray());
}

TEST(NameColours, recolouringRewritesOnlyTheCodesNeeded) {
    struct Row {
        const char* name;
        const char* cells;
        int first;
        int last;
        std::vector<QByteArray> colours;
        const char* fragments;
        std::vector<int> changed;
    };
    const Row rows[] = {
        {"one glyph in a run", "^7A|B|C", 2, 2, {"^1"}, "^7A|^1B|^7C", {2}},
        {"the colour it has", "^1A|B", 2, 2, {"^1"}, "^1A|B", {}},
        {"first of a run", "^1A|B|C", 1, 1, {"^4"}, "^4A|^1B|C", {1}},
        {"a span", "^7A|B|C|D", 2, 3, {"^1", "^4"}, "^7A|^1B|^4C|^7D", {2, 3}},
        {"next glyph has its own code", "^7A|B|^2C", 2, 2, {"^1"}, "^7A|^1B|^2C", {2}},
        {"past a blank", "^7A|B| |C", 2, 2, {"^1"}, "^7A|^1B| |^7C", {2}},
        {"repeated codes go", "^1A|^1B|^4C", 1, 3, {"^1", "^1", "^1"}, "^1A|B|C", {3}},
        {"a blank takes no code", "^7A| |B", 1, 3, {"^1", "^4", "^1"}, "^1A| |B", {1, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto cells = cellsOf(row.cells);
        const std::vector<int> changed =
            recolour(cells, colour::kQuake3Colours, row.first, row.last, row.colours);
        EXPECT_EQ(joined(cells, QByteArray(row.fragments).count('|') + 1), row.fragments);
        EXPECT_EQ(changed, row.changed);
    }
    // Xonotic: `^xF00` and `^1` draw the same red, so nothing is redrawn.
    auto cells = cellsOf("^xF00A|B");
    EXPECT_TRUE(
        recolour(cells, colour::kDarkPlacesColours, 1, 2, std::vector<QByteArray>{"^1", "^1"})
            .empty());
    EXPECT_EQ(joined(cells, 2), "^1A|B");
}

// "Other colour…" opens on the colour in force and writes the nearest code.
TEST(NameColours, otherColourWritesTheNearestOf4096) {
    test::FakeDesktop desktop;
    desktop.colourReplies = {QColor(252, 134, 0), QColor(255, 0, 0), std::nullopt};
    const colour::ColourSet& xonotic = colour::kDarkPlacesColours;
    EXPECT_EQ(chooseOtherColour(desktop, xonotic, "^xF80"), "^xF80");
    EXPECT_EQ(desktop.colourRequests.at(0).first, QColor(255, 136, 0));
    EXPECT_EQ(chooseOtherColour(desktop, xonotic, "^2"), "^1");
    EXPECT_EQ(desktop.colourRequests.at(1).first, QColor(0, 255, 0));
    EXPECT_EQ(chooseOtherColour(desktop, xonotic, "^2"), std::nullopt);
}

}  // namespace
}  // namespace vtl
