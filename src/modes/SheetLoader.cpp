#include "modes/SheetLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/FileOpen.h"
#include "core/Glyphs.h"
#include "modes/PictureLength.h"

namespace vtl {

using namespace Qt::StringLiterals;
namespace {

const QString kMissingReason = u"the file does not exist"_s;
const QString kTooManyPixelsReason =
    u"the picture is %1 \u00D7 %2 pixels, too large for a glyph sheet"_s;
const QString kTooManyBytesReason = u"the picture takes %1 MiB, too much for a glyph sheet"_s;

// A sheet uses 256 x 256 pixels; larger pictures are taken whole, up to
// 2048 x 2048 (16 MiB as 32-bit pixels) from at most 24 MiB of file, so that
// opening one stays well inside 64 MiB.
constexpr qint64 kMaxSheetPixels = qint64{2048} * 2048;
constexpr qint64 kMaxPictureBytes = qint64{24} << 20;
constexpr int kDecodeLimitMiB = 20;

QString systemReason(int errorNumber) {
    return errorNumber == ENOENT ? kMissingReason
                                 : QString::fromLocal8Bit(std::strerror(errorNumber));
}

// Qt's name for the kind of picture `data` starts like, or nothing.
const char* pictureFormat(const QByteArray& data) {
    struct Signature {
        QByteArrayView start;
        const char* format;
    };
    static constexpr Signature kSignatures[] = {
        {"GIF8", "gif"}, {"\x89PNG", "png"}, {"BM", "bmp"}, {"\xFF\xD8\xFF", "jpeg"}};
    for (const Signature& s : kSignatures) {
        if (data.startsWith(s.start)) {
            return s.format;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<QImage> readPicture(const QString& path, QString& reason) {
    // Opened without waiting, so that a FIFO can't hang the window, and
    // checked on the open file, so nothing can be swapped in between.
    const int fd = openWithoutWaiting(path, O_RDONLY);
    if (fd < 0) {
        reason = systemReason(errno);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        reason = file.errorString();
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        reason = systemReason(errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = notRegularFileReason(info.st_mode);
        return std::nullopt;
    }

    // The decoder sees the picture's own bytes only: some decoders read on
    // to the end of the file looking for more frames.
    const std::optional<qint64> length = pictureLength(file);
    if (!length) {
        reason = kCutShortReason;
        return std::nullopt;
    }
    if (*length > kMaxPictureBytes) {
        reason = kTooManyBytesReason.arg(*length >> 20);
        return std::nullopt;
    }
    QBuffer picture;
    if (!file.seek(0)) {
        reason = file.errorString();
        return std::nullopt;
    }
    picture.setData(file.read(*length));
    if (picture.size() != *length) {
        reason = file.errorString();
        return std::nullopt;
    }
    picture.open(QIODevice::ReadOnly);

    QImageReader reader(&picture);
    // A picture whose kind its first bytes tell goes straight to that one
    // reader; left to guess, Qt loads image plugins until one takes it.
    if (const char* format = pictureFormat(picture.data())) {
        reader.setFormat(format);
        reader.setAutoDetectImageFormat(false);
    }
    reader.setAllocationLimit(kDecodeLimitMiB);
    const QSize size = reader.size();
    if (size.isValid() && qint64{size.width()} * size.height() > kMaxSheetPixels) {
        reason = kTooManyPixelsReason.arg(size.width()).arg(size.height());
        return std::nullopt;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        reason = reader.errorString();
        return std::nullopt;
    }
    image.convertTo(QImage::Format_RGB32);  // in place where the depth allows: no second copy
    return image;
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
