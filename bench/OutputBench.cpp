// AppendScriptLine on a 64 MiB script file, against copying the file with cp
// and flushing the copy with sync: the same bytes read, written and made
// durable, on the same disk in the same run. Prints both medians and the
// ratio (the writer should stay within twice the copy).

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "modes/CharTables.h"
#include "output/ScriptWriter.h"

namespace {

constexpr qint64 kFileSize = qint64{64} << 20;

QString dataFolder() {
    const QString folder = qEnvironmentVariable("VTL_BENCH_DIR", QDir::currentPath());
    QDir().mkpath(folder);
    return folder;
}

QString scriptFile() {
    return dataFolder() + QStringLiteral("/big-script.cfg");
}

// Script-like content: many short CR LF lines, with bytes above 0x7F in them.
void makeScriptFile(const QString& path) {
    QByteArray line = QByteArrayLiteral("bind x \"say \xE9\xFF\x80 hello\"\r\n");
    QByteArray block;
    while (block.size() < (1 << 20)) {
        block += line;
    }
    block.truncate(1 << 20);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
        std::exit(1);
    }
    for (qint64 written = 0; written < kFileSize; written += block.size()) {
        file.write(block);
    }
}

vtl::WindowState quakeName() {
    vtl::WindowState state;
    state.LinePrefix = vtl::linePrefix();
    state.LineSuffix = vtl::byteLineSuffix();
    state.cells[0].fragment = QByteArrayLiteral("\xE9");
    state.cells[1].fragment = QByteArrayLiteral("b");
    return state;
}

void BM_AppendScriptLine(benchmark::State& bench) {
    const QString path = scriptFile();
    makeScriptFile(path);
    const vtl::WindowState state = quakeName();
    for (auto _ : bench) {
        const vtl::AppendResult result =
            vtl::AppendScriptLine(path, vtl::scriptTrailer(), vtl::scriptTrailer(), state);
        if (!result.succeeded()) {
            bench.SkipWithError(qPrintable(result.error.reason));
            break;
        }
    }
    bench.SetBytesProcessed(bench.iterations() * kFileSize);
}

void BM_CopyThenSync(benchmark::State& bench) {
    const QString path = scriptFile();
    makeScriptFile(path);
    const QString copy = dataFolder() + QStringLiteral("/big-script-copy.cfg");
    const std::string command = "cp '" + path.toStdString() + "' '" + copy.toStdString() +
                                "' && sync '" + copy.toStdString() + "'";
    for (auto _ : bench) {
        if (std::system(command.c_str()) != 0) {
            bench.SkipWithError("cp or sync failed");
            break;
        }
    }
    bench.SetBytesProcessed(bench.iterations() * kFileSize);
    QFile::remove(copy);
}

BENCHMARK(BM_AppendScriptLine)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CopyThenSync)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// Keeps the medians as they are reported, for the ratio at the end.
class MedianReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> medianMs;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                medianMs[run.run_name.function_name] =
                    run.GetAdjustedRealTime();  // in the benchmark's unit, ms
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    QFile::remove(scriptFile());

    const auto append = reporter.medianMs.find("BM_AppendScriptLine");
    const auto copy = reporter.medianMs.find("BM_CopyThenSync");
    if (append != reporter.medianMs.end() && copy != reporter.medianMs.end()) {
        const double ratio = append->second / copy->second;
        std::printf(
            "\nAppendScriptLine, 64 MiB: median %.1f ms; cp + sync: median %.1f ms; "
            "ratio %.2f (limit 2.00) %s\n",
            append->second, copy->second, ratio, ratio <= 2.0 ? "OK" : "TOO SLOW");
    }
    return 0;
}
