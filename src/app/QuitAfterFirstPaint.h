#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace vtl {

// For the start-up benchmark only: ends the program once the watched window
// has first painted, when VTL_QUIT_AFTER_SHOW is 1.
class QuitAfterFirstPaint : public QObject {
  public:
    static bool wanted() { return qEnvironmentVariable("VTL_QUIT_AFTER_SHOW") == u"1"; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        }
        return false;
    }
};

}  // namespace vtl
