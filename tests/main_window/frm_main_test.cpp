#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <csignal>

#include "main_window/status_bar.h"
#include "main_window/termination_watcher.h"
#include "window_fixture.h"

namespace lirabo::test {
namespace {

TEST_F(WindowTest, FirstStartOpensTheFirstDictionaryWithDefaults)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    EXPECT_EQ(w.size(), QSize(500, 500));
    EXPECT_EQ(w.windowTitle(), "Lirabo");
    EXPECT_EQ(LookIn()->count(), 3);
    EXPECT_EQ(LookIn()->itemText(0), "Fruit");
    EXPECT_EQ(LookIn()->itemText(2), "Add dictionaries...");
    EXPECT_EQ(LookIn()->currentIndex(), 0);
    EXPECT_EQ(w.LookupView()->Header().Name, "Fruit");
    EXPECT_TRUE(Find<QWidget>("pnlTips")->isVisible());
    EXPECT_EQ(Find<QLabel>("lblTip")->text(), w.Language().ReadLanguageText("Tips", 1));
    EXPECT_FALSE(Find<QWidget>("pnlRelations")->isVisible());
    EXPECT_EQ(LookupBox()->count(), 0);
    EXPECT_EQ(Tabs()->tabText(1), "Advanced");
    EXPECT_EQ(Find<QLabel>("lblLookup")->text(), "Look up:");
    EXPECT_EQ(w.menuBar()->actions().at(2)->text(), "Dictionary");
    EXPECT_TRUE(Find<QAction>("mnuSettings")->isEnabled());
    EXPECT_FALSE(Find<QMenu>("mnuPresets")->menuAction()->isVisible()) << "no presets yet";
    EXPECT_TRUE(Find<QAction>("mnuExit")->isEnabled());
    EXPECT_EQ(Find<QAction>("mnuNextDictionary")->shortcut(), QKeySequence("Ctrl+Down"));
}

TEST_F(WindowTest, TypingLooksUpInTheActiveTabOnly)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    QTest::keyClicks(LookupBox()->lineEdit(), "che");
    EXPECT_EQ(CurrentWord(w.LookupView()), "cherry");
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Backspace);
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(CurrentWord(w.LookupView()), "cherry");  // "c" finds the first c-word

    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(Tabs()->currentIndex(), 2);
    LookupBox()->lineEdit()->clear();
    QTest::keyClicks(LookupBox()->lineEdit(), "ap");
    EXPECT_EQ(CurrentWord(w.LookupView()), "cherry");
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(CurrentWord(w.LookupView()), "apple");  // the tab change looks the text up
}

