// Recolouring a full 25-glyph name with a gradient runs on every move of the
// gradient dialog's controls (the live preview): the target is 1 ms.
#include <benchmark/benchmark.h>

#include "colour/Gradient.h"
#include "modes/XonoticText.h"

namespace {

using namespace vtl::colour;

void recolour(benchmark::State& state, const ColourSet& set, std::optional<Rgb> middle) {
    const vtl::CharTable table = vtl::xonoticTable();
    std::vector<ColouredGlyph> name;
    for (int k = 0; k < 25; ++k) {
        name.push_back({table[static_cast<std::size_t>(k % 5 == 4 ? 200 + k : 'A' + k)], "^7"});
    }
    const GradientRequest request{{Rgb{255, 64, 0}, middle, Rgb{40, 90, 255}}, 0, 24};
    for (auto _ : state) {
        std::vector<ColouredGlyph> glyphs = name;
        applyGradient(glyphs, request, set);
        benchmark::DoNotOptimize(fragmentsWithFewestCodes(glyphs, set));
    }
}

void BM_GradientXonotic(benchmark::State& state) {
    recolour(state, kDarkPlacesColours, std::nullopt);
}
void BM_GradientXonoticWithMiddle(benchmark::State& state) {
    recolour(state, kDarkPlacesColours, Rgb{255, 255, 255});
}
void BM_GradientQuake3(benchmark::State& state) {
    recolour(state, kQuake3Colours, std::nullopt);
}
void BM_GradientEtLegacy32(benchmark::State& state) {
    recolour(state, kEtLegacyColours, std::nullopt);
}

}  // namespace

BENCHMARK(BM_GradientXonotic)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_GradientXonoticWithMiddle)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_GradientQuake3)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_GradientEtLegacy32)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
