#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/CharMapWidget.h"
#include "app/MainWindow.h"
#include "app/NameStripWidget.h"
#include "core/NameEditing.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

// Sends a move or press straight to the widget: QTest treats (0, 0) as "the
// centre", and the map's corners matter here.
void send(QWidget* w, QEvent::Type type, QPointF at) {
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

struct MainWindowTest : ::testing::Test {
    QTemporaryDir appDir;
    test::FakeDesktop desktop;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        // A white Quake III sheet so hover previews have pixels to show.
        ASSERT_TRUE(QDir(appDir.path()).mkpath(QStringLiteral("q3a")));
        QImage sheet(256, 256, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        ASSERT_TRUE(sheet.save(appDir.filePath(QStringLiteral("q3a/q3-white.gif")), "PNG"));
        window = std::make_unique<MainWindow>(desktop, AppPaths::inFolder(appDir.path()));
        window->model().start();
        window->refresh();
        window->show();
    }
    template <typename T>
    T* child(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    const WindowState& state() { return window->model().state(); }
};

TEST_F(MainWindowTest, startUp_showsQuakeIIIArenaWithAnEmptyName) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantorel G2 v6.3 - Quenmoor Software"));
    EXPECT_EQ(window->centralWidget()->size(), QSize(406, 353));
    EXPECT_EQ(child<QLabel>("Label7")->text(), QStringLiteral("Mode: Quake III: Arena"));
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QString());
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), QStringLiteral("name \"^7\" //VTL G2 v6.3"));
    EXPECT_EQ(state().CursorPos, 1);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MainWindowTest, everyCaption_showsWholeInItsLabel) {
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (l->text().isEmpty() || l->objectName() == QStringLiteral("Label7")) {
            continue;  // the mode label runs on under the status bar
        }
        const QRect needed = l->fontMetrics().boundingRect(l->text());
        EXPECT_LE(needed.right() - std::min(needed.left(), 0), l->contentsRect().width() - 1)
            << qPrintable(l->objectName() + u' ' + l->text());
    }
}

TEST_F(MainWindowTest, controls_sitWhereTheLayoutPutsThem) {
    const std::pair<const char*, QRect> rows[] = {
        {"CharMapBG", QRect(0, 0, 263, 263)},  {"CharMap", QRect(0, 0, 257, 257)},
        {"Picture1", QRect(264, 0, 140, 263)}, {"Picture3", QRect(0, 264, 405, 26)},
        {"Text2", QRect(104, 296, 303, 19)},   {"Text3", QRect(104, 316, 303, 19)},
        {"Picture7", QRect(0, 336, 406, 17)},  {"List1", QRect(4, 16, 114, 41)},
        {"Picture2", QRect(80, 40, 33, 33)},   {"RegViewChar", QRect(96, 16, 17, 17)},
    };
    for (const auto& [name, rect] : rows) {
        const QWidget* w = child<QWidget>(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->geometry(), rect) << name;
    }
    QStringList items;
    for (int i = 0; i < child<QListWidget>("List1")->count(); ++i) {
        items << child<QListWidget>("List1")->item(i)->text();
    }
    EXPECT_EQ(items.join(u','), QStringLiteral("White,Red,Black,Magenta,Green,Yellow,Blue,Cyan"));
}

TEST_F(MainWindowTest, menus_carryTheirCaptionsInOrder) {
    QStringList captions;
    for (QAction* top : window->menuBar()->actions()) {
        captions << top->text();
        for (QAction* a : top->menu()->actions()) {
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
    }
    EXPECT_EQ(captions.join(u'|'),
              QStringLiteral("&File|&New Name|&Open Name\u2026|&Save Name|&QuickSave|"
                             "&Export name as Bitmap|Export name as &PNG\u2026|-|"
                             "Copy Name|&Configure|-|&Exit|&Edit|&Undo|&Redo|&Paste Name|-|"
                             "&Insert Mode|Type in &Second Set|-|Check Name\u2026|"
                             "&Game/Mode|Quake I (QuakeWorld)|"
                             "Quake II|Quake III: Arena|-|Hexen II|Return to Castle Wolfenstein|"
                             "JumpGate|-|Use Game's Own Charset\u2026|Use Built-in Charset|"
                             "&About/Help|&About|&Help|&Quenmoor Software Homepage"));
}

TEST_F(MainWindowTest, mapPoints_reachTheRightCell) {
    auto* map = child<CharMapWidget>("CharMap");
    const std::pair<QPointF, int> rows[] = {
        {{0, 0}, 0},      {{15.9, 15.9}, 0},     {{16, 0}, 1},
        {{16.5, 0}, 1},   {{0, 16.5}, 16},       {{255, 255}, 255},
        {{256.9, 0}, 15}, {{256.9, 256.9}, 255}, {{130, 70}, 4 * 16 + 8},
    };
    for (const auto& [point, code] : rows) {
        EXPECT_EQ(map->cellAt(point), code) << point.x() << "," << point.y();
    }
    EXPECT_FALSE(map->cellAt({257, 10}).has_value());

    send(map, QEvent::MouseButtonPress, {0, 0});
    send(map, QEvent::MouseButtonPress, {256.5, 256.5});
    EXPECT_EQ(state().cells[0].fragment, QByteArrayLiteral("^7 "));  // code 0 is a blank
    EXPECT_EQ(state().cells[1].fragment, QByteArrayLiteral(" "));    // code 255 too
    EXPECT_EQ(state().CursorPos, 3);
    send(map, QEvent::MouseButtonPress, {16 * 1 + 3, 16 * 4 + 3});
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QStringLiteral("^7  A"));
}

