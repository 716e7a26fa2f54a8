#include "app/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <functional>

#include "app/CharMapWidget.h"
#include "app/FocusFrame.h"
#include "app/GradientDialog.h"
#include "app/MenuHeadingPicture.h"
#include "app/NameCheckIndicator.h"
#include "app/NameCheckWindow.h"
#include "app/NameStripWidget.h"
#include "app/WindowFont.h"
#include "app/WindowPlacement.h"
#include "core/Geometry.h"
#include "core/Version.h"
#include "models/GameCharsetCommands.h"
#include "models/Shell.h"
#include "modes/ColourList.h"
#include "modes/NameColours.h"

namespace vtl {

// Edit menu captions; Undo and Redo add what they would undo ("Undo Delete").
constexpr char16_t kUndoCaption[] = u"&Undo";
constexpr char16_t kRedoCaption[] = u"&Redo";
constexpr char16_t kPasteNameCaption[] = u"&Paste Name";
constexpr char16_t kInsertModeCaption[] = u"&Insert Mode";
constexpr char16_t kTypeSecondSetCaption[] = u"Type in &Second Set";

namespace {

// Black panels with yellow writing: a palette rather than a style sheet,
// which would cost the start-up a good part of its time and memory.
void paintBlack(QWidget* w, QColor writing = Qt::yellow) {
    QPalette p = w->palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base}) {
        p.setColor(role, Qt::black);
    }
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) {
        p.setColor(QPalette::Active, role, writing);
        p.setColor(QPalette::Inactive, role, writing);
        p.setColor(QPalette::Disabled, role, writing.darker(200));
    }
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

constexpr int kCommandLineCaptionPixels = 10;

// Puts a command into a menu under its control name, which tests and
// screenshots find it by.
QAction* addCommand(QMenu* menu, QAction* action, const char* name,
                    const QList<QKeySequence>& keys = {}) {
    menu->addAction(action);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    return action;
}
QAction* addCommand(QMenu* menu, const char* name, const QString& caption,
                    const QList<QKeySequence>& keys = {}) {
    return addCommand(menu, new QAction(caption, menu), name, keys);
}

