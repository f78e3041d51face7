#include <gtest/gtest.h>

#include "main_window/catalogue.h"
#include "main_window/key_table.h"
#include "main_window/recent_list.h"
#include "main_window/tip_cycle.h"
#include "main_window/window_fit.h"

namespace lirabo {
namespace {

TEST(RecentListTest, RecordKeepsPlaceOfKnownWordIgnoringCase)
{
    TRecentList list({"alpha", "beta"});
    EXPECT_FALSE(list.Record("BETA"));
    EXPECT_EQ(list.Words(), (QStringList{"alpha", "beta"}));
    EXPECT_FALSE(list.Record(""));
    EXPECT_TRUE(list.Record("gamma"));
    EXPECT_EQ(list.Words(), (QStringList{"gamma", "alpha", "beta"}));
    list.InsertOnTop("beta");
    EXPECT_EQ(list.Words(), (QStringList{"beta", "gamma", "alpha", "beta"}));
}

TEST(RecentListTest, TenWordsDropTheOldestOnePerInsertion)
{
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << QString::number(i);
    TRecentList list(ten);
    list.Record("new");
    EXPECT_EQ(list.Words().size(), 10);
    EXPECT_EQ(list.Words().front(), "new");
    EXPECT_EQ(list.Words().back(), "8");

    // Eleven stored words stay eleven: only index 10 goes per insertion.
    TRecentList eleven(ten + QStringList{"10"});
    eleven.InsertOnTop("x");
    EXPECT_EQ(eleven.Words().size(), 11);
    EXPECT_EQ(eleven.Words().back(), "10");
}

TEST(KeyTableTest, EnterReleasesByExactModifiers)
{
    EXPECT_EQ(MainKeyAction(Qt::Key_Return, Qt::NoModifier, true), TKeyAction::LookUp);
    EXPECT_EQ(MainKeyAction(Qt::Key_Enter, Qt::KeypadModifier, true), TKeyAction::LookUp);
    EXPECT_EQ(MainKeyAction(Qt::Key_Return, Qt::ControlModifier, true), TKeyAction::AdvancedLookUp);
    EXPECT_EQ(MainKeyAction(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, true),
              TKeyAction::AdvancedLookUp);
    EXPECT_EQ(MainKeyAction(Qt::Key_Return, Qt::AltModifier, true), TKeyAction::RecordAndClear);
    EXPECT_EQ(MainKeyAction(Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier, true),
              TKeyAction::LookUp);
    EXPECT_EQ(MainKeyAction(Qt::Key_Return, Qt::ShiftModifier, true), TKeyAction::LookUp);
    EXPECT_EQ(MainKeyAction(Qt::Key_Return, Qt::NoModifier, false), TKeyAction::None);
}

TEST(KeyTableTest, TabKeysNeedCtrlAloneAndF8TakesAnyModifier)
{
    EXPECT_EQ(MainKeyAction(Qt::Key_Tab, Qt::ControlModifier, false), TKeyAction::NextTab);
    EXPECT_EQ(MainKeyAction(Qt::Key_Tab, Qt::NoModifier, false), TKeyAction::None);
    EXPECT_EQ(MainKeyAction(Qt::Key_F1, Qt::ControlModifier, false), TKeyAction::DictionaryTab);
    EXPECT_EQ(MainKeyAction(Qt::Key_F2, Qt::ControlModifier, false), TKeyAction::AdvancedTab);
    EXPECT_EQ(MainKeyAction(Qt::Key_F3, Qt::ControlModifier, false), TKeyAction::InternetTab);
    EXPECT_EQ(MainKeyAction(Qt::Key_F3, Qt::ControlModifier | Qt::AltModifier, false), TKeyAction::None);
    EXPECT_EQ(MainKeyAction(Qt::Key_F1, Qt::NoModifier, false), TKeyAction::None);
    EXPECT_EQ(MainKeyAction(Qt::Key_F8, Qt::ShiftModifier | Qt::AltModifier, false), TKeyAction::FocusLookup);
    EXPECT_EQ(MainKeyAction(Qt::Key_F8, Qt::NoModifier, true), TKeyAction::None);
    EXPECT_EQ(MainKeyAction(Qt::Key_F9, Qt::NoModifier, false), TKeyAction::Pronounce);
    EXPECT_EQ(MainKeyAction(Qt::Key_F9, Qt::ControlModifier | Qt::ShiftModifier, false), TKeyAction::Pronounce);
    EXPECT_EQ(MainKeyAction(Qt::Key_F9, Qt::NoModifier, true), TKeyAction::None);
}

TEST(KeyTableTest, F6SwitchesPanesAloneOrWithShift)
{
    struct Case {
        Qt::KeyboardModifiers Modifiers;
        bool Released;
        TKeyAction Expected;
    };
    const Case cases[] = {
        {Qt::NoModifier, false, TKeyAction::SwitchPane},
        {Qt::ShiftModifier, false, TKeyAction::SwitchPane},
        {Qt::KeypadModifier, false, TKeyAction::SwitchPane},
        {Qt::ControlModifier, false, TKeyAction::None},
        {Qt::AltModifier, false, TKeyAction::None},
        {Qt::NoModifier, true, TKeyAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MainKeyAction(Qt::Key_F6, c.Modifiers, c.Released), c.Expected) << c.Modifiers.toInt();
}

TEST(KeyTableTest, LookupBoxScrollsByExactModifiersAndLeavesItsOwnKeys)
{
    struct Case {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        TLookupScroll Expected;
    };
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const Case cases[] = {
        {Qt::Key_PageDown, Qt::NoModifier, TLookupScroll::PageDown},
        {Qt::Key_PageUp, Qt::KeypadModifier, TLookupScroll::PageUp},
        {Qt::Key_Down, ctrlShift, TLookupScroll::LineDown},
        {Qt::Key_Up, ctrlShift | Qt::KeypadModifier, TLookupScroll::LineUp},
        {Qt::Key_Home, Qt::ControlModifier, TLookupScroll::First},
        {Qt::Key_End, Qt::ControlModifier, TLookupScroll::Last},
        // The box's and the window's own keys keep their meaning: the list,
        // the drop-down, Next and Previous dictionary, the line's ends and
        // marking.
        {Qt::Key_Down, Qt::NoModifier, TLookupScroll::None},
        {Qt::Key_Up, Qt::NoModifier, TLookupScroll::None},
        {Qt::Key_Down, Qt::AltModifier, TLookupScroll::None},
        {Qt::Key_Down, Qt::ControlModifier, TLookupScroll::None},
        {Qt::Key_Up, Qt::ControlModifier, TLookupScroll::None},
        {Qt::Key_Home, Qt::NoModifier, TLookupScroll::None},
        {Qt::Key_End, ctrlShift, TLookupScroll::None},
        {Qt::Key_PageDown, Qt::ShiftModifier, TLookupScroll::None},
        {Qt::Key_PageDown, Qt::ControlModifier, TLookupScroll::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LookupScrollAction(c.Key, c.Modifiers), c.Expected) << c.Key << " " << c.Modifiers.toInt();
}

TEST(TipCycleTest, WrapsBothWays)
{
    EXPECT_EQ(NextTip(-1, 21), 0);
    EXPECT_EQ(NextTip(20, 21), 0);
    EXPECT_EQ(NextTip(4, 21), 5);
    EXPECT_EQ(PreviousTip(0, 21), 20);
    EXPECT_EQ(PreviousTip(5, 21), 4);
    // A stored index that is out of range starts over instead of showing nothing.
    EXPECT_EQ(NextTip(500, 21), 0);
    EXPECT_EQ(NextTip(-9, 21), 0);
    EXPECT_EQ(PreviousTip(500, 21), 20);
    // No tips: an index whose key does not exist, never a crash.
    EXPECT_EQ(NextTip(-1, 0), 0);
    EXPECT_EQ(PreviousTip(0, 0), -1);
}

TEST(DictionaryLineTest, NextAndPreviousWrapAndSkipTheAddLine)
{
    // Three dictionaries and the "Add dictionaries..." line.
    EXPECT_EQ(NextDictionaryLine(0, 4), 1);
    EXPECT_EQ(NextDictionaryLine(2, 4), 0);
    EXPECT_EQ(NextDictionaryLine(3, 4), 0);
    EXPECT_EQ(NextDictionaryLine(-1, 4), 0);
    EXPECT_EQ(PreviousDictionaryLine(0, 4), 2);
    EXPECT_EQ(PreviousDictionaryLine(-1, 4), 2);
    EXPECT_EQ(PreviousDictionaryLine(2, 4), 1);
    // Only the "Add dictionaries..." line: nothing to move to.
    EXPECT_EQ(NextDictionaryLine(-1, 1), -1);
    EXPECT_EQ(PreviousDictionaryLine(-1, 1), -1);
}

TEST(OnlineAddressTest, EveryPlaceholderGetsThePercentEncodedWord)
{
    EXPECT_EQ(OnlineAddress("http://x.example/?q=%1&again=%1", "rock & roll"),
              "http://x.example/?q=rock%20%26%20roll&again=rock%20%26%20roll");
    EXPECT_EQ(OnlineAddress("http://x.example/%1", "C#"), "http://x.example/C%23");
    EXPECT_EQ(OnlineAddress("http://x.example/%1", QString::fromUtf8("Größe")),
              "http://x.example/Gr%C3%B6%C3%9Fe");
    // Any script goes to the site as UTF-8, whatever the dictionary in view holds.
    EXPECT_EQ(OnlineAddress("http://x.example/?q=%1", QString::fromUtf8("σπίτι")),
              "http://x.example/?q=%CF%83%CF%80%CE%AF%CF%84%CE%B9");
    EXPECT_EQ(OnlineAddress("http://x.example/?q=%1", ""), "http://x.example/?q=");
    // A word that itself holds "%1" is not replaced again.
    EXPECT_EQ(OnlineAddress("a%1b", "%1"), "a%251b");
    EXPECT_EQ(OnlineAddress("no placeholder", "w"), "no placeholder");
}


TEST(WindowFitTest, StoredPlaceAndSizeAreBroughtOntoTheScreen)
{
    const QRect screen(0, 20, 1280, 880);  // a panel above
    const QRect second(1280, 0, 1024, 768);
    const QSize minimum(100, 100);
    struct TCase {
        const char* Name;
        QPoint Place;
        QSize Size;
        QRect Area;
        QRect Expected;
    };
    const TCase cases[] = {
        {"fits: kept", {100, 100}, {500, 500}, screen, {100, 100, 500, 500}},
        {"too tall: cut and moved up", {100, 300}, {500, 2147483647}, screen, {100, 20, 500, 880}},
        {"too wide and far right", {2147483647, 50}, {2147483647, 300}, screen, {0, 50, 1280, 300}},
        {"far off to the left and above", {-2147483647 - 1, -5000}, {300, 200}, screen, {0, 20, 300, 200}},
        {"off the right edge: moved in", {1200, 100}, {300, 200}, screen, {980, 100, 300, 200}},
        {"nothing or less: the smallest window", {10, 30}, {0, -2147483647 - 1}, screen, {10, 30, 100, 100}},
        {"on the second screen: stays there", {1300, 10}, {2000, 300}, second, {1280, 10, 1024, 300}},
        {"no screen yet: only the size is held", {40, 50}, {2147483647, 300}, QRect(), {0, 50, 16384, 300}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FitOnScreen(c.Place, c.Size, c.Area, minimum), c.Expected) << c.Name;
}

}  // namespace
}  // namespace lirabo
