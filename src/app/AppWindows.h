#pragma once

#include <QPointer>
#include <QString>

#include "app/AboutBox.h"
#include "app/ConfigureDialog.h"
#include "app/MainWindow.h"
#include "models/Shell.h"

namespace vtl {

// The real windows behind the lifecycle. Each window deletes itself when it
// closes, so a window's close box needs nothing from here; the program ends
// when the last one has gone.
class AppWindows : public ShellWindows {
  public:
    AppWindows(Desktop& desktop, AppPaths paths);
    ~AppWindows() override;
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // The shell the windows forward their lifecycle commands to.
    void setShell(Shell* shell) { shell_ = shell; }

    MainWindow* mainWindow() const { return main_; }
    ConfigureDialog* configureDialog() const { return configure_; }
    AboutBox* aboutBox() const { return about_; }

    void loadMainWindow() override;
    void showMainWindow() override;
    void unloadMainWindow() override;
    void openConfigure() override;
    void unloadConfigure() override;
    void openAbout() override;
    void quit() override;

  private:
    Desktop& desktop_;
    AppPaths paths_;
    Shell* shell_ = nullptr;
    QPointer<MainWindow> main_;
    QPointer<ConfigureDialog> configure_;
    QPointer<AboutBox> about_;
};

}  // namespace vtl
