#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QString>

namespace vtl {

// The windows were drawn for a narrow 8-point face; DejaVu's condensed cut
// fits the captions into their boxes, and DejaVu Sans stands in where it is
// missing. The main window, Configure and About all take it from here.
inline constexpr char16_t kWindowFamily[] = u"DejaVu Sans Condensed";
inline constexpr char16_t kWindowFallbackFamily[] = u"DejaVu Sans";
inline constexpr int kWindowFontPixels = 11;

// Chosen here rather than given to Qt as a second family: a font of two
// families makes Qt work out fallback fonts before the first paint (about
// 3 % of start-up).
inline QFont windowFont() {
    const QString family = QString::fromUtf16(kWindowFamily);
    QFont font(QFontDatabase::families().contains(family)
                   ? family
                   : QString::fromUtf16(kWindowFallbackFamily));
    font.setPixelSize(kWindowFontPixels);
    return font;
}

// The same face for a dialog's style sheet, whose rule covers every control.
inline QString windowFontStyle() {
    return QStringLiteral("* { font-family: '%1', '%2'; font-size: %3px; }")
        .arg(QString::fromUtf16(kWindowFamily), QString::fromUtf16(kWindowFallbackFamily),
             QString::number(kWindowFontPixels));
}

}  // namespace vtl
