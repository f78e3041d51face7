#include <QElapsedTimer>

#include "download_fixture.h"

namespace {

using namespace lirabo::test;

QByteArray Pattern(int Size)
{
    QByteArray data(Size, '\0');
    for (int i = 0; i < Size; ++i)
        data[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    return data;
}

class FileDownload : public TDownloadTest {
protected:
    // Runs a download of the reply into x.ldi, which held "old" before.
    std::shared_ptr<TDownloadEvents> Fetch(TFileDownload& Download, const TTestReply& Reply)
    {
        WriteFile(Path("x.ldi"), "old");
        FServer.SetReply(Reply);
        Prepare(Download, "/x.ldi");
        return Run(Download);
    }

    // A failed download left the old file alone and nothing beside it.
    void ExpectUntouched()
    {
        EXPECT_EQ(ReadFile(Path("x.ldi")), "old");
        EXPECT_EQ(Entries(FDir.path()), QStringList{"x.ldi"});
    }

    void ExpectFailure(TFileDownload& Download, const std::shared_ptr<TDownloadEvents>& Events,
                       TDownloadFailure Failure)
    {
        EXPECT_EQ(Events->Errors, 1);
        EXPECT_EQ(Events->Done, 0);
        EXPECT_EQ(Download.LastFailure(), Failure);
        EXPECT_FALSE(Download.Running());
        ExpectUntouched();
    }
};

TEST_F(FileDownload, RequestCarriesTheSettingsOnHttp10)
{
    FServer.SetReply(TTestReply::Ok("body"));
    TFileDownload get;
    Prepare(get, "/dir/x.ldi");
    get.Referer = "http://example.org/list.html";
    Run(get);
    ASSERT_EQ(FServer.Requests().size(), 1);
    const QByteArray request = FServer.Requests()[0];
    EXPECT_TRUE(request.startsWith("GET /dir/x.ldi HTTP/1.0\r\n")) << request.toStdString();
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Lirabo/3\r\n"));
    EXPECT_TRUE(request.contains("\r\nReferer: http://example.org/list.html\r\n"));
    EXPECT_TRUE(request.contains("\r\nAccept: */*\r\n"));
    EXPECT_TRUE(request.contains("\r\nPragma: no-cache\r\n"));
    EXPECT_TRUE(request.contains("\r\nCache-Control: no-cache\r\n"));
    EXPECT_FALSE(request.contains("Authorization:"));

    TFileDownload post;
    Prepare(post, "/form", "y.ldi");
    post.Agent.clear();
    post.UseCache = true;
    post.AcceptTypes = "application/octet-stream";
    post.PostQuery = "word=Haus&lang=de";
    post.UserName = "user";
    post.Password = "secret";
    Run(post);
    ASSERT_EQ(FServer.Requests().size(), 2);
    const QByteArray form = FServer.Requests()[1];
    EXPECT_TRUE(form.startsWith("POST /form HTTP/1.0\r\n")) << form.toStdString();
    EXPECT_FALSE(form.toLower().contains("user-agent:"));
    EXPECT_FALSE(form.contains("Pragma:"));
    EXPECT_FALSE(form.contains("Cache-Control:"));
    EXPECT_TRUE(form.contains("\r\nAccept: application/octet-stream\r\n"));
    EXPECT_TRUE(form.contains("\r\nContent-Type: application/x-www-form-urlencoded\r\n"));
    EXPECT_TRUE(form.contains("\r\nAuthorization: Basic " + QByteArray("user:secret").toBase64() + "\r\n"));
    EXPECT_TRUE(form.endsWith("\r\n\r\nword=Haus&lang=de"));
}

TEST_F(FileDownload, HeaderValuesCannotInjectHeaders)
{
    FServer.SetReply(TTestReply::Ok("body"));
    TFileDownload download;
    Prepare(download, "/x.ldi");
    download.Referer = "http://example.org/\r\nX-Injected: 1";
    download.Agent = "Agent\nX-Other: 2";
    Run(download);
    ASSERT_EQ(FServer.Requests().size(), 1);
    const QByteArray request = FServer.Requests()[0];
    EXPECT_FALSE(request.contains("\nX-Injected")) << request.toStdString();
    EXPECT_FALSE(request.contains("\nX-Other"));
}

TEST_F(FileDownload, AddressIsSentAsWritten)
{
    FServer.SetReply(TTestReply::Ok("body"));
    TFileDownload capitals;
    capitals.URL = QStringLiteral("HTTP://127.0.0.1:%1/x.ldi").arg(FServer.Port());
    capitals.FileName = Path("a.ldi");
    EXPECT_EQ(Run(capitals)->Done, 1);

    TFileDownload nested;
    Prepare(nested, "/get?u=http://other/x", "b.ldi");
    EXPECT_EQ(Run(nested)->Done, 1);
    ASSERT_EQ(FServer.Requests().size(), 2);
    EXPECT_EQ(TDownloadTestServer::Target(FServer.Requests()[0]), "/x.ldi");
    EXPECT_EQ(TDownloadTestServer::Target(FServer.Requests()[1]), "/get?u=http://other/x");
}

// A body of 100 pieces 10 ms apart would give a report per piece if every
// read were reported; reports come at most about twenty times a second
// instead, only grow, and the last, before the end, is the whole size.
TEST_F(FileDownload, ProgressIsPacedGrowsAndEndsAtTheSize)
{
    const QByteArray body = Pattern(100 * 1000);
    for (const bool announced : {true, false}) {
        TTestReply reply = TTestReply::Http(200, "", announced, body.size());
        for (int i = 0; i < 100; ++i)
            reply.Pieces.append(body.mid(i * 1000, 1000));
        reply.PauseMs = 10;
        WriteFile(Path("x.ldi"), "old");
        FServer.SetReply(reply);
        TFileDownload download;
        Prepare(download, "/x.ldi");
        const auto events = Record(download, true);
        qsizetype reportsAtEnd = -1;
        download.OnDoneFile = [&, done = download.OnDoneFile](QObject* Sender, const QString& Name, qint64 Size) {
            reportsAtEnd = events->Progress.size();
            done(Sender, Name, Size);
        };
        QElapsedTimer clock;
        clock.start();
        download.StartDownload();
        ASSERT_TRUE(WaitUntil([&] { return events->Ends() > 0; }));
        const double seconds = clock.elapsed() / 1000.0;

        ASSERT_EQ(events->Done, 1) << "announced " << announced;
        EXPECT_EQ(events->FileName, Path("x.ldi"));
        EXPECT_EQ(events->FileSize, body.size());
        EXPECT_EQ(download.LastStatus(), 200);
        EXPECT_EQ(ReadFile(Path("x.ldi")), body);
        ASSERT_FALSE(events->Progress.isEmpty());
        EXPECT_EQ(reportsAtEnd, events->Progress.size());
        EXPECT_EQ(events->Progress.last().second, body.size());
        EXPECT_LE(events->Progress.size(), seconds * 20 + 3) << seconds << " s";
        qint64 previous = 0;
        for (const auto& [total, readed] : events->Progress) {
            EXPECT_EQ(total, announced ? body.size() : 0);
            EXPECT_GT(readed, previous);
            previous = readed;
        }
        EXPECT_EQ(Entries(FDir.path()), QStringList{"x.ldi"});
    }
}

TEST_F(FileDownload, ErrorStatusInstallsNothing)
{
    for (const int status : {404, 403, 500, 503}) {
        TFileDownload download;
        const auto events = Fetch(download, TTestReply::Http(status, "<html>error page</html>"));
        ExpectFailure(download, events, TDownloadFailure::Status);
        EXPECT_EQ(download.LastStatus(), status);
    }
    TFileDownload empty;
    ExpectFailure(empty, Fetch(empty, TTestReply::Http(404, "")), TDownloadFailure::Status);
}

TEST_F(FileDownload, BodyMustMatchTheAnnouncedLength)
{
    TFileDownload shortBody;
    ExpectFailure(shortBody, Fetch(shortBody, TTestReply::Http(200, "12345", true, 10)),
                  TDownloadFailure::Short);

    TFileDownload longBody;
    ExpectFailure(longBody, Fetch(longBody, TTestReply::Http(200, "1234567890", true, 5)),
                  TDownloadFailure::TooLarge);

    TFileDownload zero;
    ExpectFailure(zero, Fetch(zero, TTestReply::Http(200, "", true, 0)), TDownloadFailure::Empty);

    // A chunked body carries its own length; an announced one beside it
    // does not count.
    TFileDownload chunked;
    const auto events = Fetch(chunked, TTestReply::Http(200, "5\r\nhello\r\n0\r\n\r\n", true, 99,
                                                        "Transfer-Encoding: chunked\r\n"));
    EXPECT_EQ(events->Done, 1);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "hello");

    // All that was announced, then the connection stays open: whole once
    // nothing more has come for the stall time.
    TTestReply open = TTestReply::Ok("complete");
    open.KeepOpen = true;
    TFileDownload kept;
    kept.StallSeconds = 1;
    EXPECT_EQ(Fetch(kept, open)->Done, 1);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "complete");

