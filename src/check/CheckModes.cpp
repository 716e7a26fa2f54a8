#include "check/CheckModes.h"

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

// The rows with a Quick Save target that the command line can name. Every
// Quake engine runs an autoexec.cfg: that name tells no game (Xonotic's).
template <typename Visit>
void forEachConfigFileRow(Visit&& visit) {
    QStringList seen{u"autoexec.cfg"_s};  // a file shared by two games means the first one's
    for (const GameRow& row : kGames) {
        if (row.config && row.checkName && !seen.contains(configFileName(*row.config))) {
            seen << configFileName(*row.config);
            visit(row, configFileName(*row.config));
        }
    }
}

}  // namespace

std::optional<GameMode> checkModeNamed(const QString& name) {
    for (const GameRow& row : kGames) {
        if (row.checkName &&
            name.compare(QString::fromUtf16(row.checkName), Qt::CaseInsensitive) == 0) {
            return row.mode;
        }
    }
    return std::nullopt;
}

QStringList checkModeNames() {
    QStringList names;
    for (const GameRow& row : kGames) {
        if (row.checkName) {
            names << QString::fromUtf16(row.checkName);
        }
    }
    return names;
}

std::optional<GameMode> checkModeOfFile(const QString& fileName) {
    std::optional<GameMode> found;
    forEachConfigFileRow([&](const GameRow& row, const QString& file) {
        if (!found && fileName.compare(file, Qt::CaseInsensitive) == 0) {
            found = row.mode;
        }
    });
    return found;
}

QString configFileModesText() {
    QStringList parts;
    forEachConfigFileRow([&](const GameRow& row, const QString& file) {
        const QString joint = parts.isEmpty() ? u" means "_s : u" "_s;
        parts << file + joint + QString::fromUtf16(row.checkName);
    });
    return parts.join(u" and ");
}

}  // namespace vtl
