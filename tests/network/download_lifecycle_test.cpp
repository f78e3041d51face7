#include <QThread>
#include <QTimer>

#include "download_fixture.h"

namespace {

using namespace lirabo::test;

class DownloadLifecycle : public TDownloadTest {
protected:
    // A body of 20 pieces of 1000 bytes, 50 ms apart: long enough to act
    // on a download in the middle.
    static TTestReply SlowBody()
    {
        TTestReply reply = TTestReply::Http(200, "", true, 20000);
        for (int i = 0; i < 20; ++i)
            reply.Pieces.append(QByteArray(1000, 'b'));
        reply.PauseMs = 50;
        return reply;
    }

    void ExpectNothingLeft()
    {
        EXPECT_EQ(ReadFile(Path("x.ldi")), "old");
        EXPECT_EQ(Entries(FDir.path()), QStringList{"x.ldi"});
    }
};

TEST_F(DownloadLifecycle, StartWhileRunningDoesNothing)
{
    WriteFile(Path("x.ldi"), "old");
    FServer.SetReply(SlowBody());
    TFileDownload download;
    Prepare(download, "/x.ldi");
    const auto events = Record(download);
    download.StartDownload();
    EXPECT_TRUE(download.Running());
    download.StartDownload();
    download.URL = FServer.Url("/other.ldi");
    download.StartDownload();
    ASSERT_TRUE(WaitUntil([&] { return events->Ends() > 0; }));
    EXPECT_EQ(events->Done, 1);
    EXPECT_EQ(events->FileSize, 20000);
    EXPECT_EQ(FServer.Connections(), 1);
    ASSERT_TRUE(WaitUntil([] { return TFileDownload::LiveWorkers() == 0; }));
    EXPECT_EQ(events->Ends(), 1);

    // Once ended, the same component starts anew with its new settings.
    FServer.SetReply(TTestReply::Ok("second"));
    const auto again = Run(download);
    EXPECT_EQ(again->Done, 1);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "second");
    EXPECT_EQ(TDownloadTestServer::Target(FServer.Requests().last()), "/other.ldi");
}

TEST_F(DownloadLifecycle, StopEndsInStoppedAndLeavesNothing)
{
    WriteFile(Path("x.ldi"), "old");
    FServer.SetReply(SlowBody());
    TFileDownload download;
    Prepare(download, "/x.ldi");
    int progressAfterStop = 0;
    bool stopped = false;
    const auto events = Record(download);
    download.OnProgress = [&](QObject* Sender, qint64, qint64 Readed) {
        EXPECT_EQ(Sender, &download);
        if (stopped)
            ++progressAfterStop;
        if (Readed >= 3000 && !stopped) {
            stopped = true;
            download.StopDownload();
        }
    };
    download.StartDownload();
    ASSERT_TRUE(WaitUntil([&] { return events->Ends() > 0; }));
    EXPECT_EQ(events->Errors, 1);
    EXPECT_EQ(download.LastFailure(), TDownloadFailure::Stopped);
    EXPECT_EQ(progressAfterStop, 0);
    ExpectNothingLeft();

    // Stopped before any byte arrived.
    TFileDownload early;
    Prepare(early, "/x.ldi");
    const auto earlyEvents = Record(early);
    early.StartDownload();
    early.StopDownload();
    ASSERT_TRUE(WaitUntil([&] { return earlyEvents->Ends() > 0; }));
    EXPECT_EQ(earlyEvents->Errors, 1);
    EXPECT_EQ(early.LastFailure(), TDownloadFailure::Stopped);
    ExpectNothingLeft();
}

TEST_F(DownloadLifecycle, HandlersMayDestroyTheComponent)
{
    WriteFile(Path("x.ldi"), "old");
    int ends = 0;

    FServer.SetReply(TTestReply::Ok("done"));
    auto* done = new TFileDownload;
    Prepare(*done, "/x.ldi");
    done->OnDoneFile = [&ends, done](QObject* Sender, const QString&, qint64 Size) {
        EXPECT_EQ(Sender, done);
        EXPECT_EQ(Size, 4);
        ++ends;
        delete done;
    };
    done->StartDownload();
    ASSERT_TRUE(WaitUntil([&] { return ends == 1; }));
    EXPECT_EQ(ReadFile(Path("x.ldi")), "done");

    FServer.SetReply(TTestReply::Http(404, "gone"));
    auto* failed = new TFileDownload;
    Prepare(*failed, "/x.ldi");
    failed->OnError = [&ends, failed](QObject*) {
        EXPECT_EQ(failed->LastFailure(), TDownloadFailure::Status);
        ++ends;
        delete failed;
    };
    failed->StartDownload();
    ASSERT_TRUE(WaitUntil([&] { return ends == 2; }));

    FServer.SetReply(SlowBody());
    auto* progress = new TFileDownload;
    Prepare(*progress, "/x.ldi");
    progress->OnProgress = [&ends, progress](QObject*, qint64, qint64) {
        ++ends;
        delete progress;
    };
    progress->OnError = [&ends](QObject*) { ends += 100; };
    progress->StartDownload();
    ASSERT_TRUE(WaitUntil([&] { return ends >= 3 && TFileDownload::LiveWorkers() == 0; }));
    QThread::msleep(100);
    WaitUntil([] { return false; }, 200);
    EXPECT_EQ(ends, 3);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "done");
    EXPECT_EQ(Entries(FDir.path()), QStringList{"x.ldi"});
}

