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
#include <optional>

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
const QByteArray kALine = QByteArrayLiteral("name \"A\" //VTL G2 v6.3");

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

// Saves in a child process, as the user "nobody" when asked and root (who
// may write anything), and under a file-size limit when one is given, as the
// program runs: past the limit a write fails instead of the process being
// killed. Returns kind * 64 + errno, 255 when the user could not be switched,
// -1 when the child was killed or took longer than a few seconds.
int saveInChild(const QString& path, bool asNobody, rlim_t fileSizeLimit = RLIM_INFINITY) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(5);
        // The child ends with _exit, so it never becomes root again.
        std::optional<test::AsNobody> nobody;
        if (asNobody) {
            nobody.emplace();
        }
        if (nobody && !nobody->ok()) {
            ::_exit(255);
        }
        ignoreFileSizeSignal();
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const AppendResult result = AppendScriptLine(path, {}, {}, nameState({"A"}));
        ::_exit(static_cast<int>(result.kind) * 64 + (result.error.number & 63));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The write really fails: the file is exactly as before, with no stray file
// beside it. A file that can be written is saved even where the folder can't.
TEST(AppendScriptLine, faults_fileUnchangedAndReasonGiven) {
    const QByteArray old = QByteArray(256 * 1024, 'x') + allBytesAndLoneLineEnds();
    const auto justPastOld = static_cast<rlim_t>(old.size()) + 5;
    const struct {
        const char* situation;
        mode_t fileMode, folderMode;
        rlim_t fileSizeLimit;
        Kind kind;
        int errorNumber;
    } cases[] = {
        {"readOnlyFile", 0444, 0777, RLIM_INFINITY, Kind::CouldNotWrite, EACCES},
        {"readOnlyFolderWritableFile", 0666, 0555, RLIM_INFINITY, Kind::Appended, 0},
        {"readOnlyFolderAndFile", 0444, 0555, RLIM_INFINITY, Kind::CouldNotWrite, EACCES},
        {"unreadableFile", 0222, 0777, RLIM_INFINITY, Kind::CouldNotRead, EACCES},
        // Cut off half way through copying the old content, or (for a file
        // only appended to in place) through the new line.
        {"writeFailsMidway", 0666, 0777, 128 * 1024, Kind::CouldNotWrite, EFBIG},
        {"inPlaceWriteFailsMidway", 0666, 0555, justPastOld, Kind::CouldNotWrite, EFBIG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("config.cfg"));
        writeBytes(path, old);
        // The file is nobody's own (when root), so only the modes stand in the way.
        [[maybe_unused]] const int given =
            ::chown(QFile::encodeName(path).constData(), 65534, 65534);
        ::chmod(QFile::encodeName(path).constData(), c.fileMode);
        ::chmod(QFile::encodeName(dir.path()).constData(), c.folderMode);
        const int status = saveInChild(path, true, c.fileSizeLimit);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        if (status == 255) {
            GTEST_SKIP() << "running as root and cannot switch to the user nobody";
        }
        EXPECT_EQ(status, static_cast<int>(c.kind) * 64 + c.errorNumber);
        EXPECT_EQ(readBytes(path), c.kind == Kind::Appended ? old + "\r\n" + kALine + "\r\n" : old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  QStringList{QStringLiteral("config.cfg")});
    }
}

struct stat statOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info;
}

// A save keeps the file's owner, group, mode and hard links. Where the atomic
// replace keeps all of them it is used (a new inode); otherwise the line is
// appended in place, and a failure there cuts the file back to its old bytes.
TEST(AppendScriptLine, keepsOwnerGroupModeAndLinks) {
    constexpr uid_t kNobody = 65534;
    constexpr gid_t kGames = 60;
    const QByteArray old = QByteArray(4096, 'o') + allBytesAndLoneLineEnds();
    const auto justPastOld = static_cast<rlim_t>(old.size()) + 5;
    const struct {
        const char* situation;
        bool chownToNobodyGames;
        bool hardLink;
        rlim_t fileSizeLimit;
        bool newInode;
        Kind kind;
    } cases[] = {
        {"ownFile", false, false, RLIM_INFINITY, true, Kind::Appended},
        {"nobodyGamesAsRoot", true, false, RLIM_INFINITY, true, Kind::Appended},
        {"hardLink", false, true, RLIM_INFINITY, false, Kind::Appended},
        {"hardLinkDiskFull", true, true, justPastOld, false, Kind::CouldNotWrite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        if (c.chownToNobodyGames && ::geteuid() != 0) {
            GTEST_SKIP() << "giving a file to nobody:games needs root";
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("q3config.cfg"));
        const QString link = dir.filePath(QStringLiteral("other.cfg"));
        writeBytes(path, old);
        ::chmod(QFile::encodeName(path).constData(), 0664);
        if (c.chownToNobodyGames) {
            ASSERT_EQ(::chown(QFile::encodeName(path).constData(), kNobody, kGames), 0);
        }
        if (c.hardLink) {
            ASSERT_EQ(
                ::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()),
                0);
        }
        const struct stat before = statOf(path);

        const int status = saveInChild(path, false, c.fileSizeLimit);

        const struct stat after = statOf(path);
        const QByteArray expected = c.kind == Kind::Appended ? old + "\r\n" + kALine + "\r\n" : old;
        EXPECT_EQ(status, static_cast<int>(c.kind) * 64 + (c.kind == Kind::Appended ? 0 : EFBIG));
        EXPECT_EQ(readBytes(path), expected);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        EXPECT_EQ(after.st_ino != before.st_ino, c.newInode);
        if (c.hardLink) {
            EXPECT_EQ(readBytes(link), expected);
        }
    }
}

// Special files are refused at once: a FIFO would block the program until
// some other program opened it for writing.
TEST(AppendScriptLine, notARegularFile_refusedWithoutWaiting) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.cfg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    const int status = saveInChild(fifo, false);
    EXPECT_EQ(status, static_cast<int>(Kind::CouldNotRead) * 64 + EINVAL);
    const AppendResult folder = AppendScriptLine(dir.path(), {}, {}, nameState({"A"}));
    EXPECT_EQ(folder.kind, Kind::CouldNotRead);
    EXPECT_EQ(folder.error.number, EISDIR);
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
