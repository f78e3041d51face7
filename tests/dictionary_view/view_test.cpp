#include <QScreen>
#include <random>

#include "view_fixture.h"

namespace lirabo::testing {
namespace {

struct TEvents {
    std::vector<std::string> Selected;
    std::vector<std::pair<std::string, std::string>> RightClicks;
    std::vector<std::string> LinkClicks;
    std::vector<std::string> LinkRightClicks;

    void Listen(TDictionaryView& View)
    {
        View.OnTextSelected = [this](const std::string& Text) { Selected.push_back(Text); };
        View.OnRightClick = [this](const std::string& Entry, const std::string& Word) {
            RightClicks.emplace_back(Entry, Word);
        };
        View.OnLinkClick = [this](const std::string& Link) { LinkClicks.push_back(Link); };
        View.OnLinkRightClick = [this](const std::string& Link) { LinkRightClicks.push_back(Link); };
    }
};

class DictionaryViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        OpenSample();
        events.Listen(*view);
        view->LookUp("cat");
        Shot();  // lays the entries out as a paint does
    }

    void Click(Qt::MouseButton Button, QPoint Point)
    {
        ASSERT_GE(Point.x(), 0) << "the text is not on screen";
        QTest::mousePress(view.get(), Button, {}, Point);
        QTest::mouseRelease(view.get(), Button, {}, Point);
    }

    void Hover(QPoint Point)
    {
        QMouseEvent move(QEvent::MouseMove, Point, view->mapToGlobal(Point), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(view.get(), &move);
    }

    TEvents events;
};

TEST_F(DictionaryViewTest, LookUpCentresTheCurrentEntriesAndPaintsThemOnTheirBackground)
{
    EXPECT_EQ(view->CurrentFirst(), 1);
    EXPECT_EQ(view->CurrentCount(), 2);
    EXPECT_EQ(view->ScrollBar()->maximum(), 34);
    EXPECT_EQ(view->ScrollBar()->value(), view->TopEntry());
    // Too few lines to centre from the first entry: the view starts at the top.
    EXPECT_EQ(view->TopEntry(), 0);

    const QImage image = Shot();
    const QColor current = Rgb(0xD7D7D7);
    const QColor white = Rgb(0xFFFFFF);
    for (int entry : {1, 2}) {
        const int top = EntryTop(entry);
        ASSERT_GE(top, 0);
        EXPECT_EQ(image.pixelColor(4, top + 2), current) << "the mark strip beside entry " << entry;
        EXPECT_EQ(image.pixelColor(view->RightLimit() - 1, top + 2), current)
            << "the line filled to the limit";
        EXPECT_EQ(image.pixelColor(1, top + 2), white) << "the margin stays the view's colour";
    }
    const int other = EntryTop(3);
    EXPECT_EQ(image.pixelColor(4, other + 2), white);
    // The definition colour is 0x008001: red 1, green 128, blue 0.
    const int top = EntryTop(1);
    const QRect body(view->Indent(), top, view->RightLimit() - view->Indent(), 2 * LineHeight());
    EXPECT_GT(CountPixels(image, body, QColor(1, 128, 0)), 20);
    EXPECT_EQ(CountPixels(image, body, QColor(0, 128, 0)), 0);
}

TEST_F(DictionaryViewTest, DraggingSelectsAndReportsTheText)
{
    const QPoint from = PointOfText(1, "small");
    const QPoint to = PointOfText(1, "small", 4);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view.get(), to);
    const QImage image = Shot();
    EXPECT_GT(CountPixels(image, QRect(from.x(), from.y() - 3, to.x() - from.x(), 6), Rgb(0xFCC898)), 10);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, to);
    ASSERT_EQ(events.Selected.size(), 1u);
    EXPECT_EQ(events.Selected[0], "small");
    // The marks are gone once the button is up.
    EXPECT_EQ(CountPixels(Shot(), QRect(from.x(), from.y() - 3, to.x() - from.x(), 6), Rgb(0xFCC898)), 0);

    Click(Qt::LeftButton, PointOfText(1, "mammal"));
    EXPECT_EQ(events.Selected.back(), "m");  // a click selects one character
}

TEST_F(DictionaryViewTest, SelectionOverTheHeadwordGapReportsASpace)
{
    const QPoint gap(view->Indent() - 20, EntryTop(3) + LineHeight() / 2);
    const QPoint to = PointOfText(3, "a young", 0);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, gap);
    QTest::mouseMove(view.get(), to);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, to);
    ASSERT_EQ(events.Selected.size(), 1u);
    EXPECT_EQ(events.Selected[0], " a");
}

