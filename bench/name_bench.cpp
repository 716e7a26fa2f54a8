#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include "NullDesktop.h"
#include "core/NameEditing.h"

#include "models/MainWindowModel.h"
#include "modes/CharTables.h"

namespace vtl {
namespace {

using bench::NullDesktop;

WindowState colourModeState() {
    WindowState state;
    QImage sheet(256, 256, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    state.sheetSource = sheet;
    state.Family = GameFamily::Colour;
    state.ColorPrefix = QByteArrayLiteral("^7");
    state.LinePrefix = linePrefix();
    state.LineSuffix = colourLineSuffix();
    state.Table = colourTable();
    startNewName(state);
    return state;
}

// One click on the map: offsets, AddChar, both name boxes rebuilt. The name is
// kept full so every pick does the most work (25 fragments joined).
void BM_Pick(benchmark::State& bench) {
    NullDesktop desktop;
    WindowState state = colourModeState();
    int code = 0;
    for (auto _ : bench) {
        pickGlyph(state, desktop, 33 + code);
        code = (code + 1) % 90;
        benchmark::DoNotOptimize(state.commandLineBox);
    }
}
BENCHMARK(BM_Pick)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_Hover(benchmark::State& bench) {
    WindowState state = colourModeState();
    int code = 0;
    for (auto _ : bench) {
        previewGlyph(state, code);
        code = (code + 1) % 256;
        benchmark::DoNotOptimize(state.enlargedView);
    }
}
BENCHMARK(BM_Hover)->Repetitions(10)->ReportAggregatesOnly(true);

// One typed glyph as the window hands it over: the key through the model,
// the change recorded for undo, AddChar and both name boxes rebuilt. The
// name is kept full and the history at its limit, so every key does the most.
void BM_TypeGlyph(benchmark::State& bench) {
    QTemporaryDir appDir;
    QDir(appDir.path()).mkpath(QStringLiteral("q3a"));
    QImage sheet(256, 256, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    sheet.save(appDir.filePath(QStringLiteral("q3a/q3-white.gif")), "BMP");
    NullDesktop desktop;
    MainWindowModel model(desktop, AppPaths::inFolder(appDir.path()));
    model.start();
    const QString keys = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    for (int i = 0; i < 2000; ++i) {
        model.keyPressed(0, Qt::NoModifier, keys.mid(i % 26, 1));
    }
    int next = 0;
    for (auto _ : bench) {
        model.keyPressed(0, Qt::NoModifier, keys.mid(next, 1));
        next = (next + 1) % 26;
        benchmark::DoNotOptimize(model.state().commandLineBox);
    }
}
BENCHMARK(BM_TypeGlyph)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace vtl

BENCHMARK_MAIN();