    TFileDownload bad;
    ExpectFailure(bad, Fetch(bad, TTestReply::Http(200, "12345", true, -1, "Content-Length: 7\r\n")),
                  TDownloadFailure::Connection);
}

TEST_F(FileDownload, EndlessBodyEndsAtTheLimit)
{
    TTestReply endless = TTestReply::Http(200, "", false);
    endless.Endless = QByteArray(4096, 'e');
    TFileDownload download;
    download.MaxBodySize = 64 * 1024;
    ExpectFailure(download, Fetch(download, endless), TDownloadFailure::TooLarge);

    // An announced length larger than the limit ends the same way.
    TTestReply announced = TTestReply::Http(200, "", true, qint64(1) << 40);
    announced.Endless = QByteArray(4096, 'e');
    TFileDownload big;
    big.MaxBodySize = 64 * 1024;
    ExpectFailure(big, Fetch(big, announced), TDownloadFailure::TooLarge);
}

TEST_F(FileDownload, WithoutLengthTheCloseEndsTheBody)
{
    TFileDownload text;
    const auto events = Fetch(text, TTestReply::Http(200, "no length here", false));
    EXPECT_EQ(events->Done, 1);
    EXPECT_EQ(events->FileSize, 14);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "no length here");

    TFileDownload empty;
    ExpectFailure(empty, Fetch(empty, TTestReply::Http(200, "", false)), TDownloadFailure::Empty);

    TFileDownload binary;
    binary.BinaryData = true;
    const auto failed = Fetch(binary, TTestReply::Http(200, "no length here", false));
    EXPECT_EQ(failed->Errors, 1);
    EXPECT_NE(binary.LastFailure(), TDownloadFailure::None);
    ExpectUntouched();
}

