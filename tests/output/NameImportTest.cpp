#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <random>

#include "core/NameEditing.h"
#include "modes/CharTables.h"
#include "modes/ColourList.h"
#include "modes/GameModes.h"
#include "output/NameImport.h"
#include "output/NameLoading.h"
#include "output/OutputCommands.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;
using test::AppFolder;
using test::FakeDesktop;
using test::readBytes;
using test::writeBytes;

constexpr int kWhite = 0, kRed = 1, kBlack = 2, kGreen = 4, kBlue = 6;

std::vector<int> codesOf(const DecodedName& name) {
    std::vector<int> codes;
    for (const DecodedGlyph& g : name.glyphs) {
        codes.push_back(g.code.value_or(-1));
    }
    return codes;
}

std::vector<QByteArray> fragmentsOf(const DecodedName& name) {
    std::vector<QByteArray> fragments;
    for (const DecodedGlyph& g : name.glyphs) {
        fragments.push_back(g.fragment);
    }
    return fragments;
}

// Each row is one line of a file; `name` none: not a name line.
TEST(FindNameLines, eachLine_yieldsTheNameTheConsoleWouldSet) {
    const struct {
        const char* what;
        QByteArray line;
        std::optional<QByteArray> name;
    } cases[] = {
        {"seta, any case, tabs", " \tSETA\tName  \"^1Foo^7\"", "^1Foo^7"},
        {"unquoted word", "name Player;echo hi", "Player"},
        {"own line, quote inside", "name \"A\"B\" //VTL G2 v6.3 // VTL G2 v6.3", "A\"B"},
        {"own hex line", "name \"4142\"u //VTL G2 v6.3", "4142"},
        {"first quote closes", "name \"foo\" // said \"hi\"", "foo"},
        {"unterminated", "name \"abc", "abc"},
        {"commented out", "// name \"x\"", std::nullopt},
        {"other setting", "seta name2 \"y\"", std::nullopt},
        {"query only", "name", std::nullopt},
        {"inside a bind", "bind n \"name foo\"", std::nullopt},
    };
    for (const auto& c : cases) {
        const QList<NameLine> found = findNameLines(c.line);
        ASSERT_EQ(found.size(), c.name ? 1 : 0) << c.what;
        if (c.name) {
            EXPECT_EQ(found[0].name, *c.name) << c.what;
        }
    }
    const QList<NameLine> several =
        findNameLines("bind x jump\r\nname \"one\"\r\n\r\nseta name \"two\"\r\n");
    ASSERT_EQ(several.size(), 2);
    EXPECT_EQ(several[1].lineNumber, 4);
    EXPECT_EQ(several[1].line, "seta name \"two\"");

    // Pasted text: name lines, else the text as a bare name.
    EXPECT_EQ(namesInPastedText("\"Foo Bar\"\r\n").value(0).name, "Foo Bar");
    EXPECT_TRUE(namesInPastedText("two\nlines").isEmpty());
}

// Every entry of every table comes back as its own code, or as the lowest
// code where several codes write the same bytes.
TEST(DecodeName, everyCodeOfEveryTable_givesTheLowestCodeWithThatEntry) {
    for (const auto& [table, family] : {std::pair{byteTable(), GameFamily::Plain},
                                        {hexTable(), GameFamily::Plain},
                                        {colourTable(), GameFamily::Colour}}) {
        for (int code = 0; code < kCodeCount; ++code) {
            int lowest = 0;
            while (table[lowest] != table[code]) {
                ++lowest;
            }
            // Framed by A's so that no blank is at an end.
            const DecodedName decoded =
                decodeName(table['A'] + table[code] + table['A'], table, family);
            SCOPED_TRACE(table[code].toStdString() + " code " + std::to_string(code));
            ASSERT_TRUE(decoded.ok());
            if (family == GameFamily::Colour && code == 9) {
                // Three blanks are three blank glyphs: the bytes come back, the one position
                // doesn't.
                EXPECT_EQ(codesOf(decoded), (std::vector<int>{'A', 0, 0, 0, 'A'}));
            } else if (family == GameFamily::Colour && code == '^') {
                // A caret before a glyph is a colour code, as the games read
                // it; with nothing after it, it stays with the glyph before.
                EXPECT_EQ(fragmentsOf(decoded), (std::vector<QByteArray>{"A^A"}));
            } else {
                EXPECT_EQ(codesOf(decoded), (std::vector<int>{'A', lowest, 'A'}));
                EXPECT_EQ(decoded.glyphs[1].fragment, table[code]);
            }
        }
    }
}