TEST_F(WindowTest, EnterRecordsCtrlEnterSearchesAltEnterClears)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    QLineEdit* box = LookupBox()->lineEdit();
    QTest::keyClicks(box, "*e*");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(w.Recent().Words(), QStringList{"*e*"});
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(w.Recent().Words(), QStringList{"*e*"});

    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(w.AdvancedSearch()->WaitForResult());
    EXPECT_EQ(w.Recent().Words(), (QStringList{"*e*", "*e*"}));
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(w.AdvancedView()->EntryCount(), 5);  // apple, cherry, grape, lemon, melon
    auto* status = Find<TStatusBar>("stbStatusBar");
    EXPECT_TRUE(status->PanelOwnerDrawn());  // the search's own switch keeps the dictionary line
    EXPECT_FALSE(status->WholeWidth());

    // A second search on the Advanced tab narrows the results.
    box->clear();
    QTest::keyClicks(box, "*l*");
    QTest::keyClick(box, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    ASSERT_TRUE(w.AdvancedSearch()->WaitForResult());
    EXPECT_EQ(w.AdvancedView()->EntryCount(), 3);  // apple, lemon, melon

    box->clear();
    QTest::keyClicks(box, "zzz*");
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    w.AdvancedSearch()->WaitForResult();
    EXPECT_EQ(w.AdvancedView()->Store().Source(), TDictionaryStore::kSourceNone);
    EXPECT_EQ(w.AdvancedView()->EmptyText().trimmed(), "Nothing to display.");

    QTest::keyClick(box, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(box->text(), "");
    EXPECT_EQ(w.Recent().Words().front(), "zzz*");
    QTest::keyClick(box, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(w.Recent().Words().front(), "zzz*");

    // F8 brings the focus back to the lookup box from anywhere.
    QApplication::setActiveWindow(&w);
    Find<QWidget>("cmbLookIn")->setFocus();
    ASSERT_FALSE(box->hasFocus());
    QTest::keyClick(Find<QWidget>("cmbLookIn"), Qt::Key_F8, Qt::ShiftModifier);
    EXPECT_TRUE(box->hasFocus());
}

TEST_F(WindowTest, SettingsSurviveARestart)
{
    AddStandardDictionaries();
    {
        TfrmMain& w = Start();
        QTest::keyClicks(LookupBox()->lineEdit(), "robin");
        LookIn()->setCurrentIndex(1);
        emit LookIn()->activated(1);
        EXPECT_EQ(CurrentWord(w.LookupView()), "robin");
        QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Return);
        Find<QToolButton>("spdNextTip")->click();
        Find<QAction>("mnuShowRelations")->trigger();
        w.resize(640, 480);
        Close();
    }
    QSettings stored = Stored();
    EXPECT_EQ(stored.value("CurrentDictionary").toInt(), 1);
    EXPECT_EQ(stored.value("CurrentTip").toInt(), 1);
    EXPECT_EQ(stored.value("Recent0").toString(), "robin");
    EXPECT_EQ(stored.value("WindowWidth").toInt(), 640);
    EXPECT_EQ(stored.value("ShowRelations").toInt(), 1);
    EXPECT_EQ(stored.value("FontName").toString(), "Verdana");

    TfrmMain& w = Start();
    EXPECT_EQ(w.size(), QSize(640, 480));
    EXPECT_EQ(LookIn()->currentIndex(), 1);
    EXPECT_EQ(w.LookupView()->Header().Name, "Birds");
    EXPECT_EQ(LookupBox()->itemText(0), "robin");
    EXPECT_EQ(w.Settings().CurrentTip, 2);  // each start shows the next tip
    EXPECT_TRUE(Find<QWidget>("pnlRelations")->isVisible());
}

TEST_F(WindowTest, SelectionFollowsTheOpenDictionaryAcrossARebuild)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    LookIn()->setCurrentIndex(1);
    emit LookIn()->activated(1);
    ASSERT_EQ(w.LookupView()->Header().Name, "Birds");

    // A new file sorts before the open one; a custom file forces a rebuild.
    FFolder.AddDictionary("aaa.ldi", "Aardvarks", {{"aardvark", "an animal"}});
    QTemporaryDir elsewhere;
    const QString custom = FFolder.AddDictionary("mine.LDI", "Mine", {{"x", "y"}}, {}, elsewhere.path());
    w.WMMakrelLookup(custom);
    EXPECT_EQ(LookIn()->itemText(3), "Custom dictionary");
    EXPECT_EQ(LookIn()->currentIndex(), 3);
    EXPECT_EQ(w.LookupView()->Header().Name, "Mine");

    // Choosing Birds again and rebuilding once more keeps Birds selected.
    LookIn()->setCurrentIndex(2);
    emit LookIn()->activated(2);
    FFolder.AddDictionary("aab.ldi", "Abalones", {{"abalone", "a snail"}});
    w.WMMakrelLookup(custom.toUpper() == custom ? custom : custom);  // the same file, already listed
    EXPECT_EQ(w.LookupView()->Header().Name, "Mine");
    EXPECT_EQ(LookIn()->itemText(LookIn()->currentIndex()), "Custom dictionary");
}

