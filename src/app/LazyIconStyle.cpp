#include "app/LazyIconStyle.h"

#include <qdrawutil.h>

#include <QGroupBox>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

#include "icon/ProgramIcon.h"

namespace vtl {
namespace {

// Fusion's group box frame picture, and the room it leaves above the frame.
constexpr char16_t kFusionGroupBox[] =
    u":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
constexpr int kFusionGroupBoxTopMargin = 3;

// Stands for a style's standard icon and asks the style for it the first time
// anything but its existence is wanted.
class LazyStandardIcon : public QIconEngine {
  public:
    LazyStandardIcon(const QStyle* style, QStyle::StandardPixmap which, Qt::LayoutDirection dir)
        : style_(style), which_(which), direction_(dir) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return real().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return real().availableSizes(mode, state);
    }
    // Every standard icon the program's widgets ask for exists in Qt's styles;
    // saying so keeps a mere check from reading it.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("vtl_lazy_standard_icon"); }
    QIconEngine* clone() const override { return new LazyStandardIcon(*this); }

  private:
    QIcon real() {
        if (!loaded_) {
            loaded_ = true;
            if (style_) {
                QStyleOption option;
                option.direction = direction_;
                icon_ = style_->standardIcon(which_, &option);
            }
        }
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    Qt::LayoutDirection direction_;
    bool loaded_ = false;
    QIcon icon_;
};

}  // namespace

QIcon LazyIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                  const QWidget* widget) const {
    Qt::LayoutDirection direction = Qt::LeftToRight;
    if (option) {
        direction = option->direction;
    } else if (widget) {
        direction = widget->layoutDirection();
    }
    return QIcon(new LazyStandardIcon(baseStyle(), icon, direction));
}

void LazyIconStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameGroupBox && baseStyle()->name() == u"fusion") {
        if (groupBoxFrame_.isNull()) {
            groupBoxFrame_ = builtInPng(QString::fromUtf16(kFusionGroupBox));
        }
        if (!groupBoxFrame_.isNull()) {
            // As Fusion places it: below the title, unless there is none.
            const auto* box = qobject_cast<const QGroupBox*>(widget);
            const int top = box && !box->isCheckable() && box->title().isEmpty()
                                ? kFusionGroupBoxTopMargin
                                : std::max(pixelMetric(PM_ExclusiveIndicatorHeight),
                                           option->fontMetrics.height()) +
                                      kFusionGroupBoxTopMargin;
            qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6),
                              groupBoxFrame_);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int LazyIconStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    if (hint == SH_GroupBox_TextLabelColor && option) {
        return static_cast<int>(option->palette.color(QPalette::Text).rgba());
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace vtl
