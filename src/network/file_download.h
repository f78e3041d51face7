#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

namespace lirabo::network {

class TCurlLibrary;
class THTTPGetThread;

// Why a download ended in OnError.
enum class TDownloadFailure {
    None,        // no failure (yet)
    Stopped,     // StopDownload, or the component was destroyed
    Address,     // not an http:// or https:// address, or no host
    Connection,  // no connection, no reply, a broken transfer, too many redirects
    Status,      // the server answered with a status other than 2xx
    Empty,       // the reply had no body
    Short,       // fewer bytes than Content-Length announced
    TooLarge,    // more than MaxBodySize bytes (or more than announced)
    Stalled,     // no data for StallSeconds
    File,        // the temporary file could not be written or renamed into place
    Refused,     // CheckFile refused the downloaded file
    Setup,       // libcurl refused a setting the transfer depends on (such as the
                 // restriction to HTTP and HTTPS); nothing was sent
};

// One file fetched over HTTP or HTTPS on a worker thread and stored at
// FileName. The body goes to a temporary file beside FileName that is renamed
// into place only when it is complete and CheckFile accepts it, so a failed,
// short or stopped download never touches an existing file and leaves
// nothing behind.
//
// Every public member and event is used on the thread that made the
// component (the main thread). Progress and the end reach it as queued
// calls; the worker never waits for them.
class TFileDownload : public QObject {
    Q_OBJECT

public:
    using TOnProgressEvent = std::function<void(QObject* Sender, qint64 TotalSize, qint64 Readed)>;
    using TOnDoneFileEvent = std::function<void(QObject* Sender, const QString& FileName, qint64 FileSize)>;
    using TNotifyEvent = std::function<void(QObject* Sender)>;
    // Runs on the worker thread with the path of the complete temporary file;
    // false refuses it (nothing is installed, OnError fires).
    using TCheckFile = std::function<bool(const std::string& Path)>;

    explicit TFileDownload(QObject* Owner = nullptr);
    // Stops a running worker; the worker then ends on its own and reports to
    // nobody.
    ~TFileDownload() override;

    // --- settings, copied by the worker when it starts --------------------
    QString AcceptTypes = QStringLiteral("*/*");
    QString Agent = QStringLiteral("Lirabo/3");  // empty: no User-Agent header
    // When true, a reply without Content-Length is a failure.
    bool BinaryData = false;
    QString URL;
    // When false the request asks every cache on the way for a fresh copy.
    bool UseCache = false;
    QString FileName;
    QString UserName;
    QString Password;
    // Not empty: the request is a POST with this form data as its body.
    QString PostQuery;
    QString Referer;
    // When true, StartDownload returns only after the worker has ended
    // (running the caller's event loop meanwhile).
    bool WaitThread = false;
    TCheckFile CheckFile;

    // Limits of a download; tests lower them.
    qint64 MaxBodySize = qint64(1) << 30;
    int StallSeconds = 30;
    int MaxRedirects = 5;
    // The libcurl functions the worker calls; null: the system's, loaded
    // when first needed. Tests hand in a copy with a function that
    // misbehaves; it must outlive the download.
    const TCurlLibrary* Library = nullptr;

    // --- events --------------------------------------------------------
    // The announced size (0 when the server announced none) and the bytes
    // received so far: at most about twenty times a second while the body
    // arrives, and once more with the final count before OnDoneFile or
    // OnError if that count has not been reported yet. Bytes that arrive
    // between two reports are counted in the next, so the count may jump;
    // it only grows.
    TOnProgressEvent OnProgress;
    // The file is complete and in place; FileSize is its size in bytes.
    TOnDoneFileEvent OnDoneFile;
    // The download failed or was stopped; LastFailure() says why.
    TNotifyEvent OnError;

    // Does nothing while a worker runs.
    void StartDownload();
    // Asks a running worker to stop; it then ends as failed (Stopped).
    void StopDownload();
    bool Running() const { return FWorker != nullptr; }
    TDownloadFailure LastFailure() const { return FLastFailure; }
    // The HTTP status of the last reply, 0 when none arrived.
    int LastStatus() const { return FLastStatus; }

    // Workers that have not yet ended, across all components; tests wait for
    // this to reach 0 before they end.
    static int LiveWorkers();

private:
    friend class THTTPGetThread;
    // On the main thread, once per worker, after the worker has ended.
    void WorkerFinished(THTTPGetThread* Worker);
    // On the main thread.
    void ReportProgress(THTTPGetThread* Worker, qint64 TotalSize, qint64 Readed);

    THTTPGetThread* FWorker = nullptr;
    TDownloadFailure FLastFailure = TDownloadFailure::None;
    int FLastStatus = 0;
};

}  // namespace lirabo::network