QLabel* label(QWidget* parent, const char* name, const layout::Twips& where, const char* text) {
    QLabel* l = place<QLabel>(parent, name, where);
    l->setText(QString::fromLatin1(text));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

// Runs a colour choice once per click, also on the row already selected,
// and once per keyboard move of the selection, wherever the pointer is. The
// selection follows a press, so changes while a button is down wait for the
// click, or for the release when a drag ended on another row.
class ColourChoiceForwarder : public QObject {
  public:
    ColourChoiceForwarder(QListWidget* list, std::function<void(int)> choose)
        : QObject(list), list_(list), choose_(std::move(choose)) {
        list->viewport()->installEventFilter(this);
        connect(list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { choose_(list_->row(item)); });
        connect(list, &QListWidget::itemSelectionChanged, this, [this] {
            if (buttonDown_) {
                movedWhileDown_ = true;
            } else {
                chooseSelected();
            }
        });
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* press = static_cast<QMouseEvent*>(event);
            buttonDown_ = true;
            movedWhileDown_ = false;
            pressedRow_ = list_->indexAt(press->position().toPoint()).row();
        } else if (event->type() == QEvent::MouseButtonRelease && buttonDown_) {
            const auto* release = static_cast<QMouseEvent*>(event);
            buttonDown_ = false;
            const int releasedRow = list_->indexAt(release->position().toPoint()).row();
            // A release on the pressed row is a click: itemClicked follows.
            const bool clickFollows = releasedRow == pressedRow_ && releasedRow >= 0 &&
                                      release->button() == Qt::LeftButton;
            if (movedWhileDown_ && !clickFollows) {
                chooseSelected();
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void chooseSelected() {
        const QList<QListWidgetItem*> selected = list_->selectedItems();
        if (!selected.isEmpty()) {
            choose_(list_->row(selected.constFirst()));
        }
    }

    QListWidget* list_;
    std::function<void(int)> choose_;
    bool buttonDown_ = false;
    bool movedWhileDown_ = false;
    int pressedRow_ = -1;
};

// Shows the model's row as the list's selection (a colour key chooses one
// too) without running the choice again.
void syncColourSelection(QListWidget* list, int row) {
    if (list->currentRow() == row || row < 0) {
        return;
    }
    const QSignalBlocker quiet(list);
    list->setCurrentRow(row);
}

void forwardColourChoice(QListWidget* list, std::function<void(int)> choose) {
    new ColourChoiceForwarder(list, std::move(choose));
}

// The colour list with the focus frame the map and the name strip draw, on
// a pane over the whole list (its rows and scroll bar repaint on their own).
class ColourListWidget : public QListWidget {
  public:
    explicit ColourListWidget(QWidget* parent) : QListWidget(parent), frame_(new Frame(this)) {}

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QListWidget::resizeEvent(event);
        frame_->setGeometry(rect());
        frame_->raise();
    }
    void focusInEvent(QFocusEvent* event) override {
        QListWidget::focusInEvent(event);
        frame_->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QListWidget::focusOutEvent(event);
        frame_->update();
    }

  private:
    class Frame : public QWidget {
      public:
        explicit Frame(QListWidget* list) : QWidget(list), list_(list) {
            setAttribute(Qt::WA_TransparentForMouseEvents);
            setFocusPolicy(Qt::NoFocus);
        }

      protected:
        void paintEvent(QPaintEvent*) override {
            if (list_->hasFocus()) {
                QPainter painter(this);
                drawFocusFrame(painter, rect(), list_->palette());
            }
        }

      private:
        QListWidget* list_;
    };
    Frame* frame_;
};

}  // namespace

MainWindow::MainWindow(Desktop& desktop, const AppPaths& paths, QWidget* parent)
    : QMainWindow(parent), model_(desktop, paths) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vantorel G2 ") + QLatin1StringView(kVersion) +
                   QStringLiteral(" - Quenmoor Software"));
    setWindowFlags(fixedSizeWindow(Qt::Window));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(layout::kClient.px().size());
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    client_->setFont(windowFont());
    setCentralWidget(client_);

    setupMenus();
    setupPanel();
    setupNameArea();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // Tab goes as the window reads: the map, the name strip, the colour list,
    // Delete, then the two boxes.
    QWidget* deleteButton = findChild<QPushButton*>(QStringLiteral("Command1"));
    const QList<QWidget*> order{charMap_,     nameStrip_, colourList_,
                                deleteButton, rawName_,   commandLine_};
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    refresh();
    charMap_->setFocus();
}

