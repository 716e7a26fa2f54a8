#pragma once

#include <QMainWindow>
#include <QPointer>

#include <utility>
#include <vector>

#include "models/MainWindowModel.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;

namespace vtl {

class CharMapWidget;
class NameCheckIndicator;
class NameCheckWindow;
class Shell;
class NameStripWidget;

// The main window: draws MainWindowModel's state and forwards every click, pointer
// move and menu command to it, and the keys pressed while the character map or
// the name row has the focus.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Desktop& desktop, const AppPaths& paths, QWidget* parent = nullptr);

    MainWindowModel& model() { return model_; }
    // Receives the commands that open, close or leave windows.
    void setShell(Shell* shell) { shell_ = shell; }
    // Redraws every control from the state.
    void refresh();
    // Edit -> Check Name... and a click on the indicator.
    void openNameCheck();
    // Edit -> Colour Gradient…: the dialog, with the gradient shown in the
    // name row while it is open.
    void openColourGradient();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setupMenus();
    void setupEditMenu(QMenu* edit);
    void setupPanel();
    void setupNameArea();
    void placeCheckIndicator();
    // Fills the colour list with the colours of a game's set, when it changes.
    void showColourChoices(const ColourSet& colours);
    // Runs a command, then shows its result.
    template <typename F>
    void run(F&& command) {
        command();
        refresh();
    }

    MainWindowModel model_;
    Shell* shell_ = nullptr;
    QWidget* client_ = nullptr;
    QPointer<QWidget> typingFocus_;
    CharMapWidget* charMap_ = nullptr;
    NameStripWidget* nameStrip_ = nullptr;
    QLabel* regularView_ = nullptr;
    QLabel* enlargedView_ = nullptr;
    QLabel* previewCaption_ = nullptr;
    QListWidget* colourList_ = nullptr;
    const ColourSet* listedColours_ = nullptr;
    QLineEdit* rawName_ = nullptr;
    QLineEdit* commandLine_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    QLabel* notice_ = nullptr;
    QLabel* charsetNote_ = nullptr;
    QAction* useGameCharset_ = nullptr;
    QAction* useBuiltInCharset_ = nullptr;
    NameCheckIndicator* checkIndicator_ = nullptr;
    NameCheckWindow* checkWindow_ = nullptr;
    QAction* saveName_ = nullptr;
    QAction* quickSave_ = nullptr;
    QAction* pasteName_ = nullptr;
    QAction* copyCommandLine_ = nullptr;
    std::vector<std::pair<GameMode, QAction*>> modeActions_;
    QAction* colourGradient_ = nullptr;
    QAction* insertMode_ = nullptr;
    QAction* typeSecondSet_ = nullptr;
};

}  // namespace vtl
