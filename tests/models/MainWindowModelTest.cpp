#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <map>
#include <random>

#include "charset/GameFiles.h"
#include "charset/Sheet.h"
#include "core/Cp1252.h"
#include "core/NameEditing.h"
#include "ini/Ini.h"
#include "models/GameCharsetCommands.h"
#include "models/MainWindowModel.h"
#include "models/Shell.h"
#include "modes/ColourList.h"
#include "modes/Quake3Colours.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "support/ReadOnlyFolder.h"
#include "support/Tag.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;
using test::readBytes;

// On every colour row's sheet code c is drawn with red c and green 20 * row,
// a glyph tells both; the Quake II and QuakeWorld sheets are row 0's.
struct ModelTest : ::testing::Test {
    test::AppFolder appDir;
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(appDir.path())};

    void SetUp() override {
        for (int row = 0; row < static_cast<int>(kQuake3Choices.size()); ++row) {
            QImage sheet(256, 256, QImage::Format_RGB32);
            for (int y = 0; y < 256; ++y) {
                for (int x = 0; x < 256; ++x) {
                    sheet.setPixel(x, y, qRgb(y / 16 * 16 + x / 16, 20 * row, 80));
                }
            }
            ASSERT_TRUE(sheet.save(appDir.pathOf(kQuake3Choices[row].sheet), "BMP"));
            if (row == 0) {
                ASSERT_TRUE(sheet.save(appDir.pathOf(BuiltInSheet::Quake2), "BMP"));
                ASSERT_TRUE(sheet.save(appDir.pathOf(BuiltInSheet::QuakeWorld), "BMP"));
            }
        }
        model.start();
    }
    const WindowState& state() const { return model.state(); }
    QByteArray nameText() const { return composeNameText(state()); }
    bool press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return model.keyPressed(key, modifiers, QString());
    }
    // < > [ ] are Left, Right, Home and End, # is Backspace, ~ Delete, ^ and a
    // digit Ctrl and that digit, | toggles insert mode, % is New Name, $ Paste
    // Name, ( Undo and ) Redo; anything else is typed.
    void play(const QString& script) {
        const std::map<QChar, std::function<void()>> actions{
            {u'<', [&] { press(Qt::Key_Left); }},
            {u'>', [&] { press(Qt::Key_Right); }},
            {u'[', [&] { press(Qt::Key_Home); }},
            {u']', [&] { press(Qt::Key_End); }},
            {u'#', [&] { press(Qt::Key_Backspace); }},
            {u'~', [&] { press(Qt::Key_Delete); }},
            {u'|', [&] { model.setInsertMode(!state().insertMode); }},
            {u'%', [&] { model.newName(); }},
            {u'$', [&] { model.pasteName(); }},
            {u'(', [&] { model.undo(); }},
            {u')', [&] { model.redo(); }}};
        for (qsizetype i = 0; i < script.size(); ++i) {
            if (script[i] == u'^') {
                press(Qt::Key_0 + script[++i].digitValue(), Qt::ControlModifier);
            } else if (const auto action = actions.find(script[i]); action != actions.end()) {
                action->second();
            } else {
                model.keyPressed(0, Qt::NoModifier, QString(script[i]));
            }
        }
    }

    // Each drawn glyph is its written byte's, in the colour the line's codes
    // give it as the games read them.
    void expectDrawnAsWritten(const std::string& step) {
        const QByteArray name = nameText();
        qsizetype i = 0;
        int row = 0;
        for (int k = 0; k < kNameLength; ++k, ++i) {
            while (i < name.size() && name[i] == '^') {
                const bool black = name.mid(i, 3) == "^^8";
                row = black ? 2 : colourRowOfCode(kQuake3Colours, name.mid(i, 2));
                i += black ? 3 : 2;
            }
            const char byte = i < name.size() ? name[i] : '\0';  // none past the end
            const QImage& glyph = state().cells[k].glyph;
            const std::string where =
                step + ": position " + std::to_string(k + 1) + " of " + name.toStdString();
            if (glyph.isNull()) {
                ASSERT_TRUE(byte == ' ' || byte == '\0') << where;
                continue;
            }
            ASSERT_EQ(qRed(glyph.pixel(8, 8)), static_cast<unsigned char>(byte)) << where;
            ASSERT_EQ(qGreen(glyph.pixel(8, 8)) / 20, row) << "colour at " << where;
        }
    }
};

using TypingTest = ModelTest;

