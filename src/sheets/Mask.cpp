#include "sheets/Mask.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string_view>
#include <vector>

namespace vtl::sheets {

bool Mask::empty() const {
    return std::all_of(rows.begin(), rows.end(), [](std::uint16_t r) { return r == 0; });
}

int Mask::count() const {
    int n = 0;
    for (std::uint16_t r : rows) {
        n += std::popcount(r);
    }
    return n;
}

Mask Mask::operator|(const Mask& other) const {
    Mask m;
    for (int y = 0; y < 16; ++y) {
        m.rows[y] = static_cast<std::uint16_t>(rows[y] | other.rows[y]);
    }
    return m;
}

Mask Mask::operator-(const Mask& other) const {
    Mask m;
    for (int y = 0; y < 16; ++y) {
        m.rows[y] = static_cast<std::uint16_t>(rows[y] & ~other.rows[y]);
    }
    return m;
}

Mask Mask::operator&(const Mask& other) const {
    Mask m;
    for (int y = 0; y < 16; ++y) {
        m.rows[y] = static_cast<std::uint16_t>(rows[y] & other.rows[y]);
    }
    return m;
}

Mask shifted(const Mask& m, int dx, int dy) {
    Mask out;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (m.at(x, y)) {
                out.set(x + dx, y + dy);
            }
        }
    }
    return out;
}

Mask mirroredX(const Mask& m) {
    Mask out;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (m.at(x, y)) {
                out.set(15 - x, y);
            }
        }
    }
    return out;
}

Mask mirroredY(const Mask& m) {
    Mask out;
    for (int y = 0; y < 16; ++y) {
        out.rows[15 - y] = m.rows[y];
    }
    return out;
}

Mask rect(int x0, int y0, int x1, int y1) {
    Mask m;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            m.set(x, y);
        }
    }
    return m;
}

Mask ring(double cx, double cy, double inner, double outer) {
    Mask m;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d >= inner && d <= outer) {
                m.set(x, y);
            }
        }
    }
    return m;
}

Mask disc(double cx, double cy, double r) {
    return ring(cx, cy, -1.0, r);
}

Mask polygon(std::initializer_list<QPointF> points) {
    const std::vector<QPointF> p(points);
    Mask m;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            bool inside = false;
            for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
                if ((p[i].y() > py) != (p[j].y() > py) &&
                    px < (p[j].x() - p[i].x()) * (py - p[i].y()) / (p[j].y() - p[i].y()) +
                             p[i].x()) {
                    inside = !inside;
                }
            }
            if (inside) {
                m.set(x, y);
            }
        }
    }
    return m;
}

namespace {

bool ink(const Glyph8& g, int x, int y) {
    return x >= 0 && x < 8 && y >= 0 && y < 8 && ((g[y] >> (7 - x)) & 1u) != 0;
}

}  // namespace

Mask doubled(const Glyph8& g) {
    Mask m;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (ink(g, x, y)) {
                m = m | rect(2 * x, 2 * y, 2 * x + 1, 2 * y + 1);
            }
        }
    }
    return m;
}

Mask smoothDoubled(const Glyph8& g) {
    // Scale2x: a quarter takes the colour of its two outer neighbours when they
    // agree with each other and not with the rest.
    Mask m;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool p = ink(g, x, y);
            const bool a = ink(g, x, y - 1);
            const bool b = ink(g, x + 1, y);
            const bool c = ink(g, x - 1, y);
            const bool d = ink(g, x, y + 1);
            const bool e0 = (c == a && c != d && a != b) ? a : p;
            const bool e1 = (a == b && a != c && b != d) ? b : p;
            const bool e2 = (d == c && d != b && c != a) ? c : p;
            const bool e3 = (b == d && b != a && d != c) ? d : p;
            if (e0)
                m.set(2 * x, 2 * y);
            if (e1)
                m.set(2 * x + 1, 2 * y);
            if (e2)
                m.set(2 * x, 2 * y + 1);
            if (e3)
                m.set(2 * x + 1, 2 * y + 1);
        }
    }
    return m;
}

Mask emboldened(const Mask& m) {
    return m | shifted(m, 1, 0);
}

Mask serifed(const Mask& m) {
    Mask out = m;
    // Upright strokes that stand on the baseline (row 13) or hang from the
    // cap line (row 0) get a one-pixel foot on each side that has room, never
    // touching another stroke.
    for (const auto& [y, inward] : {std::pair{13, -1}, std::pair{0, 1}}) {
        for (int x = 0; x < 16; ++x) {
            const bool stem = m.at(x, y) && m.at(x, y + inward) && m.at(x, y + 2 * inward) &&
                              m.at(x, y + 3 * inward);
            if (!stem) {
                continue;
            }
            for (int side : {-1, 1}) {
                const bool open =
                    !m.at(x + side, y) && !m.at(x + side, y + inward) && !m.at(x + 2 * side, y);
                if (open) {
                    out.set(x + side, y);
                }
            }
        }
    }
    return out;
}

