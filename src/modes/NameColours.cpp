#include "modes/NameColours.h"

#include <algorithm>

#include "charset/Sheet.h"
#include "core/NameEditing.h"
#include "modes/GameModes.h"

namespace vtl {

using colour::ColouredGlyph;

namespace {

// The codes at the front of a fragment, and the last of them.
struct Split {
    qsizetype codesEnd = 0;
    QByteArray lastCode;
};

Split splitCodes(const QByteArray& fragment, const colour::ColourSet& set) {
    Split split;
    while (split.codesEnd < fragment.size()) {
        const qsizetype length = set.codeLength(fragment, split.codesEnd);
        // A fragment that is only a code keeps it as its text (a stray caret).
        if (length == 0 || split.codesEnd + length >= fragment.size()) {
            break;
        }
        split.lastCode = fragment.mid(split.codesEnd, length);
        split.codesEnd += length;
    }
    return split;
}

bool sameColour(const colour::ColourSet& set, const QByteArray& a, const QByteArray& b) {
    if (a == b) {
        return true;
    }
    const auto colourA = colour::colourOfCode(set, a);
    return colourA && colourA == colour::colourOfCode(set, b);
}

}  // namespace

std::vector<ColouredGlyph> glyphColours(const std::array<NameCell, kNameLength>& cells,
                                        const colour::ColourSet& set) {
    std::vector<ColouredGlyph> glyphs;
    QByteArray inForce;
    for (const NameCell& cell : cells) {
        const Split split = splitCodes(cell.fragment, set);
        if (split.codesEnd > 0) {
            inForce = split.lastCode;
        }
        glyphs.push_back({cell.fragment.mid(split.codesEnd), inForce});
    }
    return glyphs;
}

std::vector<int> recolour(std::array<NameCell, kNameLength>& cells, const colour::ColourSet& set,
                          int first, int last, std::span<const QByteArray> colours) {
    first = std::clamp(first, 1, kNameLength);
    last = std::clamp(last, first, kNameLength);
    const std::vector<ColouredGlyph> before = glyphColours(cells, set);
    std::vector<ColouredGlyph> span(before.begin() + (first - 1), before.begin() + last);
    for (std::size_t k = 0; k < span.size() && k < colours.size(); ++k) {
        if (colour::showsColour(span[k])) {
            span[k].colour = colours[k];
        }
    }
    const QByteArray inForceBefore =
        first > 1 ? before[static_cast<std::size_t>(first - 2)].colour : QByteArray();
    const std::vector<QByteArray> fragments =
        colour::fragmentsWithFewestCodes(span, set, inForceBefore);
    QByteArray inForceAfter = inForceBefore;
    for (std::size_t k = 0; k < fragments.size(); ++k) {
        cells[static_cast<std::size_t>(first - 1) + k].fragment = fragments[k];
        if (fragments[k].size() != span[k].text.size()) {
            inForceAfter = span[k].colour;
        }
    }
    // The glyph after the span kept its colour through a code now gone.
    for (int p = last + 1; p <= kNameLength; ++p) {
        NameCell& cell = cells[static_cast<std::size_t>(p - 1)];
        const ColouredGlyph& was = before[static_cast<std::size_t>(p - 1)];
        if (splitCodes(cell.fragment, set).codesEnd > 0) {
            break;  // it brings its own code
        }
        if (colour::showsColour(was)) {
            if (!was.colour.isEmpty() && !sameColour(set, was.colour, inForceAfter)) {
                cell.fragment.prepend(was.colour);
            }
            break;
        }
    }

    std::vector<int> changed;
    const std::vector<ColouredGlyph> after = glyphColours(cells, set);
    for (int p = 1; p <= kNameLength; ++p) {
        const auto k = static_cast<std::size_t>(p - 1);
        if (colour::showsColour(after[k]) && !sameColour(set, after[k].colour, before[k].colour)) {
            changed.push_back(p);
        }
    }
    return changed;
}

namespace {

using namespace Qt::StringLiterals;

// Who keeps how many bytes of the name between the quotes: MAX_NETNAME 36
// in the Quake III engines, Warfork's MAX_NAME_BYTES 32, the 127 bytes the
// DarkPlaces client sends; Quake Live's servers go by the minqlx name
// plugin's 36.
std::vector<colour::ByteLimit> byteLimits(GameMode mode) {
    switch (mode) {
        case GameMode::UrbanTerror:
            return {{u"Urban Terror"_s, 35}};
        case GameMode::OpenJK:
            return {{u"OpenJK"_s, 35}};
        case GameMode::EtLegacy:
            return {{u"ET: Legacy"_s, 35}};
        case GameMode::Warfork:
            return {{u"Warfork"_s, 31}};
        case GameMode::QuakeLive:
            return {{u"The minqlx name plugin"_s, 36}};
        case GameMode::Xonotic:
            return {{u"The DarkPlaces client"_s, 127}};
        default:
            return {{u"The Quake III engine"_s, 35}};
    }
}

}  // namespace

std::optional<QByteArray> chooseOtherColour(Desktop& desktop, const colour::ColourSet& set,
                                            const QByteArray& current) {
    const colour::Rgb now = colour::colourOfCode(set, current).value_or(colour::Rgb{255, 255, 255});
    const std::optional<QColor> chosen =
        desktop.chooseColour(QColor(now.r, now.g, now.b), kOtherColourItem);
    if (!chosen) {
        return std::nullopt;
    }
    return colour::codeFor(set, colour::Rgb{static_cast<std::uint8_t>(chosen->red()),
                                            static_cast<std::uint8_t>(chosen->green()),
                                            static_cast<std::uint8_t>(chosen->blue())});
}

const colour::ColourSet* colourSetOf(const WindowState& state) {
    const ColourSet* colours = currentColours(state);
    return colours ? colours->palette : nullptr;
}

QImage glyphInColour(const QImage& glyph, const colour::ColourSet& set, const QByteArray& code) {
    const std::optional<colour::Rgb> rgb = colour::colourOfCode(set, code);
    if (glyph.isNull() || !rgb) {
        return glyph;
    }
    // The brightest channel is how much of the glyph covers the pixel,
    // whatever colour it was drawn in before.
    QImage coverage(glyph.size(), QImage::Format_ARGB32);
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const QRgb p = glyph.pixel(x, y);
            coverage.setPixel(x, y, qRgba(255, 255, 255, std::max({qRed(p), qGreen(p), qBlue(p)})));
        }
    }
    return charset::tintedSheet(coverage, qRgb(rgb->r, rgb->g, rgb->b));
}