TEST_F(WindowTest, CommandLineFileIsOpenedInsteadOfTheStoredOne)
{
    AddStandardDictionaries();
    QTemporaryDir elsewhere;
    const QString file =
        FFolder.AddDictionary("cli.ldi", "", {{"word", "from the command line"}}, {}, elsewhere.path());
    TfrmMain& w = Start(file);
    EXPECT_EQ(LookIn()->currentText(), "Custom dictionary");
    EXPECT_EQ(w.CurrentDictionary(), 2);
    EXPECT_EQ(CurrentWord(w.LookupView()), "word");

    // Other extensions and missing files are ignored silently.
    w.WMMakrelLookup(elsewhere.filePath("cli.txt"));
    w.WMMakrelLookup(elsewhere.filePath("missing.ldi"));
    EXPECT_TRUE(FErrors.isEmpty());
    EXPECT_EQ(w.CurrentDictionary(), 2);
}

TEST_F(WindowTest, CorruptDictionaryReportsAndLeavesTheViewEmpty)
{
    AddStandardDictionaries();
    const QString path = FFolder.AddDictionary("broken.ldi", "Broken", {{"a", "b"}, {"c", "d"}});
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(f.size() - 3);
    f.write("XYZ");
    f.close();
    TfrmMain& w = Start();
    ASSERT_EQ(LookIn()->itemText(0), "Broken");  // the scan does not verify the checksum
    LookIn()->setCurrentIndex(0);
    emit LookIn()->activated(0);
    // Once at start (it is the first entry) and once for the choice.
    const QString message =
        "Lirabo was unable to load the dictionary. Please ensure that the file is not corrupt.\n\n" + path;
    EXPECT_EQ(FErrors, (QStringList{message, message}));
    EXPECT_EQ(w.LookupView()->Store().Source(), TDictionaryStore::kSourceNone);
    EXPECT_EQ(w.CurrentDictionary(), 0);

    // Fruit opened, then the broken file again: the header left from Fruit
    // must not put Fruit's notice and link under the broken entry.
    LookIn()->setCurrentIndex(1);
    emit LookIn()->activated(1);
    auto* status = Find<TStatusBar>("stbStatusBar");
    status->grab();
    EXPECT_EQ(status->Tag, 1);
    LookIn()->setCurrentIndex(0);
    emit LookIn()->activated(0);
    status->grab();
    EXPECT_EQ(status->Tag, 0);
}

TEST_F(WindowTest, NextAndPreviousWrapAroundTheDictionaries)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    QAction* next = Find<QAction>("mnuNextDictionary");
    QAction* previous = Find<QAction>("mnuPreviousDictionary");
    next->trigger();
    EXPECT_EQ(w.LookupView()->Header().Name, "Birds");
    next->trigger();
    EXPECT_EQ(w.LookupView()->Header().Name, "Fruit");
    previous->trigger();
    EXPECT_EQ(w.LookupView()->Header().Name, "Birds");
    EXPECT_TRUE(FOpened.isEmpty());

    // The menu shortcuts reach the window from the lookup box.
    QApplication::setActiveWindow(&w);
    LookupBox()->lineEdit()->setFocus();
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(w.LookupView()->Header().Name, "Fruit");
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(w.LookupView()->Header().Name, "Birds");
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_FALSE(Find<QWidget>("pnlTips")->isVisible());

    // The last line opens the dictionaries page and changes nothing else.
    LookIn()->setCurrentIndex(2);
    emit LookIn()->activated(2);
    // On the Internet tab: the minibrowser's home page, then the page.
    ASSERT_EQ(Shown().size(), 2);
    EXPECT_TRUE(Shown()[1].endsWith("/pages/dictionaries.html")) << Shown()[1].toStdString();
    EXPECT_EQ(w.CurrentDictionary(), 1);
}

