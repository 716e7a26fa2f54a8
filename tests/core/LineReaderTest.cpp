#include <gtest/gtest.h>

#include <QBuffer>

#include "core/LineReader.h"

namespace vtl {
namespace {

struct ReadLine {
    QByteArray bytes;
    int number;
    bool cut;
    friend bool operator==(const ReadLine&, const ReadLine&) = default;
};

std::vector<ReadLine> linesOf(const QByteArray& bytes, qsizetype maxLineBytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    LineReader reader(buffer, maxLineBytes);
    std::vector<ReadLine> lines;
    QByteArray line;
    while (reader.next(line)) {
        lines.push_back({line, reader.lineNumber(), reader.lineWasCut()});
    }
    return lines;
}

void PrintTo(const ReadLine& line, std::ostream* os) {
    *os << line.number << ':' << line.bytes.toStdString() << (line.cut ? " (cut)" : "");
}

TEST(LineReader, linesNumbersAndCuts) {
    const QByteArray longLine(200 * 1024, 'x');
    const struct {
        const char* what;
        QByteArray bytes;
        qsizetype max;
        std::vector<ReadLine> lines;
    } cases[] = {
        {"empty", "", 8, {}},
        {"no end", "ab", 8, {{"ab", 1, false}}},
        {"CR kept, empty lines counted",
         "a\r\n\nb\n",
         8,
         {{"a\r", 1, false}, {"", 2, false}, {"b", 3, false}}},
        {"long line cut, next one whole", "abcdefghij\nk", 4, {{"abcd", 1, true}, {"k", 2, false}}},
        {"line across read chunks",
         longLine + "\nz",
         300 * 1024,
         {{longLine, 1, false}, {"z", 2, false}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(linesOf(c.bytes, c.max), c.lines) << c.what;
    }
}

}  // namespace
}  // namespace vtl
