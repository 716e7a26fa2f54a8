#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include <functional>

#include "app/CharMapWidget.h"
#include "app/NameStripWidget.h"
#include "app/WindowPlacement.h"
#include "core/Geometry.h"
#include "core/Version.h"
#include "window/Shell.h"

namespace vtl {
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

void forwardColourChoice(QListWidget* list, std::function<void(int)> choose) {
    new ColourChoiceForwarder(list, std::move(choose));
}

}  // namespace

MainWindow::MainWindow(Desktop& desktop, const QString& appDir, QWidget* parent)
    : QMainWindow(parent), model_(desktop, appDir) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vantorel G2 ") + QLatin1StringView(kVersion) +
                   QStringLiteral(" - Quenmoor Software"));
    setWindowFlags(fixedSizeWindow(Qt::Window));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(layout::kClient.px().size());
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    // The layout was drawn for a narrow 8-point face; DejaVu's condensed cut
    // fits the captions into their boxes.
    QFont narrow(QStringLiteral("DejaVu Sans Condensed"));
    narrow.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    narrow.setPixelSize(11);
    client_->setFont(narrow);
    setCentralWidget(client_);

    setupMenus();
    setupPanel();
    setupNameArea();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void MainWindow::setupMenus() {
    auto add = [this](QMenu* menu, const char* name, const char* caption, auto slot) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this,
                [this, slot] { run([this, slot] { slot(model_); }); });
        return a;
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
    auto mode = [&add](QMenu* menu, const char* name, const char* caption, GameMode m) {
        add(menu, name, caption, [m](MainWindowModel& f) { f.selectMode(m); });
    };
    // These may close this window, so nothing of it is touched afterwards.
    auto lifecycle = [this](QMenu* menu, const char* name, const char* caption, auto command) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, command] {
            if (shell_) {
                command(*shell_);
            }
        });
    };

    QMenu* file = submenu(nullptr, "File", "&File");
    add(file, "NewName", "&New Name", [](MainWindowModel& f) { f.newName(); });
    saveName_ = add(file, "SaveName", "&Save Name", [](MainWindowModel& f) { f.saveName(); });
    quickSave_ = add(file, "quicksave", "&QuickSave", [](MainWindowModel& f) { f.quickSave(); });
    add(file, "exportasbitmap", "&Export name as Bitmap",
        [](MainWindowModel& f) { f.exportAsBitmap(); });
    separator(file, "blankbar3");
    QMenu* copy = submenu(file, "copynme", "Copy Name");
    add(copy, "copyfunnamecmdlne", "Copy Funname Command Line",
        [](MainWindowModel& f) { f.copyCommandLine(); });
    add(copy, "copyrawsrc", "Copy Raw Funname Source", [](MainWindowModel& f) { f.copyRawName(); });
    lifecycle(file, "options", "&Configure", [](Shell& s) { s.openConfigure(); });
    separator(file, "blankbar1");
    lifecycle(file, "Exit", "&Exit", [](Shell& s) { s.exitProgram(); });

    QMenu* game = submenu(nullptr, "SelectGame", "&Game/Mode");
    QMenu* quake = submenu(game, "LoadQuakeWorld", "Quake I (QuakeWorld)");
    mode(quake, "QuakeWorld", "QuakeWorld", GameMode::QuakeWorld);
    mode(quake, "QuakeWorldMOD", "QuakeWorld MOD", GameMode::QuakeWorldMod);
    QMenu* q2 = submenu(game, "LoadQ2", "Quake II");
    mode(q2, "Quake2", "Quake II", GameMode::Quake2);
    mode(q2, "RivCTFandVikingServerMOD", "RivCTF/Viking Server MOD", GameMode::Quake2Hex);
    mode(game, "Q3A", "Quake III: Arena", GameMode::Quake3Arena);
    separator(game, "blankbar2");
    QMenu* hexen = submenu(game, "LoadHexen2", "Hexen II");
    mode(hexen, "Hexen2", "Hexen II", GameMode::Hexen2);
    mode(hexen, "Hexen2MOD", "Hexen II MOD", GameMode::Hexen2Mod);
    mode(game, "wolf3d", "Return to Castle Wolfenstein", GameMode::Wolfenstein);
    mode(game, "JumpGate", "JumpGate", GameMode::JumpGate);

    QMenu* about = submenu(nullptr, "About", "&About/Help");
    lifecycle(about, "AboutHelp", "&About", [](Shell& s) { s.showAbout(); });
    lifecycle(about, "HelpMe", "&Help", [](Shell& s) { s.openUserGuide(); });
    lifecycle(about, "GotoHomepage", "&Quenmoor Software Homepage",
              [](Shell& s) { s.openHomepage(); });
}

void MainWindow::setupPanel() {
    auto* mapBackground = place<QWidget>(client_, "CharMapBG", layout::kMapBackground);
    paintBlack(mapBackground);
    mapBackground->setCursor(Qt::CrossCursor);
    charMap_ = new CharMapWidget(model_.state(), mapBackground);
    connect(charMap_, &CharMapWidget::cellClicked, this,
            [this](int code) { run([&] { model_.pickGlyph(code); }); });
    connect(charMap_, &CharMapWidget::cellHovered, this,
            [this](int code) { run([&] { model_.previewGlyph(code); }); });

    auto* panel = place<QWidget>(client_, "Picture1", layout::kSidePanel);
    paintBlack(panel);
    QLabel* heading = place<QLabel>(panel, "Image4", layout::kMenuHeading);
    // Drawn by the sheet generator at build time and built in as a resource.
    heading->setPixmap(QPixmap(QStringLiteral(":/app/menu-heading.png")));
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
    connect(deleteButton, &QPushButton::clicked, this,
            [this] { run([this] { model_.deleteAtCursor(); }); });

    auto* colours = place<QGroupBox>(panel, "Frame5", layout::kColourFrame);
    colours->setTitle(QStringLiteral("Q3:A Engine Colors"));
    colourList_ = place<QListWidget>(colours, "List1", layout::kColourList);
    // The list's scroll bar keeps the desktop's colours, not the panel's.
    QPalette standard = QApplication::palette();
    standard.setResolveMask(~QPalette::ResolveMask(0));
    colourList_->verticalScrollBar()->setPalette(standard);
    for (const Colour& colour : kColours) {
        colourList_->addItem(QString::fromUtf16(colour.name));
    }
    forwardColourChoice(colourList_, [this](int row) { run([&] { model_.chooseColour(row); }); });
}

void MainWindow::setupNameArea() {
    nameStrip_ = new NameStripWidget(model_.state(), client_);
    connect(nameStrip_, &NameStripWidget::slotClicked, this,
            [this](int slot) { run([&] { model_.moveCursorTo(slot); }); });

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
    saveName_->setEnabled(s.saveNameEnabled);
    quickSave_->setEnabled(s.quickSaveEnabled);
    colourList_->setEnabled(s.colourListEnabled);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
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
