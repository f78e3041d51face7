// Clipboard translation, the tray, always on top, transparency and the
// builder tool, on the real window offscreen, where the clipboard is the
// program's own.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QSystemTrayIcon>
#include <QTest>
#include <QToolButton>

#include "window_fixture.h"

namespace lirabo::test {
namespace {

class WindowBehaviourTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        AddStandardDictionaries();
        QApplication::clipboard()->clear();
    }

    void StoreSetting(const char* Name, const QVariant& Value)
    {
        QSettings s = Stored();
        s.setValue(QLatin1String(Name), Value);
    }

    // Copies as another program would; offscreen the notice comes at once.
    static void Copy(const QString& Text) { QApplication::clipboard()->setText(Text); }

    QString BoxText() { return LookupBox()->currentText(); }
};

TEST_F(WindowBehaviourTest, StartUpLooksUpTheClipboardOnceAfterTheDictionaryIsOpen)
{
    StoreSetting("ClipboardTranslation", 1);
    Copy("cherry");
    TfrmMain& w = Start();
    // Joining at start reported the clipboard at once; that notice was the
    // one skipped.
    EXPECT_EQ(w.NextClipboardViewer(), 0);
    EXPECT_FALSE(w.IgnoreClipboard());
    EXPECT_EQ(BoxText(), "");
    QCoreApplication::processEvents();
    EXPECT_EQ(BoxText(), "cherry");
    EXPECT_EQ(CurrentWord(w.LookupView()), "cherry");
    EXPECT_TRUE(w.Recent().Words().isEmpty());  // a copy is not a recorded word

    Copy("lemon");
    EXPECT_EQ(CurrentWord(w.LookupView()), "lemon");
}

TEST_F(WindowBehaviourTest, WithTranslationOffThePostedNoticeIsSkippedAndTheButtonJoins)
{
    Copy("cherry");
    TfrmMain& w = Start();
    EXPECT_EQ(w.NextClipboardViewer(), -1);
    EXPECT_TRUE(w.IgnoreClipboard());
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.IgnoreClipboard());
    EXPECT_EQ(BoxText(), "");
    Copy("grape");
    EXPECT_EQ(BoxText(), "");

    auto* button = Find<QToolButton>("spdClipboardTranslation");
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(w.NextClipboardViewer(), 0);
    EXPECT_EQ(BoxText(), "grape");  // turning it on looks up what is there
    EXPECT_EQ(CurrentWord(w.LookupView()), "grape");

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(w.NextClipboardViewer(), -1);
    Copy("melon");
    EXPECT_EQ(BoxText(), "grape");
    Close();
    EXPECT_EQ(Stored().value("ClipboardTranslation").toInt(), 0);
}

TEST_F(WindowBehaviourTest, CopiedTextIsCutToOneHundredCharactersAndEmptyOrNonTextDoesNothing)
{
    StoreSetting("ClipboardTranslation", 1);
    Start();
    QCoreApplication::processEvents();
    Copy("banana " + QString(143, QLatin1Char('x')));
    EXPECT_EQ(BoxText().size(), 100);
    EXPECT_TRUE(BoxText().startsWith("banana xx"));

    Copy("apple");
    Copy(" \t\r\n ");
    EXPECT_EQ(BoxText(), "apple");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QApplication::clipboard()->setImage(image);
    EXPECT_EQ(BoxText(), "apple");
    // Characters the dictionaries cannot hold never break the lookup.
    Copy(QString::fromUtf8("\xe2\x82\xac\xf0\x9f\x8d\x8e apple \xe4\xb8\xad"));
    EXPECT_TRUE(BoxText().contains("apple"));
}

TEST_F(WindowBehaviourTest, OnTheInternetTabACopyFillsTheBoxButLooksNothingUp)
{
    StoreSetting("ClipboardTranslation", 1);
    TfrmMain& w = Start();
    QCoreApplication::processEvents();
    Copy("banana");
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_F3, Qt::ControlModifier);
    ASSERT_EQ(Tabs()->currentIndex(), 2);
    Copy("melon");
    EXPECT_EQ(BoxText(), "melon");
    EXPECT_EQ(CurrentWord(w.LookupView()), "banana");
}

TEST_F(WindowBehaviourTest, MarkingTextInTheViewCopiesItWithoutALookup)
{
    StoreSetting("ClipboardTranslation", 1);
    TfrmMain& w = Start();
    QCoreApplication::processEvents();
    Copy("apple");
    w.LookupView()->OnTextSelected("yellow fruit");
    EXPECT_EQ(QApplication::clipboard()->text(), "yellow fruit");
    EXPECT_EQ(BoxText(), "apple");
    EXPECT_FALSE(w.IgnoreClipboard());
    // The skip is spent: the next copy of another program is looked up.
    Copy("lemon");
    EXPECT_EQ(BoxText(), "lemon");
}

