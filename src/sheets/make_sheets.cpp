// Writes the built-in glyph sheets into a folder, or the main window's "Menu"
// heading as a C++ source of its pixels (the program decodes no picture to
// show it):
//   vtl_make_sheets OUTPUT_DIR
//   vtl_make_sheets --menu-heading OUTPUT.cpp
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

// Defines vtl::menuHeadingPicture() (app/MenuHeadingPicture.h).
QByteArray headingSource(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QByteArray out =
        "// Written by vtl_make_sheets --menu-heading from src/sheets/MenuHeading.cpp.\n"
        "#include \"app/MenuHeadingPicture.h\"\n\n"
        "namespace vtl {\nnamespace {\n\nconstexpr int kWidth = " +
        QByteArray::number(image.width()) +
        ";\nconstexpr int kHeight = " + QByteArray::number(image.height()) +
        ";\nalignas(4) constexpr quint32 kPixels[] = {";
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out += (x % 8 == 0 ? "\n   " : "") + QByteArray(" 0x") +
                   QByteArray::number(line[x], 16).rightJustified(8, '0') + ',';
        }
    }
    out +=
        "\n};\n\n}  // namespace\n\n"
        "QImage menuHeadingPicture() {\n"
        "    return QImage(reinterpret_cast<const uchar*>(kPixels), kWidth, kHeight, kWidth * 4,\n"
        "                  QImage::Format_RGB32);\n}\n\n}  // namespace vtl\n";
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--menu-heading") == 0) {
        return writeFile(QString::fromLocal8Bit(argv[2]), headingSource(vtl::sheets::menuHeading()))
                   ? 0
                   : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR | --menu-heading OUTPUT.cpp\n", argv[0]);
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
