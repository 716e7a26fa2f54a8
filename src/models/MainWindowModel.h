#pragma once

#include <QString>
#include <QUndoStack>
#include <Qt>

#include <functional>

#include "check/NameCheck.h"
#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "ini/AppPaths.h"
#include "modes/GameModes.h"

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

// Shown in the window, not in a box, when an insert would push a glyph out.
inline const QString kNameFullNotice = u"Name full: nothing inserted"_s;

// The main window's behaviour without the widgets: the state, start-up and
// one command per thing the user does. The window forwards to it and redraws
// from state() afterwards; only these commands change the state.
class MainWindowModel {
  public:
    MainWindowModel(Desktop& desktop, AppPaths paths);

    const WindowState& state() const { return state_; }
    const QString& settingsFile() const { return paths_.settingsFile(); }

    // Start-up: Quake III: Arena mode with an empty name.
    void start();

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

    // Game/Mode menu and the colour list. A mode switch empties the undo
    // history: the tables the recorded changes were made with are gone.
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
    void changeName(const QString& label, const std::function<void(WindowState&)>& edit);

  private:
    bool chooseColourByDigit(int digit);

    Desktop& desktop_;
    AppPaths paths_;
    WindowState state_;
    QUndoStack history_;
};

}  // namespace vtl