TEST_F(WindowTest, OnlineDictionaryGetsThePercentEncodedWord)
{
    AddStandardDictionaries();
    FFolder.WriteFile("Dictionaries/online.ini", "[Web]\nLocation=http://dict.example/?q=%1&w=%1\n");
    TfrmMain& w = Start();
    ASSERT_EQ(LookIn()->itemText(2), "Web (online)");
    QTest::keyClicks(LookupBox()->lineEdit(), "rock & roll");
    LookIn()->setCurrentIndex(2);
    emit LookIn()->activated(2);
    EXPECT_EQ(Tabs()->currentIndex(), 2);
    EXPECT_EQ(w.LastOnlineAddress(), "http://dict.example/?q=rock%20%26%20roll&w=rock%20%26%20roll");
    EXPECT_EQ(w.LookupView()->Store().Source(), TDictionaryStore::kSourceNone);
    Close();
    EXPECT_EQ(Stored().value("CurrentDictionary").toInt(), 0);
}

TEST_F(WindowTest, RelationsListAndClickThrough)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    QTest::keyClicks(LookupBox()->lineEdit(), "banana");
    auto* dictionaryMenu = Find<QMenu>("mnuDictionaries");
    emit dictionaryMenu->aboutToShow();
    QAction* find = Find<QAction>("mnuFindRelations");
    ASSERT_TRUE(find->isEnabled());
    find->trigger();

    auto* list = Find<QListWidget>("lstRelations");
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(0)->text(), "Noun");
    EXPECT_EQ(list->item(1)->text(), "Antonym");
    EXPECT_EQ(list->item(2)->text(), "cherry");
    EXPECT_EQ(list->item(3)->text(), "Type of");
    EXPECT_EQ(list->item(4)->text(), "grape");
    EXPECT_TRUE(Find<QWidget>("pnlRelations")->isVisible());
    EXPECT_TRUE(Find<QAction>("mnuShowRelations")->isChecked());

    list->setCurrentRow(1);
    emit list->itemClicked(list->item(1));
    EXPECT_EQ(LookupBox()->currentText(), "banana");
    list->setCurrentRow(4);
    emit list->itemClicked(list->item(4));
    EXPECT_EQ(LookupBox()->currentText(), "grape");
    EXPECT_EQ(CurrentWord(w.LookupView()), "grape");
    EXPECT_TRUE(w.Recent().Words().isEmpty());

    Find<QAction>("mnuShowRelations")->trigger();
    EXPECT_FALSE(Find<QWidget>("pnlRelations")->isVisible());

    // Birds has no relation data: Find relations stays disabled.
    Find<QAction>("mnuNextDictionary")->trigger();
    emit dictionaryMenu->aboutToShow();
    EXPECT_FALSE(find->isEnabled());
}

TEST_F(WindowTest, OnlyHeadingRowsAreNamed)
{
    // A related word that looks like a heading keeps its text.
    FFolder.AddDictionary("signs.ldi", "Signs", {{"plus", "a sign"}, {"+3", "a number"}}, {{0, 33, 1}});
    TfrmMain& w = Start();
    QTest::keyClicks(LookupBox()->lineEdit(), "plus");
    emit Find<QMenu>("mnuDictionaries")->aboutToShow();
    Find<QAction>("mnuFindRelations")->trigger();
    auto* list = Find<QListWidget>("lstRelations");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "Verb");
    EXPECT_EQ(list->item(1)->text(), "Type of");
    EXPECT_EQ(list->item(2)->text(), "+3");
    list->setCurrentRow(2);
    emit list->itemClicked(list->item(2));
    EXPECT_EQ(CurrentWord(w.LookupView()), "+3");
}

TEST_F(WindowTest, StatusLineShowsNoticeAndInformationLink)
{
    AddStandardDictionaries();
    FFolder.AddDictionary("nameless.ldi", "", {{"a", "b"}}, {}, {}, "");
    TfrmMain& w = Start();
    auto* status = Find<TStatusBar>("stbStatusBar");
    status->grab();
    EXPECT_EQ(status->Tag, 1);
    LookIn()->setCurrentIndex(1);
    emit LookIn()->activated(1);
    ASSERT_EQ(LookIn()->currentText(), "nameless.ldi");
    status->grab();
    EXPECT_EQ(status->Tag, 0);
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(status->PanelText(), "Looking up now will only search within current results.");
    EXPECT_FALSE(status->PanelOwnerDrawn());
    (void)w;
}

