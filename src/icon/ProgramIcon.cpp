#include "icon/ProgramIcon.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <map>

namespace vtl {
namespace {

// Window frames and task bars take at most this size from the window itself;
// larger views (menus, switchers) take the installed icon theme's files.
constexpr int kLargestWindowIcon = 48;

// The drawn PNGs, each read the first time a size needs it. QIcon::addFile
// would read and decode every file at once, and find each one's format by
// asking every image plugin installed: a good part of the start-up for
// pictures that offscreen nobody looks at, and of which a window frame
// wants the small ones only.
class ProgramIconEngine : public QIconEngine {
  public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override {
        const int wanted = static_cast<int>(std::max(size.width(), size.height()) * scale);
        // The smallest drawn size that is large enough, else the largest.
        const int* drawn = std::find_if(std::begin(kIconSizes), std::end(kIconSizes),
                                        [wanted](int s) { return s >= wanted; });
        const int file =
            drawn == std::end(kIconSizes) ? kIconSizes[std::size(kIconSizes) - 1] : *drawn;
        QPixmap& loaded = loaded_[file];
        if (loaded.isNull()) {
            loaded = builtInPng(QStringLiteral(":/icons/%1x%1/apps/" VTL_APP_ID ".png").arg(file));
        }
        const QSize target = size * scale;
        QPixmap shown = loaded.size() == target || loaded.isNull()
                            ? loaded
                            : loaded.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        shown.setDevicePixelRatio(scale);
        return shown;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int size : kIconSizes) {
            if (size <= kLargestWindowIcon) {
                sizes << QSize(size, size);
            }
        }
        return sizes;
    }

    QString key() const override { return QStringLiteral("vtl_program_icon"); }
    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }

  private:
    std::map<int, QPixmap> loaded_;
};

}  // namespace

QIcon programIcon() {
    static const QIcon icon(new ProgramIconEngine);
    return icon;
}

QPixmap builtInPng(const QString& resource) {
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QString appId() {
    return QStringLiteral(VTL_APP_ID);
}

}  // namespace vtl
