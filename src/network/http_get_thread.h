#pragma once

#include <curl/curl.h>
#include <QEventLoop>
#include <QPointer>
#include <QString>
#include <QThread>

#include <atomic>
#include <chrono>
#include <string>

#include "network/file_download.h"
#include "network/part_file.h"
#include "network/progress_relay.h"

namespace lirabo::network {

class TCurlLibrary;

// The worker of one TFileDownload: one libcurl transfer into a temporary
// file beside the target, renamed into place when complete and accepted.
// It copies every setting when made, so the component may change or lose
// them meanwhile. The object lives on the main thread and deletes itself
// once the thread has ended and its end has been reported.
class THTTPGetThread : public QThread {
    Q_OBJECT

public:
    // Main thread. Proxy is "http://host:port" or empty (curl's own choice).
    THTTPGetThread(TFileDownload* Owner, const std::string& Proxy, const std::string& ProxyUser,
                   const std::string& ProxyPassword);
    ~THTTPGetThread() override;

    // --- main thread --------------------------------------------------
    // The worker ends as failed (Stopped) unless it has begun to put its
    // file in place.
    void Stop();
    // Its end and progress then reach nobody.
    void Detach() { FOwner = nullptr; }
    // Quit once the end has been reported.
    void SetEndLoop(QEventLoop* Loop) { FEndLoop = Loop; }
    // Reports the end although the thread never ran.
    void StartFailed();

    bool StopRequested() const { return FStopRequested.load(); }
    // Valid once the thread has ended.
    TDownloadFailure Failure() const;
    int Status() const { return FStatus; }
    qint64 Size() const { return FReceived; }
    const QString& FileName() const { return FFileName; }

    static int Live() { return FLive.load(); }

protected:
    void run() override;

private:
    static size_t WriteBody(char* Data, size_t Size, size_t Count, void* Self);
    static size_t WriteHeader(char* Data, size_t Size, size_t Count, void* Self);
    static int Xfer(void* Self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    const TCurlLibrary& Curl() const { return *FLibrary; }
    void Transfer();
    bool Receive(const char* Data, size_t Length);
    bool Header(std::string_view Line);
    void Install();
    // Main thread.
    void DeliverProgress(qint64 Total, qint64 Readed);
    void Ended();

    // Settings, copied on the main thread before the thread starts.
    std::string FUrl;
    std::string FAgent;
    std::string FReferer;
    std::string FAccept;
    std::string FUserName;
    std::string FPassword;
    std::string FPostQuery;
    std::string FProxy;
    std::string FProxyUser;
    std::string FProxyPassword;
    QString FFileName;
    bool FUseCache = false;
    bool FBinaryData = false;
    bool FWantProgress = false;
    qint64 FMaxBodySize = 0;
    int FStallSeconds = 30;
    int FMaxRedirects = 5;
    TFileDownload::TCheckFile FCheckFile;
    const TCurlLibrary* FLibrary = nullptr;  // the system's unless the owner names one

    // Main thread only.
    TFileDownload* FOwner = nullptr;
    QPointer<QEventLoop> FEndLoop;
    // A progress handler may run an event loop in which the end arrives;
    // the end then waits until the handler has returned.
    bool FInProgressHandler = false;
    bool FEndDeferred = false;

    // Filled by the worker, emptied on the main thread.
    TProgressRelay FProgress;

    // Shared: the stop request, and whether a stop or the installing of the
    // file came first; whichever did decides the outcome.
    static constexpr int kRunning = 0;
    static constexpr int kStopped = 1;
    static constexpr int kInstalling = 2;
    std::atomic<bool> FStopRequested{false};
    std::atomic<int> FOutcome{kRunning};

    // Worker thread until it ends, read-only afterwards.
    CURL* FCurl = nullptr;
    TPartFile FPart;
    qint64 FReceived = 0;
    qint64 FContentLength = -1;
    bool FContentLengthBad = false;
    bool FChunked = false;
    bool FAtStatusLine = true;
    bool FStallNoticed = false;
    std::chrono::steady_clock::time_point FLastBody;
    size_t FHeaderBytes = 0;
    TDownloadFailure FFailure = TDownloadFailure::None;
    int FStatus = 0;

    static std::atomic<int> FLive;
};

}  // namespace lirabo::network