TEST_F(FileDownload, SilenceOrTrickleStalls)
{
    TTestReply silentAfterHeaders = TTestReply::Http(200, "", true, 100);
    silentAfterHeaders.KeepOpen = true;
    TTestReply silent;
    silent.KeepOpen = true;
    TTestReply trickle = TTestReply::Http(200, "", true, 100);
    for (int i = 0; i < 20; ++i)
        trickle.Pieces.append("t");
    trickle.PauseMs = 1500;
    TTestReply slowHeaders;
    for (char c : QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 5\r\nX-Pad: 0123456789\r\n\r\nhello"))
        slowHeaders.Pieces.append(QByteArray(1, c));
    slowHeaders.PauseMs = 400;

    for (const TTestReply& reply : {silentAfterHeaders, silent, trickle, slowHeaders}) {
        TFileDownload download;
        download.StallSeconds = 1;
        const auto events = Fetch(download, reply);
        ExpectFailure(download, events, TDownloadFailure::Stalled);
    }
}

TEST_F(FileDownload, RedirectsAreFollowedOnlyToHttp)
{
    FServer.SetHandler([this](const QByteArray& Request) {
        const QByteArray target = TDownloadTestServer::Target(Request);
        if (target == "/loop")
            return TTestReply::Redirect("/loop");
        if (target == "/moved")
            return TTestReply::Redirect(FServer.Url("/real.ldi").toUtf8());
        if (target == "/file")
            return TTestReply::Redirect("file:///etc/passwd");
        if (target == "/ftp")
            return TTestReply::Redirect("ftp://127.0.0.1/x.ldi");
        return TTestReply::Ok("the real file");
    });
    WriteFile(Path("x.ldi"), "old");
    for (const char* path : {"/loop", "/file", "/ftp"}) {
        TFileDownload download;
        Prepare(download, path);
        const auto events = Run(download);
        ExpectFailure(download, events, TDownloadFailure::Connection);
    }

    TFileDownload limited;
    limited.MaxRedirects = 0;
    Prepare(limited, "/moved");
    ExpectFailure(limited, Run(limited), TDownloadFailure::Connection);

    TFileDownload moved;
    Prepare(moved, "/moved");
    EXPECT_EQ(Run(moved)->Done, 1);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "the real file");
}