void MainWindow::setupMenus() {
    auto add = [this](QMenu* menu, const char* name, const char* caption, auto slot,
                      const QList<QKeySequence>& keys = {}) {
        QAction* action = addCommand(menu, name, QString::fromUtf8(caption), keys);
        connect(action, &QAction::triggered, this,
                [this, slot] { run([this, slot] { slot(model_); }); });
        return action;
    };
    auto submenu = [this](QMenu* menu, const char* name, const char* caption) {
        QMenu* m = menu ? menu->addMenu(QString::fromUtf8(caption))
                        : menuBar()->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    // The map takes the focus after a switch, so the keyboard types at once.
    // The current game carries the menu's radio mark.
    auto* games = new QActionGroup(this);
    games->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    auto mode = [this, games](QMenu* menu, const char* name, const char16_t* caption,
                              GameMode game) {
        QAction* action = addCommand(menu, name, QString::fromUtf16(caption));
        action->setCheckable(true);
        games->addAction(action);
        modeActions_.emplace_back(game, action);
        connect(action, &QAction::triggered, this,
                [this, game] { run([this, game] { model_.selectMode(game); }); });
        connect(action, &QAction::triggered, this, [this] { charMap_->setFocus(); });
    };
    // These may close this window, so nothing of it is touched afterwards.
    auto lifecycle = [this](QMenu* menu, const char* name, const char* caption, auto command,
                            const QList<QKeySequence>& keys = {}) {
        QAction* action = addCommand(menu, name, QString::fromUtf8(caption), keys);
        connect(action, &QAction::triggered, this, [this, command] {
            if (shell_) {
                command(*shell_);
            }
        });
        return action;
    };

    QMenu* file = submenu(nullptr, "File", "&File");
    // The desktop's usual keys, beside the access letters users know.
    add(file, "NewName", "&New Name", [](MainWindowModel& m) { m.newName(); },
        {QKeySequence(Qt::CTRL | Qt::Key_N)});
    add(file, "OpenName", "&Open Name\u2026", [](MainWindowModel& m) { m.openName(); },
        {QKeySequence(QKeySequence::Open)});
    saveName_ = add(file, "SaveName", "&Save Name", [](MainWindowModel& m) { m.saveName(); },
                    {QKeySequence(Qt::CTRL | Qt::Key_S)});
    quickSave_ = add(file, "quicksave", "&QuickSave", [](MainWindowModel& m) { m.quickSave(); },
                     {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    add(file, "exportasbitmap", "&Export name as Bitmap",
        [](MainWindowModel& f) { f.exportAsBitmap(); });
    add(file, "exportaspng", "Export name as &PNG\u2026",
        [](MainWindowModel& f) { f.exportAsPng(); });
    separator(file, "blankbar3");
    QMenu* copy = submenu(file, "copynme", "Copy Name");
    copyCommandLine_ = add(copy, "copyfunnamecmdlne", "Copy Funname Command Line",
                           [](MainWindowModel& f) { f.copyCommandLine(); });
    // Ctrl+C copies the command line over the map and the name strip (see
    // setupNameArea); in the text boxes it is theirs.
    copyCommandLine_->setShortcut(QKeySequence(QKeySequence::Copy));
    copyCommandLine_->setShortcutContext(Qt::WidgetShortcut);
    add(copy, "copyrawsrc", "Copy Raw Funname Source", [](MainWindowModel& f) { f.copyRawName(); });
    add(copy, "copyaspicture", "Copy Name as &Picture",
        [](MainWindowModel& f) { f.copyNameAsPicture(); });
    lifecycle(file, "options", "&Configure", [](Shell& s) { s.openConfigure(); });
    separator(file, "blankbar1");
    lifecycle(file, "Exit", "&Exit", [](Shell& s) { s.exitProgram(); },
              {QKeySequence(Qt::CTRL | Qt::Key_Q)});

    QMenu* edit = submenu(nullptr, "Edit", "&Edit");
    setupEditMenu(edit);
    edit->addSeparator();
    colourGradient_ = addCommand(edit, "ColourGradient", QStringLiteral("Colour &Gradient\u2026"));
    connect(colourGradient_, &QAction::triggered, this, &MainWindow::openColourGradient);
    QAction* checkName = addCommand(edit, "CheckName", QStringLiteral("&Check Name\u2026"));
    connect(checkName, &QAction::triggered, this, &MainWindow::openNameCheck);

    QMenu* game = submenu(nullptr, "SelectGame", "&Game/Mode");
    // One command per game row, in the rows' menu places; rows that share a
    // submenu and follow each other in the menu share it.
    std::vector<const GameRow*> byPlace;
    for (const GameRow& row : kGames) {
        byPlace.push_back(&row);
    }
    std::sort(byPlace.begin(), byPlace.end(), [](const GameRow* a, const GameRow* b) {
        return a->menu.position < b->menu.position;
    });
    QMenu* lastSubmenu = nullptr;
    const char* lastSubmenuName = nullptr;
    for (const GameRow* row : byPlace) {
        if (row->menu.separatorBefore) {
            separator(game, row->menu.separatorBefore);
        }
        QMenu* into = game;
        if (row->menu.submenuName) {
            if (!lastSubmenuName || qstrcmp(lastSubmenuName, row->menu.submenuName) != 0) {
                lastSubmenu = game->addMenu(QString::fromUtf16(row->menu.submenuCaption));
                lastSubmenu->setObjectName(QString::fromLatin1(row->menu.submenuName));
                lastSubmenu->menuAction()->setObjectName(
                    QString::fromLatin1(row->menu.submenuName));
            }
            into = lastSubmenu;
        }
        lastSubmenuName = row->menu.submenuName;
        mode(into, row->commandName, row->caption, row->mode);
    }
    separator(game, "blankbar4");
    auto charsetCommand = [this, game](const char* name, const char16_t* caption, auto command) {
        QAction* action = addCommand(game, name, QString::fromUtf16(caption));
        connect(action, &QAction::triggered, this,
                [this, command] { run([this, command] { command(model_); }); });
        return action;
    };
    useGameCharset_ = charsetCommand("UseGameCharset", kUseGameCharsetCaption,
                                     [](MainWindowModel& m) { m.useGameCharset(); });
    useBuiltInCharset_ = charsetCommand("UseBuiltInCharset", kUseBuiltInCharsetCaption,
                                        [](MainWindowModel& m) { m.useBuiltInCharset(); });

    QMenu* about = submenu(nullptr, "About", "&About/Help");
    // Esc out of a menu opened from the keyboard leaves the menu bar with the
    // keyboard, so typed characters would go on selecting menus: the second
    // Esc, which hands the keyboard back to where it was, is pressed for the
    // user. Moving to the next menu or choosing a command is left alone.
    for (QMenu* top : {file, edit, game, about}) {
        connect(top, &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] {
                const bool menuBarKept = menuBar()->hasFocus() || menuBar()->activeAction();
                if (QApplication::activePopupWidget() != nullptr || !menuBarKept) {
                    return;
                }
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QCoreApplication::sendEvent(menuBar(), &escape);
                if (typingFocus_ != nullptr) {
                    typingFocus_->setFocus(Qt::MenuBarFocusReason);
                }
            });
        });
    }
    // Where the keyboard goes back to after a menu: the control of this
    // window that last had it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && client_->isAncestorOf(now)) {
            typingFocus_ = now;
        }
    });
    lifecycle(about, "AboutHelp", "&About", [](Shell& s) { s.showAbout(); });
    lifecycle(about, "HelpMe", "&Help", [](Shell& s) { s.openUserGuide(); },
              {QKeySequence(Qt::Key_F1)});
    lifecycle(about, "GotoHomepage", "&Quenmoor Software Homepage",
              [](Shell& s) { s.openHomepage(); });
}

