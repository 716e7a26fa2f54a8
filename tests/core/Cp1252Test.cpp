#include <gtest/gtest.h>

#include "core/Cp1252.h"

namespace vtl {
namespace {

TEST(Cp1252, everyByte_roundTripsThroughDisplayText) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString shown = decodeCp1252(all);
    ASSERT_EQ(shown.size(), 256);
    EXPECT_EQ(shown[0x80], QChar(0x20AC));
    EXPECT_EQ(shown[0x81], QChar(0x0081));
    EXPECT_EQ(shown[0x9A], QChar(0x0161));
    EXPECT_EQ(shown[0xA0], QChar(0x00A0));
    EXPECT_EQ(encodeCp1252(shown), all);
}

TEST(Cp1252, characterOutsideCodePage_becomesQuestionMark) {
    EXPECT_EQ(encodeCp1252(QStringLiteral("a\u4e2db")), QByteArrayLiteral("a?b"));
}

}  // namespace
}  // namespace vtl
