// The Quake III-family games played today: the name check of a full name
// (target: 50 microseconds median) and what a switch into one of their modes
// draws (the font sheet, the tinted and marked map; target: 50 ms in all).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>

#include "charset/FontSheet.h"
#include "charset/Sheet.h"
#include "check/Quake3FamilyCheck.h"
#include "modes/ColourSets.h"
#include "modes/TextGames.h"

namespace {

using namespace vtl;

// 25 positions: UTF-8 letters, a colour code every third, a caret.
TaggedLine fullTextName() {
    TaggedLine line;
    line.append("name \"", 0, ByteRole::Line);
    line.valueBegin = line.bytes.size();
    for (int k = 0; k < 25; ++k) {
        if (k % 3 == 0) {
            line.append(QByteArray("^").append(char('0' + k % 10)), k + 1, ByteRole::Colour);
        }
        const int code = k % 5 == 4 ? 0xC0 + k : k == 12 ? '^' : 'A' + k;
        line.append(textFragment(code), k + 1, ByteRole::Glyph);
    }
    line.valueEnd = line.bytes.size();
    line.append("^7\" //VTL G2 v6.3", 0, ByteRole::Line);
    return line;
}

template <EngineReport (*Check)(const TaggedLine&)>
void BM_Check(benchmark::State& state) {
    const TaggedLine line = fullTextName();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Check(line));
    }
}
BENCHMARK(BM_Check<checkEtLegacy>)
    ->Name("BM_CheckEtLegacyName")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10);
BENCHMARK(BM_Check<checkOpenJK>)
    ->Name("BM_CheckOpenJKName")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10);
BENCHMARK(BM_Check<checkWarfork>)
    ->Name("BM_CheckWarforkName")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10);
BENCHMARK(BM_Check<checkUrbanTerror>)
    ->Name("BM_CheckUrbanTerrorName")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10);

// A switch into ET: Legacy: read the font, draw the 256 characters, tint
// them white and mark what the game drops.
void BM_SwitchToTextMode(benchmark::State& state) {
    for (auto _ : state) {
        const charset::LocatedFont font =
            charset::locateFont({QStringLiteral("/usr/share/fonts/truetype/jetbrains-mono")},
                                {QStringLiteral("JetBrainsMono-SemiBold.ttf")}, {});
        const QImage glyphs = charset::fontSheet(font.font);
        const QImage shown = charset::tintedSheet(glyphs, qRgb(255, 255, 255));
        benchmark::DoNotOptimize(withMarks(shown, textMapMarks(glyphs, TextGame::EtLegacy)));
    }
}
BENCHMARK(BM_SwitchToTextMode)->Unit(benchmark::kMillisecond)->Repetitions(10);

// Choosing a colour in a tinted mode: the sheet in that colour.
void BM_TintSheet(benchmark::State& state) {
    QImage glyphs(256, 256, QImage::Format_ARGB32);
    glyphs.fill(qRgba(255, 255, 255, 128));
    for (auto _ : state) {
        benchmark::DoNotOptimize(charset::tintedSheet(glyphs, qRgb(255, 128, 0)));
    }
}
BENCHMARK(BM_TintSheet)->Unit(benchmark::kMillisecond)->Repetitions(10);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
