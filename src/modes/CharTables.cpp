#include "modes/CharTables.h"

#include <utility>

namespace vtl {
namespace {

QByteArray byteOf(int code) {
    return QByteArray(1, static_cast<char>(code));
}

CharTable identityTable() {
    CharTable table;
    for (int c = 0; c < kCodeCount; ++c) {
        table[c] = byteOf(c);
    }
    return table;
}

const QByteArray kTag = kLineTag + QByteArray(kVersion);

}  // namespace

CharTable byteTable() {
    CharTable table = identityTable();
    // Code 9 stays a tab: a line feed would end the console line mid-name.
    const std::pair<int, int> exceptions[] = {
        {0, 0x05},   {10, '"'},  {13, 0x0E}, {26, 0x9A},  {96, '\''},
        {127, 0xA6}, {160, ' '}, {162, '"'}, {254, 0xA6}, {255, 0xA0},
    };
    for (const auto& [code, byte] : exceptions) {
        table[code] = byteOf(byte);
    }
    return table;
}

CharTable hexTable() {
    CharTable table;
    for (int c = 0; c < kCodeCount; ++c) {
        table[c] = QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
    }
    return table;
}

CharTable colourTable() {
    CharTable table = identityTable();
    for (int code : {0, 5, 10, 12, 13, 22, 27, 58, 95, 132, 137, 138, 140, 155, 160, 255}) {
        table[code] = QByteArrayLiteral(" ");
    }
    table[4] = byteOf(0x03);
    table[9] = QByteArrayLiteral("   ");
    table[34] = QByteArrayLiteral("~");
    table[96] = QByteArrayLiteral("'");
    return table;
}

QByteArray linePrefix() {
    return QByteArrayLiteral("name \"");
}
QByteArray byteLineSuffix() {
    return '"' + kTag;
}
QByteArray hexLineSuffix() {
    return QByteArrayLiteral("\"u") + kTag;
}
QByteArray colourLineSuffix() {
    return QByteArrayLiteral("^7\"") + kTag;
}

}  // namespace vtl
