#include "app/AppWindows.h"

#include <QCoreApplication>

#include "app/AboutBox.h"
#include "app/ConfigureDialog.h"
#include "app/MainWindow.h"
#include "app/WindowPlacement.h"

namespace vtl {
namespace {

// Centred before it shows, so it never appears elsewhere first, and again
// once shown, when the platform knows the frame's size.
void showCentred(QWidget& window) {
    const bool wasVisible = window.isVisible();
    window.show();
    if (!wasVisible) {
        centreOnScreen(window);
    }
}

}  // namespace

AppWindows::AppWindows(Desktop& desktop, AppPaths paths)
    : desktop_(desktop), paths_(std::move(paths)) {}

AppWindows::~AppWindows() {
    delete main_;
    delete configure_;
    delete about_;
}

void AppWindows::loadMainWindow() {
    if (main_) {
        main_->close();
    }
    main_ = new MainWindow(desktop_, paths_);
    main_->setAttribute(Qt::WA_DeleteOnClose);
    main_->setShell(shell_);
    centreOnScreen(*main_);
    main_->model().start();
    // The window still closes for Configure and starts afresh; the name
    // being composed is not thrown away with it.
    if (kept_) {
        main_->model().takeBack(*kept_);
        kept_.reset();
    }
    main_->refresh();
}

void AppWindows::showMainWindow() {
    if (main_) {
        showCentred(*main_);
    }
}

void AppWindows::unloadMainWindow() {
    if (main_) {
        kept_ = main_->model().state();
        main_->close();
        main_ = nullptr;
    }
}

void AppWindows::openConfigure() {
    if (!configure_) {
        configure_ = new ConfigureDialog(desktop_, paths_.settingsFile());
        configure_->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(configure_, &ConfigureDialog::left, configure_, [this] {
            if (shell_) {
                shell_->configureLeft();
            }
        });
        centreOnScreen(*configure_);
    }
    configure_->load();
    showCentred(*configure_);
    configure_->raise();
    configure_->activateWindow();
}

void AppWindows::unloadConfigure() {
    if (configure_) {
        configure_->close();
        configure_ = nullptr;
    }
}

void AppWindows::openAbout() {
    if (!about_) {
        about_ = new AboutBox(desktop_);
        about_->setAttribute(Qt::WA_DeleteOnClose);
        centreOnScreen(*about_);
    }
    showCentred(*about_);
    about_->raise();
    about_->activateWindow();
}

void AppWindows::quit() {
    QCoreApplication::exit(0);
}

}  // namespace vtl
