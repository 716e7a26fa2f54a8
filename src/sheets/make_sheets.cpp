// Writes the built-in glyph sheets into a folder, or the main window's "Menu"
// heading into a PNG file:
//   vtl_make_sheets OUTPUT_DIR
//   vtl_make_sheets --menu-heading OUTPUT.png
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <cstring>

#include "sheets/MenuHeading.h"
#include "sheets/Sheets.h"

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--menu-heading") == 0) {
        return writeFile(QString::fromLocal8Bit(argv[2]), png(vtl::sheets::menuHeading())) ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR | --menu-heading OUTPUT.png\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const auto& sheets = vtl::sheets::builtInSheets();
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (!writeFile(out.filePath(sheets[i].path), vtl::sheets::sheetGif(i))) {
            return 1;
        }
    }
    return 0;
}
