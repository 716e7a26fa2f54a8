#include "modes/SheetLoader.h"

#include <QFileInfo>
#include <QImageReader>

#include "core/Glyphs.h"

namespace vtl {

std::optional<QImage> readPicture(const QString& path, QString& reason) {
    if (!QFileInfo::exists(path)) {
        reason = QStringLiteral("the file does not exist");
        return std::nullopt;
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        reason = reader.errorString();
        return std::nullopt;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QString unreadablePictureMessage(const QString& path, const QString& reason) {
    return QStringLiteral("The file \"%1\" could not be read as a picture (%2).").arg(path, reason);
}

QString builtInSheetPath(const QString& appDir, BuiltInSheet sheet) {
    return appDir + u'/' + QString::fromUtf16(sheetFile(sheet));
}

QImage loadSheetOrBlank(const QString& path, Desktop& desktop) {
    QString reason;
    if (std::optional<QImage> image = readPicture(path, reason)) {
        return *std::move(image);
    }
    showInfo(desktop, unreadablePictureMessage(path, reason));
    return blankSheet();
}

}  // namespace vtl
