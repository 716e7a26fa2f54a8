#include "models/SystemInfo.h"

#ifdef Q_OS_WIN
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#endif

namespace vtl {

QStringList systemInfoCandidates() {
    // Graphical tools first: the button is in a window, and a terminal
    // program started without a terminal would show nothing.
    return {QStringLiteral("hardinfo"),    QStringLiteral("hardinfo2"),
            QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor"),
            QStringLiteral("ksysguard"),   QStringLiteral("xfce4-taskmanager")};
}

QString locateSystemInfo(Desktop& desktop) {
#ifdef Q_OS_WIN
    Q_UNUSED(desktop);
    // MSINFO's own entry names the program; failing that, the shared tools
    // folder may hold it.
    const QSettings msinfo(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
        QSettings::NativeFormat);
    const QString path = msinfo.value(QStringLiteral("PATH")).toString();
    if (!path.isEmpty()) {
        return path;
    }
    const QSettings shared(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
        QSettings::NativeFormat);
    const QString folder = shared.value(QStringLiteral("MSINFO")).toString();
    if (!folder.isEmpty()) {
        const QString program = folder + QStringLiteral("\\MSINFO32.EXE");
        if (QFileInfo::exists(program)) {
            return program;
        }
    }
    return {};
#else
    for (const QString& name : systemInfoCandidates()) {
        const QString path = desktop.findProgram(name);
        if (!path.isEmpty()) {
            return path;
        }
    }
    return {};
#endif
}

void startSystemInfo(Desktop& desktop) {
    const QString program = locateSystemInfo(desktop);
    if (program.isEmpty() || !desktop.startProgram(program, {})) {
        showInfo(desktop, kSysInfoUnavailable);
    }
}

}  // namespace vtl