TEST_F(WindowTest, TipsPageBothWaysAndClose)
{
    TfrmMain& w = Start();
    auto* tip = Find<QLabel>("lblTip");
    Find<QToolButton>("spdPreviousTip")->click();
    EXPECT_EQ(tip->text(), w.Language().ReadLanguageText("Tips", 21));
    Find<QToolButton>("spdNextTip")->click();
    EXPECT_EQ(tip->text(), w.Language().ReadLanguageText("Tips", 1));
    Find<QToolButton>("spdCloseTip")->click();
    EXPECT_FALSE(Find<QWidget>("pnlTips")->isVisible());
    EXPECT_FALSE(Find<QAction>("mnuShowTips")->isChecked());
    // No dictionaries at all: only the "Add dictionaries..." line.
    EXPECT_EQ(LookIn()->count(), 1);
    Find<QAction>("mnuNextDictionary")->trigger();
    EXPECT_TRUE(FOpened.isEmpty());
}

TEST_F(WindowTest, LanguageFileRulesAtStartUp)
{
    QDir(FFolder.Path()).mkpath("Lang");
    FFolder.WriteFile("Lang/partial.lng", "[Data]\nFileVersion=3\n[Main]\n1002=Extras\n2001=Suchen:\n");
    FFolder.WriteFile("Lang/old.lng", "[Data]\nFileVersion=2\n[Main]\n2001=Alt:\n");
    {
        QSettings s = Stored();
        s.setValue("LanguageFile", "partial.lng");
    }
    TfrmMain& w = Start();
    EXPECT_EQ(w.menuBar()->actions().at(0)->text(), "");
    EXPECT_EQ(w.menuBar()->actions().at(1)->text(), "Extras");
    EXPECT_EQ(Find<QLabel>("lblLookup")->text(), "Suchen:");
    Close();
    EXPECT_EQ(Stored().value("LanguageFile").toString(), "partial.lng");
    {
        QSettings s = Stored();
        s.setValue("LanguageFile", "old.lng");
    }
    Start();
    EXPECT_EQ(Find<QLabel>("lblLookup")->text(), "Look up:");
    Close();
    EXPECT_EQ(Stored().value("LanguageFile").toString(), "");
}

TEST_F(WindowTest, WordMenuWheelAndHelp)
{
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 300; ++i)
        many.push_back({"word" + std::to_string(1000 + i), "an entry long enough to take a line or two"});
    FFolder.AddDictionary("many.ldi", "Many", many);
    TfrmMain& w = Start();
    w.LookupView()->grab();

    // A wheel turn over the lookup box scrolls the Dictionary tab's view.
    const int top = w.LookupView()->TopEntry();
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(LookupBox()->lineEdit(), &down);
    EXPECT_GT(w.LookupView()->TopEntry() * 1000 + w.LookupView()->TopLine(), top * 1000);

    // A right click on a word offers it to Look up; Relations... needs relation data.
    w.LookupView()->OnRightClick("word1200 an entry", "word1200");
    auto* menu = Find<QMenu>("popWord");
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(Find<QAction>("mnuRelations")->isEnabled());
    Find<QAction>("mnuLookup")->trigger();
    menu->close();
    EXPECT_EQ(LookupBox()->currentText(), "word1200");
    EXPECT_EQ(CurrentWord(w.LookupView()), "word1200");
    // An empty word (a click on a delimiter) offers nothing.
    w.LookupView()->OnRightClick("word1200 an entry", "");
    EXPECT_FALSE(menu->isVisible());

    // A link click looks the link up.
    w.LookupView()->OnLinkClick("word1010");
    EXPECT_EQ(LookupBox()->currentText(), "word1010");
    EXPECT_EQ(CurrentWord(w.LookupView()), "word1010");

    // Marked text and the word menu's Copy go to the clipboard as they show.
    w.LookupView()->OnTextSelected("caf\xC3\xA9 au lait");
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("café au lait"));
    w.LookupView()->OnRightClick("entry", "na\xC3\xAFve");
    Find<QAction>("mnuCopy")->trigger();
    menu->close();
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("naïve"));

    Find<QAction>("mnuContents")->trigger();
    ASSERT_EQ(FOpened.size(), 1);
    EXPECT_EQ(FOpened[0], QDir(FFolder.Path()).filePath("Help/index.html"));
}

