#include "modes/PictureLength.h"

#include <QBuffer>

#include <optional>

namespace vtl {
namespace {

// No glyph sheet's structure runs this far into a file; a check that would
// have to look further calls the picture incomplete rather than read on.
constexpr qint64 kMaxExaminedBytes = qint64{64} << 20;

// The bytes a check asks for, read a window at a time: a file with a huge
// tail costs no more time or memory than the picture in front of it.
class ByteSource {
  public:
    explicit ByteSource(QIODevice& device) : device_(device), size_(device.size()) {}

    qint64 size() const { return size_; }

    std::optional<quint8> at(qint64 i) {
        if (i < 0 || i >= size_ || i >= kMaxExaminedBytes) {
            return std::nullopt;
        }
        if (i < start_ || i >= start_ + window_.size()) {
            if (!device_.seek(i)) {
                return std::nullopt;
            }
            window_ = device_.read(kWindowBytes);
            start_ = i;
            if (window_.isEmpty()) {
                return std::nullopt;
            }
        }
        return static_cast<quint8>(window_[i - start_]);
    }

    // Little-endian; "no" past the end instead of reading it.
    std::optional<quint32> le(qint64 at, int bytes) {
        quint32 value = 0;
        for (int i = bytes - 1; i >= 0; --i) {
            const std::optional<quint8> byte = this->at(at + i);
            if (!byte) {
                return std::nullopt;
            }
            value = (value << 8) | *byte;
        }
        return value;
    }

    bool startsWith(const QByteArray& signature) {
        for (qsizetype i = 0; i < signature.size(); ++i) {
            if (at(i) != static_cast<quint8>(signature[i])) {
                return false;
            }
        }
        return true;
    }

  private:
    static constexpr qint64 kWindowBytes = 64 * 1024;
    QIODevice& device_;
    const qint64 size_;
    qint64 start_ = 0;
    QByteArray window_;
};

// Walks the segments to the EOI marker. Inside scan data a 0xFF byte is
// followed by a stuffed 0x00, a restart marker or fill, so the first other
// marker after it ends the scan.
std::optional<qint64> jpegLength(ByteSource& data) {
    qint64 at = 2;
    for (;;) {
        if (data.at(at) != 0xFF) {
            return std::nullopt;
        }
        while (data.at(at) == 0xFF) {
            ++at;
        }
        const std::optional<quint8> marker = data.at(at++);
        if (!marker) {
            return std::nullopt;
        }
        if (*marker == 0xD9) {
            return at;
        }
        if ((*marker >= 0xD0 && *marker <= 0xD7) || *marker == 0x01) {
            continue;  // markers without a length
        }
        const std::optional<quint8> high = data.at(at);
        const std::optional<quint8> low = data.at(at + 1);
        if (!high || !low || (*high << 8 | *low) < 2) {
            return std::nullopt;
        }
        at += *high << 8 | *low;
        if (*marker != 0xDA) {
            continue;
        }
        for (;;) {
            const std::optional<quint8> byte = data.at(at);
            if (!byte) {
                return std::nullopt;
            }
            if (*byte != 0xFF) {
                ++at;
                continue;
            }
            const std::optional<quint8> next = data.at(at + 1);
            if (!next) {
                return std::nullopt;
            }
            if (*next == 0x00 || (*next >= 0xD0 && *next <= 0xD7)) {
                at += 2;
            } else if (*next == 0xFF) {
                ++at;
            } else {
                break;
            }
        }
    }
}

// Walks the block structure up to the trailer.
std::optional<qint64> gifLength(ByteSource& data) {
    auto colourTableSize = [](quint32 flags) {
        return (flags & 0x80) ? 3 * (2 << (flags & 0x07)) : 0;
    };
    auto skipSubBlocks = [&data](qint64 at) -> std::optional<qint64> {
        for (;;) {
            const std::optional<quint8> length = data.at(at);
            if (!length) {
                return std::nullopt;
            }
            at += 1 + *length;
            if (*length == 0) {
                return at;
            }
        }
    };
    const std::optional<quint32> screenFlags = data.le(10, 1);
    if (!screenFlags) {
        return std::nullopt;
    }
    qint64 at = 13 + colourTableSize(*screenFlags);
    for (;;) {
        const std::optional<quint8> block = data.at(at);
        if (!block) {
            return std::nullopt;
        }
        if (*block == 0x3B) {
            return at + 1;
        }
        std::optional<qint64> next;
        if (*block == 0x21) {
            next = skipSubBlocks(at + 2);
        } else if (*block == 0x2C) {
            const std::optional<quint32> imageFlags = data.le(at + 9, 1);
            if (!imageFlags) {
                return std::nullopt;
            }
            // After the descriptor and its colour table: the LZW code size, then the data.
            next = skipSubBlocks(at + 10 + colourTableSize(*imageFlags) + 1);
        } else {
            return std::nullopt;
        }
        if (!next) {
            return std::nullopt;
        }
        at = *next;
    }
}

// Uncompressed rows have a size fixed by the header; compressed ones say
// how many bytes they take (or, saying 0, leave the picture the whole file).
// Only the header is read: the file's size says whether the pixels are there.
std::optional<qint64> bmpLength(ByteSource& data) {
    const auto pixelsAt = data.le(10, 4);
    const auto headerSize = data.le(14, 4);
    if (!pixelsAt || !headerSize) {
        return std::nullopt;
    }
    qint64 width = 0;
    qint64 height = 0;
    std::optional<quint32> bitsPerPixel;
    quint32 compression = 0;
    qint64 imageSize = 0;
    if (*headerSize == 12) {
        const auto w = data.le(18, 2);
        const auto h = data.le(20, 2);
        bitsPerPixel = data.le(24, 2);
        if (!w || !h) {
            return std::nullopt;
        }
        width = *w;
        height = *h;
    } else {
        const auto w = data.le(18, 4);
        const auto h = data.le(22, 4);
        bitsPerPixel = data.le(28, 2);
        const auto c = data.le(30, 4);
        const auto s = data.le(34, 4);
        if (!w || !h || !c || !s) {
            return std::nullopt;
        }
        width = static_cast<qint32>(*w);
        height = static_cast<qint32>(*h);  // negative: rows stored top-down
        compression = *c;
        imageSize = *s;
    }
    if (!bitsPerPixel) {
        return std::nullopt;
    }
    constexpr quint32 kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    qint64 pixelBytes = imageSize;
    if (compression == kRgb || compression == kBitFields || compression == kAlphaBitFields) {
        const qint64 rowBytes = (width * *bitsPerPixel + 31) / 32 * 4;
        pixelBytes = rowBytes * (height < 0 ? -height : height);
    }
    const qint64 end = static_cast<qint64>(*pixelsAt) + pixelBytes;
    if (end > data.size()) {
        return std::nullopt;
    }
    return pixelBytes > 0 ? end : data.size();
}

}  // namespace

std::optional<qint64> pictureLength(QIODevice& device) {
    ByteSource data(device);
    if (data.startsWith(QByteArrayLiteral("\xFF\xD8"))) {
        return jpegLength(data);
    }
    if (data.startsWith(QByteArrayLiteral("GIF8"))) {
        return gifLength(data);
    }
    if (data.startsWith(QByteArrayLiteral("BM"))) {
        return bmpLength(data);
    }
    return data.size();
}

bool pictureIsComplete(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return pictureLength(buffer).has_value();
}

}  // namespace vtl
