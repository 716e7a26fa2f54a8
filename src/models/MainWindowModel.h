#pragma once

#include <QString>
#include <QUndoStack>
#include <Qt>

#include <functional>

#include "check/NameCheck.h"
#include "colour/GradientForm.h"
#include "core/NameHistory.h"
#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "ini/AppPaths.h"
#include "installed/GameFolders.h"
#include "modes/GameModes.h"
#include "reading/NameLoading.h"

namespace vtl {

using namespace Qt::StringLiterals;

// What Edit -> Undo and Redo name each change ("Undo Delete").
inline const QString kAddGlyphChange = u"Add Glyph"_s;
inline const QString kInsertGlyphChange = u"Insert Glyph"_s;
inline const QString kDeleteChange = u"Delete"_s;
inline const QString kBackspaceChange = u"Backspace"_s;
inline const QString kNewNameChange = u"New Name"_s;
inline const QString kOpenNameChange = u"Open Name"_s;
inline const QString kPasteNameChange = u"Paste Name"_s;
inline const QString kGameSwitchChange = u"Game Switch"_s;
inline const QString kColourGradientChange = u"Colour Gradient"_s;

// Shown in the window, not in a box, when an insert would push a glyph out
// or typing goes on past position 25.
inline const QString kNameFullNotice = u"Name full: nothing inserted"_s;

// The main window's behaviour without the widgets: the state, start-up and
// one command per thing the user does. The window forwards to it and redraws
// from state() afterwards; only these commands change the state.
class MainWindowModel {
  public:
    MainWindowModel(Desktop& desktop, AppPaths paths);

    const WindowState& state() const { return state_; }
    const QString& settingsFile() const { return paths_.settingsFile(); }
    // Whose folders the folder dialogs search for installed games (this
    // machine's unless a test says otherwise).
    void setUserFolders(UserFolders user) { userFolders_ = std::move(user); }

    // Start-up: Quake III: Arena mode with an empty name.
    void start();
    // After start-up of a window that replaces one closed for Configure: the
    // composition of that window (mode, sheet, colour, name) comes back.
    void takeBack(const WindowState& kept);

    // Character map and name strip. A glyph goes in at the cursor as the
    // Edit menu's Insert Mode says.
    void pickGlyph(int code);
    void previewGlyph(int code);
    void clearPreview();
    void deleteAtCursor();
    // A slot click (1..25), or 26 for after the last position.
    void moveCursorTo(int position);
    void eraseBeforeCursor();

    // A key pressed while the map or the name row has the focus: typed
    // characters (by their Windows-1252 byte), the cursor keys, Backspace,
    // Delete and Ctrl+0..Ctrl+9 for the colours. False for keys it leaves alone.
    bool keyPressed(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    // Each character as a click on its code; false for text holding a control
    // character (Tab, Enter), which is not for the name.
    bool typeText(const QString& text);

    // The two name boxes are editable; the copy commands take what they hold.
    void editRawNameBox(const QString& text);
    void editCommandLineBox(const QString& text);

    // File menu.
    void newName();
    // Loads a name line from a file; the whole load is one change of the name.
    void openName();
    void saveName();
    void quickSave();
    void exportAsBitmap();
    void exportAsPng();
    void copyCommandLine();
    void copyRawName();
    void copyNameAsPicture();

    // Edit menu: loads the name on the clipboard, like openName.
    void pasteName();

    // What the games make of the name as it stands; not checked before the
    // first mode switch and in games nothing is known about.
    CheckReport nameCheck() const;
    // The sheet the Name Check window draws with: in the colour modes the
    // white one, which it tints with the colour each glyph gets.
    QImage nameCheckSheet();

    // Game/Mode menu and the colour list. A mode switch is one entry of the
    // history: undo brings back the mode, sheet, charset, colour and name.
    void selectMode(GameMode mode);
    void useGameCharset();
    void useBuiltInCharset();
    void chooseColour(int index);

    // Edit menu. Every change to the name is one entry of the history; undo
    // puts back the positions, the cursor and the pending-colour flag as they
    // were before it, and leaves the colour, mode and sheet as they are.
    QUndoStack& history() { return history_; }
    void setInsertMode(bool on);
    void setTypeSecondSet(bool on);
    void undo();
    void redo();
    // Runs `edit` as one undoable change labelled `label`; an edit that
    // leaves the name, cursor and colour flag as they were records nothing.
    // Afterwards every glyph is drawn as the bytes say.
    void changeName(const QString& label, const std::function<void(WindowState&)>& edit);

    // Edit -> Colour Gradient… (GradientCommands.cpp): the form for the name
    // as it is, none outside the colour games; the dialog's live preview,
    // which draws and writes the name with the form's gradient without
    // recording it; Cancel's way back; and OK, one undo step.
    std::optional<colour::GradientForm> gradientForm() const;
    void previewGradient(const colour::GradientForm& form);
    void endGradientPreview();
    void applyGradient(const colour::GradientForm& form);

  private:
    bool chooseColourByDigit(int digit);
    // The sheets of the colour list's rows, read once until the mode or the
    // charset changes.
    const ColourSheetLookup& colourSheets();
    void forgetColourSheets() { colourSheets_ = nullptr; }
    // Every glyph of the name drawn again as its bytes say.
    void redrawGlyphs();

    Desktop& desktop_;
    AppPaths paths_;
    UserFolders userFolders_ = UserFolders::ofThisMachine();
    WindowState state_;
    QUndoStack history_;
    ColourSheetLookup colourSheets_;
    std::optional<NameSnapshot> beforePreview_;
};

}  // namespace vtl
