#include <gtest/gtest.h>

#include <QFile>

#include <set>

#include "charset/FontSheet.h"
#include "modes/ColourSet.h"
#include "modes/ColourSets.h"
#include "modes/TextGames.h"

namespace vtl {
namespace {

// ---- Colour sets -------------------------------------------------------------

struct SetRow {
    const char* name;
    ColourSyntax syntax;
    int size;
    const char16_t* eight;  // ^8's name
    QRgb eightRgb;
    const char16_t* nine;
    QRgb nineRgb;
};

const SetRow kSets[] = {
    {"Urban Terror", ColourSyntax::UrbanTerror, 10, u"Orange", qRgb(224, 79, 33), u"Olive",
     qRgb(74, 77, 48)},
    {"OpenJK", ColourSyntax::OpenJK, 10, u"Orange", qRgb(255, 128, 0), u"Grey",
     qRgb(128, 128, 128)},
    {"Warfork", ColourSyntax::Warfork, 10, u"Orange", qRgb(255, 128, 0), u"Grey",
     qRgb(128, 128, 128)},
    {"ET: Legacy", ColourSyntax::EtLegacy, 32, u"Orange", qRgb(255, 128, 0), u"Grey",
     qRgb(128, 128, 128)},
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
        EXPECT_EQ(qRgbOf(set[8].rgb), row.eightRgb);
        EXPECT_EQ(QString::fromUtf16(set[9].name), QString::fromUtf16(row.nine));
        EXPECT_EQ(qRgbOf(set[9].rgb), row.nineRgb);
        for (int digit = 0; digit <= 9; ++digit) {
            const std::optional<int> pick = colourRowOfDigit(row.syntax, digit);
            ASSERT_TRUE(pick.has_value());
            EXPECT_EQ(colourCode(set[static_cast<std::size_t>(*pick)]),
                      QByteArray("^").append(char('0' + digit)));
        }
    }
}

TEST(ColourSets, etLegacy_codesAfterNine_andWrapEvery32) {
    const auto set = colourSet(ColourSyntax::EtLegacy);
    EXPECT_STREQ(set[10].code, "^:");
    EXPECT_STREQ(set[31].code, "^O");
    EXPECT_EQ(qRgbOf(set[31].rgb), qRgb(255, 255, 128));
    EXPECT_EQ(colourOfCode(ColourSyntax::EtLegacy, 'a'), colourOfCode(ColourSyntax::EtLegacy, 'A'));
    EXPECT_EQ(colourOfCode(ColourSyntax::EtLegacy, 'p'), qRgb(0, 0, 0));  // 'p' is '0' + 64
    EXPECT_EQ(colourOfCode(ColourSyntax::EtLegacy, '*'), std::nullopt);   // the base colour
    EXPECT_EQ(colourRowOfDigit(ColourSyntax::QuakeLive, 8), std::nullopt);
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

// ---- Text games -------------------------------------------------------------

TEST(TextGames, picksWriteUtf8_exceptWhatCantStandInALine) {
    const CharTable table = textTable();
    EXPECT_EQ(table['A'], "A");
    EXPECT_EQ(table[0xE9], "\xC3\xA9");  // é
    EXPECT_EQ(table[0xC9], "\xC3\x89");  // É
    EXPECT_EQ(table[0x80], "\xC2\x80");
    EXPECT_EQ(table[0xFF], "\xC3\xBF");
    EXPECT_EQ(table['"'], "\"");
    for (int code : {0, int('\n'), int('\r')}) {
        EXPECT_EQ(table[static_cast<std::size_t>(code)], " ") << code;
    }
    // Every other code decodes back to its own character.
    for (int code = 1; code < kCodeCount; ++code) {
        if (code == '\n' || code == '\r') {
            continue;
        }
        const QString back = QString::fromUtf8(table[static_cast<std::size_t>(code)]);
        ASSERT_EQ(back.size(), 1);
        EXPECT_EQ(back[0].unicode(), code);
    }
}

TEST(TextGames, etLegacyClientDrops_secondBytesOfAgraveToSzlig_andAgrave) {
    std::set<int> dropped;
    for (int code = 0; code < kCodeCount; ++code) {
        if (charFate(TextGame::EtLegacy, code).fate == CharFate::Dropped) {
            dropped.insert(code);
        }
    }
    std::set<int> expected;
    for (int code = 0x80; code <= 0xA0; ++code) {
        expected.insert(code);
    }
    for (int code = 0xC0; code <= 0xE0; ++code) {  // À-ß and à: C3 80-C3 A0
        expected.insert(code);
    }
    EXPECT_EQ(dropped, expected);
    EXPECT_EQ(charFate(TextGame::EtLegacy, 0xC9).text,
              kEtLegacyDropsText.arg(QStringLiteral("89")));             // É = C3 89
    EXPECT_EQ(charFate(TextGame::EtLegacy, 0xE9).fate, CharFate::Kept);  // é = C3 A9
    EXPECT_EQ(charFate(TextGame::EtLegacy, 0xE1).fate, CharFate::Kept);  // á
}

TEST(TextGames, warforkServerDrops_everythingAbove126) {
    for (int code = 0; code < kCodeCount; ++code) {
        const CharFate fate = charFate(TextGame::Warfork, code).fate;
        if (code >= 127) {
            EXPECT_EQ(fate, CharFate::Dropped) << code;
        } else if (code >= 32 && code != '"' && code != ';' && code != '\\') {
            EXPECT_EQ(fate, CharFate::Kept) << code;
        }
    }
}

TEST(TextGames, lineBreakersAndRefusedCharacters_areMarked) {
    for (TextGame game : {TextGame::EtLegacy, TextGame::Warfork}) {
        EXPECT_EQ(charFate(game, '"').fate, CharFate::BreaksLine);
        EXPECT_EQ(charFate(game, ';').fate, CharFate::Refused);
        EXPECT_EQ(charFate(game, '\\').fate, CharFate::Refused);
        EXPECT_EQ(charFate(game, '\n').fate, CharFate::Blank);
    }
}

// ---- Font sheet --------------------------------------------------------------

bool cellHasInk(const QImage& sheet, int code) {
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (qAlpha(sheet.pixel(code % 16 * 16 + x, code / 16 * 16 + y)) > 0) {
                return true;
            }
        }
    }
    return false;
}

