// Build-time tool: renders the program's SVG icon into the PNG sizes the
// desktop's icon theme and the windows use, so the SVG is the only source.
//   vtl_render_icon <icon.svg> <out-dir> <app-id> <size>...
// writes <out-dir>/<size>x<size>/apps/<app-id>.png for each size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool renderOne(QSvgRenderer& svg, const QString& outDir, const QString& id, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, size, size));
    }
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
    QSaveFile file(folder + QLatin1Char('/') + id + QStringLiteral(".png"));
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") ||
        !file.commit()) {
        std::fprintf(stderr, "vtl_render_icon: cannot write %s: %s\n", qPrintable(file.fileName()),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: vtl_render_icon <icon.svg> <out-dir> <app-id> <size>...\n");
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "vtl_render_icon: %s is not a readable SVG\n", qPrintable(args.at(1)));
        return 1;
    }
    for (qsizetype i = 4; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size <= 0 || !renderOne(svg, args.at(2), args.at(3), size)) {
            return 1;
        }
    }
    return 0;
}
