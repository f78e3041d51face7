// The update check as the window runs it: from the menu and at start-up,
// against a loopback server.

#include <QAction>
#include <QDate>

#include "hostile_addresses.h"
#include "main_window/status_bar.h"
#include "network/update_calendar.h"
#include "network/update_request.h"
#include "network/update_version.h"
#include "update_test_server.h"
#include "wait_until.h"
#include "window_fixture.h"

namespace lirabo::test {
namespace {

const QString kLatest = QStringLiteral("This is the most recent version of Lirabo. No update is available.");
const QString kNewVersion =
    QStringLiteral("A new version of Lirabo has been released. Do you want more information now?");

QString ErrorText(int SocketError, const char* Text)
{
    return QStringLiteral("Lirabo was unable to check for updates.\r\n\r\nERROR %1\r\n%2")
        .arg(SocketError)
        .arg(QLatin1String(Text));
}

QByteArray Bytes(const std::string& Text)
{
    return QByteArray(Text.data(), static_cast<qsizetype>(Text.size()));
}

double Today()
{
    return network::DayCountOf(QDate::currentDate());
}

class UpdateWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Store("UpdateServer", FServer.Address());
        Store("CheckForUpdates", 0);
    }

    void Store(const char* Name, const QVariant& Value)
    {
        QSettings key = Stored();
        key.setValue(QLatin1String(Name), Value);
    }
    void StoreDate(double DayCount)
    {
        QSettings key = Stored();
        TSettings::WriteUpdatedDate(key, DayCount);
    }
    bool DateStored() const { return Stored().contains("UpdatedDate"); }
    double StoredDate() const { return TSettings::ReadUpdatedDate(Stored()); }

    TfrmMain& StartWindow()
    {
        TfrmMain& w = Start();
        w.Hooks.UpdateVersion = "3.0.0.57";
        w.Hooks.OfflineCheck = [this] { return FOffline; };
        w.Hooks.UpdateTimeoutMs = 10000;
        return w;
    }

    QAction* Item() const { return Find<QAction>("mnuCheckForUpdates"); }
    TStatusBar* Bar() const { return Find<TStatusBar>("stbStatusBar"); }
    bool WaitForEnd() const
    {
        return WaitUntil([this] { return !FWindow->UpdateCheckRunning(); });
    }
    // A check from the menu, to its end.
    void CheckByHand()
    {
        Item()->trigger();
        ASSERT_TRUE(WaitForEnd());
    }
    // Lets start-up's queued work run.
    static void Settle() { WaitUntil([] { return false; }, 100); }

    TUpdateTestServer FServer;
    bool FOffline = false;
};

TEST_F(UpdateWindowTest, ManualCheckShowsItsStatusThenTheAnswerAndCounts)
{
    FServer.SetBody("LATEST\r\n");
    StartWindow();
    ASSERT_TRUE(Item()->isEnabled());
    Item()->trigger();
    EXPECT_TRUE(Bar()->WholeWidth());
    EXPECT_EQ(Bar()->WholeWidthText(), "Checking for updates...");
    ASSERT_TRUE(WaitForEnd());

    EXPECT_FALSE(Bar()->WholeWidth());
    EXPECT_EQ(FInformation, QStringList{kLatest});
    EXPECT_TRUE(FErrors.isEmpty());
    EXPECT_EQ(FServer.Request(), Bytes(network::BuildUpdateRequest("127.0.0.1", "build=57&lastupd=0")));
    EXPECT_EQ(Stored().value("UpdatedDate").toByteArray().size(), 8);
    EXPECT_EQ(StoredDate(), Today());
}

TEST_F(UpdateWindowTest, RequestCarriesTheStoredDateAndTheProgramsBuild)
{
    FServer.SetBody("LATEST\r\n");
    StoreDate(45123);
    StartWindow();
    CheckByHand();
    EXPECT_TRUE(FServer.Request().endsWith("\r\nContent-Length: 22\r\n\r\nbuild=57&lastupd=45123\r\n"));

    // Without a version set by the test, the program's own counts.
    FWindow->Hooks.UpdateVersion.clear();
    CheckByHand();
    const std::string body = "build=" + std::to_string(network::BuildNumberOf(network::ProgramVersion())) +
                             "&lastupd=" + std::to_string(static_cast<int>(Today()));
    EXPECT_TRUE(FServer.Request().endsWith(Bytes("\r\n\r\n" + body + "\r\n")));
}

TEST_F(UpdateWindowTest, MessageIsShownAsCleanPlainText)
{
    FServer.SetBody("MESSAGE\r\n<b>Maintenance</b> on Sunday\x07.\r\nThank you.\r\n");
    StartWindow();
    CheckByHand();
    EXPECT_EQ(FInformation, QStringList{"<b>Maintenance</b> on Sunday.\nThank you."});
}