void MainWindow::setupEditMenu(QMenu* edit) {
    auto command = [this, edit](const char* name, const char16_t* caption,
                                const QList<QKeySequence>& keys, auto slot) {
        QAction* action = addCommand(edit, name, QString::fromUtf16(caption), keys);
        connect(action, &QAction::triggered, this,
                [this, slot](bool checked) { run([&] { slot(model_, checked); }); });
        return action;
    };
    // Qt's own undo actions keep their caption ("&Undo Add Glyph") and their
    // enabled state with the history; triggered, they go through the model,
    // which redraws what the step brings back.
    QUndoStack& history = model_.history();
    const auto step = [this, edit, &history](QAction* action, const char* name,
                                             const QList<QKeySequence>& keys, auto slot) {
        action->disconnect(&history);  // Qt's own undo() would skip the model
        connect(action, &QAction::triggered, this, [this, slot] { run([&] { slot(model_); }); });
        return addCommand(edit, action, name, keys);
    };
    // Undo's first standard key is Ctrl+Z on every desktop; Redo's differs
    // (Ctrl+Y first on Windows, Ctrl+Shift+Z on X11), so the menu keeps the
    // two users know, in the order it always showed them.
    step(history.createUndoAction(edit, QString::fromUtf16(kUndoCaption)), "Undo",
         {QKeySequence(QKeySequence::Undo)}, [](MainWindowModel& m) { m.undo(); });
    step(history.createRedoAction(edit, QString::fromUtf16(kRedoCaption)), "Redo",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
         [](MainWindowModel& m) { m.redo(); });
    pasteName_ = command("PasteName", kPasteNameCaption, {QKeySequence(QKeySequence::Paste)},
                         [](MainWindowModel& m, bool) { m.pasteName(); });
    // Ctrl+V belongs to the text boxes while they have the focus; the map and
    // the name strip take it for the whole name (see setupNameArea).
    pasteName_->setShortcutContext(Qt::WidgetShortcut);
    edit->addSeparator()->setObjectName(QStringLiteral("editbar1"));
    insertMode_ = command("InsertMode", kInsertModeCaption, {QKeySequence(Qt::Key_Insert)},
                          [](MainWindowModel& m, bool on) { m.setInsertMode(on); });
    typeSecondSet_ =
        command("TypeSecondSet", kTypeSecondSetCaption, {QKeySequence(Qt::CTRL | Qt::Key_T)},
                [](MainWindowModel& m, bool on) { m.setTypeSecondSet(on); });
    insertMode_->setCheckable(true);
    typeSecondSet_->setCheckable(true);
}

