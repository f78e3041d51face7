// The keyboard between the lookup box and the entries, and what the lookup
// box tells a screen reader of a lookup.

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <utility>

#include "window_fixture.h"

namespace lirabo::test {
namespace {

class KeyboardWindowTest : public WindowTest {
protected:
    // Two hundred one-line entries, w000 to w199, so that a page, a line and
    // the ends all move the view; cherry's body links to w045.
    void AddLongDictionary()
    {
        std::vector<std::pair<std::string, std::string>> entries;
        for (int i = 0; i < 200; ++i) {
            char word[8];
            std::snprintf(word, sizeof word, "w%03d", i);
            entries.emplace_back(word, "entry number " + std::to_string(i));
        }
        entries.emplace_back("cherry", "a small fruit, see \x09w045\x0f");
        FFolder.AddDictionary("long.ldi", "Long", entries);
    }

    TfrmMain& StartActive()
    {
        TfrmMain& w = Start();
        QApplication::setActiveWindow(&w);
        LookupBox()->lineEdit()->setFocus();
        return w;
    }

    // Shows Word on Tab (0 or 1): the Advanced tab's list is first filled
    // with every entry by an advanced lookup.
    void ShowOnTab(TfrmMain& Window, int Tab, const QString& Word)
    {
        QLineEdit* box = LookupBox()->lineEdit();
        if (Tab == 1) {
            box->setText(QStringLiteral("*"));
            QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
            ASSERT_TRUE(Window.AdvancedSearch()->WaitForResult());
            ASSERT_EQ(Tabs()->currentIndex(), 1);
        } else {
            Tabs()->setCurrentIndex(0);
        }
        box->clear();
        QTest::keyClicks(box, Word);
        box->setFocus();
        // Laid out as on screen: a page is what fits.
        (Tab == 0 ? Window.LookupView() : Window.AdvancedView())->grab();
    }

    static std::pair<int, int> Position(const TDictionaryView* View) { return {View->TopEntry(), View->TopLine()}; }
};

// How a key of the lookup box moved the entries.
enum class TMove { Down, Up, ToFirst, ToLast };

TEST_F(KeyboardWindowTest, LookupBoxKeysScrollTheEntriesOfEitherTabAndLeaveTheWord)
{
    struct Case {
        int Tab;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        TMove Move;
    };
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const Case cases[] = {
        {0, Qt::Key_PageDown, Qt::NoModifier, TMove::Down},  {0, Qt::Key_PageUp, Qt::NoModifier, TMove::Up},
        {0, Qt::Key_Down, ctrlShift, TMove::Down},           {0, Qt::Key_Up, ctrlShift, TMove::Up},
        {0, Qt::Key_End, Qt::ControlModifier, TMove::ToLast}, {0, Qt::Key_Home, Qt::ControlModifier, TMove::ToFirst},
        {1, Qt::Key_PageDown, Qt::NoModifier, TMove::Down},  {1, Qt::Key_PageUp, Qt::NoModifier, TMove::Up},
        {1, Qt::Key_End, Qt::ControlModifier, TMove::ToLast}, {1, Qt::Key_Home, Qt::ControlModifier, TMove::ToFirst},
    };
    AddLongDictionary();
    TfrmMain& w = StartActive();
    w.resize(640, 480);
    QLineEdit* box = LookupBox()->lineEdit();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tab " << c.Tab << " key " << c.Key << " modifiers " << c.Modifiers.toInt());
        ShowOnTab(w, c.Tab, QStringLiteral("w030"));
        TDictionaryView* view = c.Tab == 0 ? w.LookupView() : w.AdvancedView();
        const std::pair<int, int> before = Position(view);
        ASSERT_GT(before.first, 0);
        const int recentIndex = LookupBox()->currentIndex();

        QTest::keyClick(box, c.Key, c.Modifiers);
        const std::pair<int, int> after = Position(view);
        switch (c.Move) {
            case TMove::Down:
                EXPECT_GT(after, before);
                break;
            case TMove::Up:
                EXPECT_LT(after, before);
                break;
            case TMove::ToFirst:
                EXPECT_EQ(after, std::make_pair(0, 0));
                break;
            case TMove::ToLast:
                EXPECT_GT(after.first, 150);
                break;
        }
        // The key went to the entries, not to the box.
        EXPECT_EQ(box->text(), "w030");
        EXPECT_EQ(LookupBox()->currentIndex(), recentIndex);
        EXPECT_EQ(Tabs()->currentIndex(), c.Tab);
    }
}

TEST_F(KeyboardWindowTest, F6MovesBetweenTheLookupBoxAndTheEntriesOfTheTabShown)
{
    enum TPlace { Box, LookInList, LookupEntries, AdvancedEntries, Page };
    struct Case {
        int Tab;
        TPlace From;
        TPlace To;
    };
    const Case cases[] = {
        {0, Box, LookupEntries},  {0, LookInList, LookupEntries}, {0, LookupEntries, Box},
        {1, Box, AdvancedEntries}, {1, AdvancedEntries, Box},  {2, Box, Page},
        {2, Page, Box},
    };
    AddLongDictionary();
    TfrmMain& w = StartActive();
    ShowOnTab(w, 1, QStringLiteral("w030"));
    ShowOnTab(w, 0, QStringLiteral("w030"));
    Tabs()->setCurrentIndex(2);  // the browser is made on the first visit
    ASSERT_NE(w.Browser(), nullptr);
    auto widgetOf = [&](TPlace Place) -> QWidget* {
        switch (Place) {
            case Box:
                return LookupBox()->lineEdit();
            case LookInList:
                return LookIn();
            case LookupEntries:
                return w.LookupView();
            case AdvancedEntries:
                return w.AdvancedView();
            case Page:
                return w.Browser();
        }
        return nullptr;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tab " << c.Tab << " from " << c.From << " to " << c.To);
        Tabs()->setCurrentIndex(c.Tab);
        QWidget* from = widgetOf(c.From);
        from->setFocus();
        ASSERT_TRUE(from->hasFocus());
        QTest::keyClick(from, Qt::Key_F6);
        EXPECT_TRUE(widgetOf(c.To)->hasFocus());
        if (c.To == LookupEntries || c.To == AdvancedEntries) {
            // At the start of the entry looked up, where reading begins.
            const auto* view = static_cast<TDictionaryView*>(widgetOf(c.To));
            EXPECT_EQ(view->Caret(), (TDictionaryView::TCaret{view->CurrentFirst(), 0}));
        }
        if (c.To == Box) {
            // As F8 leaves it: the next word typed replaces the last.
            EXPECT_EQ(LookupBox()->lineEdit()->selectedText(), LookupBox()->currentText());
        }
    }
}

TEST_F(KeyboardWindowTest, EnterFollowsALinkThatHasTheKeyboardAndLooksUpEverywhereElse)
{
    enum TWhere { LinkInEntries, Entries, Box };
    struct Case {
        TWhere Where;
        const char* Typed;
        const char* Shown;  // the entry looked up afterwards, and the box's word
        bool Recorded;      // whether the typed word went to the recent list
    };
    // cherry's entry holds one link, to w045.
    const Case cases[] = {
        {LinkInEntries, "cherry", "w045", false},
        {Entries, "w010", "w010", true},
        {Box, "w020", "w020", true},
    };
    AddLongDictionary();
    TfrmMain& w = StartActive();
    TDictionaryView* view = w.LookupView();
    QLineEdit* box = LookupBox()->lineEdit();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        box->clear();
        QTest::keyClicks(box, c.Typed);
        view->grab();
        QWidget* target = box;
        if (c.Where != Box) {
            QTest::keyClick(box, Qt::Key_F6);
            ASSERT_TRUE(view->hasFocus());
            target = view;
        }
        if (c.Where == LinkInEntries) {
            ASSERT_EQ(view->Links().size(), 1u);
            view->FocusLink(0);
            ASSERT_TRUE(view->LinkFocused());
        }
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_EQ(CurrentWord(view), c.Shown);
        EXPECT_EQ(box->text(), QString::fromLatin1(c.Shown));
        EXPECT_EQ(w.Recent().Words().contains(QString::fromLatin1(c.Typed)), c.Recorded);
    }
}