TEST_F(WindowBehaviourTest, MinimisingHidesInTheTrayAndAPressOrACopyRestores)
{
    StoreSetting("MinimizeToTray", 1);
    StoreSetting("ClipboardTranslation", 1);
    TfrmMain& w = Start();
    w.Hooks.TrayAvailableCheck = [] { return true; };
    QCoreApplication::processEvents();

    w.showMinimized();
    QCoreApplication::processEvents();
    ASSERT_NE(w.TrayIcon(), nullptr);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.TrayIcon()->isVisible());
    EXPECT_EQ(w.TrayIcon()->toolTip(), "Lirabo");
    EXPECT_TRUE(w.Tray().EverAdded());

    // Moves, releases and double clicks do nothing.
    for (int code : {0x200, 0x202, 0x203, 0x205, 0x207})
        w.WMTrayIcon(code);
    EXPECT_FALSE(w.isVisible());
    w.WMTrayIcon(0x204);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
    EXPECT_FALSE(w.TrayIcon()->isVisible());

    w.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.isVisible());
    Copy("cherry");
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.TrayIcon()->isVisible());
    EXPECT_EQ(CurrentWord(w.LookupView()), "cherry");

    // A dictionary handed over by another program brings it back as well.
    w.showMinimized();
    QCoreApplication::processEvents();
    ASSERT_FALSE(w.isVisible());
    w.WMMakrelLookup(FFolder.Dictionaries() + "/zbirds.ldi");
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.TrayIcon()->isVisible());
    EXPECT_EQ(w.LookupView()->Header().Name, "Birds");
}

TEST_F(WindowBehaviourTest, WithoutTheSettingOrANotificationAreaMinimisingIsOrdinary)
{
    TfrmMain& w = Start();
    w.Hooks.TrayAvailableCheck = [] { return true; };
    w.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.TrayIcon(), nullptr);
    EXPECT_TRUE(w.isMinimized());
    Close();

    StoreSetting("MinimizeToTray", 1);
    TfrmMain& again = Start();
    again.Hooks.TrayAvailableCheck = [] { return false; };
    again.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_EQ(again.TrayIcon(), nullptr);
    EXPECT_FALSE(again.Tray().EverAdded());
}

TEST_F(WindowBehaviourTest, TransparencyStepsByTwentyThroughTheKeysAndIsWrittenAtShutdown)
{
    TfrmMain& w = Start();
    QApplication::setActiveWindow(&w);
    QWidget* box = LookupBox()->lineEdit();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F12);
    EXPECT_EQ(w.Opacity(), (TOpacity{255, false}));
    EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0);
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(box, Qt::Key_F11);
    EXPECT_EQ(w.Opacity(), (TOpacity{15, true}));
    EXPECT_NEAR(w.windowOpacity(), 15 / 255.0, 0.01);
    QTest::keyClick(box, Qt::Key_F11);
    EXPECT_EQ(w.Opacity().Alpha, 0);
    QTest::keyClick(box, Qt::Key_F12);
    EXPECT_EQ(w.Opacity(), (TOpacity{20, true}));
    Close();
    EXPECT_EQ(Stored().value("WindowTransparency").toInt(), 20);

    // Every start is opaque, whatever was stored.
    TfrmMain& again = Start();
    EXPECT_EQ(again.Opacity(), (TOpacity{255, false}));
    EXPECT_DOUBLE_EQ(again.windowOpacity(), 1.0);
}

TEST_F(WindowBehaviourTest, AlwaysOnTopFollowsTheButtonAndTheStoredSetting)
{
    StoreSetting("AlwaysOnTop", 1);
    TfrmMain& w = Start();
    auto* button = Find<QToolButton>("spdAlwaysOnTop");
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.isVisible());  // the band changes without hiding the window
    Close();
    EXPECT_EQ(Stored().value("AlwaysOnTop").toInt(), 0);
}

TEST_F(WindowBehaviourTest, BuilderItemShowsOnlyWhileTheToolLiesBesideTheProgram)
{
    TfrmMain& w = Start();
    QStringList started;
    w.Hooks.StartProgram = [&](const QString& Program) {
        started << Program;
        return true;
    };
    QAction* item = Find<QAction>("mnuLiraboMakrel");
    auto* tools = Find<QMenu>("mnuTools");
    emit tools->aboutToShow();
    EXPECT_FALSE(item->isVisible());

    const QString tool = FFolder.Path() + "/" + TfrmMain::BuilderProgramName();
    FFolder.WriteFile(TfrmMain::BuilderProgramName(), "#!/bin/sh\n");
    emit tools->aboutToShow();
    EXPECT_FALSE(item->isVisible());  // not a program yet
    QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner);
    emit tools->aboutToShow();
    EXPECT_TRUE(item->isVisible());
    EXPECT_EQ(item->text(), "Lirabo Makrel");
    item->trigger();
    EXPECT_EQ(started, QStringList{tool});

    QFile::remove(tool);
    emit tools->aboutToShow();
    EXPECT_FALSE(item->isVisible());
}

}  // namespace
}  // namespace lirabo::test
