#include <gtest/gtest.h>

#include <set>

#include "modes/ColourSet.h"
#include "modes/ColourSets.h"
#include "modes/TextGames.h"

namespace vtl {
namespace {

struct SetRow {
    const char* name;
    ColourSyntax syntax;
    int size;
    const char16_t* eight;  // ^8's name in the colour list
    const char16_t* nine;
};

const SetRow kSets[] = {
    {"Urban Terror", ColourSyntax::UrbanTerror, 10, u"Orange", u"Olive"},
    {"OpenJK", ColourSyntax::OpenJK, 10, u"Orange", u"Grey"},
    {"Warfork", ColourSyntax::Warfork, 10, u"Orange", u"Grey"},
    {"ET: Legacy", ColourSyntax::EtLegacy, 32, u"Orange", u"Grey"},
};

TEST(ColourSets, eachGame_listsItsColoursInTableOrder_blackWrittenCaretZero) {
    for (const SetRow& row : kSets) {
        SCOPED_TRACE(row.name);
        const auto set = colourSet(row.syntax);
        ASSERT_EQ(static_cast<int>(set.size()), row.size);
        std::set<QString> names;
        for (std::size_t i = 0; i < set.size(); ++i) {
            // The list's row i is the game's colour i: the code picks it back.
            EXPECT_EQ(colourOfCode(row.syntax, set[i].code[1]), qRgbOf(set[i].rgb)) << i;
            EXPECT_EQ(colourCodeLength(row.syntax, colourCode(set[i]).append('A'), 0), 2) << i;
            names.insert(QString::fromUtf16(set[i].name));
        }
        EXPECT_EQ(static_cast<int>(names.size()), row.size) << "every colour has its own name";
        EXPECT_EQ(QString::fromUtf16(set[0].name), u"Black");
        EXPECT_EQ(colourCode(set[0]), "^0");
        EXPECT_EQ(qRgbOf(set[0].rgb), qRgb(0, 0, 0));
        EXPECT_EQ(QString::fromUtf16(set[8].name), QString::fromUtf16(row.eight));
        EXPECT_EQ(QString::fromUtf16(set[9].name), QString::fromUtf16(row.nine));
    }
}

TEST(ColourSets, etLegacy_codesAfterNine_andWrapEvery32) {
    const auto set = colourSet(ColourSyntax::EtLegacy);
    EXPECT_STREQ(set[10].code, "^:");
    EXPECT_STREQ(set[31].code, "^O");
    EXPECT_EQ(colourOfCode(ColourSyntax::EtLegacy, 'a'), colourOfCode(ColourSyntax::EtLegacy, 'A'));
    EXPECT_EQ(colourOfCode(ColourSyntax::EtLegacy, 'p'), qRgb(0, 0, 0));  // 'p' is '0' + 64
    EXPECT_EQ(colourOfCode(ColourSyntax::EtLegacy, '*'), std::nullopt);   // the base colour
}

// Which second characters make a colour code, per game.
struct CodeRow {
    const char* name;
    ColourSyntax syntax;
    QByteArray text;
    int length;  // colourCodeLength at 0
    bool escape;
};

const CodeRow kCodes[] = {
    {"UrT digit", ColourSyntax::UrbanTerror, "^5x", 2, false},
    {"UrT letter is text", ColourSyntax::UrbanTerror, "^ax", 0, false},
    {"OpenJK letter is text", ColourSyntax::OpenJK, "^Ax", 0, false},
    {"Warfork digit", ColourSyntax::Warfork, "^9x", 2, false},
    {"Warfork caret caret is a caret", ColourSyntax::Warfork, "^^x", 0, true},
    {"OpenJK caret caret is text", ColourSyntax::OpenJK, "^^x", 0, false},
    {"ETL colon", ColourSyntax::EtLegacy, "^:x", 2, false},
    {"ETL star", ColourSyntax::EtLegacy, "^*x", 2, false},
    {"ETL caret caret is text", ColourSyntax::EtLegacy, "^^x", 0, false},
    {"ETL caret space is text", ColourSyntax::EtLegacy, "^ x", 0, false},
    {"ETL swallows a UTF-8 lead byte", ColourSyntax::EtLegacy, "^\xC3\xA9", 2, false},
    {"ETL DEL is text", ColourSyntax::EtLegacy, "^\x7Fx", 0, false},
    {"caret at the end", ColourSyntax::EtLegacy, "^", 0, false},
};

TEST(ColourSets, caretRules_perGame) {
    for (const CodeRow& row : kCodes) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(colourCodeLength(row.syntax, row.text, 0), row.length);
        EXPECT_EQ(caretEscapeAt(row.syntax, row.text, 0), row.escape);
    }
}

TEST(ColourSets, whiteSheet_tintedByTheGamesTable) {
    QImage white(256, 256, QImage::Format_RGB32);
    white.fill(Qt::black);
    white.setPixel(5, 5, qRgb(255, 255, 255));
    white.setPixel(6, 5, qRgb(128, 128, 128));
    const QImage glyphs = glyphsOfWhiteSheet(white);
    const QRgb orange = qRgbOf(colourSet(ColourSyntax::UrbanTerror)[8].rgb);
    const QImage shown = sheetInColour(glyphs, orange);
    EXPECT_EQ(shown.pixel(5, 5), orange);
    EXPECT_EQ(shown.pixel(6, 5), qRgb(112, 40, 17));  // half the ink: half the colour
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(TextGames, tableWritesUtf8_exceptWhatCantStandInALine) {
    const CharTable table = textTable();
    for (int code = 0; code < kCodeCount; ++code) {
        const bool blank = code == 0 || code == '\n' || code == '\r';
        EXPECT_EQ(QString::fromUtf8(table[static_cast<std::size_t>(code)]),
                  blank ? QStringLiteral(" ") : QString(QChar(static_cast<char16_t>(code))))
            << code;
    }
}

// What each text game does with every character: ET: Legacy's client drops the
// bytes 80-A0, so the second bytes of U+0080-U+00A0 and of À-ß and à (C3 80-C3 A0);
// Warfork's server drops every byte above 126.
TEST(TextGames, charFate_everyCodeInBothGames) {
    for (const TextGame game : {TextGame::EtLegacy, TextGame::Warfork}) {
        for (int code = 0; code < kCodeCount; ++code) {
            const bool dropped = game == TextGame::Warfork ? code > 126
                                                           : code >= 0x80 && code <= 0xE0 &&
                                                                 (code <= 0xA0 || code >= 0xC0);
            CharFate want = dropped ? CharFate::Dropped : CharFate::Kept;
            if (code == 0 || code == '\n' || code == '\r') {
                want = CharFate::Blank;
            } else if (code == '"') {
                want = CharFate::BreaksLine;
            } else if (code == ';' || code == '\\') {
                want = CharFate::Refused;
            }
            EXPECT_EQ(charFate(game, code).fate, want) << static_cast<int>(game) << " " << code;
        }
    }
    EXPECT_EQ(charFate(TextGame::EtLegacy, 0xC9).text,
              kEtLegacyDropsText.arg(QStringLiteral("89")));  // É = C3 89
}

}  // namespace
}  // namespace vtl
