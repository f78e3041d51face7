#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>

#include "ipc/instance_channel.h"
#include "ipc/open_message.h"

namespace lirabo::ipc {
namespace {

// A private temporary folder as TMPDIR, so that the socket is this test's.
class InstanceChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/lirabo-ipc-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        FFolder = pattern;
        const char* old = std::getenv("TMPDIR");
        FOldTmp = old ? old : "";
        FHadTmp = old != nullptr;
        ::setenv("TMPDIR", FFolder.c_str(), 1);
    }
    void TearDown() override
    {
        if (FHadTmp)
            ::setenv("TMPDIR", FOldTmp.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        std::system(("rm -rf '" + FFolder + "'").c_str());
    }

    // A listening socket at the instance path; the caller accepts.
    int Listen()
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = InstanceSocketPath();
        std::strcpy(address.sun_path, path.c_str());
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        EXPECT_EQ(::listen(fd, 4), 0);
        return fd;
    }

    std::string FFolder;
    std::string FOldTmp;
    bool FHadTmp = false;
};

TEST_F(InstanceChannelTest, SocketIsNamedAfterTheWindowAndTheUserInTmpdir)
{
    EXPECT_EQ(InstanceSocketPath(), FFolder + "/TfrmMain-" + std::to_string(::getuid()));
    ::setenv("TMPDIR", (FFolder + "//").c_str(), 1);
    EXPECT_EQ(InstanceSocketPath(), FFolder + "/TfrmMain-" + std::to_string(::getuid()));
    ::setenv("TMPDIR", "", 1);
    EXPECT_EQ(InstanceSocketPath(), "/tmp/TfrmMain-" + std::to_string(::getuid()));
}

TEST_F(InstanceChannelTest, NoSocketStaleSocketOrForeignFileMeansNoProgram)
{
    std::string error;
    EXPECT_EQ(SendOpenMessage("/a.ldi", error, 500), TSendResult::NoProgram);

    // A socket file left by a program that crashed: nobody listens.
    const int fd = Listen();
    ::close(fd);
    EXPECT_EQ(SendOpenMessage("/a.ldi", error, 500), TSendResult::NoProgram);

    // A plain file under the name is not a program at all.
    ::unlink(InstanceSocketPath().c_str());
    FILE* f = std::fopen(InstanceSocketPath().c_str(), "w");
    std::fclose(f);
    EXPECT_EQ(SendOpenMessage("/a.ldi", error, 500), TSendResult::NoProgram);
    EXPECT_NE(error.find("not this user's socket"), std::string::npos);
}

TEST_F(InstanceChannelTest, AnotherUsersSocketIsNeverSentTo)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "only root can give a socket to another user";
    const int fd = Listen();
    ASSERT_EQ(::chown(InstanceSocketPath().c_str(), 1, 1), 0);
    std::string error;
    EXPECT_EQ(SendOpenMessage("/secret/path.ldi", error, 500), TSendResult::NoProgram);
    // Nothing was connected: no client waits in the queue.
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    EXPECT_LT(::accept(fd, nullptr, nullptr), 0);
    ::close(fd);
}

TEST_F(InstanceChannelTest, DeliveredOnlyWhenTheReceiverAnswers)
{
    const int fd = Listen();
    std::string received;
    std::thread receiver([&] {
        for (int round = 0; round < 3; ++round) {
            const int client = ::accept(fd, nullptr, nullptr);
            TOpenMessageReader reader;
            char buffer[64];
            while (reader.State() == TOpenMessageReader::TState::NeedMore) {
                const ssize_t n = ::recv(client, buffer, sizeof(buffer), 0);
                if (n <= 0)
                    break;
                reader.Feed(buffer, static_cast<size_t>(n));
            }
            received = reader.Path();
            if (round == 0)
                ::send(client, &kOpenMessageAck, 1, 0);
            else if (round == 2)
                ::usleep(600 * 1000);  // silent: the sender gives up
            ::close(client);           // round 1: closed without an answer
        }
    });
    std::string error;
    EXPECT_EQ(SendOpenMessage("/home/a/Fruit.ldi", error, 2000), TSendResult::Delivered);
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(SendOpenMessage("/b.ldi", error, 2000), TSendResult::Failed);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(SendOpenMessage("/c.ldi", error, 200), TSendResult::Failed);
    EXPECT_NE(error.find("in time"), std::string::npos);
    receiver.join();
    EXPECT_EQ(received, "/c.ldi");
    ::close(fd);
}

TEST_F(InstanceChannelTest, LockIsExclusiveBetweenProcessesAndDiesWithItsHolder)
{
    TInstanceLock lock;
    ASSERT_TRUE(lock.Held());
    // A second program blocks until the first lets go.
    const pid_t child = ::fork();
    if (child == 0) {
        // A forked child shares the parent's lock until it lets go of the
        // descriptors it inherited; a program started anew has none.
        for (int fd = 3; fd < 1024; ++fd)
            ::close(fd);
        TInstanceLock second;
        std::_Exit(second.Held() ? 0 : 1);
    }
    ::usleep(200 * 1000);
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, WNOHANG), 0) << "the second lock did not wait";
    lock.Release();
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // A holder that dies without releasing leaves nothing held.
    const pid_t dying = ::fork();
    if (dying == 0) {
        for (int fd = 3; fd < 1024; ++fd)
            ::close(fd);
        TInstanceLock held;
        std::_Exit(held.Held() ? 0 : 1);
    }
    ::waitpid(dying, &status, 0);
    TInstanceLock after;
    EXPECT_TRUE(after.Held());
}

TEST_F(InstanceChannelTest, SendersWaitForAStartingProgramToTakeItsSocket)
{
    // A starting program holds the lock and listens a moment later.
    auto lock = std::make_unique<TInstanceLock>();
    int fd = -1;
    std::thread starter([&] {
        ::usleep(300 * 1000);
        fd = Listen();
        lock.reset();
        const int client = ::accept(fd, nullptr, nullptr);
        char buffer[64];
        ::recv(client, buffer, sizeof(buffer), 0);
        ::send(client, &kOpenMessageAck, 1, 0);
        ::close(client);
    });
    std::string error;
    EXPECT_EQ(SendOpenMessageWhenReady("/a.ldi", error, 2000), TSendResult::Delivered) << error;
    starter.join();
    ::close(fd);
}

TEST(AbsolutePathTest, RelativePathsJoinTheCurrentFolderAndDotsFold)
{
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof(cwd)), nullptr);
    const std::string here = cwd;
    EXPECT_EQ(AbsolutePath("a.ldi"), (here == "/" ? "" : here) + "/a.ldi");
    EXPECT_EQ(AbsolutePath("/x/./y/../z.ldi"), "/x/z.ldi");
    EXPECT_EQ(AbsolutePath("//x///y.ldi"), "/x/y.ldi");
    EXPECT_EQ(AbsolutePath("/../.."), "/");
    EXPECT_EQ(AbsolutePath(""), "");
}

}  // namespace
}  // namespace lirabo::ipc
