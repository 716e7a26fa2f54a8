#include "app/NameCheckIndicator.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vtl {
namespace {
constexpr int kTextLeft = 17;  // after the sign
}  // namespace

NameCheckIndicator::NameCheckIndicator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("NameCheckIndicator"));
    setCursor(Qt::PointingHandCursor);
}

void NameCheckIndicator::showReport(const CheckReport& report) {
    const int problems = report.problemCount();
    count_ = problems > 0 ? QString::number(problems) : QString();
    if (!report.checked) {
        sign_ = Sign::None;
        text_ = kNoCheckCaption;
    } else if (problems == 0) {
        sign_ = Sign::Check;
        text_ = kNameOkText;
    } else {
        sign_ = Sign::Warning;
        text_ = problems == 1 ? kOneProblemText : kProblemsText.arg(problems);
    }
    QString tip = report.checked
                      ? QStringLiteral("What the games make of the name: click for details")
                      : kNoCheckText;
    // "Name OK" speaks for the engines that were checked, not the closed ones.
    const QStringList unchecked = report.uncheckedClients();
    if (report.checked && !unchecked.isEmpty()) {
        tip += u'\n' + kNoClientCheckText + QStringLiteral(": ") + unchecked.join(u", ");
    }
    setToolTip(tip);
    update();
}

int NameCheckIndicator::neededWidth(bool compact) const {
    const QString shown = compact ? count_ : text_;
    return kTextLeft + (shown.isEmpty() ? 0 : fontMetrics().horizontalAdvance(shown) + 4);
}

void NameCheckIndicator::setCompact(bool compact) {
    if (compact != compact_) {
        compact_ = compact;
        update();
    }
}

void NameCheckIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setRenderHint(QPainter::Antialiasing);
    const int h = height();
    const QRectF sign(2, (h - 12) / 2.0, 12, 12);
    if (sign_ == Sign::Check) {
        p.setPen(QPen(QColor(80, 220, 80), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(sign.left() + 1, sign.center().y());
        tick.lineTo(sign.left() + 4.5, sign.bottom() - 2);
        tick.lineTo(sign.right() - 1, sign.top() + 1);
        p.drawPath(tick);
    } else if (sign_ == Sign::Warning) {
        QPainterPath triangle;
        triangle.moveTo(sign.center().x(), sign.top());
        triangle.lineTo(sign.right(), sign.bottom());
        triangle.lineTo(sign.left(), sign.bottom());
        triangle.closeSubpath();
        p.fillPath(triangle, QColor(255, 190, 0));
        p.setPen(QPen(Qt::black, 1.6));
        p.drawLine(QPointF(sign.center().x(), sign.top() + 4),
                   QPointF(sign.center().x(), sign.bottom() - 4));
        p.drawPoint(QPointF(sign.center().x(), sign.bottom() - 1.8));
    }
    p.setPen(sign_ == Sign::Warning ? QColor(255, 190, 0)
             : sign_ == Sign::Check ? QColor(80, 220, 80)
                                    : QColor(Qt::gray));
    p.drawText(rect().adjusted(kTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               compact_ ? count_ : text_);
}

void NameCheckIndicator::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
    }
}

}  // namespace vtl
