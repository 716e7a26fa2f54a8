#include <gtest/gtest.h>

#include <QByteArray>

#include "colour/Gradient.h"
#include "colour/GradientForm.h"

namespace vtl::colour {
namespace {

using namespace Qt::StringLiterals;

Rgb hex(unsigned v) {
    return Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
               static_cast<std::uint8_t>(v)};
}

QByteArray codeIn(const ColourSet& set, unsigned colour) {
    return set.entries[static_cast<std::size_t>(nearestEntry(set, hex(colour)))].code;
}

// Each row is a colour someone might pick and the entry a player would call
// nearest. Orange shows why distance in RGB will not do: it is a shade
// nearer yellow there, while the eye calls it red in Quake III's eight.
TEST(PaletteChoice, nearestEntryByEyeIn8And10And32Colours) {
    struct Row {
        const char* name;
        unsigned colour;
        const char* quake3;
        const char* tenColours;
        const char* urbanTerror;
        const char* etLegacy;
    };
    const Row rows[] = {
        {"pure red", 0xFF0000, "^1", "^1", "^1", "^1"},
        {"orange", 0xFF8000, "^1", "^8", "^8", "^8"},
        {"sienna", 0xA0522D, "^1", "^1", "^8", "^K"},
        {"brick", 0x993333, "^1", "^1", "^8", "^J"},
        {"gold", 0xFFD700, "^3", "^3", "^3", "^3"},
        {"dark green", 0x006400, "^^8", "^9", "^9", "^H"},
        {"sea green", 0x2E8B57, "^2", "^9", "^9", "^<"},
        {"aquamarine", 0x7FFFD4, "^5", "^5", "^5", "^G"},
        {"navy", 0x202080, "^4", "^4", "^4", "^>"},
        {"hot pink", 0xFF69B4, "^6", "^6", "^6", "^6"},
        {"silver", 0xC0C0C0, "^7", "^7", "^7", "^:"},
        {"dim grey", 0x404040, "^^8", "^0", "^9", "^0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(codeIn(kQuake3Colours, row.colour), row.quake3);
        EXPECT_EQ(codeIn(kTenColours, row.colour), row.tenColours);
        EXPECT_EQ(codeIn(kUrbanTerrorColours, row.colour), row.urbanTerror);
        EXPECT_EQ(codeIn(kEtLegacyColours, row.colour), row.etLegacy);
    }
}

TEST(RgbCodes, nearestOf4096AndTheShortestCode) {
    // Every ^xRGB colour comes back as its own code.
    for (int v = 0; v < 4096; ++v) {
        const Rgb colour{static_cast<std::uint8_t>((v >> 8) * 17),
                         static_cast<std::uint8_t>(((v >> 4) & 15) * 17),
                         static_cast<std::uint8_t>((v & 15) * 17)};
        ASSERT_EQ(colourOfRgbCode(nearestRgbCode(colour)), colour) << v;
    }
    struct Row {
        const char* name;
        unsigned colour;
        const char* code;
    };
    const Row rows[] = {
        {"between grid points", 0x808080, "^x888"},
        {"just off red", 0xFC0000, "^1"},
        {"nearer the lower step", 0xF10000, "^xE00"},
        {"orange", 0xFF8000, "^xF80"},
        {"white", 0xFFFFFF, "^7"},
        {"black", 0x000000, "^0"},
        {"dark blue", 0x123456, "^x135"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(codeFor(kDarkPlacesColours, hex(row.colour)), row.code);
    }
    EXPECT_EQ(colourOfRgbCode("^xfa0"), hex(0xFFAA00));
    EXPECT_EQ(colourOfRgbCode("^xFG0"), std::nullopt);
    EXPECT_EQ(colourOfCode(kDarkPlacesColours, "^xF00"), colourOfCode(kDarkPlacesColours, "^1"));
}

TEST(FewestCodes, aCodeOnlyWhereTheDrawnColourChanges) {
    struct Row {
        const char* name;
        std::vector<ColouredGlyph> glyphs;
        QByteArray written;
    };
    const std::vector<Row> rows = {
        {"one colour, one code", {{"A", "^1"}, {"B", "^1"}, {"C", "^1"}}, "^1ABC"},
        {"each change", {{"A", "^1"}, {"B", "^4"}, {"C", "^1"}}, "^1A^4B^1C"},
        {"a blank needs none", {{"A", "^1"}, {" ", "^4"}, {"B", "^1"}}, "^1A B"},
        {"blank first", {{" ", "^4"}, {"B", "^1"}}, " ^1B"},
        {"same colour other code", {{"A", "^1"}, {"B", "^xF00"}, {"C", "^xF80"}}, "^1AB^xF80C"},
        {"no colour given", {{"A", ""}, {"B", "^2"}}, "A^2B"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(writtenName(row.glyphs, kDarkPlacesColours), row.written);
    }
    // What is already in force before the first glyph is not written again.
    const std::vector<ColouredGlyph> tail = {{"B", "^1"}, {"C", "^2"}};
    EXPECT_EQ(fragmentsWithFewestCodes(tail, kDarkPlacesColours, "^1"),
              (std::vector<QByteArray>{"B", "^2C"}));
}

std::vector<ColouredGlyph> plainName(int length) {
    std::vector<ColouredGlyph> glyphs;
    for (int i = 0; i < length; ++i) {
        glyphs.push_back({QByteArray(1, static_cast<char>('A' + i)), "^7"});
    }
    return glyphs;
}

std::vector<QByteArray> coloursOf(const std::vector<ColouredGlyph>& glyphs) {
    std::vector<QByteArray> colours;
    for (const ColouredGlyph& glyph : glyphs) {
        colours.push_back(glyph.colour);
    }
    return colours;
}

TEST(GradientColours, spreadOverTheSpanNearestInEachSet) {
    const GradientStops redToBlue{hex(0xFF0000), std::nullopt, hex(0x0000FF)};
    std::vector<ColouredGlyph> rgb = plainName(5);
    applyGradient(rgb, {redToBlue, 0, 4}, kDarkPlacesColours);
    EXPECT_EQ(coloursOf(rgb), (std::vector<QByteArray>{"^1", "^xC46", "^x859", "^x54C", "^4"}));

    // A palette game gets runs of one colour, each written once.
    std::vector<ColouredGlyph> palette = plainName(6);
    applyGradient(palette, {redToBlue, 0, 5}, kQuake3Colours);
    EXPECT_EQ(writtenName(palette, kQuake3Colours), "^1AB^6C^4DEF");

    // A middle colour is passed halfway; blanks and glyphs outside the span
    // keep theirs.
    std::vector<ColouredGlyph> partial = plainName(6);
    partial[3].text = " ";
    applyGradient(partial, {{hex(0xFF0000), hex(0x00FF00), hex(0x0000FF)}, 1, 4},
                  kDarkPlacesColours);
    EXPECT_EQ(coloursOf(partial), (std::vector<QByteArray>{"^7", "^1", "^2", "^7", "^4", "^7"}));
}

TEST(GradientFit, everySecondOrThirdGlyphWhenTheNameIsTooLong) {
    const GradientRequest request{{hex(0xFF0000), std::nullopt, hex(0x0000FF)}, 0, 24};
    const std::vector<ColouredGlyph> name = plainName(25);
    // Xonotic: 25 glyphs with 25 codes of up to 5 bytes do not fit 127 bytes.
    const FitReport xonotic = fitToLimit(name, request, kDarkPlacesColours, 127, 0);
    EXPECT_EQ(xonotic.bytesPerStep, (std::vector<int>{129, 84, 64}));
    EXPECT_EQ(xonotic.fittingStep, 2);
    EXPECT_EQ(fitToLimit(name, request, kDarkPlacesColours, 84, 0).fittingStep, 2);  // just fits
    // Quake III's 35 bytes with the closing "^7": a palette gradient costs a
    // code per run only, and a fuller one is cut whatever the step.
    const FitReport quake3 = fitToLimit(name, request, kQuake3Colours, 35, 2);
    EXPECT_EQ(quake3.bytesPerStep[0], 25 + 3 * 2 + 2);
    EXPECT_EQ(quake3.fittingStep, 1);
    const GradientRequest rainbow{{hex(0xFFFF00), hex(0xFF00FF), hex(0x00FFFF)}, 0, 24};
    const FitReport etLegacy = fitToLimit(name, rainbow, kEtLegacyColours, 35, 2);
    EXPECT_EQ(etLegacy.bytesPerStep, (std::vector<int>{43, 41, 39}));
    EXPECT_EQ(etLegacy.fittingStep, std::nullopt);
    // A short one fits as it is.
    const FitReport shortName =
        fitToLimit(plainName(8), {request.stops, 0, 7}, kQuake3Colours, 35, 2);
    EXPECT_EQ(shortName.fittingStep, 1);
}

TEST(GradientForm, lengthAgainstTheLimitsAndTheOffer) {
    GradientForm form(plainName(25), kDarkPlacesColours,
                      {{u"The Xonotic client"_s, 127}, {u"The server"_s, 128}}, 0);
    EXPECT_EQ(form.lastPosition, 25);
    EXPECT_GT(form.bytes(), 127);
    EXPECT_EQ(
        form.limitLines().first(),
        u"The Xonotic client keeps 127 bytes of a name: this one has %1, the rest is cut."_s.arg(
            form.bytes()));
    ASSERT_EQ(form.offeredStep(), 2);
    EXPECT_TRUE(form.offerText().startsWith(u"Colour every second glyph instead: "_s));
    form.step = 2;
    EXPECT_EQ(form.offeredStep(), std::nullopt);
    EXPECT_LE(form.bytes(), 127);
    // A span of a few glyphs leaves the rest as they were.
    form.step = 1;
    form.firstPosition = 3;
    form.lastPosition = 5;
    const std::vector<ColouredGlyph> preview = form.preview();
    EXPECT_EQ(preview[1].colour, "^7");
    EXPECT_EQ(preview[2].colour, "^1");
    EXPECT_EQ(preview[4].colour, "^4");
    EXPECT_EQ(preview[5].colour, "^7");
}

}  // namespace
}  // namespace vtl::colour
