#include <QRadioButton>
#include <QTest>

#include "main_window/status_bar.h"
#include "window_fixture.h"

namespace lirabo::test {
namespace {

std::vector<std::string> Words(TDictionaryView* View)
{
    std::vector<std::string> words;
    for (int i = 0; i < View->EntryCount(); ++i)
        words.push_back(View->Store().GetItem(i)->Word);
    return words;
}

TEST_F(WindowTest, AdvancedTabSearchesHeadwordsOrDefinitionsAndHighlightsTheMatches)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    auto* inside = Find<QRadioButton>("rbnDefinitions");
    EXPECT_TRUE(Find<QRadioButton>("rbnHeadwords")->isChecked());
    EXPECT_EQ(inside->text(), "Definitions");
    QLineEdit* box = LookupBox()->lineEdit();

    inside->click();
    QTest::keyClicks(box, "fruit");
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(w.AdvancedSearch()->WaitForResult());
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(w.AdvancedView()->EntryCount(), 6);
    EXPECT_FALSE(Find<TStatusBar>("stbStatusBar")->WholeWidth());

    // Narrowing inside the definitions keeps every word found so far marked.
    box->clear();
    QTest::keyClicks(box, "RED");
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(w.AdvancedSearch()->WaitForResult());
    EXPECT_EQ(Words(w.AdvancedView()), std::vector<std::string>{"apple"});
    EXPECT_EQ(w.AdvancedView()->Highlight(), (std::vector<std::string>{"FRUIT", "RED"}));
    w.AdvancedView()->repaint();

    // By headword the narrowing reads the same list; a new dictionary search
    // by headword shows no marks.
    Find<QRadioButton>("rbnHeadwords")->click();
    box->clear();
    QTest::keyClicks(box, "a*");
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(w.AdvancedSearch()->WaitForResult());
    EXPECT_EQ(Words(w.AdvancedView()), std::vector<std::string>{"apple"});
    Tabs()->setCurrentIndex(0);
    box->clear();
    QTest::keyClicks(box, "*r*");
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(w.AdvancedSearch()->WaitForResult());
    EXPECT_EQ(Words(w.AdvancedView()), (std::vector<std::string>{"cherry", "grape"}));
    EXPECT_TRUE(w.AdvancedView()->Highlight().empty());

    // The choice of kind is kept across a restart.
    inside->click();
    Close();
    EXPECT_TRUE(Stored().value("SearchDefinitions").toBool());
    Start();
    EXPECT_TRUE(Find<QRadioButton>("rbnDefinitions")->isChecked());
}

TEST_F(WindowTest, EscStopsARunningSearchAndTheNextSearchWorks)
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 2000; ++i)
        entries.push_back({"w" + std::to_string(10000 + i), i % 2 ? "odd one" : "even one"});
    FFolder.AddDictionary("big.ldi", "Big", entries);
    TfrmMain& w = Start();
    auto* status = Find<TStatusBar>("stbStatusBar");
    Find<QRadioButton>("rbnDefinitions")->click();
    QLineEdit* box = LookupBox()->lineEdit();

    QTest::keyClicks(box, "odd");
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(w.AdvancedSearch()->Running());
    EXPECT_TRUE(status->WholeWidth()) << "the search's progress takes the status bar";
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(w.AdvancedSearch()->Running());
    EXPECT_FALSE(status->WholeWidth());
    EXPECT_EQ(box->text(), "odd") << "Esc was the search's only";
    QTest::qWait(50);
    EXPECT_EQ(w.AdvancedView()->EntryCount(), 0);

    // Without a search running, Esc is the window's again; a new search runs to the end.
    Tabs()->setCurrentIndex(0);
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(w.AdvancedSearch()->WaitForResult());
    EXPECT_EQ(w.AdvancedView()->EntryCount(), 1000);
    EXPECT_TRUE(FErrors.isEmpty());
}

}  // namespace
}  // namespace lirabo::test
