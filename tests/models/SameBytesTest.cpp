// The files a user's session writes are the same bytes on every system the
// program is built for: this test runs in the Linux build (make test) and in
// the Windows build under Wine (make test-windows), and both must write the
// files whose digests the Linux program's files have.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include "ini/Ini.h"
#include "models/MainWindowModel.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "support/Tag.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

QString sha1Of(const QString& path) {
    return QString::fromLatin1(
        QCryptographicHash::hash(test::readBytes(path), QCryptographicHash::Sha1).toHex());
}

// Compose a name in red and white with a high glyph, Save Name, Quick Save
// into a Quake III folder of no Latin-1 name (read back as a file name, not as
// Windows-1252 text), Export name as Bitmap: the real glyph sheets the build
// drew, read by each system's own image decoders.
TEST(SameBytesEverywhere, saveQuickSaveAndBitmap_writeTheLinuxProgramsBytes) {
    QTemporaryDir appDir;
    QTemporaryDir out;
    QDirIterator sheets(QStringLiteral(VTL_BUILD_APP_DIR), {u"*.gif"_s}, QDir::Files,
                        QDirIterator::Subdirectories);
    while (sheets.hasNext()) {
        const QString from = sheets.next();
        const QString to =
            appDir.filePath(QDir(QStringLiteral(VTL_BUILD_APP_DIR)).relativeFilePath(from));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(to).path()) && QFile::copy(from, to));
    }
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(appDir.path())};
    model.start();
    model.chooseColour(1);
    for (const int code : std::initializer_list<int>{'V', 't', 'l', 0x80}) {
        model.pickGlyph(code);
    }
    model.chooseColour(0);
    model.pickGlyph('!');

    const QString folder =
        out.filePath(u"Quake III Arena/micha\u0142/\u30E6\u30FC\u30B6\u30FC/baseq3"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WriteIni(u"Vantorel"_s, u"q3config"_s, QDir::toNativeSeparators(folder),
                         model.settingsFile(), nullptr, IniText::FileName));
    desktop.answers.assign(8, MessageAnswer::Yes);  // whatever the check asks
    desktop.saveReplies = {out.filePath(u"name.cfg"_s), out.filePath(u"name.bmp"_s)};
    model.saveName();
    model.quickSave();
    model.exportAsBitmap();

    const QByteArray line = "\r\nname \"^1Vtl\x80^7!^7\""_ba + test::kTag + test::kTrailer + "\r\n";
    EXPECT_EQ(test::readBytes(out.filePath(u"name.cfg"_s)), line);
    EXPECT_EQ(test::readBytes(folder + u"/q3config.cfg"_s), line);
    // The picture from the Linux program's own export (433 x 25 pixels).
    EXPECT_EQ(sha1Of(out.filePath(u"name.bmp"_s)), u"809cd9e16c3f46fcc518f65f393cb6a8a98b99e3"_s);
}

}  // namespace
}  // namespace vtl