TEST_F(UpdateWindowTest, NewVersionIsOpenedOnlyWhenTheUserSaysYes)
{
    FServer.SetBody("UPDATED\r\nhttp://example.org/lirabo/new.html\r\n");
    StartWindow();
    FAnswers = {TMessageBox::TAnswer::No};
    CheckByHand();
    EXPECT_EQ(FQuestions, QStringList{kNewVersion});
    EXPECT_TRUE(Shown().isEmpty());

    FAnswers = {TMessageBox::TAnswer::Yes};
    CheckByHand();
    EXPECT_EQ(FQuestions.size(), 2);
    // On the Internet tab, after its home page.
    EXPECT_EQ(Shown().value(1), "http://example.org/lirabo/new.html");
    EXPECT_TRUE(FInformation.isEmpty());
    EXPECT_TRUE(FErrors.isEmpty());
}

TEST_F(UpdateWindowTest, HostileAddressesAreNeitherOfferedNorOpened)
{
    StartWindow();
    for (const std::string& address : kHostileAddresses) {
        FServer.SetBody("UPDATED\r\n" + Bytes(address));
        FAnswers = {TMessageBox::TAnswer::Yes};
        CheckByHand();
        EXPECT_EQ(FServer.Connections(), &address - kHostileAddresses.data() + 1);
    }
    EXPECT_TRUE(Shown().isEmpty()) << Shown().join(' ').toStdString();
    EXPECT_TRUE(FQuestions.isEmpty());
    EXPECT_EQ(StoredDate(), Today());  // each exchange still counted
}

TEST_F(UpdateWindowTest, OtherAndMalformedRepliesShowNothingButCount)
{
    StartWindow();
    // (The parser's own tests cover every malformed form.)
    const QList<QByteArray> replies = {
        "HTTP/1.0 200 OK\r\n\r\nlatest\r\n",
        "HTTP/1.0 200 OK\r\nLATEST\r\n",  // no empty line
        "HTTP/1.0 404 Not Found\r\n\r\n",
    };
    for (const QByteArray& reply : replies) {
        Stored().remove("UpdatedDate");
        FServer.SetReply(reply);
        CheckByHand();
        EXPECT_EQ(StoredDate(), Today()) << reply.toStdString();
    }
    EXPECT_TRUE(FInformation.isEmpty());
    EXPECT_TRUE(FQuestions.isEmpty());
    EXPECT_TRUE(FErrors.isEmpty());
}

TEST_F(UpdateWindowTest, ManualFailuresExplainThemselvesAndCountForNothing)
{
    {
        // A port nobody listens on once the probe has closed.
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        Store("UpdateServer", QStringLiteral("127.0.0.1:%1").arg(probe.serverPort()));
    }
    StartWindow();
    CheckByHand();
    EXPECT_EQ(FErrors.value(0), ErrorText(QAbstractSocket::ConnectionRefusedError, "Unable to connect."));
    EXPECT_FALSE(Bar()->WholeWidth());

    Store("UpdateServer", "no-such-host.invalid");
    FWindow.reset();
    StartWindow().Hooks.UpdateTimeoutMs = 30000;
    CheckByHand();
    EXPECT_EQ(FErrors.value(1), ErrorText(QAbstractSocket::HostNotFoundError, "Unable to resolve host name."));

    // A server that never answers, and one that answers without end.
    Store("UpdateServer", FServer.Address());
    FWindow.reset();
    StartWindow().Hooks.UpdateTimeoutMs = 300;
    FServer.SetKeepOpen(true);
    FServer.SetReply(QList<QByteArray>{});
    CheckByHand();
    EXPECT_EQ(FErrors.value(2), ErrorText(QAbstractSocket::SocketTimeoutError, "Unable to connect."));
    FServer.SetReply(QByteArray(1 << 20, 'j'));
    CheckByHand();
    EXPECT_EQ(FErrors.value(3),
              ErrorText(QAbstractSocket::UnknownSocketError, "The reply of the update server is too long."));
    EXPECT_FALSE(Bar()->WholeWidth());

    EXPECT_EQ(FErrors.size(), 4);
    EXPECT_TRUE(FInformation.isEmpty());
    EXPECT_FALSE(DateStored());  // the next start checks again
}

