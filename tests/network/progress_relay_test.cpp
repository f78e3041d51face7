#include <gtest/gtest.h>

#include <QEvent>
#include <QList>
#include <QPair>

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

// A window thread too busy to look at its queue while a worker reports a
// hundred thousand times: one notification waits, and it carries the last
// figures.
TEST(ProgressRelay, BusyReceiverGetsOneNotificationWithTheLatestFigures)
{
    QList<QPair<qint64, qint64>> reports;
    TProgressRelay relay([&reports](qint64 Total, qint64 Readed) { reports.append({Total, Readed}); });
    TQueued queued;
    relay.installEventFilter(&queued);
    std::thread worker([&relay] {
        for (qint64 i = 1; i <= 100000; ++i)
            relay.Post(500000, i * 5);
    });
    worker.join();
    WaitUntil([] { return false; }, 100);
    EXPECT_EQ(queued.Count, 1);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0], qMakePair(qint64(500000), qint64(500000)));
    relay.Flush();
    EXPECT_EQ(reports.size(), 1) << "figures already delivered came again";
}

}  // namespace
