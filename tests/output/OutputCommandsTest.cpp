#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <numeric>
#include <optional>
#include <random>

#include "core/NameEditing.h"
#include "modes/CharTables.h"
#include "modes/ColourList.h"
#include "modes/GameModes.h"
#include "modes/Quake3FamilyModes.h"
#include "output/NamePicture.h"
#include "output/OutputCommands.h"
#include "output/ScriptWriter.h"
#include "reading/NameImport.h"
#include "reading/NameLoading.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "support/NameState.h"
#include "support/Tag.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;
using test::AppFolder;
using test::FakeDesktop;
using test::nameState;
using test::readBytes;
using test::writeBytes;
using Kind = AppendResult::Kind;

const QByteArray kALine = "name \"A\"" + test::kTag;
const QByteArray kTaggedA = kALine + test::kTrailer;

// CR LF, the line and the trailer for a found or created file, CR LF.
TEST(AppendScriptLine, eachCase_writesExactBytes) {
    const struct {
        bool found;
        WindowState state;
        QByteArray written;  // between "name " and the program's tag
    } cases[] = {
        {false, nameState({"A", "b"}), "\"Ab\""},
        {true, nameState({"A", "b"}), "\"Ab\""},
        {false, nameState({}), "\"\""},
        // Blanks inside are kept (also within a glyph's bytes), blanks at the end dropped.
        {false, nameState({"A", " ", "B", "   ", "C  ", " ", " "}), "\"A B   C\""},
        {false, nameState({"   ", "A  ", "B  "}), "\"   A  B\""},
        {false, nameState({"^1A", "b", "^4", "\x03"}, colourLineSuffix()), "\"^1Ab^4\x03^7\""},
        {false, nameState({"41", "9F", "20"}, hexLineSuffix()), "\"419F20\"u"},
        // Windows-1252 bytes, one each, not UTF-8.
        {false, nameState({"\xE9", "\x80", "\xFF"}), "\"\xE9\x80\xFF\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written.toStdString());
        QTemporaryDir dir;
        const QString path = dir.filePath(u"name.cfg"_s);
        if (c.found) {
            writeBytes(path, {});
        }
        const AppendResult result = AppendScriptLine(path, " // found", " // created", c.state);
        EXPECT_EQ(result.kind, c.found ? Kind::Appended : Kind::Created);
        EXPECT_EQ(readBytes(path), QByteArray("\r\nname " + c.written + test::kTag +
                                              (c.found ? " // found" : " // created") + "\r\n"));
    }
}

const char kNoFolder[] =
    "Could not save the name to %1: No such file or directory\rThe file was not changed.";

// Two saves add a line each, with the tag; a missing folder fails; a cancel does nothing.
TEST(SaveName, eachChoice_dialogLineAndMessages) {
    QTemporaryDir dir;
    qputenv("WinDir", dir.path().toLocal8Bit());
    const QString path = dir.filePath(u"myname.CFG"_s), gone = dir.filePath(u"gone/myname.CFG"_s);
    FakeDesktop desktop;
    desktop.saveReplies = {path, path, gone, std::nullopt};
    for (const char* name : {"A", "C", "A", "A"}) {
        saveName(nameState({name}), desktop);
    }
    qunsetenv("WinDir");

    const FileDialogRequest& request = desktop.saveRequests.at(3);
    EXPECT_EQ(request.title, u"Save As..."_s);
    EXPECT_EQ(request.filters, QStringList{u"Configuration File (*.Cfg)"_s});
    EXPECT_EQ(request.defaultSuffix, u"CFG"_s);
    EXPECT_EQ(request.initialFolder, dir.path());
    EXPECT_EQ(request.initialName, u"*.cfg"_s);
    EXPECT_TRUE(request.pathMustExist);
    // No question whether to replace a file the save adds to; the dialog
    // says so under the name while it names an existing file.
    EXPECT_FALSE(request.confirmOverwrite);
    const QString adds =
        u"This file exists: the name will be added at its end, and what it holds now is kept."_s;
    EXPECT_EQ(request.existingFileNote, adds);
    struct Typed {
        const char* name;
        QString typed;
        QString note;
    };
    for (const Typed& t :
         {Typed{"existing", u"myname.CFG"_s, adds},
          Typed{"existing, suffix added", u"myname"_s, adds},
          Typed{"new", u"other.cfg"_s, QString()}, Typed{"nothing typed", QString(), QString()}}) {
        EXPECT_EQ(existingFileNoteFor(request, chosenSavePath(request, dir.path(), t.typed)),
                  t.note)
            << t.name;
    }
    // The real dialog stays open on a name in a missing folder.
    EXPECT_TRUE(!dialogAccepts(request, gone) && dialogAccepts(request, path));
    EXPECT_EQ(readBytes(path), QByteArray("\r\n" + kTaggedA + "\r\n\r\nname \"C\"" + test::kTag +
                                          test::kTrailer + "\r\n"));
    const QString saved = QStringLiteral(
        "File Saved!\rTo use this file go to the console and execute the file: myname.CFG");
    EXPECT_EQ(desktop.messageTexts(),
              QStringList({saved, saved, QString::fromLatin1(kNoFolder).arg(gone)}));
    EXPECT_EQ(desktop.messages[2].icon, MessageIcon::Warning);
}

TEST(QuickSave, eachTarget_lineAndMessagesInOrder) {
    const QString kDefault = u"File Saved to Default Config: %1"_s;
    const QString kManual = u"File saved to: %1\rYou will need to manually execute this script."_s;
    const QByteArray kOld = "seta x 1";
    const QString kNotSet = u"You have not configured Vantorel to utilize this feature."_s;
    const struct {
        ConfigKind config;
        const char* folder;    // after the temporary folder; nullptr: not configured
        QByteArray old;        // null: no file yet
        QByteArray line;       // empty: nothing is written
        QStringList messages;  // %1 stands for the config's path
    } cases[] = {
        {ConfigKind::Q3Config, "", kOld, kALine, {kDefault}},
        {ConfigKind::Q3Config, "", {}, kTaggedA, {}},
        {ConfigKind::Unset, "", {}, kTaggedA, {kManual}},
        // The folder is taken exactly as configured.
        {ConfigKind::Q3Config, "/", {}, kTaggedA, {}},
        {ConfigKind::Q1Config, nullptr, {}, {}, {kNotSet}},
        {ConfigKind::Q1Config, "/gone", {}, {}, {QString::fromLatin1(kNoFolder)}},
    };
    for (const auto& c : cases) {
        const bool q3 = c.config == ConfigKind::Q3Config;
        QTemporaryDir dir;
        const QString folder = c.folder ? dir.path() + QString::fromLatin1(c.folder) : QString();
        const QString path =
            c.folder ? folder + QDir::separator() + (q3 ? u"q3config.cfg"_s : u"config.cfg"_s)
                     : QString();
        SCOPED_TRACE(path.toStdString());
        if (!c.old.isNull()) {
            writeBytes(path, c.old);
        }
        WindowState state = nameState({"A"});
        state.Config = c.config;
        FakeDesktop desktop;
        // Only the game's own key holds the folder.
        quickSave(state, desktop, [&](const QString& key) {
            return key == (q3 ? u"q3config"_s : u"q1config"_s) ? folder : QString();
        });
        EXPECT_EQ(state.QuickSaveFile, path);
        EXPECT_EQ(readBytes(path),
                  c.line.isEmpty() ? QByteArray("<unreadable>") : c.old + "\r\n" + c.line + "\r\n");
        EXPECT_EQ(desktop.messageTexts(), QStringList(c.messages).replaceInStrings(u"%1"_s, path));
    }
}

// Glyphs at `positions`: one colour (green at 3) but a black (background) top-left pixel.
WindowState glyphsAt(const std::vector<int>& positions) {
    WindowState state;
    for (const int k : positions) {
        QImage& glyph = state.cells[k - 1].glyph = QImage(16, 16, QImage::Format_RGB32);
        glyph.fill(k == 3 ? qRgb(0, 180, 0) : qRgb(200, 0, k));
        glyph.setPixel(0, 0, qRgb(0, 0, 0));
    }
    return state;
}

// The top 14 rows of 15.3 pixels a cursor position (half to even) on black.
TEST(ExportNameAsBitmap, cursorPositions_stripOfGlyphsRestBlack_orErrorText) {
    std::vector<int> everyPosition(kNameLength);
    std::iota(everyPosition.begin(), everyPosition.end(), 1);
    WindowState state = glyphsAt(everyPosition);
    QTemporaryDir dir;
    FakeDesktop desktop;
    for (const auto& [cursor, width] : {std::pair{1, 15}, {5, 76}, {15, 230}, {26, 398}}) {
        SCOPED_TRACE(cursor);
        const QString path = dir.filePath(QString::number(cursor) + u".BMP"_s);
        writeBytes(path, "an older, longer file that the export replaces");
        state.CursorPos = cursor;
        desktop.messages.clear();
        desktop.saveReplies = {path};
        exportNameAsBitmap(state, desktop);

        EXPECT_EQ(desktop.messageTexts(), QStringList{u"Exported bitmap to: "_s + path});
        QImage expected(433, 25, QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter(&expected).drawImage(0, 0, composeNamePicture(state, {}), 0, 0, width, 14);
        EXPECT_EQ(QImage(path, "BMP").convertToFormat(QImage::Format_RGB32), expected);
    }
    const FileDialogRequest& request = desktop.saveRequests.at(0);
    EXPECT_EQ(request.title, u"Export Bitmap..."_s);
    EXPECT_EQ(request.filters, QStringList{u"Bitmaps (*.Bmp)"_s});
    EXPECT_EQ(request.defaultSuffix, u"BMP"_s);
    EXPECT_TRUE(request.confirmOverwrite && request.pathMustExist);

    // A folder that is gone: the error number and its description. Then a cancel does nothing.
    const QString gone = dir.filePath(u"gone/name.BMP"_s);
    desktop.messages.clear();
    desktop.saveReplies = {gone, std::nullopt};
    exportNameAsBitmap(state, desktop);
    exportNameAsBitmap(state, desktop);
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{u"Error: 2 No such file or directory: "_s + gone});
    EXPECT_EQ(desktop.messages.at(0).title, u"mnuFileSaveAsDialog_Click"_s);
}

// Positions 1 to the last glyph, each pixel a square of the scale, never blended.
TEST(ComposeNamePicture, usedPositionsAtEachScaleWithoutBlending) {
    const WindowState state = glyphsAt({1, 3});
    for (const int scale : {1, 3}) {
        SCOPED_TRACE(scale);
        const QImage picture = composeNamePicture(state, PictureOptions{scale, false});
        ASSERT_EQ(picture.size(), QSize(3 * 16 * scale, 16 * scale));
        for (int d = 0; d < scale * scale; ++d) {
            const int dx = d % scale, dy = d / scale;
            EXPECT_EQ(picture.pixel(dx, dy), qRgb(0, 0, 0));               // glyph 1's black
            EXPECT_EQ(picture.pixel(scale + dx, dy), qRgb(200, 0, 1));     // its first red
            EXPECT_EQ(picture.pixel(16 * scale + dx, dy), qRgb(0, 0, 0));  // blank position
            EXPECT_EQ(picture.pixel(33 * scale + dx, dy), qRgb(0, 180, 0));
        }
    }
    // Scales outside 1..8 are clamped; a glyph in position 25 counts; no glyph, no picture.
    EXPECT_EQ(composeNamePicture(state, PictureOptions{0, false}).width(), 48);
    EXPECT_EQ(composeNamePicture(state, PictureOptions{20, false}).width(), 48 * 8);
    EXPECT_EQ(composeNamePicture(glyphsAt({25}), PictureOptions{1, false}).width(), 25 * 16);
    EXPECT_TRUE(composeNamePicture(WindowState{}, PictureOptions{}).isNull());
}

// Options, dialog, file; a cancel, a failure, an empty name write nothing. The clipboard
// copies: the transparent 2x picture, and the two text boxes as they are.
TEST(ExportNameAsPng, writesThePictureChosen_orNothingAndSaysWhy_clipboardCopies) {
    QTemporaryDir dir;
    WindowState state = glyphsAt({1, 3});
    FakeDesktop desktop;
    const QString path = dir.filePath(u"name.png"_s), gone = dir.filePath(u"gone/name.png"_s);
    desktop.pictureOptionReplies = {PictureOptions{4, true}, std::nullopt, PictureOptions{}};
    desktop.saveReplies = {path, gone};
    exportNameAsPng(state, desktop);
    exportNameAsPng(state, desktop);  // options cancelled
    exportNameAsPng(state, desktop);
    exportNameAsPng(WindowState{}, desktop);

    EXPECT_EQ(desktop.pictureOptionRequests.size(), 3u);
    EXPECT_EQ(desktop.saveRequests.at(0).title, u"Export PNG..."_s);
    EXPECT_EQ(desktop.saveRequests.at(0).defaultSuffix, u"png"_s);
    const QImage written(path, "PNG");
    EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32),
              composeNamePicture(state, PictureOptions{4, true}));
    // Black, in a glyph or a blank position, becomes transparent.
    EXPECT_EQ(written.pixel(0, 0), qRgba(0, 0, 0, 0));
    EXPECT_EQ(written.pixel(16 * 4, 4), qRgba(0, 0, 0, 0));
    EXPECT_FALSE(QFile::exists(gone));
    const QStringList texts = desktop.messageTexts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], u"Exported picture to: "_s + path);
    EXPECT_TRUE(texts[1].startsWith(u"Could not save the picture to "_s + gone + u": "_s))
        << texts[1].toStdString();
    EXPECT_EQ(texts[2], u"The name has no glyphs yet: there is nothing to export."_s);

    state.rawNameBox = QString();
    copyNameAsPicture(state, desktop);
    copyCommandLine(state, desktop);
    copyRawName(state, desktop);
    ASSERT_EQ(desktop.clipboardImages.size(), 1u);
    EXPECT_EQ(desktop.clipboardImages[0], composeNamePicture(state, PictureOptions{2, true}));
    EXPECT_EQ(desktop.clipboard, (std::vector<QString>{state.commandLineBox, QString()}));
}

