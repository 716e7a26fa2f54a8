#include "window/GameCharsetCommands.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <optional>

#include "charset/GameCharset.h"
#include "ini/Ini.h"
#include "ini/Settings.h"
#include "modes/Quake3FamilyModes.h"
#include "modes/SheetLoader.h"

namespace vtl {
namespace {

// The modes whose game's own charset can be read, with the settings key of
// the game. Going back takes the mode's built-in sheet, or in the colour
// modes the current colour's.
struct CharsetMode {
    GameMode mode;
    charset::Game game;
    const char16_t* key;
};

constexpr std::array<CharsetMode, 11> kCharsetModes{{
    {GameMode::QuakeWorld, charset::Game::Quake, u"quakeworld"},
    {GameMode::Quake2, charset::Game::Quake2, u"quake2"},
    {GameMode::Quake2Hex, charset::Game::Quake2, u"quake2"},
    {GameMode::Quake3Arena, charset::Game::Quake3, u"quake3"},
    {GameMode::Wolfenstein, charset::Game::Wolfenstein, u"rtcw"},
    {GameMode::Hexen2, charset::Game::Hexen2, u"hexen2"},
    {GameMode::UrbanTerror, charset::Game::UrbanTerror, u"urbanterror"},
    {GameMode::OpenJK, charset::Game::OpenJK, u"openjk"},
    {GameMode::EtLegacy, charset::Game::EtLegacy, u"etlegacy"},
    {GameMode::Warfork, charset::Game::Warfork, u"warfork"},
    {GameMode::QuakeLive, charset::Game::QuakeLive, u"quakelive"},
}};

const CharsetMode* charsetModeOf(GameMode mode) {
    for (const CharsetMode& m : kCharsetModes) {
        if (m.mode == mode) {
            return &m;
        }
    }
    return nullptr;
}

const CharsetMode* charsetModeOf(const QString& key) {
    for (const CharsetMode& m : kCharsetModes) {
        if (key == QString::fromUtf16(m.key)) {
            return &m;
        }
    }
    return nullptr;
}

QString section() {
    return kCharsetSection;
}

void show(WindowState& state, const charset::GameCharset& found) {
    if (const FamilyRow* family = currentFamilyRow(state)) {
        // These games tint every charset, fonts included, from their own table.
        useFamilyGlyphs(state, *family, found.sheet);
        state.ownCharset = found.sheet;
        state.charsetNote = kCharsetFromNote.arg(QDir::toNativeSeparators(found.source));
        return;
    }
    state.ownCharset = found.sheet;
    state.ownCharsetTinted = found.tinted;
    state.sheetSource = ownCharsetInColour(state, state.ColorPrefix);
    state.mapPicture = state.sheetSource;
    state.charsetNote = kCharsetFromNote.arg(QDir::toNativeSeparators(found.source));
}

void forgetShownCharset(WindowState& state) {
    state.ownCharset = QImage();
    state.ownCharsetTinted = false;
    state.charsetNote.clear();
}

// Why the remembered charset is not in use, briefly, for the bottom row.
QString goneNote(const QString& folder, const charset::CharsetSearch& search) {
    const QString shown = QDir::toNativeSeparators(folder);
    if (search.damaged) {
        return kCharsetDamagedNote.arg(search.message);
    }
    if (!QFileInfo(folder).isDir()) {
        return kCharsetFolderGoneNote.arg(shown);
    }
    return kCharsetMissingNote.arg(shown);
}

}  // namespace

void useGameCharset(WindowState& state, Desktop& desktop, const QString& settingsFile) {
    const CharsetMode* mode = charsetModeOf(state.charsetGameKey);
    if (!mode) {
        return;
    }
    const QString folder = desktop.chooseFolder(kGameFolderPrompt);
    if (folder.isEmpty()) {
        return;
    }
    const charset::CharsetSearch search = charset::findGameCharset(mode->game, folder);
    if (!search.charset) {
        showInfo(desktop, search.message);
        return;
    }
    show(state, *search.charset);
    state.charsetGoneTold.removeAll(state.charsetGameKey);
    QString reason;
    if (!WriteIni(section(), state.charsetGameKey, folder, settingsFile, &reason,
                  IniText::FileName)) {
        showInfo(desktop, kCharsetNotRemembered + u'\r' + reason);
    }
}

void useBuiltInCharset(WindowState& state, Desktop& desktop, const QString& appDir,
                       const QString& settingsFile) {
    const CharsetMode* mode = charsetModeOf(state.charsetGameKey);
    if (!mode) {
        return;
    }
    state.charsetNote.clear();
    if (const FamilyRow* family = familyRow(mode->mode); family && !state.ownCharset.isNull()) {
        forgetShownCharset(state);
        useBuiltInFamilyGlyphs(state, desktop, appDir, *family);  // may note a stand-in font
    } else if (!state.ownCharset.isNull()) {
        const ModeRow& row = modeRow(mode->mode);
        BuiltInSheet sheet = row.sheet.value_or(BuiltInSheet::Q3White);
        if (row.routine == TableRoutine::Colour) {
            for (const Colour& colour : kColours) {
                if (state.ColorPrefix == colour.code) {
                    sheet = colour.sheet;
                }
            }
        }
        forgetShownCharset(state);
        state.sheetSource = loadSheetOrBlank(builtInSheetPath(appDir, sheet), desktop);
        state.mapPicture = state.sheetSource;
    }
    // An empty value is what a missing key reads as: the choice is gone.
    if (!ReadIni(section(), state.charsetGameKey, settingsFile).isEmpty()) {
        QString reason;
        if (!WriteIni(section(), state.charsetGameKey, QString(), settingsFile, &reason)) {
            showInfo(desktop, reason);
        }
    }
}

void applyRememberedCharset(WindowState& state, const QString& settingsFile, GameMode mode,
                            const QString& modeLabelBefore) {
    const CharsetMode* charsetMode = charsetModeOf(mode);
    if (!charsetMode) {
        // A custom-picture switch that was cancelled leaves everything as it was.
        if (state.modeLabel != modeLabelBefore) {
            state.charsetGameKey.clear();
            forgetShownCharset(state);
        }
        return;
    }
    state.charsetGameKey = QString::fromUtf16(charsetMode->key);
    // The switch's own note (a text game's stand-in font) stays unless a
    // remembered charset replaces it.
    const QString switchNote = state.charsetNote;
    forgetShownCharset(state);
    state.charsetNote = switchNote;
    const QString folder =
        ReadIni(section(), state.charsetGameKey, settingsFile, IniText::FileName);
    if (folder.isEmpty()) {
        return;
    }
    const charset::CharsetSearch search = charset::findGameCharset(charsetMode->game, folder);
    if (search.charset) {
        show(state, *search.charset);
        state.charsetGoneTold.removeAll(state.charsetGameKey);
    } else if (!state.charsetGoneTold.contains(state.charsetGameKey)) {
        state.charsetGoneTold << state.charsetGameKey;
        state.charsetNote = goneNote(folder, search);
    }
}

}  // namespace vtl
