#include "network/http_get_thread.h"

#include "network/curl_library.h"
#include "network/curl_options.h"

#include <QEventLoop>

#include <algorithm>
#include <chrono>
#include <string_view>
#include <utility>

namespace lirabo::network {

std::atomic<int> THTTPGetThread::FLive{0};

namespace {

// What curl hands over at a time, and so what is written at a time: large
// enough that a fast transfer costs few calls, small enough to be no
// burden on memory.
constexpr long kBufferBytes = 128 * 1024;
// Headers are not the body, but an endless stream of them must end too.
constexpr size_t kMaxHeaderBytes = 256 * 1024;
constexpr long kConnectSeconds = 30;

// A line break in a value would start a header of its own, and a NUL would
// cut the value short.
std::string HeaderValue(const QString& Text)
{
    std::string value = Text.toStdString();
    std::erase_if(value, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    return value;
}

char Lower(char C)
{
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

bool StartsWithNoCase(std::string_view Text, std::string_view Prefix)
{
    if (Text.size() < Prefix.size())
        return false;
    for (size_t i = 0; i < Prefix.size(); ++i)
        if (Lower(Text[i]) != Prefix[i])
            return false;
    return true;
}

std::string_view Trimmed(std::string_view Text)
{
    while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t'))
        Text.remove_prefix(1);
    while (!Text.empty() &&
           (Text.back() == ' ' || Text.back() == '\t' || Text.back() == '\r' || Text.back() == '\n'))
        Text.remove_suffix(1);
    return Text;
}

// Digits only, and few enough not to overflow; -1 otherwise.
qint64 ParseLength(std::string_view Text)
{
    if (Text.empty() || Text.size() > 18)
        return -1;
    qint64 value = 0;
    for (char c : Text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// http:// or https:// with a host, by curl's own reading of the address, so
// that what is checked is what is fetched. A NUL or line break would make
// curl read a different address than the one given.
bool IsHttpAddress(const TCurlLibrary& Curl, const std::string& Url)
{
    if (std::any_of(Url.begin(), Url.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F; }))
        return false;
    CURLU* parsed = Curl.url();
    if (!parsed)
        return false;
    bool ok = false;
    if (Curl.url_set(parsed, CURLUPART_URL, Url.c_str(), 0) == CURLUE_OK) {
        char* scheme = nullptr;
        char* host = nullptr;
        if (Curl.url_get(parsed, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
            Curl.url_get(parsed, CURLUPART_HOST, &host, 0) == CURLUE_OK) {
            const std::string_view name(scheme);
            ok = (name == "http" || name == "https") && host[0] != '\0';
        }
        Curl.free(scheme);
        Curl.free(host);
    }
    Curl.url_cleanup(parsed);
    return ok;
}

}  // namespace

THTTPGetThread::THTTPGetThread(TFileDownload* Owner, const std::string& Proxy, const std::string& ProxyUser,
                               const std::string& ProxyPassword)
    : FUrl(Owner->URL.toStdString()),
      FAgent(HeaderValue(Owner->Agent)),
      FReferer(HeaderValue(Owner->Referer)),
      FAccept(HeaderValue(Owner->AcceptTypes)),
      FUserName(Owner->UserName.toStdString()),
      FPassword(Owner->Password.toStdString()),
      FPostQuery(Owner->PostQuery.toStdString()),
      FProxy(Proxy),
      FProxyUser(ProxyUser),
      FProxyPassword(ProxyPassword),
      FFileName(Owner->FileName),
      FUseCache(Owner->UseCache),
      FBinaryData(Owner->BinaryData),
      FWantProgress(static_cast<bool>(Owner->OnProgress)),
      FMaxBodySize(std::max<qint64>(0, Owner->MaxBodySize)),
      FStallSeconds(std::max(1, Owner->StallSeconds)),
      FMaxRedirects(std::max(0, Owner->MaxRedirects)),
      FCheckFile(Owner->CheckFile),
      FLibrary(Owner->Library),
      FOwner(Owner),
      FProgress([this](qint64 Total, qint64 Readed) { DeliverProgress(Total, Readed); })
{
    ++FLive;
    connect(this, &QThread::finished, this, &THTTPGetThread::Ended);
}

THTTPGetThread::~THTTPGetThread()
{
    --FLive;
}

void THTTPGetThread::Stop()
{
    FStopRequested = true;
    int running = kRunning;
    FOutcome.compare_exchange_strong(running, kStopped);
}

void THTTPGetThread::StartFailed()
{
    FFailure = TDownloadFailure::Connection;
    QMetaObject::invokeMethod(this, &THTTPGetThread::Ended, Qt::QueuedConnection);
}

TDownloadFailure THTTPGetThread::Failure() const
{
    return FOutcome.load() == kStopped ? TDownloadFailure::Stopped : FFailure;
}

void THTTPGetThread::run()
{
    const TCurlLibrary* system = TCurlLibrary::Get();
    if (!system) {
        FFailure = TDownloadFailure::Connection;
        return;
    }
    if (!FLibrary)
        FLibrary = system;
    if (!IsHttpAddress(Curl(), FUrl)) {
        FFailure = TDownloadFailure::Address;
        return;
    }
    FCurl = Curl().easy_init();
    if (!FCurl) {
        FFailure = TDownloadFailure::Connection;
        return;
    }
    Transfer();
    Curl().easy_cleanup(FCurl);
    FCurl = nullptr;
    if (FFailure == TDownloadFailure::None)
        Install();
    FPart.Discard();
}

void THTTPGetThread::Transfer()
{
    CURL* curl = FCurl;
    // Every option here decides what is fetched, from where, how it is
    // bounded or where its body goes; a transfer with any of them missing
    // is not the one asked for, so it does not run.
    TCurlOptions options(Curl(), curl);
    options.Require(CURLOPT_URL, FUrl.c_str());
    options.Require(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    options.Require(CURLOPT_PROTOCOLS_STR, "http,https");
    options.Require(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    options.Require(CURLOPT_FOLLOWLOCATION, 1L);
    options.Require(CURLOPT_MAXREDIRS, static_cast<long>(FMaxRedirects));
    options.Require(CURLOPT_NOSIGNAL, 1L);
    options.Require(CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    // Below one byte a second for the stall time, including the wait for the
    // headers and a server that sends nothing at all.
    options.Require(CURLOPT_LOW_SPEED_LIMIT, 1L);
    options.Require(CURLOPT_LOW_SPEED_TIME, static_cast<long>(FStallSeconds));
    // The body is counted here against Content-Length, so that a body longer
    // than announced is seen instead of being cut silently by curl.
    options.Require(CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
    options.Offer(CURLOPT_BUFFERSIZE, kBufferBytes);
    if (!FAgent.empty())
        options.Require(CURLOPT_USERAGENT, FAgent.c_str());
    if (!FReferer.empty())
        options.Require(CURLOPT_REFERER, FReferer.c_str());
    if (!FUserName.empty())
        options.Require(CURLOPT_USERNAME, FUserName.c_str());
    if (!FPassword.empty())
        options.Require(CURLOPT_PASSWORD, FPassword.c_str());
    if (!FProxy.empty()) {
        options.Require(CURLOPT_PROXY, FProxy.c_str());
        if (!FProxyUser.empty())
            options.Require(CURLOPT_PROXYUSERNAME, FProxyUser.c_str());
        if (!FProxyPassword.empty())
            options.Require(CURLOPT_PROXYPASSWORD, FProxyPassword.c_str());
    }

    curl_slist* headers = nullptr;
    const std::string accept = "Accept: " + FAccept;
    options.Append(headers, accept.c_str());
    if (!FUseCache) {
        options.Append(headers, "Pragma: no-cache");
        options.Append(headers, "Cache-Control: no-cache");
    }
    if (!FPostQuery.empty()) {
        options.Append(headers, "Content-Type: application/x-www-form-urlencoded");
        options.Require(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(FPostQuery.size()));
        options.Require(CURLOPT_POSTFIELDS, FPostQuery.data());
    }
    options.Require(CURLOPT_HTTPHEADER, headers);

    options.Require(CURLOPT_WRITEFUNCTION, &THTTPGetThread::WriteBody);
    options.Require(CURLOPT_WRITEDATA, this);
    options.Require(CURLOPT_HEADERFUNCTION, &THTTPGetThread::WriteHeader);
    options.Require(CURLOPT_HEADERDATA, this);
    options.Require(CURLOPT_XFERINFOFUNCTION, &THTTPGetThread::Xfer);
    options.Require(CURLOPT_XFERINFODATA, this);
    options.Require(CURLOPT_NOPROGRESS, 0L);
    if (!options.Complete()) {
        Curl().slist_free_all(headers);
        FFailure = TDownloadFailure::Setup;
        return;
    }

    FLastBody = std::chrono::steady_clock::now();
    const CURLcode result = Curl().easy_perform(curl);
    Curl().slist_free_all(headers);

    long status = 0;
    Curl().easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    FStatus = static_cast<int>(status);
    if (FFailure != TDownloadFailure::None)
        return;  // a callback ended the transfer and said why
    if (result == CURLE_OK) {
        if (FStatus < 200 || FStatus > 299)
            FFailure = TDownloadFailure::Status;
        else if (FContentLength >= 0 && FReceived < FContentLength)
            FFailure = TDownloadFailure::Short;
        else if (FReceived == 0)
            FFailure = TDownloadFailure::Empty;  // an empty file is never worth installing
        else if (FContentLength < 0 && FBinaryData)
            FFailure = TDownloadFailure::Connection;  // no way to tell a whole body from a cut one
        return;
    }
    if (result == CURLE_OPERATION_TIMEDOUT || FStallNoticed) {
        curl_off_t connected = 0;
        Curl().easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connected);
        // A server that keeps the connection open after the whole announced
        // body has sent all it had, and nothing more.
        const bool whole = FContentLength > 0 && FReceived == FContentLength;
        if (!whole)
            FFailure = connected > 0 ? TDownloadFailure::Stalled : TDownloadFailure::Connection;
    } else if (FReceived > 0 && FContentLength >= 0 && FReceived < FContentLength) {
        FFailure = TDownloadFailure::Short;
    } else {
        FFailure = TDownloadFailure::Connection;
    }
}

size_t THTTPGetThread::WriteBody(char* Data, size_t Size, size_t Count, void* Self)
{
    const size_t length = Size * Count;
    // Anything but the length (never 0 here) tells curl to end the transfer.
    return static_cast<THTTPGetThread*>(Self)->Receive(Data, length) ? length : 0;
}

size_t THTTPGetThread::WriteHeader(char* Data, size_t Size, size_t Count, void* Self)
{
    const size_t length = Size * Count;
    return static_cast<THTTPGetThread*>(Self)->Header(std::string_view(Data, length)) ? length : 0;
}

int THTTPGetThread::Xfer(void* Self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* self = static_cast<THTTPGetThread*>(Self);
    if (self->FStopRequested) {
        self->FFailure = TDownloadFailure::Stopped;
        return 1;
    }
    // curl's own check averages over a few seconds, so a burst would hide
    // the silence after it for that long; this one counts from the last byte.
    if (std::chrono::steady_clock::now() - self->FLastBody > std::chrono::seconds(self->FStallSeconds)) {
        self->FStallNoticed = true;
        return 1;
    }
    return 0;
}

bool THTTPGetThread::Header(std::string_view Line)
{
    if (FStopRequested) {
        FFailure = TDownloadFailure::Stopped;
        return false;
    }
    FHeaderBytes += Line.size();
    if (FHeaderBytes > kMaxHeaderBytes) {
        FFailure = TDownloadFailure::Connection;
        return false;
    }
    // Each reply on the way (redirects, 100 Continue) starts with its
    // status line and has headers of its own; an empty line ends them.
    if (FAtStatusLine) {
        FAtStatusLine = false;
        FContentLength = -1;
        FContentLengthBad = false;
        FChunked = false;
    } else if (Trimmed(Line).empty()) {
        FAtStatusLine = true;
    } else if (StartsWithNoCase(Line, "content-length:")) {
        const qint64 length = ParseLength(Trimmed(Line.substr(15)));
        if (length < 0 || (FContentLength >= 0 && FContentLength != length))
            FContentLengthBad = true;
        else
            FContentLength = length;
    } else if (StartsWithNoCase(Line, "transfer-encoding:")) {
        std::string value(Trimmed(Line.substr(18)));
        std::transform(value.begin(), value.end(), value.begin(), Lower);
        FChunked = value.find("chunked") != std::string::npos;
    }
    return true;
}

bool THTTPGetThread::Receive(const char* Data, size_t Length)
{
    if (FStopRequested) {
        FFailure = TDownloadFailure::Stopped;
        return false;
    }
    if (!FPart.IsOpen()) {
        // The first bytes of the final reply's body.
        long status = 0;
        Curl().easy_getinfo(FCurl, CURLINFO_RESPONSE_CODE, &status);
        FStatus = static_cast<int>(status);
        if (FStatus < 200 || FStatus > 299) {
            FFailure = TDownloadFailure::Status;
            return false;
        }
        // A chunked body carries its own length; one announced beside it
        // means nothing.
        if (FChunked) {
            FContentLength = -1;
        } else if (FContentLengthBad) {
            FFailure = TDownloadFailure::Connection;
            return false;
        }
        if (!FPart.Open(FFileName)) {
            FFailure = TDownloadFailure::File;
            return false;
        }
    }
    const qint64 limit = FContentLength >= 0 ? std::min(FContentLength, FMaxBodySize) : FMaxBodySize;
    if (static_cast<qint64>(Length) > limit - FReceived) {
        FFailure = TDownloadFailure::TooLarge;
        return false;
    }
    if (!FPart.Write(Data, Length)) {
        FFailure = TDownloadFailure::File;
        return false;
    }
    FReceived += static_cast<qint64>(Length);
    FLastBody = std::chrono::steady_clock::now();
    if (FWantProgress)
        FProgress.Post(std::max<qint64>(0, FContentLength), FReceived);
    return true;
}

void THTTPGetThread::Install()
{
    if (!FPart.Finish()) {
        FFailure = TDownloadFailure::File;
        return;
    }
    if (FCheckFile && !FStopRequested) {
        bool accepted = false;
        try {
            accepted = FCheckFile(FPart.Path());
        } catch (...) {
            accepted = false;
        }
        if (!accepted) {
            FFailure = TDownloadFailure::Refused;
            return;
        }
    }
    // From here a stop no longer counts: the outcome reported must be what
    // happened to the file.
    int running = kRunning;
    if (!FOutcome.compare_exchange_strong(running, kInstalling)) {
        FFailure = TDownloadFailure::Stopped;
        return;
    }
    if (!FPart.Install())
        FFailure = TDownloadFailure::File;
}

void THTTPGetThread::DeliverProgress(qint64 Total, qint64 Readed)
{
    if (!FOwner)
        return;
    // The handler may run an event loop in which the worker's end arrives;
    // the end then waits for the handler to return, so that this object is
    // not deleted under it.
    FInProgressHandler = true;
    FOwner->ReportProgress(this, Total, Readed);
    FInProgressHandler = false;
    if (std::exchange(FEndDeferred, false))
        Ended();
}

void THTTPGetThread::Ended()
{
    if (FInProgressHandler) {
        FEndDeferred = true;
        return;
    }
    // The last figures come before the end, so that whoever shows progress
    // shows the final size when told the download is done.
    FProgress.Flush();
    TFileDownload* owner = std::exchange(FOwner, nullptr);
    const QPointer<QEventLoop> loop = FEndLoop;
    deleteLater();
    // The component's handlers may destroy it, or (in a nested loop) this
    // object: nothing here is touched afterwards.
    if (owner)
        owner->WorkerFinished(this);
    if (loop)
        loop->quit();
}

}  // namespace lirabo::network
