#pragma once

#include <cstdint>

namespace vtl::colour {

// An sRGB colour as the games write it, 8 bits a channel.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// A channel given as a fraction (the games' colour tables say 1, .5, .75 …).
constexpr Rgb rgbOf(double r, double g, double b) {
    const auto byte = [](double v) { return static_cast<std::uint8_t>(v * 255.0 + 0.5); };
    return Rgb{byte(r), byte(g), byte(b)};
}

// How different two colours look: CIEDE2000 (ΔE00) on CIELAB D50, as
// LittleCMS computes it; 0 for the same colour, about 1 for a just visible
// difference. Choosing among a handful of saturated palette colours needs a
// measure that weighs hue against lightness the way the eye does: plain
// Euclidean distance (in RGB, CIELAB or OKLab alike) lets lightness win, so
// dark green would come out red in Quake III's eight colours.
double perceptualDistance(Rgb a, Rgb b);

// OKLab, where a gradient is blended: a straight line in it looks even and
// keeps its hue (CIELAB bends blue towards purple; ΔE00 is no space at all).
// It is a dozen published constants, which no packaged library offers.
struct Lab {
    double L = 0;
    double a = 0;
    double b = 0;
};
Lab toOkLab(Rgb colour);
// Back to sRGB, each channel clipped to 0..255.
Rgb fromOkLab(const Lab& lab);

// The colour a fraction `t` (0..1) of the way from `from` to `to`, in OKLab.
Rgb mix(Rgb from, Rgb to, double t);

}  // namespace vtl::colour