Mask centred(const Mask& m) {
    int left = 16;
    int right = -1;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (m.at(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    if (right < 0) {
        return m;
    }
    return shifted(m, (16 - (right - left + 1)) / 2 - left, 0);
}

namespace {

enum class Mark { Grave, Acute, Circumflex, Tilde, Diaeresis, Ring, Caron, Cedilla };

// Marks are drawn at cell size so they can be finer than a doubled pixel.
// Capitals get flatter ones: they leave only two rows above the letter.
std::vector<std::string_view> markArt(Mark mark, bool flat) {
    switch (mark) {
        case Mark::Grave:
            return flat ? std::vector<std::string_view>{"##..", "..##"}
                        : std::vector<std::string_view>{"##....", "..##..", "....##"};
        case Mark::Acute:
            return flat ? std::vector<std::string_view>{"..##", "##.."}
                        : std::vector<std::string_view>{"....##", "..##..", "##...."};
        case Mark::Circumflex:
            return flat ? std::vector<std::string_view>{".####.", "##..##"}
                        : std::vector<std::string_view>{"...##...", ".##..##.", "##....##"};
        case Mark::Tilde:
            return {".###..##", "##..###."};
        case Mark::Diaeresis:
            return {"##....##", "##....##"};
        case Mark::Ring:
            return flat ? std::vector<std::string_view>{".##.", "#..#"}
                        : std::vector<std::string_view>{".##.", "#..#", ".##."};
        case Mark::Caron:
            return flat ? std::vector<std::string_view>{"##..##", ".####."}
                        : std::vector<std::string_view>{"##....##", ".##..##.", "...##..."};
        case Mark::Cedilla:
            return {"..##", ".##."};
    }
    return {};
}

struct Accented {
    int code;
    int base;
    Mark mark;
};

constexpr Accented kAccented[] = {
    {0x8A, 'S', Mark::Caron},
    {0x8E, 'Z', Mark::Caron},
    {0x9A, 's', Mark::Caron},
    {0x9E, 'z', Mark::Caron},
    {0x9F, 'Y', Mark::Diaeresis},
    {0xC0, 'A', Mark::Grave},
    {0xC1, 'A', Mark::Acute},
    {0xC2, 'A', Mark::Circumflex},
    {0xC3, 'A', Mark::Tilde},
    {0xC4, 'A', Mark::Diaeresis},
    {0xC5, 'A', Mark::Ring},
    {0xC7, 'C', Mark::Cedilla},
    {0xC8, 'E', Mark::Grave},
    {0xC9, 'E', Mark::Acute},
    {0xCA, 'E', Mark::Circumflex},
    {0xCB, 'E', Mark::Diaeresis},
    {0xCC, 'I', Mark::Grave},
    {0xCD, 'I', Mark::Acute},
    {0xCE, 'I', Mark::Circumflex},
    {0xCF, 'I', Mark::Diaeresis},
    {0xD1, 'N', Mark::Tilde},
    {0xD2, 'O', Mark::Grave},
    {0xD3, 'O', Mark::Acute},
    {0xD4, 'O', Mark::Circumflex},
    {0xD5, 'O', Mark::Tilde},
    {0xD6, 'O', Mark::Diaeresis},
    {0xD9, 'U', Mark::Grave},
    {0xDA, 'U', Mark::Acute},
    {0xDB, 'U', Mark::Circumflex},
    {0xDC, 'U', Mark::Diaeresis},
    {0xDD, 'Y', Mark::Acute},
    {0xE0, 'a', Mark::Grave},
    {0xE1, 'a', Mark::Acute},
    {0xE2, 'a', Mark::Circumflex},
    {0xE3, 'a', Mark::Tilde},
    {0xE4, 'a', Mark::Diaeresis},
    {0xE5, 'a', Mark::Ring},
    {0xE7, 'c', Mark::Cedilla},
    {0xE8, 'e', Mark::Grave},
    {0xE9, 'e', Mark::Acute},
    {0xEA, 'e', Mark::Circumflex},
    {0xEB, 'e', Mark::Diaeresis},
    {0xEC, kDotlessI, Mark::Grave},
    {0xED, kDotlessI, Mark::Acute},
    {0xEE, kDotlessI, Mark::Circumflex},
    {0xEF, kDotlessI, Mark::Diaeresis},
    {0xF1, 'n', Mark::Tilde},
    {0xF2, 'o', Mark::Grave},
    {0xF3, 'o', Mark::Acute},
    {0xF4, 'o', Mark::Circumflex},
    {0xF5, 'o', Mark::Tilde},
    {0xF6, 'o', Mark::Diaeresis},
    {0xF9, 'u', Mark::Grave},
    {0xFA, 'u', Mark::Acute},
    {0xFB, 'u', Mark::Circumflex},
    {0xFC, 'u', Mark::Diaeresis},
    {0xFD, 'y', Mark::Acute},
    {0xFF, 'y', Mark::Diaeresis},
};

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

Mask withMark(const Glyph8& base, Mark mark) {
    const bool below = mark == Mark::Cedilla;
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
    const auto art = markArt(mark, squeeze);
    const int width = static_cast<int>(art.front().size());
    const int x0 = (left + right + 1 - width) / 2;
    int y = below ? bottom + 1 : (squeeze ? 2 : 3) - static_cast<int>(art.size());
    for (std::string_view row : art) {
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

Mask cp1252Shape(int code) {
    for (const Accented& a : kAccented) {
        if (a.code == code) {
            return withMark(*fontGlyph(a.base), a.mark);
        }
    }
    if (const Glyph8* g = fontGlyph(code)) {
        return doubled(*g);
    }
    return {};
}

}  // namespace vtl::sheets