TEST(FontSheet, jetBrainsMono_drawsLatin1_leavesControlsEmpty) {
    const QString path =
        QStringLiteral("/usr/share/fonts/truetype/jetbrains-mono/JetBrainsMono-SemiBold.ttf");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "fonts-jetbrains-mono is not installed";
    }
    const std::optional<QRawFont> font = charset::fontFromData(file.readAll());
    ASSERT_TRUE(font.has_value());
    const QImage sheet = charset::fontSheet(*font);
    EXPECT_EQ(sheet.size(), QSize(256, 256));
    for (int code : {int('A'), int('g'), int('~'), 0xE9, 0xC9, 0xFF, 0xDF}) {
        EXPECT_TRUE(cellHasInk(sheet, code)) << code;
    }
    for (int code : {0, 9, 0x1F, int(' '), 0x7F, 0x85}) {
        EXPECT_FALSE(cellHasInk(sheet, code)) << code;
    }
    EXPECT_FALSE(charset::fontFromData("not a font").has_value());
}

TEST(FontSheet, locateFont_prefersTheFile_thenFallsBackToAStandIn) {
    const charset::LocatedFont found =
        charset::locateFont({QStringLiteral("/nonexistent"),
                             QStringLiteral("/usr/share/fonts/truetype/jetbrains-mono")},
                            {QStringLiteral("JetBrainsMono-SemiBold.ttf")}, {});
    if (found.standIn) {
        GTEST_SKIP() << "fonts-jetbrains-mono is not installed";
    }
    EXPECT_TRUE(found.source.endsWith(u"JetBrainsMono-SemiBold.ttf"));
    const charset::LocatedFont standIn =
        charset::locateFont({}, {}, {QStringLiteral("No Such Family 1234")});
    EXPECT_TRUE(standIn.standIn);
    EXPECT_TRUE(standIn.font.isValid());
}

}  // namespace
}  // namespace vtl
