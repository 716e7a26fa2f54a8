#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

#include "ini/Ini.h"
#include "support/AsNobody.h"
#include "support/Files.h"

namespace vtl {
namespace {

using namespace std::literals;

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

using test::readBytes;
using test::writeBytes;

QString iniIn(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("vtl.ini"));
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
        {"comments", ";[a]\r\nk=x\r\n[a]\r\n;k=comment\r\n  ; k=also\r\nk=v\r\n", u"a", u"k", u"v"},
        {"duplicate key: first wins", "[a]\r\nk=1\r\nk=2\r\n", u"a", u"k", u"1"},
        {"duplicate section: first wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n", u"a", u"k", u"1"},
        {"key only in a later duplicate section", "[a]\r\nx=1\r\n[b]\r\n[a]\r\nk=2\r\n", u"a", u"k",
         u""},
        {"letter case of names", "[VANTOREL]\r\nFirst=yes\r\n", u"vantorel", u"fIRST", u"yes"},
        {"blanks around = and the value", "[a]\r\n \tk  =\t  v w  \r\n", u"a", u"k", u"v w"},
        {"blanks around the asked names", "[a]\r\nk=v\r\n", u" a ", u"\tk ", u"v"},
        {"indented header with a note after it", "  [a] ; note\r\nk=v\r\n", u"a", u"k", u"v"},
        {"no final line end", "[a]\r\nk=v", u"a", u"k", u"v"},
        {"= inside the value", "[a]\r\nk=x=y\r\n", u"a", u"k", u"x=y"},
        {"empty value still wins", "[a]\r\nk=\r\nk=later\r\n", u"a", u"k", u""},
        {"lines without = or ]", "[a]\r\nk\r\n[b\r\nk=v\r\n", u"a", u"k", u"v"},
        {"key before any section", "k=top\r\n[a]\r\nx=1\r\n", u"a", u"k", u""},
        {"key in another section", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n", u"a", u"k", u""},
        {"nameless section", "[]\r\nk=v\r\n", u"", u"k", u""},
        {"quotes dropped", "[a]\r\nk= \"C:\\Quake\" \r\n", u"a", u"k", u"C:\\Quake"},
        {"single quotes dropped", "[a]\r\nk='x y'\r\n", u"a", u"k", u"x y"},
        {"unmatched quotes kept", "[a]\r\nk=\"x'\r\n", u"a", u"k", u"\"x'"},
        {"Windows-1252 bytes", "[a]\r\nk=\x80\xE9\r\n", u"a", u"k", u"\u20AC\u00E9"},
        {"DOS end-of-file mark is blank", "[a]\r\nk=v\x1A\r\n", u"a", u"k", u"v"},
        {"NUL bytes on another line", "[a]\r\nx=\0\0\r\nk=v\r\n"sv, u"a", u"k", u"v"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        writeBytes(iniIn(dir), bytes(c.file));
        EXPECT_EQ(ReadIni(c.section.toString(), c.key.toString(), iniIn(dir)),
                  c.expected.toString());
    }
}

struct WriteCase {
    const char* name;
    std::optional<std::string_view> before;  // nothing: no file yet
    QStringView section;
    QStringView key;
    QStringView value;
    std::string_view after;
};

TEST(WriteIni, changesOnlyTheLineItIsAbout) {
    const std::vector<WriteCase> cases = {
        {"creates the file", std::nullopt, u"Vantorel", u"first", u"no",
         "[Vantorel]\r\nfirst=no\r\n"},
        {"empty file", "", u"a", u"k", u"v", "[a]\r\nk=v\r\n"},
        {"in place, CR LF", "; top\r\n[a]\r\nx=1\r\nk=old\r\ny=2\r\n", u"a", u"k", u"new",
         "; top\r\n[a]\r\nx=1\r\nk=new\r\ny=2\r\n"},
        {"in place, LF and mixed", "[a]\nk=old\r\ny=2\n", u"a", u"k", u"new",
         "[a]\nk=new\r\ny=2\n"},
        {"keeps the key's spelling, drops blanks", "[A]\r\n  KEY = old \r\nz = 1\r\n", u"a",
         u" key\t", u"new", "[A]\r\nKEY=new\r\nz = 1\r\n"},
        {"first duplicate key", "[a]\r\nk=1\r\nk=2\r\n", u"a", u"k", u"new",
         "[a]\r\nk=new\r\nk=2\r\n"},
        {"first duplicate section", "[a]\r\nx=1\r\n[a]\r\nk=2\r\n", u"a", u"k", u"v",
         "[a]\r\nx=1\r\nk=v\r\n[a]\r\nk=2\r\n"},
        {"added key before trailing blank lines", "[a]\r\nx=1\r\n\r\n\r\n[b]\r\ny=2\r\n", u"a",
         u"k", u"v", "[a]\r\nx=1\r\nk=v\r\n\r\n\r\n[b]\r\ny=2\r\n"},
        {"added key before a comment leading into the next section",
         "[a]\r\nx=1\r\n; about b\r\n[b]\r\n", u"a", u"k", u"v",
         "[a]\r\nx=1\r\nk=v\r\n; about b\r\n[b]\r\n"},
        {"added key in a section without keys", "k=top\r\n[a]\r\n\r\n[b]\r\n", u"a", u"k", u"v",
         "k=top\r\n[a]\r\nk=v\r\n\r\n[b]\r\n"},
        {"added key uses CR LF in an LF file", "[a]\nx=1\n", u"a", u"k", u"v", "[a]\nx=1\nk=v\r\n"},
        {"added key after a last line without line end", "[a]\r\nx=1", u"a", u"k", u"v",
         "[a]\r\nx=1\r\nk=v\r\n"},
        {"new section at the end", "[a]\r\nx=1\r\n\r\n", u"b", u"k", u"v",
         "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
        {"new section after a last line without line end", "[a]\r\nx=1", u"b", u"k", u"v",
         "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"UTF-8 mark kept", "\xEF\xBB\xBF[a]\r\nk=1\r\n", u"a", u"k", u"2",
         "\xEF\xBB\xBF[a]\r\nk=2\r\n"},
        {"file holding only a UTF-8 mark", "\xEF\xBB\xBF", u"a", u"k", u"v",
         "\xEF\xBB\xBF[a]\r\nk=v\r\n"},
        {"Windows-1252 value", "", u"a", u"k", u"\u20AC\u00E9", "[a]\r\nk=\x80\xE9\r\n"},
        {"name outside Windows-1252 matches what was stored", "[a?]\r\nk?=1\r\n", u"a\u4e2d",
         u"k\u4e2d", u"2", "[a?]\r\nk?=2\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        if (c.before) {
            writeBytes(iniIn(dir), bytes(*c.before));
        }
        QString error;
        EXPECT_TRUE(WriteIni(c.section.toString(), c.key.toString(), c.value.toString(), iniIn(dir),
                             &error))
            << error.toStdString();
        EXPECT_EQ(readBytes(iniIn(dir)), bytes(c.after));
    }
}

TEST(WriteIni, valuesReadBackAsWritten) {
    QTemporaryDir dir;
    const QStringList values = {
        QString(),
        QStringLiteral("two words"),
        QStringLiteral("C:\\Program Files\\Quake\\id1"),
        QStringLiteral("a=b"),
        QStringLiteral("; not a comment"),
        QStringLiteral("[not a header]"),
        QStringLiteral("\u20AC\u00E4\u00DF\u0081"),
        QString(5000, u'q'),  // no 254-character cut
    };
    // Each key is first created, then replaced by another value.
    for (qsizetype pass = 0; pass < 2; ++pass) {
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QString section = QStringLiteral("s%1").arg(i % 3);
            const QString key = QStringLiteral("k%1").arg(i);
            const QString& value = values[pass == 0 ? i : values.size() - 1 - i];
            ASSERT_TRUE(WriteIni(section, key, value, iniIn(dir)));
            EXPECT_EQ(ReadIni(section.toUpper(), key.toUpper(), iniIn(dir)), value) << i;
        }
    }
    for (qsizetype i = 0; i < values.size(); ++i) {
        EXPECT_EQ(
            ReadIni(QStringLiteral("s%1").arg(i % 3), QStringLiteral("k%1").arg(i), iniIn(dir)),
            values[values.size() - 1 - i]);
    }
}

TEST(WriteIni, refusesWhatWouldBreakTheFile_andLeavesItUntouched) {
    const std::vector<std::array<QStringView, 3>> cases = {
        {u"a", u"k", u"x\r\n[evil]\r\nk=y"},
        {u"a", u"k", u"x\nk2=y"},
        {u"a", u"k", u"x\ry"},
        {u"a", u"k", QStringView(u"x\0y", 3)},
        {u"a", u"k\nx", u"v"},
        {u"a]\r\n[b", u"k", u"v"},
        {u"a", u"  ", u"v"},
        {u"", u"k", u"v"},
        {u"a", u"k=x", u"v"},
        {u"a", u";k", u"v"},
    };
    const QByteArray before = QByteArrayLiteral("[a]\r\nk=old\r\n");
    for (const auto& [section, key, value] : cases) {
        SCOPED_TRACE(value.toString().toStdString());
        QTemporaryDir dir;
        writeBytes(iniIn(dir), before);
        const QString absent = dir.filePath(QStringLiteral("absent.ini"));
        QString error;
        EXPECT_FALSE(
            WriteIni(section.toString(), key.toString(), value.toString(), iniIn(dir), &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readBytes(iniIn(dir)), before);
        EXPECT_FALSE(WriteIni(section.toString(), key.toString(), value.toString(), absent));
        EXPECT_FALSE(QFile::exists(absent));
    }
}

TEST(Ini, folderInPlaceOfTheFile_readsEmpty_writeFails) {
    QTemporaryDir dir;
    QString error;
    EXPECT_EQ(ReadIni(QStringLiteral("a"), QStringLiteral("k"), dir.path()), QString());
    EXPECT_FALSE(WriteIni(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("v"), dir.path(),
                          &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(WriteIni, withoutPermission_failsWithReason_andKeepsTheFile) {
    const QByteArray before = QByteArrayLiteral("[a]\r\nk=old\r\n");
    // Modes for everyone, so that they bind "nobody" as well as the owner.
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions readEnter =
        readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const QFile::Permissions everything =
        readEnter | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    // Read-only folder: no temporary file can be made beside the settings.
    // Unreadable file: it must not be replaced by one holding only this key.
    struct Case {
        const char* situation;
        QFile::Permissions folder;
        QFile::Permissions file;
    };
    for (const Case& c : {Case{"read-only folder", readEnter, readable},
                          Case{"unreadable file", everything, QFile::Permissions()}}) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir dir;
        writeBytes(iniIn(dir), before);
        ASSERT_TRUE(QFile::setPermissions(iniIn(dir), c.file));
        ASSERT_TRUE(QFile::setPermissions(dir.path(), c.folder));
        QString error;
        bool written = true;
        {
            test::AsNobody nobody;
            ASSERT_TRUE(nobody.ok()) << "running as root and cannot switch to nobody";
            written = WriteIni(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("new"),
                               iniIn(dir), &error);
        }
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(iniIn(dir), QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_FALSE(written);
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(iniIn(dir)))) << error.toStdString();
        EXPECT_EQ(readBytes(iniIn(dir)), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("vtl.ini")});
    }
}

TEST(IniBadInput, binaryGarbage_isKeptAndSkipped) {
    QRandomGenerator random(1252);
    QByteArray garbage(64 * 1024, Qt::Uninitialized);
    for (char& byte : garbage) {
        byte = static_cast<char>(random.bounded(256));
    }
    const QByteArray oneLine = QByteArray(garbage).replace('\n', 'x');
    const std::vector<std::pair<QByteArray, QByteArray>> cases = {
        {garbage + QByteArrayLiteral("\n[vtl]\nk=v\n"),
         garbage + QByteArrayLiteral("\n[vtl]\nk=w\n")},
        {oneLine, oneLine + QByteArrayLiteral("\r\n[vtl]\r\nk=w\r\n")},
    };
    for (const auto& [before, after] : cases) {
        QTemporaryDir dir;
        writeBytes(iniIn(dir), before);
        EXPECT_EQ(ReadIni(QStringLiteral("a"), QStringLiteral("b"), iniIn(dir)), QString());
        ASSERT_TRUE(
            WriteIni(QStringLiteral("vtl"), QStringLiteral("k"), QStringLiteral("w"), iniIn(dir)));
        EXPECT_EQ(readBytes(iniIn(dir)), after);
    }
}

TEST(IniBadInput, oneMebibyteFile_readAndChangedInPlace) {
    QByteArray before = QByteArrayLiteral("[big]\r\n");
    for (int i = 0; before.size() < 1024 * 1024; ++i) {
        before += QStringLiteral("key%1=value %1\r\n").arg(i).toLatin1();
    }
    before += QByteArrayLiteral("[tail]\r\nlast=found\r\n");
    QTemporaryDir dir;
    writeBytes(iniIn(dir), before);

    EXPECT_EQ(ReadIni(QStringLiteral("tail"), QStringLiteral("last"), iniIn(dir)),
              QStringLiteral("found"));
    ASSERT_TRUE(WriteIni(QStringLiteral("big"), QStringLiteral("key5000"),
                         QStringLiteral("changed"), iniIn(dir)));
    EXPECT_EQ(readBytes(iniIn(dir)),
              QByteArray(before).replace(QByteArrayLiteral("\nkey5000=value 5000\r"),
                                         QByteArrayLiteral("\nkey5000=changed\r")));
}

}  // namespace
}  // namespace vtl