TEST_F(DictionaryViewTest, RightClickPicksTheWordOrTheWholeHeadword)
{
    Click(Qt::RightButton, PointOfText(0, "long"));
    ASSERT_EQ(events.RightClicks.size(), 1u);
    EXPECT_EQ(events.RightClicks[0].second, "a rather long headword that reaches the column");
    EXPECT_EQ(events.RightClicks[0].first,
              "a rather long headword that reaches the column\x01its body starts on the next line");

    Click(Qt::RightButton, PointOfText(1, "carnivorous", 3));
    EXPECT_EQ(events.RightClicks.back().second, "carnivorous");
    Click(Qt::RightButton, PointOfText(1, "catus", 2));  // the last word, with a style code after it
    EXPECT_EQ(events.RightClicks.back().second, "catus");
    Click(Qt::RightButton, PointOfText(2, "(informal)"));
    EXPECT_EQ(events.RightClicks.back().second, "");
    Click(Qt::RightButton, PointOfText(2, " a ", 0));
    EXPECT_EQ(events.RightClicks.back().second, "");
    Click(Qt::RightButton, PointOfText(2, "person", 1));  // inside bold toggles
    EXPECT_EQ(events.RightClicks.back().second, "person");
    EXPECT_TRUE(events.Selected.empty());
}

TEST_F(DictionaryViewTest, LinksLookThemselvesUpWhereverTheButtonIsReleased)
{
    const QPoint link = PointOfText(1, "kitten", 2);
    Hover(link);
    EXPECT_EQ(view->cursor().shape(), Qt::PointingHandCursor);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, link);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(300, 390));
    ASSERT_EQ(events.LinkClicks.size(), 1u);
    EXPECT_EQ(events.LinkClicks[0], "kitten");

    Click(Qt::MiddleButton, link);
    EXPECT_EQ(events.LinkClicks.back(), "kitten");
    Click(Qt::RightButton, link);
    ASSERT_EQ(events.LinkRightClicks.size(), 1u);
    EXPECT_EQ(events.LinkRightClicks[0], "kitten");
    EXPECT_TRUE(events.Selected.empty());

    Hover(QPoint(300, 2));
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(DictionaryViewTest, EveryPieceOfAWrappedLinkReportsTheWholeLink)
{
    view->ShowEntries(34, 1);
    Shot();
    const std::string whole = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
    std::vector<TLinkRect> pieces;
    for (const TLinkRect& link : view->Links())
        if (link.Link == whole)
            pieces.push_back(link);
    ASSERT_GE(pieces.size(), 2u) << "the link should wrap at this width";
    EXPECT_LT(pieces[1].Rect.Top, pieces[1].Rect.Bottom);
    EXPECT_GT(pieces[1].Rect.Top, pieces[0].Rect.Top);
    const QPoint first((pieces[0].Rect.Left + pieces[0].Rect.Right) / 2, pieces[0].Rect.Top + 3);
    Hover(first);
    Click(Qt::LeftButton, first);
    ASSERT_EQ(events.LinkClicks.size(), 1u);
    EXPECT_EQ(events.LinkClicks[0], whole);
}

TEST_F(DictionaryViewTest, DraggingTheColumnEdgeStopsBeforeTheBarAndAtTheMargin)
{
    const int y = EntryTop(3) + 3;
    Hover(QPoint(view->Indent() - 2, y));
    EXPECT_EQ(view->cursor().shape(), Qt::SplitHCursor);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(view->Indent() - 2, y));
    QTest::mouseMove(view.get(), QPoint(2000, y));
    EXPECT_EQ(view->Indent(), view->ScrollBar()->x() - 15);
    QTest::mouseMove(view.get(), QPoint(-300, y));
    EXPECT_EQ(view->Indent(), 5);
    QTest::mouseMove(view.get(), QPoint(178, y));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(178, y));
    EXPECT_EQ(view->Indent(), 180);
    EXPECT_TRUE(events.Selected.empty());
    // The entries are laid out again for the new column.
    Shot();
    EXPECT_EQ(view->LayoutCache().LayoutWidth(), view->RightLimit());
}

