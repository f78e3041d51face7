// How long a large dictionary takes to arrive from a loopback server through
// TFileDownload, start to installed file, while each progress report updates
// a shown bar and label the way the download dialog does. The server is the
// download tests' own and runs on the window thread too, so a worker that
// keeps that thread busy slows its own transfer. Target: under 2 s for
// 39 MiB. Runs without a display (offscreen) unless QT_QPA_PLATFORM says
// otherwise.
//
//   download_bench [MIB [RUNS]]   (39 and 5 by default)

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "download_test_server.h"
#include "network/file_download.h"
#include "wait_until.h"

namespace {

using lirabo::network::TDownloadFailure;
using lirabo::network::TFileDownload;
using lirabo::test::TDownloadTestServer;
using lirabo::test::TTestReply;

struct TRun {
    bool Ok = false;
    double Seconds = 0;
    int Reports = 0;
};

// What the dialog shows while a file arrives.
struct TProgressView {
    QWidget Window;
    QProgressBar* Bar = new QProgressBar(&Window);
    QLabel* Label = new QLabel(&Window);

    TProgressView()
    {
        auto* layout = new QVBoxLayout(&Window);
        layout->addWidget(Bar);
        layout->addWidget(Label);
        Window.resize(400, 120);
        Window.show();
    }

    void Show(qint64 Total, qint64 Readed)
    {
        Bar->setRange(0, int(Total / 1024));
        Bar->setValue(int(Readed / 1024));
        Label->setText(QStringLiteral("Downloaded %1 kB of %2 kB").arg(Readed / 1024).arg(Total / 1024));
    }
};

TRun Fetch(TDownloadTestServer& Server, TProgressView& View, const QString& Target, qint64 Size)
{
    TRun run;
    TFileDownload download;
    download.URL = Server.Url(QStringLiteral("/large.ldi"));
    download.FileName = Target;
    download.MaxBodySize = Size;
    bool ended = false;
    qint64 installed = -1;
    download.OnProgress = [&run, &View](QObject*, qint64 Total, qint64 Readed) {
        ++run.Reports;
        View.Show(Total, Readed);
    };
    download.OnDoneFile = [&](QObject*, const QString&, qint64 FileSize) {
        ended = true;
        installed = FileSize;
    };
    download.OnError = [&](QObject*) { ended = true; };
    QElapsedTimer clock;
    clock.start();
    download.StartDownload();
    lirabo::test::WaitUntil([&] { return ended; }, 600000);
    run.Seconds = double(clock.nsecsElapsed()) / 1e9;
    run.Ok = installed == Size && QFileInfo(Target).size() == Size &&
             download.LastFailure() == TDownloadFailure::None;
    lirabo::test::WaitUntil([] { return TFileDownload::LiveWorkers() == 0; }, 60000);
    return run;
}

// The offscreen platform warns about every resize it cannot pass on; only
// real trouble is worth printing beside the figures.
void QuietMessages(QtMsgType Type, const QMessageLogContext&, const QString& Message)
{
    if (Type == QtCriticalMsg || Type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(Message));
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    const int mib = argc > 1 ? std::max(1, std::atoi(argv[1])) : 39;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const qint64 size = qint64(mib) << 20;

    QByteArray body(size, '\0');
    for (qint64 i = 0; i < size; ++i)
        body[i] = static_cast<char>((i * 131 + i / 4093) & 0xFF);
    TProgressView view;
    TDownloadTestServer server;
    server.SetReply(TTestReply::Ok(body));
    QTemporaryDir folder;
    const QString target = QDir(folder.path()).filePath(QStringLiteral("large.ldi"));

    std::vector<double> seconds;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        const TRun run = Fetch(server, view, target, size);
        std::printf("run %d: %.3f s, %d progress reports%s\n", i + 1, run.Seconds, run.Reports,
                    run.Ok ? "" : " (FAILED)");
        ok = ok && run.Ok;
        seconds.push_back(run.Seconds);
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("%d MiB from loopback: median %.3f s, best %.3f s (%.0f MiB/s; target < 2 s)\n", mib, median,
                seconds.front(), mib / median);
    ok = ok && median < 2.0;
    std::printf("%s\n", ok ? "within target" : "OVER TARGET");
    return ok ? 0 : 1;
}
