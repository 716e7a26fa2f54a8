#pragma once

#include <QString>

#include "core/WindowState.h"
#include "desktop/Desktop.h"
#include "modes/GameModes.h"

namespace vtl {

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
    void saveName();
    void quickSave();
    void exportAsBitmap();
    void copyCommandLine();
    void copyRawName();

    // Game/Mode menu and the colour list.
    void selectMode(GameMode mode);
    void chooseColour(int index);

  private:
    Desktop& desktop_;
    QString appDir_;
    WindowState state_;
};

}  // namespace vtl