// --- Reading a name back ---

constexpr int kWhite = 0, kRed = 1, kBlack = 2, kGreen = 4, kBlue = 6;

template <typename T>
std::vector<T> collect(const DecodedName& name, T DecodedGlyph::*member) {
    std::vector<T> values;
    for (const DecodedGlyph& g : name.glyphs) {
        values.push_back(g.*member);
    }
    return values;
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
        // A caret and digits picked as glyphs: taken as glyphs, not lost.
        {"colour codes alone", colour, "^7^8^7", {"^", "7", "^", "8"}, {0, 0, 0, 0}},
        {"code before a blank", colour, "A^1 B", {"A", "^1 ", "B"}, {kWhite, kRed, kRed}},
        {"no colour in byte modes", bytes, "^1", {"^", "1"}, {0, 0}},
        {"hex pairs and a blank", hex, "41 FF00", {"41", " ", "FF", "00"}, {0, 0, 0, 0}},
        {"colour underscore, colon", colour, "Player_1:", {}, {}, "_:"},
        {"hex lower case", hex, "4a", {}, {}, "4a"},
        {"hex odd digit", hex, "414", {}, {}, "4"},
    };
    for (const auto& c : cases) {
        const ColourSet* colours = &c.table == &colour ? &kQuake3Colours : nullptr;
        const DecodedName decoded = decodeName(c.name, c.table, colours);
        EXPECT_EQ(decoded.badBytes, c.bad) << c.what;
        if (c.bad.isEmpty()) {
            EXPECT_EQ(collect(decoded, &DecodedGlyph::fragment), c.fragments) << c.what;
            EXPECT_EQ(collect(decoded, &DecodedGlyph::colourRow), c.rows) << c.what;
        }
    }
    // Bytes several codes write give the lowest of them; a lone hex blank is no code.
    using Codes = std::vector<std::optional<int>>;
    EXPECT_EQ(collect(decodeName("\x05\"", bytes, nullptr), &DecodedGlyph::code), (Codes{0, 10}));
    EXPECT_EQ(collect(decodeName("41 ", hex, nullptr), &DecodedGlyph::code),
              (Codes{0x41, std::nullopt}));
}

