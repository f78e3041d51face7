#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QList>
#include <QPair>
#include <QThread>

#include <atomic>
#include <thread>

#include "network/progress_relay.h"
#include "wait_until.h"

namespace {

using lirabo::network::TProgressRelay;
using lirabo::test::WaitUntil;

// Counts the notifications queued to the relay.
class TQueued : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::MetaCall)
            ++Count;
        return false;
    }
};

struct TRecord {
    QList<QPair<qint64, qint64>> Reports;

    TProgressRelay::TDeliver Handler()
    {
        return [this](qint64 Total, qint64 Readed) { Reports.append({Total, Readed}); };
    }
};

// A window thread too busy to look at its queue while a worker reports a
// hundred thousand times: one notification waits, and it carries the last
// figures.
TEST(ProgressRelay, BusyReceiverGetsOneNotificationWithTheLatestFigures)
{
    TRecord record;
    TProgressRelay relay(record.Handler());
    TQueued queued;
    relay.installEventFilter(&queued);
    std::thread worker([&relay] {
        for (qint64 i = 1; i <= 100000; ++i)
            relay.Post(500000, i * 5);
    });
    worker.join();
    WaitUntil([] { return false; }, 100);
    EXPECT_EQ(queued.Count, 1);
    ASSERT_EQ(record.Reports.size(), 1);
    EXPECT_EQ(record.Reports[0], qMakePair(qint64(500000), qint64(500000)));
    relay.Flush();
    EXPECT_EQ(record.Reports.size(), 1) << "figures already delivered came again";
}

// A worker that reports without pause for a while: deliveries keep to the
// interval, only grow, and Flush hands over what the interval held back.
TEST(ProgressRelay, DeliveriesKeepToTheIntervalAndFlushGivesTheLast)
{
    TRecord record;
    TProgressRelay relay(record.Handler());
    std::atomic<bool> done{false};
    std::atomic<qint64> last{0};
    QElapsedTimer clock;
    clock.start();
    std::thread worker([&] {
        QElapsedTimer running;
        running.start();
        for (qint64 readed = 1; running.elapsed() < 600; ++readed) {
            relay.Post(0, readed);
            last = readed;
            if (readed % 64 == 0)
                QThread::usleep(50);
        }
        done = true;
    });
    WaitUntil([&] { return done.load(); }, 5000);
    worker.join();
    const double seconds = clock.elapsed() / 1000.0;
    EXPECT_GE(record.Reports.size(), 2);
    EXPECT_LE(record.Reports.size(), seconds * 20 + 2) << seconds << " s";
    relay.Flush();
    ASSERT_FALSE(record.Reports.isEmpty());
    EXPECT_EQ(record.Reports.last().second, last.load());
    qint64 previous = 0;
    for (const auto& [total, readed] : record.Reports) {
        EXPECT_EQ(total, 0);
        EXPECT_GT(readed, previous);
        previous = readed;
    }
    // Nothing new: nothing more, now or when a held-back notification fires.
    const qsizetype count = record.Reports.size();
    relay.Flush();
    WaitUntil([] { return false; }, 120);
    EXPECT_EQ(record.Reports.size(), count);
}

}  // namespace