TEST_F(KeyboardWindowTest, TheWordMenuOpensWhereTheKeyboardOrThePointerIs)
{
    AddLongDictionary();
    TfrmMain& w = StartActive();
    TDictionaryView* view = w.LookupView();
    auto* menu = Find<QMenu>("popWord");
    QTest::keyClicks(LookupBox()->lineEdit(), "w100");

    // From the keyboard: below the caret, wherever the pointer rests.
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_F6);
    ASSERT_TRUE(view->hasFocus());
    QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), view->MenuPoint());
    EXPECT_TRUE(view->rect().contains(view->mapFromGlobal(view->MenuPoint()))) << view->MenuPoint().y();
    menu->close();

    // From the mouse: where it was clicked.
    RightClickCurrentEntry(w);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), view->MenuPoint());
    menu->close();
}

TEST_F(KeyboardWindowTest, TheLookupBoxDescribesTheEntryOnceTheLookupSettles)
{
    AddStandardDictionaries();
    TfrmMain& w = StartActive();
    QLineEdit* box = LookupBox()->lineEdit();
    auto described = [&] {
        EXPECT_EQ(LookupBox()->accessibleDescription(), box->accessibleDescription());
        return box->accessibleDescription().toStdString();
    };

    // Typing: nothing is said while the keys come, the entry once they pause.
    const std::string atStart = described();
    QTest::keyClicks(box, "ban");
    EXPECT_EQ(described(), atStart);
    EXPECT_TRUE(QTest::qWaitFor([&] { return described() == "banana a yellow fruit"; }, 3000)) << described();

    // Enter and a pick from the list describe at once.
    box->clear();
    QTest::keyClicks(box, "cher");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(described(), "cherry a small fruit");
    box->clear();
    QTest::keyClicks(box, "gra");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(described(), "grape a vine fruit");
    const int cherry = LookupBox()->findText("cher");
    ASSERT_GE(cherry, 0);
    LookupBox()->setCurrentIndex(cherry);
    emit LookupBox()->activated(cherry);
    EXPECT_EQ(described(), "cherry a small fruit");

    // A link followed, and the other tabs: the Internet tab shows no entry.
    w.LookupView()->OnLinkClick("lemon");
    EXPECT_EQ(described(), "lemon a sour fruit");
    Tabs()->setCurrentIndex(2);
    EXPECT_EQ(described(), "");
    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(described(), "lemon a sour fruit");
}

}  // namespace
}  // namespace lirabo::test
