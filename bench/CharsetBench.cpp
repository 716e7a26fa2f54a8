#include <benchmark/benchmark.h>

#include <QDirIterator>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include "charset/GameCharset.h"
#include "charset/Sheet.h"

// Finding and showing the OpenArena charset (baseoa/pak0.pk3, 39 MB), with
// the game's files in the page cache and with them dropped from it.
namespace vtl::charset {
namespace {

QString openArenaFolder() {
    QString cache = qEnvironmentVariable("VTL_TESTDATA_CACHE");
    if (cache.isEmpty()) {
        cache = QDir::homePath() + QStringLiteral("/.cache/vantorel-testdata");
    }
    return cache + QStringLiteral("/openarena-data/usr/share/games/openarena/baseoa");
}

// Evicts the folder's files from the page cache (only their own pages, so
// the rest of the machine keeps its cache).
void dropFromPageCache(const QString& folder) {
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QByteArray path = QFile::encodeName(files.next());
        const int fd = ::open(path.constData(), O_RDONLY);
        if (fd >= 0) {
            ::fdatasync(fd);
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
    }
}

void findAndShow(benchmark::State& bench, bool cold) {
    const QString folder = openArenaFolder();
    if (!QFile::exists(folder + QStringLiteral("/pak0.pk3"))) {
        bench.SkipWithError("no OpenArena data: run scripts/fetch-test-data.sh");
        return;
    }
    for (auto _ : bench) {
        if (cold) {
            bench.PauseTiming();
            dropFromPageCache(folder);
            bench.ResumeTiming();
        }
        const CharsetSearch found = findGameCharset(Game::Quake3, folder);
        if (!found.charset) {
            bench.SkipWithError(found.message.toUtf8().constData());
            return;
        }
        QImage shown = found.charset->tinted
                           ? tintedSheet(found.charset->sheet, qRgb(255, 255, 255))
                           : found.charset->sheet;
        benchmark::DoNotOptimize(shown);
    }
}

void BM_OpenArenaCharsetWarm(benchmark::State& bench) {
    findAndShow(bench, false);
}
void BM_OpenArenaCharsetCold(benchmark::State& bench) {
    findAndShow(bench, true);
}
BENCHMARK(BM_OpenArenaCharsetWarm)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(11)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenArenaCharsetCold)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(11)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace vtl::charset

BENCHMARK_MAIN();