TEST_F(MainWindowTest, hover_showsPreview_backgroundClearsIt_controlsLeaveIt) {
    send(child<CharMapWidget>("CharMap"), QEvent::MouseMove, {16 * 1 + 3, 16 * 4 + 3});
    EXPECT_EQ(child<QLabel>("Label3")->text(), QStringLiteral("Char Number: 66"));
    EXPECT_FALSE(child<QLabel>("Picture2")->pixmap().isNull());

    send(child<QWidget>("Picture1"), QEvent::MouseMove, {5, 5});  // a control
    EXPECT_EQ(child<QLabel>("Label3")->text(), QStringLiteral("Char Number: 66"));

    send(window->centralWidget(), QEvent::MouseMove, {263.2, 100});  // bare background
    EXPECT_EQ(child<QLabel>("Label3")->text(), QStringLiteral("Char Number:"));
    EXPECT_TRUE(child<QLabel>("Picture2")->pixmap().isNull());
    EXPECT_FALSE(state().frameCode.has_value());
}

TEST_F(MainWindowTest, slotsAndDelete_editTheName) {
    auto* strip = child<NameStripWidget>("Picture3");
    EXPECT_EQ(strip->slotAt({16 * 4 + 5, 20}), 5);
    EXPECT_FALSE(strip->slotAt({16 * 4 + 5, 5}).has_value());  // glyph row
    EXPECT_FALSE(strip->slotAt({5, 20}).has_value());          // the marker itself

    send(strip, QEvent::MouseButtonPress, {16 * 4 + 5, 20});
    EXPECT_EQ(state().CursorPos, 5);
    send(child<CharMapWidget>("CharMap"), QEvent::MouseButtonPress, {16 + 3, 64 + 3});
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QStringLiteral("    ^7A"));

    send(strip, QEvent::MouseButtonPress, {16 * 4 + 5, 20});
    QTest::mouseClick(child<QWidget>("Command1"), Qt::LeftButton);
    EXPECT_EQ(state().cells[4].fragment, QByteArrayLiteral(" "));
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QString());
}

TEST_F(MainWindowTest, keys_editTheNameFromMapAndNameRowOnly_theBoxesKeepTheirOwn) {
    auto* map = child<CharMapWidget>("CharMap");
    auto* strip = child<NameStripWidget>("Picture3");
    auto* rawName = child<QLineEdit>("Text2");
    EXPECT_EQ(window->focusWidget(), map);

    QTest::keyClicks(map, QStringLiteral("Ab"));
    QTest::keyClick(strip, Qt::Key_Left);
    QTest::keyClicks(strip, QStringLiteral("c"));
    EXPECT_EQ(rawName->text(), QStringLiteral("^7Ac"));
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), QStringLiteral("name \"^7Ac^7\" //VTL G2 v6.3"));

    rawName->setFocus();
    QTest::keyClicks(rawName, QStringLiteral("xy"));
    QTest::keyClick(rawName, Qt::Key_Backspace);
    QTest::keyClick(rawName, Qt::Key_Home);
    QTest::keyClick(rawName, Qt::Key_Delete);
    EXPECT_EQ(rawName->text(), QStringLiteral("7Acx"));  // the box's own editing
    EXPECT_EQ(composeNameText(state()), QByteArrayLiteral("^7Ac"));
    EXPECT_EQ(state().CursorPos, 3);
    QTest::keyClicks(child<QListWidget>("List1"), QStringLiteral("r"));
    EXPECT_EQ(composeNameText(state()), QByteArrayLiteral("^7Ac"));

    // A switch and the Delete button hand the keyboard back to the map.
    window->findChild<QAction*>(QStringLiteral("Quake2"))->trigger();
    EXPECT_EQ(window->focusWidget(), map);
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(window->focusWidget(), map);
}

TEST_F(MainWindowTest, editMenu_namesWhatItUndoes_colourKeysSelectInTheList) {
    auto action = [this](const char* name) {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    };
    auto* map = child<CharMapWidget>("CharMap");
    EXPECT_FALSE(action("Undo")->isEnabled());
    EXPECT_EQ(action("Undo")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(action("Redo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                   QKeySequence(QStringLiteral("Ctrl+Y"))}));
    EXPECT_EQ(action("InsertMode")->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_FALSE(action("TypeSecondSet")->shortcut().isEmpty());

    QTest::keyClick(map, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(child<QListWidget>("List1")->currentRow(), 4);  // Green
    EXPECT_EQ(state().ColorPrefix, QByteArrayLiteral("^2"));
    QTest::keyClicks(map, QStringLiteral("A"));
    QTest::keyClick(map, Qt::Key_Home);
    QTest::keyClick(map, Qt::Key_Delete);
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("&Undo Delete"));
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QString());
    action("Undo")->trigger();
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QStringLiteral("^2A"));
    EXPECT_EQ(action("Redo")->text(), QStringLiteral("&Redo Delete"));

    action("InsertMode")->trigger();
    EXPECT_TRUE(state().insertMode);
    EXPECT_TRUE(action("InsertMode")->isChecked());
    QTest::keyClicks(map, QStringLiteral("B"));
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QStringLiteral("B^2A"));
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("&Undo Insert Glyph"));
    EXPECT_FALSE(action("Redo")->isEnabled());
}

}  // namespace
}  // namespace vtl
