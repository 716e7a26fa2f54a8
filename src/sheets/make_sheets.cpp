// Writes the built-in glyph sheets into the folder given on the command line.
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <cstdio>

#include "sheets/Sheets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const auto& sheets = vtl::sheets::builtInSheets();
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const QString path = out.filePath(sheets[i].path);
        const QByteArray gif = vtl::sheets::sheetGif(i);
        QDir().mkpath(QFileInfo(path).path());
        QSaveFile file(path);
        if (gif.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size() ||
            !file.commit()) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
