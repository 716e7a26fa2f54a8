#include "colour/ColourSets.h"

#include <limits>

namespace vtl::colour {

namespace {

constexpr int kRgbStep = 17;  // 255 / 15: one hex digit of ^xRGB

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

int nearestEntry(const ColourSet& set, Rgb colour) {
    int best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < set.entries.size(); ++i) {
        const double distance = perceptualDistance(colour, set.entries[i].rgb);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

QByteArray nearestRgbCode(Rgb colour) {
    // The nearest by eye is one of the eight grid points around the colour.
    const auto around = [](std::uint8_t v) {
        const int low = v / kRgbStep;
        return std::pair{low, v % kRgbStep == 0 ? low : low + 1};
    };
    const auto [r0, r1] = around(colour.r);
    const auto [g0, g1] = around(colour.g);
    const auto [b0, b1] = around(colour.b);
    int best[3] = {r0, g0, b0};
    double bestDistance = std::numeric_limits<double>::max();
    for (const int r : {r0, r1}) {
        for (const int g : {g0, g1}) {
            for (const int b : {b0, b1}) {
                const Rgb point{static_cast<std::uint8_t>(r * kRgbStep),
                                static_cast<std::uint8_t>(g * kRgbStep),
                                static_cast<std::uint8_t>(b * kRgbStep)};
                const double distance = perceptualDistance(colour, point);
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best[0] = r;
                    best[1] = g;
                    best[2] = b;
                }
            }
        }
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const char code[] = {'^', 'x', kDigits[best[0]], kDigits[best[1]], kDigits[best[2]]};
    return QByteArray(code, sizeof code);
}

std::optional<Rgb> colourOfRgbCode(QByteArrayView code) {
    if (code.size() != 5 || !code.startsWith("^x")) {
        return std::nullopt;
    }
    int digits[3];
    for (int i = 0; i < 3; ++i) {
        digits[i] = hexDigit(code[2 + i]);
        if (digits[i] < 0) {
            return std::nullopt;
        }
    }
    return Rgb{static_cast<std::uint8_t>(digits[0] * kRgbStep),
               static_cast<std::uint8_t>(digits[1] * kRgbStep),
               static_cast<std::uint8_t>(digits[2] * kRgbStep)};
}

QByteArray codeFor(const ColourSet& set, Rgb colour) {
    if (!set.rgbCodes) {
        return set.entries[static_cast<std::size_t>(nearestEntry(set, colour))].code;
    }
    QByteArray code = nearestRgbCode(colour);
    const Rgb drawn = *colourOfRgbCode(code);
    for (const PaletteEntry& entry : set.entries) {
        if (entry.rgb == drawn) {
            return entry.code;  // `^1` rather than `^xF00`
        }
    }
    return code;
}

std::optional<Rgb> colourOfCode(const ColourSet& set, QByteArrayView code) {
    for (const PaletteEntry& entry : set.entries) {
        if (code == entry.code) {
            return entry.rgb;
        }
    }
    return set.rgbCodes ? colourOfRgbCode(code) : std::nullopt;
}

qsizetype quake3CodeLength(QByteArrayView bytes, qsizetype i) {
    if (bytes.sliced(i).startsWith("^^8")) {
        return 3;
    }
    return i + 1 < bytes.size() && bytes[i] == '^' && bytes[i + 1] != '^' && bytes[i + 1] != 0 ? 2
                                                                                               : 0;
}

qsizetype digitCodeLength(QByteArrayView bytes, qsizetype i) {
    return i + 1 < bytes.size() && bytes[i] == '^' && bytes[i + 1] >= '0' && bytes[i + 1] <= '9'
               ? 2
               : 0;
}

qsizetype etLegacyCodeLength(QByteArrayView bytes, qsizetype i) {
    if (i + 1 >= bytes.size() || bytes[i] != '^') {
        return 0;
    }
    const auto next = static_cast<unsigned char>(bytes[i + 1]);
    return (next > 0x20 && next < 0x7F && next != '^') || next >= 0x80 ? 2 : 0;
}

qsizetype anyByteCodeLength(QByteArrayView bytes, qsizetype i) {
    return i + 1 < bytes.size() && bytes[i] == '^' && bytes[i + 1] != 0 ? 2 : 0;
}

qsizetype darkPlacesCodeLength(QByteArrayView bytes, qsizetype i) {
    if (i + 1 >= bytes.size() || bytes[i] != '^') {
        return 0;
    }
    const char next = bytes[i + 1];
    if (next >= '0' && next <= '9') {
        return 2;
    }
    if (next == 'x' && i + 4 < bytes.size() && hexDigit(bytes[i + 2]) >= 0 &&
        hexDigit(bytes[i + 3]) >= 0 && hexDigit(bytes[i + 4]) >= 0) {
        return 5;
    }
    return 0;
}

}  // namespace vtl::colour
