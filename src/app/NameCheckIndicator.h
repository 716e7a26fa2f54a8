#pragma once

#include <QString>

#include <QWidget>

#include "check/NameCheck.h"

namespace vtl {

using namespace Qt::StringLiterals;

inline const QString kNameOkText = u"Name OK"_s;
inline const QString kOneProblemText = u"1 problem"_s;
inline const QString kProblemsText = u"%1 problems"_s;
inline const QString kNoCheckCaption = u"No check"_s;

// The verdict at the right end of the mode row: a check mark with "Name OK",
// or a warning sign with the number of problems. A click opens the details.
class NameCheckIndicator : public QWidget {
    Q_OBJECT
  public:
    explicit NameCheckIndicator(QWidget* parent);

    void showReport(const CheckReport& report);
    QString text() const { return text_; }
    // The width it needs; in `compact` form only the sign and the count show.
    int neededWidth(bool compact) const;
    void setCompact(bool compact);

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    enum class Sign { None, Check, Warning };
    Sign sign_ = Sign::None;
    QString text_;
    QString count_;
    bool compact_ = false;
};

}  // namespace vtl
