#include <atomic>
#include <cstdarg>
#include <cstring>

#include "download_fixture.h"
#include "network/curl_library.h"

namespace {

using namespace lirabo::test;
using lirabo::network::TCurlLibrary;

// A libcurl that refuses one option, or cannot grow a header list past a
// given line, and is the system's otherwise.
std::atomic<int> gRefusedOption{-1};
std::atomic<const char*> gFailedLine{nullptr};

// Its signature must be curl_easy_setopt's, whose last named parameter is
// an enum; clang warns about va_start after one, which curl relies on too.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wvarargs"
#endif
CURLcode RefusingSetopt(CURL* Curl, CURLoption Option, ...)
{
    if (Option == gRefusedOption.load())
        return CURLE_UNKNOWN_OPTION;
    const TCurlLibrary& system = *TCurlLibrary::Get();
    va_list arguments;
    va_start(arguments, Option);
    CURLcode result;
    // The value's type follows from the option's number, as in curl itself;
    // callbacks travel as pointers, which they are alike in size here.
    if (Option < CURLOPTTYPE_OBJECTPOINT)
        result = system.easy_setopt(Curl, Option, va_arg(arguments, long));
    else if (Option >= CURLOPTTYPE_OFF_T && Option < CURLOPTTYPE_BLOB)
        result = system.easy_setopt(Curl, Option, va_arg(arguments, curl_off_t));
    else
        result = system.easy_setopt(Curl, Option, va_arg(arguments, void*));
    va_end(arguments);
    return result;
}
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

curl_slist* FailingAppend(curl_slist* List, const char* Line)
{
    const char* failed = gFailedLine.load();
    if (failed && std::strcmp(Line, failed) == 0)
        return nullptr;
    return TCurlLibrary::Get()->slist_append(List, Line);
}

class DownloadSetup : public TDownloadTest {
protected:
    void SetUp() override
    {
        TDownloadTest::SetUp();
        ASSERT_NE(TCurlLibrary::Get(), nullptr);
        FLibrary = *TCurlLibrary::Get();
        FLibrary.easy_setopt = &RefusingSetopt;
        FLibrary.slist_append = &FailingAppend;
        WriteFile(Path("x.ldi"), "old");
        FServer.SetReply(TTestReply::Ok("new"));
    }

    void TearDown() override
    {
        TDownloadTest::TearDown();  // no worker uses the library any more
        gRefusedOption = -1;
        gFailedLine = nullptr;
    }

    // A download through the misbehaving library, with a form and a user
    // so that their options are set too.
    std::shared_ptr<TDownloadEvents> Fetch(TFileDownload& Download)
    {
        Prepare(Download, "/x.ldi");
        Download.Library = &FLibrary;
        Download.PostQuery = "a=b";
        Download.UserName = "user";
        return Run(Download);
    }

    TCurlLibrary FLibrary;
};

// A refused option would otherwise leave curl with its default: every
// protocol, any number of redirects, the body written to standard output.
// The download then fails before anything is sent.
TEST_F(DownloadSetup, RefusedOptionFailsTheDownloadBeforeItStarts)
{
    const CURLoption refused[] = {CURLOPT_PROTOCOLS_STR, CURLOPT_REDIR_PROTOCOLS_STR, CURLOPT_MAXREDIRS,
                                  CURLOPT_URL,           CURLOPT_WRITEFUNCTION,       CURLOPT_NOPROGRESS,
                                  CURLOPT_POSTFIELDS,    CURLOPT_USERNAME,            CURLOPT_LOW_SPEED_TIME};
    for (const CURLoption option : refused) {
        gRefusedOption = option;
        TFileDownload download;
        const auto events = Fetch(download);
        EXPECT_EQ(events->Errors, 1) << "option " << option;
        EXPECT_EQ(download.LastFailure(), TDownloadFailure::Setup) << "option " << option;
    }
    gRefusedOption = -1;
    gFailedLine = "Pragma: no-cache";
    TFileDownload headers;
    Fetch(headers);
    EXPECT_EQ(headers.LastFailure(), TDownloadFailure::Setup);

    EXPECT_EQ(FServer.Connections(), 0);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "old");
    EXPECT_EQ(Entries(FDir.path()), QStringList{"x.ldi"});
}

// The buffer size only helps: a libcurl that refuses it still downloads.
TEST_F(DownloadSetup, RefusedBufferSizeStillDownloads)
{
    gRefusedOption = CURLOPT_BUFFERSIZE;
    TFileDownload download;
    EXPECT_EQ(Fetch(download)->Done, 1);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "new");
}

}  // namespace
