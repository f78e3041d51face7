#include "network/progress_relay.h"

#include <utility>

namespace lirabo::network {

TProgressRelay::TProgressRelay(TDeliver Handler, std::chrono::milliseconds Interval)
    : FDeliver(std::move(Handler)), FInterval(Interval)
{
    FTimer.setSingleShot(true);
    // A coarse timer may fire a little early, which would break the pace.
    FTimer.setTimerType(Qt::PreciseTimer);
    connect(&FTimer, &QTimer::timeout, this, [this] {
        if (FPending.load())
            Deliver();
    });
}

void TProgressRelay::Post(qint64 Total, qint64 Readed)
{
    FTotal.store(Total);
    FReaded.store(Readed);
    if (!FPending.exchange(true))
        QMetaObject::invokeMethod(this, [this] { Arrived(); }, Qt::QueuedConnection);
}

void TProgressRelay::Flush()
{
    FTimer.stop();
    Deliver();
}

void TProgressRelay::Arrived()
{
    if (!FPending.load() || FTimer.isActive())
        return;  // flushed meanwhile, or already waiting for its turn
    const qint64 left = FSinceDelivery.isValid() ? FInterval.count() - FSinceDelivery.elapsed() : 0;
    if (left > 0)
        FTimer.start(static_cast<int>(left));
    else
        Deliver();
}

void TProgressRelay::Deliver()
{
    // Cleared before the figures are read, so that figures posted from now
    // on queue a notification of their own instead of being lost.
    FPending.store(false);
    const qint64 readed = FReaded.load();
    const qint64 total = FTotal.load();
    if (readed == FDelivered)
        return;
    FDelivered = readed;
    FSinceDelivery.start();
    FDeliver(total, readed);
}

}  // namespace lirabo::network
