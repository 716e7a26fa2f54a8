#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "ini/Ini.h"

namespace vtl {
namespace {

// The script the build and install rules run to put the first-run settings in place.
TEST(DefaultIni, createsTheFileOnlyWhereNoneExists) {
    const QByteArray firstRun = QByteArrayLiteral("[Vantorel]\r\nfirst=yes\r\n");
    const QByteArray users = QByteArrayLiteral("[Vantorel]\nfirst=no\n; mine\n");
    for (const bool exists : {false, true}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("app/vtl.ini"));
        QFile file(path);
        if (exists) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("app")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(users) == users.size());
            file.close();
        }
        ASSERT_EQ(QProcess::execute(QStringLiteral(VTL_CMAKE_COMMAND),
                                    {QStringLiteral("-DVTL_INI_FILE=") + path, QStringLiteral("-P"),
                                     QStringLiteral(VTL_DEFAULT_INI_SCRIPT)}),
                  0);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), exists ? users : firstRun);
    }
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
