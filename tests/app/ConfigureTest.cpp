#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ReadOnlyFolder.h"
#include "app/ConfigureDialog.h"
#include "app/Form2.h"
#include "ini/Ini.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

namespace vtl {
namespace {

using test::FakeDesktop;
using test::readBytes;
using test::writeBytes;

struct ConfigureFixture {
    QTemporaryDir dir;
    FakeDesktop desktop;
    QString ini() const { return dir.path() + QStringLiteral("/vtl.ini"); }
};

TEST(Form2, load_showsTheSavedFoldersOrNothing) {
    ConfigureFixture f;
    Form2 form(f.desktop, f.ini());
    form.Form_Load();
    EXPECT_EQ(form.Text1, QString());
    EXPECT_EQ(form.Text2, QString());

    writeBytes(f.ini(), QByteArrayLiteral("[Vantorel]\r\nfirst=no\r\nQ1Config=/games/quake/id1\r\n"
                                          "q3config=/games/q3/baseq3\r\n"));
    form.Form_Load();
    EXPECT_EQ(form.Text1, QStringLiteral("/games/q3/baseq3"));
    EXPECT_EQ(form.Text2, QStringLiteral("/games/quake/id1"));
    EXPECT_TRUE(f.desktop.messages.empty());
}

TEST(Form2, save_storesBothFoldersExactlyAsTyped) {
    struct Case {
        QString q3, q1;
        QByteArray stored;  // the lines the file then holds
    };
    const Case cases[] = {
        {QStringLiteral("/games/q3/baseq3"), QStringLiteral("/games/quake/id1"),
         QByteArrayLiteral("q3config=/games/q3/baseq3\r\nq1config=/games/quake/id1\r\n")},
        // A trailing separator; an empty box stores an empty value.
        {QStringLiteral("C:\\Quake3\\baseq3\\"), QString(),
         QByteArrayLiteral("q3config=C:\\Quake3\\baseq3\\\r\nq1config=\r\n")},
        {QStringLiteral("/Spiele/\u00dcbung"), QStringLiteral("/"),
         QByteArrayLiteral("q3config=/Spiele/\xdc"
                           "bung\r\nq1config=/\r\n")},
        // Longer than the 254 characters the old reader kept.
        {QStringLiteral("/x").repeated(200), QStringLiteral("/q1"),
         "q3config=" + QByteArrayLiteral("/x").repeated(200) + "\r\nq1config=/q1\r\n"},
    };
    for (const Case& c : cases) {
        ConfigureFixture f;
        writeBytes(f.ini(), QByteArrayLiteral("; mine\r\n[Vantorel]\r\nfirst=no\r\n"));
        Form2 form(f.desktop, f.ini());
        form.Form_Load();
        form.Text1 = c.q3;
        form.Text2 = c.q1;

        EXPECT_TRUE(form.Command2_Click());

        EXPECT_TRUE(f.desktop.messages.empty());
        Form2 reread(f.desktop, f.ini());
        reread.Form_Load();
        EXPECT_EQ(reread.Text1, c.q3);
        EXPECT_EQ(reread.Text2, c.q1);
        EXPECT_EQ(readBytes(f.ini()), "; mine\r\n[Vantorel]\r\nfirst=no\r\n" + c.stored);
    }
}

TEST(Form2, blanksAroundATypedFolder_areWrittenAsTyped) {
    ConfigureFixture f;
    Form2 form(f.desktop, f.ini());
    form.Text1 = QStringLiteral(" /with blanks ");
    EXPECT_TRUE(form.Command2_Click());
    EXPECT_EQ(readBytes(f.ini()),
              QByteArrayLiteral("[Vantorel]\r\nq3config= /with blanks \r\nq1config=\r\n"));
}

TEST(Form2, browse_replacesTheBoxAndCancelKeepsIt) {
    ConfigureFixture f;
    Form2 form(f.desktop, f.ini());
    form.Text1 = QStringLiteral("/old/q3");
    form.Text2 = QStringLiteral("/old/q1");
    f.desktop.folderReplies = {QStringLiteral("/new/q3"), QString(), QStringLiteral("/")};

    form.Command1_Click();
    EXPECT_EQ(form.Text1, QStringLiteral("/new/q3"));
    form.Command4_Click();  // cancelled
    EXPECT_EQ(form.Text2, QStringLiteral("/old/q1"));
    form.Command4_Click();
    EXPECT_EQ(form.Text2, QStringLiteral("/"));

    EXPECT_EQ(f.desktop.folderPrompts,
              std::vector<QString>(3, QStringLiteral("Please select a folder.")));
    EXPECT_FALSE(QFile::exists(f.ini())) << "browsing writes nothing";
}

TEST(Form2, saveIntoReadOnlyFolder_namesTheFileAndReasonAndKeepsTheFile) {
    ConfigureFixture f;
    const QByteArray before = QByteArrayLiteral("[Vantorel]\r\nfirst=no\r\nq3config=/old\r\n");
    writeBytes(f.ini(), before);
    Form2 form(f.desktop, f.ini());
    form.Form_Load();
    form.Text1 = QStringLiteral("/new");

    bool saved = true;
    {
        test::ReadOnlyFolder readOnly(f.dir.path(), f.ini());
        ASSERT_TRUE(readOnly.ok());
        saved = form.Command2_Click();
    }

    EXPECT_FALSE(saved);
    ASSERT_EQ(f.desktop.messages.size(), 1u);
    const QString text = f.desktop.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("The game folders were not saved.\r")))
        << qPrintable(text);
    EXPECT_TRUE(text.contains(f.ini())) << qPrintable(text);
    EXPECT_GT(text.size(),
              QStringLiteral("The game folders were not saved.\r").size() + f.ini().size() + 8)
        << "a reason follows the file name: " << qPrintable(text);
    EXPECT_EQ(readBytes(f.ini()), before);
}