TEST_F(DictionaryViewTest, ScrollingByLinesPagesAndTheBar)
{
    int position = 0;
    view->ScrollBarScroll(TDictionaryView::scTop, position);
    Shot();
    const QImage before = Shot();
    view->ScrollLines(-3);  // already at the top
    EXPECT_EQ(view->TopEntry(), 0);
    EXPECT_EQ(view->TopLine(), 0);
    EXPECT_TRUE(Shot() == before);

    // One line down moves every line below the top entry up by one line.
    const int firstLines = view->LayoutCache().Item(0).Lines;
    view->ScrollLines(1);
    EXPECT_EQ(view->TopEntry(), firstLines > 1 ? 0 : 1);
    const QImage after = Shot();
    const int h = LineHeight();
    for (int y = 200; y < 380; y += 7)
        for (int x = 5; x < view->RightLimit(); x += 3)
            ASSERT_EQ(after.pixel(x, y), before.pixel(x, y + h)) << x << "," << y;

    view->ScrollLines(1000000);  // past the end
    EXPECT_EQ(view->TopEntry(), 34);
    EXPECT_EQ(view->TopLine(), view->EntryLineCount(34) - 1);
    EXPECT_EQ(view->ScrollBar()->value(), 34);

    view->ScrollBarScroll(TDictionaryView::scTop, position);
    EXPECT_EQ(position, 0);
    view->ScrollPages(1);
    EXPECT_GT(view->TopEntry(), 5);
    position = 20;
    view->ScrollBarScroll(TDictionaryView::scTrack, position);
    EXPECT_EQ(view->TopEntry(), 20);
    view->ScrollBarScroll(TDictionaryView::scBottom, position);
    EXPECT_EQ(position, 34);
    EXPECT_EQ(view->TopLine(), view->EntryLineCount(34) - 1);
    view->ScrollBarScroll(TDictionaryView::scLineUp, position);
    EXPECT_EQ(view->TopLine(), view->EntryLineCount(34) - 2);

    // The wheel scrolls by the system's lines per notch.
    view->ScrollBarScroll(TDictionaryView::scTrack, position = 10);
    Shot();
    QWheelEvent wheel(QPointF(100, 100), view->mapToGlobal(QPointF(100, 100)), {}, QPoint(0, -120),
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &wheel);
    EXPECT_EQ(view->TopEntry() - 10, QApplication::wheelScrollLines());  // the fillers take one line each

    // The bar's own buttons go through the same handler.
    view->ScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(view->TopEntry(), 0);
    view->ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view->TopEntry() * 1000 + view->TopLine(), firstLines > 1 ? 1 : 1000);
    EXPECT_EQ(view->ScrollBar()->value(), view->TopEntry());
}

