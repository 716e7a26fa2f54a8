#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include "app/ConfigureDialog.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "support/ReadOnlyFolder.h"

namespace vtl {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::readBytes;

constexpr char kSaved[] = "[Vantorel]\r\nfirst=no\r\nq3config=/q3\r\nq1config=/q1\r\n";

// The dialog over a saved settings file. Text1 and Command1 are the Quake III folder
// and its browse button, Text2 and Command4 Quake's; Command2 saves, Command3 cancels.
struct DialogFixture {
    DialogFixture() {
        test::writeBytes(ini(), kSaved);
        dialog.load();
        dialog.show();
    }
    QString ini() const { return dir.path() + u"/vtl.ini"_s; }
    QLineEdit* box(const QString& name) { return dialog.findChild<QLineEdit*>(name); }
    void click(const QString& name) { dialog.findChild<QPushButton*>(name)->click(); }

    QTemporaryDir dir;
    test::FakeDesktop desktop;
    ConfigureDialog dialog{desktop, ini()};
    QSignalSpy left{&dialog, &ConfigureDialog::left};
};

// Blanks, a trailing separator and any script are written and shown again as
// they stand; a line break pasted with a path copied from a terminal never gets in.
TEST(ConfigureDialog, saveWritesBothFoldersExactlyAsPastedOrBrowsed) {
    const QString q3 = u"/home/micha\u0142/\u30E6\u30FC\u30B6\u30FC/baseq3\\"_s;
    DialogFixture f;
    QGuiApplication::clipboard()->setText(u"/games/quake\r\n/id1 /x \n"_s);
    f.box(u"Text2"_s)->selectAll();
    f.box(u"Text2"_s)->paste();
    EXPECT_EQ(f.box(u"Text2"_s)->text(), u"/games/quake/id1 /x "_s);
    f.desktop.folderReplies = {QString(), q3};
    f.click(u"Command4"_s);  // cancelled: keeps what was pasted
    f.click(u"Command1"_s);
    EXPECT_EQ(f.desktop.folderPrompts, std::vector<QString>(2, u"Please select a folder."_s));

    f.click(u"Command2"_s);

    EXPECT_EQ(f.left.count(), 1);
    EXPECT_EQ(readBytes(f.ini()), "[Vantorel]\r\nfirst=no\r\nq3config="_ba + q3.toUtf8() +
                                      "\r\nq1config=/games/quake/id1 /x \r\n"_ba);
    ConfigureDialog again(f.desktop, f.ini());
    again.load();
    EXPECT_EQ(again.findChild<QLineEdit*>(u"Text1"_s)->text(), q3);
}

TEST(ConfigureDialog, cancelOrEscape_leavesWritingNothing) {
    // Escape must not close the dialog QDialog's way, which ends the program.
    for (const bool escape : {false, true}) {
        DialogFixture f;
        QTest::keyClicks(f.box(u"Text2"_s), u"/typed"_s);
        if (escape) {
            QTest::keyClick(f.box(u"Text1"_s), Qt::Key_Escape);
        } else {
            f.click(u"Command3"_s);
        }
        EXPECT_EQ(f.left.count(), 1);
        EXPECT_EQ(readBytes(f.ini()), kSaved);
    }
}

TEST(ConfigureDialog, tabGoesDownTheDialog_enterSaves) {
    DialogFixture f;
    f.dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.dialog));
    f.box(u"Text1"_s)->setFocus();
    QStringList order;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order.join(u' '), u"Command1 Text2 Command4 Command2 Command3 Text1"_s);

    f.box(u"Text2"_s)->setFocus();
    QTest::keyClicks(f.box(u"Text2"_s), u"/x"_s);
    QTest::keyClick(f.box(u"Text2"_s), Qt::Key_Return);
    EXPECT_EQ(f.left.count(), 1);
    EXPECT_EQ(readBytes(f.ini()),
              "[Vantorel]\r\nfirst=no\r\nq3config=/q3\r\nq1config=/q1/x\r\n"_ba);
}

// A folder that can't be stored, or a file that can't be written: the file stays
// exactly as it was, and the dialog stays open with the file and the reason.
TEST(ConfigureDialog, saveRefused_writesNeitherFolder_namesTheFileAndReason_staysOpen) {
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly);
        DialogFixture f;
        QTest::keyClicks(f.box(u"Text1"_s), u"/new"_s);
        std::optional<test::ReadOnlyFolder> guard;
        if (readOnly) {
            VTL_REQUIRE_READ_ONLY(guard.emplace(f.dir.path(), f.ini()));
        } else {
            f.dialog.model().quakeFolder = u"/bad\nline"_s;  // a line break can't be stored
        }
        f.click(u"Command2"_s);
        guard.reset();

        EXPECT_EQ(f.left.count(), 0);
        ASSERT_EQ(f.desktop.messages.size(), 1u);
        const QString text = f.desktop.messages[0].text;
        EXPECT_TRUE(text.startsWith(u"The game folders were not saved.\r"_s)) << qPrintable(text);
        const qsizetype at = text.indexOf(f.ini());  // the file's name, then the reason
        EXPECT_TRUE(!readOnly || (at > 0 && at + f.ini().size() + 8 < text.size()))
            << qPrintable(text);
        EXPECT_EQ(readBytes(f.ini()), kSaved);
    }
}

}  // namespace
}  // namespace vtl