TEST(DecodeName, eachName_givesItsPositionsColoursAndBadBytes) {
    const CharTable colour = colourTable(), hex = hexTable(), bytes = byteTable();
    const struct {
        const char* what;
        const CharTable& table;
        QByteArray name;
        std::vector<QByteArray> fragments;
        std::vector<int> rows = {};  // colour names: the colour of each glyph
        QByteArray bad = {};
    } cases[] = {
        {"no code is white", colour, "Ab", {"A", "b"}, {kWhite, kWhite}},
        {"two colours", colour, "^1Ab^4C", {"^1A", "b", "^4C"}, {kRed, kRed, kBlue}},
        {"black", colour, "^^8A", {"^^8A"}, {kBlack}},
        {"caret then colour", colour, "^^1A", {"^", "^1A"}, {kWhite, kRed}},
        {"codes in a row", colour, "^1^2A", {"^1^2A"}, {kGreen}},
        {"any byte after a caret", colour, "^xA", {"^xA"}, {kBlack}},
        {"line's reset dropped", colour, "^1A^7", {"^1A"}, {kRed}},
        {"last glyph a caret", colour, "A^^7", {"A", "^"}, {kWhite, kWhite}},
        {"code at the end kept", colour, "A^1^7", {"A^1"}, {kWhite}},
        {"code before a blank", colour, "A^1 B", {"A", "^1 ", "B"}, {kWhite, kRed, kRed}},
        {"no colour in byte modes", bytes, "^1", {"^", "1"}},
        {"hex pairs and a blank", hex, "41 FF00", {"41", " ", "FF", "00"}},
        {"byte backquote", bytes, "A`B`", {}, {}, "`"},
        {"colour underscore, colon", colour, "Player_1:", {}, {}, "_:"},
        {"hex lower case", hex, "4a", {}, {}, "4a"},
        {"hex odd digit", hex, "414", {}, {}, "4"},
    };
    for (const auto& c : cases) {
        const GameFamily family = &c.table == &colour ? GameFamily::Colour : GameFamily::Plain;
        const DecodedName decoded = decodeName(c.name, c.table, family);
        EXPECT_EQ(decoded.badBytes, c.bad) << c.what;
        if (!c.bad.isEmpty()) {
            continue;
        }
        EXPECT_EQ(fragmentsOf(decoded), c.fragments) << c.what;
        std::vector<int> rows;
        for (const DecodedGlyph& g : decoded.glyphs) {
            rows.push_back(g.colourRow);
        }
        if (!c.rows.empty()) {
            EXPECT_EQ(rows, c.rows) << c.what;
        }
    }
    EXPECT_EQ(codesOf(decodeName("41 ", hex, GameFamily::Plain)), (std::vector<int>{0x41, -1}));
    EXPECT_EQ(badBytesMessage(QByteArray("`\xFF\0", 3)),
              u"The name was not loaded: no glyph of this mode writes these bytes: "
              u"0x60 (`), 0xFF (\u00FF), 0x00."_s);
}

// --- Loading into the window state and the round trip through Save Name ---

class RoundTrip : public ::testing::Test {
  protected:
    WindowState freshState(GameMode mode) {
        WindowState state;
        if (mode == GameMode::QuakeWorldMod || mode == GameMode::Hexen2Mod) {
            desktop.openReplies.push_back(app.pathOf(BuiltInSheet::QuakeWorld));
        }
        switchMode(state, desktop, app.path(), mode);
        return state;
    }

    // Save Name into a new file; returns the name line written.
    QByteArray save(const WindowState& state) {
        const QString path = dir.filePath(QStringLiteral("n%1.cfg").arg(++files));
        desktop.saveReplies.push_back(path);
        saveName(state, desktop);
        return readBytes(path).trimmed();
    }

    // The name of a saved line, loaded into `opened` (a fresh window of the mode).
    void load(WindowState& opened, const QByteArray& line) {
        const DecodedName decoded =
            decodeName(findNameLines(line).value(0).name, opened.Table, *opened.Family);
        ASSERT_TRUE(decoded.ok()) << line.toStdString();
        loadDecodedName(opened, decoded, colourSheetsOf(opened, app.path(), desktop));
    }

    AppFolder app;
    QTemporaryDir dir;
    FakeDesktop desktop;
    int files = 0;
};

std::vector<QByteArray> cellFragments(const WindowState& state) {
    std::vector<QByteArray> fragments;
    for (const NameCell& cell : state.cells) {
        fragments.push_back(cell.fragment);
    }
    return fragments;
}