TEST_F(DownloadLifecycle, DestroyedWhileRunningReportsToNobody)
{
    WriteFile(Path("x.ldi"), "old");
    int events = 0;
    auto Watch = [&events](TFileDownload& Download) {
        Download.OnDoneFile = [&events](QObject*, const QString&, qint64) { ++events; };
        Download.OnError = [&events](QObject*) { ++events; };
        Download.OnProgress = [&events](QObject*, qint64, qint64) { ++events; };
    };

    // Before the headers: the server says nothing.
    TTestReply silent;
    silent.KeepOpen = true;
    FServer.SetReply(silent);
    auto* beforeHeaders = new TFileDownload;
    Prepare(*beforeHeaders, "/x.ldi");
    Watch(*beforeHeaders);
    beforeHeaders->StartDownload();
    ASSERT_TRUE(WaitUntil([&] { return FServer.Requests().size() == 1; }));
    delete beforeHeaders;
    ASSERT_TRUE(WaitUntil([] { return TFileDownload::LiveWorkers() == 0; }));
    EXPECT_EQ(events, 0);

    // In the middle of the body, without progress events.
    FServer.SetReply(SlowBody());
    auto* midBody = new TFileDownload;
    Prepare(*midBody, "/x.ldi");
    midBody->OnDoneFile = [&events](QObject*, const QString&, qint64) { ++events; };
    midBody->OnError = [&events](QObject*) { ++events; };
    midBody->StartDownload();
    WaitUntil([] { return false; }, 300);
    delete midBody;
    ASSERT_TRUE(WaitUntil([] { return TFileDownload::LiveWorkers() == 0; }));
    EXPECT_EQ(events, 0);

    // While a progress call is queued: the main thread is busy when the
    // call is made and destroys the component before handling it.
    FServer.SetReply(SlowBody());
    auto* pending = new TFileDownload;
    Prepare(*pending, "/x.ldi");
    Watch(*pending);
    pending->StartDownload();
    ASSERT_TRUE(WaitUntil([&] { return FServer.Requests().size() == 3; }));
    QThread::msleep(300);
    delete pending;
    ASSERT_TRUE(WaitUntil([] { return TFileDownload::LiveWorkers() == 0; }));

    // Nothing arrives late either.
    WaitUntil([] { return false; }, 300);
    EXPECT_EQ(events, 0);
    ExpectNothingLeft();
}

// Progress no longer holds the worker back, so it can end while a progress
// handler runs an event loop; its end is reported once the handler has
// returned, and the worker is not deleted under the handler.
TEST_F(DownloadLifecycle, EndWaitsForAProgressHandlerThatRunsAnEventLoop)
{
    FServer.SetReply(TTestReply::Ok("done"));
    TFileDownload download;
    Prepare(download, "/x.ldi");
    const auto events = Record(download);
    bool inHandler = false;
    bool endedInHandler = false;
    int reports = 0;
    download.OnProgress = [&](QObject*, qint64, qint64 Readed) {
        ++reports;
        EXPECT_EQ(Readed, 4);
        inHandler = true;
        WaitUntil([] { return TFileDownload::LiveWorkers() == 0; }, 300);
        inHandler = false;
    };
    download.OnDoneFile = [&, done = download.OnDoneFile](QObject* Sender, const QString& Name, qint64 Size) {
        endedInHandler = inHandler;
        done(Sender, Name, Size);
    };
    download.StartDownload();
    ASSERT_TRUE(WaitUntil([&] { return events->Ends() > 0; }));
    EXPECT_EQ(events->Done, 1);
    EXPECT_FALSE(endedInHandler);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "done");
}

TEST_F(DownloadLifecycle, WaitThreadReturnsAfterTheEnd)
{
    WriteFile(Path("x.ldi"), "old");
    FServer.SetReply(SlowBody());
    TFileDownload download;
    Prepare(download, "/x.ldi");
    download.WaitThread = true;
    const auto events = Record(download, true);
    download.StartDownload();
    EXPECT_EQ(events->Done, 1);
    EXPECT_EQ(events->FileSize, 20000);
    EXPECT_FALSE(download.Running());
    EXPECT_EQ(ReadFile(Path("x.ldi")), QByteArray(20000, 'b'));
    EXPECT_FALSE(events->Progress.isEmpty());

    // The component may go while it is being waited for.
    FServer.SetReply(TTestReply::Http(500, "error"));
    auto* doomed = new TFileDownload;
    Prepare(*doomed, "/x.ldi");
    doomed->WaitThread = true;
    int errors = 0;
    doomed->OnError = [&errors, doomed](QObject*) {
        ++errors;
        delete doomed;
    };
    doomed->StartDownload();
    EXPECT_EQ(errors, 1);
}

}  // namespace
