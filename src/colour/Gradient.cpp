#include "colour/Gradient.h"

#include <algorithm>

namespace vtl::colour {

Rgb gradientAt(const GradientStops& stops, double t) {
    t = std::clamp(t, 0.0, 1.0);
    if (!stops.middle) {
        return mix(stops.start, stops.end, t);
    }
    return t < 0.5 ? mix(stops.start, *stops.middle, t * 2)
                   : mix(*stops.middle, stops.end, t * 2 - 1);
}

bool showsColour(const ColouredGlyph& glyph) {
    return std::any_of(glyph.text.cbegin(), glyph.text.cend(), [](char c) { return c != ' '; });
}

std::vector<QByteArray> fragmentsWithFewestCodes(std::span<const ColouredGlyph> glyphs,
                                                 const ColourSet& set, const QByteArray& inForce) {
    std::vector<QByteArray> fragments;
    fragments.reserve(glyphs.size());
    QByteArray current = inForce;
    const auto same = [&](const QByteArray& a, const QByteArray& b) {
        if (a == b) {
            return true;
        }
        const auto colourA = colourOfCode(set, a);
        return colourA && colourA == colourOfCode(set, b);
    };
    for (const ColouredGlyph& glyph : glyphs) {
        if (!glyph.colour.isEmpty() && showsColour(glyph) &&
            (current.isEmpty() || !same(glyph.colour, current))) {
            fragments.push_back(QByteArray(glyph.colour).append(glyph.text));
            current = glyph.colour;
        } else {
            fragments.push_back(glyph.text);
        }
    }
    return fragments;
}

QByteArray writtenName(std::span<const ColouredGlyph> glyphs, const ColourSet& set) {
    QByteArray name;
    for (const QByteArray& fragment : fragmentsWithFewestCodes(glyphs, set)) {
        name += fragment;
    }
    return name;
}

void applyGradient(std::vector<ColouredGlyph>& glyphs, const GradientRequest& request,
                   const ColourSet& set) {
    const int first = std::max(request.first, 0);
    const int last = std::min(request.last, static_cast<int>(glyphs.size()) - 1);
    std::vector<std::size_t> shown;
    for (int i = first; i <= last; ++i) {
        if (showsColour(glyphs[static_cast<std::size_t>(i)])) {
            shown.push_back(static_cast<std::size_t>(i));
        }
    }
    if (shown.empty()) {
        return;
    }
    // Glyphs change colour in groups of `step`; the groups spread from the
    // start colour to the end colour.
    const int step = std::max(request.step, 1);
    const int groups = (static_cast<int>(shown.size()) + step - 1) / step;
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const int group = static_cast<int>(k) / step;
        const double t = groups == 1 ? 0.0 : static_cast<double>(group) / (groups - 1);
        glyphs[shown[k]].colour = codeFor(set, gradientAt(request.stops, t));
    }
}

FitReport fitToLimit(const std::vector<ColouredGlyph>& glyphs, GradientRequest request,
                     const ColourSet& set, int limit, int extraBytes) {
    FitReport report;
    for (const int step : kFitSteps) {
        std::vector<ColouredGlyph> trial = glyphs;
        request.step = step;
        applyGradient(trial, request, set);
        const int bytes = static_cast<int>(writtenName(trial, set).size()) + extraBytes;
        report.bytesPerStep.push_back(bytes);
        if (!report.fittingStep && bytes <= limit) {
            report.fittingStep = step;
        }
    }
    return report;
}

}  // namespace vtl::colour
