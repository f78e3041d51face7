// Clipboard and marked-text translation on a Wayland desktop, with other
// real programs, while our window is in the background: the suite runs
// beside a real compositor (see with_sway.sh), the window natively on it,
// and wl-copy and offer_copy are the other programs. The focus is on an
// empty workspace of the other output, so the window is shown but never
// active: only the compositor's own reports can reach it.

#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QToolButton>

#include "ipc/instance_server.h"
#include "main_window/status_bar.h"
#include "clipboard_fixture.h"

namespace lirabo::test {
namespace {

class WaylandClipboardTest : public ClipboardTest {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("SWAYSOCK"))
            GTEST_SKIP() << "runs beside a compositor: with_sway.sh";
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            GTEST_SKIP() << "runs with the window on the compositor (QT_QPA_PLATFORM=wayland) or on X11";
        ClipboardTest::SetUp();
        // The compositor outlives each case; so would the last one's copies.
        Run(QStringLiteral("wl-copy"), {"--clear"});
        Run(QStringLiteral("wl-copy"), {"--primary", "--clear"});
    }

    static QByteArray Run(const QString& Program, const QStringList& Arguments, const QByteArray& Input = {})
    {
        QProcess p;
        p.start(Program, Arguments);
        if (!p.waitForStarted(5000))
            return "not started";
        p.write(Input);
        p.closeWriteChannel();
        p.waitForFinished(5000);
        return p.readAllStandardOutput();
    }

    // wl-copy takes the selection and stays in the background serving it.
    static void WlCopy(const QByteArray& Data, const QStringList& Options = {})
    {
        Run(QStringLiteral("wl-copy"), Options, Data);
    }

    // A copy offered in several types at once; returns once it is in place.
    void Offer(const QStringList& TypesAndValues)
    {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(OFFER_COPY_PATH), TypesAndValues);
        ASSERT_TRUE(p->waitForReadyRead(5000)) << p->readAllStandardError().constData();
        FHelpers.push_back(std::move(p));
    }

    enum class TOnScreen { Absent, Shown, Focused };
    // Our window as the compositor has it.
    static TOnScreen WindowOnScreen()
    {
        const QJsonDocument tree = QJsonDocument::fromJson(Run(QStringLiteral("swaymsg"), {"-r", "-t", "get_tree"}));
        TOnScreen found = TOnScreen::Absent;
        std::function<void(const QJsonObject&)> walk = [&](const QJsonObject& Node) {
            if (Node.value("app_id").toString() == QLatin1String("lirabo") ||
                Node.value("name").toString().contains(QLatin1String("Lirabo")))
                found = Node.value("focused").toBool() ? TOnScreen::Focused : TOnScreen::Shown;
            for (const QJsonValue& child : Node.value("nodes").toArray())
                walk(child.toObject());
        };
        walk(tree.object());
        return found;
    }
    static bool WindowFocused() { return WindowOnScreen() == TOnScreen::Focused; }

    TfrmMain& StartInBackground()
    {
        Run(QStringLiteral("swaymsg"), {"focus", "output", "HEADLESS-1"});
        TfrmMain& w = Start();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        // The compositor focuses a window when it maps it, which may come
        // after the toolkit's exposure.
        EXPECT_TRUE(QTest::qWaitFor([] { return WindowOnScreen() != TOnScreen::Absent; }, 5000));
        Run(QStringLiteral("swaymsg"), {"focus", "output", "HEADLESS-2"});
        // Generous: on a loaded machine the compositor's word on focus can
        // take seconds to reach the toolkit.
        EXPECT_TRUE(QTest::qWaitFor([] { return WindowOnScreen() == TOnScreen::Shown; }, 10000));
        // The toolkit too must know the window is in the background: it
        // would ask to come forward on its own behalf otherwise.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isActiveWindow(); }, 10000));
        QTest::qWait(200);  // the start-up report
        return w;
    }
};

TEST_F(WaylandClipboardTest, ACopyInAnotherProgramIsLookedUpInTheBackground)
{
    WlCopy("banana");
    TfrmMain& w = StartInBackground();
    // What the clipboard held at start is looked up once, as on X11.
    ASSERT_TRUE(WaitForBox("banana"));

    WlCopy("cherry");
    ASSERT_TRUE(WaitForBox("cherry"));
    EXPECT_EQ(CurrentWord(w.LookupView()), "cherry");
    // Shown where it is, without taking the focus from the other program.
    EXPECT_FALSE(WindowFocused());
    EXPECT_FALSE(w.isActiveWindow());

    // The first hundred characters of a long copy, on whole characters.
    WlCopy("grape " + QString(150, QChar(0x00E9)).toUtf8());
    ASSERT_TRUE(QTest::qWaitFor([&] { return LookupBox()->currentText().startsWith("grape"); }, 5000));
    EXPECT_EQ(LookupBox()->currentText().size(), 100);

    // Turned off, nothing is looked up; turned on, the clipboard is, at once.
    auto* button = Find<QToolButton>("spdClipboardTranslation");
    button->click();
    EXPECT_FALSE(button->isChecked());
    WlCopy("lemon");
    QTest::qWait(500);
    EXPECT_TRUE(LookupBox()->currentText().startsWith("grape"));
    button->click();
    EXPECT_TRUE(WaitForBox("lemon"));
}

