#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/ConfigureDialog.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "support/ReadOnlyFolder.h"

namespace vtl {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::readBytes;

constexpr char kSaved[] = "[Vantorel]\r\nfirst=no\r\nq3config=/q3\r\nq1config=/q1\r\n";

// The dialog over a saved settings file, with how often it was left.
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

TEST(ConfigureDialog, saveWritesBothFoldersExactlyAsTypedOrBrowsed) {
    DialogFixture f;
    EXPECT_EQ(f.box(u"Text1"_s)->text(), u"/q3"_s);
    QTest::keyClicks(f.box(u"Text2"_s), u" /x "_s);
    f.desktop.folderReplies = {QString(), u"C:\\Quake3\\baseq3\\"_s};
    f.click(u"Command4"_s);  // cancelled: keeps what was typed
    f.click(u"Command1"_s);
    EXPECT_EQ(f.desktop.folderPrompts, std::vector<QString>(2, u"Please select a folder."_s));

    f.click(u"Command2"_s);

    EXPECT_EQ(f.left.count(), 1);
    // Blanks and a trailing separator are written as they stand.
    EXPECT_EQ(readBytes(f.ini()),
              "[Vantorel]\r\nfirst=no\r\nq3config=C:\\Quake3\\baseq3\\\r\nq1config=/q1 /x \r\n"_ba);
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

TEST(ConfigureDialog, saveIntoReadOnlyFolder_namesTheFileAndReasonAndStaysOpen) {
    DialogFixture f;
    QTest::keyClicks(f.box(u"Text1"_s), u"/new"_s);
    {
        test::ReadOnlyFolder readOnly(f.dir.path(), f.ini());
        ASSERT_TRUE(readOnly.ok);
        f.click(u"Command2"_s);
    }
    EXPECT_EQ(f.left.count(), 0);
    ASSERT_EQ(f.desktop.messages.size(), 1u);
    const QString text = f.desktop.messages[0].text;
    const QString head = u"The game folders were not saved.\r"_s;
    EXPECT_TRUE(text.startsWith(head)) << qPrintable(text);
    EXPECT_TRUE(text.contains(f.ini())) << qPrintable(text);
    EXPECT_GT(text.size(), head.size() + f.ini().size() + 8)
        << "a reason follows the file name: " << qPrintable(text);
    EXPECT_EQ(readBytes(f.ini()), kSaved);
}

}  // namespace
}  // namespace vtl