// Each script starts on a new name in its mode (Quake II unless said).
TEST_F(TypingTest, keysAndTypedCharacters_editAsSlotClicksAndGlyphsWould) {
    struct Row {
        const char* name;
        QString script;
        QByteArray nameText;
        int cursor;
        int beeps = 0;
        GameMode mode = GameMode::Quake2;
        bool secondSet = false;
    };
    const QString x24 = u"ABCDEFGHIJKLMNOPQRSTUVWX"_s;
    const GameMode quake3 = GameMode::Quake3Arena;
    const Row rows[] = {
        // Typed characters write the code of their Windows-1252 byte.
        {"colour mode", u"Ab 1"_s, "^7Ab 1", 5, 0, quake3},
        {"hex pairs", u"A}"_s, "417D", 3, 0, GameMode::Quake2Hex},
        {"code page above 127", u"\u20AC\u00E9\u0178"_s, "\x80\xE9\x9F", 4},
        {"second set", u"A}\u00E9"_s, "\xC1\xFD\xE9", 4, 0, GameMode::Quake2, true},
        {"outside the code page", u"a\u4E2D\u0100b"_s, "ab", 3, 2},
        {"End on an empty name", u"]"_s, "", 1},
        {"Home, and no further left", u"ABC[<"_s, "ABC", 1},
        {"End after the last glyph, past a gap", u"ABC>>>>>>>>>>>>>>>>Z[]"_s,
         "ABC" + QByteArray(16, ' ') + "Z", 21},
        {"Right on a full name", x24 + u"Y<>>", x24.toLatin1() + "Y", 26},
        {"End on a full name", x24 + u"Y[]", x24.toLatin1() + "Y", 26},
        {"typing on a full name refused", x24 + u"Y!", x24.toLatin1() + "Y", 26, 1},
        {"Delete on a full name blanks 25", x24 + u"Y~", x24.toLatin1(), 26},
        {"Backspace blanks the glyph before", u"AB<#"_s, " B", 1},
        {"Backspace of the last glyph", u"A#"_s, "", 1},
        {"Backspace at position 1", u"A[#"_s, "A", 1, 1},
        {"Delete blanks at the cursor", u"ABC<<~"_s, "A C", 2},
        {"insert: Backspace closes the gap", u"ABCD<<|#"_s, "ACD", 2},
        {"insert: Delete closes the gap", u"ABCD<<|~"_s, "ABD", 3},
        {"over the coloured position its code is lost", u"AC[D"_s, "DC", 2, 0, quake3},
        {"insert: the colour code goes with its glyph", u"AC<|B[-"_s, "-^7ABC", 2, 0, quake3},
        // A glyph typed after red was chosen is written in red.
        {"red after Backspace took the coded glyph", u"^1A#B"_s, "^1B", 2, 0, quake3},
        {"red after New Name", u"^1A%B"_s, "^1B", 2, 0, quake3},
        {"red after Paste Name in another colour", u"^1$B"_s, "^3AC^1B", 4, 0, quake3},
        {"red already in force: no second code", u"^1AB"_s, "^1AB", 3, 0, quake3},
        {"Ctrl and each digit; Black written once", u"^1A^2B^3C^4D^5E^6F^7G^8HI"_s,
         "^1A^2B^3C^4D^5E^6F^7G^^8HI", 10, 0, quake3},
        {"no colours to choose", u"^1A"_s, "A", 2, 0, GameMode::QuakeWorld},
        {"insert: into a full name refused", x24 + u"|[_*", "_" + x24.toLatin1(), 2, 1},
    };
    desktop.clipboardHolds = u"name \"^3AC^7\""_s;
    for (const Row& row : rows) {
        model.selectMode(row.mode);
        model.setInsertMode(false);
        model.setTypeSecondSet(row.secondSet);
        desktop.beeps = 0;
        play(row.script);
        EXPECT_EQ(nameText(), row.nameText) << row.name;
        EXPECT_EQ(state().rawNameBox, decodeCp1252(row.nameText)) << row.name;
        EXPECT_EQ(state().CursorPos, row.cursor) << row.name;
        EXPECT_EQ(markerLeftTwips(state()), 240 * (std::min(row.cursor, 25) - 1)) << row.name;
        EXPECT_EQ(desktop.beeps, row.beeps) << row.name;
        if (row.mode != GameMode::Quake2Hex) {
            expectDrawnAsWritten(row.name);
        }
    }
    EXPECT_EQ(state().notice, u"Name full: nothing inserted"_s);
    EXPECT_TRUE(desktop.messages.empty());  // no box to dismiss
    EXPECT_EQ(model.history().undoText(), u"Insert Glyph"_s);
    model.undo();  // the refusal was no change: this undoes "_"
    EXPECT_EQ(nameText(), x24.toLatin1());
    EXPECT_EQ(state().notice, QString());
}

// Ctrl and a digit chooses a colour where there are colours (typing rows
// above); every other chord is left to the window.
TEST_F(TypingTest, chords_otherThanCtrlAndAColourDigit_areLeftToTheWindow) {
    EXPECT_FALSE(model.keyPressed(Qt::Key_Tab, Qt::NoModifier, u"\t"_s));
    EXPECT_FALSE(model.keyPressed(Qt::Key_Return, Qt::NoModifier, u"\r"_s));
    EXPECT_FALSE(model.keyPressed(Qt::Key_A, Qt::ControlModifier, u"\x01"_s));
    EXPECT_FALSE(model.keyPressed(Qt::Key_F, Qt::AltModifier, u"f"_s));
    EXPECT_TRUE(model.keyPressed(Qt::Key_A, Qt::ShiftModifier, u"A"_s));
    EXPECT_TRUE(press(Qt::Key_8, Qt::ControlModifier));
    model.selectMode(GameMode::QuakeWorld);
    EXPECT_FALSE(press(Qt::Key_1, Qt::ControlModifier));
}

