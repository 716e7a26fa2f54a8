#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <string_view>
#include <vector>

#include <unistd.h>

#include "ini/Ini.h"

namespace vtl {
namespace {

using namespace std::literals;

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
    ASSERT_EQ(file.write(content), content.size());
}

struct ReadCase {
    const char* name;
    std::string_view file;
    QStringView section;
    QStringView key;
    QStringView expected;
};

TEST(ReadIni, followsTheProfileFileRules) {
    const std::vector<ReadCase> cases = {
        {"CR LF lines", "[Vantorel]\r\nfirst=yes\r\nsecond=no\r\n", u"Vantorel", u"second", u"no"},
        {"LF lines", "[Vantorel]\nfirst=yes\nsecond=no\n", u"Vantorel", u"second", u"no"},
        {"UTF-8 mark before the first header", "\xEF\xBB\xBF[Vantorel]\r\nfirst=yes\r\n",
         u"Vantorel", u"first", u"yes"},
        {"blank lines", "\r\n\r\n[a]\r\n\r\n\r\nk=v\r\n\r\n", u"a", u"k", u"v"},
        {"comment lines", "[a]\r\n;k=comment\r\n  ; k=also\r\nk=v\r\n", u"a", u"k", u"v"},
        {"commented-out header", ";[a]\r\nk=x\r\n[b]\r\nk=b\r\n", u"a", u"k", u""},
        {"duplicate key: first wins", "[a]\r\nk=1\r\nk=2\r\n", u"a", u"k", u"1"},
        {"duplicate section: first wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n", u"a", u"k", u"1"},
        {"key only in a later duplicate section", "[a]\r\nx=1\r\n[b]\r\n[a]\r\nk=2\r\n", u"a", u"k",
         u""},
        {"letter case of names", "[VANTOREL]\r\nFirst=yes\r\n", u"vantorel", u"fIRST", u"yes"},
        {"spaces around =", "[a]\r\n  k  =   v w  \r\n", u"a", u"k", u"v w"},
        {"tabs around =", "[a]\r\n\tk\t=\tv\t\r\n", u"a", u"k", u"v"},
        {"blanks around the asked names", "[a]\r\nk=v\r\n", u" a ", u"\tk ", u"v"},
        {"indented header with a note after it", "  [a] ; note\r\nk=v\r\n", u"a", u"k", u"v"},
        {"no final line end", "[a]\r\nk=v", u"a", u"k", u"v"},
        {"= inside the value", "[a]\r\nk=x=y\r\n", u"a", u"k", u"x=y"},
        {"empty value still wins", "[a]\r\nk=\r\nk=later\r\n", u"a", u"k", u""},
        {"line without =", "[a]\r\nk\r\nk=v\r\n", u"a", u"k", u"v"},
        {"bracket without close is no header", "[a]\r\n[b\r\nk=v\r\n", u"a", u"k", u"v"},
        {"key before any section", "k=top\r\n[a]\r\nx=1\r\n", u"a", u"k", u""},
        {"key in another section", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n", u"a", u"k", u""},
        {"missing section", "[a]\r\nk=v\r\n", u"b", u"k", u""},
        {"empty file", "", u"a", u"k", u""},
        {"double quotes dropped", "[a]\r\nk= \"C:\\Quake\" \r\n", u"a", u"k", u"C:\\Quake"},
        {"single quotes dropped", "[a]\r\nk='x y'\r\n", u"a", u"k", u"x y"},
        {"unmatched quotes kept", "[a]\r\nk=\"x'\r\n", u"a", u"k", u"\"x'"},
        {"lone quote kept", "[a]\r\nk=\"\r\n", u"a", u"k", u"\""},
        {"Windows-1252 bytes", "[a]\r\nk=\x80\xE9\r\n", u"a", u"k", u"\u20AC\u00E9"},
        {"DOS end-of-file mark is blank", "[a]\r\nk=v\x1A\r\n", u"a", u"k", u"v"},
        {"NUL byte on another line", "[a]\r\nx=\0\0\r\nk=v\r\n"sv, u"a", u"k", u"v"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vtl.ini"));
        writeBytes(path, bytes(c.file));
        EXPECT_EQ(ReadIni(c.section.toString(), c.key.toString(), path), c.expected.toString());
    }
}

TEST(ReadIni, fileThatCannotBeRead_readsEmpty) {
    QTemporaryDir dir;
    EXPECT_EQ(
        ReadIni(QStringLiteral("a"), QStringLiteral("k"), dir.filePath(QStringLiteral("none"))),
        QString());
    EXPECT_EQ(ReadIni(QStringLiteral("a"), QStringLiteral("k"), dir.path()), QString());
}

TEST(ReadIni, longValue_isReadInFull) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vtl.ini"));
    const QByteArray value(100000, 'x');
    writeBytes(path, QByteArrayLiteral("[a]\r\nk=") + value + QByteArrayLiteral("\r\n"));
    EXPECT_EQ(ReadIni(QStringLiteral("a"), QStringLiteral("k"), path).size(), value.size());
}

struct WriteCase {
    const char* name;
    bool fileExists;
    std::string_view before;
    QStringView section;
    QStringView key;
    QStringView value;
    std::string_view after;
};

TEST(WriteIni, changesOnlyTheLineItIsAbout) {
    const std::vector<WriteCase> cases = {
        {"creates the file", false, "", u"Vantorel", u"first", u"no", "[Vantorel]\r\nfirst=no\r\n"},
        {"empty file", true, "", u"a", u"k", u"v", "[a]\r\nk=v\r\n"},
        {"in place, CR LF", true, "; top\r\n[a]\r\nx=1\r\nk=old\r\ny=2\r\n", u"a", u"k", u"new",
         "; top\r\n[a]\r\nx=1\r\nk=new\r\ny=2\r\n"},
        {"in place, LF", true, "[a]\nk=old\ny=2\n", u"a", u"k", u"new", "[a]\nk=new\ny=2\n"},
        {"in place, mixed line ends", true, "[a]\nk=old\r\ny=2\n", u"a", u"k", u"new",
         "[a]\nk=new\r\ny=2\n"},
        {"keeps the key's spelling, drops blanks", true, "[A]\r\n  KEY = old \r\nz = 1\r\n", u"a",
         u"key", u"new", "[A]\r\nKEY=new\r\nz = 1\r\n"},
        {"first duplicate key", true, "[a]\r\nk=1\r\nk=2\r\n", u"a", u"k", u"new",
         "[a]\r\nk=new\r\nk=2\r\n"},
        {"first duplicate section", true, "[a]\r\nk=1\r\n[a]\r\nk=2\r\n", u"a", u"k", u"new",
         "[a]\r\nk=new\r\n[a]\r\nk=2\r\n"},
        {"missing key goes to the first duplicate section", true, "[a]\r\nx=1\r\n[a]\r\nk=2\r\n",
         u"a", u"k", u"v", "[a]\r\nx=1\r\nk=v\r\n[a]\r\nk=2\r\n"},
        {"added key before trailing blank lines", true, "[a]\r\nx=1\r\n\r\n\r\n[b]\r\ny=2\r\n",
         u"a", u"k", u"v", "[a]\r\nx=1\r\nk=v\r\n\r\n\r\n[b]\r\ny=2\r\n"},
        {"added key before a comment leading into the next section", true,
         "[a]\r\nx=1\r\n; about b\r\n[b]\r\n", u"a", u"k", u"v",
         "[a]\r\nx=1\r\nk=v\r\n; about b\r\n[b]\r\n"},
        {"added key in a section without keys", true, "[a]\r\n\r\n[b]\r\n", u"a", u"k", u"v",
         "[a]\r\nk=v\r\n\r\n[b]\r\n"},
        {"added key uses CR LF in an LF file", true, "[a]\nx=1\n", u"a", u"k", u"v",
         "[a]\nx=1\nk=v\r\n"},
        {"added key after a last line without line end", true, "[a]\r\nx=1", u"a", u"k", u"v",
         "[a]\r\nx=1\r\nk=v\r\n"},
        {"added key after a header without line end", true, "[a]", u"a", u"k", u"v",
         "[a]\r\nk=v\r\n"},
        {"new section at the end", true, "[a]\r\nx=1\r\n\r\n", u"b", u"k", u"v",
         "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
        {"new section after a last line without line end", true, "[a]\r\nx=1", u"b", u"k", u"v",
         "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"UTF-8 mark kept", true, "\xEF\xBB\xBF[a]\r\nk=1\r\n", u"a", u"k", u"2",
         "\xEF\xBB\xBF[a]\r\nk=2\r\n"},
        {"file holding only a UTF-8 mark", true, "\xEF\xBB\xBF", u"a", u"k", u"v",
         "\xEF\xBB\xBF[a]\r\nk=v\r\n"},
        {"key before any section left alone", true, "k=top\r\n[a]\r\n", u"a", u"k", u"v",
         "k=top\r\n[a]\r\nk=v\r\n"},
        {"blanks around the given names", true, "[a]\r\nk=1\r\n", u" a ", u" k\t", u"v",
         "[a]\r\nk=v\r\n"},
        {"Windows-1252 value", true, "", u"a", u"k", u"\u20AC\u00E9", "[a]\r\nk=\x80\xE9\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vtl.ini"));
        if (c.fileExists) {
            writeBytes(path, bytes(c.before));
        }
        QString error;
        EXPECT_TRUE(
            WriteIni(c.section.toString(), c.key.toString(), c.value.toString(), path, &error))
            << error.toStdString();
        EXPECT_EQ(readBytes(path), bytes(c.after));
    }
}

TEST(WriteIni, valuesReadBackAsWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vtl.ini"));
    const QStringList values = {
        QString(),
        QStringLiteral("yes"),
        QStringLiteral("two words"),
        QStringLiteral("C:\\Program Files\\Quake\\id1"),
        QStringLiteral("a=b"),
        QStringLiteral("; not a comment"),
        QStringLiteral("[not a header]"),
        QStringLiteral("\u20AC\u00E4\u00DF\u0081"),
        QString(5000, u'q'),
    };
    // Each value is written twice: once creating its key, once replacing it.
    for (int pass = 0; pass < 2; ++pass) {
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QString value = pass == 0 ? values[i] : values[values.size() - 1 - i];
            const QString section = QStringLiteral("s%1").arg(i % 3);
            const QString key = QStringLiteral("k%1").arg(i);
            ASSERT_TRUE(WriteIni(section, key, value, path));
            EXPECT_EQ(ReadIni(section, key, path), value) << "pass " << pass << " key " << i;
        }
    }
    for (qsizetype i = 0; i < values.size(); ++i) {
        EXPECT_EQ(ReadIni(QStringLiteral("S%1").arg(i % 3), QStringLiteral("K%1").arg(i), path),
                  values[values.size() - 1 - i]);
    }
}

struct Refusal {
    const char* name;
    QStringView section;
    QStringView key;
    QStringView value;
};

TEST(WriteIni, refusesWhatWouldBreakTheFile_andLeavesItUntouched) {
    const std::vector<Refusal> cases = {
        {"CR LF in the value", u"a", u"k", u"x\r\n[evil]\r\nk=y"},
        {"LF in the value", u"a", u"k", u"x\nk2=y"},
        {"CR in the value", u"a", u"k", u"x\ry"},
        {"NUL in the value", u"a", u"k", QStringView(u"x\0y", 3)},
        {"line break in the key", u"a", u"k\nx", u"v"},
        {"line break in the section", u"a]\r\n[b", u"k", u"v"},
        {"empty key", u"a", u"", u"v"},
        {"blank key", u"a", u"  ", u"v"},
        {"empty section", u"", u"k", u"v"},
        {"= in the key", u"a", u"k=x", u"v"},
        {"key that reads as a comment", u"a", u";k", u"v"},
        {"key that reads as a header", u"a", u"[k]", u"v"},
    };
    const QByteArray before = QByteArrayLiteral("[a]\r\nk=old\r\n");
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vtl.ini"));
        writeBytes(path, before);
        const QString absent = dir.filePath(QStringLiteral("absent.ini"));
        QString error;
        EXPECT_FALSE(
            WriteIni(c.section.toString(), c.key.toString(), c.value.toString(), path, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readBytes(path), before);
        EXPECT_FALSE(WriteIni(c.section.toString(), c.key.toString(), c.value.toString(), absent));
        EXPECT_FALSE(QFile::exists(absent));
    }
}

TEST(WriteIni, pathThatIsAFolder_failsWithReason) {
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(WriteIni(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("v"), dir.path(),
                          &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

class WriteIniPermissions : public ::testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() == 0) {
            GTEST_SKIP() << "running as root, which may write anywhere: permission cases skipped";
        }
    }
};

TEST_F(WriteIniPermissions, readOnlyFolder_failsWithReason_fileUntouched) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vtl.ini"));
    const QByteArray before = QByteArrayLiteral("[a]\r\nk=old\r\n");
    writeBytes(path, before);
    const auto writable = QFile::permissions(dir.path());
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));

    QString error;
    const bool written =
        WriteIni(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("new"), path, &error);
    const QStringList entries = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QFile::setPermissions(dir.path(), writable);

    EXPECT_FALSE(written);
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(entries, QStringList{QStringLiteral("vtl.ini")});
}

