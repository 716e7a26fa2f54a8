#include <gtest/gtest.h>

#include "modes/NameColours.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

std::array<NameCell, kNameLength> cellsOf(std::initializer_list<const char*> fragments) {
    std::array<NameCell, kNameLength> cells;
    std::size_t k = 0;
    for (const char* fragment : fragments) {
        cells[k++].fragment = fragment;
    }
    return cells;
}

std::vector<QByteArray> fragmentsOf(const std::array<NameCell, kNameLength>& cells,
                                    std::size_t count) {
    std::vector<QByteArray> fragments;
    for (std::size_t k = 0; k < count; ++k) {
        fragments.push_back(cells[k].fragment);
    }
    return fragments;
}

TEST(NameColours, eachGlyphKnowsTheColourItIsWrittenIn) {
    const auto cells = cellsOf({"^1A", " ", "B", "^^8C", "^^"});
    const auto glyphs = glyphColours(cells, colour::kQuake3Colours);
    const std::vector<QByteArray> colours = {"^1", "^1", "^1", "^^8", "^^8"};
    const std::vector<QByteArray> texts = {"A", " ", "B", "C", "^^"};
    for (std::size_t k = 0; k < colours.size(); ++k) {
        EXPECT_EQ(glyphs[k].colour, colours[k]) << k;
        EXPECT_EQ(glyphs[k].text, texts[k]) << k;
    }
    EXPECT_EQ(glyphColours(cellsOf({"A"}), colour::kQuake3Colours)[0].colour, QByteArray());
}

TEST(NameColours, recolouringRewritesOnlyTheCodesNeeded) {
    struct Row {
        const char* name;
        std::array<NameCell, kNameLength> cells;
        int first;
        int last;
        std::vector<QByteArray> colours;
        std::vector<QByteArray> fragments;
        std::vector<int> changed;
    };
    const Row rows[] = {
        {"one glyph in a run",
         cellsOf({"^7A", "B", "C"}),
         2,
         2,
         {"^1"},
         {"^7A", "^1B", "^7C"},
         {2}},
        {"the colour it has", cellsOf({"^1A", "B"}), 2, 2, {"^1"}, {"^1A", "B"}, {}},
        {"first of a run", cellsOf({"^1A", "B", "C"}), 1, 1, {"^4"}, {"^4A", "^1B", "C"}, {1}},
        {"a span",
         cellsOf({"^7A", "B", "C", "D"}),
         2,
         3,
         {"^1", "^4"},
         {"^7A", "^1B", "^4C", "^7D"},
         {2, 3}},
        {"next glyph has its own code",
         cellsOf({"^7A", "B", "^2C"}),
         2,
         2,
         {"^1"},
         {"^7A", "^1B", "^2C"},
         {2}},
        {"past a blank",
         cellsOf({"^7A", "B", " ", "C"}),
         2,
         2,
         {"^1"},
         {"^7A", "^1B", " ", "^7C"},
         {2}},
        {"repeated codes go",
         cellsOf({"^1A", "^1B", "^4C"}),
         1,
         3,
         {"^1", "^1", "^1"},
         {"^1A", "B", "C"},
         {3}},
        {"a blank takes no code",
         cellsOf({"^7A", " ", "B"}),
         1,
         3,
         {"^1", "^4", "^1"},
         {"^1A", " ", "B"},
         {1, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto cells = row.cells;
        const std::vector<int> changed =
            recolour(cells, colour::kQuake3Colours, row.first, row.last, row.colours);
        EXPECT_EQ(fragmentsOf(cells, row.fragments.size()), row.fragments);
        EXPECT_EQ(changed, row.changed);
    }
    // Xonotic: `^xF00` and `^1` draw the same red, so nothing is redrawn.
    auto cells = cellsOf({"^xF00A", "B"});
    EXPECT_TRUE(
        recolour(cells, colour::kDarkPlacesColours, 1, 2, std::vector<QByteArray>{"^1", "^1"})
            .empty());
    EXPECT_EQ(fragmentsOf(cells, 2), (std::vector<QByteArray>{"^1A", "B"}));
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
