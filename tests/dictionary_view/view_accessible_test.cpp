#include <QAccessible>
#include <QAccessibleActionInterface>

#include "dictionary_view/text_highlight.h"
#include "dictionary_view/view_accessible.h"
#include "view_fixture.h"

namespace lirabo::testing {
namespace {

// What Qt would hand the platform's bridge, copied while the event lives.
// Offscreen Qt never turns active and drops events, so the view's own
// listener for tests stands in for Qt's update handler.
struct TRecorded {
    QAccessible::Event Type = QAccessible::InvalidEvent;
    QAccessible::Role Role = QAccessible::NoRole;
    QString Name;
    int Position = -1;  // the change position or the cursor position
    QString Removed, Inserted;
    int SelectionStart = -1, SelectionEnd = -1;
};

std::vector<TRecorded>& Recorded()
{
    static std::vector<TRecorded> events;
    return events;
}

void Record(QAccessibleEvent* Event)
{
    QAccessibleInterface* iface = Event->accessibleInterface();
    TRecorded r;
    r.Type = Event->type();
    r.Role = iface ? iface->role() : QAccessible::NoRole;
    r.Name = iface ? iface->text(QAccessible::Name) : QString();
    if (Event->type() == QAccessible::TextUpdated) {
        auto* update = static_cast<QAccessibleTextUpdateEvent*>(Event);
        r.Position = update->changePosition();
        r.Removed = update->textRemoved();
        r.Inserted = update->textInserted();
    } else if (Event->type() == QAccessible::TextCaretMoved) {
        r.Position = static_cast<QAccessibleTextCursorEvent*>(Event)->cursorPosition();
    } else if (Event->type() == QAccessible::TextSelectionChanged) {
        auto* selection = static_cast<QAccessibleTextSelectionEvent*>(Event);
        r.SelectionStart = selection->selectionStart();
        r.SelectionEnd = selection->selectionEnd();
    }
    Recorded().push_back(r);
}

class ViewAccessibleTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        TViewAccessible::SetListenerForTests(Record);
        Recorded().clear();
    }

    void TearDown() override { TViewAccessible::SetListenerForTests(nullptr); }

    // Shows exactly these entries (headword, body with codes), painted.
    void Show(std::vector<TWordItem> Entries, int ScrollLines = 0)
    {
        view->SetItems(Entries, TTextEncoding::Utf8);
        Shot();
        view->ScrollLines(ScrollLines);
        Shot();
    }

    QAccessibleInterface* Accessible() const { return QAccessible::queryAccessibleInterface(view.get()); }
    QAccessibleTextInterface* Text() const { return Accessible()->textInterface(); }
    QString Read() const { return Text()->text(0, Text()->characterCount()); }

    std::vector<TRecorded> EventsOf(QAccessible::Event Type) const
    {
        std::vector<TRecorded> events;
        for (const TRecorded& event : Recorded())
            if (event.Type == Type)
                events.push_back(event);
        return events;
    }

    // The link children, after the scroll bar.
    std::vector<QAccessibleInterface*> LinkChildren() const
    {
        std::vector<QAccessibleInterface*> links;
        for (int i = 0; i < Accessible()->childCount(); ++i)
            if (Accessible()->child(i)->role() == QAccessible::Link)
                links.push_back(Accessible()->child(i));
        return links;
    }
};

TEST_F(ViewAccessibleTest, IsReadOnlyMultiLineTextNamedByItsOwner)
{
    view->setAccessibleName("Entries");
    view->setAccessibleDescription("The entries of the open dictionary");
    QAccessibleInterface* accessible = Accessible();
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->textInterface(), nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Entries");
    EXPECT_EQ(accessible->text(QAccessible::Description), "The entries of the open dictionary");
    const QAccessible::State state = accessible->state();
    EXPECT_TRUE(state.readOnly && state.multiLine && state.focusable);
    EXPECT_FALSE(state.editable);
    view->activateWindow();
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    EXPECT_TRUE(accessible->state().focused);
    // The scroll bar stays a child.
    EXPECT_EQ(accessible->child(0)->role(), QAccessible::ScrollBar);
}

struct TReadCase {
    const char* Name;
    std::vector<TWordItem> Entries;
    int ScrollLines;
    std::string Expected;  // with every line break read as a space
};