class Loading : public ::testing::Test {
  protected:
    WindowState freshState(GameMode mode) {
        WindowState state;
        switchMode(state, desktop, app.path(), mode);
        return state;
    }
    // The name of a written line, loaded into `opened` (a fresh window of the mode).
    void load(WindowState& opened, const QByteArray& line) {
        const FamilyRow* family = currentFamilyRow(opened);
        const DecodedName decoded =
            decodeName(findNameLines(line).value(0).name, opened.Table, currentColours(opened),
                       family ? std::optional(family->syntax) : std::nullopt);
        ASSERT_TRUE(decoded.ok()) << line.toStdString();
        loadDecodedName(opened, decoded, colourSheetsOf(opened, app.path(), desktop));
    }

    AppFolder app;
    QTemporaryDir dir;
    FakeDesktop desktop;
};

// Names composed by picks (-1 skips a slot; colour choices now and then), written, read back
// and written again: the same bytes. Every code, in a mode of each classic table kind and in
// each Quake III-family game of today; the edge names in the classic modes.
TEST_F(Loading, everyCodeAndEdgeNamesInEachTableKind_writeTheSameBytesAgain) {
    std::mt19937 random(1234);
    // Edge names: quotes, blanks at the end, none, skipped slots, carets, three blanks.
    std::vector<std::vector<int>> names = {{'A', 10, 34, 162, ' ', '/', '/', 'B'},
                                           {'A', 160, ' '},
                                           {},
                                           {'A', -1, -1, 'B'},
                                           {'A', '^'},
                                           {'A', 9, 'B'},
                                           {'^', '^', 'x'}};
    const size_t edgeNames = names.size();
    for (int first = 0; first < kCodeCount; first += kNameLength - 1) {
        names.emplace_back(kNameLength, 'A');  // codes in positions 1 to 24
        std::iota(names.back().begin(), names.back().end() - 1, first);
    }
    std::vector<GameMode> modes{GameMode::QuakeWorld, GameMode::Quake2Hex, GameMode::Quake3Arena};
    for (const FamilyRow& row : kFamilyRows) {
        modes.push_back(row.mode);
    }
    for (const GameMode mode : modes) {
        const WindowState fresh = freshState(mode);
        const FamilyRow* family = currentFamilyRow(fresh);
        const bool colour = fresh.Family == GameFamily::Colour;
        const auto colours = static_cast<int>(listedColours(fresh).choices.size());
        if (family) {  // the game's own colour list, glyphs tinted, marks for a text game
            EXPECT_EQ(colours, static_cast<int>(colourSet(family->syntax).size()));
            EXPECT_EQ(fresh.ColorPrefix, "^7");
            EXPECT_FALSE(fresh.tintGlyphs.isNull());
            EXPECT_EQ(fresh.mapMarks.isNull(), !family->text);
        }
        for (size_t n = family ? edgeNames : 0; n < names.size(); ++n) {
            WindowState state = fresh;
            for (const int picked : names[n]) {
                const int code = picked % kCodeCount;
                if (colour && n >= edgeNames && random() % 4 == 0) {
                    selectColour(state, desktop, app.path(), static_cast<int>(random() % colours));
                }
                if (code < 0) {
                    moveCursorTo(state, state.CursorPos + 1);
                } else {
                    // A caret before another glyph is a colour code to the game, and the Quake
                    // III table's three blanks of code 9 read back as three: 'A' stands in.
                    const bool apart = colour && n >= edgeNames &&
                                       (code == '^' || (code == 9 && !(family && family->text)));
                    pickGlyph(state, desktop, apart ? 'A' : code);
                }
            }
            const QByteArray line = ComposeScriptLine(state, scriptTrailer());
            SCOPED_TRACE(fresh.modeLabel.toStdString() + ": " + line.toStdString());
            WindowState opened = fresh;
            load(opened, line);
            EXPECT_EQ(ComposeScriptLine(opened, scriptTrailer()), line);
        }
    }
    // Back in Quake III the list has its eight again, drawn untinted.
    WindowState back = freshState(GameMode::EtLegacy);
    switchMode(back, desktop, app.path(), GameMode::Quake3Arena);
    EXPECT_EQ(listedColours(back).choices.size(), 8u);
    EXPECT_TRUE(back.tintGlyphs.isNull());
}

