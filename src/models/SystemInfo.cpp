#include "models/SystemInfo.h"

namespace vtl {

QStringList systemInfoCandidates() {
#ifdef Q_OS_WIN
    // System Information, in the system folder (on every PATH) since Windows XP.
    return {QStringLiteral("msinfo32")};
#else
    // Graphical tools first: the button is in a window, and a terminal
    // program started without a terminal would show nothing.
    return {QStringLiteral("hardinfo"),    QStringLiteral("hardinfo2"),
            QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor"),
            QStringLiteral("ksysguard"),   QStringLiteral("xfce4-taskmanager")};
#endif
}

QString locateSystemInfo(Desktop& desktop) {
    for (const QString& name : systemInfoCandidates()) {
        const QString path = desktop.findProgram(name);
        if (!path.isEmpty()) {
            return path;
        }
    }
    return {};
}

void startSystemInfo(Desktop& desktop) {
    const QString program = locateSystemInfo(desktop);
    if (program.isEmpty() || !desktop.startProgram(program, {})) {
        showInfo(desktop, kSysInfoUnavailable);
    }
}

}  // namespace vtl
