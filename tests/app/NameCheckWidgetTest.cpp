#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/MainWindow.h"
#include "app/NameCheckIndicator.h"
#include "app/NameCheckWindow.h"
#include "app/NameStripWidget.h"
#include "app/WindowPlacement.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

using namespace Qt::StringLiterals;

namespace vtl {
namespace {

struct NameCheckWidgetTest : ::testing::Test {
    test::AppFolder appDir;
    QTemporaryDir gameDir;
    test::FakeDesktop desktop;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        test::writeBytes(appDir.path() + u"/vtl.ini"_s,
                         "[Vantorel]\r\nfirst=no\r\nq1config=" + gameDir.path().toLocal8Bit());
        window = std::make_unique<MainWindow>(desktop, AppPaths::inFolder(appDir.path()));
        window->model().start();
        window->refresh();
        window->show();
    }
    NameCheckIndicator* indicator() {
        return window->findChild<NameCheckIndicator*>(u"NameCheckIndicator"_s);
    }
    NameCheckWindow* checkWindow() { return window->findChild<NameCheckWindow*>(u"NameCheck"_s); }
    void modeAndName(GameMode mode, const QList<int>& codes) {
        window->model().selectMode(mode);
        for (int code : codes) {
            window->model().pickGlyph(code);
        }
        window->refresh();
    }
    // Joined as Quick Save joins the configured folder and the file.
    QString config() const { return gameDir.path() + QDir::separator() + u"config.cfg"_s; }
};

TEST_F(NameCheckWidgetTest,
       indicatorFollowsNameAndMode_clickOrMenuOpensNameCheck_marksPositionsWhileOpen) {
    // At the right end of the mode row, never over its caption.
    // An empty name makes the player "UnnamedPlayer" in both Quake III engines.
    EXPECT_EQ(indicator()->text(), u"2 problems"_s);
    window->model().pickGlyph('A');
    window->refresh();
    EXPECT_EQ(indicator()->text(), u"Name OK"_s);
    const QLabel* label = window->findChild<QLabel*>(u"Label7"_s);
    EXPECT_EQ(indicator()->geometry().right(), indicator()->parentWidget()->width() - 1);
    const std::tuple<GameMode, QList<int>, QString> steps[] = {
        {GameMode::QuakeWorld, {'A', '"', 'B'}, u"6 problems"_s},  // one per open engine
        {GameMode::Quake3Arena, {'A', 1}, u"1 problem"_s},         // ioquake3 only
        {GameMode::JumpGate, {'A', '"'}, u"No check"_s},
    };
    for (const auto& [mode, codes, shown] : steps) {
        modeAndName(mode, codes);
        EXPECT_EQ(indicator()->text(), shown);
        EXPECT_GE(indicator()->x(), label->fontMetrics().horizontalAdvance(label->text()));
    }

    modeAndName(GameMode::QuakeWorld, {'A', '\\'});
    auto* strip = window->findChild<NameStripWidget*>();
    EXPECT_TRUE(strip->highlighted().isEmpty());

    QTest::mouseClick(indicator(), Qt::LeftButton);
    ASSERT_NE(checkWindow(), nullptr);
    EXPECT_TRUE(checkWindow()->isVisible());
    EXPECT_FALSE(checkWindow()->isModal());
    EXPECT_EQ(checkWindow()->windowTitle(), u"Name Check"_s);
    EXPECT_EQ(strip->highlighted(), QList<int>{2});

    window->model().pickGlyph('"');
    window->refresh();
    EXPECT_EQ(strip->highlighted(), (QList<int>{2, 3}));

    checkWindow()->hide();
    EXPECT_TRUE(strip->highlighted().isEmpty());
    window->findChild<QAction*>(u"CheckName"_s)->trigger();
    EXPECT_TRUE(checkWindow()->isVisible());
}

TEST(NameCheckPlacement, besideTheOwner_wholeOnItsScreen) {
    const QRect screen(0, 0, 1280, 1000);
    struct Row {
        const char* name;
        QRect owner;
        QSize wanted;
        QRect placed;
    };
    const Row rows[] = {
        {"room on the right", {100, 100, 420, 400}, {640, 420}, {528, 100, 640, 420}},
        {"room on the left only", {700, 100, 420, 400}, {640, 420}, {52, 100, 640, 420}},
        {"neither: narrowed to the wider", {437, 300, 420, 400}, {640, 420}, {0, 300, 429, 420}},
        {"too narrow: at the right edge", {300, 300, 700, 400}, {640, 420}, {640, 300, 640, 420}},
        {"low on the screen: moved up", {100, 800, 420, 400}, {640, 420}, {528, 580, 640, 420}},
        {"larger than the screen", {100, 100, 300, 300}, {640, 1400}, {408, 0, 640, 1000}},
        {"owner on a second screen", {1400, 100, 420, 400}, {640, 420}, {640, 100, 640, 420}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(besideWindow(row.owner, row.wanted, screen), row.placed) << row.name;
    }
}

TEST_F(NameCheckWidgetTest, escapeCtrlWAndTheCloseButton_closeTheNameCheck) {
    struct Way {
        const char* name;
        std::function<void(NameCheckWindow*)> close;
    };
    const Way ways[] = {
        {"Esc", [](NameCheckWindow* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {"Ctrl+W", [](NameCheckWindow* w) { QTest::keyClick(w, Qt::Key_W, Qt::ControlModifier); }},
        {"Close", [](NameCheckWindow* w) { w->findChild<QPushButton*>(u"CloseCheck"_s)->click(); }},
    };
    for (const Way& way : ways) {
        window->openNameCheck();
        NameCheckWindow* check = checkWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(check)) << way.name;
        way.close(check);
        EXPECT_FALSE(check->isVisible()) << way.name;
    }
    EXPECT_EQ(checkWindow()->findChild<QPushButton*>(u"CloseCheck"_s)->text(), u"&Close"_s);
}

TEST_F(NameCheckWidgetTest, quickSaveAndSave_pastTheLimitOrBreakingTheLine_askFirst) {
    modeAndName(GameMode::QuakeWorld, {'A', 'B'});
    // `name "AB" //VTL G2 v6.3` and two line ends: 27 bytes, to 8,191 or past it.
    const std::tuple<qsizetype, bool, MessageAnswer, bool> cases[] = {
        {8191 - 27, false, MessageAnswer::Ok, true},
        {8191 - 26, true, MessageAnswer::No, false},
        {8191 - 26, true, MessageAnswer::Yes, true},
    };
    for (const auto& [oldSize, asks, answer, written] : cases) {
        test::writeBytes(config(), QByteArray(oldSize, 'x'));
        desktop.messages.clear();
        desktop.answers = {answer};
        window->model().quickSave();
        const bool asked =
            !desktop.messages.empty() && desktop.messages[0].buttons == MessageButtons::YesNo;
        EXPECT_EQ(asked, asks) << oldSize;
        if (asked) {
            EXPECT_EQ(desktop.messages[0].defaultButton, MessageAnswer::No);
            EXPECT_EQ(desktop.messages[0].text,
                      config() +
                          u" would grow to 8,192 bytes.\r"
                          u"id Quake ignores a config larger than 8,191 bytes: the whole "
                          u"file, your settings included.\r"
                          u"id QuakeWorld ignores a config larger than 8,191 bytes: the "
                          u"whole file, your settings included.\r"
                          u"QuakeSpasm still reads it.\rezQuake still reads it.\r"
                          u"Append the name anyway?"_s);
        }
        EXPECT_EQ(test::readBytes(config()).size(), oldSize + (written ? 27 : 0)) << oldSize;
    }

    test::writeBytes(config(), "bind w +forward");
    desktop.messages.clear();
    modeAndName(GameMode::QuakeWorld, {'"'});
    window->model().quickSave();  // answered No
    window->model().saveName();   // No again: no save dialog
    EXPECT_EQ(desktop.messages.size(), 2u);
    EXPECT_TRUE(desktop.messages[1].text.contains(u"every game engine"_s));
    EXPECT_TRUE(desktop.saveRequests.empty());
    EXPECT_EQ(test::readBytes(config()), "bind w +forward");
    desktop.answers = {MessageAnswer::Yes};
    window->model().saveName();
    EXPECT_EQ(desktop.saveRequests.size(), 1u);  // went on to the save dialog
}

}  // namespace
}  // namespace vtl