// A loaded name's glyphs are drawn in their colours, from the game's own charset when it is in
// use, and its colour counts as written.
TEST_F(Loading, loadedName_glyphsInTheirColours) {
    WindowState state = freshState(GameMode::Quake3Arena);
    load(state, "name \"^1Ab^4C^7\"");
    EXPECT_TRUE(state.ColorWritten && state.cells[3].glyph.isNull());
    EXPECT_EQ(state.cells[2].glyph.pixel(0, 0), app.colourOf(kQuake3Choices[kBlue].sheet));

    state.ownCharset = QImage(256, 256, QImage::Format_RGB32);
    state.ownCharset.fill(Qt::white);
    state.ownCharsetTinted = true;
    load(state, "name \"^1A\"");
    EXPECT_EQ(state.cells[0].glyph.pixel(5, 5),
              ownCharsetInColour(state, "^1").pixel(cellOrigin('A') + QPoint(5, 5)));
    EXPECT_NE(state.cells[0].glyph.pixel(5, 5), qRgb(255, 255, 255));
}

// Picks in ET: Legacy write its colour codes and UTF-8; Urban Terror's own colours; a paste in a
// text game is taken as UTF-8.
TEST_F(Loading, familyGames_picksWriteTheGamesBytes_pastesAreUtf8) {
    WindowState state = freshState(GameMode::EtLegacy);
    selectColour(state, desktop, app.path(), 10);  // ^: light grey
    pickGlyph(state, desktop, 0xE9);               // é
    pickGlyph(state, desktop, 0xC9);               // É
    selectColour(state, desktop, app.path(), 0);   // black, as the game shows it
    pickGlyph(state, desktop, 'A');
    EXPECT_EQ(composeNameText(state), "^:\xC3\xA9\xC3\x89^0A");
    EXPECT_EQ(state.rawNameBox, u"^:éÉ^0A"_s);  // the boxes show the UTF-8 as text

    WindowState urt = freshState(GameMode::UrbanTerror);
    selectColour(urt, desktop, app.path(), 9);
    pickGlyph(urt, desktop, 'x');
    EXPECT_EQ(composeNameText(urt), "^9x");
    EXPECT_EQ(urt.ColorPrefix, "^9");  // the map is drawn in the game's olive

    WindowState warfork = freshState(GameMode::Warfork);
    desktop.clipboardHolds = u"name \"Zoë^2x\""_s;
    ASSERT_TRUE(pasteName(warfork, desktop, colourSheetsOf(warfork, app.path(), desktop)));
    EXPECT_EQ(composeNameText(warfork), "Zo\xC3\xAB^2x");
}

