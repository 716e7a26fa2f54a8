#include "models/MainWindowModel.h"

#include <algorithm>

#include "check/CheckQuestions.h"
#include "check/PickedGlyphs.h"
#include "core/Cp1252.h"
#include "core/NameEditing.h"
#include "core/NameHistory.h"
#include "ini/Ini.h"
#include "ini/Settings.h"
#include "models/GameCharsetCommands.h"
#include "modes/ColourList.h"
#include "modes/Quake3FamilyModes.h"
#include "output/GameQuickSave.h"
#include "output/NamePicture.h"
#include "output/OutputCommands.h"
#include "reading/NameLoading.h"

namespace vtl {
namespace {

// Enough for any session of composing; bounds the memory of a long one.
constexpr int kHistoryLimit = 1000;

}  // namespace

MainWindowModel::MainWindowModel(Desktop& desktop, AppPaths paths)
    : desktop_(desktop), paths_(std::move(paths)) {
    history_.setUndoLimit(kHistoryLimit);
}

void MainWindowModel::start() {
    forgetColourSheets();
    const bool switched = switchMode(state_, desktop_, paths_.dataDir(), GameMode::Quake3Arena);
    applyRememberedCharset(state_, settingsFile(), switched);
    history_.clear();
}

void MainWindowModel::takeBack(const WindowState& kept) {
    state_ = kept;
    vtl::clearPreview(state_);
    state_.notice.clear();
    history_.clear();
    forgetColourSheets();
}

void MainWindowModel::pickGlyph(int code) {
    state_.notice.clear();
    bool placed = true;
    changeName(state_.insertMode ? kInsertGlyphChange : kAddGlyphChange, [&](WindowState& s) {
        // The glyph is drawn in the colour the map shows; where the name's
        // bytes would give it another (a deleted or overwritten glyph took
        // the colour's code with it, or the cursor went back past it), the
        // code is written again.
        const bool writtenBefore = s.ColorWritten;
        const ColourSet& colours = listedColours(s);
        if (s.Family == GameFamily::Colour &&
            colourInForceAfter(colours, s.cells, std::min(s.CursorPos, kNameLength) - 1) !=
                colourRowOfCode(colours, s.ColorPrefix)) {
            s.ColorWritten = false;
        }
        placed = placeGlyph(s, desktop_, code);
        if (!placed) {
            s.ColorWritten = writtenBefore;
        }
    });
    if (!placed) {
        desktop_.beep();
        state_.notice = kNameFullNotice;
    }
}
void MainWindowModel::previewGlyph(int code) {
    vtl::previewGlyph(state_, code);
}
void MainWindowModel::clearPreview() {
    vtl::clearPreview(state_);
}
void MainWindowModel::deleteAtCursor() {
    state_.notice.clear();
    changeName(kDeleteChange, [](WindowState& s) { vtl::deleteAtCursor(s); });
}
void MainWindowModel::eraseBeforeCursor() {
    state_.notice.clear();
    bool erased = true;
    changeName(kBackspaceChange, [&](WindowState& s) { erased = vtl::eraseBeforeCursor(s); });
    if (!erased) {
        desktop_.beep();
    }
}

bool MainWindowModel::keyPressed(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const Qt::KeyboardModifiers chord =
        modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (chord == Qt::ControlModifier && key >= Qt::Key_0 && key <= Qt::Key_9) {
        return chooseColourByDigit(key - Qt::Key_0);
    }
    if (chord != Qt::NoModifier) {
        return false;
    }
    switch (key) {
        case Qt::Key_Left:
            moveCursorTo(state_.CursorPos - 1);
            return true;
        case Qt::Key_Right:
            moveCursorTo(state_.CursorPos + 1);
            return true;
        case Qt::Key_Home:
            moveCursorTo(1);
            return true;
        case Qt::Key_End:
            moveCursorTo(endPosition(state_));
            return true;
        case Qt::Key_Backspace:
            eraseBeforeCursor();
            return true;
        case Qt::Key_Delete:
            deleteAtCursor();
            return true;
        default:
            return typeText(text);
    }
}

bool MainWindowModel::typeText(const QString& text) {
    const QList<uint> characters = text.toUcs4();
    const bool forTheName =
        !characters.isEmpty() && std::none_of(characters.begin(), characters.end(),
                                              [](uint c) { return c < 0x20 || c == 0x7F; });
    if (!forTheName) {
        return false;
    }
    // The text games' map holds U+0000-U+00FF, code c being U+00c.
    const FamilyRow* family = currentFamilyRow(state_);
    const bool latin1 = family && family->text;
    for (const uint character : characters) {
        int code = -1;  // none: the character has no glyph in this map
        if (latin1) {
            code = character <= 0xFF ? static_cast<int>(character) : -1;
        } else if (const std::optional<unsigned char> byte = cp1252Byte(character)) {
            code = *byte;
        }
        if (code < 0) {
            desktop_.beep();
            continue;
        }
        // Typing on past the end would write position 25 again and again;
        // it is refused as an insert into a full name is.
        if (state_.CursorPos > kNameLength && !state_.insertMode) {
            desktop_.beep();
            state_.notice = kNameFullNotice;
            continue;
        }
        const bool secondSet = state_.typeSecondSet && code >= 32 && code <= 127;
        pickGlyph(secondSet ? code + 128 : code);
    }
    return true;
}

bool MainWindowModel::chooseColourByDigit(int digit) {
    const ColourSet* colours = currentColours(state_);
    if (!colours || !state_.colourListEnabled) {
        return false;
    }
    // The colour whose code ends in the digit: ^1..^7, and ^^8 for Black.
    for (std::size_t row = 0; row < colours->choices.size(); ++row) {
        const QByteArrayView code(colours->choices[row].code);
        if (code.back() == '0' + digit) {
            chooseColour(static_cast<int>(row));
            return true;
        }
    }
    return false;
}
void MainWindowModel::moveCursorTo(int position) {
    vtl::moveCursorTo(state_, position);
}

void MainWindowModel::editRawNameBox(const QString& text) {
    state_.rawNameBox = text;
}
void MainWindowModel::editCommandLineBox(const QString& text) {
    state_.commandLineBox = text;
}

void MainWindowModel::newName() {
    changeName(kNewNameChange, [](WindowState& s) { vtl::startNewName(s); });
}
// A load is one change however many positions it fills; a refused or
// cancelled load changes nothing and so records nothing.
void MainWindowModel::openName() {
    changeName(kOpenNameChange, [&](WindowState& s) {
        vtl::openName(s, desktop_, colourSheetsOf(s, paths_.dataDir(), desktop_));
    });
}
void MainWindowModel::pasteName() {
    changeName(kPasteNameChange, [&](WindowState& s) {
        vtl::pasteName(s, desktop_, colourSheetsOf(s, paths_.dataDir(), desktop_));
    });
}

void MainWindowModel::saveName() {
    if (state_.Mode == GameMode::QuakeLive && !state_.steamNameTold) {
        state_.steamNameTold = true;
        showInfo(desktop_, kQuakeLiveSteamNameText);
    }
    if (!confirmLineWrite(desktop_, nameCheck())) {
        return;
    }
    vtl::saveName(state_, desktop_);
}
void MainWindowModel::quickSave() {
    const CheckReport check = nameCheck();
    if (const std::optional<ConfigGame> game = configGameOf(state_.Config)) {
        const GameFolderStore store{
            [this](const QString& key) {
                return ReadIniFolder(kGameFolderSection, key, settingsFile());
            },
            [this](const QString& key, const QString& folder, QString* error) {
                return WriteIni(kGameFolderSection, key, folder, settingsFile(), error,
                                IniText::FileName);
            }};
        quickSaveToGame(
            state_, desktop_, *game, store, userFolders_,
            [this, &check](const QString&, qint64) { return confirmLineWrite(desktop_, check); });
        return;
    }
    // Both questions come once the config is known, right before the write.
    vtl::quickSave(
        state_, desktop_,
        [this](const QString& key) { return ReadIniFolder(kSettingsSection, key, settingsFile()); },
        // Asked for each file the line goes to; the line itself is asked about once.
        [this, &check, lineAsked = false](const QString& path, qint64 sizeAfter) mutable {
            if (!lineAsked && !confirmLineWrite(desktop_, check)) {
                return false;
            }
            lineAsked = true;
            return confirmConfigSize(desktop_, check.mode, path, sizeAfter);
        });
}

QImage MainWindowModel::nameCheckSheet() {
    if (state_.Family != GameFamily::Colour) {
        return state_.sheetSource;
    }
    const ColourSet& colours = listedColours(state_);
    return sheetForRow(state_, colourSheets(), colourRowOfCode(colours, colours.startCode));
}

const ColourSheetLookup& MainWindowModel::colourSheets() {
    if (!colourSheets_) {
        colourSheets_ = colourSheetsOf(state_, paths_.dataDir(), desktop_);
    }
    return colourSheets_;
}

void MainWindowModel::redrawGlyphs() {
    redrawNameGlyphs(state_, colourSheets());
}

CheckReport MainWindowModel::nameCheck() const {
    const std::optional<GameMode> mode = state_.Mode;
    if (!mode) {
        return {};
    }
    std::array<QByteArray, kNameLength> fragments;
    for (int k = 0; k < kNameLength; ++k) {
        fragments[static_cast<size_t>(k)] = state_.cells[static_cast<size_t>(k)].fragment;
    }
    CheckReport report =
        checkName(*mode, tagPositions(*mode, fragments, state_.LinePrefix, state_.LineSuffix));
    // The bytes can't tell that a blank was picked as `_`: the positions can.
    // In the UTF-8 games (ET: Legacy, Warfork, Xonotic) every glyph's bytes are
    // that very glyph, and none is written as another.
    if (state_.Family == GameFamily::Colour && !state_.utf8Names && report.checked) {
        std::array<int, kNameLength> codes{};
        for (int k = 0; k < kNameLength; ++k) {
            codes[static_cast<size_t>(k)] = state_.cells[static_cast<size_t>(k)].code;
        }
        addToEveryEngine(report, pickedGlyphFindings(state_.Table, codes));
    }
    return report;
}
void MainWindowModel::exportAsBitmap() {
    vtl::exportNameAsBitmap(state_, desktop_);
}
void MainWindowModel::exportAsPng() {
    vtl::exportNameAsPng(state_, desktop_);
}
void MainWindowModel::copyNameAsPicture() {
    vtl::copyNameAsPicture(state_, desktop_);
}
void MainWindowModel::copyCommandLine() {
    vtl::copyCommandLine(state_, desktop_);
}
void MainWindowModel::copyRawName() {
    vtl::copyRawName(state_, desktop_);
}

void MainWindowModel::selectMode(GameMode mode) {
    state_.notice.clear();
    forgetColourSheets();
    WindowState before = state_;
    const bool switched = switchMode(state_, desktop_, paths_.dataDir(), mode);
    applyRememberedCharset(state_, settingsFile(), switched);
    // A custom-picture switch whose dialog was cancelled changes nothing
    // worth an entry.
    if (switched || !(NameSnapshot::of(before) == NameSnapshot::of(state_))) {
        history_.push(new WholeStateCommand(state_, kGameSwitchChange, std::move(before), state_));
    }
}

// The glyphs already placed are drawn again in the charset now in use.
void MainWindowModel::useGameCharset() {
    vtl::useGameCharset(state_, desktop_, settingsFile(), userFolders_);
    forgetColourSheets();
    redrawGlyphs();
}

void MainWindowModel::useBuiltInCharset() {
    vtl::useBuiltInCharset(state_, desktop_, paths_.dataDir(), settingsFile());
    forgetColourSheets();
    redrawGlyphs();
}

void MainWindowModel::chooseColour(int index) {
    const int before = state_.colourListIndex;
    const QByteArray colourBefore = state_.ColorPrefix;
    state_.colourListIndex = index;
    selectColour(state_, desktop_, paths_.dataDir(), index);
    // "Other colour..." cancelled: the list shows the colour still chosen.
    if (index >= static_cast<int>(listedColours(state_).choices.size()) &&
        state_.ColorPrefix == colourBefore) {
        state_.colourListIndex = before;
    }
}

void MainWindowModel::setInsertMode(bool on) {
    state_.insertMode = on;
}
void MainWindowModel::setTypeSecondSet(bool on) {
    state_.typeSecondSet = on;
}

// The restored glyphs were drawn with the sheets of their time.
void MainWindowModel::undo() {
    state_.notice.clear();
    history_.undo();
    forgetColourSheets();  // an undone game switch brings other sheets back
    redrawGlyphs();
}
void MainWindowModel::redo() {
    state_.notice.clear();
    history_.redo();
    forgetColourSheets();
    redrawGlyphs();
}

void MainWindowModel::changeName(const QString& label,
                                 const std::function<void(WindowState&)>& edit) {
    recordNameChange(history_, state_, label, [&] {
        edit(state_);
        redrawGlyphs();
    });
}

}  // namespace vtl
