#pragma once

#include "icon/ProgramIcon.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace vtl {

// Gives the program's windows its icon once the first of them has painted.
// A window system takes a window's icon as soon as the window is made, in
// every size its frame may show (under X11 each size is decoded, converted
// and sent to the server), and the first picture needs none of it. Windows
// that set no icon of their own take this one, those already open included.
class IconAfterFirstPaint : public QObject {
  public:
    IconAfterFirstPaint() { QCoreApplication::instance()->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // From the event loop, once this paint is on screen.
            QTimer::singleShot(0, this, [] { QApplication::setWindowIcon(programIcon()); });
        }
        return false;
    }
};

}  // namespace vtl
