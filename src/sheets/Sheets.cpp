#include "sheets/Sheets.h"

#include <array>
#include <functional>

#include "sheets/GifWriter.h"
#include "sheets/Paint.h"
#include "sheets/SheetList.h"

namespace vtl::sheets {

namespace {

using Cells = std::array<Cell, 256>;

constexpr QRgb kShadow = qRgb(22, 18, 14);

// Quake: grey-white text, rust second set, gold numbers, brown iron frames.
constexpr Ramp kQuakeText{qRgb(246, 242, 234), qRgb(214, 208, 198), qRgb(172, 166, 156),
                          qRgb(120, 114, 106), kShadow};
constexpr Ramp kQuakeRust{qRgb(228, 168, 108), qRgb(192, 122, 66), qRgb(156, 90, 46),
                          qRgb(110, 60, 30), kShadow};
constexpr Ramp kGold{qRgb(255, 238, 150), qRgb(246, 204, 70), qRgb(214, 160, 36),
                     qRgb(150, 102, 18), kShadow};
constexpr Ramp kQuakeIron{qRgb(196, 172, 138), qRgb(146, 124, 98), qRgb(118, 98, 76),
                          qRgb(76, 60, 46), kShadow};
constexpr Ramp kQuakePanel{qRgb(64, 54, 44), qRgb(50, 42, 34), qRgb(46, 38, 31), qRgb(38, 32, 26),
                           kShadow};

// Quake II: cool white text, green second set, steel frames on a blue-black panel.
constexpr Ramp kQ2Text{qRgb(255, 255, 255), qRgb(216, 220, 214), qRgb(190, 196, 188),
                       qRgb(128, 136, 128), kShadow};
constexpr Ramp kQ2Green{qRgb(190, 255, 150), qRgb(110, 226, 70), qRgb(80, 190, 48),
                        qRgb(36, 120, 24), kShadow};
constexpr Ramp kQ2Amber{qRgb(255, 226, 140), qRgb(236, 178, 60), qRgb(206, 140, 36),
                        qRgb(132, 84, 16), kShadow};
constexpr Ramp kQ2Steel{qRgb(200, 206, 200), qRgb(140, 148, 142), qRgb(118, 126, 120),
                        qRgb(70, 76, 72), kShadow};
constexpr Ramp kQ2Panel{qRgb(40, 46, 58), qRgb(30, 36, 46), qRgb(28, 33, 42), qRgb(24, 28, 36),
                        kShadow};

// Hexen II: parchment on stone, blood-red second set, bronze numbers.
constexpr Ramp kHexenText{qRgb(240, 232, 210), qRgb(206, 194, 166), qRgb(176, 164, 136),
                          qRgb(120, 108, 86), qRgb(30, 24, 18)};
constexpr Ramp kHexenRed{qRgb(244, 128, 104), qRgb(204, 52, 38), qRgb(168, 30, 22),
                         qRgb(106, 14, 10), qRgb(30, 10, 6)};
constexpr Ramp kBronze{qRgb(244, 214, 150), qRgb(206, 164, 94), qRgb(170, 126, 64),
                       qRgb(110, 78, 38), qRgb(30, 22, 10)};
constexpr Ramp kHexenStone{qRgb(176, 170, 158), qRgb(132, 126, 116), qRgb(110, 104, 96),
                           qRgb(70, 66, 60), kShadow};
constexpr Ramp kHexenPanel{qRgb(52, 48, 44), qRgb(42, 39, 36), qRgb(38, 35, 32), qRgb(32, 30, 27),
                           kShadow};

// Status lights.
constexpr Ramp kLightWhite{qRgb(255, 255, 255), qRgb(236, 236, 236), qRgb(204, 204, 204),
                           qRgb(150, 150, 150), kShadow};
constexpr Ramp kLightGreen{qRgb(190, 255, 170), qRgb(70, 226, 70), qRgb(36, 180, 36),
                           qRgb(18, 112, 18), kShadow};
constexpr Ramp kLightRed{qRgb(255, 176, 156), qRgb(234, 50, 34), qRgb(186, 26, 18),
                         qRgb(120, 12, 8), kShadow};
constexpr Ramp kLightYellow{qRgb(255, 250, 190), qRgb(248, 226, 52), qRgb(210, 178, 24),
                            qRgb(140, 112, 12), kShadow};
constexpr Ramp kLightBlue{qRgb(176, 196, 255), qRgb(70, 104, 242), qRgb(42, 68, 196),
                          qRgb(24, 38, 130), kShadow};
constexpr Ramp kLightOff{qRgb(122, 118, 112), qRgb(84, 80, 76), qRgb(68, 64, 60), qRgb(46, 42, 40),
                         kShadow};

// JumpGate: a flat screen font; control codes show as dim boxes.
constexpr Ramp kJumpText{qRgb(255, 255, 255), qRgb(206, 214, 226), qRgb(206, 214, 226),
                         qRgb(206, 214, 226), kShadow};
constexpr Ramp kJumpBox{qRgb(112, 118, 128), qRgb(84, 90, 100), qRgb(84, 90, 100),
                        qRgb(84, 90, 100), kShadow};

// Quake III's colour consoles: one ramp from the colour, lit from above;
// black gets grey edges so it shows on black.
Ramp q3Ramp(QRgb c) {
    auto mix = [](QRgb a, QRgb b, double t) {
        auto ch = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
        return qRgb(ch(qRed(a), qRed(b)), ch(qGreen(a), qGreen(b)), ch(qBlue(a), qBlue(b)));
    };
    const QRgb black = qRgb(0, 0, 0);
    return {mix(c, qRgb(255, 255, 255), 0.6), c, mix(c, black, 0.14), mix(c, black, 0.36), kShadow};
}
constexpr Ramp kQ3Black{qRgb(168, 168, 168), qRgb(46, 46, 46), qRgb(34, 34, 34),
                        qRgb(110, 110, 110), kShadow};

// --- Shapes shared by the consoles -----------------------------------------

enum class Stroke { Plain, Bold, Smooth, SmoothBold, Serif };

Mask letter(int code, Stroke stroke) {
    const Glyph8* g = fontGlyph(code);
    if (!g) {
        return {};
    }
    switch (stroke) {
        case Stroke::Plain:
            return centred(doubled(*g));
        case Stroke::Bold:
            return centred(emboldened(doubled(*g)));
        case Stroke::Smooth:
            return centred(smoothDoubled(*g));
        case Stroke::SmoothBold:
            return centred(emboldened(smoothDoubled(*g)));
        case Stroke::Serif:
            return centred(serifed(smoothDoubled(*g)));
    }
    return {};
}

Cell ink(const Mask& m, const Ramp& r) {
    return {Layer{m, r, false}};
}

Cell tiled(const Mask& m, const Ramp& r) {
    return {Layer{m, r, true}};
}

// Piece (col, row) of a 3x3 box: the border `thickness` wide, `inset` from
// the box's outer sides, and the panel it encloses.
Cell boxPiece(int col, int row, int inset, int thickness, const Ramp& border, const Ramp& panel) {
    const int l = col == 0 ? inset : 0;
    const int r = col == 2 ? 15 - inset : 15;
    const int t = row == 0 ? inset : 0;
    const int b = row == 2 ? 15 - inset : 15;
    const Mask inner = rect(col == 0 ? l + thickness : l, row == 0 ? t + thickness : t,
                            col == 2 ? r - thickness : r, row == 2 ? b - thickness : b);
    return {Layer{inner, panel, true}, Layer{rect(l, t, r, b) - inner, border, true}};
}

Mask dot(double r) {
    return disc(8, 8, r);
}
Mask hollowSquare() {
    return rect(4, 4, 11, 11) - rect(6, 6, 9, 9);
}
Mask blockCursor() {
    return rect(2, 1, 13, 14);
}
Mask smallTriangle() {
    return polygon({{5, 3}, {12, 8}, {5, 13}});
}
Mask rightArrow() {
    return polygon({{8, 1}, {15, 8}, {8, 15}}) | rect(1, 6, 8, 9);
}
Mask leftArrow() {
    return mirroredX(rightArrow());
}
// A bar across the cell, `half` pixels either side of the middle, with a
// pointed end on the left; its right end runs into the next cell.
Mask barLeft(int half) {
    return polygon({{1, 8},
                    {1.0 + half, 8.0 - half},
                    {16, 8.0 - half},
                    {16, 8.0 + half},
                    {1.0 + half, 8.0 + half}});
}
Mask barMiddle(int half) {
    return rect(0, 8 - half, 15, 7 + half);
}
Mask barRight(int half) {
    return mirroredX(barLeft(half));
}
// A slider track with a thick end stop; the knob is a separate cell.
Mask sliderLeft() {
    return rect(4, 2, 6, 13) | rect(6, 6, 15, 9);
}
Mask sliderMiddle() {
    return rect(0, 6, 15, 9) | rect(7, 4, 8, 11);
}
Mask sliderRight() {
    return mirroredX(sliderLeft());
}
Mask sliderKnob() {
    return rect(4, 1, 11, 14) | rect(3, 2, 12, 13);
}
Mask roundedCapLeft(int top, int bottom) {
    const double r = (bottom - top + 1) / 2.0;
    return disc(top + r, top + r, r) | rect(static_cast<int>(top + r), top, 15, bottom);
}
// A corner of a thin frame whose lines run through the middle of the cell.
Mask roundedCorner() {
    return (ring(12, 12, 3, 5) & rect(0, 0, 11, 11)) | rect(12, 7, 15, 8) | rect(7, 12, 8, 15);
}

// --- The Quake-style consoles (Quake, Hexen II) ----------------------------

struct Console {
    Ramp text;
    Ramp second;
    Ramp gold;
    Ramp frame;
    Ramp panel;
    Stroke stroke;
};

Cells quakeCells(const Console& k) {
    Cells c;
    for (int pos = 1; pos <= 9; ++pos) {
        c[pos] = boxPiece((pos - 1) % 3, (pos - 1) / 3, 2, 3, k.frame, k.panel);
    }
    c[5] = ink(dot(1.5), k.text);
    c[10] = ink(hollowSquare(), k.text);
    c[11] = ink(blockCursor(), k.text);
    c[12] = ink(smallTriangle(), k.text);
    c[13] = ink(rightArrow(), k.text);
    c[14] = ink(dot(2.5), k.text);
    c[15] = ink(dot(3.5), k.text);
    c[16] = ink(letter('[', k.stroke), k.gold);
    c[17] = ink(letter(']', k.stroke), k.gold);
    for (int d = 0; d < 10; ++d) {
        c[18 + d] = ink(letter('0' + d, k.stroke), k.gold);
    }
    c[28] = ink(dot(2), k.text);
    c[29] = tiled(barLeft(2), k.frame);
    c[30] = tiled(barMiddle(2), k.frame);
    c[31] = tiled(barRight(2), k.frame);
    for (int code = 32; code < 127; ++code) {
        c[code] = ink(letter(code, k.stroke), k.text);
        c[code + 128] = ink(letter(code, k.stroke), k.second);
    }
    c[127] = ink(leftArrow(), k.text);
    c[255] = ink(leftArrow(), k.second);

    c[128] = tiled(sliderLeft(), k.frame);
    c[129] = tiled(sliderMiddle(), k.frame);
    c[130] = tiled(sliderRight(), k.frame);
    c[131] = ink(sliderKnob(), k.text);
    const Mask light = disc(8, 8, 4.5);
    c[132] = ink(light, kLightWhite);
    c[133] = ink(light, kLightOff);
    c[134] = ink(light, kLightGreen);
    c[135] = ink(light, kLightRed);
    c[136] = ink(light, kLightYellow);
    c[137] = ink(light, kLightBlue);
    c[138] = ink(hollowSquare(), k.second);
    c[139] = ink(rect(1, 1, 14, 14), kLightRed);
    c[140] = ink(smallTriangle(), k.second);
    c[141] = ink(rightArrow(), k.second);
    c[142] = ink(dot(2.5), k.second);
    c[143] = ink(dot(3.5), k.second);
    for (int i = 16; i < 28; ++i) {
        c[128 + i] = c[i];
    }
    c[156] = ink(dot(1.5), k.second);
    c[157] = tiled(barLeft(2), k.second);
    c[158] = tiled(barMiddle(2), k.second);
    c[159] = tiled(barRight(2), k.second);
    return c;
}

// --- Quake II ---------------------------------------------------------------

// Codes 0-31; the same pieces recur at 128-159 with `ink` in the second colour.
Cell q2Piece(int code, const Ramp& ink_) {
    if (code >= 1 && code <= 9) {
        return boxPiece((code - 1) % 3, (code - 1) / 3, 1, 3, kQ2Steel, kQ2Panel);
    }
    if (code >= 18 && code <= 26) {
        const int i = code - 18;
        return boxPiece(i % 3, i / 3, 12, 2, kQ2Steel, kQ2Panel);
    }
    switch (code) {
        case 10:
            return ink(hollowSquare(), ink_);
        case 11:
            return ink(blockCursor(), ink_);
        case 12:
            return ink(smallTriangle(), ink_);
        case 13:
            return ink(rightArrow(), ink_);
        case 14:
        case 27:
            return ink(dot(2), ink_);
        case 15:
        case 28:
            return ink(dot(3), ink_);
        case 16:
            return ink(letter('[', Stroke::Bold), kQ2Amber);
        case 17:
            return ink(letter(']', Stroke::Bold), kQ2Amber);
        case 29:
            return tiled(barLeft(2), ink_);
        case 30:
            return tiled(barMiddle(2), ink_);
        case 31:
            return tiled(barRight(2), ink_);
        default:
            return {};
    }
}

Cells quake2Cells() {
    Cells c;
    for (int code = 0; code < 32; ++code) {
        c[code] = q2Piece(code, kQ2Text);
        c[code + 128] = q2Piece(code, kQ2Green);
    }
    for (int code = 32; code < 127; ++code) {
        c[code] = ink(letter(code, Stroke::Bold), kQ2Text);
        c[code + 128] = ink(letter(code, Stroke::Bold), kQ2Green);
    }
    c[127] = ink(leftArrow(), kQ2Text);
    c[255] = ink(leftArrow(), kQ2Green);
    c[128] = tiled(sliderLeft(), kQ2Steel);
    c[129] = tiled(sliderMiddle(), kQ2Steel);
    c[130] = tiled(sliderRight(), kQ2Steel);
    c[131] = ink(sliderKnob(), kQ2Text);
    return c;
}

// --- JumpGate -----------------------------------------------------------------

Cells jumpGateCells() {
    Cells c;
    const Cell box = ink(rect(4, 3, 11, 12) - rect(5, 4, 10, 11), kJumpBox);
    for (int code = 1; code < 256; ++code) {
        const Mask shape = cp1252Shape(code);
        const bool blank = code == 0x20 || code == 0xA0;
        c[code] = shape.empty() && !blank ? box : ink(centred(shape), kJumpText);
    }
    return c;
}

// --- Quake III --------------------------------------------------------------

Cells quake3Cells(const Ramp& r) {
    Cells c;
    const Ramp thin = dimmed(r, 0.72);
    const Mask frameTop = rect(0, 7, 15, 8);
    const Mask frameSide = rect(7, 0, 8, 15);
    const Mask cap = roundedCapLeft(4, 11);
    const Mask upCap = disc(8, 8, 4) | rect(4, 8, 11, 15);

    c[1] = ink(dot(2.5), r);
    c[2] = tiled(cap, r);
    c[3] = tiled(rect(0, 4, 15, 11), r);
    c[4] = tiled(mirroredX(cap), r);
    c[5] = ink(rect(6, 0, 9, 15), r);
    c[6] = ink(rect(4, 0, 11, 15), r);
    c[7] = ink(rect(1, 0, 14, 15), r);
    c[8] = ink(rect(3, 0, 12, 15) - rect(5, 2, 10, 13), r);
    c[9] = ink(dot(1.5), r);
    c[10] = ink(rect(1, 13, 14, 15), r);
    c[11] = ink(blockCursor(), r);
    c[12] = tiled(roundedCorner(), r);
    c[13] = ink(polygon({{4, 2}, {13, 8}, {4, 14}}), r);
    c[14] = tiled(frameTop, r);
    c[15] = tiled(mirroredX(roundedCorner()), r);
    c[16] = ink(letter('[', Stroke::SmoothBold), r);
    c[17] = ink(letter(']', Stroke::SmoothBold), r);
    c[18] = tiled(frameSide, r);
    c[19] = tiled(frameSide, r);
    c[20] = tiled(mirroredY(roundedCorner()), r);
    c[21] = tiled(frameTop, r);
    c[22] = tiled(mirroredX(mirroredY(roundedCorner())), r);
    c[23] = tiled(upCap, r);
    c[24] = tiled(rect(4, 0, 11, 15), r);
    c[25] = tiled(mirroredY(upCap), r);
    c[26] = ink(rect(5, 5, 10, 10), r);
    c[27] = ink(ring(8, 8, 3, 5), r);
    c[28] = ink(dot(2), r);
    const Mask sep = roundedCapLeft(6, 9);
    c[29] = tiled(sep, r);
    c[30] = tiled(rect(0, 6, 15, 9), r);
    c[31] = tiled(mirroredX(sep), r);

    for (int code = 32; code < 127; ++code) {
        c[code] = ink(letter(code, Stroke::SmoothBold), r);
        c[code + 128] = ink(letter(code, Stroke::Smooth), thin);
    }
    c[127] = ink(leftArrow(), r);
    c[255] = ink(leftArrow(), thin);

    const Mask track = rect(0, 7, 15, 8);
    const Mask sliderEnd = rect(3, 3, 5, 12) | rect(5, 7, 15, 8);
    c[128] = tiled(sliderEnd, r);
    c[129] = tiled(track | rect(7, 5, 8, 10), r);
    c[130] = tiled(mirroredX(sliderEnd), r);
    c[131] = ink(sliderKnob(), r);
    c[132] = ink(rect(1, 1, 14, 14), r);
    const Mask down = polygon({{2, 4}, {14, 4}, {8, 12}});
    c[133] = ink(down, r);
    c[134] = ink(mirroredY(down), r);
    const Mask left = polygon({{12, 2}, {12, 14}, {4, 8}});
    c[135] = ink(left, r);
    c[136] = ink(mirroredX(left), r);
    const Mask box = rect(2, 2, 13, 13) - rect(4, 4, 11, 11);
    c[137] = ink(box, r);
    c[138] = ink(box | rect(6, 6, 9, 9), r);
    // A square-cornered frame: pieces 139-147 in reading order.
    const Mask corner = rect(7, 7, 15, 8) | rect(7, 7, 8, 15);
    c[139] = tiled(corner, r);
    c[140] = tiled(frameTop, r);
    c[141] = tiled(mirroredX(corner), r);
    c[142] = tiled(frameSide, r);
    c[143] = tiled(frameTop | frameSide, r);
    c[144] = tiled(frameSide, r);
    c[145] = tiled(mirroredY(corner), r);
    c[146] = tiled(frameTop, r);
    c[147] = tiled(mirroredX(mirroredY(corner)), r);
    c[148] = ink(dot(3), r);
    c[149] = ink(ring(8, 8, 3.5, 5.5), r);
    c[150] = ink(rect(0, 0, 15, 7), r);
    c[151] = ink(rect(0, 8, 15, 15), r);
    c[152] = ink(rect(0, 0, 7, 15), r);
    c[153] = ink(rect(8, 0, 15, 15), r);
    c[154] = ink(polygon({{8, 1}, {15, 8}, {8, 15}, {1, 8}}), r);
    c[155] = ink(polygon({{8, 4}, {12, 8}, {8, 12}, {4, 8}}), r);
    c[156] = ink(rect(6, 6, 9, 9), r);
    const Mask thinCap = roundedCapLeft(7, 8);
    c[157] = tiled(thinCap, r);
    c[158] = tiled(track, r);
    c[159] = tiled(mirroredX(thinCap), r);
    return c;
}

// --- The list -----------------------------------------------------------------

struct Entry {
    QString label;
    Look look;
    std::function<Cells()> cells;
};

Entry q3Entry(const char16_t* colour, const Ramp& ramp, Look look = Look::Quake3) {
    return {QStringLiteral("Quake III %1").arg(QString::fromUtf16(colour)), look,
            [ramp] { return quake3Cells(ramp); }};
}

// How each sheet of the list is drawn. No default: a sheet added to the list
// without a drawing here fails to compile.
Entry entry(BuiltInSheet sheet) {
    switch (sheet) {
        case BuiltInSheet::QuakeWorld:
            return {QStringLiteral("Quake / QuakeWorld"), Look::Quake, [] {
                        return quakeCells(
                            {kQuakeText, kQuakeRust, kGold, kQuakeIron, kQuakePanel, Stroke::Bold});
                    }};
        case BuiltInSheet::Quake2:
            return {QStringLiteral("Quake II"), Look::Quake2, quake2Cells};
        case BuiltInSheet::Hexen2:
            return {QStringLiteral("Hexen II"), Look::Hexen, [] {
                        return quakeCells({kHexenText, kHexenRed, kBronze, kHexenStone, kHexenPanel,
                                           Stroke::Serif});
                    }};
        case BuiltInSheet::JumpGate:
            return {QStringLiteral("JumpGate"), Look::JumpGate, jumpGateCells};
        case BuiltInSheet::Q3White:
            return q3Entry(u"white", q3Ramp(qRgb(255, 255, 255)));
        case BuiltInSheet::Q3Red:
            return q3Entry(u"red", q3Ramp(qRgb(240, 28, 28)));
        case BuiltInSheet::Q3Black:
            return q3Entry(u"black", kQ3Black, Look::Quake3Outline);
        case BuiltInSheet::Q3Magenta:
            return q3Entry(u"magenta", q3Ramp(qRgb(236, 44, 236)));
        case BuiltInSheet::Q3Green:
            return q3Entry(u"green", q3Ramp(qRgb(44, 226, 44)));
        case BuiltInSheet::Q3Yellow:
            return q3Entry(u"yellow", q3Ramp(qRgb(250, 226, 36)));
        case BuiltInSheet::Q3Blue:
            return q3Entry(u"blue", q3Ramp(qRgb(56, 84, 255)));
        case BuiltInSheet::Q3Cyan:
            return q3Entry(u"cyan", q3Ramp(qRgb(36, 226, 234)));
    }
    Q_UNREACHABLE();
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> list = [] {
        std::vector<Entry> e;
        for (std::size_t i = 0; i < kBuiltInSheetFiles.size(); ++i) {
            e.push_back(entry(static_cast<BuiltInSheet>(i)));
        }
        return e;
    }();
    return list;
}

}  // namespace

const std::vector<SheetInfo>& builtInSheets() {
    static const std::vector<SheetInfo> list = [] {
        std::vector<SheetInfo> out;
        for (std::size_t i = 0; i < kBuiltInSheetFiles.size(); ++i) {
            out.push_back({QString::fromUtf16(kBuiltInSheetFiles[i]), entries()[i].label});
        }
        return out;
    }();
    return list;
}

QImage drawSheet(std::size_t index) {
    const Entry& e = entries().at(index);
    QImage sheet(256, 256, QImage::Format_RGB32);
    sheet.fill(qRgb(0, 0, 0));
    const Cells cells = e.cells();
    for (int code = 0; code < 256; ++code) {
        paintCell(sheet, code, cells[code], e.look);
    }
    return sheet;
}

QByteArray sheetGif(std::size_t index) {
    return encodeGif(drawSheet(index));
}

}  // namespace vtl::sheets