// What is on screen after the view moved the pixels that stay and painted
// only what was uncovered must equal a fresh paint of the whole view.
TEST_F(DictionaryViewTest, ScrollingMovesPixelsAndRepaintsOnlyWhatItMust)
{
    view->resize(500, 300);
    QScreen* screen = view->screen();
    const auto onScreen = [&] {
        QApplication::processEvents();
        QApplication::processEvents();
        return screen->grabWindow(view->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    onScreen();
    for (const int n : {1, 1, 2, -1, 3, -4, 5, 1, -2, 7, -3, 40, -100, 0}) {
        int position = 3;
        if (n != 0)
            view->ScrollLines(n);
        else  // dragging the bar repaints the current-entry strip too
            view->ScrollBarScroll(TDictionaryView::scTrack, position);
        const QImage shown = onScreen();
        const QImage fresh = Shot().convertToFormat(QImage::Format_RGB32);
        const QRect text(0, 0, view->ScrollBar()->x(), view->height());
        ASSERT_TRUE(shown.copy(text) == fresh.copy(text))
            << "after ScrollLines(" << n << ") to entry " << view->TopEntry() << " line " << view->TopLine();
    }
}

TEST_F(DictionaryViewTest, ShowEntriesCentresAndKeepsTheFirstEntryAtTheTop)
{
    view->ShowEntries(0, 1);
    EXPECT_EQ(view->TopEntry(), 0);
    EXPECT_EQ(view->TopLine(), 0);
    view->ShowEntries(20, 1);
    const int fit = view->height() / LineHeight();
    EXPECT_LT(view->TopEntry(), 20);
    Shot();
    const int top = EntryTop(20);
    EXPECT_NEAR(top, view->height() / 2, 2 * LineHeight());
    EXPECT_GT(fit, 0);
    // Nothing found in an empty view does not put the view before its start.
    view->Clear();
    view->LookUp("anything");
    EXPECT_EQ(view->TopEntry(), 0);
    int position = 0;
    view->ScrollBarScroll(TDictionaryView::scBottom, position);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(view->ScrollBar()->maximum(), 0);
}

TEST_F(DictionaryViewTest, AFailedOpenLeavesTheViewEmptyAndPaintable)
{
    EXPECT_THROW(view->OpenDictionary("/nonexistent/lirabo.ldi"), std::exception);
    EXPECT_EQ(view->EntryCount(), 0);
    EXPECT_EQ(view->ScrollBar()->maximum(), 0);
    EXPECT_EQ(view->LayoutCache().ProcessedCount(), 0);
    Shot();
    EXPECT_TRUE(view->Links().empty());
    EXPECT_EQ(view->CurrentFirst(), 1) << "the current range outlives the source";
}

TEST_F(DictionaryViewTest, AFontChangeLaysTheEntriesOutAgainAtOnce)
{
    const int small = view->EntryLineCount(1);
    view->setFont(QFont("DejaVu Sans", 20));
    EXPECT_TRUE(view->LayoutCache().Stale());
    EXPECT_GT(view->EntryLineCount(1), small);
    view->Styles().SetElementStyle(deDefinition, fsBold);
    EXPECT_TRUE(view->LayoutCache().Stale());
}

TEST_F(DictionaryViewTest, HandlersMayClearOrScrollTheViewDuringASelection)
{
    view->OnTextSelected = [this](const std::string&) { view->Clear(); };
    Click(Qt::LeftButton, PointOfText(1, "small"));
    EXPECT_EQ(view->EntryCount(), 0);
    Shot();

    OpenSample();
    view->LookUp("cat");
    Shot();
    view->OnTextSelected = nullptr;
    const QPoint at = PointOfText(2, "person");
    QTest::mousePress(view.get(), Qt::LeftButton, {}, at);
    view->ScrollLines(2);
    Shot();
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, at);
    Shot();
    for (int j = 0; j < view->LayoutCache().ProcessedCount(); ++j)
        EXPECT_EQ(view->LayoutCache().Item(j).Text.find('\x0B'), std::string::npos) << "a mark left behind";
}

TEST_F(ViewTest, TheEmptyViewWrapsItsMessageAtWordsAndAnEmptyMessagePaintsNothing)
{
    const QColor white = Rgb(0xFFFFFF);
    const QRect area(5, 5, view->RightLimit() - 5, view->height() - 5);
    EXPECT_EQ(CountPixels(Shot(), area, white), area.width() * area.height());

    view->SetEmptyText("No dictionary loaded.");
    EXPECT_EQ(view->EmptyText(), "No dictionary loaded. ");
    const QImage wide = Shot();
    const int h = LineHeight();
    EXPECT_GT(area.width() * h - CountPixels(wide, QRect(5, 5, area.width(), h), white), 30);
    EXPECT_EQ(CountPixels(wide, QRect(5, 5 + h, area.width(), h), white), area.width() * h);

    view->resize(120, 200);
    const QImage narrow = Shot();
    const int width = view->RightLimit() - 5;
    EXPECT_LT(CountPixels(narrow, QRect(5, 5 + h, width, h), white), width * h) << "the second line is used";
    EXPECT_EQ(CountPixels(narrow, QRect(0, 0, 5, 200), white), 5 * 200) << "lines start at x = 5";
}

TEST_F(ViewTest, HostileEntriesNeverCrashHangOrEscape)
{
    std::mt19937 random(3);
    std::vector<TWordItem> items;
    items.push_back({"huge", std::string(65535, 'w')});
    items.push_back({std::string(255, 'h'), std::string(65535, ' ')});
    items.push_back({"codes", "\x03\x04\x05\x06\x07\x08\x0A\x0B\x0C\x0D\x0E\x0F"});
    items.push_back({"invalid", std::string("ab\x02"
                                            "cd\x10\x1F",
                                            7)});
    items.push_back({"links", "\x09\x09\x0F\x0F\x0E\x09open"});
    items.push_back({"nul", std::string("before\0after", 12)});
    for (int i = 0; i < 40; ++i) {
        std::string text(random() % 2000, ' ');
        for (char& c : text)
            c = static_cast<char>(random() % 256);
        items.push_back({"r" + std::to_string(i), text});
    }
    view->SetItems(items, TTextEncoding::Windows1252);
    EXPECT_TRUE(items.empty());
    TEvents events;
    events.Listen(*view);
    for (int top = 0; top < view->EntryCount(); top += 3) {
        int position = top;
        view->ScrollBarScroll(TDictionaryView::scTrack, position);
        view->ScrollLines(static_cast<int>(random() % 7) - 3);
        Shot();
        for (int k = 0; k < 12; ++k) {
            const QPoint a(static_cast<int>(random() % 640) - 20, static_cast<int>(random() % 440) - 20);
            const QPoint b(static_cast<int>(random() % 640) - 20, static_cast<int>(random() % 440) - 20);
            const Qt::MouseButton button = k % 3 == 0 ? Qt::RightButton : Qt::LeftButton;
            QTest::mouseMove(view.get(), a);
            QTest::mousePress(view.get(), button, {}, a);
            QTest::mouseMove(view.get(), b);
            QTest::mouseRelease(view.get(), button, {}, b);
        }
    }
    for (const std::string& text : events.Selected)
        EXPECT_EQ(text.find_first_of(std::string("\x00\x01\x0B\x0C", 4)), std::string::npos);
    view->ShowEntries(0, 1);
    const QImage image = Shot();
    EXPECT_EQ(image.size(), view->size());
}

}  // namespace
}  // namespace lirabo::testing