// Composed by picks (with colour choices and skipped slots), saved, opened
// back: the same fragment in every position and the same line when saved
// again. The first rounds write every code; random names follow.
TEST_F(RoundTrip, allCodesAndRandomNamesInEveryMode_comeBackToTheSamePositionsAndBytes) {
    std::mt19937 random(1234);
    for (const GameMode mode : {GameMode::QuakeWorld, GameMode::QuakeWorldMod, GameMode::Quake2,
                                GameMode::Quake2Hex, GameMode::Quake3Arena, GameMode::Hexen2,
                                GameMode::Hexen2Mod, GameMode::Wolfenstein, GameMode::JumpGate}) {
        const WindowState fresh = freshState(mode);
        const bool colour = fresh.Family == GameFamily::Colour;
        // The caret and the three-blank glyph come back differently (checked
        // above and below); a blank last glyph is dropped by every writer.
        const auto fits = [&](int code, bool last) {
            return !(colour && (code == '^' || code == 9)) &&
                   !(last && fresh.Table[code].trimmed().isEmpty());
        };
        constexpr int kEveryCodeRounds = (kCodeCount + kNameLength - 2) / (kNameLength - 1);
        for (int round = 0; round < kEveryCodeRounds + 10; ++round) {
            SCOPED_TRACE(std::to_string(static_cast<int>(mode)) + " round " +
                         std::to_string(round));
            WindowState state = fresh;
            const bool everyCode = round < kEveryCodeRounds;
            const int length =
                everyCode ? kNameLength : 1 + static_cast<int>(random() % kNameLength);
            for (int k = 1; k <= length; ++k) {
                if (!everyCode && k < length && random() % 8 == 0) {
                    moveCursorTo(state, k + 1);  // leave position k blank
                    continue;
                }
                if (colour && random() % 4 == 0) {
                    selectColour(state, desktop, app.path(), static_cast<int>(random() % 8));
                }
                // Every code once in positions 1 to 24 of the first rounds.
                int code = everyCode ? (round * (kNameLength - 1) + k - 1) % kCodeCount
                                     : static_cast<int>(random() % kCodeCount);
                pickGlyph(state, desktop, fits(code, k == length) ? code : 'A');
            }
            const QByteArray line = save(state);
            WindowState opened = fresh;
            load(opened, line);
            EXPECT_EQ(cellFragments(opened), cellFragments(state)) << line.toStdString();
            EXPECT_EQ(save(opened), line);
        }
    }
}

TEST_F(RoundTrip, edgeNames_writeTheSameBytesAgain) {
    const struct {
        const char* what;
        GameMode mode;
        std::vector<int> codes;
    } cases[] = {
        {"quotes inside", GameMode::QuakeWorld, {'A', 10, 34, 162, ' ', '/', '/', 'B'}},
        {"trailing blanks", GameMode::QuakeWorld, {'A', 160, ' '}},
        {"caret last", GameMode::Quake3Arena, {'A', '^'}},
        {"three blanks glyph", GameMode::Quake3Arena, {'A', 9, 'B'}},
        {"caret pair", GameMode::Quake3Arena, {'^', '^', 'x'}},
        {"hex all blank", GameMode::Quake2Hex, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WindowState state = freshState(c.mode);
        for (const int code : c.codes) {
            pickGlyph(state, desktop, code);
        }
        const QByteArray line = save(state);
        WindowState opened = freshState(c.mode);
        load(opened, line);
        EXPECT_EQ(save(opened), line);
    }
}

TEST_F(RoundTrip, loadedName_setsCursorBoxesAndColouredGlyphs) {
    WindowState state = freshState(GameMode::Quake3Arena);
    load(state, "name \"^1Ab^4C^7\"");
    EXPECT_EQ(state.CursorPos, 4);
    EXPECT_EQ(state.markerLeftTwips, 3 * kSlotPitchTwips);
    EXPECT_EQ(state.rawNameBox, u"^1Ab^4C"_s);
    EXPECT_EQ(state.commandLineBox, u"name \"^1Ab^4C^7\" //VTL G2 v6.3"_s);
    EXPECT_TRUE(state.ColorWritten);
    const QRgb red = app.colourOf(kColours[kRed].sheet);
    EXPECT_EQ(state.cells[0].glyph.pixel(0, 0), red);
    EXPECT_EQ(state.cells[1].glyph.pixel(0, 0), red);
    EXPECT_EQ(state.cells[2].glyph.pixel(0, 0), app.colourOf(kColours[kBlue].sheet));
    EXPECT_TRUE(state.cells[3].glyph.isNull());

    // With the game's own charset in use, its glyphs in the glyph's colour.
    state.ownCharset = QImage(256, 256, QImage::Format_RGB32);
    state.ownCharset.fill(Qt::white);
    state.ownCharsetTinted = true;
    load(state, "name \"^1A\"");
    EXPECT_EQ(state.cells[0].glyph.pixel(5, 5),
              ownCharsetInColour(state, "^1").pixel(cellOrigin('A') + QPoint(5, 5)));
    EXPECT_NE(state.cells[0].glyph.pixel(5, 5), qRgb(255, 255, 255));

    // A full name leaves the cursor at "full" and the marker under slot 25.
    load(state, "name \"" + QByteArray(25, 'A') + '"');
    EXPECT_EQ(state.CursorPos, kNameLength + 1);
    EXPECT_EQ(state.markerLeftTwips, kMarkerFullTwips);
}

// --- The two commands, through the fake desktop ---

class LoadCommands : public RoundTrip {
  protected:
    void SetUp() override {
        state = freshState(GameMode::QuakeWorld);
        pickGlyph(state, desktop, 'Z');
        desktop.messages.clear();
    }
    QString file(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("in%1.cfg").arg(++files));
        writeBytes(path, bytes);
        return path;
    }
    bool open(const std::optional<QString>& path) {
        desktop.openReplies.push_back(path);
        return openName(state, desktop, colourSheetsOf(state, app.path(), desktop));
    }
    WindowState state;
};

