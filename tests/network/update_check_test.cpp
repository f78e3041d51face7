// The exchange itself, against a loopback server.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <memory>

#include "network/update_check.h"
#include "network/update_request.h"
#include "update_test_server.h"
#include "wait_until.h"

namespace lirabo::network {
namespace {

using test::TUpdateTestServer;

const QByteArray kReply = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\nUPDATED\r\nhttp://example.org/\r\n";

class UpdateCheckTest : public ::testing::Test {
protected:
    QByteArray Request() const
    {
        const std::string request = BuildUpdateRequest("127.0.0.1", "build=57&lastupd=0");
        return QByteArray(request.data(), static_cast<qsizetype>(request.size()));
    }

    TUpdateServer Server(const char* Host = "127.0.0.1") const
    {
        TUpdateServer server;
        server.Host = Host;
        server.Port = FServer.Port();
        return server;
    }

    // Runs one exchange to its end.
    void Run(const TUpdateServer& Server, int TimeoutMs = 10000)
    {
        FCheck.SetTimeout(TimeoutMs);
        ASSERT_TRUE(FCheck.Start(Server, Request()));
        EXPECT_TRUE(FCheck.Running());
        ASSERT_TRUE(test::WaitUntil([this] { return !FCheck.Running(); }, TimeoutMs + 5000));
    }

    QByteArray FinishedReply() const
    {
        EXPECT_EQ(FFinished.size(), 1);
        EXPECT_EQ(FFailed.size(), 0);
        return FFinished.isEmpty() ? QByteArray() : FFinished.first().first().toByteArray();
    }

    std::pair<TUpdateFailure, int> Failure() const
    {
        EXPECT_EQ(FFinished.size(), 0);
        EXPECT_EQ(FFailed.size(), 1);
        if (FFailed.isEmpty())
            return {TUpdateFailure::Connect, 0};
        return {FFailed.first().at(0).value<TUpdateFailure>(), FFailed.first().at(1).toInt()};
    }

