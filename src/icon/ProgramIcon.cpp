#include "icon/ProgramIcon.h"

namespace vtl {

QIcon programIcon() {
    static const QIcon icon = [] {
        QIcon drawn;
        for (const int size : kIconSizes) {
            drawn.addFile(QStringLiteral(":/icons/%1x%1/apps/" VTL_APP_ID ".png").arg(size),
                          QSize(size, size));
        }
        return drawn;
    }();
    return icon;
}

QString appId() {
    return QStringLiteral(VTL_APP_ID);
}

}  // namespace vtl