// Long random scripts of keys, colour chords, loads and undo: after every step
// each drawn glyph is its written byte's, in the colour the line gives it.
TEST_F(TypingTest, randomScripts_drawEveryGlyphInItsWrittenColour) {
    const QByteArray glyphs = "ABCXYZabcxyz0189!*+-=?@"_ba;  // each its own single byte
    std::mt19937 random(24);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int script = 0; script < 60; ++script) {
        model.selectMode(script % 3 == 2 ? GameMode::Wolfenstein : GameMode::Quake3Arena);
        model.setInsertMode(false);
        std::string steps;
        for (int step = 0; step < 60; ++step) {
            const int kind = pick(16);
            const QString token = kind < 2   ? u"^%1"_s.arg(1 + pick(8))
                                  : kind < 5 ? QString(QLatin1Char(glyphs[pick(glyphs.size())]))
                                             : QString(u"#~<>[]|()%$"_s[kind - 5]);
            if (token == u"$") {
                desktop.clipboardHolds = u"^%1AB^%2C"_s.arg(1 + pick(7)).arg(1 + pick(7));
                steps += desktop.clipboardHolds.toStdString();
            }
            play(token);
            steps += token.toStdString() + ' ';
            ASSERT_NO_FATAL_FAILURE(expectDrawnAsWritten(steps));
        }
    }
}

// Xonotic's "Other colour...": a cancelled dialog leaves the list's choice.
TEST_F(ModelTest, otherColourCancelled_keepsTheColourAndTheListsChoice) {
    model.selectMode(GameMode::Xonotic);
    model.chooseColour(1);
    model.chooseColour(10);  // the dialog is cancelled
    EXPECT_EQ(model.state().colourListIndex, 1);
    EXPECT_EQ(model.state().ColorPrefix, "^1");
    desktop.colourReplies.push_back(QColor(255, 136, 0));
    model.chooseColour(10);
    EXPECT_EQ(model.state().colourListIndex, 10);
    EXPECT_EQ(model.state().ColorPrefix, "^xF80");
}

// The bytes alone read as a blank where `_` was picked: the check says so
// for each such position, in every engine of the game.
TEST_F(ModelTest, pickedGlyphsTheColourTableWritesAsOthers_areFindingsOfEveryEngine) {
    const auto expectFindings = [&](GameMode mode, std::vector<int> codes, QStringList texts) {
        model.selectMode(mode);
        for (const int code : codes) {
            model.pickGlyph(code);
        }
        const CheckReport report = model.nameCheck();
        ASSERT_FALSE(report.engines.isEmpty());
        for (const EngineReport& engine : report.engines) {
            QStringList found;
            for (const Finding& f : engine.findings) {
                if (f.text.contains(u"this mode writes"_s)) {
                    found << f.text;
                    EXPECT_EQ(f.severity, Severity::GlyphsChanged);
                }
            }
            EXPECT_EQ(found, texts) << qPrintable(engine.engine);
        }
    };
    const QStringList texts{
        u"Position 1: this mode writes _ as a blank; the game shows a blank."_s,
        u"Position 2: this mode writes : as a blank; the game shows a blank."_s,
        u"Position 3: this mode writes \" as ~; the game shows ~."_s,
        u"Position 4: this mode writes ` as '; the game shows '."_s,
        u"Position 5: this mode writes code 9 as 3 blanks; the game shows 3 blanks."_s,
        u"Position 6: this mode writes code 4 as code 3; the game shows the glyph of code 3."_s,
        u"Position 8: this mode writes code 255 as a blank; the game shows a blank."_s};
    for (const GameMode mode : {GameMode::Quake3Arena, GameMode::Wolfenstein}) {
        expectFindings(mode, {'_', ':', '"', '`', 9, 4, 'A', 255}, texts);
    }
    // In the UTF-8 games a glyph's several bytes are that glyph: é in ET:
    // Legacy, a Quake glyph or `$` in Xonotic.
    for (const GameMode mode : {GameMode::EtLegacy, GameMode::Xonotic}) {
        expectFindings(mode, {0xE9, 0x90, '$', 'A'}, {});
    }
    expectFindings(GameMode::QuakeWorld, {'_'}, {});  // the byte table writes _ as _
}

