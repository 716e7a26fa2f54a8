#include "modes/ColourSets.h"

#include <algorithm>
#include <array>

#include "charset/Sheet.h"

namespace vtl {
namespace {

// The games' colour tables hold floats 0..1; a byte is the nearest step.
constexpr QRgb rgbF(double r, double g, double b) {
    const auto byte = [](double v) { return static_cast<int>(v * 255.0 + 0.5); };
    return qRgb(byte(r), byte(g), byte(b));
}

// The eight colours every Quake III engine shares, ^0 to ^7.
constexpr std::array<GameColour, 8> kQuake3Eight{{
    {u"Black", '0', rgbF(0, 0, 0)},
    {u"Red", '1', rgbF(1, 0, 0)},
    {u"Green", '2', rgbF(0, 1, 0)},
    {u"Yellow", '3', rgbF(1, 1, 0)},
    {u"Blue", '4', rgbF(0, 0, 1)},
    {u"Cyan", '5', rgbF(0, 1, 1)},
    {u"Magenta", '6', rgbF(1, 0, 1)},
    {u"White", '7', rgbF(1, 1, 1)},
}};

// The eight followed by a game's own colours.
template <std::size_t N>
constexpr std::array<GameColour, 8 + N> afterTheEight(const std::array<GameColour, N>& more) {
    std::array<GameColour, 8 + N> all{};
    for (std::size_t i = 0; i < 8; ++i) {
        all[i] = kQuake3Eight[i];
    }
    for (std::size_t i = 0; i < N; ++i) {
        all[8 + i] = more[i];
    }
    return all;
}

// Urban Terror 4.3, code/qcommon/q_math.c g_color_table.
constexpr auto kUrbanTerror = afterTheEight(std::array<GameColour, 2>{{
    {u"Orange", '8', rgbF(0.88, 0.31, 0.13)},
    {u"Olive", '9', rgbF(0.29, 0.30, 0.19)},
}});

// OpenJK shared/qcommon/q_color.c and Warfork q_math.c: the same two extra colours.
constexpr auto kTenWithOrangeAndGrey = afterTheEight(std::array<GameColour, 2>{{
    {u"Orange", '8', rgbF(1, 0.5, 0)},
    {u"Grey", '9', rgbF(0.5, 0.5, 0.5)},
}});

// ET: Legacy src/qcommon/q_math.c g_color_table, all 32, by code character.
constexpr auto kEtLegacy = afterTheEight(std::array<GameColour, 24>{{
    {u"Orange", '8', rgbF(1, 0.5, 0)},
    {u"Grey", '9', rgbF(0.5, 0.5, 0.5)},
    {u"Light Grey", ':', rgbF(0.75, 0.75, 0.75)},
    {u"Light Grey 2", ';', rgbF(0.75, 0.75, 0.75)},
    {u"Dark Green", '<', rgbF(0, 0.5, 0)},
    {u"Olive", '=', rgbF(0.5, 0.5, 0)},
    {u"Navy", '>', rgbF(0, 0, 0.5)},
    {u"Maroon", '?', rgbF(0.5, 0, 0)},
    {u"Brown", '@', rgbF(0.5, 0.25, 0)},
    {u"Light Orange", 'A', rgbF(1, 0.6, 0.1)},
    {u"Teal", 'B', rgbF(0, 0.5, 0.5)},
    {u"Purple", 'C', rgbF(0.5, 0, 0.5)},
    {u"Azure", 'D', rgbF(0, 0.5, 1)},
    {u"Violet", 'E', rgbF(0.5, 0, 1)},
    {u"Steel Blue", 'F', rgbF(0.2, 0.6, 0.8)},
    {u"Pale Green", 'G', rgbF(0.8, 1, 0.8)},
    {u"Forest Green", 'H', rgbF(0, 0.4, 0.2)},
    {u"Crimson", 'I', rgbF(1, 0, 0.2)},
    {u"Brick Red", 'J', rgbF(0.7, 0.1, 0.1)},
    {u"Rust", 'K', rgbF(0.6, 0.2, 0)},
    {u"Tan", 'L', rgbF(0.8, 0.6, 0.2)},
    {u"Khaki", 'M', rgbF(0.6, 0.6, 0.2)},
    {u"Cream", 'N', rgbF(1, 1, 0.75)},
    {u"Pale Yellow", 'O', rgbF(1, 1, 0.5)},
}});

// Quake Live's table is not public: the eight every Quake III engine has.
constexpr const std::array<GameColour, 8>& kQuakeLive = kQuake3Eight;

bool isDigit(uchar c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::span<const GameColour> colourSet(ColourSyntax syntax) {
    switch (syntax) {
        case ColourSyntax::UrbanTerror:
            return kUrbanTerror;
        case ColourSyntax::OpenJK:
        case ColourSyntax::Warfork:
            return kTenWithOrangeAndGrey;
        case ColourSyntax::EtLegacy:
            return kEtLegacy;
        case ColourSyntax::QuakeLive:
            return kQuakeLive;
    }
    return {};
}

QByteArray colourCode(const GameColour& colour) {
    return QByteArray("^").append(colour.code);
}

std::optional<int> colourRowOfDigit(ColourSyntax syntax, int digit) {
    const std::span<const GameColour> set = colourSet(syntax);
    for (std::size_t row = 0; row < set.size(); ++row) {
        if (set[row].code == '0' + digit) {
            return static_cast<int>(row);
        }
    }
    return std::nullopt;
}

int colourCodeLength(ColourSyntax syntax, const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at + 1 >= bytes.size() || bytes[at] != '^') {
        return 0;
    }
    const auto next = static_cast<uchar>(bytes[at + 1]);
    switch (syntax) {
        case ColourSyntax::UrbanTerror:
        case ColourSyntax::OpenJK:
        case ColourSyntax::Warfork:
            return isDigit(next) ? 2 : 0;
        case ColourSyntax::EtLegacy:
            // Q_IsColorString: not NUL, not a caret, graphic ASCII or any high byte.
            return next >= 0x80 || (next > ' ' && next < 0x7F && next != '^') ? 2 : 0;
        case ColourSyntax::QuakeLive:
            return next != 0 ? 2 : 0;
    }
    return 0;
}

bool caretEscapeAt(ColourSyntax syntax, const QByteArray& bytes, qsizetype at) {
    return syntax == ColourSyntax::Warfork && at >= 0 && at + 1 < bytes.size() &&
           bytes[at] == '^' && bytes[at + 1] == '^';
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
    }
    return std::nullopt;
}

std::optional<QRgb> colourOfCode(ColourSyntax syntax, char codeCharacter) {
    const std::optional<int> row = colourRowOfCode(syntax, codeCharacter);
    if (!row) {
        return std::nullopt;
    }
    return colourSet(syntax)[static_cast<std::size_t>(*row)].rgb;
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
