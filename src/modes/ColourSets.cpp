#include "modes/ColourSets.h"

#include <algorithm>

#include "charset/Sheet.h"
#include "modes/ColourSet.h"

namespace vtl {

const colour::ColourSet& paletteOf(ColourSyntax syntax) {
    switch (syntax) {
        case ColourSyntax::UrbanTerror:
            return colour::kUrbanTerrorColours;
        case ColourSyntax::OpenJK:
        case ColourSyntax::Warfork:
            return colour::kTenColours;
        case ColourSyntax::EtLegacy:
            return colour::kEtLegacyColours;
        case ColourSyntax::DarkPlaces:
            return colour::kDarkPlacesColours;
        case ColourSyntax::QuakeLive:
            break;
    }
    return colour::kQuakeLiveColours;
}

std::span<const colour::PaletteEntry> colourSet(ColourSyntax syntax) {
    return paletteOf(syntax).entries;
}

QByteArray colourCode(const colour::PaletteEntry& entry) {
    return QByteArray(entry.code);
}

int colourCodeLength(ColourSyntax syntax, const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at >= bytes.size()) {
        return 0;
    }
    return static_cast<int>(paletteOf(syntax).codeLength(bytes, at));
}

bool caretEscapeAt(ColourSyntax syntax, const QByteArray& bytes, qsizetype at) {
    return (syntax == ColourSyntax::Warfork || syntax == ColourSyntax::DarkPlaces) && at >= 0 &&
           at + 1 < bytes.size() && bytes[at] == '^' && bytes[at + 1] == '^';
}

std::optional<int> colourRowOfCode(ColourSyntax syntax, char codeCharacter) {
    const auto c = static_cast<uchar>(codeCharacter);
    switch (syntax) {
        case ColourSyntax::UrbanTerror:
            return (c - '0') % 10 < 0 ? std::nullopt : std::optional<int>((c - '0') % 10);
        case ColourSyntax::OpenJK:
        case ColourSyntax::Warfork: {
            const int index = (c - '0') & 15;
            return index < 10 ? std::optional<int>(index) : std::nullopt;
        }
        case ColourSyntax::EtLegacy:
            if (c == '*') {
                return std::nullopt;
            }
            return (c - '0') & 31;
        case ColourSyntax::QuakeLive:
            return (c - '0') & 7;
        case ColourSyntax::DarkPlaces:
            return c >= '0' && c <= '9' ? std::optional<int>(c - '0') : std::nullopt;
    }
    return std::nullopt;
}

std::optional<QRgb> colourOfCode(ColourSyntax syntax, char codeCharacter) {
    const std::optional<int> row = colourRowOfCode(syntax, codeCharacter);
    if (!row) {
        return std::nullopt;
    }
    return qRgbOf(colourSet(syntax)[static_cast<std::size_t>(*row)].rgb);
}

QImage glyphsOfWhiteSheet(const QImage& whiteOnBlack) {
    QImage glyphs = whiteOnBlack.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < glyphs.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(glyphs.scanLine(y));
        for (int x = 0; x < glyphs.width(); ++x) {
            const QRgb p = line[x];
            line[x] = qRgba(255, 255, 255, std::max({qRed(p), qGreen(p), qBlue(p)}));
        }
    }
    return glyphs;
}

QImage sheetInColour(const QImage& glyphs, QRgb colour) {
    return charset::tintedSheet(glyphs, colour);
}

}  // namespace vtl