    TUpdateTestServer FServer;
    TUpdateCheck FCheck;
    QSignalSpy FFinished{&FCheck, &TUpdateCheck::Finished};
    QSignalSpy FFailed{&FCheck, &TUpdateCheck::Failed};
};

TEST_F(UpdateCheckTest, SendsTheRequestByteForByteAndReturnsTheReply)
{
    FServer.SetReply(kReply);
    Run(Server());
    EXPECT_EQ(FServer.Request(), Request());
    EXPECT_EQ(FinishedReply(), kReply);
}

TEST_F(UpdateCheckTest, ReplyInAnyPiecesIsTheSameReply)
{
    const qsizetype headers = kReply.indexOf("\r\n\r\n") + 4;
    const QList<QList<QByteArray>> splits = {
        {kReply.left(headers), kReply.mid(headers)},
        {kReply.left(headers - 2), kReply.mid(headers - 2, 3), kReply.mid(headers + 1)},
    };
    for (const auto& pieces : splits) {
        FServer.SetReply(pieces);
        FFinished.clear();
        Run(Server());
        EXPECT_EQ(FinishedReply(), kReply);
    }
    FServer.SetReplyByteByByte(kReply);
    FFinished.clear();
    Run(Server());
    EXPECT_EQ(FinishedReply(), kReply);
}

TEST_F(UpdateCheckTest, HostNamesAreLookedUp)
{
    FServer.SetReply(kReply);
    Run(Server("localhost"));  // may also name ::1; the server listens on IPv4
    EXPECT_EQ(FinishedReply(), kReply);
}

TEST_F(UpdateCheckTest, ServerClosingAtOnceEndsTheExchangeWithWhatItSent)
{
    FServer.SetAnswerAtOnce(true);
    FServer.SetReply(QList<QByteArray>{});
    Run(Server());
    EXPECT_EQ(FinishedReply(), QByteArray());
}

TEST_F(UpdateCheckTest, ReplyIsBounded)
{
    const QByteArray most(TUpdateCheck::kMaxReply, 'x');
    FServer.SetReply(most);
    Run(Server());
    EXPECT_EQ(FinishedReply().size(), TUpdateCheck::kMaxReply);

    FFinished.clear();
    FServer.SetReply(most + "x");
    Run(Server());
    EXPECT_EQ(Failure().first, TUpdateFailure::TooLarge);
}

TEST_F(UpdateCheckTest, ServerSendingWithoutEndCannotKeepTheCheckAlive)
{
    FServer.SetKeepOpen(true);
    FServer.SetReply(QByteArray(1 << 20, 'j'));
    Run(Server());
    EXPECT_EQ(Failure().first, TUpdateFailure::TooLarge);
    // The check let go of the connection.
    EXPECT_TRUE(test::WaitUntil([this] { return FServer.Closed() == 1; }, 5000));
}

TEST_F(UpdateCheckTest, SilentServerRunsIntoTheTimeLimit)
{
    FServer.SetKeepOpen(true);
    FServer.SetReply(QList<QByteArray>{});
    QElapsedTimer clock;
    clock.start();
    Run(Server(), 300);
    EXPECT_GE(clock.elapsed(), 250);  // a coarse timer may fire 5 % early
    const auto [failure, error] = Failure();
    EXPECT_EQ(failure, TUpdateFailure::Timeout);
    EXPECT_EQ(error, QAbstractSocket::SocketTimeoutError);
    EXPECT_TRUE(test::WaitUntil([this] { return FServer.Closed() == 1; }, 5000));

    // A server that answers half and stops is no different.
    FFailed.clear();
    FServer.SetReply(kReply.left(20));
    Run(Server(), 300);
    EXPECT_EQ(Failure().first, TUpdateFailure::Timeout);
}

TEST_F(UpdateCheckTest, RefusedConnectionAndUnknownHostFail)
{
    TUpdateServer closed = Server();
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closed.Port = probe.serverPort();
    }
    Run(closed);
    const auto [failure, error] = Failure();
    EXPECT_EQ(failure, TUpdateFailure::Connect);
    EXPECT_EQ(error, QAbstractSocket::ConnectionRefusedError);

    FFailed.clear();
    Run(Server("no-such-host.invalid"), 30000);
    EXPECT_EQ(Failure().first, TUpdateFailure::Lookup);
}

TEST_F(UpdateCheckTest, OneExchangeAtATime)
{
    FServer.SetReply(kReply);
    FCheck.SetTimeout(10000);
    ASSERT_TRUE(FCheck.Start(Server(), Request()));
    EXPECT_FALSE(FCheck.Start(Server(), "other"));
    ASSERT_TRUE(test::WaitUntil([this] { return !FCheck.Running(); }, 10000));
    EXPECT_EQ(FinishedReply(), kReply);
    EXPECT_EQ(FServer.Connections(), 1);
    EXPECT_EQ(FServer.Request(), Request());

    // Once it has ended, the next may start.
    FFinished.clear();
    Run(Server());
    EXPECT_EQ(FinishedReply(), kReply);
}

TEST_F(UpdateCheckTest, DestroyingARunningCheckLetsGo)
{
    FServer.SetKeepOpen(true);
    FServer.SetReply(QList<QByteArray>{});
    auto check = std::make_unique<TUpdateCheck>();
    ASSERT_TRUE(check->Start(Server(), Request()));
    ASSERT_TRUE(test::WaitUntil([this] { return FServer.Request() == Request(); }, 5000));
    check.reset();
    EXPECT_TRUE(test::WaitUntil([this] { return FServer.Closed() == 1; }, 5000));

    // Also while the name is still being looked up.
    check = std::make_unique<TUpdateCheck>();
    ASSERT_TRUE(check->Start(Server("localhost"), Request()));
    check.reset();
    QTest::qWait(50);
}

}  // namespace
}  // namespace lirabo::network
