#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <numeric>
#include <random>

#include "core/NameEditing.h"
#include "modes/CharTables.h"
#include "modes/ColourList.h"
#include "modes/GameModes.h"
#include "output/NameImport.h"
#include "output/NameLoading.h"
#include "output/OutputCommands.h"
#include "output/ScriptWriter.h"
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

template <typename T>
std::vector<T> collect(const DecodedName& name, T DecodedGlyph::*member) {
    std::vector<T> values;
    for (const DecodedGlyph& g : name.glyphs) {
        values.push_back(g.*member);
    }
    return values;
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

TEST(DecodeName, eachName_givesItsPositionsColoursAndBadBytes) {
    const CharTable colour = colourTable(), hex = hexTable(), bytes = byteTable();
    const struct {
        const char* what;
        const CharTable& table;
        QByteArray name;
        std::vector<QByteArray> fragments;
        std::vector<int> rows = {};  // the colour of each glyph
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
        {"no colour in byte modes", bytes, "^1", {"^", "1"}, {0, 0}},
        {"hex pairs and a blank", hex, "41 FF00", {"41", " ", "FF", "00"}, {0, 0, 0, 0}},
        {"byte backquote", bytes, "A`B`", {}, {}, "`"},
        {"colour underscore, colon", colour, "Player_1:", {}, {}, "_:"},
        {"hex lower case", hex, "4a", {}, {}, "4a"},
        {"hex odd digit", hex, "414", {}, {}, "4"},
    };
    for (const auto& c : cases) {
        const GameFamily family = &c.table == &colour ? GameFamily::Colour : GameFamily::Plain;
        const DecodedName decoded = decodeName(c.name, c.table, family);
        EXPECT_EQ(decoded.badBytes, c.bad) << c.what;
        if (c.bad.isEmpty()) {
            EXPECT_EQ(collect(decoded, &DecodedGlyph::fragment), c.fragments) << c.what;
            EXPECT_EQ(collect(decoded, &DecodedGlyph::colourRow), c.rows) << c.what;
        }
    }
    // Bytes several codes write give the lowest of them; a lone hex blank is no code.
    using Codes = std::vector<std::optional<int>>;
    EXPECT_EQ(collect(decodeName("\x05\"", bytes, GameFamily::Plain), &DecodedGlyph::code),
              (Codes{0, 10}));
    EXPECT_EQ(collect(decodeName("41 ", hex, GameFamily::Plain), &DecodedGlyph::code),
              (Codes{0x41, std::nullopt}));
    EXPECT_EQ(badBytesMessage(QByteArray("`\xFF\0", 3)),
              u"The name was not loaded: no glyph of this mode writes these bytes: "
              u"0x60 (`), 0xFF (\u00FF), 0x00."_s);
}

// --- Loading into the window state and the round trip through the writer ---

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
    // The name of a written line, loaded into `opened` (a fresh window of the mode).
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

// Names composed by picks (codes; -1 skips a slot, random colour choices in
// between), written, opened back: the same line when written again, and the
// same fragment in every position, except where the colour modes read a
// caret or the three-blank glyph differently and where blanks end the name.
// Every code goes through the writer in every mode.
TEST_F(RoundTrip, everyCodeAndEdgeAndRandomNames_writeTheSameBytesAgain) {
    std::mt19937 random(1234);
    // Edge names first: quotes, blanks at the end, none at all, carets, three blanks.
    std::vector<std::vector<int>> names = {{'A', 10, 34, 162, ' ', '/', '/', 'B'},
                                           {'A', 160, ' '},
                                           {},
                                           {'A', '^'},
                                           {'A', 9, 'B'},
                                           {'^', '^', 'x'}};
    const size_t edgeNames = names.size();
    for (int first = 0; first < kCodeCount; first += kNameLength - 1) {
        names.emplace_back(kNameLength, 'A');  // codes in positions 1 to 24
        std::iota(names.back().begin(), names.back().end() - 1, first);
    }
    for (int round = 0; round < 10; ++round) {
        names.emplace_back(1 + random() % kNameLength);
        for (int& code : names.back()) {
            code = random() % 8 == 0 ? -1 : static_cast<int>(random() % kCodeCount);
        }
        names.back().back() = 'A' + static_cast<int>(random() % 26);
    }
    for (const GameMode mode : {GameMode::QuakeWorld, GameMode::QuakeWorldMod, GameMode::Quake2,
                                GameMode::Quake2Hex, GameMode::Quake3Arena, GameMode::Hexen2,
                                GameMode::Hexen2Mod, GameMode::Wolfenstein, GameMode::JumpGate}) {
        const WindowState fresh = freshState(mode);
        const bool colour = fresh.Family == GameFamily::Colour;
        for (size_t n = 0; n < names.size(); ++n) {
            const std::vector<int>& name = names[n];
            WindowState state = fresh;
            bool same = name.empty() || !fresh.Table[name.back()].trimmed().isEmpty();
            for (const int picked : name) {
                const bool special = colour && (picked % kCodeCount == '^' || picked == 9);
                // Past the edge names, 'A' stands in for the glyphs read back apart.
                const int code = special && n >= edgeNames ? 'A' : picked % kCodeCount;
                same = same && !(special && n < edgeNames);
                if (colour && n >= edgeNames && random() % 4 == 0) {
                    selectColour(state, desktop, app.path(), static_cast<int>(random() % 8));
                }
                if (code < 0) {
                    moveCursorTo(state, state.CursorPos + 1);
                } else {
                    pickGlyph(state, desktop, code);
                }
            }
            const QByteArray line = ComposeScriptLine(state, scriptTrailer());
            SCOPED_TRACE(std::to_string(static_cast<int>(mode)) + ": " + line.toStdString());
            WindowState opened = fresh;
            load(opened, line);
            EXPECT_EQ(ComposeScriptLine(opened, scriptTrailer()), line);
            if (same) {
                EXPECT_EQ(cellFragments(opened), cellFragments(state));
            }
        }
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

// Open and Paste load the name, or keep the one composed ("Z") and say why.
TEST_F(LoadCommands, openAndPaste_loadTheNameOrKeepItAndSayWhy) {
    const struct {
        const char* what;
        bool paste;
        QString input;  // the clipboard, or the file's bytes (null: no such file)
        QString loaded;
        QString message;  // %1: the file's path
    } cases[] = {
        {"the file's one name", false, u"bind x jump\r\nname \"Abc\"\r\n"_s, u"Abc"_s, {}},
        {"too long", false, u"name \""_s + QString(27, u'x') + u'"', QString(25, u'x'),
         u"The name is longer than 25 glyphs: the first 25 were loaded, 2 more left out."_s},
        {"no name line", false, u"bind x jump\r\n"_s, u"Z"_s,
         u"No name line (name \"…\" or seta name \"…\") was found in %1."_s},
        {"bad byte", false, u"name \"a`b\"\r\n"_s, u"Z"_s,
         u"The name was not loaded: no glyph of this mode writes these bytes: 0x60 (`)."_s},
        {"missing file", false, QString(), u"Z"_s,
         u"Could not read %1: No such file or directory"_s},
        {"pasted line", true, u"name \"Abc\" //VTL G2 v6.3"_s, u"Abc"_s, {}},
        {"pasted bare name", true, u"Just Me"_s, u"Just Me"_s, {}},
        {"pasted Windows-1252", true, u"Caf\u00E9"_s, u"Caf\u00E9"_s, {}},
        {"pasted nothing", true, u""_s, u"Z"_s,
         u"No name line (name \"…\" or seta name \"…\") was found in the clipboard."_s},
        {"pasted outside Windows-1252", true, u"Snow \u2603"_s, u"Z"_s,
         u"The name was not pasted: these characters have no byte in Windows-1252: \u2603"_s},
    };
    const WindowState composed = state;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state = composed;
        desktop.messages.clear();
        desktop.clipboardHolds = c.input;
        const QString path =
            c.input.isNull() ? dir.filePath(u"gone.cfg"_s) : file(c.input.toLatin1());
        const bool loaded =
            c.paste ? pasteName(state, desktop, colourSheetsOf(state, app.path(), desktop))
                    : open(path);
        EXPECT_EQ(loaded, c.loaded != u"Z"_s);
        EXPECT_EQ(state.rawNameBox, c.loaded);
        EXPECT_EQ(desktop.messageTexts(),
                  c.message.isEmpty() ? QStringList()
                                      : QStringList{QString(c.message).replace(u"%1"_s, path)});
    }
}

// Several names give a list with the last one selected; a cancel anywhere
// leaves the name and says nothing.
TEST_F(LoadCommands, open_severalNames_listsThemToChooseFrom) {
    const QString several = file("name \"one\"\r\nseta name \"two\"\r\n");
    desktop.itemReplies = {0, std::nullopt};
    EXPECT_TRUE(open(several));
    EXPECT_EQ(desktop.openRequests.back().title, u"Open Name..."_s);
    EXPECT_EQ(desktop.openRequests.back().filters,
              (QStringList{u"Configuration File (*.cfg)"_s, u"All Files (*)"_s}));
    const ItemChoice& list = desktop.itemChoices.back();
    EXPECT_EQ(list.title, u"Open Name"_s);
    EXPECT_EQ(list.label, u"The file holds several names. Choose one:"_s);
    EXPECT_EQ(list.items, (QStringList{u"Line 1: name \"one\""_s, u"Line 2: seta name \"two\""_s}));
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(state.rawNameBox, u"one"_s);
    EXPECT_FALSE(open(several));  // the list cancelled
    EXPECT_FALSE(open(std::nullopt));
    EXPECT_EQ(state.rawNameBox, u"one"_s);
    EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace vtl
