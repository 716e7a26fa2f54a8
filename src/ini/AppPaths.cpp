#include "ini/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "ini/Settings.h"
#include "platform/Platform.h"

namespace vtl {

using namespace Qt::StringLiterals;
namespace {

// The user's settings folder inside the configuration folder.
const QString kUserSettingsFolder = u"/vantorel"_s;

bool holdsData(const QString& dir, const QString& dataProbe) {
    return QFileInfo(dir + dataProbe).isFile();
}

// The settings are replaced through QSaveFile, which writes a new file beside
// the old one and renames it over: the folder must take new files too.
bool writableInPlace(const QString& file) {
    const QFileInfo info(file);
    return info.isFile() && platform::mayWrite(file) && platform::mayWrite(info.absolutePath());
}

}  // namespace

AppPaths AppPaths::locate(const QString& exeDir, const QString& configHome,
                          const QString& dataProbe) {
    AppPaths paths;
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/" VTL_DATA_FROM_BINDIR));
    // With data in neither place the folder beside the program is named, so
    // the messages about missing sheets point where the build puts them.
    paths.dataDir_ =
        holdsData(exeDir, dataProbe) || !holdsData(installed, dataProbe) ? exeDir : installed;

    const QString beside = settingsFileIn(exeDir);
    paths.settingsBesideProgram_ = writableInPlace(beside) || configHome.isEmpty();
    paths.settingsFile_ =
        paths.settingsBesideProgram_ ? beside : settingsFileIn(configHome + kUserSettingsFolder);
    return paths;
}

AppPaths AppPaths::ofThisProgram(const QString& dataProbe) {
    return locate(QCoreApplication::applicationDirPath(), platform::userConfigHome(), dataProbe);
}

AppPaths AppPaths::inFolder(const QString& dir) {
    AppPaths paths;
    paths.dataDir_ = dir;
    paths.settingsFile_ = settingsFileIn(dir);
    paths.settingsBesideProgram_ = true;
    return paths;
}

QString AppPaths::defaultSettingsFile() const {
    return settingsFileIn(dataDir_);
}

bool AppPaths::createUserSettings(QString* error) const {
    const QString source = defaultSettingsFile();
    if (settingsBesideProgram_ || QFileInfo::exists(settingsFile_) || !QFileInfo::exists(source)) {
        return true;
    }
    const auto fail = [&](const QString& reason) {
        if (error != nullptr) {
            *error = QDir::toNativeSeparators(settingsFile_) + QStringLiteral(": ") + reason;
        }
        return false;
    };
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return fail(QDir::toNativeSeparators(source) + QStringLiteral(": ") + in.errorString());
    }
    const QByteArray defaults = in.readAll();
    if (!QDir().mkpath(QFileInfo(settingsFile_).absolutePath())) {
        return fail(QStringLiteral("cannot create its folder"));
    }
    // Written anew rather than copied: a copy would take over the installed
    // file's permissions, which need not let the user write it.
    QSaveFile out(settingsFile_);
    if (!out.open(QIODevice::WriteOnly) || out.write(defaults) != defaults.size() ||
        !out.commit()) {
        return fail(out.errorString());
    }
    return true;
}

}  // namespace vtl
