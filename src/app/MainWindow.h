#pragma once

#include <QMainWindow>

#include "window/MainWindowModel.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;

namespace vtl {

class CharMapWidget;
class Shell;
class NameStripWidget;

// The main window: draws MainWindowModel's state and forwards every click, pointer
// move and menu command to it.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Desktop& desktop, const QString& appDir, QWidget* parent = nullptr);

    MainWindowModel& model() { return model_; }
    // Receives the commands that open, close or leave windows.
    void setShell(Shell* shell) { shell_ = shell; }
    // Redraws every control from the state.
    void refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setupMenus();
    void setupPanel();
    void setupNameArea();
    // Runs a command, then shows its result.
    template <typename F>
    void run(F&& command) {
        command();
        refresh();
    }

    MainWindowModel model_;
    Shell* shell_ = nullptr;
    QWidget* client_ = nullptr;
    CharMapWidget* charMap_ = nullptr;
    NameStripWidget* nameStrip_ = nullptr;
    QLabel* regularView_ = nullptr;
    QLabel* enlargedView_ = nullptr;
    QLabel* previewCaption_ = nullptr;
    QListWidget* colourList_ = nullptr;
    QLineEdit* rawName_ = nullptr;
    QLineEdit* commandLine_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    QAction* saveName_ = nullptr;
    QAction* quickSave_ = nullptr;
};

}  // namespace vtl