TEST_F(ModelTest, hover_showsNumberFrameAndBothViews_backgroundClearsThem) {
    for (const int code : {0, 65, 255}) {
        model.previewGlyph(code);
        EXPECT_EQ(state().previewCaption, u"Char Number: %1"_s.arg(code + 1));
        EXPECT_EQ(state().frameCode, code);
        EXPECT_EQ(qRed(state().regularView.pixel(8, 8)), code);
        EXPECT_EQ(state().enlargedView.size(), QSize(32, 32));
    }
    model.clearPreview();
    EXPECT_EQ(state().previewCaption, u"Char Number:"_s);
    EXPECT_FALSE(state().frameCode.has_value());
    EXPECT_TRUE(state().regularView.isNull() && state().enlargedView.isNull());
}

using UndoTest = ModelTest;

TEST_F(UndoTest, everyChange_undoesToTheStateBeforeIt_andRedoes_noChangeLeavesNoEntry) {
    play(u"AB[~%"_s);  // Delete at 1, New Name
    EXPECT_EQ(nameText(), QByteArray());
    EXPECT_TRUE(state().ColorWritten);  // a new name doesn't repeat the colour
    EXPECT_EQ(model.history().undoText(), u"New Name"_s);

    model.undo();
    EXPECT_EQ(nameText(), " B"_ba);
    EXPECT_EQ(state().CursorPos, 1);
    EXPECT_EQ(model.history().undoText(), u"Delete"_s);
    model.undo();
    EXPECT_EQ(state().rawNameBox, u"^7AB"_s);
    EXPECT_EQ(state().CursorPos, 1);  // where the Delete happened, not where the B left it
    EXPECT_EQ(model.history().undoText(), u"Add Glyph"_s);
    model.undo();
    EXPECT_EQ(nameText(), "^7A"_ba);
    expectDrawnAsWritten("first glyph");
    EXPECT_EQ(state().CursorPos, 2);
    model.undo();
    EXPECT_EQ(nameText(), QByteArray());
    EXPECT_FALSE(state().ColorWritten);  // the white code is pending again
    EXPECT_FALSE(model.history().canUndo());

    play(u"))))"_s);
    EXPECT_EQ(nameText(), QByteArray());
    EXPECT_FALSE(model.history().canRedo());
    // Changes that change nothing leave no entry; the cursor alone is not a change.
    play(u"~%>>>>>>("_s);
    EXPECT_EQ(nameText(), " B"_ba);
}

TEST_F(UndoTest, gameSwitch_isOneStep_bringingBackModeSheetColourAndName) {
    play(u"^1AB"_s);
    const WindowState before = state();
    model.selectMode(GameMode::Quake2);
    play(u"Z"_s);
    EXPECT_EQ(nameText(), "Z"_ba);

    model.undo();  // the Z
    EXPECT_EQ(model.history().undoText(), u"Game Switch"_s);
    model.undo();
    EXPECT_EQ(state().modeLabel, before.modeLabel);
    EXPECT_EQ(nameText(), "^1AB"_ba);
    EXPECT_EQ(state().sheetSource.cacheKey(), before.sheetSource.cacheKey());
    EXPECT_EQ(state().ColorPrefix, "^1"_ba);
    EXPECT_EQ(state().Table, before.Table);
    EXPECT_EQ(state().CursorPos, 3);
    model.redo();
    EXPECT_EQ(state().modeLabel, u"Mode: Quake2 (ASCII Standard)"_s);
    EXPECT_EQ(nameText(), QByteArray());
    model.undo();
    model.undo();  // the B, made before the switch
    EXPECT_EQ(nameText(), "^1A"_ba);
    model.redo();
    play(u"C"_s);  // goes on in red, in the old mode
    EXPECT_EQ(nameText(), "^1ABC"_ba);

    // A cancelled custom-picture switch records nothing.
    const int entries = model.history().count();
    model.selectMode(GameMode::QuakeWorldMod);
    EXPECT_EQ(model.history().count(), entries);
}

// Each load is one change, named in the Edit menu, that Undo puts back
// whole; a refused paste and a cancelled open record nothing.
TEST_F(UndoTest, eachLoadIsOneNamedChange_refusedOrCancelledLoadsNone) {
    play(u"Ok"_s);
    const int entries = model.history().count();
    desktop.clipboardHolds = u"Player_1"_s;  // no glyph of the colour modes writes '_'
    model.pasteName();
    model.openName();  // cancelled
    EXPECT_EQ(model.history().count(), entries);

    desktop.clipboardHolds = u"seta name \"^1Long^4Pasted^7\""_s;
    model.pasteName();
    EXPECT_EQ(model.history().undoText(), u"Paste Name"_s);
    const QString file = appDir.path() + u"/q3config.cfg"_s;
    test::writeBytes(file, "seta name \"Opened\"\r\n");
    desktop.openReplies.push_back(file);
    model.openName();
    EXPECT_EQ(nameText(), "Opened");
    EXPECT_EQ(model.history().undoText(), u"Open Name"_s);
    model.undo();
    EXPECT_EQ(nameText(), "^1Long^4Pasted");
    model.undo();
    EXPECT_EQ(nameText(), "^7Ok");
}