void MainWindow::setupPanel() {
    auto* mapBackground = place<QWidget>(client_, "CharMapBG", layout::kMapBackground);
    paintBlack(mapBackground);
    mapBackground->setCursor(Qt::CrossCursor);
    charMap_ = new CharMapWidget(model_.state(), mapBackground);
    charMap_->installEventFilter(this);
    connect(charMap_, &CharMapWidget::cellClicked, this,
            [this](int code) { run([&] { model_.pickGlyph(code); }); });
    connect(charMap_, &CharMapWidget::cellHovered, this,
            [this](int code) { run([&] { model_.previewGlyph(code); }); });

    auto* panel = place<QWidget>(client_, "Picture1", layout::kSidePanel);
    paintBlack(panel);
    QLabel* heading = place<QLabel>(panel, "Image4", layout::kMenuHeading);
    heading->setPixmap(QPixmap::fromImage(menuHeadingPicture()));
    heading->setScaledContents(true);

    auto* preview = place<QGroupBox>(panel, "Frame4", layout::kPreviewFrame);
    preview->setTitle(QStringLiteral("CharView"));
    label(preview, "Label1", layout::kRegularViewCaption, "Regular View:");
    regularView_ = place<QLabel>(preview, "RegViewChar", layout::kRegularView);
    regularView_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label(preview, "Label2", layout::kEnlargedViewCaption, "Enlarged View:");
    enlargedView_ = place<QLabel>(preview, "Picture2", layout::kEnlargedView);
    enlargedView_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    previewCaption_ = label(preview, "Label3", layout::kPreviewCaption, "Char Number:");

    auto* controls = place<QGroupBox>(panel, "Frame6", layout::kControlsFrame);
    controls->setTitle(QStringLiteral("Controls"));
    auto* deleteButton = place<QPushButton>(controls, "Command1", layout::kDeleteButton);
    deleteButton->setText(QStringLiteral("Delete"));
    // A click on Delete or on a colour leaves the keyboard with the map, so
    // typing goes on into the name (and never into the list's own search).
    deleteButton->setFocusPolicy(Qt::TabFocus);
    connect(deleteButton, &QPushButton::clicked, this,
            [this] { run([this] { model_.deleteAtCursor(); }); });

    auto* colours = place<QGroupBox>(panel, "Frame5", layout::kColourFrame);
    colours->setTitle(QStringLiteral("Q3:A Engine Colors"));
    colourList_ = place<ColourListWidget>(colours, "List1", layout::kColourList);
    colourList_->setFocusPolicy(Qt::TabFocus);
    // The list's scroll bar keeps the desktop's colours, not the panel's.
    QPalette standard = QApplication::palette();
    standard.setResolveMask(~QPalette::ResolveMask(0));
    colourList_->verticalScrollBar()->setPalette(standard);
    forwardColourChoice(colourList_, [this](int row) { run([&] { model_.chooseColour(row); }); });
}