TEST(Form2, folderWithLineBreak_isRefusedRatherThanWritten) {
    ConfigureFixture f;
    writeBytes(f.ini(), QByteArrayLiteral("[Vantorel]\r\nfirst=no\r\n"));
    Form2 form(f.desktop, f.ini());
    form.Text1 = QStringLiteral("/games\r\nfirst=yes");

    EXPECT_FALSE(form.Command2_Click());
    EXPECT_EQ(f.desktop.messages.size(), 1u);
    EXPECT_EQ(readBytes(f.ini()), QByteArrayLiteral("[Vantorel]\r\nfirst=no\r\n"));
}

// The dialog's widgets forward to the form and report how it was left.
struct DialogFixture : ConfigureFixture {
    DialogFixture() {
        writeBytes(ini(), QByteArrayLiteral("[Vantorel]\r\nfirst=no\r\nq3config=/q3\r\n"));
        dialog.load();
    }
    template <typename W>
    W* child(const char* name) {
        return dialog.findChild<W*>(QString::fromLatin1(name));
    }
    ConfigureDialog dialog{desktop, ini()};
};

TEST(ConfigureDialog, cancelAfterEditing_writesNothingAndLeaves) {
    DialogFixture f;
    QSignalSpy left(&f.dialog, &ConfigureDialog::left);
    EXPECT_EQ(f.child<QLineEdit>("Text1")->text(), QStringLiteral("/q3"));
    f.child<QLineEdit>("Text2")->setFocus();
    f.child<QLineEdit>("Text1")->clear();
    f.child<QLineEdit>("Text2")->insert(QStringLiteral("/typed"));
    const QByteArray before = readBytes(f.ini());

    f.child<QPushButton>("Command3")->click();

    EXPECT_EQ(left.count(), 1);
    EXPECT_EQ(readBytes(f.ini()), before);
}

TEST(ConfigureDialog, escape_leavesLikeCancelInsteadOfEndingTheProgram) {
    DialogFixture f;
    f.dialog.show();
    QSignalSpy left(&f.dialog, &ConfigureDialog::left);
    QTest::keyClick(f.child<QLineEdit>("Text1"), Qt::Key_Escape);
    EXPECT_EQ(left.count(), 1);
}

TEST(ConfigureDialog, saveWritesWhatTheBoxesShow) {
    DialogFixture f;
    QSignalSpy left(&f.dialog, &ConfigureDialog::left);
    f.desktop.folderReplies = {QStringLiteral("/picked/id1")};
    f.child<QPushButton>("Command4")->click();
    EXPECT_EQ(f.child<QLineEdit>("Text2")->text(), QStringLiteral("/picked/id1"));

    f.child<QPushButton>("Command2")->click();

    EXPECT_EQ(left.count(), 1);
    EXPECT_EQ(ReadIni(QStringLiteral("Vantorel"), QStringLiteral("q3config"), f.ini()),
              QStringLiteral("/q3"));
    EXPECT_EQ(ReadIni(QStringLiteral("Vantorel"), QStringLiteral("q1config"), f.ini()),
              QStringLiteral("/picked/id1"));
}

TEST(ConfigureDialog, failedSave_keepsTheDialogOpen) {
    DialogFixture f;
    f.dialog.show();
    QSignalSpy left(&f.dialog, &ConfigureDialog::left);
    f.dialog.form().Text1 = QStringLiteral("bad\nvalue");

    f.child<QPushButton>("Command2")->click();

    EXPECT_EQ(left.count(), 0);
    EXPECT_TRUE(f.dialog.isVisible());
    EXPECT_EQ(f.desktop.messages.size(), 1u);
}

TEST(ConfigureDialog, focusOrder_followsTheLayout) {
    DialogFixture f;
    QStringList order;
    QWidget* w = f.child<QLineEdit>("Text1");
    for (int i = 0; i < 6; ++i) {
        order << w->objectName();
        do {
            w = w->nextInFocusChain();
        } while (!(w->focusPolicy() & Qt::TabFocus));
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("Text1"), QStringLiteral("Command1"),
                                  QStringLiteral("Command2"), QStringLiteral("Command3"),
                                  QStringLiteral("Command4"), QStringLiteral("Text2")}));
}

}  // namespace
}  // namespace vtl
