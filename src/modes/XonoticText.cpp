#include "modes/XonoticText.h"

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

}  // namespace vtl
