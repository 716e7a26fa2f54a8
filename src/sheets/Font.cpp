#include "sheets/Font.h"

#include <QFile>
#include <QtGlobal>

#include <algorithm>
#include <bit>
#include <map>
#include <string>
#include <vector>

#include "sheets/Mask.h"

namespace vtl::sheets {

namespace {

// A mark at cell size: rows of '#' and '.'.
struct Mark {
    std::vector<std::string> tall;
    std::vector<std::string> flat;  // over capitals; the tall form when none is drawn
    bool below = false;             // hangs under the letter (the cedilla)
};

struct Composed {
    int base;
    std::string mark;
};

struct Font {
    std::map<int, Glyph8> glyphs;
    std::map<std::string, Mark> marks;
    std::map<int, Composed> composed;
};

// A fault in the font file is a fault in the build: stop with its line.
[[noreturn]] void badLine(int number, const std::string& line) {
    qFatal("font.txt line %d: cannot read \"%s\"", number, line.c_str());
}

Font parseFont() {
    QFile file(QStringLiteral(":/sheets/font.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("font.txt: %s", qPrintable(file.errorString()));
    }
    Font font;
    Glyph8* glyph = nullptr;
    std::vector<std::string>* markRows = nullptr;
    int row = 0;
    int number = 0;
    while (!file.atEnd()) {
        const std::string line = file.readLine().trimmed().toStdString();
        ++number;
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '@') {
            glyph = &font.glyphs[std::stoi(line.substr(1), nullptr, 16)];
            markRows = nullptr;
            row = 0;
        } else if (line.front() == '~') {
            const bool flat = line.ends_with(" flat");
            const std::string name = line.substr(1, line.find(' ') - 1);
            Mark& mark = font.marks[name];
            mark.below = mark.below || line.ends_with(" below");
            markRows = flat ? &mark.flat : &mark.tall;
            glyph = nullptr;
        } else if (line.front() == '=') {
            const auto space = line.find(' ');
            const auto space2 = line.find(' ', space + 1);
            if (space == std::string::npos || space2 == std::string::npos) {
                badLine(number, line);
            }
            font.composed[std::stoi(line.substr(1, space - 1), nullptr, 16)] = {
                std::stoi(line.substr(space + 1, space2 - space - 1), nullptr, 16),
                line.substr(space2 + 1)};
            glyph = nullptr;
            markRows = nullptr;
        } else if (markRows != nullptr) {
            markRows->push_back(line);
        } else if (glyph != nullptr && row < 8 && line.size() <= 8) {
            for (std::size_t x = 0; x < line.size(); ++x) {
                if (line[x] == '#') {
                    (*glyph)[row] |= static_cast<std::uint8_t>(0x80u >> x);
                }
            }
            ++row;
        } else {
            badLine(number, line);
        }
    }
    for (auto& [name, mark] : font.marks) {
        if (mark.flat.empty()) {
            mark.flat = mark.tall;
        }
    }
    for (const auto& [code, c] : font.composed) {
        if (!font.glyphs.contains(c.base) || !font.marks.contains(c.mark)) {
            qFatal("font.txt: %X is built from a glyph or mark that is not drawn", code);
        }
    }
    return font;
}

const Font& font() {
    static const Font f = parseFont();
    return f;
}

// A tall letter under a mark is squeezed from 14 to 11 pixels, keeping its
// baseline: three of its seven rows get one pixel instead of two (any more
// and a squeezed O would be a doubled o). Rows that
// repeat the row above go first (that thins only upright strokes), then the
// rows with the least ink.
Mask squeezed(const Glyph8& g) {
    std::array<int, 7> order{0, 1, 2, 3, 4, 5, 6};
    auto weight = [&](int y) {
        const bool repeat = y > 0 && g[y] == g[y - 1];
        return (repeat ? 0 : 100) + std::popcount(g[y]);
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return weight(a) < weight(b); });
    std::array<int, 7> height{};
    height.fill(2);
    for (int i = 0; i < 3; ++i) {
        height[order[i]] = 1;
    }
    Mask m;
    int top = 3;
    for (int y = 0; y < 8; ++y) {
        const int h = y < 7 ? height[y] : 2;
        for (int x = 0; x < 8; ++x) {
            if (ink(g, x, y)) {
                m = m | rect(2 * x, top, 2 * x + 1, top + h - 1);
            }
        }
        top += h;
    }
    return m;
}

Mask withMark(const Glyph8& base, const Mark& mark) {
    const bool below = mark.below;
    const bool tall = (base[0] | base[1]) != 0;
    const bool squeeze = tall && !below;
    Mask m = squeeze ? squeezed(base) : doubled(base);

    int left = 16;
    int right = -1;
    int bottom = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (m.at(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    const std::vector<std::string>& art = squeeze ? mark.flat : mark.tall;
    const int width = static_cast<int>(art.front().size());
    const int x0 = (left + right + 1 - width) / 2;
    int y = below ? bottom + 1 : (squeeze ? 2 : 3) - static_cast<int>(art.size());
    for (const std::string& row : art) {
        for (int x = 0; x < width; ++x) {
            if (row[x] == '#') {
                m.set(x0 + x, y);
            }
        }
        ++y;
    }
    return m;
}

}  // namespace

const Glyph8* fontGlyph(int code) {
    const auto it = font().glyphs.find(code);
    return it == font().glyphs.end() ? nullptr : &it->second;
}

Mask cp1252Shape(int code) {
    if (const auto it = font().composed.find(code); it != font().composed.end()) {
        return withMark(font().glyphs.at(it->second.base), font().marks.at(it->second.mark));
    }
    if (const Glyph8* g = fontGlyph(code)) {
        return doubled(*g);
    }
    return {};
}

}  // namespace vtl::sheets