TEST_F(WindowTest, MaximisedStateKeepsTheLastNormalGeometry)
{
    {
        QSettings s = Stored();
        s.setValue("WindowState", 2);
        s.setValue("WindowWidth", 321);
    }
    TfrmMain& w = Start();
    EXPECT_TRUE(w.isMaximized());
    Close();
    QSettings s = Stored();
    EXPECT_EQ(s.value("WindowState").toInt(), 2);
    EXPECT_EQ(s.value("WindowWidth").toInt(), 321);
    EXPECT_EQ(s.value("WindowTransparency").toInt(), 255);
}

TEST_F(WindowTest, ExtremeStoredValuesStartAUsableWindow)
{
    AddStandardDictionaries();
    {
        QSettings s = Stored();
        s.setValue("TopIndent", 2147483647);
        s.setValue("Indent", -2147483647 - 1);
        s.setValue("FontSize", -5);
        s.setValue("CurrentTip", 2147483647);
        s.setValue("CurrentDictionary", -7);
        s.setValue("WindowWidth", 0);
        s.setValue("WindowHeight", 2147483647);
        s.setValue("FontName", "");
        s.setValue("StyleEntry", "bbbbiiiiuuuuzzzz");
        s.setValue("Presets/huge/WindowWidth", 2147483647);
        s.setValue("Presets/huge/WindowHeight", 2147483647);
        s.setValue("Presets/huge/WindowLeft", -2147483647 - 1);
        s.setValue("Presets/huge/WindowTop", 2147483647);
    }
    TfrmMain& w = Start();
    // Brought onto the screen: a window of the stored height would take
    // gigabytes for its backing store.
    const QRect screen = w.screen()->availableGeometry();
    const auto onScreen = [&] { return screen.contains(QRect(w.pos(), w.size())); };
    EXPECT_TRUE(onScreen()) << w.pos().x() << "," << w.pos().y() << " " << w.width() << "x" << w.height();
    EXPECT_GE(w.width(), 100);
    w.grab();
    Find<QMenu>("mnuPresets")->actions().at(0)->trigger();
    EXPECT_TRUE(onScreen()) << w.pos().x() << "," << w.pos().y() << " " << w.width() << "x" << w.height();
    EXPECT_EQ(w.LookupView()->Store().Source(), TDictionaryStore::kSourceNone);
    EXPECT_EQ(w.Settings().CurrentTip, 0);
    EXPECT_EQ(Find<QWidget>("pnlTop")->height(), 100);  // far too narrow for one row
    QTest::keyClicks(LookupBox()->lineEdit(), "x");
    Close();
}

TEST_F(WindowTest, RelativeCommandLinePathMatchesItsCatalogueLine)
{
    AddStandardDictionaries();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(FFolder.Dictionaries());
    TfrmMain& w = Start("zbirds.ldi");
    QDir::setCurrent(previous);
    EXPECT_EQ(LookIn()->count(), 3);  // no custom line
    EXPECT_EQ(LookIn()->currentText(), "Birds");
    EXPECT_EQ(w.CurrentDictionary(), 1);
}

TEST(TerminationWatcherTest, SignalArrivesOnTheEventLoop)
{
    int received = 0;
    TTerminationWatcher watcher({SIGUSR1}, [&](int Signal) { received = Signal; });
    ASSERT_TRUE(watcher.Active());
    std::raise(SIGUSR1);
    for (int i = 0; i < 10 && received == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(received, SIGUSR1);
}

}  // namespace
}  // namespace lirabo::test
