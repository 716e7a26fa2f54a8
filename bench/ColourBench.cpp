// Recolouring a full 25-glyph name with a gradient runs on every move of the
// gradient dialog's controls (the live preview): the target is 1 ms. One
// iteration reads each glyph's colour from the name, computes the gradient's
// colours and rewrites the codes.
#include <benchmark/benchmark.h>

#include "modes/CharTables.h"
#include "modes/NameColours.h"
#include "modes/XonoticText.h"

namespace {

using namespace vtl::colour;

void recolourName(benchmark::State& state, const ColourSet& set, const vtl::CharTable& table,
                  std::optional<Rgb> middle) {
    std::array<vtl::NameCell, vtl::kNameLength> name;
    for (int k = 0; k < vtl::kNameLength; ++k) {
        const int code = k % 5 == 4 ? 200 + k : 'A' + k;
        name[static_cast<std::size_t>(k)].fragment =
            (k == 0 ? QByteArray("^7") : QByteArray()) + table[static_cast<std::size_t>(code)];
    }
    const GradientRequest request{{Rgb{255, 64, 0}, middle, Rgb{40, 90, 255}}, 0, 24};
    for (auto _ : state) {
        auto cells = name;
        std::vector<ColouredGlyph> glyphs = vtl::glyphColours(cells, set);
        applyGradient(glyphs, request, set);
        std::vector<QByteArray> colours;
        for (const ColouredGlyph& glyph : glyphs) {
            colours.push_back(glyph.colour);
        }
        benchmark::DoNotOptimize(vtl::recolour(cells, set, 1, vtl::kNameLength, colours));
    }
}

void BM_GradientXonotic(benchmark::State& state) {
    recolourName(state, kDarkPlacesColours, vtl::xonoticTable(), std::nullopt);
}
void BM_GradientXonoticWithMiddle(benchmark::State& state) {
    recolourName(state, kDarkPlacesColours, vtl::xonoticTable(), Rgb{255, 255, 255});
}
void BM_GradientQuake3(benchmark::State& state) {
    recolourName(state, kQuake3Colours, vtl::colourTable(), std::nullopt);
}
void BM_GradientEtLegacy32(benchmark::State& state) {
    recolourName(state, kEtLegacyColours, vtl::colourTable(), std::nullopt);
}

}  // namespace

BENCHMARK(BM_GradientXonotic)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_GradientXonoticWithMiddle)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_GradientQuake3)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_GradientEtLegacy32)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
