#include "modes/XonoticText.h"

#include "colour/ColourSets.h"

namespace vtl {

namespace {

bool writtenAsAscii(int code) {
    return code >= 0x20 && code < 0x7F && code != '"' && code != '\\';
}

}  // namespace

QByteArray xonoticGlyphBytes(int code) {
    if (code == '$') {
        return QByteArrayLiteral("$$");
    }
    if (code == '^') {
        return QByteArrayLiteral("^^");
    }
    if (writtenAsAscii(code)) {
        return QByteArray(1, static_cast<char>(code));
    }
    const char32_t point = kQuakeGlyphBase + static_cast<char32_t>(code & 0xFF);
    const char utf8[] = {static_cast<char>(0xE0 | (point >> 12)),
                         static_cast<char>(0x80 | ((point >> 6) & 0x3F)),
                         static_cast<char>(0x80 | (point & 0x3F))};
    return QByteArray(utf8, sizeof utf8);
}

CharTable xonoticTable() {
    CharTable table;
    for (int code = 0; code < kCodeCount; ++code) {
        table[static_cast<std::size_t>(code)] = xonoticGlyphBytes(code);
    }
    return table;
}

XonoticName readXonoticName(QByteArrayView bytes) {
    XonoticName name;
    QByteArray colour;
    QByteArray pending;  // codes read since the last glyph
    const auto add = [&](int code, QByteArrayView from) {
        name.glyphs.push_back(XonoticGlyph{code, colour, pending + from.toByteArray()});
        pending.clear();
    };
    for (qsizetype i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (const qsizetype length = colour::darkPlacesCodeLength(bytes, i)) {
            colour = bytes.sliced(i, length).toByteArray();
            pending += colour;
            i += length;
        } else if ((byte == '$' || byte == '^') && i + 1 < bytes.size() &&
                   bytes[i + 1] == bytes[i]) {
            add(byte, bytes.sliced(i, 2));
            i += 2;
        } else if (byte >= 0x20 && byte < 0x7F) {
            add(byte, bytes.sliced(i, 1));
            i += 1;
        } else if (byte == 0xEE && i + 2 < bytes.size() &&
                   (static_cast<unsigned char>(bytes[i + 1]) & 0xFC) == 0x80 &&
                   (static_cast<unsigned char>(bytes[i + 2]) & 0xC0) == 0x80) {
            const int code = ((static_cast<unsigned char>(bytes[i + 1]) & 0x03) << 6) |
                             (static_cast<unsigned char>(bytes[i + 2]) & 0x3F);
            add(code, bytes.sliced(i, 3));
            i += 3;
        } else {
            if (!name.badBytes.contains(bytes[i])) {
                name.badBytes += bytes[i];
            }
            ++i;
        }
    }
    return name;
}

}  // namespace vtl
