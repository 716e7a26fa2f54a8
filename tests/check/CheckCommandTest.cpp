#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <fstream>

#include "check/CheckCommand.h"
#include "support/Files.h"
#include "support/Printers.h"
#include "support/Tag.h"

using namespace Qt::StringLiterals;

namespace vtl {
namespace {

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

struct Row {
    const char* label;
    const char* arguments;  // split at blanks
    const char* file;       // written into the working folder first, unless null
    QByteArray bytes;
    int status;
    std::vector<const char*> outContains;
    std::vector<const char*> errContains = {};
    QByteArray input = {};  // the standard input, closed after it
};

class CheckCommand : public ::testing::TestWithParam<Row> {};

// Runs the built program with no display at all, as a script or a shell would.
TEST_P(CheckCommand, statusAndOutput) {
    const Row& row = GetParam();
    QTemporaryDir dir;
    if (row.file) {
        test::writeBytes(dir.filePath(QString::fromUtf8(row.file)), row.bytes);
    }
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(VTL_PROGRAM), words(row.arguments));
    process.write(row.input);
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(20000)) << "the program did not finish";
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    QString err = QString::fromUtf8(process.readAllStandardError());
#ifdef _WIN32
    out.remove(u'\r');  // a console program's lines end in CR LF there
    err.remove(u'\r');
#endif
    EXPECT_EQ(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, row.status)
        << out.toStdString() << err.toStdString();
    for (const auto& [texts, stream] : {std::pair{row.outContains, out}, {row.errContains, err}}) {
        for (const char* s : texts) {
            EXPECT_TRUE(stream.contains(QString::fromUtf8(s))) << s << " not in:\n"
                                                               << stream.toStdString();
        }
    }
}

const QByteArray kGoodConfig = "bind w +forward\r\nname \"Player\"\r\nsensitivity \"3\"\r\n";
const QByteArray kQuoteConfig = "bind w +forward\r\n\r\nname \"A\"Z\"" + test::kTag + "\r\n";

const Row kRows[] = {
    // clang-format off
    {"goodName_exit0", "--check config.cfg", "config.cfg", kGoodConfig, 0,
     {"config.cfg:2: \"Player\"", "NetQuake (WinQuake, QuakeSpasm): OK; others see \"Player\"",
      "ezQuake: OK", "FTE (client and server): OK", "vkQuake: OK", "Ironwail: OK",
      "  Quake (2021 re-release): no check for this client\n    (Its engine has no public source"}},
    {"quoteName_exit1_everyEngineBreaks", "--check config.cfg", "config.cfg", kQuoteConfig, 1,
     {"config.cfg:3: \"A\"Z\"", "[breaks the line] Position 2", "others see \"\"A\"Z\" //VTL G2 \"",
      "others see (no name is sent)"}},
    {"longName_quakeWorldServersKeep31", "--check config.cfg", "config.cfg",
     "name \"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\"\r\n", 1,
     {"id QuakeWorld: 1 found; others see \"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234\"",
      "ezQuake: 1 found; others see \"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234\"",
      "Positions 32–36: the server keeps 31 bytes"}},
    {"q3config_colourCodesGoWithTheNextGlyph_semicolonRefused", "--check q3config.cfg", "q3config.cfg",
     "seta name \"^1A^^8B;^7\"\n", 1,
     {"id Quake III 1.32: 1 found; others see \"UnnamedPlayer\"", "] Position 3: the userinfo"}},
    {"controlByte_isEscaped", "--check --mode quake2 n.cfg", "n.cfg", "name \"A\x05Z\"\n", 1,
     {"n.cfg:1: \"A\\x05Z\"", "others see \"AZ\""}},
    {"hexModeAnyCase_digitPairsAreGlyphs", "--check --mode QUAKE2-Hex n.cfg", "n.cfg",
     "name \"4142434445464748\"u" + test::kTag + "\n", 1,
     {"Quake II (id 3.21, Yamagi): 1 found; others see \"414243444546474\"",
      "] Position 8: the game shows 15", "server mod"}},
    {"jumpGate_noCheck", "--check --mode=jumpgate j.cfg", "j.cfg", "name \"A\"B\"\n", 0,
     {"no check for this game"}},
    {"fileWithoutNameLine_saysSo", "--check config.cfg", "config.cfg", "bind w +forward\n", 0,
     {"config.cfg: no name line"}},
    {"otherFileName_needsMode", "--check names.cfg", "names.cfg", kGoodConfig, 2, {},
     {"names.cfg", "--mode"}},
    {"missingFile_namesFileAndReason", "--check --mode hexen2 gone.cfg", nullptr, {}, 2, {},
     {"gone.cfg: cannot read the file: "}},
    {"badAndMissing_usageBeatsFindings", "--check config.cfg q3config.cfg", "config.cfg",
     kQuoteConfig, 2, {"breaks the line"}, {"q3config.cfg"}},
    {"unknownMode_exit2", "--check --mode doom config.cfg", nullptr, {}, 2, {},
     {"unknown mode \"doom\"", "quake2-hex"}},
    {"unknownOption_exit2", "--frobnicate", nullptr, {}, 2, {}, {"frobnicate", "--help"}},
    {"dash_readsTheStandardInput", "--check --mode quake3 -", nullptr, {}, 1,
     {"(standard input):1: \"x;y\"", "the userinfo refuses"}, {}, "name \"x;y\"\n"},
#ifndef _WIN32
    {"pipeByName_isReadToItsEnd", "--check --mode quake3 /dev/stdin", nullptr, {}, 1,
     {"/dev/stdin:2: \"x;y\""}, {}, "bind a b\nname \"x;y\"\n"},
#endif
    {"folder_isRefused", "--check --mode quake3 .", nullptr, {}, 2, {},
     {".: cannot read the file: it is a folder, not a file"}},
    // clang-format on
};