// Open and Paste load the name the console would set, or keep the one composed ("Z") and say why.
TEST_F(Loading, openAndPaste_loadTheNameOrKeepItAndSayWhy) {
    const QString kTwoNames = u"name \"one\"\r\n\r\nbind x jump\r\nseta name \"two\"\r\n"_s;
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
        {"seta, any case, tabs", false, u" \tSETA\tName  \"Foo\""_s, u"Foo"_s, {}},
        {"unquoted word", false, u"name Player;echo hi"_s, u"Player"_s, {}},
        {"first quote closes", false, u"name \"foo\" // said \"hi\""_s, u"foo"_s, {}},
        {"unterminated", false, u"name \"abc"_s, u"abc"_s, {}},
        // Commented out, another setting, a query, inside a bind.
        {"no name line", false, u"// name \"x\"\nseta name2 \"y\"\nname\nbind n \"name foo\""_s,
         u"Z"_s, u"No name line (name \"…\" or seta name \"…\") was found in %1."_s},
        {"bad bytes", false, u"name \"a`b\u00FF\u001A\"\r\n"_s, u"Z"_s,
         u"The name was not loaded: no glyph of this mode writes these bytes: 0x60 (`), "
         u"0xFF (\u00FF), 0x1A."_s},
        {"missing file", false, QString(), u"Z"_s,
         u"Could not read %1: No such file or directory"_s},
        {"several names, one chosen", false, kTwoNames, u"one"_s, {}},
        {"several names, none chosen", false, kTwoNames, u"Z"_s, {}},
        {"pasted line", true, u"name \"Abc\""_s + test::kTagText, u"Abc"_s, {}},
        {"pasted bare name", true, u"Just Me"_s, u"Just Me"_s, {}},
        {"pasted Windows-1252", true, u"Caf\u00E9"_s, u"Caf\u00E9"_s, {}},
        {"pasted nothing", true, u""_s, u"Z"_s,
         u"No name line (name \"…\" or seta name \"…\") was found in the clipboard."_s},
        {"pasted outside Windows-1252", true, u"Snow \u2603"_s, u"Z"_s,
         u"The name was not pasted: these characters have no byte in Windows-1252: \u2603"_s},
    };
    WindowState composed = freshState(GameMode::QuakeWorld);
    pickGlyph(composed, desktop, 'Z');
    WindowState state;
    int files = 0;
    desktop.itemReplies = {0, std::nullopt};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state = composed;
        desktop.messages.clear();
        desktop.clipboardHolds = c.input;
        const QString path = dir.filePath(u"in%1.cfg"_s.arg(++files));
        if (!c.input.isNull()) {
            writeBytes(path, c.input.toLatin1());
        }
        desktop.openReplies = {path};
        const auto sheets = colourSheetsOf(state, app.path(), desktop);
        const bool loaded =
            c.paste ? pasteName(state, desktop, sheets) : openName(state, desktop, sheets);
        EXPECT_EQ(loaded, c.loaded != u"Z"_s);
        EXPECT_EQ(state.rawNameBox, c.loaded);
        // The cursor after the name ("full" after 25), the marker held under slot 25.
        const int glyphs = static_cast<int>(c.loaded.size());
        EXPECT_EQ(std::pair(state.CursorPos, markerLeftTwips(state)),
                  std::pair(glyphs + 1, std::min(glyphs, kNameLength - 1) * kSlotPitchTwips));
        EXPECT_EQ(desktop.messageTexts(),
                  c.message.isEmpty() ? QStringList()
                                      : QStringList{QString(c.message).replace(u"%1"_s, path)});
    }
    // The list offers every name line, the last (the one the game ends with) first.
    ASSERT_EQ(desktop.itemChoices.size(), 2u);
    const ItemChoice& list = desktop.itemChoices[0];
    EXPECT_EQ(list.title, u"Open Name"_s);
    EXPECT_EQ(list.label, u"The file holds several names. Choose one:"_s);
    EXPECT_EQ(list.items, (QStringList{u"Line 1: name \"one\""_s, u"Line 4: seta name \"two\""_s}));
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(desktop.openRequests[0].title, u"Open Name..."_s);
    EXPECT_EQ(desktop.openRequests[0].filters,
              (QStringList{u"Configuration File (*.cfg)"_s, u"All Files (*)"_s}));
}