TEST_F(FileDownload, OnlyHttpAddressesAreFetched)
{
    WriteFile(Path("x.ldi"), "old");
    const QStringList addresses = {
        "file:///etc/passwd",
        "ftp://127.0.0.1/x.ldi",
        "http://",
        "",
        "127.0.0.1/x.ldi",
        "javascript:alert(1)",
        QStringLiteral("http://127.0.0.1:%1/x.ldi").arg(FServer.Port()) + QChar(0) + "/y",
        QStringLiteral("http://127.0.0.1:%1/x\r\nHost: evil").arg(FServer.Port()),
    };
    for (const QString& address : addresses) {
        TFileDownload download;
        download.URL = address;
        download.FileName = Path("x.ldi");
        ExpectFailure(download, Run(download), TDownloadFailure::Address);
    }
    EXPECT_EQ(FServer.Connections(), 0);

    // TLS spoken to a plain HTTP server fails without harm.
    FServer.SetReply(TTestReply::Ok("plain"));
    FServer.SetAnswerAtOnce(true);
    TFileDownload tls;
    tls.URL = QStringLiteral("https://127.0.0.1:%1/x.ldi").arg(FServer.Port());
    tls.FileName = Path("x.ldi");
    ExpectFailure(tls, Run(tls), TDownloadFailure::Connection);
}

TEST_F(FileDownload, CheckFileSeesTheWholeFileAndDecides)
{
    const QByteArray body = Pattern(3000);
    FServer.SetReply(TTestReply::Ok(body));
    WriteFile(Path("x.ldi"), "old");

    TFileDownload refused;
    Prepare(refused, "/x.ldi");
    QByteArray seen;
    refused.CheckFile = [&seen](const std::string& Path) {
        seen = ReadFile(QString::fromStdString(Path));
        return false;
    };
    ExpectFailure(refused, Run(refused), TDownloadFailure::Refused);
    EXPECT_EQ(seen, body);

    TFileDownload accepted;
    Prepare(accepted, "/x.ldi");
    accepted.CheckFile = [](const std::string&) { return true; };
    EXPECT_EQ(Run(accepted)->Done, 1);
    EXPECT_EQ(ReadFile(Path("x.ldi")), body);
    EXPECT_EQ(Entries(FDir.path()), QStringList{"x.ldi"});
}

TEST_F(FileDownload, MissingFoldersAreMade)
{
    FServer.SetReply(TTestReply::Ok("dictionary"));
    TFileDownload download;
    Prepare(download, "/x.ldi", "Dictionaries/new/x.ldi");
    const auto events = Run(download);
    EXPECT_EQ(events->Done, 1);
    EXPECT_EQ(ReadFile(Path("Dictionaries/new/x.ldi")), "dictionary");

    // A folder standing where the file should go is left as it is.
    ASSERT_TRUE(QDir(FDir.path()).mkpath("taken.ldi/inside"));
    TFileDownload blocked;
    Prepare(blocked, "/x.ldi", "taken.ldi");
    EXPECT_EQ(Run(blocked)->Errors, 1);
    EXPECT_EQ(blocked.LastFailure(), TDownloadFailure::File);
    EXPECT_EQ(Entries(Path("taken.ldi")), QStringList{"inside"});
    EXPECT_EQ(Entries(FDir.path()), (QStringList{"Dictionaries", "taken.ldi"}));
}

}  // namespace
