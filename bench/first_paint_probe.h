// Ends a benchmark run at the first paint of a window: prints "painted" on
// standard output and quits the event loop.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe() { qApp->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!done_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            done_ = true;
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool done_ = false;
};
