#include "network/file_download.h"

#include <QEventLoop>
#include <QNetworkProxyFactory>
#include <QNetworkProxyQuery>
#include <QUrl>

#include "network/http_get_thread.h"

namespace lirabo::network {

namespace {

struct TProxy {
    std::string Address;
    std::string User;
    std::string Password;
};

// The desktop's HTTP proxy for Url; nothing leaves curl to its own reading
// of the environment. Asked here because Qt's proxy lookup belongs to the
// main thread.
TProxy SystemProxy(const QString& Url)
{
    const QList<QNetworkProxy> proxies =
        QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(QUrl(Url)));
    if (proxies.isEmpty())
        return {};
    const QNetworkProxy& proxy = proxies.first();
    if (proxy.type() != QNetworkProxy::HttpProxy || proxy.hostName().isEmpty())
        return {};
    QString host = proxy.hostName();
    if (host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('[')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    TProxy result;
    result.Address = QStringLiteral("http://%1:%2").arg(host).arg(proxy.port()).toStdString();
    result.User = proxy.user().toStdString();
    result.Password = proxy.password().toStdString();
    return result;
}

}  // namespace

TFileDownload::TFileDownload(QObject* Owner) : QObject(Owner) {}

TFileDownload::~TFileDownload()
{
    // The worker must not wait for a main thread that is gone from here; it
    // winds down alone and deletes itself.
    if (FWorker) {
        FWorker->Stop();
        FWorker->Detach();
        FWorker = nullptr;
    }
}

void TFileDownload::StartDownload()
{
    if (FWorker)
        return;
    FLastFailure = TDownloadFailure::None;
    FLastStatus = 0;
    const TProxy proxy = SystemProxy(URL);
    auto* worker = new THTTPGetThread(this, proxy.Address, proxy.User, proxy.Password);
    FWorker = worker;
    const bool wait = WaitThread;
    QEventLoop loop;
    if (wait)
        worker->SetEndLoop(&loop);
    worker->start();
    if (!worker->isRunning() && !worker->isFinished())
        worker->StartFailed();
    // From here this component may be gone (a handler may destroy it), so
    // only locals are used.
    if (wait)
        loop.exec();
}

void TFileDownload::StopDownload()
{
    if (FWorker)
        FWorker->Stop();
}

int TFileDownload::LiveWorkers()
{
    return THTTPGetThread::Live();
}

void TFileDownload::WorkerFinished(THTTPGetThread* Worker)
{
    if (Worker != FWorker)
        return;
    FWorker = nullptr;
    FLastFailure = Worker->Failure();
    FLastStatus = Worker->Status();
    if (FLastFailure == TDownloadFailure::None) {
        const TOnDoneFileEvent handler = OnDoneFile;
        const QString fileName = Worker->FileName();
        const qint64 size = Worker->Size();
        if (handler)
            handler(this, fileName, size);
    } else {
        const TNotifyEvent handler = OnError;
        if (handler)
            handler(this);
    }
}

void TFileDownload::ReportProgress(THTTPGetThread* Worker, qint64 TotalSize, qint64 Readed)
{
    if (Worker != FWorker || Worker->StopRequested())
        return;
    const TOnProgressEvent handler = OnProgress;
    if (handler)
        handler(this, TotalSize, Readed);
}

}  // namespace lirabo::network
