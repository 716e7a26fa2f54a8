#include "modes/PlainGif.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vtl {
namespace {

// Why not Qt's reader or giflib: Qt's GIF reader is a plugin, and loading it
// and its decoder (about 70 instructions a pixel) took a sixth of what the
// program adds to a bare window's start; giflib takes about 35. Writing each
// code's string straight into the picture takes a few. Only the plain case is
// decoded here: whatever is unusual goes to Qt's reader, and the fuzz target
// "picture" checks that every picture decoded here is Qt's to the bit.

constexpr int kMaxCodes = 4096;

class Bytes {
  public:
    explicit Bytes(QByteArrayView data) : data_(data) {}
    bool has(qsizetype n) const { return at_ + n <= data_.size(); }
    int byte() { return static_cast<std::uint8_t>(data_[at_++]); }
    int word() {
        const int low = byte();
        return low | byte() << 8;
    }
    int peek(qsizetype ahead) const { return static_cast<std::uint8_t>(data_[at_ + ahead]); }
    void skip(qsizetype n) { at_ += n; }

    // The sub-blocks up to the empty one, joined; nothing when the data ends first.
    std::optional<std::vector<std::uint8_t>> subBlocks() {
        std::vector<std::uint8_t> joined;
        for (;;) {
            if (!has(1)) {
                return std::nullopt;
            }
            const int length = byte();
            if (length == 0) {
                return joined;
            }
            if (!has(length)) {
                return std::nullopt;
            }
            joined.insert(joined.end(), data_.begin() + at_, data_.begin() + at_ + length);
            at_ += length;
        }
    }

  private:
    QByteArrayView data_;
    qsizetype at_ = 0;
};

// Fills `out` (exactly `count` pixels) from the LZW stream; false for any
// stream that is not a plain, whole one.
bool decodeLzw(const std::vector<std::uint8_t>& stream, int minCodeSize, const QRgb* colours,
               int colourCount, QRgb* out, qsizetype count) {
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    std::array<std::uint16_t, kMaxCodes> prefix{};
    std::array<std::uint8_t, kMaxCodes> suffix{};
    std::array<std::uint16_t, kMaxCodes> length{};
    for (int i = 0; i < clear; ++i) {
        suffix[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        length[static_cast<std::size_t>(i)] = 1;
    }
    int codeSize = minCodeSize + 1;
    int next = clear + 2;
    int old = -1;
    int first = 0;  // the first pixel of the previous code's string
    qsizetype done = 0;
    std::uint64_t bits = 0;
    int held = 0;
    std::size_t at = 0;
    for (;;) {
        while (held < codeSize && at < stream.size()) {
            bits |= std::uint64_t{stream[at++]} << held;
            held += 8;
        }
        if (held < codeSize) {
            break;  // the data ends without an end code
        }
        const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        held -= codeSize;
        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = clear + 2;
            old = -1;
            continue;
        }
        if (code == end) {
            break;
        }
        if (code < clear && code >= colourCount) {
            return false;  // a colour outside the palette
        }
        if (old < 0) {
            if (code >= clear || done == count) {
                return false;
            }
            out[done++] = colours[code];
            old = first = code;
            continue;
        }
        // The string is the code's own, or (the code about to be made) the
        // previous one's and its first pixel.
        const int from = code < next ? code : old;
        if (code > next) {
            return false;
        }
        const qsizetype n = length[static_cast<std::size_t>(from)] + (code == next ? 1 : 0);
        if (n > count - done) {
            return false;
        }
        QRgb* pixel = out + done + length[static_cast<std::size_t>(from)] - 1;
        int c = from;
        while (c >= clear) {
            *pixel-- = colours[suffix[static_cast<std::size_t>(c)]];
            c = prefix[static_cast<std::size_t>(c)];
        }
        *pixel = colours[c];
        if (code == next) {
            out[done + n - 1] = colours[first];
        } else {
            first = c;
        }
        if (next < kMaxCodes) {
            prefix[static_cast<std::size_t>(next)] = static_cast<std::uint16_t>(old);
            suffix[static_cast<std::size_t>(next)] = static_cast<std::uint8_t>(first);
            length[static_cast<std::size_t>(next)] =
                static_cast<std::uint16_t>(length[static_cast<std::size_t>(old)] + 1);
            ++next;
            if (next == 1 << codeSize && codeSize < 12) {
                ++codeSize;
            }
        }
        old = code;
        done += n;
    }
    return done == count;
}

}  // namespace

std::optional<QImage> plainGif(QByteArrayView data, qint64 maxPixels) {
    if (!data.startsWith("GIF87a") && !data.startsWith("GIF89a")) {
        return std::nullopt;
    }
    Bytes in(data);
    in.skip(6);
    if (!in.has(7)) {
        return std::nullopt;
    }
    const int width = in.word();
    const int height = in.word();
    const int screenFlags = in.byte();
    in.skip(2);
    auto colourTable = [&in](int flags, std::array<QRgb, 256>& colours) {
        const int count = 2 << (flags & 0x07);
        if (!in.has(3 * count)) {
            return 0;
        }
        for (int i = 0; i < count; ++i) {
            const int r = in.byte();
            const int g = in.byte();
            colours[static_cast<std::size_t>(i)] = qRgb(r, g, in.byte());
        }
        return count;
    };
    std::array<QRgb, 256> colours{};
    int colourCount = (screenFlags & 0x80) ? colourTable(screenFlags, colours) : 0;

    // Extensions up to the picture. A transparent colour, or an extension
    // block Qt's reader would take differently (an empty first sub-block),
    // is left to Qt.
    for (;;) {
        if (!in.has(2)) {
            return std::nullopt;
        }
        const int introducer = in.byte();
        if (introducer == 0x2C) {
            break;
        }
        if (introducer != 0x21) {
            return std::nullopt;
        }
        const int label = in.byte();
        if (!in.has(2)) {
            return std::nullopt;
        }
        const bool transparent = label == 0xF9 && (in.peek(1) & 0x01);
        if (in.peek(0) == 0 || transparent || !in.subBlocks()) {
            return std::nullopt;
        }
    }
    if (!in.has(9)) {
        return std::nullopt;
    }
    const int left = in.word();
    const int top = in.word();
    const int imageWidth = in.word();
    const int imageHeight = in.word();
    const int imageFlags = in.byte();
    if (imageFlags & 0x80) {
        colourCount = colourTable(imageFlags, colours);
    }
    const bool interlaced = imageFlags & 0x40;
    if (left != 0 || top != 0 || imageWidth != width || imageHeight != height || width == 0 ||
        height == 0 || qint64{width} * height > maxPixels || interlaced || colourCount == 0 ||
        !in.has(1)) {
        return std::nullopt;
    }
    const int minCodeSize = in.byte();
    const std::optional<std::vector<std::uint8_t>> stream = in.subBlocks();
    if (minCodeSize < 2 || minCodeSize > 8 || !stream) {
        return std::nullopt;
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull() || image.bytesPerLine() != qsizetype{width} * 4) {
        return std::nullopt;
    }
    if (!decodeLzw(*stream, minCodeSize, colours.data(), colourCount,
                   reinterpret_cast<QRgb*>(image.bits()), qsizetype{width} * height)) {
        return std::nullopt;
    }
    return image;
}

}  // namespace vtl
