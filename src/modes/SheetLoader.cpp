#include "modes/SheetLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cerrno>

#include "core/FileOpen.h"
#include "core/Glyphs.h"
#include "modes/PictureLength.h"
#include "modes/PlainGif.h"

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

std::optional<QImage> readPicture(const QString& path, ReadProblem& problem) {
    QFile file;
    if (!openUserFile(file, path, problem)) {
        if (problem.systemError == ENOENT) {
            problem.reason = kMissingReason;
        }
        return std::nullopt;
    }
    const auto fail = [&](const QString& reason) {
        problem = ReadProblem{path, reason, 0};
        return std::nullopt;
    };

    // The decoder sees the picture's own bytes only: some decoders read on
    // to the end of the file looking for more frames.
    const std::optional<qint64> length = pictureLength(file);
    if (!length) {
        return fail(kCutShortReason);
    }
    if (*length > kMaxPictureBytes) {
        return fail(kTooManyBytesReason.arg(*length >> 20));
    }
    QBuffer picture;
    if (!file.seek(0)) {
        return fail(file.errorString());
    }
    picture.setData(file.read(*length));
    if (picture.size() != *length) {
        return fail(file.errorString());
    }
    if (std::optional<QImage> plain = plainGif(picture.data(), kMaxSheetPixels)) {
        return plain;
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
    const auto tooLarge = [](const QSize& size) {
        return qint64{size.width()} * size.height() > kMaxSheetPixels;
    };
    const QSize size = reader.size();
    if (size.isValid() && tooLarge(size)) {
        return fail(kTooManyPixelsReason.arg(size.width()).arg(size.height()));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return fail(reader.errorString());
    }
    // A header may claim one size and the decoder draw another (a GIF's
    // screen around an empty image): what counts is the picture made.
    if (tooLarge(image.size())) {
        return fail(kTooManyPixelsReason.arg(image.width()).arg(image.height()));
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
    ReadProblem problem;
    if (std::optional<QImage> image = readPicture(path, problem)) {
        return *std::move(image);
    }
    showInfo(desktop, unreadablePictureMessage(path, problem.reason));
    return blankSheet();
}

}  // namespace vtl
