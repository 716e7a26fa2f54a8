#include "colour/GradientForm.h"

#include <algorithm>

namespace vtl::colour {

using namespace Qt::StringLiterals;

namespace {

const QString kFits = u"%1 keeps %2 bytes of a name: this one has %3 and fits."_s;
const QString kCut = u"%1 keeps %2 bytes of a name: this one has %3, the rest is cut."_s;
const QString kOfferSecond = u"Colour every second glyph instead: %1 bytes."_s;
const QString kOfferThird = u"Colour every third glyph instead: %1 bytes."_s;

}  // namespace

GradientForm::GradientForm(std::vector<ColouredGlyph> name, const ColourSet& set,
                           std::vector<ByteLimit> limits, int extraBytes)
    : lastPosition(std::max(static_cast<int>(name.size()), 1)),
      name_(std::move(name)),
      set_(set),
      limits_(std::move(limits)),
      extraBytes_(extraBytes) {}

GradientRequest GradientForm::request(int withStep) const {
    return GradientRequest{stops, firstPosition - 1, lastPosition - 1, withStep};
}

std::vector<ColouredGlyph> GradientForm::preview() const {
    std::vector<ColouredGlyph> glyphs = name_;
    applyGradient(glyphs, request(step), set_);
    return glyphs;
}

int GradientForm::bytesWith(int withStep) const {
    std::vector<ColouredGlyph> glyphs = name_;
    applyGradient(glyphs, request(withStep), set_);
    return static_cast<int>(writtenName(glyphs, set_).size()) + extraBytes_;
}

int GradientForm::bytes() const {
    return bytesWith(step);
}

bool GradientForm::fitsAll(int byteCount) const {
    return std::all_of(limits_.begin(), limits_.end(),
                       [&](const ByteLimit& limit) { return byteCount <= limit.bytes; });
}

QStringList GradientForm::limitLines() const {
    const int byteCount = bytes();
    QStringList lines;
    for (const ByteLimit& limit : limits_) {
        lines << (byteCount <= limit.bytes ? kFits : kCut)
                     .arg(limit.engine)
                     .arg(limit.bytes)
                     .arg(byteCount);
    }
    return lines;
}

std::optional<int> GradientForm::offeredStep() const {
    if (fitsAll(bytes())) {
        return std::nullopt;
    }
    for (const int candidate : kFitSteps) {
        if (candidate > step && fitsAll(bytesWith(candidate))) {
            return candidate;
        }
    }
    return std::nullopt;
}

QString GradientForm::offerText() const {
    const std::optional<int> offered = offeredStep();
    if (!offered) {
        return {};
    }
    return (*offered == 2 ? kOfferSecond : kOfferThird).arg(bytesWith(*offered));
}

}  // namespace vtl::colour
