// One AppendScriptLine on a 64 MiB file in a process that does nothing else,
// so that its peak resident memory shows what the writer holds: the old
// content once, plus the line. Prints the peak against file size + 16 MiB.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/resource.h>
#include <cstdio>

#include "modes/CharTables.h"
#include "output/ScriptWriter.h"

namespace {

constexpr qint64 kFileSize = qint64{64} << 20;
constexpr qint64 kAllowance = qint64{16} << 20;

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main() {
    const QString folder = qEnvironmentVariable("VTL_BENCH_DIR", QDir::currentPath());
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/peak-memory.cfg");
    {
        // Written in small blocks so that making it costs next to no memory.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray block(64 * 1024, 'x');
        for (qint64 written = 0; written < kFileSize; written += block.size()) {
            file.write(block);
        }
    }

    const long before = peakKiB();
    vtl::WindowState state;
    state.LinePrefix = vtl::linePrefix();
    state.LineSuffix = vtl::byteLineSuffix();
    state.cells[0].fragment = QByteArrayLiteral("A");
    const vtl::AppendResult result =
        vtl::AppendScriptLine(path, vtl::scriptTrailer(), vtl::scriptTrailer(), state);
    const long peak = peakKiB();
    QFile::remove(path);
    if (!result.succeeded()) {
        std::fprintf(stderr, "AppendScriptLine failed: %s\n", qPrintable(result.error.reason));
        return 1;
    }

    const long limitKiB = static_cast<long>((kFileSize + kAllowance) / 1024);
    std::printf(
        "AppendScriptLine, 64 MiB file: process peak %.1f MiB (%.1f MiB before the "
        "call), limit file size + 16 MiB = %.1f MiB %s\n",
        peak / 1024.0, before / 1024.0, limitKiB / 1024.0, peak <= limitKiB ? "OK" : "OVER");
    return peak <= limitKiB ? 0 : 1;
}
