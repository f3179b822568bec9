#pragma once

// Start-up timing from outside the process: once a window has been painted for the first
// time, "painted" is written to the standard output and the process ends at once, so that a
// whole process, from its start to its first paint, can be timed by whoever started it.
// Used by the start-up floor (BareWindow.cpp) and by the timed build of the program
// (sorrisa_firstpaint, the program's own run with this watch, FirstPaintMain.cpp).

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace FirstPaint {

class Watch : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The paint of the window is followed, in the same turn of the event loop, by the
        // copy of its picture to the screen: a zero timer fires after both.
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, watched, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

inline void watch(QWidget *window) { window->installEventFilter(new Watch(window)); }

} // namespace FirstPaint
