#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>

namespace lirabo::network {

// Progress of a worker thread, handed to the thread that made the relay at
// most once per interval, without the worker ever waiting for it. The
// worker only stores the latest figures; at most one notification is queued
// at a time, however busy the receiving thread is, and figures that come
// sooner than the interval after the last delivery wait on a timer there,
// merged with whatever comes meanwhile.
class TProgressRelay : public QObject {
public:
    using TDeliver = std::function<void(qint64 Total, qint64 Readed)>;

    // On the receiving thread.
    explicit TProgressRelay(TDeliver Handler,
                            std::chrono::milliseconds Interval = std::chrono::milliseconds(50));

    // Any thread; never blocks. Readed only grows; Total stays the same
    // once the first figures have been posted.
    void Post(qint64 Total, qint64 Readed);

    // --- receiving thread ----------------------------------------------
    // Delivers the latest figures at once if they have not been delivered
    // yet, interval or not: for the last figures of a worker that has ended.
    void Flush();

private:
    void Arrived();
    void Deliver();

    const TDeliver FDeliver;
    const std::chrono::milliseconds FInterval;

    std::atomic<qint64> FTotal{0};
    std::atomic<qint64> FReaded{0};
    // Set by the worker when it queues a notification, cleared by the
    // receiving thread just before it reads the figures: a Post that finds
    // it set knows that its figures will be read.
    std::atomic<bool> FPending{false};

    // Receiving thread only.
    QTimer FTimer;
    QElapsedTimer FSinceDelivery;
    qint64 FDelivered = 0;
};

}  // namespace lirabo::network
