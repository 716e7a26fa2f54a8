#pragma once

#include <QImage>
#include <QString>

#include <algorithm>
#include <vector>

#include "sheets/Sheets.h"

namespace vtl::sheets::test {

inline std::size_t sheetIndex(const QString& path) {
    const auto& all = builtInSheets();
    const auto it =
        std::find_if(all.begin(), all.end(), [&](const SheetInfo& s) { return s.path == path; });
    return static_cast<std::size_t>(it - all.begin());
}

inline QImage sheetNamed(const QString& path) {
    return drawSheet(sheetIndex(path));
}

inline QImage cellOf(const QImage& sheet, int code) {
    return sheet.copy((code % 16) * 16, (code / 16) * 16, 16, 16);
}

inline bool isLit(QRgb c) {
    return (c & 0xffffffu) != 0;
}

// Which pixels of a cell carry any ink (shadows included).
inline std::vector<bool> litPixels(const QImage& cell) {
    std::vector<bool> lit;
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            lit.push_back(isLit(cell.pixel(x, y)));
        }
    }
    return lit;
}

inline bool blank(const QImage& cell) {
    const auto lit = litPixels(cell);
    return std::none_of(lit.begin(), lit.end(), [](bool b) { return b; });
}

struct MeanColour {
    double r = 0, g = 0, b = 0;
    int n = 0;
};

// The average colour of a cell's ink, leaving out pixels darker than
// `floor` (drop shadows) so only the letter itself counts.
inline MeanColour meanInk(const QImage& cell, int floor = 60) {
    MeanColour m;
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            const QRgb c = cell.pixel(x, y);
            if (std::max({qRed(c), qGreen(c), qBlue(c)}) < floor) {
                continue;
            }
            m.r += qRed(c);
            m.g += qGreen(c);
            m.b += qBlue(c);
            ++m.n;
        }
    }
    if (m.n > 0) {
        m.r /= m.n;
        m.g /= m.n;
        m.b /= m.n;
    }
    return m;
}

}  // namespace vtl::sheets::test