// The dialog's preview records nothing and Cancel puts the name back; OK is
// one change that Undo takes back whole, pictures included.
TEST_F(UndoTest, gradientPreviewRecordsNothing_okIsOneStep) {
    play(u"Hello"_s);
    const int entries = model.history().count();

    std::optional<colour::GradientForm> form = model.gradientForm();
    ASSERT_TRUE(form);
    form->stops = {{255, 0, 0}, std::nullopt, {0, 0, 255}};
    model.previewGradient(*form);
    const QByteArray coloured = "^1He^6l^4lo";
    EXPECT_EQ(nameText(), coloured);
    EXPECT_EQ(model.history().count(), entries);
    model.endGradientPreview();
    EXPECT_EQ(nameText(), "^7Hello");

    model.previewGradient(*form);
    model.applyGradient(*form);
    EXPECT_EQ(model.history().count(), entries + 1);
    EXPECT_EQ(model.history().undoText(), u"Colour Gradient"_s);
    EXPECT_EQ(nameText(), coloured);
    EXPECT_EQ(state().commandLineBox, u"name \"^1He^6l^4lo^7\""_s + test::kTagText);
    expectDrawnAsWritten("gradient");
    model.undo();
    EXPECT_EQ(nameText(), "^7Hello");
    expectDrawnAsWritten("gradient undone");
    model.redo();
    EXPECT_EQ(nameText(), coloured);

    model.selectMode(GameMode::QuakeWorld);
    EXPECT_FALSE(model.gradientForm());
}

// Records each window call with the number of message boxes shown before
// it, so a test sees the order of boxes and windows in one list.
struct ShellFixture : ShellWindows {
    explicit ShellFixture(const QByteArray& settings = {}, const QString& appSubfolder = {})
        : shell(desktop, *this, AppPaths::inFolder(dir.path() + appSubfolder)) {
        if (!settings.isNull()) {  // null: no settings file at all
            test::writeBytes(ini(), settings);
        }
    }
    QString ini() const { return dir.path() + u"/vtl.ini"_s; }
    QString take() { return std::exchange(calls, {}).join(u' '); }
    void record(QStringView what) { calls << u"%1@%2"_s.arg(what).arg(desktop.messages.size()); }
    void loadMainWindow() override { record(u"loadMain"); }
    void showMainWindow() override { record(u"showMain"); }
    void unloadMainWindow() override { record(u"unloadMain"); }
    void openConfigure() override { record(u"openConfigure"); }
    void unloadConfigure() override { record(u"unloadConfigure"); }
    void openAbout() override { record(u"openAbout"); }
    void quit() override { record(u"quit"); }

    QTemporaryDir dir;
    test::FakeDesktop desktop;
    QStringList calls;
    Shell shell;
};

TEST(Shell, firstRun_greetsWritesNoOpensConfigure_andWindowsNeverAllClose) {
    ShellFixture f("[Vantorel]\r\nfirst=yes\r\nq3config=C:\\q3\r\n"_ba);
    EXPECT_FALSE(f.shell.start());
    EXPECT_EQ(f.take(), u"loadMain@0 unloadMain@1 openConfigure@1"_s);
    const Message& greeting = f.desktop.messages.at(0);
    EXPECT_EQ(greeting.text,
              u"THIS MESSAGE WILL ONLY APPEAR ONCE:\rThanks for choosing Vantorel.\r"
              "Since this is your first time running Vantorel, you will be "
              "prompted to configure VTL with QuakeWorld and/or Quake3: Arena. If "
              "you are using Vantorel for a game/program other than QuakeWorld or "
              "Quake3: Arena then press cancel and continue to run Vantorel. If you "
              "need help click the Help menu from the main screen and view our "
              "help and tutorials page. If you need help after that feel free to "
              "send me an email."_s);
    EXPECT_TRUE(greeting.title.isEmpty());  // the box shows the application's
    EXPECT_EQ(greeting.icon, MessageIcon::None);
    EXPECT_EQ(readBytes(f.ini()), "[Vantorel]\r\nfirst=no\r\nq3config=C:\\q3\r\n"_ba);

    // The main window first: closing the last window would end the program.
    f.shell.configureLeft();
    EXPECT_EQ(f.take(), u"loadMain@1 showMain@1 unloadConfigure@1"_s);
    // The command opens the dialog before closing the main window, for the same reason.
    f.shell.openConfigure();
    EXPECT_EQ(f.take(), u"openConfigure@1 unloadMain@1"_s);
}

TEST(Shell, flagOtherThanExactlyYes_startsNormallyAndWritesNothing) {
    for (const QByteArray& content :
         {QByteArray(), "[Vantorel]\r\nfirst=Yes\r\n"_ba, "[Vantorel]\r\nfirst=YES\r\n"_ba,
          "[Other]\r\nfirst=yes\r\n"_ba}) {
        ShellFixture f(content);
        EXPECT_TRUE(f.shell.start()) << content.constData();
        EXPECT_EQ(f.take(), u"loadMain@0 showMain@0"_s) << content.constData();
        EXPECT_EQ(QFile::exists(f.ini()) ? readBytes(f.ini()) : QByteArray(), content);
    }
}