// One name loads at once; several give a list with the last one selected;
// a name too long loads its first 25 and says so.
TEST_F(LoadCommands, open_loadsTheOneNameOrTheOneChosen) {
    EXPECT_TRUE(open(file("bind x jump\r\nname \"Abc\"\r\n")));
    EXPECT_EQ(state.rawNameBox, u"Abc"_s);
    EXPECT_TRUE(desktop.messages.empty() && desktop.itemChoices.empty());
    EXPECT_EQ(desktop.openRequests.back().title, u"Open Name..."_s);
    EXPECT_EQ(desktop.openRequests.back().filters,
              (QStringList{u"Configuration File (*.cfg)"_s, u"All Files (*)"_s}));

    const QString several = file("name \"one\"\r\nseta name \"two\"\r\n");
    desktop.itemReplies = {0, std::nullopt};
    EXPECT_TRUE(open(several));
    const ItemChoice& list = desktop.itemChoices.back();
    EXPECT_EQ(list.title, u"Open Name"_s);
    EXPECT_EQ(list.label, u"The file holds several names. Choose one:"_s);
    EXPECT_EQ(list.items, (QStringList{u"Line 1: name \"one\""_s, u"Line 2: seta name \"two\""_s}));
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(state.rawNameBox, u"one"_s);
    EXPECT_FALSE(open(several));  // the list cancelled
    EXPECT_EQ(state.rawNameBox, u"one"_s);

    EXPECT_TRUE(open(file("name \"" + QByteArray(27, 'x') + "\"")));
    EXPECT_EQ(state.rawNameBox, QString(25, u'x'));
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{u"The name is longer than 25 glyphs: the first 25 were loaded, 2 more "
                          u"left out."_s});
}

TEST_F(LoadCommands, failures_nameTheProblemAndKeepTheName) {
    const struct {
        const char* what;
        std::optional<QByteArray> content;  // none: no such file
        QString message;                    // %1: the path
    } cases[] = {
        {"no name line", "bind x jump\r\n",
         u"No name line (name \"…\" or seta name \"…\") was found in %1."_s},
        {"bad byte", "name \"a`b\"\r\n",
         u"The name was not loaded: no glyph of this mode writes these bytes: 0x60 (`)."_s},
        {"missing file", std::nullopt, u"Could not read %1: No such file or directory"_s},
    };
    for (const auto& c : cases) {
        const QString path = c.content ? file(*c.content) : dir.filePath(u"gone.cfg"_s);
        desktop.messages.clear();
        EXPECT_FALSE(open(path)) << c.what;
        const QString expected = c.message.contains(u"%1") ? c.message.arg(path) : c.message;
        EXPECT_EQ(desktop.messageTexts(), QStringList{expected}) << c.what;
        EXPECT_EQ(state.rawNameBox, u"Z"_s) << c.what;
    }
    // Cancel: nothing at all.
    desktop.messages.clear();
    EXPECT_FALSE(open(std::nullopt));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(LoadCommands, paste_takesALineOrTheNameAlone) {
    const struct {
        QString clipboard;
        std::optional<QString> loaded;  // none: refused with a message
    } cases[] = {
        {u"name \"Abc\" //VTL G2 v6.3"_s, u"Abc"_s},
        {u"Just Me"_s, u"Just Me"_s},
        {u"Caf\u00E9"_s, u"Caf\u00E9"_s},
        {u""_s, std::nullopt},
        {u"Snow \u2603"_s, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clipboard.toStdString());
        state.rawNameBox = u"Z"_s;
        desktop.clipboardHolds = c.clipboard;
        desktop.messages.clear();
        EXPECT_EQ(pasteName(state, desktop, colourSheetsOf(state, app.path(), desktop)),
                  c.loaded.has_value());
        EXPECT_EQ(state.rawNameBox, c.loaded.value_or(u"Z"_s));
        EXPECT_EQ(desktop.messages.size(), c.loaded ? 0u : 1u);
    }
    EXPECT_EQ(desktop.messages.back().text,
              u"The name was not pasted: these characters have no byte in Windows-1252: \u2603"_s);
}

}  // namespace
}  // namespace vtl