TEST_F(UpdateWindowTest, WithoutAUsableServerNothingIsAsked)
{
    Store("UpdateServer", "");
    Store("CheckForUpdates", 1);
    StartWindow();
    Settle();
    EXPECT_FALSE(FWindow->UpdateCheckRunning());
    EXPECT_TRUE(FErrors.isEmpty());  // the automatic check says nothing

    Item()->trigger();
    EXPECT_FALSE(FWindow->UpdateCheckRunning());
    EXPECT_FALSE(Bar()->WholeWidth());
    EXPECT_EQ(FErrors, QStringList{ErrorText(QAbstractSocket::UnknownSocketError, "No update server is configured.")});

    Store("UpdateServer", "evil\r\nX-Injected: 1");
    FWindow.reset();
    StartWindow();
    Item()->trigger();
    EXPECT_EQ(FErrors.value(1), ErrorText(QAbstractSocket::UnknownSocketError, "Unable to initiate lookup."));
    EXPECT_EQ(FServer.Connections(), 0);
    EXPECT_FALSE(DateStored());
}

TEST_F(UpdateWindowTest, AutomaticCheckRunsAtStartUpWhenDueAndStaysSilent)
{
    Store("CheckForUpdates", 1);
    FServer.SetBody("LATEST\r\n");
    StartWindow();  // never checked: due
    ASSERT_TRUE(WaitUntil([this] { return FServer.Connections() == 1; }));
    EXPECT_FALSE(Bar()->WholeWidth());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(FInformation.isEmpty());  // "latest" is for the user who asked
    EXPECT_EQ(StoredDate(), Today());

    // Six days and some hours: not yet.
    StoreDate(Today() - 6);
    FWindow.reset();
    StartWindow();
    Settle();
    EXPECT_EQ(FServer.Connections(), 1);

    // Seven days: again, and a message or a new version reaches the user.
    StoreDate(Today() - 7);
    FServer.SetBody("UPDATED\r\nhttps://example.org/new\r\n");
    FAnswers = {TMessageBox::TAnswer::Yes};
    FWindow.reset();
    StartWindow();
    ASSERT_TRUE(WaitUntil([this] { return FServer.Connections() == 2; }));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Shown().value(1), "https://example.org/new");
}

TEST_F(UpdateWindowTest, AutomaticCheckSkipsWhenOffOrOfflineAndFailsSilently)
{
    StartWindow();  // CheckForUpdates off, never checked
    Settle();
    EXPECT_EQ(FServer.Connections(), 0);

    // (Closing writes the settings back: change them after.)
    FWindow.reset();
    Store("CheckForUpdates", 1);
    FOffline = true;
    StartWindow();
    Settle();
    EXPECT_EQ(FServer.Connections(), 0);
    // The user may still ask.
    FServer.SetBody("LATEST\r\n");
    CheckByHand();
    EXPECT_EQ(FInformation, QStringList{kLatest});

    FWindow.reset();
    FOffline = false;
    Stored().remove("UpdatedDate");
    FServer.SetKeepOpen(true);
    FServer.SetReply(QList<QByteArray>{});
    StartWindow().Hooks.UpdateTimeoutMs = 300;
    ASSERT_TRUE(WaitUntil([this] { return FServer.Connections() == 2; }));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(FErrors.isEmpty());
    EXPECT_FALSE(DateStored());
}

TEST_F(UpdateWindowTest, SecondCheckWhileOneRunsDoesNothing)
{
    FServer.SetKeepOpen(true);
    FServer.SetReply(QList<QByteArray>{});
    TfrmMain& w = StartWindow();
    w.Hooks.UpdateTimeoutMs = 300;
    Item()->trigger();
    ASSERT_TRUE(WaitUntil([this] { return FServer.Connections() == 1; }));
    Item()->trigger();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(FServer.Connections(), 1);
    EXPECT_EQ(FErrors.size(), 1);

    // A check still running when the window closes reports nothing.
    Item()->trigger();
    w.close();
    WaitUntil([] { return false; }, 500);
    EXPECT_EQ(FErrors.size(), 1);
}

TEST(UpdatedDateSettingTest, OnlyEightBytesAreADate)
{
    QTemporaryDir dir;
    QSettings key(dir.filePath("LiraboDesk.conf"), QSettings::IniFormat);
    EXPECT_EQ(TSettings::ReadUpdatedDate(key), 0);
    TSettings::WriteUpdatedDate(key, 45000);
    EXPECT_EQ(key.value("UpdatedDate").toByteArray(), QByteArray("\0\0\0\0\0\xF9\xE5\x40", 8));
    EXPECT_EQ(TSettings::ReadUpdatedDate(key), 45000);
    for (const QVariant& other : {QVariant(45000.0), QVariant("45000"), QVariant(QByteArray("\0\0\0\0\0\xF9\xE5", 7)),
                                  QVariant(QByteArray("\0\0\0\0\0\0\xF0\x7F", 8))}) {
        key.setValue("UpdatedDate", other);
        EXPECT_EQ(TSettings::ReadUpdatedDate(key), 0) << other.toString().toStdString();
    }
}

}  // namespace
}  // namespace lirabo::test
