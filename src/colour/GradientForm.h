#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "colour/Gradient.h"

namespace vtl::colour {

// A byte limit a game puts on the name (the text between the quotes).
struct ByteLimit {
    QString engine;  // who keeps how much, as the dialog says it
    int bytes = 0;
};

// The Colour Gradient dialog without its widgets: the choices, and from them
// the recoloured name for the live preview, its length against the game's
// limits and the offer to colour every second or third glyph.
class GradientForm {
  public:
    // `name`: the name's glyphs as they are (positions 1..n are name[0..n-1]);
    // `extraBytes`: what the line adds inside the quotes (a closing `^7`).
    GradientForm(std::vector<ColouredGlyph> name, const ColourSet& set,
                 std::vector<ByteLimit> limits, int extraBytes);

    GradientStops stops{Rgb{255, 0, 0}, std::nullopt, Rgb{0, 0, 255}};
    int firstPosition = 1;  // 1-based, both included; default the whole name
    int lastPosition = 1;
    int step = 1;  // 1: every glyph; 2, 3: every second, third glyph

    int positionCount() const { return static_cast<int>(name_.size()); }
    const ColourSet& colourSet() const { return set_; }
    // The name recoloured as the choices say (the preview, and what OK writes).
    std::vector<ColouredGlyph> preview() const;
    // Bytes of the name between the quotes with the gradient.
    int bytes() const;
    // One line per limit: "Xonotic client keeps 127 bytes: fits (98)" …
    QStringList limitLines() const;
    // The step that makes the name fit every limit when the chosen one does
    // not (none when it fits, or when no step does).
    std::optional<int> offeredStep() const;
    QString offerText() const;

  private:
    GradientRequest request(int withStep) const;
    int bytesWith(int withStep) const;
    bool fitsAll(int byteCount) const;

    std::vector<ColouredGlyph> name_;
    const ColourSet& set_;
    std::vector<ByteLimit> limits_;
    int extraBytes_;
};

}  // namespace vtl::colour
