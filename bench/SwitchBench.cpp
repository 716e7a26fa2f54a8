// A whole Game/Mode switch into each game of today (target: 50 ms): the
// model's switch (the name, the sheet or font read and tinted, the map's
// marks, the menu states) and then what the window draws from it: the map,
// the name row and the colour list.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include "NullDesktop.h"
#include "core/Geometry.h"
#include "ini/AppPaths.h"
#include "models/MainWindowModel.h"
#include "modes/ColourList.h"

namespace vtl {
namespace {

using bench::NullDesktop;

// What the main window paints after a switch, into one picture.
void drawWindow(const WindowState& state, QImage& window) {
    QPainter painter(&window);
    painter.fillRect(window.rect(), Qt::black);
    painter.drawImage(layout::kMap.px().topLeft(), state.mapPicture);
    const QRect strip = layout::kNameStrip.px();
    const int cell = twipsToPixels(layout::kCellTwips);
    for (std::size_t k = 0; k < state.cells.size(); ++k) {
        if (!state.cells[k].glyph.isNull()) {
            painter.drawImage(strip.topLeft() + QPoint(static_cast<int>(k) * cell, 0),
                              state.cells[k].glyph);
        }
    }
    QRect item = layout::kColourList.px();
    for (const ColourChoice& choice : listedColours(state).choices) {
        painter.drawText(item, QString::fromUtf16(choice.name));
        item.translate(0, 16);
    }
}

void BM_SwitchMode(benchmark::State& bench, GameMode mode) {
    NullDesktop desktop;
    MainWindowModel model(desktop, AppPaths::inFolder(QStringLiteral(VTL_APP_DIR)));
    QImage window(layout::kMap.px().width() + 160, 380, QImage::Format_RGB32);
    for (auto _ : bench) {
        bench.PauseTiming();
        model.selectMode(GameMode::Quake3Arena);
        bench.ResumeTiming();
        model.selectMode(mode);
        drawWindow(model.state(), window);
        benchmark::DoNotOptimize(window.bits());
    }
    if (desktop.messages > 0) {
        bench.SkipWithError("a sheet or font could not be read: build the program first");
    }
}

#define VTL_SWITCH(mode)                                   \
    BENCHMARK_CAPTURE(BM_SwitchMode, mode, GameMode::mode) \
        ->Unit(benchmark::kMillisecond)                    \
        ->Repetitions(10)                                  \
        ->ReportAggregatesOnly(true)
VTL_SWITCH(UrbanTerror);
VTL_SWITCH(OpenJK);
VTL_SWITCH(EtLegacy);
VTL_SWITCH(Warfork);
VTL_SWITCH(QuakeLive);
VTL_SWITCH(Xonotic);

}  // namespace
}  // namespace vtl

int main(int argc, char** argv) {
    // Fonts and painting need a GUI application; nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
