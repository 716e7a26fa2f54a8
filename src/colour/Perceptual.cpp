#include "colour/Perceptual.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace vtl::colour {

namespace {

double linearFromSrgb(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::uint8_t srgbFromLinear(double c) {
    const double s = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(std::clamp(s, 0.0, 1.0) * 255.0));
}

// LittleCMS's sRGB to CIELAB transform, made once; colour management
// transforms are safe to share between threads.
cmsHTRANSFORM srgbToLab() {
    static const cmsHTRANSFORM transform = [] {
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
        cmsHTRANSFORM made = cmsCreateTransform(srgb, TYPE_RGB_8, lab, TYPE_Lab_DBL,
                                                INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
        cmsCloseProfile(srgb);
        cmsCloseProfile(lab);
        return made;
    }();
    return transform;
}

// Remembered per colour: a gradient asks for the same palette colours over
// and over, and a transform costs more than the distance itself.
cmsCIELab cieLab(Rgb colour) {
    thread_local std::unordered_map<std::uint32_t, cmsCIELab> known;
    const std::uint32_t key = (colour.r << 16) | (colour.g << 8) | colour.b;
    if (const auto found = known.find(key); found != known.end()) {
        return found->second;
    }
    const std::uint8_t rgb[3] = {colour.r, colour.g, colour.b};
    cmsCIELab lab{};
    cmsDoTransform(srgbToLab(), rgb, &lab, 1);
    known.emplace(key, lab);
    return lab;
}

}  // namespace

double perceptualDistance(Rgb a, Rgb b) {
    if (a == b) {
        return 0;
    }
    const cmsCIELab labA = cieLab(a);
    const cmsCIELab labB = cieLab(b);
    return cmsCIE2000DeltaE(&labA, &labB, 1, 1, 1);
}

// Björn Ottosson's OKLab matrices (2020), sRGB D65.
Lab toOkLab(Rgb colour) {
    const double r = linearFromSrgb(colour.r);
    const double g = linearFromSrgb(colour.g);
    const double b = linearFromSrgb(colour.b);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return Lab{0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
               1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
               0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Rgb fromOkLab(const Lab& lab) {
    const double l = std::pow(lab.L + 0.3963377774 * lab.a + 0.2158037573 * lab.b, 3);
    const double m = std::pow(lab.L - 0.1055613458 * lab.a - 0.0638541728 * lab.b, 3);
    const double s = std::pow(lab.L - 0.0894841775 * lab.a - 1.2914855480 * lab.b, 3);
    return Rgb{srgbFromLinear(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
               srgbFromLinear(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
               srgbFromLinear(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

Rgb mix(Rgb from, Rgb to, double t) {
    const Lab a = toOkLab(from);
    const Lab b = toOkLab(to);
    return fromOkLab(Lab{a.L + (b.L - a.L) * t, a.a + (b.a - a.a) * t, a.b + (b.b - a.b) * t});
}

}  // namespace vtl::colour