TEST_F(ViewAccessibleTest, ReadsTheEntriesOnScreen)
{
    const std::string longBody =
        " a small domesticated carnivorous mammal with soft fur, a short snout and "
        "retractile claws, kept as a pet or for catching mice";
    const TReadCase cases[] = {
        {"headword, space, body",
         {{"cat", kDefinition + " a pet"}, {"dog", kDefinition + " a friend"}},
         0,
         "cat  a pet dog  a friend"},
        {"codes left out",
         {{"cat", kField + "zoo" + kBold + "logy" + kBold + kLink + "kit" + kLinkEnd}},
         0,
         "cat zoologykit"},
        {"wrapped lines", {{"cat", kDefinition + longBody}}, 0, "cat " + longBody},
        {"hard breaks", {{"cat", kDefinition + "one" + kBreak + "two"}}, 0, "cat one two"},
        {"Greek", {{"λόγος", kDefinition + "ο λόγος του"}}, 0, "λόγος ο λόγος του"},
        {"Arabic", {{"كتاب", kDefinition + "كتب جديدة"}}, 0, "كتاب كتب جديدة"},
        {"a partly scrolled top entry keeps its headword",
         {{"cat", kDefinition + "one" + kBreak + "two" + kBreak + "three"}, {"dog", kDefinition + "b"}},
         1,
         "cat two three dog b"},
    };
    for (const TReadCase& c : cases) {
        Show(c.Entries, c.ScrollLines);
        const QString text = Read();
        EXPECT_EQ(QString(text).replace(u'\n', u' ').toStdString(), c.Expected) << c.Name;
        // A line of text for every screen line, as the layout counts them.
        int lines = 0;
        const TLayoutCache& cache = view->LayoutCache();
        for (int j = 0; j < cache.ProcessedCount(); ++j)
            lines += cache.Item(j).Lines;
        EXPECT_EQ(text.count(u'\n') + 1, lines - view->TopLine()) << c.Name;
    }
    view->Clear();
    view->SetEmptyText("Type a word to look it up");
    Shot();
    EXPECT_EQ(Read(), "Type a word to look it up");
    EXPECT_EQ(LinkChildren().size(), 0u);
}

TEST_F(ViewAccessibleTest, OffsetsRoundTripThroughTheCaretAndAgreeWithTheHitTest)
{
    Show({{"λόγος", kDefinition + "𝄞 ok 日本語"}, {"كتاب", kDefinition + "كتب " + kLink + "cat" + kLinkEnd}});
    QAccessibleTextInterface* text = Text();
    const QString read = Read();
    ASSERT_EQ(read.toStdString(), "λόγος 𝄞 ok 日本語\nكتاب كتب cat");
    const TLayoutCache& cache = view->LayoutCache();
    for (int offset = 0; offset < read.size(); ++offset) {
        if (read[offset].isLowSurrogate())
            continue;
        text->setCursorPosition(offset);
        EXPECT_EQ(text->cursorPosition(), offset) << offset;
        if (read[offset] == u'\n')
            continue;
        // The rectangle's middle hits the caret's character, there and through Qt.
        const QRect rect = text->characterRect(offset);
        ASSERT_TRUE(rect.isValid()) << offset;
        EXPECT_EQ(text->offsetAtPoint(rect.center()), offset) << offset;
        const QPoint local = view->mapFromGlobal(rect.center());
        const int j = view->Caret().Entry - cache.ProcessedFirst();
        const TProcessedItem item{WithoutMarks(cache.Item(j).Text), cache.Item(j).Lines};
        const THit hit = HitTest(view->Layout(), item, local.x(), local.y(), EntryTop(view->Caret().Entry), 0,
                                 view->ScrollBar()->x());
        EXPECT_EQ(hit.Index, view->Caret().Index) << offset;
    }
    // A selection reads back as it was made, and runs no further than its entry.
    text->setSelection(0, 6, 10);
    int start = 0, end = 0;
    EXPECT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(6, 10));
    text->setSelection(0, 2, static_cast<int>(read.size()));
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(2, static_cast<int>(read.indexOf(u'\n'))));
    text->removeSelection(0);
    EXPECT_EQ(text->selectionCount(), 0);
}

