// The open-dictionary message end to end: a window with its socket in this
// process, and makrel or a second Lirabo as the other, real, process.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QLocalSocket>
#include <QProcess>
#include <QTest>
#include <cstring>

#include "ipc/instance_channel.h"
#include "ipc/instance_server.h"
#include "window_fixture.h"

namespace lirabo::test {
namespace {

class InstanceTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        FOldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(FSocketDir.path()));
        AddStandardDictionaries();
    }
    void TearDown() override
    {
        FServer.reset();
        WindowTest::TearDown();
        if (FOldRuntime.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", FOldRuntime);
    }

    TfrmMain& StartListening()
    {
        TfrmMain& w = Start();
        FServer = std::make_unique<ipc::TInstanceServer>();
        EXPECT_TRUE(FServer->Listen());
        FServer->OnMessage = [this, &w](const QString& Path, const QString& ActivationToken) {
            ++FMessages;
            FTokens << ActivationToken;
            if (Path.isEmpty())
                w.BringToFront(ActivationToken);
            else
                w.WMMakrelLookup(Path, ActivationToken);
        };
        return w;
    }

    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", FSocketDir.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", FSettingsDir.path());
        if (FTokenForRun.isEmpty())
            env.remove("XDG_ACTIVATION_TOKEN");
        else
            env.insert("XDG_ACTIVATION_TOKEN", FTokenForRun);
        return env;
    }

    // Runs Program with Arguments while the window goes on answering, as the
    // running program would; the exit code, or -1 when it did not end.
    int Run(const QString& Program, const QStringList& Arguments, int TimeoutMs = 20000)
    {
        QProcess process;
        process.setProcessEnvironment(Environment());
        process.start(Program, Arguments);
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, TimeoutMs)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        FOutput = process.readAllStandardOutput() + process.readAllStandardError();
        // The message is handled after its answer.
        QTest::qWait(20);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    int Makrel(const QString& File) { return Run(QStringLiteral(MAKREL_PATH), {"open", File}); }

    QTemporaryDir FSocketDir;
    QByteArray FOldRuntime;
    std::unique_ptr<ipc::TInstanceServer> FServer;
    int FMessages = 0;
    QStringList FTokens;
    QString FTokenForRun;  // the launcher's token for the programs Run starts
    QByteArray FOutput;
};

TEST_F(InstanceTest, MakrelOpenReachesTheWindowWhichOpensOrIgnoresTheFile)
{
    TfrmMain& w = StartListening();
    QDir elsewhere(FFolder.Path());
    elsewhere.mkdir("elsewhere");
    const QString first =
        FFolder.AddDictionary("One.LDI", "One", {{"uno", "one"}}, {}, elsewhere.filePath("elsewhere"));
    const QString second =
        FFolder.AddDictionary("two.ldi", "Two", {{"dos", "two"}}, {}, elsewhere.filePath("elsewhere"));

    EXPECT_EQ(Makrel(first), 0) << FOutput.constData();
    EXPECT_EQ(w.LookupView()->Header().Name, "One");  // ".LDI" is accepted
    EXPECT_EQ(LookIn()->currentText(), "Custom dictionary");
    EXPECT_EQ(Makrel(second), 0);
    EXPECT_EQ(w.LookupView()->Header().Name, "Two");
    EXPECT_EQ(LookIn()->findText("Custom dictionary"), LookIn()->currentIndex());
    EXPECT_EQ(LookIn()->count(), 4);  // Fruit, Birds, one custom line, Add dictionaries...

    // A catalogue file is that entry, not a custom one; a file whose name
    // differs from it only in letter case is another file on this disk and
    // opens as itself.
    const QString fruit = FFolder.Dictionaries() + "/fruit.ldi";
    EXPECT_EQ(Makrel(fruit), 0);
    EXPECT_EQ(LookIn()->currentText(), "Fruit");
    const QString shouting = FFolder.AddDictionary("FRUIT.ldi", "Loud fruit", {{"APPLE", "red"}}, {},
                                                   elsewhere.filePath("elsewhere"));
    const QString twin = FFolder.Dictionaries() + "/FRUIT.ldi";
    ASSERT_TRUE(QFile::copy(shouting, twin));
    w.WMMakrelLookup(twin);
    EXPECT_EQ(w.LookupView()->Header().Name, "Loud fruit");
    EXPECT_GE(LookIn()->findText("Loud fruit"), 0);  // the catalogue scan found the new file too
    EXPECT_EQ(Makrel(fruit), 0);
    EXPECT_EQ(w.LookupView()->Header().Name, "Fruit");

    // A corrupt file reaches the window, which says so and names it, in any script.
    const QString broken = FFolder.Path() + "/zepsuty słownik.ldi";
    FFolder.WriteFile("zepsuty słownik.ldi", QByteArray(200, 'x'));
    EXPECT_EQ(Makrel(broken), 0);
    EXPECT_EQ(FErrors, QStringList{w.Language().ReadLanguageText("Main", 8008) + "\n\n" + broken});
    EXPECT_EQ(w.LookupView()->Header().Name, "Fruit");

    // Other extensions and missing files never leave makrel.
    FFolder.WriteFile("notes.txt", "x");
    EXPECT_EQ(Makrel(FFolder.Path() + "/notes.txt"), 2);
    EXPECT_EQ(Makrel(FFolder.Path() + "/missing.ldi"), 2);
    EXPECT_EQ(Run(QStringLiteral(MAKREL_PATH), {"open"}), 2);
    EXPECT_EQ(FMessages, 5);
}

