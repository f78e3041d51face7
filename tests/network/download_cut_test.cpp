#include <QElapsedTimer>

#include <cstdio>
#include <vector>

#include "download_fixture.h"

namespace {

using namespace lirabo::test;

constexpr int kBodySize = 10240;
constexpr int kSlots = 16;

class DownloadCut : public TDownloadTest {};

// The connection ends after every possible number of body bytes; only the
// whole body may replace the file, and no cut may leave anything behind.
// Sixteen downloads run at once to keep the sweep short.
TEST_F(DownloadCut, EveryCutOfTheBodyKeepsTheOldFile)
{
    QByteArray body(kBodySize, '\0');
    for (int i = 0; i < kBodySize; ++i)
        body[i] = static_cast<char>((i * 7919 + 13) >> 3);
    FServer.SetHandler([&body](const QByteArray& Request) {
        const int cut = TDownloadTestServer::Target(Request).mid(5).toInt();  // "/cut/N"
        return TTestReply::Http(200, body.left(cut), true, kBodySize);
    });

    struct TSlot {
        QString Folder;
        std::unique_ptr<TFileDownload> Download;
        int Cut = -1;
        bool Ended = false;
        bool Done = false;
        qint64 Size = -1;
    };
    std::vector<TSlot> lanes(kSlots);
    for (int i = 0; i < kSlots; ++i) {
        lanes[i].Folder = Path(QString::number(i));
        ASSERT_TRUE(QDir().mkpath(lanes[i].Folder));
        WriteFile(lanes[i].Folder + "/x.ldi", "old " + QByteArray::number(i));
    }

    QStringList mismatches;
    int next = 0;
    int checked = 0;
    const auto Check = [&](TSlot& Slot, int Index) {
        const QString at = QStringLiteral("cut %1: ").arg(Slot.Cut);
        const QByteArray content = ReadFile(Slot.Folder + "/x.ldi");
        if (Entries(Slot.Folder) != QStringList{"x.ldi"})
            mismatches << at + "folder holds " + Entries(Slot.Folder).join(',');
        if (Slot.Cut == kBodySize) {
            if (!Slot.Done || Slot.Size != kBodySize || content != body)
                mismatches << at + "the whole body was not installed";
            WriteFile(Slot.Folder + "/x.ldi", "old " + QByteArray::number(Index));
        } else {
            if (Slot.Done || Slot.Download->LastFailure() != TDownloadFailure::Short)
                mismatches << at + "ended as " + QString::number(int(Slot.Download->LastFailure()));
            if (content != "old " + QByteArray::number(Index))
                mismatches << at + "the old file changed";
        }
        ++checked;
    };
    const auto Start = [&](TSlot& Slot) {
        Slot.Download = std::make_unique<TFileDownload>();
        TFileDownload& download = *Slot.Download;
        download.URL = FServer.Url("/cut/" + QString::number(next));
        download.FileName = Slot.Folder + "/x.ldi";
        download.StallSeconds = 5;
        Slot.Cut = next++;
        Slot.Ended = false;
        Slot.Done = false;
        download.OnDoneFile = [&Slot](QObject*, const QString&, qint64 Size) {
            Slot.Ended = Slot.Done = true;
            Slot.Size = Size;
        };
        download.OnError = [&Slot](QObject*) { Slot.Ended = true; };
        download.StartDownload();
    };

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kSlots; ++i)
        Start(lanes[i]);
    int running = kSlots;
    while (running > 0) {
        ASSERT_TRUE(WaitUntil(
            [&] {
                for (const TSlot& slot : lanes)
                    if (slot.Download && slot.Ended)
                        return true;
                return false;
            },
            30000))
            << "a download did not end";
        for (int i = 0; i < kSlots; ++i) {
            TSlot& slot = lanes[i];
            if (!slot.Download || !slot.Ended)
                continue;
            Check(slot, i);
            slot.Download.reset();
            --running;
            if (next <= kBodySize) {
                Start(slot);
                ++running;
            }
        }
    }
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("[ cut sweep ] %d cases in %.1f s\n", checked, seconds);
    RecordProperty("cases", checked);
    EXPECT_EQ(checked, kBodySize + 1);
    EXPECT_TRUE(mismatches.isEmpty())
        << mismatches.size() << " faults, first: " << mismatches.mid(0, 5).join("; ").toStdString();
}

}  // namespace
