#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "output/OutputCommands.h"
#include "support/FakeDesktop.h"

namespace vtl {
namespace {

using test::FakeDesktop;
using test::nameState;
using test::readBytes;
using test::writeBytes;

const QByteArray kTaggedA = QByteArrayLiteral("name \"A\" //VTL G2 v6.3 // VTL G2 v6.3");
const QByteArray kBareA = QByteArrayLiteral("name \"A\" //VTL G2 v6.3");

TEST(SaveName, chosenFile_dialogRequestLineAndMessage) {
    QTemporaryDir dir;
    qputenv("WinDir", dir.path().toLocal8Bit());
    const QString path = dir.filePath(QStringLiteral("myname.CFG"));
    writeBytes(path, QByteArrayLiteral("old\r\n"));
    FakeDesktop desktop;
    desktop.saveReplies.push_back(path);

    SaveName(nameState({"A"}), desktop);
    qunsetenv("WinDir");

    ASSERT_EQ(desktop.saveRequests.size(), 1u);
    const FileDialogRequest& request = desktop.saveRequests[0];
    EXPECT_EQ(request.title, QStringLiteral("Save As..."));
    EXPECT_EQ(request.filters, QStringList{QStringLiteral("Configuration File (*.Cfg)")});
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("CFG"));
    EXPECT_EQ(request.initialFolder, dir.path());
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(readBytes(path), "old\r\n\r\n" + kTaggedA + "\r\n");
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{QStringLiteral("File Saved!\rTo use this file go to the console and "
                                         "execute the file: myname.CFG")});
    EXPECT_TRUE(desktop.messages[0].title.isEmpty());
}

TEST(SaveName, cancel_noFileNoMessage) {
    FakeDesktop desktop;
    SaveName(nameState({"A"}), desktop);
    EXPECT_EQ(desktop.saveRequests.size(), 1u);
    EXPECT_EQ(desktop.saveRequests[0].initialFolder, QDir::homePath());
    EXPECT_TRUE(desktop.messages.empty());
}

TEST(SaveName, folderGone_failureNamesFileNoSuccess) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gone/myname.CFG"));
    FakeDesktop desktop;
    desktop.saveReplies.push_back(path);
    SaveName(nameState({"A"}), desktop);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(desktop.messages[0].text, QStringLiteral("Could not save the name to ") + path +
                                            QStringLiteral(": No such file or directory\r"
                                                           "The file was not changed."));
}

struct QuickSaveCase {
    const char* situation;
    ConfigKind config;
    bool fileExists;
    const char* key;
    const char* fileName;
    QByteArray line;                    // written after the old content's CR LF
    std::vector<const char*> messages;  // %1 stands for the config's path
};

TEST(QuickSave, eachTarget_lineAndMessagesInOrder) {
    const std::vector<QuickSaveCase> cases = {
        {"quake3Found",
         ConfigKind::Q3Config,
         true,
         "q3config",
         "/q3config.cfg",
         kBareA,
         {"File Saved to Default Config: %1"}},
        {"quake3Created", ConfigKind::Q3Config, false, "q3config", "/q3config.cfg", kTaggedA, {}},
        {"quakeWorldFound",
         ConfigKind::Q1Config,
         true,
         "q1config",
         "/config.cfg",
         kBareA,
         {"File Saved to Default Config: %1",
          "File saved to: %1\rYou will need to manually execute this script."}},
        {"quakeWorldCreated",
         ConfigKind::Q1Config,
         false,
         "q1config",
         "/config.cfg",
         kTaggedA,
         {"File saved to: %1\rYou will need to manually execute this script."}},
        {"unsetActsAsQuakeWorld",
         ConfigKind::Unset,
         false,
         "q1config",
         "/config.cfg",
         kTaggedA,
         {"File saved to: %1\rYou will need to manually execute this script."}},
    };
    for (const QuickSaveCase& c : cases) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir dir;
        const QString path = dir.path() + QString::fromLatin1(c.fileName);
        if (c.fileExists) {
            writeBytes(path, QByteArrayLiteral("seta x 1"));
        }
        WindowState state = nameState({"A"});
        state.Config = c.config;
        QStringList keysAsked;
        FakeDesktop desktop;
        QuickSave(state, desktop, [&](const QString& key) {
            keysAsked << key;
            return dir.path();
        });

        EXPECT_EQ(keysAsked, QStringList{QString::fromLatin1(c.key)});
        EXPECT_EQ(state.QuickSaveFile, path);
        const QByteArray old = c.fileExists ? QByteArrayLiteral("seta x 1") : QByteArray();
        EXPECT_EQ(readBytes(path), old + "\r\n" + c.line + "\r\n");
        QStringList expected;
        for (const char* m : c.messages) {
            expected << QString::fromLatin1(m).arg(path);
        }
        EXPECT_EQ(desktop.messageTexts(), expected);
    }
}

TEST(QuickSave, folderNotConfigured_onlyThatMessage) {
    WindowState state = nameState({"A"});
    state.Config = ConfigKind::Q1Config;
    FakeDesktop desktop;
    QuickSave(state, desktop, [](const QString&) { return QString(); });
    EXPECT_EQ(
        desktop.messageTexts(),
        QStringList{QStringLiteral("You have not configured Vantorel to utilize this feature.")});
    EXPECT_TRUE(state.QuickSaveFile.isEmpty());
}

