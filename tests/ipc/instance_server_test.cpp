// The running program's end against every kind of sender: this one, one from
// before activation tokens, and peers that send what no sound sender does.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "instance_fixture.h"
#include "ipc/instance_server.h"
#include "ipc/open_message.h"
#include "wait_until.h"

namespace lirabo::ipc {
namespace {

using TMessage = std::pair<QString, QString>;  // path, token

class InstanceServerTest : public InstanceFixture {
protected:
    void SetUp() override
    {
        InstanceFixture::SetUp();
        FServer = std::make_unique<TInstanceServer>();
        ASSERT_TRUE(FServer->Listen());
        FServer->OnMessage = [this](const QString& Path, const QString& Token) {
            FMessages.emplace_back(Path, Token);
        };
    }
    void TearDown() override
    {
        FServer.reset();
        InstanceFixture::TearDown();
    }

    // A sender written by hand: First at once, then After once the answer
    // has come, then it closes; when Linger, it first waits for the server
    // to close. True when the answer came.
    static bool Send(const std::string& First, const std::string& After = {}, bool Linger = false)
    {
        const int fd = Connect();
        if (fd < 0)
            return false;
        ::send(fd, First.data(), First.size(), MSG_NOSIGNAL);
        const std::optional<char> answer = ReadByte(fd, 4000);
        if (answer && !After.empty())
            ::send(fd, After.data(), After.size(), MSG_NOSIGNAL);
        while (Linger && ReadByte(fd, 4000)) {
        }
        ::close(fd);
        return answer == kOpenMessageAck;
    }

    static bool Delivered(const std::string& Path, const std::string& Token)
    {
        std::string error;
        return SendOpenMessage(Path, error, 4000, Token) == TSendResult::Delivered;
    }

    std::unique_ptr<TInstanceServer> FServer;
    std::vector<TMessage> FMessages;
};

TEST_F(InstanceServerTest, EverySenderIsAnsweredAndItsPathDeliveredWithASoundTokenOnly)
{
    using namespace std::string_literals;
    struct TCase {
        const char* Name;
        std::function<bool()> Sender;  // true: it had its answer
        bool Answered;
        std::optional<TMessage> Message;  // none: nothing is delivered
    };
    const std::vector<TCase> cases = {
        {"this sender, no token", [] { return Delivered("/a.ldi", ""); }, true, TMessage{"/a.ldi", ""}},
        {"this sender, a token", [] { return Delivered("/a.ldi", "sway-1_x.y"); }, true,
         TMessage{"/a.ldi", "sway-1_x.y"}},
        {"window only, a token", [] { return Delivered("", "launch:9"); }, true, TMessage{"", "launch:9"}},
        {"older sender: path, answer, close", [] { return Send("/b.ldi\0"s); }, true, TMessage{"/b.ldi", ""}},
        {"all at once", [] { return Send("/c.ldi\0tok\0"s); }, true, TMessage{"/c.ldi", "tok"}},
        {"broken token", [] { return Send("/d.ldi\0"s, "a b\0"s); }, true, TMessage{"/d.ldi", ""}},
        {"bytes after the token", [] { return Send("/e.ldi\0"s, "tok\0junk"s); }, true,
         TMessage{"/e.ldi", ""}},
        {"endless token", [] { return Send("/f.ldi\0"s, std::string(64 * 1024, 'k')); }, true,
         TMessage{"/f.ldi", ""}},
        {"silent after the answer", [] { return Send("/g.ldi\0"s, "", true); }, true, TMessage{"/g.ldi", ""}},
        {"path cut short", [] { return Send("/h.ldi"); }, false, std::nullopt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        FMessages.clear();
        std::atomic<bool> done = false;
        bool answered = false;
        std::thread sender([&] {
            answered = c.Sender();
            done = true;
        });
        const bool ended = test::WaitUntil([&] { return done && FMessages.size() == (c.Message ? 1u : 0u); },
                                           TInstanceServer::kReadTimeoutMs + 5000);
        sender.join();
        EXPECT_TRUE(ended);
        EXPECT_EQ(answered, c.Answered);
        // Nothing more comes of it.
        QCoreApplication::processEvents();
        if (c.Message) {
            ASSERT_EQ(FMessages.size(), 1u);
            EXPECT_EQ(FMessages[0], *c.Message);
        } else {
            EXPECT_TRUE(FMessages.empty());
        }
    }
}

}  // namespace
}  // namespace lirabo::ipc