// Open Name never waits for a FIFO's writer, and a file of countless name
// lines offers the last ones (the name the game ends with among them).
TEST_F(Loading, openName_specialFilesRefusedAtOnce_longListsBounded) {
    WindowState state = freshState(GameMode::QuakeWorld);
#ifdef _WIN32
    const QString device = u"NUL"_s;  // Windows has no FIFOs; a device is refused alike
#else
    const QString device = dir.filePath(u"fifo.cfg"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(device).constData(), 0644), 0);
#endif
    for (const QString& path : {device, dir.path()}) {
        desktop.messages.clear();
        desktop.openReplies = {path};
        EXPECT_FALSE(openName(state, desktop, colourSheetsOf(state, app.path(), desktop)));
        ASSERT_EQ(desktop.messageTexts().size(), 1);
        EXPECT_TRUE(
            desktop.messageTexts()[0].startsWith(u"Could not read "_s + path + u": it is"_s))
            << desktop.messageTexts()[0].toStdString();
    }
    QByteArray many;
    for (int n = 1; n <= 1500; ++n) {
        many += "name \"n" + QByteArray::number(n) + "\"\n";
    }
    const QString path = dir.filePath(u"many.cfg"_s);
    writeBytes(path, many);
    desktop.openReplies = {path};
    desktop.itemReplies = {std::nullopt};
    desktop.itemChoices.clear();
    openName(state, desktop, colourSheetsOf(state, app.path(), desktop));
    ASSERT_EQ(desktop.itemChoices.size(), 1u);
    const ItemChoice& list = desktop.itemChoices[0];
    ASSERT_EQ(list.items.size(), kMaxListedNameLines);
    EXPECT_EQ(list.items.front(), u"Line 501: name \"n501\""_s);
    EXPECT_EQ(list.selected, kMaxListedNameLines - 1);
    EXPECT_TRUE(list.label.endsWith(u"(the last 1000 are listed)"_s));
}

}  // namespace
}  // namespace vtl
