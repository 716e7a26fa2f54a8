#pragma once

#include <QString>
#include <QUndoStack>

#include <functional>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "modes/GameModes.h"

namespace vtl {

// What Edit -> Undo and Redo name each change ("Undo Delete").
inline constexpr char16_t kAddGlyphChange[] = u"Add Glyph";
inline constexpr char16_t kDeleteChange[] = u"Delete";
inline constexpr char16_t kNewNameChange[] = u"New Name";
inline constexpr char16_t kOpenNameChange[] = u"Open Name";
inline constexpr char16_t kPasteNameChange[] = u"Paste Name";

// The main window's behaviour without the widgets: the state, start-up and
// one command per thing the user does. The window forwards to it and redraws
// from state() afterwards; only these commands change the state.
class MainWindowModel {
  public:
    MainWindowModel(Desktop& desktop, QString appDir);

    const WindowState& state() const { return state_; }
    QString settingsFile() const;

    // Start-up: Quake III: Arena mode with an empty name.
    void start();

    // Character map and name strip.
    void pickGlyph(int code);
    void previewGlyph(int code);
    void clearPreview();
    void deleteAtCursor();
    void moveCursorTo(int slot);
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
    void undo();
    void redo();
    // Runs `edit` as one undoable change labelled `label`; an edit that
    // leaves the name, cursor and colour flag as they were records nothing.
    void changeName(const QString& label, const std::function<void(WindowState&)>& edit);

  private:
    Desktop& desktop_;
    QString appDir_;
    WindowState state_;
    QUndoStack history_;
};

}  // namespace vtl
