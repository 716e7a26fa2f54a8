#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <numeric>

#include "modes/CharTables.h"
#include "output/OutputCommands.h"
#include "output/ScriptWriter.h"
#include "support/AsNobody.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

namespace vtl {
namespace {

using test::FakeDesktop;
using test::readBytes;
using test::writeBytes;
using Kind = AppendResult::Kind;

// A name whose positions 1.. hold `fragments`, the rest blank.
WindowState nameState(const std::vector<QByteArray>& fragments,
                      const QByteArray& suffix = byteLineSuffix()) {
    WindowState state;
    state.LinePrefix = linePrefix();
    state.LineSuffix = suffix;
    for (size_t k = 0; k < fragments.size(); ++k) {
        state.cells[k].fragment = fragments[k];
    }
    return state;
}

const QByteArray kAbLine = QByteArrayLiteral("name \"Ab\" //VTL G2 v6.3");

QByteArray allBytesAndLoneLineEnds() {
    QByteArray bytes(256, '\0');
    std::iota(bytes.begin(), bytes.end(), '\0');
    return bytes + QByteArrayLiteral("x\ry\nz\n\r");
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mode & 07777;
}

// Old bytes, CR LF, the line and the trailer for a found or created file, CR LF.
// A found file, reached through a link, keeps its link and mode.
TEST(AppendScriptLine, eachCase_writesExactBytes) {
    const QByteArray allBytes = allBytesAndLoneLineEnds();
    const struct {
        std::optional<QByteArray> oldContent;  // none: no file yet
        WindowState state;
        QByteArray expected;
    } cases[] = {
        {std::nullopt, nameState({"A", "b"}), "\r\n" + kAbLine + " // created\r\n"},
        {"bind x jump\r\n", nameState({"A", "b"}),
         "bind x jump\r\n\r\n" + kAbLine + " // found\r\n"},
        {"bind x jump", nameState({"A", "b"}), "bind x jump\r\n" + kAbLine + " // found\r\n"},
        {QByteArray(), nameState({"A", "b"}), "\r\n" + kAbLine + " // found\r\n"},
        {allBytes, nameState({"A", "b"}), allBytes + "\r\n" + kAbLine + " // found\r\n"},
        {std::nullopt, nameState({}), "\r\nname \"\" //VTL G2 v6.3 // created\r\n"},
        // Blanks inside are kept, blanks at the end dropped.
        {std::nullopt, nameState({"A", " ", "B", "   ", "C", " ", " "}),
         "\r\nname \"A B   C\" //VTL G2 v6.3 // created\r\n"},
        {std::nullopt, nameState({"^1A", "b", "^4", "\x03"}, colourLineSuffix()),
         "\r\nname \"^1Ab^4\x03^7\" //VTL G2 v6.3 // created\r\n"},
        {std::nullopt, nameState({"41", "9F", "20"}, hexLineSuffix()),
         "\r\nname \"419F20\"u //VTL G2 v6.3 // created\r\n"},
        // Windows-1252 bytes, one each, not UTF-8.
        {std::nullopt, nameState({"\xE9", "\x80", "\xFF"}),
         "\r\nname \"\xE9\x80\xFF\" //VTL G2 v6.3 // created\r\n"},
    };
    const mode_t mask = ::umask(022);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("name.cfg"));
        const QString target = c.oldContent ? dir.filePath(QStringLiteral("real.cfg")) : path;
        if (c.oldContent) {
            writeBytes(target, *c.oldContent);
            ::chmod(QFile::encodeName(target).constData(), 0640);
            ASSERT_TRUE(QFile::link(target, path));
        }
        const AppendResult result = AppendScriptLine(path, QByteArrayLiteral(" // found"),
                                                     QByteArrayLiteral(" // created"), c.state);
        EXPECT_EQ(result.kind, c.oldContent ? Kind::Appended : Kind::Created);
        EXPECT_EQ(readBytes(target), c.expected);
        EXPECT_EQ(QFileInfo(path).isSymLink(), c.oldContent.has_value());
        EXPECT_EQ(modeOf(target), c.oldContent ? mode_t{0640} : mode_t{0644});
    }
    ::umask(mask);
}