// Greeting again on return from Configure would lock the user out for good.
TEST(Shell, flagCannotBeWritten_greetsOnlyOnceThisRun) {
    ShellFixture f("[Vantorel]\r\nfirst=yes\r\n"_ba);
    test::ReadOnlyFolder readOnly(f.dir.path(), f.ini());
    VTL_REQUIRE_READ_ONLY(readOnly);
    f.shell.start();
    f.shell.configureLeft();
    EXPECT_TRUE(f.calls.contains(u"showMain@1"_s));
    EXPECT_EQ(readBytes(f.ini()), "[Vantorel]\r\nfirst=yes\r\n"_ba);
}

TEST(Shell, unreadableSettingsFile_saidOnceWithFileAndReason_andLeftAlone) {
    const QByteArray content = "\0[Vantorel]\r\nfirst=yes\r\n"_ba;
    ShellFixture f(content);
    EXPECT_TRUE(f.shell.start());
    f.shell.openConfigure();
    f.shell.configureLeft();
    EXPECT_EQ(f.desktop.messageTexts(),
              QStringList{u"The settings file %1 could not be read: it holds NUL bytes, so it is "
                          u"not 8-bit text.\rVantorel leaves it as it is and keeps no settings "
                          u"in it."_s.arg(f.ini())});
    EXPECT_EQ(f.desktop.messages.at(0).icon, MessageIcon::Warning);
    EXPECT_EQ(readBytes(f.ini()), content);
}

TEST(Shell, exitQuestion_endsOnlyOnYes) {
    ShellFixture f;
    f.desktop.answers = {MessageAnswer::No, MessageAnswer::Yes};
    f.shell.exitProgram();
    EXPECT_EQ(f.take(), QString());
    f.shell.exitProgram();
    EXPECT_EQ(f.take(), u"quit@2"_s);
    const Message& q = f.desktop.messages.at(0);
    EXPECT_EQ(q.text + u'|' + q.title, u"Are you sure you want to exit?|Exit?"_s);
    EXPECT_EQ(q.buttons, MessageButtons::YesNo);
    EXPECT_EQ(q.icon, MessageIcon::Question);
    EXPECT_EQ(q.defaultButton, MessageAnswer::No);
}

// The guide's address must survive an awkward application folder. Help that
// can't start a browser says where the guide is; the home page reports nothing.
TEST(Shell, helpAndHomepage_openThroughTheDesktop_helpWithoutABrowserNamesTheGuide) {
    ShellFixture f({}, u"/with space #1 %20 é"_s);
    const QString guide = f.dir.path() + u"/with space #1 %20 é/docs/index.html"_s;
    f.desktop.urlOpens = false;
    f.shell.openUserGuide();
    f.shell.openHomepage();
    ASSERT_EQ(f.desktop.openedUrls.size(), 2u);
    EXPECT_EQ(QUrl(f.desktop.openedUrls[0], QUrl::StrictMode).toLocalFile(), guide);
    EXPECT_EQ(f.desktop.openedUrls[1], u"http://www.quenmoor.example/"_s);
#ifdef Q_OS_WIN
    const QString noViewer =
        u"No program was found to show the user guide (no web browser "
        u"opens .html files). Open this file in a web browser:\r"_s;
#else
    const QString noViewer =
        u"No program was found to show the user guide (xdg-open, from the "
        u"xdg-utils package). Open this file in a web browser:\r"_s;
#endif
    EXPECT_EQ(f.desktop.messageTexts(), QStringList{noViewer + QDir::toNativeSeparators(guide)});
    f.desktop.urlOpens = true;
    f.desktop.messages.clear();
    f.shell.openUserGuide();
    EXPECT_TRUE(f.desktop.messages.empty());
}

TEST(UserGuide, isBesideTheBuiltProgramWithItsPictures) {
    const QString docs = QStringLiteral(VTL_BUILD_APP_DIR "/docs/");
    static const QRegularExpression image(u"<img src=\"([^\"]+)\""_s);
    int images = 0;
    for (const QRegularExpressionMatch& m :
         image.globalMatch(QString::fromUtf8(readBytes(docs + u"index.html"_s)))) {
        ++images;
        EXPECT_TRUE(QFile::exists(docs + m.captured(1))) << qPrintable(m.captured(1));
    }
    EXPECT_GE(images, 1);
}

const QByteArray kOldSettings = "[Vantorel]\r\nfirst=no\r\nq3config=C:\\Games\\baseq3 \r\n"_ba;