std::optional<colour::GradientForm> gradientFormFor(const WindowState& state) {
    const colour::ColourSet* set = colourSetOf(state);
    const int used = endPosition(state) - 1;
    if (set == nullptr || used < 1) {
        return std::nullopt;
    }
    std::vector<ColouredGlyph> glyphs = glyphColours(state.cells, *set);
    glyphs.resize(static_cast<std::size_t>(used));
    const qsizetype quote = state.LineSuffix.indexOf('"');
    const int extra = static_cast<int>(quote < 0 ? state.LineSuffix.size() : quote);
    return colour::GradientForm(std::move(glyphs), *set, byteLimits(*state.Mode), extra);
}

void applyGradientTo(WindowState& state, const colour::GradientForm& form) {
    const colour::ColourSet& set = form.colourSet();
    const std::vector<ColouredGlyph> preview = form.preview();
    std::vector<QByteArray> colours;
    for (const ColouredGlyph& glyph : preview) {
        colours.push_back(glyph.colour);
    }
    const std::vector<int> changed = recolour(state.cells, set, 1, form.positionCount(), colours);
    const std::vector<ColouredGlyph> now = glyphColours(state.cells, set);
    for (const int p : changed) {
        const auto k = static_cast<std::size_t>(p - 1);
        state.cells[k].glyph = glyphInColour(state.cells[k].glyph, set, now[k].colour);
    }
    rebuildNameBoxes(state);
}

}  // namespace vtl
