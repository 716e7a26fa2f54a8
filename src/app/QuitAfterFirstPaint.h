#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QWidget>

#include <cstdio>

namespace vtl {

// For the start-up benchmark and the package test: when VTL_QUIT_AFTER_SHOW
// is 1, ends the program once its first window has painted and names that
// window on standard error, so a caller can tell the main window from a
// message box that came first (the greeting, or a missing glyph sheet).
// With VTL_MAPS_AT_FIRST_PAINT naming a file, it also copies /proc/self/maps
// there at that moment, for the test of what start-up loads.
class QuitAfterFirstPaint : public QObject {
  public:
    static bool wanted() { return qEnvironmentVariable("VTL_QUIT_AFTER_SHOW") == u"1"; }

    // Watches every window from now on.
    void watch() { QCoreApplication::instance()->installEventFilter(this); }
    // True once the first window has painted: a modal box's own loop has been
    // told to end, but the program's loop, not started yet, must not start.
    bool fired() const { return fired_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && !fired_) {
            fired_ = true;
            QCoreApplication::instance()->removeEventFilter(this);
            const QWidget* window = static_cast<QWidget*>(watched)->window();
            std::fprintf(stderr, "vantorel: first window: %s \"%s\"\n",
                         window->metaObject()->className(), qPrintable(window->windowTitle()));
            saveMaps();
            // At once, not from a timer: work queued after the first paint
            // (the window icon) is not start-up. The loop running ends when
            // this paint returns; a modal box's loop ends its box.
            QCoreApplication::exit(0);
        }
        return false;
    }

  private:
    static void saveMaps() {
        const QString to = qEnvironmentVariable("VTL_MAPS_AT_FIRST_PAINT");
        QFile maps(QStringLiteral("/proc/self/maps"));
        QFile copy(to);
        if (!to.isEmpty() && maps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly)) {
            copy.write(maps.readAll());
        }
    }

    bool fired_ = false;
};

}  // namespace vtl