INSTANTIATE_TEST_SUITE_P(Program, CheckCommand, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.label); });

// Leading spaces used to be removed one at a time, and a 10 MB name line
// listed every one of its positions (hundreds of MB of output).
TEST(CheckNameLines, hugeNames_linearTimeAndShortReports) {
    struct Case {
        const char* label;
        GameMode mode;
        QByteArray line;
        const char* expected;
    };
    const Case cases[] = {
        {"quakeWorldLeadingSpaces", GameMode::QuakeWorld,
         "name \"" + QByteArray(200000, ' ') + "x\"", "Positions 1–200000: the server trims"},
        {"oneMegabyteLine", GameMode::Quake3Arena, "name \"" + QByteArray(1 << 20, 'A') + '"',
         "its first 256 KiB were checked"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QBuffer buffer;
        buffer.setData(c.line);
        buffer.open(QIODevice::ReadOnly);
        QString out;
        QTextStream stream(&out);
        QString error;
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(checkNameLines(buffer, c.mode, u"c.cfg"_s, stream, error), 1);
        stream.flush();
        // Ample for a loaded sanitizer build; one byte at a time took minutes.
        EXPECT_LT(clock.elapsed(), 30000);
        EXPECT_LT(out.size(), 2 << 20);
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.expected))) << out.left(2000).toStdString();
    }
}

// A name of a file that is not valid UTF-8 reaches the system as its bytes.
#ifndef _WIN32  // Windows names are UTF-16: no name is bytes that are not text
TEST(CommandLine, fileNameNotUtf8_isReadByItsBytes) {
    QTemporaryDir dir;
    const QByteArray native = QFile::encodeName(dir.path()) + "/q\xe9.cfg";
    std::ofstream(native.constData()) << "name \"x;y\"\n";
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const QList<QByteArray> nativeArguments{"vantorel", "--check", "--mode", "quake3", native};
    QStringList arguments;
    for (const QByteArray& argument : nativeArguments) {
        arguments << QString::fromLocal8Bit(argument);
    }
    EXPECT_EQ(runCommandLine(arguments, outStream, errStream, nativeArguments), 1)
        << err.toStdString();
}
#endif

TEST(CommandLine, onlyQtDisplayOptions_openTheWindow) {
    EXPECT_TRUE(commandLineWantsWindow(words("vantorel -style fusion -reverse")));
    EXPECT_FALSE(commandLineWantsWindow(words("vantorel name.cfg")));
}

}  // namespace
}  // namespace vtl
