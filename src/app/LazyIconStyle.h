#pragma once

#include <QPixmap>
#include <QProxyStyle>

namespace vtl {

// The desktop's style, with its standard icons read when first drawn rather
// than when a widget asks for them. Qt's styles read an icon's files at once,
// and finding a PNG's format makes Qt load every image plugin installed
// (TIFF, WebP, MNG, JPEG, SVG… with their libraries); the menu bar asks for
// its overflow button's icon as it is made, and that button never shows in a
// window of this size. Set it on the application before any widget, in
// front of the style the application chose:
// QApplication::setStyle(new LazyIconStyle(QApplication::style()->name())).
class LazyIconStyle : public QProxyStyle {
  public:
    // `key` names the style it stands in front of ("Fusion").
    explicit LazyIconStyle(const QString& key) : QProxyStyle(key) {}
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    // Fusion's group box frame, from Fusion's own picture read as the PNG it
    // is: Fusion reads it by file name, which offers it to every plugin.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // A group box's title in its palette's text colour, as Fusion draws it.
    // Windows' themed style takes the theme's colour instead, which on the
    // main window's black panel is black on black.
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

  private:
    mutable QPixmap groupBoxFrame_;
};

}  // namespace vtl
