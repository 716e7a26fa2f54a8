#pragma once

#include <QString>

#include "desktop/Desktop.h"
#include "modes/GameModes.h"
#include "name/WindowState.h"

namespace vtl {

// The main window's behaviour without the widgets: the state, start-up and
// one method per control event or menu command. The window forwards to it
// and redraws from state() afterwards.
class Form1 {
  public:
    Form1(Desktop& desktop, QString appDir);

    const WindowState& state() const { return state_; }
    WindowState& state() { return state_; }
    const QString& appDir() const { return appDir_; }
    QString settingsFile() const;

    // Start-up: Quake III: Arena mode with an empty name.
    void Form_Load();

    // Character map and name strip.
    void CharPic_Click(int code);
    void CharPic_MouseMove(int code);
    void Form_MouseMove();
    void Command1_Click();  // Delete
    void Picture5_Click(int slot);

    // File menu.
    void NewName_Click();
    void SaveName_Click();
    void quicksave_Click();
    void exportasbitmap_Click();
    void copyfunnamecmdlne_Click();
    void copyrawsrc_Click();

    // Game/Mode menu and the colour list.
    void selectMode(GameMode mode);
    void List1_Click(int index);

  private:
    Desktop& desktop_;
    QString appDir_;
    WindowState state_;
};

}  // namespace vtl