// Saves as the user "nobody" when root (who may write anything), in a child
// process so the file size limit stays there. Returns kind * 64 + errno.
int saveAsNobody(const QString& path, bool limitFileSize) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const test::AsNobody nobody;
        if (!nobody.ok()) {
            ::_exit(255);
        }
        if (limitFileSize) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{128 * 1024, 128 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const AppendResult result = AppendScriptLine(path, {}, {}, nameState({"A"}));
        ::_exit(static_cast<int>(result.kind) * 64 + (result.error.number & 63));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The write really fails: the file is exactly as before, with no stray file beside it.
TEST(AppendScriptLine, faults_fileUnchangedAndReasonGiven) {
    const struct {
        const char* situation;
        mode_t fileMode, folderMode;
        bool limitFileSize;
        Kind kind;
        int errorNumber;
    } cases[] = {
        {"readOnlyFile", 0444, 0777, false, Kind::CouldNotWrite, EACCES},
        {"readOnlyFolder", 0666, 0555, false, Kind::CouldNotWrite, EACCES},
        {"unreadableFile", 0222, 0777, false, Kind::CouldNotRead, EACCES},
        // Cut off half way through copying the old content.
        {"writeFailsMidway", 0666, 0777, true, Kind::CouldNotWrite, EFBIG},
    };
    const QByteArray old = QByteArray(256 * 1024, 'x') + allBytesAndLoneLineEnds();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("config.cfg"));
        writeBytes(path, old);
        ::chmod(QFile::encodeName(path).constData(), c.fileMode);
        ::chmod(QFile::encodeName(dir.path()).constData(), c.folderMode);
        const int status = saveAsNobody(path, c.limitFileSize);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        if (status == 255) {
            GTEST_SKIP() << "running as root and cannot switch to the user nobody";
        }
        EXPECT_EQ(status, static_cast<int>(c.kind) * 64 + c.errorNumber);
        EXPECT_EQ(readBytes(path), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  QStringList{QStringLiteral("config.cfg")});
    }
}

const QByteArray kTaggedA = QByteArrayLiteral("name \"A\" //VTL G2 v6.3 // VTL G2 v6.3");
const QByteArray kBareA = QByteArrayLiteral("name \"A\" //VTL G2 v6.3");
const char kNoFolder[] =
    "Could not save the name to %1: No such file or directory\rThe file was not changed.";

// Two saves into a new file add a line each, with the tag; a save into a
// missing folder fails, and a cancel does nothing.
TEST(SaveName, eachChoice_dialogLineAndMessages) {
    QTemporaryDir dir;
    qputenv("WinDir", dir.path().toLocal8Bit());
    const QString path = dir.filePath(QStringLiteral("myname.CFG"));
    const QString gone = dir.filePath(QStringLiteral("gone/myname.CFG"));
    FakeDesktop desktop;
    desktop.saveReplies = {path, path, gone, std::nullopt};
    for (const char* name : {"A", "C", "A", "A"}) {
        saveName(nameState({name}), desktop);
    }
    qunsetenv("WinDir");

    const FileDialogRequest& request = desktop.saveRequests.at(3);
    EXPECT_EQ(request.title, QStringLiteral("Save As..."));
    EXPECT_EQ(request.filters, QStringList{QStringLiteral("Configuration File (*.Cfg)")});
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("CFG"));
    EXPECT_EQ(request.initialFolder, dir.path());
    EXPECT_EQ(request.initialName, QStringLiteral("*.cfg"));
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_TRUE(request.pathMustExist);
    EXPECT_EQ(readBytes(path),
              "\r\n" + kTaggedA + "\r\n\r\nname \"C\" //VTL G2 v6.3 // VTL G2 v6.3\r\n");
    const QString saved = QStringLiteral(
        "File Saved!\rTo use this file go to the console and execute the file: myname.CFG");
    EXPECT_EQ(desktop.messageTexts(),
              QStringList({saved, saved, QString::fromLatin1(kNoFolder).arg(gone)}));
    EXPECT_TRUE(desktop.messages[0].title.isEmpty());
    EXPECT_EQ(desktop.messages[2].icon, MessageIcon::Warning);
}

// The settings key of a game's folder, and its config file there.
using Target = std::pair<const char*, const char*>;
const Target kQ3{"q3config", "/q3config.cfg"}, kQ1{"q1config", "/config.cfg"};

struct QuickSaveCase {
    ConfigKind config;
    const char* folder;  // after the temporary folder; nullptr: not configured
    QByteArray old;      // null: no file yet
    Target target;
    QByteArray line;       // empty: nothing is written
    QStringList messages;  // %1 stands for the config's path
};

TEST(QuickSave, eachTarget_lineAndMessagesInOrder) {
    const QString kDefault = QStringLiteral("File Saved to Default Config: %1");
    const QString kManual =
        QStringLiteral("File saved to: %1\rYou will need to manually execute this script.");
    const QString kNotConfigured =
        QStringLiteral("You have not configured Vantorel to utilize this feature.");
    const QByteArray kOld = "seta x 1";
    const QuickSaveCase cases[] = {
        {ConfigKind::Q3Config, "", kOld, kQ3, kBareA, {kDefault}},
        {ConfigKind::Q3Config, "", {}, kQ3, kTaggedA, {}},
        {ConfigKind::Q1Config, "", kOld, kQ1, kBareA, {kDefault, kManual}},
        {ConfigKind::Q1Config, "", {}, kQ1, kTaggedA, {kManual}},
        {ConfigKind::Unset, "", {}, kQ1, kTaggedA, {kManual}},
        // The folder is taken exactly as configured.
        {ConfigKind::Q3Config, "/", {}, kQ3, kTaggedA, {}},
        {ConfigKind::Q1Config, nullptr, {}, kQ1, {}, {kNotConfigured}},
        {ConfigKind::Q1Config, "/gone", {}, kQ1, {}, {QString::fromLatin1(kNoFolder)}},
    };
    for (const QuickSaveCase& c : cases) {
        QTemporaryDir dir;
        const QString folder = c.folder ? dir.path() + QString::fromLatin1(c.folder) : QString();
        const QString path = c.folder ? folder + QString::fromLatin1(c.target.second) : QString();
        SCOPED_TRACE(path.toStdString());
        if (!c.old.isNull()) {
            writeBytes(path, c.old);
        }
        WindowState state = nameState({"A"});
        state.Config = c.config;
        QStringList keysAsked;
        FakeDesktop desktop;
        quickSave(state, desktop, [&](const QString& key) {
            keysAsked << key;
            return folder;
        });

        EXPECT_EQ(keysAsked, QStringList{QString::fromLatin1(c.target.first)});
        EXPECT_EQ(state.QuickSaveFile, path);
        EXPECT_EQ(QFileInfo::exists(path), !c.line.isEmpty());
        if (!c.line.isEmpty()) {
            EXPECT_EQ(readBytes(path), c.old + "\r\n" + c.line + "\r\n");
        }
        EXPECT_EQ(desktop.messageTexts(),
                  QStringList(c.messages).replaceInStrings(QStringLiteral("%1"), path));
    }
}