TEST_F(ViewAccessibleTest, LinksAreChildrenThatAClickPresses)
{
    OpenSample();
    std::vector<std::string> clicks, menus;
    view->OnLinkClick = [&](const std::string& Link) { clicks.push_back(Link); };
    view->OnLinkRightClick = [&](const std::string& Link) { menus.push_back(Link); };
    view->LookUp("cat");
    Shot();
    QAccessibleInterface* accessible = Accessible();
    std::vector<std::string> names;
    for (QAccessibleInterface* link : LinkChildren()) {
        names.push_back(link->text(QAccessible::Name).toStdString());
        EXPECT_TRUE(link->state().focusable);
        EXPECT_EQ(link->parent(), accessible);
        const int index = accessible->indexOfChild(link);
        EXPECT_EQ(accessible->child(index), link);
        // The middle of a wrapped link's area need not be on it.
        if (names.size() < 3) {
            EXPECT_EQ(accessible->childAt(link->rect().center().x(), link->rect().center().y()), link);
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"kitten", "jazz musician"}));
    QAccessibleActionInterface* actions = LinkChildren()[1]->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames().first(), QAccessibleActionInterface::pressAction());
    actions->doAction(QAccessibleActionInterface::pressAction());
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_EQ(clicks, std::vector<std::string>{"jazz musician"});
    EXPECT_EQ(menus, std::vector<std::string>{"jazz musician"});

    // The same links in the same places are the same children after a paint.
    const QAccessible::Id kitten = QAccessible::uniqueId(LinkChildren()[0]);
    view->update();
    Shot();
    EXPECT_EQ(QAccessible::uniqueId(LinkChildren()[0]), kitten);

    // A wrapped link has a piece on each line but is one child.
    const std::string wrapped = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
    view->ShowEntries(34, 1);
    Shot();
    ASSERT_GE(std::count_if(view->Links().begin(), view->Links().end(),
                            [&](const TLinkRect& Piece) { return Piece.Link == wrapped; }),
              2);
    const std::vector<QAccessibleInterface*> links = LinkChildren();
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0]->text(QAccessible::Name).toStdString(), wrapped);
    links[0]->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.back(), wrapped);
}

TEST_F(ViewAccessibleTest, ChangesOnScreenAndOfTheCaretAreAnnounced)
{
    OpenSample();
    view->LookUp("cat");
    Shot();
    const QString before = Read();
    Recorded().clear();

    view->LookUp("word120");
    Shot();
    std::vector<TRecorded> updates = EventsOf(QAccessible::TextUpdated);
    ASSERT_EQ(updates.size(), 1u) << "a lookup";
    QString after = before;
    after.replace(updates[0].Position, updates[0].Removed.size(), updates[0].Inserted);
    EXPECT_EQ(after, Read());
    EXPECT_TRUE(updates[0].Inserted.contains("word120"));
    EXPECT_FALSE(EventsOf(QAccessible::ObjectDestroyed).empty()) << "the links scrolled away";

    Recorded().clear();
    view->update();
    Shot();
    EXPECT_TRUE(Recorded().empty()) << "a paint that changes nothing";

    const QString unscrolled = Read();
    view->ScrollLines(1);
    Shot();
    updates = EventsOf(QAccessible::TextUpdated);
    ASSERT_EQ(updates.size(), 1u) << "a scroll";
    after = unscrolled;
    after.replace(updates[0].Position, updates[0].Removed.size(), updates[0].Inserted);
    EXPECT_EQ(after, Read());

    Recorded().clear();
    const int entry = view->TopEntry() + 1;
    view->SetCaret({entry, 2});
    const std::vector<TRecorded> carets = EventsOf(QAccessible::TextCaretMoved);
    ASSERT_FALSE(carets.empty());
    EXPECT_EQ(carets.back().Position, Text()->cursorPosition());
    EXPECT_EQ(Read().mid(carets.back().Position - 2, 2).toStdString(), "wo");

    view->SetSelection({entry, 0, 4});
    const std::vector<TRecorded> selections = EventsOf(QAccessible::TextSelectionChanged);
    ASSERT_FALSE(selections.empty());
    EXPECT_EQ(Read().mid(selections.back().SelectionStart,
                         selections.back().SelectionEnd - selections.back().SelectionStart),
              "word");

    Recorded().clear();
    view->activateWindow();
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    view->LookUp("cat");
    Shot();
    Recorded().clear();
    view->FocusLink(0);
    const std::vector<TRecorded> focus = EventsOf(QAccessible::Focus);
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().Role, QAccessible::Link);
    EXPECT_EQ(focus.back().Name, "kitten");
    EXPECT_EQ(Accessible()->focusChild()->text(QAccessible::Name), "kitten");
}

}  // namespace
}  // namespace lirabo::testing