// A Quake III install, of white glyphs, in a folder whose name is not Latin-1.
struct GameCharsetTest : ModelTest {
    void SetUp() override {
        test::writeBytes(model.settingsFile(), kOldSettings);
        test::writeFile(folder + u"/baseq3/pak0.pk3"_s,
                        test::zip({{"gfx/2d/bigchars.tga", test::tga(glyphs, true)}}));
        ModelTest::SetUp();
    }

    QString remembered() const {
        return ReadIni(u"Charsets"_s, u"quake3"_s, model.settingsFile(), IniText::FileName);
    }
    QImage tinted(QRgb colour) const { return charset::tintedSheet(glyphs, colour); }
    QRgb builtIn(BuiltInSheet sheet) const { return QImage(appDir.pathOf(sheet)).pixel(0, 0); }

    const QImage glyphs = test::whiteGlyphs();
    QTemporaryDir game;
    const QString folder = game.path() + u"/gra żółw ゲーム"_s;
};

// Glyphs placed before a charset change are drawn again in the new one, each
// in the colour its bytes give it; going back draws them from the built-in sheets.
TEST_F(GameCharsetTest, chosenInQuake3_shownTintedAndRememberedAcrossStartsAndSwitches_orSaidGone) {
    model.chooseColour(1);  // Red
    model.pickGlyph(65);
    model.chooseColour(4);  // Green
    model.pickGlyph(66);
    desktop.folderReplies.push_back(folder);
    model.useGameCharset();
    EXPECT_EQ(desktop.folderPrompts, std::vector<QString>{kGameFolderPrompt});
    EXPECT_EQ(model.state().mapPicture, tinted(qRgb(0, 255, 0)));
    EXPECT_EQ(state().cells[0].glyph, tinted(qRgb(255, 0, 0)).copy(16, 64, 16, 16));
    EXPECT_EQ(state().cells[1].glyph, tinted(qRgb(0, 255, 0)).copy(32, 64, 16, 16));
    EXPECT_EQ(model.state().charsetNote,
              u"Charset: "_s +
                  QDir::toNativeSeparators(folder + u"/baseq3/pak0.pk3 (gfx/2d/bigchars.tga)"_s));
    EXPECT_EQ(remembered(), folder);
    EXPECT_TRUE(test::readBytes(model.settingsFile()).startsWith(kOldSettings))
        << "old keys keep their bytes";
    model.chooseColour(2);  // Black
    EXPECT_EQ(model.state().mapPicture, tinted(qRgb(0, 0, 0)));
    model.pickGlyph(65);
    EXPECT_EQ(state().cells[2].glyph, tinted(qRgb(0, 0, 0)).copy(16, 64, 16, 16));
    model.useBuiltInCharset();
    expectDrawnAsWritten("the built-in charset again");
    EXPECT_TRUE(remembered().isEmpty());

    WriteIni(u"Charsets"_s, u"quake3"_s, folder, model.settingsFile(), nullptr, IniText::FileName);
    MainWindowModel next(desktop, AppPaths::inFolder(appDir.path()));
    next.start();
    const WindowState& s = next.state();
    EXPECT_EQ(s.mapPicture, tinted(qRgb(255, 255, 255)));
    next.selectMode(GameMode::JumpGate);
    EXPECT_EQ(s.mapPicture.pixel(0, 0), builtIn(BuiltInSheet::JumpGate));
    EXPECT_TRUE(s.charsetGameKey.isEmpty()) << "the commands are off in JumpGate";
    EXPECT_TRUE(s.charsetNote.isEmpty());
    next.selectMode(GameMode::Quake3Arena);
    next.selectMode(GameMode::QuakeWorldMod);  // its picture dialog is cancelled
    next.chooseColour(1);
    EXPECT_EQ(s.mapPicture, tinted(qRgb(255, 0, 0))) << "still the game's charset";

    next.useBuiltInCharset();
    EXPECT_EQ(s.mapPicture.pixel(0, 0), builtIn(BuiltInSheet::Q3Red));
    EXPECT_TRUE(s.charsetNote.isEmpty());
    next.selectMode(GameMode::Wolfenstein);
    next.selectMode(GameMode::Quake3Arena);
    EXPECT_EQ(s.mapPicture.pixel(0, 0), builtIn(BuiltInSheet::Q3White));

    // A folder that is gone: the built-in sheet, and the bottom row says why once.
    WriteIni(u"Charsets"_s, u"quake3"_s, folder + u"/gone"_s, model.settingsFile(), nullptr,
             IniText::FileName);
    MainWindowModel third(desktop, AppPaths::inFolder(appDir.path()));
    third.start();
    EXPECT_EQ(third.state().mapPicture.pixel(0, 0), builtIn(BuiltInSheet::Q3White));
    EXPECT_EQ(third.state().charsetNote,
              u"Built-in charset: "_s + QDir::toNativeSeparators(folder + u"/gone is gone"_s));
    third.selectMode(GameMode::Quake2);
    third.selectMode(GameMode::Quake3Arena);
    EXPECT_TRUE(third.state().charsetNote.isEmpty());
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(remembered(), folder + u"/gone"_s) << "kept for when it is back";
}