TEST(QuickSave, folderWithTrailingSlash_pathUsedUnchanged) {
    QTemporaryDir dir;
    WindowState state = nameState({"A"});
    state.Config = ConfigKind::Q3Config;
    FakeDesktop desktop;
    QuickSave(state, desktop, [&](const QString&) { return dir.path() + u'/'; });
    EXPECT_EQ(state.QuickSaveFile, dir.path() + QStringLiteral("//q3config.cfg"));
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("q3config.cfg"))), "\r\n" + kTaggedA + "\r\n");
}

TEST(QuickSave, folderGone_failureOnlyNoSuccessMessages) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("gone"));
    WindowState state = nameState({"A"});
    state.Config = ConfigKind::Q1Config;
    FakeDesktop desktop;
    QuickSave(state, desktop, [&](const QString&) { return folder; });
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.startsWith(QStringLiteral("Could not save the name to ") +
                                                    folder + QStringLiteral("/config.cfg: ")));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST(ExportWidth, cursorPositions_fifteenPointThreeHalfToEven) {
    const std::vector<std::pair<int, int>> widths = {{1, 15},   {2, 31},   {5, 76},
                                                     {10, 153}, {15, 230}, {20, 306},
                                                     {24, 367}, {25, 382}, {26, 398}};
    for (const auto& [cursor, width] : widths) {
        EXPECT_EQ(ExportWidth(cursor), width) << "cursor " << cursor;
    }
}

// Position k's glyph: every pixel a colour that says which glyph and where.
QRgb glyphPixel(int k, int x, int y) {
    return qRgb(k * 10, 8 + x * 15, 8 + y * 15);
}

WindowState fullPatternedName() {
    WindowState state = nameState({});
    for (int k = 1; k <= kNameLength; ++k) {
        QImage glyph(kGlyphPixels, kGlyphPixels, QImage::Format_RGB32);
        for (int y = 0; y < kGlyphPixels; ++y) {
            for (int x = 0; x < kGlyphPixels; ++x) {
                glyph.setPixel(x, y, glyphPixel(k, x, y));
            }
        }
        state.cells[k - 1].glyph = glyph;
    }
    return state;
}

TEST(ExportNameAsBitmap, cursorPositions_stripOfGlyphsRestBlack) {
    for (const int cursor : {1, 2, 5, 26}) {
        SCOPED_TRACE(cursor);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("name.BMP"));
        writeBytes(path, QByteArrayLiteral("an older, longer file that the export replaces"));
        WindowState state = fullPatternedName();
        state.CursorPos = cursor;
        FakeDesktop desktop;
        desktop.saveReplies.push_back(path);

        ExportNameAsBitmap(state, desktop);

        ASSERT_EQ(desktop.saveRequests.size(), 1u);
        EXPECT_EQ(desktop.saveRequests[0].title, QStringLiteral("Export Bitmap..."));
        EXPECT_EQ(desktop.saveRequests[0].filters, QStringList{QStringLiteral("Bitmaps (*.Bmp)")});
        EXPECT_EQ(desktop.saveRequests[0].defaultSuffix, QStringLiteral("BMP"));
        EXPECT_TRUE(desktop.saveRequests[0].confirmOverwrite);
        EXPECT_EQ(desktop.messageTexts(),
                  QStringList{QStringLiteral("Exported bitmap to: ") + path});

        const QImage saved = QImage(path, "BMP").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(saved.size(), QSize(433, 25));
        const int width = ExportWidth(cursor);
        int wrong = 0;
        for (int y = 0; y < saved.height(); ++y) {
            for (int x = 0; x < saved.width(); ++x) {
                const QRgb expected =
                    (x < width && y < 14) ? glyphPixel(x / 16 + 1, x % 16, y) : qRgb(0, 0, 0);
                wrong += (saved.pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF);
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(ExportNameAsBitmap, cancel_nothingWrittenNoMessage) {
    FakeDesktop desktop;
    ExportNameAsBitmap(fullPatternedName(), desktop);
    EXPECT_EQ(desktop.saveRequests.size(), 1u);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST(ExportNameAsBitmap, folderGone_errorNumberAndDescription) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gone/name.BMP"));
    FakeDesktop desktop;
    desktop.saveReplies.push_back(path);
    ExportNameAsBitmap(fullPatternedName(), desktop);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("mnuFileSaveAsDialog_Click"));
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("Error: 2 No such file or directory: ") + path);
}

TEST(CopyName, bothCommands_copyTheBoxesAsTheyAre) {
    WindowState state = nameState({"A", "b"});
    state.commandLineBox = QStringLiteral("name \"\u00e9\" //VTL G2 v6.3");
    state.rawNameBox = QString();
    FakeDesktop desktop;
    CopyCommandLine(state, desktop);
    CopyRawName(state, desktop);
    CopyCommandLine(state, desktop);
    EXPECT_EQ(desktop.clipboard,
              (std::vector<QString>{state.commandLineBox, QString(), state.commandLineBox}));
}

}  // namespace
}  // namespace vtl