TEST_F(WaylandClipboardTest, CopiesThatAreNoRequestAreNotLookedUpAndTheNextOneIs)
{
    struct TCase {
        const char* Name;
        QStringList Offer;
        bool LookedUp;
    };
    const std::vector<TCase> cases = {
        {"an image", {"image/png", "\x89PNG"}, false},
        {"a password manager's secret",
         {"text/plain;charset=utf-8", "apple", "x-kde-passwordManagerHint", "secret"}, false},
        {"a copy of our own", {"text/plain;charset=utf-8", "apple", "application/x-lirabo-own-copy", "1"}, false},
        {"text with a hint that is no secret",
         {"text/plain;charset=utf-8", "apple", "x-kde-passwordManagerHint", "public"}, true},
        {"X11's type only", {"UTF8_STRING", "apple"}, true},
    };
    StartInBackground();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        WlCopy("melon");
        ASSERT_TRUE(WaitForBox("melon"));
        Offer(c.Offer);
        if (c.LookedUp) {
            EXPECT_TRUE(WaitForBox("apple"));
        } else {
            QTest::qWait(500);
            EXPECT_EQ(LookupBox()->currentText(), "melon");
        }
        WlCopy("cherry");
        EXPECT_TRUE(WaitForBox("cherry"));
    }
}

TEST_F(WaylandClipboardTest, OurOwnMarkingIsNotLookedUpButTheNextCopyIs)
{
    TfrmMain& w = StartInBackground();
    WlCopy("apple");
    ASSERT_TRUE(WaitForBox("apple"));
    w.LookupView()->OnTextSelected("a small fruit");
    QTest::qWait(500);
    EXPECT_EQ(LookupBox()->currentText(), "apple");
    // Without a keyboard on the compositor's seat, the copy may not reach
    // it; either way the next copy counts.
    EXPECT_FALSE(w.IgnoreClipboard());
    WlCopy("melon");
    EXPECT_TRUE(WaitForBox("melon"));
}

TEST_F(WaylandClipboardTest, MarkedTextIsLookedUpOnlyWithTheOption)
{
    TfrmMain& w = StartInBackground();
    QAction* option = Find<QAction>("mnuSelectionTranslation");
    ASSERT_TRUE(option->isVisible());  // the compositor has a primary selection
    EXPECT_FALSE(option->isChecked());
    WlCopy("grape", {"--primary"});
    QTest::qWait(700);
    EXPECT_EQ(LookupBox()->currentText(), "");

    option->trigger();
    WlCopy("lemon", {"--primary"});
    ASSERT_TRUE(WaitForBox("lemon"));
    EXPECT_EQ(CurrentWord(w.LookupView()), "lemon");
    EXPECT_FALSE(WindowFocused());
}

TEST_F(WaylandClipboardTest, ASecondStartBringsTheWindowForwardWithItsLaunchToken)
{
    TfrmMain& w = StartInBackground();
    ipc::TInstanceServer server;
    server.OnMessage = [&w](const QString& Path, const QString& Token) {
        if (Path.isEmpty())
            w.BringToFront(Token);
    };
    ASSERT_TRUE(server.Listen());
    const auto secondStart = [](const QString& Token) {
        QProcess lirabo;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
        if (!Token.isEmpty())
            environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), Token);
        lirabo.setProcessEnvironment(environment);
        lirabo.start(QStringLiteral(LIRABO_PATH), {});
        // The window answers from this event loop.
        if (!QTest::qWaitFor([&] { return lirabo.state() == QProcess::NotRunning; }, 10000))
            return -1;
        return lirabo.exitCode();
    };

    // Without a token the desktop keeps the focus where it is.
    ASSERT_EQ(secondStart({}), 0);
    QTest::qWait(700);
    EXPECT_FALSE(WindowFocused());

    // With the one a launcher got for it, the window comes forward.
    const QString token = QString::fromLatin1(Run(QStringLiteral(ACTIVATION_TOKEN_PATH), {})).trimmed();
    ASSERT_FALSE(token.isEmpty());
    ASSERT_EQ(secondStart(token), 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return WindowFocused(); }, 5000));
    EXPECT_TRUE(qEnvironmentVariableIsEmpty("XDG_ACTIVATION_TOKEN"));
}

// Runs with the window on X11 (Xvfb) and the compositor beside it: a
// compositor that goes away would take a native window with it.
TEST_F(WaylandClipboardTest, TheCompositorGoingAwayLeavesTheWindowWithTranslationOff)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("xcb")))
        GTEST_SKIP() << "the window must outlive the compositor";
    TfrmMain& w = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    WlCopy("banana");
    ASSERT_TRUE(WaitForBox("banana"));

    Run(QStringLiteral("swaymsg"), {"exit"});
    auto* button = Find<QToolButton>("spdClipboardTranslation");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !button->isChecked(); }, 5000));
    EXPECT_EQ(Find<TStatusBar>("stbStatusBar")->Notice(),
              "The connection to the desktop's clipboard was lost: clipboard translation is off.");
    EXPECT_TRUE(w.isVisible());
    // Turned on again, the toolkit's own clipboard is watched.
    button->click();
    EXPECT_TRUE(button->isChecked());
    QTest::qWait(200);
    w.close();
    EXPECT_EQ(Stored().value("ClipboardTranslation").toInt(), 1);
}

}  // namespace
}  // namespace lirabo::test
