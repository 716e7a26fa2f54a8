#include "sheets/Paint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vtl::sheets {

namespace {

QRgb scaled(QRgb c, double f) {
    auto ch = [f](int v) { return std::min(255, static_cast<int>(std::lround(v * f))); };
    return qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
}

// Fixed grain for the stone look: the same cell always gets the same pattern.
bool grain(int code, int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(code) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h >> 16) & 3u) == 0;
}

}  // namespace

Ramp dimmed(const Ramp& r, double factor) {
    return {scaled(r.hi, factor), scaled(r.light, factor), scaled(r.mid, factor),
            scaled(r.dark, factor), r.shadow};
}

void paintCell(QImage& sheet, int code, const Cell& cell, Look look) {
    const int ox = (code % 16) * 16;
    const int oy = (code / 16) * 16;
    Mask all;
    for (const Layer& layer : cell) {
        all = all | layer.mask;
    }

    for (const Layer& layer : cell) {
        auto lit = [&](int x, int y) {
            const bool outside = x < 0 || x > 15 || y < 0 || y > 15;
            return outside ? layer.tiles : layer.mask.at(x, y);
        };
        const Ramp& r = layer.ramp;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (!layer.mask.at(x, y)) {
                    continue;
                }
                const bool top = !lit(x, y - 1);
                const bool bottom = !lit(x, y + 1);
                const bool left = !lit(x - 1, y);
                const bool right = !lit(x + 1, y);
                // Ink in the lower half is a shade darker, except on tiling
                // pieces, where it would show as a seam.
                const bool low = y >= 8 && !layer.tiles;
                QRgb c = r.light;
                switch (look) {
                    case Look::Quake:
                    case Look::Quake3:
                        c = top ? r.hi : bottom ? r.dark : low ? r.mid : r.light;
                        break;
                    case Look::Quake2:
                        c = (top || left) ? r.hi : (bottom || right) ? r.dark : r.light;
                        break;
                    case Look::Hexen:
                        c = top                                   ? r.hi
                            : bottom                              ? r.dark
                            : (!layer.tiles && grain(code, x, y)) ? r.mid
                                                                  : r.light;
                        break;
                    case Look::JumpGate:
                        c = top ? r.hi : r.light;
                        break;
                    case Look::Quake3Outline:
                        c = top ? r.hi : (bottom || left || right) ? r.dark : low ? r.mid : r.light;
                        break;
                }
                sheet.setPixel(ox + x, oy + y, c);
            }
        }
    }

    if (look != Look::Quake && look != Look::Hexen) {
        return;
    }
    Mask shaded;
    for (const Layer& layer : cell) {
        if (layer.tiles) {
            continue;
        }
        const Mask cast = shifted(layer.mask, 1, 1) - all - shaded;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (cast.at(x, y)) {
                    sheet.setPixel(ox + x, oy + y, layer.ramp.shadow);
                }
            }
        }
        shaded = shaded | cast;
    }
}

}  // namespace vtl::sheets