TEST(ExportNameAsBitmap, cursorPositions_stripOfGlyphsRestBlack_orErrorText) {
    // Position k's glyph: every pixel a colour that says which glyph and where.
    const auto glyphPixel = [](int k, int x, int y) {
        return qRgb(k * 10, 8 + x * 15, 8 + y * 15);
    };
    WindowState state = nameState({});
    for (int k = 1; k <= kNameLength; ++k) {
        QImage& glyph = state.cells[k - 1].glyph = QImage(16, 16, QImage::Format_RGB32);
        for (int p = 0; p < 16 * 16; ++p) {
            glyph.setPixel(p % 16, p / 16, glyphPixel(k, p % 16, p / 16));
        }
    }
    // 15.3 pixels a position, half to even.
    EXPECT_EQ(exportWidth(15), 230);
    QTemporaryDir dir;
    FakeDesktop desktop;
    for (const auto& [cursor, width] : {std::pair{1, 15}, {2, 31}, {5, 76}, {26, 398}}) {
        SCOPED_TRACE(cursor);
        const QString path = dir.filePath(QString::number(cursor) + QStringLiteral(".BMP"));
        writeBytes(path, QByteArrayLiteral("an older, longer file that the export replaces"));
        state.CursorPos = cursor;
        desktop.messages.clear();
        desktop.saveReplies = {path};

        exportNameAsBitmap(state, desktop);

        EXPECT_EQ(desktop.messageTexts(),
                  QStringList{QStringLiteral("Exported bitmap to: ") + path});
        const QImage saved = QImage(path, "BMP").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(saved.size(), QSize(433, 25));
        int wrong = 0;
        for (int p = 0; p < 433 * 25; ++p) {
            const int x = p % 433, y = p / 433;
            const QRgb expected =
                (x < width && y < 14) ? glyphPixel(x / 16 + 1, x % 16, y) : qRgb(0, 0, 0);
            wrong += (saved.pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF);
        }
        EXPECT_EQ(wrong, 0);
    }
    const FileDialogRequest& request = desktop.saveRequests.at(0);
    EXPECT_EQ(request.title, QStringLiteral("Export Bitmap..."));
    EXPECT_EQ(request.filters, QStringList{QStringLiteral("Bitmaps (*.Bmp)")});
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("BMP"));
    EXPECT_TRUE(request.initialName.isEmpty());
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_TRUE(request.pathMustExist);

    // A folder that is gone: the error number and its description. Then a cancel does nothing.
    const QString gone = dir.filePath(QStringLiteral("gone/name.BMP"));
    desktop.messages.clear();
    desktop.saveReplies = {gone, std::nullopt};
    exportNameAsBitmap(state, desktop);
    exportNameAsBitmap(state, desktop);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("mnuFileSaveAsDialog_Click"));
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("Error: 2 No such file or directory: ") + gone);
}

TEST(CopyName, bothCommands_copyTheBoxesAsTheyAre) {
    WindowState state = nameState({"A", "b"});
    state.commandLineBox = QStringLiteral("name \"\u00e9\" //VTL G2 v6.3");
    state.rawNameBox = QString();
    FakeDesktop desktop;
    copyCommandLine(state, desktop);
    copyRawName(state, desktop);
    EXPECT_EQ(desktop.clipboard, (std::vector<QString>{state.commandLineBox, QString()}));
}

TEST(SaveDialog, pathMustExist_refusesANameInAMissingFolderOnly) {
    QTemporaryDir dir;
    FileDialogRequest request;
    const QString here = dir.filePath(QStringLiteral("name.cfg"));
    const QString gone = dir.filePath(QStringLiteral("gone/name.cfg"));
    EXPECT_TRUE(dialogAccepts(request, gone));
    request.pathMustExist = true;
    EXPECT_TRUE(dialogAccepts(request, here));
    EXPECT_FALSE(dialogAccepts(request, gone));
}

}  // namespace
}  // namespace vtl