void MainWindow::setupNameArea() {
    nameStrip_ = new NameStripWidget(model_.state(), client_);
    nameStrip_->installEventFilter(this);
    connect(nameStrip_, &NameStripWidget::slotClicked, this,
            [this](int slot) { run([&] { model_.moveCursorTo(slot); }); });
    // Paste Name's Ctrl+V works while the map or the name strip has the focus.
    for (QWidget* w : {static_cast<QWidget*>(charMap_), static_cast<QWidget*>(nameStrip_)}) {
        w->setFocusPolicy(Qt::StrongFocus);
        w->addAction(pasteName_);
        w->addAction(copyCommandLine_);
    }

    label(client_, "Label5", layout::kRawNameCaption, "Raw Source Code->");
    rawName_ = place<QLineEdit>(client_, "Text2", layout::kRawNameBox);
    paintBlack(rawName_);
    QLabel* commandLineCaption =
        label(client_, "Label6", layout::kCommandLineCaption, "Command Line->");
    // Its box is narrower than the caption in the window's face; a pixel
    // smaller shows all of it.
    QFont smaller = commandLineCaption->font();
    smaller.setPixelSize(kCommandLineCaptionPixels);
    commandLineCaption->setFont(smaller);
    commandLine_ = place<QLineEdit>(client_, "Text3", layout::kCommandLineBox);
    paintBlack(commandLine_);
    // The boxes are editable like any text box; what the user types is what
    // the copy commands take.
    connect(rawName_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.editRawNameBox(text); });
    connect(commandLine_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.editCommandLineBox(text); });

    auto* status = place<QWidget>(client_, "Picture7", layout::kStatusRow);
    paintBlack(status);
    modeLabel_ = label(status, "Label7", layout::kModeLabel, "Mode:");
    charsetNote_ = label(status, "CharsetNote", layout::kCharsetNote, "");
    charsetNote_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // Over the charset note, on black, for as long as it stands.
    notice_ = label(status, "Notice", layout::kNoticeLabel, "");
    notice_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    paintBlack(notice_, QColor(255, 96, 64));
    // Over the right end of the mode row; the label keeps its place.
    checkIndicator_ = new NameCheckIndicator(status);
    checkIndicator_->raise();
    connect(checkIndicator_, &NameCheckIndicator::clicked, this, &MainWindow::openNameCheck);
}

void MainWindow::showColourChoices(const ColourSet& colours) {
    if (listedColours_ == &colours) {
        return;
    }
    listedColours_ = &colours;
    const QSignalBlocker quiet(colourList_);
    colourList_->clear();
    for (const ColourChoice& colour : colours.choices) {
        colourList_->addItem(QString::fromUtf16(colour.name));
    }
    if (colours.palette != nullptr && colours.palette->rgbCodes) {
        colourList_->addItem(kOtherColourItem);
    }
}

void MainWindow::placeCheckIndicator() {
    // The longest mode caption leaves room for the sign and the count only.
    const QRect row = layout::kStatusRow.px();
    const int free =
        row.width() - modeLabel_->fontMetrics().horizontalAdvance(modeLabel_->text()) - 8;
    const bool compact = checkIndicator_->neededWidth(false) > free;
    checkIndicator_->setCompact(compact);
    const int width = checkIndicator_->neededWidth(compact);
    checkIndicator_->setGeometry(row.width() - width, 0, width, row.height());
}

void MainWindow::openNameCheck() {
    if (checkWindow_ == nullptr) {
        checkWindow_ = new NameCheckWindow(this);
        connect(checkWindow_, &NameCheckWindow::visibilityChanged, this, &MainWindow::refresh);
    }
    // Beside the main window, so the name strip's marks stay in view, and
    // whole on its screen.
    if (!checkWindow_->isVisible()) {
        checkWindow_->placeBeside(*this);
    }
    refresh();
    checkWindow_->show();
    checkWindow_->raise();
    checkWindow_->activateWindow();
}

void MainWindow::openColourGradient() {
    std::optional<colour::GradientForm> form = model_.gradientForm();
    if (!form) {
        return;
    }
    GradientDialog dialog(*form, this);
    // Below the window, so the name row with the preview stays in sight.
    dialog.adjustSize();
    const QPoint below(frameGeometry().left(), frameGeometry().bottom() + 1);
    if (screen()->availableGeometry().contains(QRect(below, dialog.frameSize()))) {
        dialog.move(below);
    }
    connect(&dialog, &GradientDialog::formChanged, this,
            [this, &form] { run([&] { model_.previewGradient(*form); }); });
    run([&] { model_.previewGradient(*form); });
    const bool accepted = dialog.exec() == QDialog::Accepted;
    run([&] {
        if (accepted) {
            model_.applyGradient(*form);
        } else {
            model_.endGradientPreview();
        }
    });
}

