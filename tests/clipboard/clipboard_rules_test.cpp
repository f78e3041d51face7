// The rules of clipboard translation that need no compositor: which type
// of a copy is read and how, which copies are skipped, where the window
// starts, and reading another program's pipe.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

#include "clipboard/copied_types.h"
#include "clipboard/pipe_reader.h"
#include "clipboard/start_platform.h"
#include "bare_compositor.h"

namespace lirabo {
namespace {

using TState = TDataControlConnection::TState;

TEST(CopiedTypes, TheTextTypeChosenAndHowItIsRead)
{
    struct TCase {
        std::vector<std::string> Types;
        int Chosen;
        QByteArray Bytes;
        QString Text;
    };
    const QString word = QStringLiteral("sp\u00EDti");  // UTF-8 "spíti"
    const std::vector<TCase> cases = {
        {{"text/html", "text/plain;charset=utf-8", "text/plain"}, 1, word.toUtf8(), word},
        {{"TEXT/PLAIN; CHARSET=UTF-8"}, 0, word.toUtf8(), word},
        {{"STRING", "UTF8_STRING"}, 1, word.toUtf8(), word},
        {{"text/plain"}, 0, word.toUtf8(), word},
        // X11's STRING is Latin-1.
        {{"image/png", "STRING"}, 1, QByteArray("sp\xEDti"), word},
        // A read cut inside a character loses that character only.
        {{"text/plain;charset=utf-8"}, 0, word.toUtf8().left(3), QStringLiteral("sp")},
        {{"image/png", "application/x-lirabo-own-copy", "text/uri-list"}, -1, {}, {}},
        {{}, -1, {}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Types.empty() ? std::string("no types") : c.Types.front());
        EXPECT_EQ(ChooseTextType(c.Types), c.Chosen);
        if (c.Chosen >= 0)
            EXPECT_EQ(DecodeCopiedText(c.Types[static_cast<std::size_t>(c.Chosen)], c.Bytes), c.Text);
    }
}

TEST(CopiedTypes, OwnCopiesAndSecretsAreSkipped)
{
    struct TCase {
        const char* Name;
        QList<std::pair<QString, QByteArray>> Formats;
        bool Skipped;
    };
    const std::vector<TCase> cases = {
        {"plain text", {{"text/plain", "apple"}}, false},
        {"our own copy", {{"text/plain", "apple"}, {kOwnCopyType, "1"}}, true},
        {"a secret", {{"text/plain", "hunter2"}, {kSecretHintType, "secret"}}, true},
        {"a secret with a line end", {{"text/plain", "hunter2"}, {kSecretHintType, "secret\n"}}, true},
        {"a hint that is no secret", {{"text/plain", "apple"}, {kSecretHintType, "public"}}, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QMimeData data;
        for (const auto& [type, value] : c.Formats)
            data.setData(type, value);
        EXPECT_EQ(SkipCopiedData(data), c.Skipped);
    }
}

TEST(StartPlatform, XWaylandOnlyWhereTheCompositorRefusesAndNobodyChose)
{
    struct TCase {
        const char* Name;
        TStartFacts Facts;
        TState Compositor;
        TStartPlatform Expected;
        bool Asked;
    };
    const TStartFacts gnome{"wayland-0", ":0", "", false, true};
    const auto with = [&](auto Change) {
        TStartFacts facts = gnome;
        Change(facts);
        return facts;
    };
    const std::vector<TCase> cases = {
        {"GNOME, translation on", gnome, TState::Unsupported, TStartPlatform::ThroughXWayland, true},
        {"KDE or sway", gnome, TState::Ready, TStartPlatform::AsChosen, true},
        {"a compositor that does not answer", gnome, TState::Connecting, TStartPlatform::AsChosen, true},
        {"a compositor that cannot be reached", gnome, TState::Broken, TStartPlatform::AsChosen, true},
        {"translation off", with([](TStartFacts& f) { f.TranslationOn = false; }), TState::Unsupported,
         TStartPlatform::AsChosen, false},
        {"an X11 desktop", with([](TStartFacts& f) { f.WaylandDisplay.clear(); }), TState::Unsupported,
         TStartPlatform::AsChosen, false},
        {"no XWayland", with([](TStartFacts& f) { f.X11Display.clear(); }), TState::Unsupported,
         TStartPlatform::AsChosen, false},
        {"QT_QPA_PLATFORM set", with([](TStartFacts& f) { f.ForcedPlatform = "wayland"; }), TState::Unsupported,
         TStartPlatform::AsChosen, false},
        {"-platform given", with([](TStartFacts& f) { f.PlatformArgument = true; }), TState::Unsupported,
         TStartPlatform::AsChosen, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        bool asked = false;
        EXPECT_EQ(ChooseStartPlatform(c.Facts,
                                      [&] {
                                          asked = true;
                                          return c.Compositor;
                                      }),
                  c.Expected);
        EXPECT_EQ(asked, c.Asked);
    }

    char program[] = "lirabo", platform[] = "-platform", xcb[] = "xcb", file[] = "a.ldi";
    char* arguments[] = {program, platform, xcb, file};
    EXPECT_TRUE(StartFactsOf(4, arguments, true).PlatformArgument);
    EXPECT_FALSE(StartFactsOf(1, arguments, true).PlatformArgument);
}

TEST(StartPlatform, TheCompositorIsAskedWithoutWaitingLong)
{
    QTemporaryDir folder;
    const std::string bare = folder.filePath("bare").toStdString();
    const std::string silent = folder.filePath("silent").toStdString();
    TBareCompositor compositor(bare);
    ASSERT_TRUE(compositor.Listening());
    // A socket that takes connections and never answers: a hung compositor.
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, silent.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(::listen(listener, 4), 0);

    const struct {
        std::string Display;
        TState Expected;
    } cases[] = {
        {bare, TState::Unsupported},
        {silent, TState::Connecting},
        {folder.filePath("nothing").toStdString(), TState::Broken},
    };
    const QByteArray saved = qgetenv("WAYLAND_DISPLAY");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Display);
        qputenv("WAYLAND_DISPLAY", QByteArray::fromStdString(c.Display));
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(ProbeCompositor(300), c.Expected);
        EXPECT_LT(clock.elapsed(), 2000);
    }
    qputenv("WAYLAND_DISPLAY", saved);
    ::close(listener);
}

class PipeReaderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "clipboard_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }
};

TEST_F(PipeReaderTest, ReadsToTheEndToTheLimitOrUntilTheWriterStalls)
{
    struct TCase {
        const char* Name;
        QByteArray Written;
        bool Close;
        qsizetype Limit;
        QByteArray Read;
        bool Finished;
    };
    const QByteArray big(200 * 1024, 'x');
    const std::vector<TCase> cases = {
        {"a word, then the end", "cherry", true, 1024, "cherry", true},
        {"more than the limit", big, false, 64 * 1024, big.left(64 * 1024), true},
        {"a writer that stalls", "che", false, 1024, "che", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        int fds[2];
        ASSERT_EQ(::pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
        std::thread writer([&] {
            qsizetype sent = 0;
            while (sent < c.Written.size()) {
                const ssize_t n = ::write(fds[1], c.Written.constData() + sent, c.Written.size() - sent);
                if (n > 0)
                    sent += n;
                else if (errno != EAGAIN)
                    break;
                else
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                if (!c.Close && sent >= 64 * 1024)
                    break;  // the reader stops at its limit
            }
            if (c.Close)
                ::close(fds[1]);
        });
        bool done = false;
        QByteArray read;
        bool finished = false;
        new TPipeReader(fds[0], c.Limit, 300, [&](const QByteArray& Data, bool Finished) {
            done = true;
            read = Data;
            finished = Finished;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 3000));
        writer.join();
        if (!c.Close)
            ::close(fds[1]);
        EXPECT_EQ(read, c.Read);
        EXPECT_EQ(finished, c.Finished);
    }
}

}  // namespace
}  // namespace lirabo