TEST_F(InstanceTest, MakrelOpenWithoutARunningLiraboSaysSo)
{
    const QString fruit = FFolder.Dictionaries() + "/fruit.ldi";
    EXPECT_EQ(Makrel(fruit), 1);
    EXPECT_TRUE(FOutput.contains("not running"));
}

TEST_F(InstanceTest, SecondStartHandsOverItsFileRelativeToItsOwnFolderAndExits)
{
    TfrmMain& w = StartListening();
    QProcess second;
    second.setProcessEnvironment(Environment());
    second.setWorkingDirectory(FFolder.Dictionaries());
    second.start(QStringLiteral(LIRABO_PATH), {"zbirds.ldi"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(second.exitCode(), 0);
    QTest::qWait(20);
    EXPECT_EQ(w.LookupView()->Header().Name, "Birds");
    EXPECT_EQ(LookIn()->currentText(), "Birds");

    // Without a file it only asks for the window.
    w.showMinimized();
    EXPECT_EQ(Run(QStringLiteral(LIRABO_PATH), {}), 0);
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(FMessages, 2);

    // The token its launcher gave it goes to the window, with a file or without.
    FTokenForRun = "sway-launch-1";
    EXPECT_EQ(Run(QStringLiteral(LIRABO_PATH), {FFolder.Dictionaries() + "/zbirds.ldi"}), 0);
    EXPECT_EQ(Run(QStringLiteral(LIRABO_PATH), {}), 0);
    EXPECT_EQ(FTokens, (QStringList{"", "", "sway-launch-1", "sway-launch-1"}));
}

TEST_F(InstanceTest, SilentEndlessAndForeignClientsAreDroppedWithoutHarm)
{
    TfrmMain& w = StartListening();
    const QString name = QFile::decodeName(QByteArray::fromStdString(ipc::InstanceSocketPath()));
    QLocalSocket silent;
    silent.connectToServer(name);
    ASSERT_TRUE(silent.waitForConnected(1000));
    QLocalSocket endless;
    endless.connectToServer(name);
    ASSERT_TRUE(endless.waitForConnected(1000));
    endless.write(QByteArray(40 * 1024, 'a'));

    EXPECT_TRUE(QTest::qWaitFor([&] { return endless.state() == QLocalSocket::UnconnectedState; }, 1500));
    // The window answers meanwhile.
    QTest::keyClicks(LookupBox()->lineEdit(), "gra");
    EXPECT_EQ(CurrentWord(w.LookupView()), "grape");
    EXPECT_EQ(silent.state(), QLocalSocket::ConnectedState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return silent.state() == QLocalSocket::UnconnectedState; },
                                ipc::TInstanceServer::kReadTimeoutMs + 1500));
    EXPECT_EQ(FMessages, 0);

    // The server still takes the next proper message.
    EXPECT_EQ(Makrel(FFolder.Dictionaries() + "/zbirds.ldi"), 0);
    EXPECT_EQ(w.LookupView()->Header().Name, "Birds");
}

TEST_F(InstanceTest, StaleSocketNeverStopsAStartAndTwoStartsEndWithOneWindow)
{
    // A socket file left by a program that crashed: nobody listens on it.
    const QString stale = QFile::decodeName(QByteArray::fromStdString(ipc::InstanceSocketPath()));
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, ipc::InstanceSocketPath().c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        ::close(fd);
    }
    ASSERT_TRUE(QFileInfo::exists(stale));

    std::vector<std::unique_ptr<QProcess>> starts;
    for (int i = 0; i < 2; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(Environment());
        p->setProgram(QStringLiteral(LIRABO_PATH));
        starts.push_back(std::move(p));
    }
    for (auto& p : starts)
        p->start();
    // One of them hands over to the other and ends; the other stays.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return starts[0]->state() == QProcess::NotRunning || starts[1]->state() == QProcess::NotRunning;
        },
        30000));
    QTest::qWait(1500);
    const int running =
        (starts[0]->state() != QProcess::NotRunning) + (starts[1]->state() != QProcess::NotRunning);
    EXPECT_EQ(running, 1);
    for (auto& p : starts) {
        if (p->state() == QProcess::NotRunning) {
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().constData();
        } else {
            // The survivor is reachable: makrel delivers to it.
            EXPECT_EQ(Makrel(FFolder.Dictionaries() + "/zbirds.ldi"), 0);
            p->terminate();
            EXPECT_TRUE(p->waitForFinished(10000));
        }
    }
}

}  // namespace
}  // namespace lirabo::test