void MainWindow::refresh() {
    const WindowState& s = model_.state();
    charMap_->update();
    nameStrip_->update();
    auto show = [](QLabel* view, const QImage& image) {
        if (image.isNull()) {
            view->clear();
        } else {
            view->setPixmap(QPixmap::fromImage(image));
        }
    };
    show(regularView_, s.regularView);
    show(enlargedView_, s.enlargedView);
    previewCaption_->setText(s.previewCaption);
    if (rawName_->text() != s.rawNameBox) {
        rawName_->setText(s.rawNameBox);
    }
    if (commandLine_->text() != s.commandLineBox) {
        commandLine_->setText(s.commandLineBox);
    }
    modeLabel_->setText(s.modeLabel);
    // Also after a cancelled custom-picture switch, whose command Qt marked.
    for (const auto& [m, action] : modeActions_) {
        action->setChecked(s.Mode == m);
    }
    useGameCharset_->setEnabled(!s.charsetGameKey.isEmpty());
    useBuiltInCharset_->setEnabled(!s.charsetGameKey.isEmpty());
    saveName_->setEnabled(s.saveNameEnabled);
    quickSave_->setEnabled(s.quickSaveEnabled);
    showColourChoices(listedColours(s));
    colourList_->setEnabled(s.colourListEnabled);
    colourGradient_->setEnabled(model_.gradientForm().has_value());
    syncColourSelection(colourList_, s.colourListIndex);

    insertMode_->setChecked(s.insertMode);
    typeSecondSet_->setChecked(s.typeSecondSet);

    const CheckReport check = model_.nameCheck();
    checkIndicator_->showReport(check);
    placeCheckIndicator();
    // The charset note takes what room the mode label and the check leave,
    // shortened in the middle (the file's name is at its end); the whole of it
    // is the tooltip.
    charsetNote_->setGeometry(0, 0, std::max(checkIndicator_->x() - 4, 0), charsetNote_->height());
    const QFontMetrics metrics(charsetNote_->font());
    const int room = charsetNote_->width() - metrics.horizontalAdvance(s.modeLabel) - 12;
    charsetNote_->setText(metrics.elidedText(s.charsetNote, Qt::ElideMiddle, std::max(room, 0)));
    charsetNote_->setToolTip(s.charsetNote);
    // A notice stands over the charset note, left of the check, while it lasts.
    const int noticeRight = std::max(checkIndicator_->x() - 4, 0);
    const int noticeWidth = std::min(layout::kNoticeLabel.px().width(), noticeRight);
    notice_->setGeometry(noticeRight - noticeWidth, 0, noticeWidth, notice_->height());
    notice_->setText(s.notice);
    notice_->setVisible(!s.notice.isEmpty());
    const bool checkOpen = checkWindow_ != nullptr && checkWindow_->isVisible();
    QList<int> flagged;
    if (checkOpen) {
        // The tinted games' glyphs in white, which the window tints per glyph.
        checkWindow_->showReport(check,
                                 s.tintGlyphs.isNull() ? model_.nameCheckSheet() : s.tintGlyphs);
        for (const EngineReport& engine : check.engines) {
            for (const Finding& f : engine.findings) {
                flagged += f.positions;
            }
        }
        std::sort(flagged.begin(), flagged.end());
        flagged.erase(std::unique(flagged.begin(), flagged.end()), flagged.end());
    }
    nameStrip_->setHighlighted(flagged);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Keys edit the name only from the map and the name row; in the text
    // boxes they edit the box.
    if ((watched == charMap_ || watched == nameStrip_) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        bool used = false;
        run([&] { used = model_.keyPressed(key->key(), key->modifiers(), key->text()); });
        if (used) {
            return true;
        }
    }
    // Only the window's own background clears the preview, not its controls.
    if (watched == client_ && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (client_->childAt(move->position().toPoint()) == nullptr) {
            run([this] { model_.clearPreview(); });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace vtl
