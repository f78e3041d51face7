// Clipboard and marked-text translation with another real program on a
// real X server: the suite runs under Xvfb (see CMakeLists.txt), and xclip
// is the other program.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTest>

#include "clipboard_fixture.h"
#include "main_window/status_bar.h"

namespace lirabo::test {
namespace {

class X11ClipboardTest : public ClipboardTest {
protected:
    // Another program takes Selection ("clipboard" or "primary") with Data.
    void Xclip(const char* Selection, const QByteArray& Data, const char* Type = "UTF8_STRING")
    {
        auto p = std::make_unique<QProcess>();
        p->start("xclip", {"-quiet", "-selection", Selection, "-t", Type, "-i"});
        ASSERT_TRUE(p->waitForStarted(5000)) << "xclip is needed";
        p->write(Data);
        p->closeWriteChannel();
        FHelpers.push_back(std::move(p));
    }

    TfrmMain& StartAndSettle()
    {
        TfrmMain& w = Start();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(100);  // the start-up notice
        return w;
    }
};

TEST_F(X11ClipboardTest, AnotherProgramsCopyIsLookedUpAndTheWindowComesForward)
{
    TfrmMain& w = StartAndSettle();
    QWidget other;
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    Xclip("clipboard", "cherry");
    ASSERT_TRUE(WaitForBox("cherry"));
    EXPECT_EQ(CurrentWord(w.LookupView()), "cherry");
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.isActiveWindow(); }, 3000));

    Xclip("clipboard", "banana " + QByteArray(143, 'x'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return LookupBox()->currentText().startsWith("banana"); }, 5000));
    EXPECT_EQ(LookupBox()->currentText().size(), 100);
}

TEST_F(X11ClipboardTest, GreekIsLookedUpInAGreekDictionaryAndTextADictionaryCannotHoldRaisesNothing)
{
    makrel::TWriterOptions greek;
    greek.Encoding = makrel::TEncodingChoice::Utf8;
    greek.Name = "Greek";
    FFolder.AddDictionary("greek.ldi", greek, {{"γάτα", "cat"}, {"σπίτι", "house"}});
    Stored().setValue("CurrentDictionary", 1);  // between Fruit and Birds
    TfrmMain& w = StartAndSettle();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    Xclip("clipboard", "ΣΠΊΤΙ");
    ASSERT_TRUE(WaitForBox("ΣΠΊΤΙ"));
    EXPECT_EQ(CurrentWord(w.LookupView()), "σπίτι");
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.isActiveWindow(); }, 3000));

    // Fruit is Windows-1252: Polish is not looked up there, and the window
    // does not take the person from their work only to say so.
    LookIn()->setCurrentIndex(0);
    emit LookIn()->activated(0);
    const std::string before = CurrentWord(w.LookupView());
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    Xclip("clipboard", "żółw");
    ASSERT_TRUE(WaitForBox("żółw"));
    EXPECT_EQ(CurrentWord(w.LookupView()), before);
    EXPECT_EQ(Find<TStatusBar>("stbStatusBar")->Notice(),
              "This dictionary cannot hold the character ż (U+017C)");
    QTest::qWait(500);
    EXPECT_TRUE(other.isActiveWindow());
}

TEST_F(X11ClipboardTest, AnImageOnTheClipboardDoesNothing)
{
    TfrmMain& w = StartAndSettle();
    Xclip("clipboard", "lemon");
    ASSERT_TRUE(WaitForBox("lemon"));
    QByteArray png = QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR4nGP4z8DwHwAFAAH/iZk9HQAAAABJRU5ErkJggg==");
    Xclip("clipboard", png, "image/png");
    QTest::qWait(500);
    EXPECT_EQ(LookupBox()->currentText(), "lemon");
    EXPECT_EQ(CurrentWord(w.LookupView()), "lemon");
}

TEST_F(X11ClipboardTest, OurOwnMarkingIsNotLookedUpButTheNextCopyIs)
{
    TfrmMain& w = StartAndSettle();
    Xclip("clipboard", "apple");
    ASSERT_TRUE(WaitForBox("apple"));
    w.LookupView()->OnTextSelected("a small fruit");
    QTest::qWait(300);
    EXPECT_EQ(QApplication::clipboard()->text(), "a small fruit");
    EXPECT_EQ(LookupBox()->currentText(), "apple");
    EXPECT_FALSE(w.IgnoreClipboard());
    Xclip("clipboard", "melon");
    EXPECT_TRUE(WaitForBox("melon"));
}

TEST_F(X11ClipboardTest, MarkedTextIsLookedUpOnceItRestsWhenTheOptionIsOn)
{
    TfrmMain& w = StartAndSettle();
    QAction* option = Find<QAction>("mnuSelectionTranslation");
    ASSERT_TRUE(option->isVisible());  // X11 has a primary selection
    EXPECT_FALSE(option->isChecked());
    Xclip("primary", "grape");
    QTest::qWait(700);
    EXPECT_EQ(LookupBox()->currentText(), "");  // off by default

    option->trigger();
    EXPECT_TRUE(option->isChecked());
    Xclip("primary", "grape");
    ASSERT_TRUE(WaitForBox("grape"));
    EXPECT_EQ(CurrentWord(w.LookupView()), "grape");

    // Marking in our own lookup box is ours, not a request.
    LookupBox()->lineEdit()->setText("cherry");
    LookupBox()->lineEdit()->selectAll();
    QTest::qWait(700);
    EXPECT_EQ(CurrentWord(w.LookupView()), "grape");
    Close();
    EXPECT_EQ(Stored().value("SelectionTranslation").toInt(), 1);
}

TEST_F(X11ClipboardTest, MarkingThatRestsAfterShutdownIsNotLookedUp)
{
    TfrmMain& w = StartAndSettle();
    Find<QAction>("mnuSelectionTranslation")->trigger();
    Xclip("primary", "lemon");
    // The marking has reached the program; it has not rested yet.
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return QApplication::clipboard()->text(QClipboard::Selection) == "lemon"; }, 5000));
    w.FormDestroy();
    QTest::qWait(700);
    EXPECT_EQ(LookupBox()->currentText(), "");
}

TEST_F(X11ClipboardTest, ACopyRestoresTheWindowFromTheNotificationArea)
{
    auto trayer = std::make_unique<QProcess>();
    trayer->start("trayer", {"--edge", "top", "--widthtype", "pixel", "--width", "200"});
    if (!trayer->waitForStarted(5000))
        GTEST_SKIP() << "trayer gives the notification area";
    FHelpers.push_back(std::move(trayer));
    ASSERT_TRUE(QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 5000));
    {
        QSettings s = Stored();
        s.setValue("MinimizeToTray", 1);
    }
    TfrmMain& w = StartAndSettle();
    w.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 3000));
    ASSERT_NE(w.TrayIcon(), nullptr);
    EXPECT_TRUE(w.TrayIcon()->isVisible());

    Xclip("clipboard", "melon");
    ASSERT_TRUE(WaitForBox("melon"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.isVisible() && !w.isMinimized(); }, 3000));
    EXPECT_FALSE(w.TrayIcon()->isVisible());
}

}  // namespace
}  // namespace lirabo::test
