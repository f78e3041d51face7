#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace lirabo::test {

// Runs the event loop until Done holds or TimeoutMs have passed; true when
// Done holds. Unlike a polling wait it returns as soon as the event that
// makes Done true has been handled.
inline bool WaitUntil(const std::function<bool()>& Done, int TimeoutMs = 10000)
{
    const QDeadlineTimer deadline(TimeoutMs);
    QTimer tick;  // wakes the loop even when nothing else happens
    tick.start(10);
    QEventLoop loop;
    while (!Done()) {
        if (deadline.hasExpired())
            return false;
        loop.processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

}  // namespace lirabo::test