TEST_F(WriteIniPermissions, unreadableFile_isNotReplaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vtl.ini"));
    const QByteArray before = QByteArrayLiteral("[a]\r\nk=old\r\nother=kept\r\n");
    writeBytes(path, before);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));

    QString error;
    const bool written =
        WriteIni(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("new"), path, &error);
    const QString read = ReadIni(QStringLiteral("a"), QStringLiteral("other"), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(read, QString());
    EXPECT_EQ(readBytes(path), before);
}

TEST(IniBadInput, binaryGarbage_neitherCrashesNorIsLost) {
    QRandomGenerator random(1252);
    QByteArray garbage(64 * 1024, Qt::Uninitialized);
    for (char& byte : garbage) {
        byte = static_cast<char>(random.bounded(256));
    }
    const QByteArray oneLine = QByteArray(garbage).replace('\n', 'x');
    struct Case {
        QByteArray before;
        QByteArray after;
    };
    const std::vector<Case> cases = {
        {garbage + QByteArrayLiteral("\n[vtl]\nk=v\n"),
         garbage + QByteArrayLiteral("\n[vtl]\nk=w\n")},
        // One long line with no line end at all.
        {oneLine, oneLine + QByteArrayLiteral("\r\n[vtl]\r\nk=w\r\n")},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vtl.ini"));
        writeBytes(path, c.before);
        EXPECT_EQ(ReadIni(QStringLiteral("a"), QStringLiteral("b"), path), QString());
        ASSERT_TRUE(
            WriteIni(QStringLiteral("vtl"), QStringLiteral("k"), QStringLiteral("w"), path));
        EXPECT_EQ(readBytes(path), c.after);
        EXPECT_EQ(ReadIni(QStringLiteral("vtl"), QStringLiteral("k"), path), QStringLiteral("w"));
    }
}

TEST(IniBadInput, oneMebibyteFile_readAndChangedInPlace) {
    QByteArray before = QByteArrayLiteral("[big]\r\n");
    for (int i = 0; before.size() < 1024 * 1024; ++i) {
        before += QStringLiteral("key%1=value %1\r\n").arg(i).toLatin1();
    }
    before += QByteArrayLiteral("[tail]\r\nlast=found\r\n");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vtl.ini"));
    writeBytes(path, before);

    EXPECT_EQ(ReadIni(QStringLiteral("big"), QStringLiteral("key5000"), path),
              QStringLiteral("value 5000"));
    EXPECT_EQ(ReadIni(QStringLiteral("tail"), QStringLiteral("last"), path),
              QStringLiteral("found"));
    ASSERT_TRUE(WriteIni(QStringLiteral("big"), QStringLiteral("key5000"),
                         QStringLiteral("changed"), path));
    EXPECT_EQ(readBytes(path),
              QByteArray(before).replace(QByteArrayLiteral("\nkey5000=value 5000\r"),
                                         QByteArrayLiteral("\nkey5000=changed\r")));
}

}  // namespace
}  // namespace vtl