TEST_F(GameCharsetTest, byteGame_sharedByBothQuake2Modes) {
    test::writeFile(game.path() + u"/baseq2/pics/conchars.pcx"_s,
                    test::pcx(128, 128, test::pattern(128, 128)));
    model.selectMode(GameMode::Quake2);
    desktop.folderReplies.push_back(game.path() + u"/baseq2"_s);
    model.useGameCharset();
    const QImage own = model.state().mapPicture;
    EXPECT_EQ(own.pixel(0, 0), test::paletteColour(0)) << "index 0 in the PCX's own palette";
    model.selectMode(GameMode::Quake2Hex);
    EXPECT_EQ(model.state().mapPicture, own);
    model.selectMode(GameMode::QuakeWorld);
    EXPECT_EQ(model.state().mapPicture.pixel(0, 0), builtIn(BuiltInSheet::QuakeWorld));
}

TEST_F(GameCharsetTest, noCharsetDamagedOrCancelled_changesNothing) {
    const QString empty = game.path() + u"/empty"_s;
    QDir().mkpath(empty + u"/baseq3"_s);
    test::writeFile(game.path() + u"/bad/baseq3/pak0.pk3"_s, QByteArray(100, 'x'));
    const QImage before = model.state().mapPicture;
    // Not found, damaged (both messages name the place), cancelled (no message).
    for (const QString& reply : {empty, QString(game.path() + u"/bad"_s), QString()}) {
        SCOPED_TRACE(reply.toStdString());
        desktop.messages.clear();
        desktop.folderReplies.push_back(reply);
        model.useGameCharset();
        ASSERT_EQ(desktop.messages.size(), reply.isEmpty() ? 0u : 1u);
        EXPECT_TRUE(reply.isEmpty() ||
                    desktop.messages[0].text.contains(u"\""_s + QDir::toNativeSeparators(reply)));
        EXPECT_EQ(model.state().mapPicture, before);
        EXPECT_TRUE(model.state().charsetNote.isEmpty());
        EXPECT_EQ(test::readBytes(model.settingsFile()), kOldSettings);
    }
}

// The files a user's session writes are the same bytes on every system the
// program is built for: this test runs in the Linux build (make test) and in
// the Windows build under Wine (make test-windows). Compose a name in red and
// white with a high glyph, Save Name, Quick Save into a Quake III folder of no
// Latin-1 name (read back as a file name, not as Windows-1252 text), Export
// name as Bitmap: the real glyph sheets the build drew, read by each system's
// own image decoders, must give the files the Linux program writes.
TEST(SameBytesEverywhere, saveQuickSaveAndBitmap_writeTheLinuxProgramsBytes) {
    QTemporaryDir appDir;
    QTemporaryDir out;
    QDirIterator sheets(QStringLiteral(VTL_BUILD_APP_DIR), {u"*.gif"_s}, QDir::Files,
                        QDirIterator::Subdirectories);
    while (sheets.hasNext()) {
        const QString from = sheets.next();
        const QString to =
            appDir.filePath(QDir(QStringLiteral(VTL_BUILD_APP_DIR)).relativeFilePath(from));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(to).path()) && QFile::copy(from, to));
    }
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(appDir.path())};
    model.start();
    model.chooseColour(1);
    for (const int code : std::initializer_list<int>{'V', 't', 'l', 0x80}) {
        model.pickGlyph(code);
    }
    model.chooseColour(0);
    model.pickGlyph('!');

    const QString folder =
        out.filePath(u"Quake III Arena/micha\u0142/\u30E6\u30FC\u30B6\u30FC/baseq3"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WriteIni(u"Vantorel"_s, u"q3config"_s, QDir::toNativeSeparators(folder),
                         model.settingsFile(), nullptr, IniText::FileName));
    desktop.answers.assign(8, MessageAnswer::Yes);  // whatever the check asks
    desktop.saveReplies = {out.filePath(u"name.cfg"_s), out.filePath(u"name.bmp"_s)};
    model.saveName();
    model.quickSave();
    model.exportAsBitmap();

    const QByteArray line = "\r\nname \"^1Vtl\x80^7!^7\""_ba + test::kTag + test::kTrailer + "\r\n";
    EXPECT_EQ(test::readBytes(out.filePath(u"name.cfg"_s)), line);
    EXPECT_EQ(test::readBytes(folder + u"/q3config.cfg"_s), line);
    // The picture from the Linux program's own export (433 x 25 pixels).
    EXPECT_EQ(QCryptographicHash::hash(test::readBytes(out.filePath(u"name.bmp"_s)),
                                       QCryptographicHash::Sha1),
              QByteArray::fromHex("809cd9e16c3f46fcc518f65f393cb6a8a98b99e3"));
}

}  // namespace
}  // namespace vtl
