#include "output/GameConfigs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vtl {
namespace {

// defaultprofile.dat holds one short name; anything longer is not one.
constexpr qint64 kProfileFileLimit = 4096;

struct ConfigPlace {
    const char16_t* dataFolder;  // the game's folder inside its home
    const char16_t* file;        // the config inside that folder
    const char16_t* key;         // the settings key of the home folder
};

ConfigPlace placeOf(ConfigGame game) {
    switch (game) {
        case ConfigGame::UrbanTerror:
            return {u"q3ut4", u"q3config.cfg", u"urbanterror"};
        case ConfigGame::OpenJK:
            return {u"base", u"openjk.cfg", u"openjk"};
        case ConfigGame::EtLegacy:
            return {u"legacy", u"etconfig.cfg", u"etlegacy"};
        case ConfigGame::Warfork:
            return {u"basewf", u"autoexec_postinit.cfg", u"warfork"};
        case ConfigGame::Xonotic:
            return {u"data", u"autoexec.cfg", u"xonotic"};
    }
    return {};
}

// The data folder inside `home`, or `home` itself when it is that folder.
QString dataFolderIn(const QString& home, const QString& name) {
    const QString trimmed = QDir::cleanPath(home);
    if (QFileInfo(trimmed).fileName().compare(name, Qt::CaseInsensitive) == 0) {
        return trimmed;
    }
    // The game's own spelling on a case-sensitive disk.
    const QStringList entries = QDir(trimmed).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return trimmed + QLatin1Char('/') + entry;
        }
    }
    return trimmed + QLatin1Char('/') + name;
}

QString readProfile(const QString& legacyFolder) {
    QFile file(legacyFolder + QStringLiteral("/profiles/defaultprofile.dat"));
    if (file.size() > kProfileFileLimit || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return defaultProfileName(file.read(kProfileFileLimit));
}

// A profile name that would leave the profiles folder is not used.
bool safeFolderName(const QString& name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(u':');
}

}  // namespace

QString gameFolderKey(ConfigGame game) {
    return QString::fromUtf16(placeOf(game).key);
}

QString gameConfigFile(ConfigGame game, const QString& home) {
    const ConfigPlace place = placeOf(game);
    const QString data = dataFolderIn(home, QString::fromUtf16(place.dataFolder));
    if (game == ConfigGame::EtLegacy) {
        const QString profile = readProfile(data);
        if (safeFolderName(profile)) {
            return data + QStringLiteral("/profiles/") + profile + QLatin1Char('/') +
                   QString::fromUtf16(place.file);
        }
    }
    return data + QLatin1Char('/') + QString::fromUtf16(place.file);
}

QString defaultProfileName(const QByteArray& data) {
    qsizetype i = 0;
    const qsizetype n = data.size();
    while (i < n) {
        const auto c = static_cast<uchar>(data[i]);
        if (c <= ' ') {
            ++i;
        } else if (data.mid(i, 2) == "//") {
            while (i < n && data[i] != '\n') {
                ++i;
            }
        } else if (data.mid(i, 2) == "/*") {
            const qsizetype end = data.indexOf("*/", i + 2);
            i = end < 0 ? n : end + 2;
        } else {
            break;
        }
    }
    if (i >= n) {
        return {};
    }
    QByteArray token;
    if (data[i] == '"') {
        const qsizetype end = data.indexOf('"', i + 1);
        token = data.mid(i + 1, (end < 0 ? n : end) - i - 1);
    } else {
        while (i<n&& static_cast<uchar>(data[i])> ' ') {
            token += data[i++];
        }
    }
    return QString::fromUtf8(token);
}

}  // namespace vtl
