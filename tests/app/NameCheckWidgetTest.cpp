#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainWindow.h"
#include "app/NameCheckIndicator.h"
#include "app/NameCheckWindow.h"
#include "app/NameStripWidget.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

using namespace Qt::StringLiterals;

namespace vtl {
namespace {

struct NameCheckWidgetTest : ::testing::Test {
    QTemporaryDir appDir;
    QTemporaryDir gameDir;
    test::FakeDesktop desktop;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        // Sheets for the modes used here, so no switch reports a missing file.
        QImage sheet(256, 256, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        for (const char* sheetFile :
             {"q3a/q3-white.gif", "qw/quakeworld.gif", "jumpgate/jumpgate.gif"}) {
            const QString path = appDir.filePath(QString::fromLatin1(sheetFile));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
            ASSERT_TRUE(sheet.save(path, "PNG"));
        }
        test::writeBytes(appDir.filePath(u"vtl.ini"_s), "[Vantorel]\r\nfirst=no\r\nq1config=" +
                                                            gameDir.path().toLocal8Bit() + "\r\n");
        window = std::make_unique<MainWindow>(desktop, AppPaths::inFolder(appDir.path()));
        window->model().start();
        window->refresh();
        window->show();
    }
    NameCheckIndicator* indicator() {
        return window->findChild<NameCheckIndicator*>(u"NameCheckIndicator"_s);
    }
    NameCheckWindow* checkWindow() { return window->findChild<NameCheckWindow*>(u"NameCheck"_s); }
    void modeAndName(GameMode mode, std::initializer_list<int> codes) {
        window->model().selectMode(mode);
        for (int code : codes) {
            window->model().pickGlyph(code);
        }
        window->refresh();
    }
    QString config() const { return gameDir.filePath(u"config.cfg"_s); }
};

TEST_F(NameCheckWidgetTest, indicator_followsNameAndMode_atTheRightEndOfTheModeRow) {
    const QRect labelBefore = window->findChild<QLabel*>(u"Label7"_s)->geometry();
    EXPECT_EQ(indicator()->text(), u"Name OK"_s);
    EXPECT_EQ(indicator()->parentWidget()->objectName(), u"Picture7"_s);
    EXPECT_EQ(indicator()->geometry().right(), indicator()->parentWidget()->width() - 1);

    struct Step {
        GameMode mode;
        std::initializer_list<int> codes;
        QString shown;
    } steps[] = {
        {GameMode::QuakeWorld, {'A', 'B'}, u"Name OK"_s},
        {GameMode::QuakeWorld, {'A', '"', 'B'}, u"3 problems"_s},  // one per engine
        {GameMode::Quake3Arena, {'A', '%'}, u"2 problems"_s},
        {GameMode::Quake3Arena, {'A', 1}, u"1 problem"_s},  // ioquake3 only
        {GameMode::Quake2Hex, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}, u"1 problem"_s},
        {GameMode::JumpGate, {'A', '"'}, u"No check"_s},
    };
    const QLabel* label = window->findChild<QLabel*>(u"Label7"_s);
    for (const Step& step : steps) {
        modeAndName(step.mode, step.codes);
        EXPECT_EQ(indicator()->text(), step.shown) << step.shown.toStdString();
        // Never over the mode caption's text.
        EXPECT_GE(indicator()->x(), label->fontMetrics().horizontalAdvance(label->text()))
            << label->text().toStdString();
    }
    EXPECT_EQ(window->findChild<QLabel*>(u"Label7"_s)->geometry(), labelBefore);
}

TEST_F(NameCheckWidgetTest, clickOpensNameCheck_marksPositionsWhileOpen_updatesLive) {
    modeAndName(GameMode::QuakeWorld, {'A', '\\'});
    auto* strip = window->findChild<NameStripWidget*>();
    EXPECT_TRUE(strip->highlighted().isEmpty());

    QTest::mouseClick(indicator(), Qt::LeftButton);
    ASSERT_NE(checkWindow(), nullptr);
    EXPECT_TRUE(checkWindow()->isVisible());
    EXPECT_FALSE(checkWindow()->isModal());
    EXPECT_EQ(checkWindow()->windowTitle(), u"Name Check"_s);
    EXPECT_EQ(strip->highlighted(), QList<int>{2});
    EXPECT_NE(checkWindow()->findChild<QWidget*>(u"engine:ezQuake"_s), nullptr);

    window->model().pickGlyph('"');
    window->refresh();
    EXPECT_EQ(strip->highlighted(), (QList<int>{2, 3}));

    checkWindow()->hide();
    EXPECT_TRUE(strip->highlighted().isEmpty());
}

TEST_F(NameCheckWidgetTest, editMenu_checkName_opensTheWindow) {
    QAction* action = window->findChild<QAction*>(u"CheckName"_s);
    ASSERT_NE(action, nullptr);
    action->trigger();
    ASSERT_NE(checkWindow(), nullptr);
    EXPECT_TRUE(checkWindow()->isVisible());
}

TEST_F(NameCheckWidgetTest, saveName_quoteName_asksFirst_noWritesNothing) {
    modeAndName(GameMode::QuakeWorld, {'A', 162, 'B'});
    desktop.answers.push_back(MessageAnswer::No);
    window->model().saveName();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(desktop.messages[0].defaultButton, MessageAnswer::No);
    EXPECT_TRUE(desktop.saveRequests.empty());

    desktop.answers.push_back(MessageAnswer::Yes);
    window->model().saveName();
    EXPECT_EQ(desktop.saveRequests.size(), 1u);  // went on to the save dialog
}

TEST_F(NameCheckWidgetTest, saveName_otherFindings_doNotAsk) {
    modeAndName(GameMode::QuakeWorld, {'A', '\\'});
    window->model().saveName();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(desktop.saveRequests.size(), 1u);
}

TEST_F(NameCheckWidgetTest, quickSave_quoteName_noLeavesConfigAlone) {
    test::writeBytes(config(), "bind w +forward");
    modeAndName(GameMode::QuakeWorld, {'"'});
    window->model().quickSave();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains(u"every game engine"_s));
    EXPECT_EQ(test::readBytes(config()), "bind w +forward");
}

