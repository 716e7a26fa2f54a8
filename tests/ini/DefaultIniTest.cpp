#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "ini/Ini.h"

namespace vtl {
namespace {

const QByteArray kFirstRun = QByteArrayLiteral("[Vantorel]\r\nfirst=yes\r\n");

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs the build's settings-file script the way the build and install rules do.
int runDefaultIniScript(const QString& iniFile) {
    return QProcess::execute(QStringLiteral(VTL_CMAKE_COMMAND),
                             {QStringLiteral("-DVTL_INI_FILE=") + iniFile, QStringLiteral("-P"),
                              QStringLiteral(VTL_DEFAULT_INI_SCRIPT)});
}

TEST(DefaultIni, missingFile_isCreatedWithFirstRunSettings) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("app/vtl.ini"));
    ASSERT_EQ(runDefaultIniScript(path), 0);
    EXPECT_EQ(readBytes(path), kFirstRun);
}

TEST(DefaultIni, existingFile_isLeftAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vtl.ini"));
    const QByteArray mine = QByteArrayLiteral("[Vantorel]\nfirst=no\n; mine\n");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(mine);
    file.close();
    ASSERT_EQ(runDefaultIniScript(path), 0);
    EXPECT_EQ(readBytes(path), mine);
}

TEST(DefaultIni, buildPutsSettingsBesideTheExecutable) {
    // CTest sets VTL_APP_DIR; the build's own path serves when run by hand.
    const QString appDir = qEnvironmentVariable("VTL_APP_DIR", QStringLiteral(VTL_BUILD_APP_DIR));
    // Running the program may have changed the value since, so only its presence counts.
    EXPECT_FALSE(ReadIni(QStringLiteral("Vantorel"), QStringLiteral("first"),
                         QDir(appDir).filePath(QStringLiteral("vtl.ini")))
                     .isEmpty());
}

}  // namespace
}  // namespace vtl
