#include "sheets/Mask.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vtl::sheets {

bool Mask::empty() const {
    return std::all_of(rows.begin(), rows.end(), [](std::uint16_t r) { return r == 0; });
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

}  // namespace vtl::sheets