TEST_F(NameCheckWidgetTest, quickSave_notConfigured_saysSoWithoutAsking) {
    test::writeBytes(appDir.filePath(u"vtl.ini"_s), "[Vantorel]\r\nfirst=no\r\n");
    modeAndName(GameMode::QuakeWorld, {'"'});
    window->model().quickSave();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].buttons, MessageButtons::Ok);
}

TEST_F(NameCheckWidgetTest, quickSave_pastTheLimit_asksWithTheEngines) {
    struct Case {
        qsizetype oldSize;  // `name "AB" //VTL G2 v6.3` and two line ends: 27 bytes
        bool asks;
        MessageAnswer answer;
        bool written;
    } cases[] = {
        {8191 - 27, false, MessageAnswer::Ok, true},
        {8191 - 26, true, MessageAnswer::No, false},
        {8191 - 26, true, MessageAnswer::Yes, true},
    };
    for (const Case& c : cases) {
        const QByteArray old(c.oldSize, 'x');
        test::writeBytes(config(), old);
        desktop.messages.clear();
        desktop.answers = {c.answer};
        modeAndName(GameMode::QuakeWorld, {'A', 'B'});
        window->model().quickSave();
        const bool asked =
            !desktop.messages.empty() && desktop.messages[0].buttons == MessageButtons::YesNo;
        EXPECT_EQ(asked, c.asks) << c.oldSize;
        if (asked) {
            EXPECT_TRUE(desktop.messages[0].text.contains(u"grow to 8,192 bytes"_s));
            EXPECT_TRUE(desktop.messages[0].text.contains(u"id QuakeWorld ignores"_s));
            EXPECT_TRUE(desktop.messages[0].text.contains(u"QuakeSpasm still reads it"_s));
        }
        const QByteArray now = test::readBytes(config());
        EXPECT_EQ(now.size() > old.size(), c.written) << c.oldSize;
        if (c.written) {
            EXPECT_EQ(now.size(), c.oldSize + 27);
        }
    }
}

}  // namespace
}  // namespace vtl
