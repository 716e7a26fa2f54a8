#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace vtl::sheets {

// One of the glyph sheets that ship beside the program.
struct SheetInfo {
    QString path;   // relative to the program's folder, e.g. "qw/quakeworld.gif"
    QString label;  // what the contact picture calls it
};

// The built-in sheets, in the order of sheets.txt (BuiltInSheet order).
const std::vector<SheetInfo>& builtInSheets();

// Sheet `index` of builtInSheets(): 256x256, code c in the 16x16 cell at
// column c % 16, row c / 16, on black.
QImage drawSheet(std::size_t index);

// The sheet as the bytes of its GIF file.
QByteArray sheetGif(std::size_t index);

}  // namespace vtl::sheets
