// The name check runs on every change of the name, so a full name must stay
// far below a frame: the target is 50 microseconds median for 25 glyphs.
#include <benchmark/benchmark.h>

#include "check/NameCheck.h"
#include "modes/CharTables.h"

namespace {

using vtl::GameMode;

std::array<QByteArray, 25> fullName(const vtl::CharTable& table, bool coloured) {
    std::array<QByteArray, 25> fragments;
    for (int k = 0; k < 25; ++k) {
        // A mix of letters, high glyphs and a caret, as real names have.
        const int code = k % 5 == 4 ? 200 + k : k == 12 ? '^' : 'A' + k;
        fragments[static_cast<size_t>(k)] =
            (coloured && k % 3 == 0 ? QByteArray("^") + QByteArray::number(k % 7) : QByteArray()) +
            table[code];
    }
    return fragments;
}

void checkFullName(benchmark::State& state, GameMode mode) {
    const bool coloured = mode == GameMode::Quake3Arena;
    const vtl::CharTable table = coloured ? vtl::colourTable() : vtl::byteTable();
    const auto fragments = fullName(table, coloured);
    const QByteArray suffix = coloured ? vtl::colourLineSuffix() : vtl::byteLineSuffix();
    for (auto _ : state) {
        const vtl::TaggedLine line = vtl::tagPositions(mode, fragments, vtl::linePrefix(), suffix);
        benchmark::DoNotOptimize(vtl::checkName(mode, line));
    }
}

void BM_CheckQuakeWorldName(benchmark::State& state) {
    checkFullName(state, GameMode::QuakeWorld);
}
void BM_CheckQuake3Name(benchmark::State& state) {
    checkFullName(state, GameMode::Quake3Arena);
}
void BM_CheckQuake2Name(benchmark::State& state) {
    checkFullName(state, GameMode::Quake2);
}

BENCHMARK(BM_CheckQuakeWorldName)->Unit(benchmark::kMicrosecond)->Repetitions(10);
BENCHMARK(BM_CheckQuake3Name)->Unit(benchmark::kMicrosecond)->Repetitions(10);
BENCHMARK(BM_CheckQuake2Name)->Unit(benchmark::kMicrosecond)->Repetitions(10);

}  // namespace

BENCHMARK_MAIN();
