#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "check/CheckCommand.h"
#include "support/Files.h"
#include "support/Printers.h"

using namespace Qt::StringLiterals;

namespace vtl {
namespace {

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs the built program with no display at all, as a script or a shell would.
ProgramRun runProgram(const QStringList& arguments, const QString& folder) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(VTL_PROGRAM), arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        ADD_FAILURE() << "the program did not finish";
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

struct Row {
    const char* label;
    QStringList arguments;
    QList<std::pair<QString, QByteArray>> files;  // written into the working folder first
    int status;
    QStringList outContains;
    QStringList errContains = {};
};

const QByteArray kGoodConfig = "bind w +forward\r\nname \"Player\"\r\nsensitivity \"3\"\r\n";
const QByteArray kQuoteConfig = "bind w +forward\r\n\r\nname \"A\"Z\" //VTL G2 v6.3\r\n";

class CheckCommand : public ::testing::TestWithParam<Row> {};

TEST_P(CheckCommand, statusAndOutput) {
    const Row& row = GetParam();
    QTemporaryDir dir;
    for (const auto& [name, bytes] : row.files) {
        test::writeBytes(dir.filePath(name), bytes);
    }
    const ProgramRun run = runProgram(row.arguments, dir.path());
    EXPECT_EQ(run.status, row.status) << run.out.toStdString() << run.err.toStdString();
    for (const QString& s : row.outContains) {
        EXPECT_TRUE(run.out.contains(s)) << s.toStdString() << " not in:\n"
                                         << run.out.toStdString();
    }
    for (const QString& s : row.errContains) {
        EXPECT_TRUE(run.err.contains(s)) << s.toStdString() << " not in:\n"
                                         << run.err.toStdString();
    }
}

const Row kRows[] = {
    // clang-format off
    {"goodName_exit0", {u"--check"_s, u"config.cfg"_s}, {{u"config.cfg"_s, kGoodConfig}}, 0,
     {u"config.cfg:2: \"Player\""_s,
      u"NetQuake (WinQuake, QuakeSpasm): OK; others see \"Player\""_s, u"ezQuake: OK"_s}},
    {"quoteName_exit1_everyEngineBreaks", {u"--check"_s, u"config.cfg"_s},
     {{u"config.cfg"_s, kQuoteConfig}}, 1,
     {u"config.cfg:3: \"A\"Z\""_s, u"[breaks the line] Position 2"_s,
      u"others see \"\"A\"Z\" //VTL G2 \""_s, u"others see (no name is sent)"_s}},
    {"q3config_semicolon_unnamedPlayer", {u"--check"_s, u"q3config.cfg"_s},
     {{u"q3config.cfg"_s, "seta name \"^7A;B^7\"\n"}}, 1,
     {u"id Quake III 1.32: 1 found; others see \"UnnamedPlayer\""_s, u"ioquake3"_s}},
    {"controlByte_isEscaped", {u"--check"_s, u"--mode"_s, u"quake2"_s, u"n.cfg"_s},
     {{u"n.cfg"_s, "name \"A\x05Z\"\n"}}, 1, {u"n.cfg:1: \"A\\x05Z\""_s, u"others see \"AZ\""_s}},
    {"modeAnyCase_accepted", {u"--check"_s, u"--mode"_s, u"QUAKE2-Hex"_s, u"n.cfg"_s},
     {{u"n.cfg"_s, "name \"4142\"u //VTL G2 v6.3\n"}}, 0,
     {u"Quake II (id 3.21, Yamagi): OK; others see \"4142\""_s, u"server mod"_s}},
    {"jumpGate_noCheck", {u"--check"_s, u"--mode=jumpgate"_s, u"j.cfg"_s},
     {{u"j.cfg"_s, "name \"A\"B\"\n"}}, 0, {u"no check for this game"_s}},
    {"fileWithoutNameLine_saysSo", {u"--check"_s, u"config.cfg"_s},
     {{u"config.cfg"_s, "bind w +forward\n"}}, 0, {u"config.cfg: no name line"_s}},
    {"otherFileName_needsMode", {u"--check"_s, u"names.cfg"_s}, {{u"names.cfg"_s, kGoodConfig}}, 2,
     {}, {u"names.cfg"_s, u"--mode"_s}},
    {"missingFile_namesFileAndReason", {u"--check"_s, u"--mode"_s, u"hexen2"_s, u"gone.cfg"_s}, {},
     2, {}, {u"gone.cfg: cannot read the file: "_s}},
    {"badAndMissing_usageBeatsFindings", {u"--check"_s, u"config.cfg"_s, u"q3config.cfg"_s},
     {{u"config.cfg"_s, kQuoteConfig}}, 2, {u"breaks the line"_s}, {u"q3config.cfg"_s}},
    {"unknownMode_exit2", {u"--check"_s, u"--mode"_s, u"doom"_s, u"config.cfg"_s}, {}, 2, {},
     {u"unknown mode \"doom\""_s, u"quake2-hex"_s}},
    {"noFiles_exit2", {u"--check"_s}, {}, 2, {}, {u"FILE"_s}},
    {"unknownOption_exit2", {u"--frobnicate"_s}, {}, 2, {}, {u"frobnicate"_s, u"--help"_s}},
    {"filesWithoutCheck_exit2", {u"config.cfg"_s}, {}, 2, {}, {u"--check"_s}},
    {"help_exit0", {u"--help"_s}, {}, 0, {u"--check"_s, u"--mode <MODE>"_s, u"--version"_s}},
    {"version_exit0", {u"--version"_s}, {}, 0, {u"Vantorel G2 v6.3"_s}},
    // clang-format on
};

INSTANTIATE_TEST_SUITE_P(Program, CheckCommand, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(CommandLine, onlyQtDisplayOptions_openTheWindow) {
    const std::pair<QStringList, bool> rows[] = {
        {{u"vantorel"_s}, true},
        {{u"vantorel"_s, u"-platform"_s, u"offscreen"_s}, true},
        {{u"vantorel"_s, u"-style"_s, u"fusion"_s, u"-reverse"_s}, true},
        {{u"vantorel"_s, u"--check"_s, u"config.cfg"_s}, false},
        {{u"vantorel"_s, u"--version"_s}, false},
        {{u"vantorel"_s, u"--bogus"_s}, false},
        {{u"vantorel"_s, u"name.cfg"_s}, false},
    };
    for (const auto& [arguments, window] : rows) {
        EXPECT_EQ(commandLineWantsWindow(arguments), window) << arguments.join(u' ').toStdString();
    }
}

}  // namespace
}  // namespace vtl
