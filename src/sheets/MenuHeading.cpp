#include "sheets/MenuHeading.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sheets/Font.h"

namespace vtl::sheets {
namespace {

constexpr int kWidth = 136;
constexpr int kHeight = 31;
constexpr int kScale = 3;    // each font pixel becomes a 3x3 block
constexpr int kTop = 4;      // where the font's row 0 lands
constexpr int kAdvance = 6;  // font columns from one letter to the next
constexpr int kLeft = 22;
constexpr int kGlow = 4;  // reach of the glow, in pixels

}  // namespace

QImage menuHeading() {
    std::vector<bool> ink(kWidth * kHeight, false);
    const int baseline = kTop + 7 * kScale;
    int left = kLeft;
    for (const char letter : {'M', 'e', 'n', 'u'}) {
        const Glyph8* glyph = fontGlyph(letter);
        for (int y = 0; glyph != nullptr && y < 8 * kScale; ++y) {
            const std::uint8_t row = (*glyph)[y / kScale];
            const int py = kTop + y;
            const int slant = (baseline - py) / 3;  // italics: lean right going up
            for (int x = 0; x < 8 * kScale; ++x) {
                const int px = left + x + slant;
                if ((row & (0x80 >> (x / kScale))) != 0 && px >= 0 && px < kWidth && py < kHeight) {
                    ink[py * kWidth + px] = true;
                }
            }
        }
        left += kAdvance * kScale;
    }

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (ink[y * kWidth + x]) {
                // Pale yellow at the top of the letters, deeper gold below.
                const double t = std::clamp(double(y - kTop) / (7 * kScale), 0.0, 1.0);
                image.setPixel(x, y, qRgb(255, int(250 - 40 * t), int(150 - 130 * t)));
                continue;
            }
            double nearest = kGlow + 1;
            for (int dy = -kGlow; dy <= kGlow; ++dy) {
                for (int dx = -kGlow; dx <= kGlow; ++dx) {
                    const int sx = x + dx;
                    const int sy = y + dy;
                    if (sx >= 0 && sx < kWidth && sy >= 0 && sy < kHeight &&
                        ink[sy * kWidth + sx]) {
                        nearest = std::min(nearest, std::hypot(dx, dy));
                    }
                }
            }
            const double glow = std::max(0.0, 1.0 - nearest / (kGlow + 1));
            image.setPixel(x, y, qRgb(int(230 * glow), int(120 * glow * glow), 0));
        }
    }
    return image;
}

}  // namespace vtl::sheets
