#include "colour/Perceptual.h"

#include <QLibrary>

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <type_traits>
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

// LittleCMS is loaded the first time two colours are compared, not linked:
// only the gradient and "Other colour…" compare colours, and a library mapped
// at every start for them would cost every start (see the start-up notes in
// ARCHITECTURE.md). Without it, distances are measured in OKLab.
struct LittleCms {
    decltype(&cmsCreate_sRGBProfile) createSrgb = nullptr;
    decltype(&cmsCreateLab4Profile) createLab = nullptr;
    decltype(&cmsCreateTransform) createTransform = nullptr;
    decltype(&cmsCloseProfile) closeProfile = nullptr;
    decltype(&cmsDoTransform) doTransform = nullptr;
    decltype(&cmsCIE2000DeltaE) deltaE2000 = nullptr;
    cmsHTRANSFORM srgbToLab = nullptr;  // made once; transforms may be shared between threads

    bool loaded() const { return srgbToLab != nullptr; }
};

const LittleCms& littleCms() {
    static const LittleCms cms = [] {
        LittleCms made;
        QLibrary library(QStringLiteral("lcms2"), 2);
        if (!library.load()) {
            return made;
        }
        const auto resolve = [&library](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                library.resolve(name));
            return function != nullptr;
        };
        if (!resolve(made.createSrgb, "cmsCreate_sRGBProfile") ||
            !resolve(made.createLab, "cmsCreateLab4Profile") ||
            !resolve(made.createTransform, "cmsCreateTransform") ||
            !resolve(made.closeProfile, "cmsCloseProfile") ||
            !resolve(made.doTransform, "cmsDoTransform") ||
            !resolve(made.deltaE2000, "cmsCIE2000DeltaE")) {
            return LittleCms{};
        }
        cmsHPROFILE srgb = made.createSrgb();
        cmsHPROFILE lab = made.createLab(nullptr);
        made.srgbToLab = made.createTransform(srgb, TYPE_RGB_8, lab, TYPE_Lab_DBL,
                                              INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
        made.closeProfile(srgb);
        made.closeProfile(lab);
        return made;  // the library stays loaded: QLibrary does not unload on destruction
    }();
    return cms;
}

// Remembered per colour: a gradient asks for the same palette colours over
// and over, and a transform costs more than the distance itself.
cmsCIELab cieLab(const LittleCms& cms, Rgb colour) {
    thread_local std::unordered_map<std::uint32_t, cmsCIELab> known;
    const std::uint32_t key = (colour.r << 16) | (colour.g << 8) | colour.b;
    if (const auto found = known.find(key); found != known.end()) {
        return found->second;
    }
    const std::uint8_t rgb[3] = {colour.r, colour.g, colour.b};
    cmsCIELab lab{};
    cms.doTransform(cms.srgbToLab, rgb, &lab, 1);
    known.emplace(key, lab);
    return lab;
}

}  // namespace

double perceptualDistance(Rgb a, Rgb b) {
    if (a == b) {
        return 0;
    }
    const LittleCms& cms = littleCms();
    if (!cms.loaded()) {
        const Lab labA = toOkLab(a);
        const Lab labB = toOkLab(b);
        return std::hypot(labA.L - labB.L, labA.a - labB.a, labA.b - labB.b) * 100;
    }
    const cmsCIELab labA = cieLab(cms, a);
    const cmsCIELab labB = cieLab(cms, b);
    return cms.deltaE2000(&labA, &labB, 1, 1, 1);
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
