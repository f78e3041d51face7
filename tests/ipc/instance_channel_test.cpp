#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "instance_fixture.h"
#include "ipc/instance_channel.h"
#include "ipc/open_message.h"

namespace lirabo::ipc {
namespace {

using InstanceChannelTest = InstanceFixture;

// Reads a message's path the way the receiver does, keeping every byte
// read in Bytes when given.
TOpenMessageReader ReceivePath(int Client, std::string* Bytes = nullptr)
{
    TOpenMessageReader reader;
    char buffer[64];
    while (reader.State() == TOpenMessageReader::TState::NeedPath) {
        const ssize_t n = ::recv(Client, buffer, sizeof(buffer), 0);
        if (n <= 0)
            break;
        if (Bytes)
            Bytes->append(buffer, static_cast<std::size_t>(n));
        reader.Feed(buffer, static_cast<std::size_t>(n));
    }
    return reader;
}

TEST_F(InstanceChannelTest, SocketGoesToAPrivateFolderOfThisUserOnly)
{
    const std::string uid = std::to_string(::getuid());
    const std::string fallback = FTemporary + "/lirabo-" + uid;
    struct TCase {
        const char* Name;
        std::function<void()> Prepare;  // after the environment is reset to the fixture's
        std::string Folder;             // expected; empty: none to be had
    };
    const std::vector<TCase> cases = {
        {"runtime folder", [] {}, FRuntime},
        {"trailing slashes", [&] { ::setenv("XDG_RUNTIME_DIR", (FRuntime + "//").c_str(), 1); }, FRuntime},
        {"no runtime folder", [] { ::unsetenv("XDG_RUNTIME_DIR"); }, fallback},
        {"relative runtime folder", [] { ::setenv("XDG_RUNTIME_DIR", "run", 1); }, fallback},
        {"missing runtime folder", [&] { ::setenv("XDG_RUNTIME_DIR", (FRuntime + "/gone").c_str(), 1); },
         fallback},
        {"runtime folder open to others", [&] { ::chmod(FRuntime.c_str(), 0755); }, fallback},
        {"link planted at the fallback",
         [&] {
             ::unsetenv("XDG_RUNTIME_DIR");
             ::symlink(FRuntime.c_str(), fallback.c_str());
         },
         ""},
        {"file planted at the fallback",
         [&] {
             ::unsetenv("XDG_RUNTIME_DIR");
             std::fclose(std::fopen(fallback.c_str(), "w"));
         },
         ""},
        {"fallback open to others",
         [&] {
             ::unsetenv("XDG_RUNTIME_DIR");
             ::mkdir(fallback.c_str(), 0777);
             ::chmod(fallback.c_str(), 0777);
         },
         ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::system(("rm -rf '" + fallback + "'").c_str());
        ::chmod(FRuntime.c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", FRuntime.c_str(), 1);
        c.Prepare();
        EXPECT_EQ(InstanceFolder(), c.Folder);
        EXPECT_EQ(InstanceSocketPath(), c.Folder.empty() ? "" : c.Folder + "/TfrmMain-" + uid);
        if (c.Folder == fallback) {
            struct stat info {};
            ASSERT_EQ(::lstat(fallback.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 0777, 0700u);
        }
        if (c.Folder.empty()) {
            // Unreachable, never hanging and never writing through the plant.
            std::string error;
            EXPECT_EQ(SendOpenMessage("/a.ldi", error, 200), TSendResult::NoProgram);
            EXPECT_FALSE(TInstanceLock(200).Held());
            EXPECT_NE(::access((FRuntime + "/TfrmMain-" + uid + ".lock").c_str(), F_OK), 0);
        }
    }
}

TEST_F(InstanceChannelTest, AForeignLockFileOrAStuckHolderNeverHoldsAStartForEver)
{
    const std::string lockPath = InstanceSocketPath() + ".lock";
    // A holder that never lets go: the lock is given up on after its wait.
    const pid_t stuck = ::fork();
    if (stuck == 0) {
        for (int fd = 3; fd < 1024; ++fd)
            ::close(fd);
        TInstanceLock held;
        ::pause();
        std::_Exit(0);
    }
    while (::access(lockPath.c_str(), F_OK) != 0)
        ::usleep(10 * 1000);
    ::usleep(100 * 1000);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(TInstanceLock(300).Held());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    ::kill(stuck, SIGKILL);
    ::waitpid(stuck, nullptr, 0);

    if (::getuid() == 0) {
        // Another user's lock file would let them hold every start of ours.
        ASSERT_EQ(::chown(lockPath.c_str(), 1, 1), 0);
        EXPECT_FALSE(TInstanceLock(300).Held());
        struct stat info {};
        ASSERT_EQ(::stat(lockPath.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 1u);
    }
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
            received = ReceivePath(client).Path();
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

TEST_F(InstanceChannelTest, TheTokenFollowsTheAnswerAndAnOlderReceiverStillTakesThePath)
{
    struct TCase {
        const char* Name;
        const char* EnvironmentToken;  // nullptr: unset
        std::function<TSendResult(std::string& Error)> Send;
        bool OlderReceiver;    // answers, then closes at once, reading nothing more
        std::string Received;  // every byte the receiver read
    };
    const std::string longToken(kMaxActivationToken + 1, 't');
    const std::vector<TCase> cases = {
        {"no token", nullptr, [](std::string& e) { return SendOpenMessage("/a.ldi", e, 2000); }, false,
         std::string("/a.ldi\0", 7)},
        {"token given", nullptr, [](std::string& e) { return SendOpenMessage("/a.ldi", e, 2000, "k-1_x.y"); },
         false, std::string("/a.ldi\0k-1_x.y\0", 15)},
        {"token of the launch", "launch:42",
         [](std::string& e) { return SendOpenMessage("/a.ldi", e, 2000); }, false,
         std::string("/a.ldi\0launch:42\0", 17)},
        {"window only, with a token", "t", [](std::string& e) { return SendOpenMessage("", e, 2000); }, false,
         std::string("\0t\0", 3)},
        {"makrel's way", "launch:43",
         [](std::string& e) { return SendOpenMessageWhenReady("/a.ldi", e, 2000); }, false,
         std::string("/a.ldi\0launch:43\0", 17)},
        {"no token is better than a broken one", "two words",
         [](std::string& e) { return SendOpenMessage("/a.ldi", e, 2000); }, false,
         std::string("/a.ldi\0", 7)},
        {"too long to be a token", nullptr,
         [&](std::string& e) { return SendOpenMessage("/a.ldi", e, 2000, longToken); }, false,
         std::string("/a.ldi\0", 7)},
        {"older receiver", "launch:44", [](std::string& e) { return SendOpenMessage("/a.ldi", e, 2000); },
         true, std::string("/a.ldi\0", 7)},
        {"older receiver, long token", nullptr,
         [](std::string& e) {
             return SendOpenMessage("/a.ldi", e, 2000, std::string(kMaxActivationToken, 'k'));
         },
         true, std::string("/a.ldi\0", 7)},
    };
    const int fd = Listen();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.EnvironmentToken)
            ::setenv("XDG_ACTIVATION_TOKEN", c.EnvironmentToken, 1);
        else
            ::unsetenv("XDG_ACTIVATION_TOKEN");
        std::string received;
        std::thread receiver([&] {
            const int client = ::accept(fd, nullptr, nullptr);
            ReceivePath(client, &received);
            if (c.OlderReceiver) {
                // Closed for reading before the answer goes, so that the
                // sender's token certainly meets a closed connection.
                ::shutdown(client, SHUT_RD);
                ::send(client, &kOpenMessageAck, 1, MSG_NOSIGNAL);
                ::close(client);
                return;
            }
            ::send(client, &kOpenMessageAck, 1, MSG_NOSIGNAL);
            // The sender closes after its token, or at once without one.
            while (const std::optional<char> byte = ReadByte(client, 2000))
                received.push_back(*byte);
            ::close(client);
        });
        std::string error;
        // A sender killed by SIGPIPE here would end the whole test program.
        EXPECT_EQ(c.Send(error), TSendResult::Delivered) << error;
        EXPECT_TRUE(error.empty()) << error;
        receiver.join();
        EXPECT_EQ(received, c.Received);
    }
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
