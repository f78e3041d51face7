// The view from the keyboard: caret moves, keyboard selection, links by Tab,
// the menu key and the column keys, and the mouse alongside them.

#include <QLineEdit>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "dictionary/crc32.h"
#include "dictionary/little_endian.h"
#include "dictionary_view/text_highlight.h"
#include "view_fixture.h"

namespace lirabo::testing {
namespace {

using TCaret = TDictionaryView::TCaret;

struct TKey {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
};

// Four entries shown from a list: two short ones (one with characters of
// two bytes and a cluster of three), one that wraps over several lines with
// two links and a hard break, and a last one.
class KeysTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        std::vector<TWordItem> items{
            {"alpha", kDefinition + "one"},
            {"b\xC3\xA9ta", kDefinition + "e\xCC\x81x"},
            {"gamma", kDefinition + "many words that run on and on until the line has to wrap somewhere " +
                          "see " + kLink + "delta" + kLinkEnd + " and " + kLink + "epsilon" + kLinkEnd +
                          " then more words to fill" + kBreak + "after the break"},
            {"zeta", kDefinition + "last"},
        };
        view->SetItems(items, TTextEncoding::Utf8);
        view->OnTextSelected = [this](const std::string& Text) { Selected.push_back(Text); };
        view->OnRightClick = [this](const std::string& Entry, const std::string& Word) {
            RightClicks.emplace_back(Entry, Word);
        };
        view->OnLinkClick = [this](const std::string& Link) { LinkClicks.push_back(Link); };
        view->OnLinkRightClick = [this](const std::string& Link) { LinkRightClicks.push_back(Link); };
        view->ShowEntries(0, 1);
        Shot();
    }

    void Press(TKey Key) { QTest::keyClick(view.get(), Key.Key, Key.Modifiers); }

    // Laid-out text of an entry without marks, as the caret counts it.
    std::string TextOf(int Entry) const
    {
        const TLayoutCache& cache = view->LayoutCache();
        return WithoutMarks(cache.Item(Entry - cache.ProcessedFirst()).Text);
    }
    int IndexOf(int Entry, const std::string& Piece) const
    {
        return static_cast<int>(TextOf(Entry).find(Piece));
    }

    std::vector<std::string> Selected;
    std::vector<std::pair<std::string, std::string>> RightClicks;
    std::vector<std::string> LinkClicks;
    std::vector<std::string> LinkRightClicks;
};

TEST_F(KeysTest, LookUpPutsTheCaretOnTheFirstCurrentEntryWithoutTakingTheFocus)
{
    EXPECT_EQ(view->Caret(), (TCaret{0, 0}));
    view->ShowEntries(2, 1);
    EXPECT_EQ(view->Caret(), (TCaret{2, 0}));
    EXPECT_FALSE(view->hasFocus());
    EXPECT_EQ(view->CurrentEntryLine().left(11), QStringLiteral("gamma many "));
    EXPECT_FALSE(view->CurrentEntryLine().contains(QStringLiteral("after")));
    view->Clear();
    EXPECT_EQ(view->Caret(), (TCaret{}));
    EXPECT_TRUE(view->Selection().Empty());
    EXPECT_TRUE(view->CurrentEntryLine().isEmpty());
}

TEST_F(KeysTest, CharacterAndWordMovesStepWholeCharactersAcrossEntries)
{
    // alpha|^one: the body mark at 5, the definition code at 6, "one" from 7.
    // b\xC3\xA9ta|^e\xCC\x81x: é two bytes at 1, e with its accent 7..9, x at 10.
    struct TCase {
        TCaret From;
        TKey Key;
        TCaret To;
    };
    const TCase cases[] = {
        {{0, 4}, {Qt::Key_Right}, {0, 5}},  // onto the gap before the definition
        {{0, 5}, {Qt::Key_Right}, {0, 7}},  // the definition code takes no room
        {{0, 7}, {Qt::Key_Left}, {0, 5}},
        {{0, 9}, {Qt::Key_Right}, {0, 10}},
        {{0, 10}, {Qt::Key_Right}, {1, 0}},  // past the end onto the next entry
        {{1, 0}, {Qt::Key_Left}, {0, 10}},   // and back
        {{1, 1}, {Qt::Key_Right}, {1, 3}},   // é whole
        {{1, 3}, {Qt::Key_Left}, {1, 1}},
        {{1, 2}, {Qt::Key_Right}, {1, 3}},   // a caret set inside é snaps to its start
        {{1, 7}, {Qt::Key_Right}, {1, 10}},  // e with its combining accent, one cluster
        {{1, 10}, {Qt::Key_Left}, {1, 7}},
        {{0, 0}, {Qt::Key_Left}, {0, 0}},  // nothing before the first entry
        {{0, 0}, {Qt::Key_Right, Qt::ControlModifier}, {0, 7}},
        {{0, 10}, {Qt::Key_Left, Qt::ControlModifier}, {0, 7}},
        {{0, 7}, {Qt::Key_Left, Qt::ControlModifier}, {0, 0}},
        {{0, 3}, {Qt::Key_Right, Qt::AltModifier | Qt::ControlModifier}, {0, 3}},  // not a move
    };
    for (const TCase& c : cases) {
        view->SetCaret(c.From);
        Press(c.Key);
        EXPECT_EQ(view->Caret(), c.To) << "from " << c.From.Entry << ":" << c.From.Index << " key " << c.Key.Key;
    }
    view->SetCaret({3, 0});
    Press({Qt::Key_End, Qt::ControlModifier});
    const TCaret end = view->Caret();
    EXPECT_EQ(end, (TCaret{3, static_cast<int>(TextOf(3).size())}));
    Press({Qt::Key_Right});
    EXPECT_EQ(view->Caret(), end) << "nothing after the last entry";
    Press({Qt::Key_Home, Qt::ControlModifier});
    EXPECT_EQ(view->Caret(), (TCaret{0, 0}));
}

TEST_F(KeysTest, UpAndDownGoByScreenLineThroughAWrappedEntry)
{
    const int lines = view->EntryLineCount(2);
    ASSERT_GE(lines, 3);
    view->setFocus();
    view->SetCaret({2, IndexOf(2, "many") + 2});
    QRect last = view->CaretRect();
    ASSERT_TRUE(last.isValid());
    for (int line = 1; line < lines; ++line) {
        Press({Qt::Key_Down});
        const QRect now = view->CaretRect();
        EXPECT_EQ(view->Caret().Entry, 2);
        EXPECT_EQ(now.top(), last.top() + LineHeight()) << "line " << line;
        EXPECT_LE(std::abs(now.left() - last.left()), 12) << "the column is kept, line " << line;
        last = now;
    }
    Press({Qt::Key_Down});
    EXPECT_EQ(view->Caret().Entry, 3);
    EXPECT_EQ(view->CaretRect().top(), last.top() + LineHeight());
    Press({Qt::Key_Up});
    EXPECT_EQ(view->Caret().Entry, 2);
    EXPECT_EQ(view->CaretRect().top(), last.top());
    // From the first line of the first entry nowhere further up: its start.
    view->SetCaret({0, 3});
    Press({Qt::Key_Up});
    EXPECT_EQ(view->Caret(), (TCaret{0, 0}));
    Press({Qt::Key_Down});
    EXPECT_EQ(view->Caret().Entry, 1);
}

TEST_F(KeysTest, HomeAndEndGoToTheEndsOfTheScreenLine)
{
    view->setFocus();
    view->SetCaret({2, IndexOf(2, "many") + 2});
    Press({Qt::Key_Down});
    const int middle = view->Caret().Index;
    const std::string text = TextOf(2);
    Press({Qt::Key_Home});
    const int start = view->Caret().Index;
    EXPECT_LT(start, middle);
    EXPECT_EQ(text[static_cast<size_t>(start) - 1], '\x0E') << "the line starts after a wrap";
    const int top = view->CaretRect().top();
    Press({Qt::Key_End});
    const int end = view->Caret().Index;
    EXPECT_GT(end, middle);
    EXPECT_TRUE(text[static_cast<size_t>(end)] == '\x0E' || text[static_cast<size_t>(end)] == '\x0D');
    EXPECT_EQ(view->CaretRect().top(), top) << "End stays on its line rather than the next one's start";
}

TEST_F(KeysTest, ShiftSelectsWithinOneEntryAndHandsTheTextOn)
{
    view->setFocus();
    view->SetCaret({0, 7});
    struct TCase {
        TKey Key;
        TDictionaryView::TTextRange Expected;
    };
    const TCase cases[] = {
        {{Qt::Key_Right, Qt::ShiftModifier}, {0, 7, 8}},
        {{Qt::Key_End, Qt::ShiftModifier}, {0, 7, 10}},
        {{Qt::Key_Right, Qt::ShiftModifier}, {0, 7, 10}},  // never into the next entry
        {{Qt::Key_Down, Qt::ShiftModifier}, {0, 7, 10}},
        {{Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier}, {}},
        {{Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier}, {0, 0, 7}},
        {{Qt::Key_Left, Qt::ShiftModifier}, {0, 0, 7}},  // nor into the one before
    };
    for (const TCase& c : cases) {
        Press(c.Key);
        const TDictionaryView::TTextRange got = view->Selection();
        EXPECT_EQ(got.Entry, c.Expected.Entry) << "key " << c.Key.Key;
        EXPECT_EQ(got.Begin, c.Expected.Begin) << "key " << c.Key.Key;
        EXPECT_EQ(got.End, c.Expected.End) << "key " << c.Key.Key;
    }
    // Shown with the marks a mouse selection uses.
    Shot();
    EXPECT_EQ(view->LayoutCache().Item(0).Text, "\x0B" "alpha\x01\x07\x0Cone");
    // Each click releases Shift: the selection is handed on whenever it grew
    // (or shrank) before the release, never when the keys left it as it was.
    EXPECT_EQ(Selected, (std::vector<std::string>{"o", "one", "alpha "}));
    QTest::keyRelease(view.get(), Qt::Key_Shift);
    EXPECT_EQ(Selected.size(), 3u) << "handed on once per change";

    Press({Qt::Key_A, Qt::ControlModifier});
    Press({Qt::Key_C, Qt::ControlModifier});
    Press({Qt::Key_Insert, Qt::ControlModifier});
    ASSERT_EQ(Selected.size(), 5u);
    EXPECT_EQ(Selected[3], "alpha one");
    EXPECT_EQ(Selected[4], "alpha one");

    Press({Qt::Key_Escape});
    EXPECT_TRUE(view->Selection().Empty());
    Shot();
    EXPECT_EQ(view->LayoutCache().Item(0).Text, "alpha\x01\x07one") << "the marks go with the selection";
    // A plain move ends a selection too.
    Press({Qt::Key_Left, Qt::ShiftModifier});
    EXPECT_FALSE(view->Selection().Empty());
    Press({Qt::Key_Left});
    EXPECT_TRUE(view->Selection().Empty());
}

TEST_F(KeysTest, SelectionKeepsSearchHighlightsOutWhileShownAndBringsThemBack)
{
    view->SetHighlight({"one"});
    Shot();
    EXPECT_EQ(view->LayoutCache().Item(0).Text, "alpha\x01\x07\x0Bone\x0C");
    view->SetSelection({0, 0, 2});
    Shot();
    EXPECT_EQ(view->LayoutCache().Item(0).Text, "\x0B" "al\x0Cpha\x01\x07one");
    EXPECT_EQ(view->Caret(), (TCaret{0, 2}));
    view->SetCaret({0, 0});
    Shot();
    EXPECT_EQ(view->LayoutCache().Item(0).Text, "alpha\x01\x07\x0Bone\x0C");
}

TEST_F(KeysTest, TabWalksTheLinksOnScreenThenLeavesTheView)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    view->setParent(&window);
    layout->addWidget(view.get());
    auto* after = new QLineEdit(&window);
    after->setAccessibleName(QStringLiteral("after"));
    layout->addWidget(after);
    window.resize(600, 440);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Shot();
    view->FocusCurrentEntry();
    QTRY_VERIFY(view->hasFocus());
    ASSERT_GE(view->Links().size(), 2u);

    QTest::keyClick(view.get(), Qt::Key_Tab);
    ASSERT_TRUE(view->LinkFocused());
    EXPECT_EQ(view->Links()[static_cast<size_t>(view->FocusedLink())].Link, "delta");
    EXPECT_EQ(view->Caret(), (TCaret{2, IndexOf(2, "delta")}));
    QTest::keyClick(view.get(), Qt::Key_Return);
    ASSERT_EQ(LinkClicks.size(), 1u);
    EXPECT_EQ(LinkClicks[0], "delta");
    QTest::keyClick(view.get(), Qt::Key_Menu);
    ASSERT_EQ(LinkRightClicks.size(), 1u);
    EXPECT_EQ(LinkRightClicks[0], "delta");

    QTest::keyClick(view.get(), Qt::Key_Tab);
    EXPECT_EQ(view->Links()[static_cast<size_t>(view->FocusedLink())].Link, "epsilon");
    QTest::keyClick(view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(view->Links()[static_cast<size_t>(view->FocusedLink())].Link, "delta");
    QTest::keyClick(view.get(), Qt::Key_Tab);
    QTest::keyClick(view.get(), Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus()) << "past the last link on to the next control";
    EXPECT_FALSE(view->LinkFocused());

    QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(view->hasFocus());
    EXPECT_FALSE(view->LinkFocused()) << "tabbing in lands on the caret";

    // Enter without a link is left to the window.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(LinkClicks.size(), 1u);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &escape);
    EXPECT_FALSE(escape.isAccepted()) << "Escape without a selection is the window's";
    view->setParent(nullptr);
}

TEST_F(KeysTest, TheMenuKeysPickTheWordAtTheCaret)
{
    struct TCase {
        TCaret Caret;
        TKey Key;
        std::string Word;
        bool InDefinition;
    };
    const TCase cases[] = {
        {{0, 8}, {Qt::Key_F10, Qt::ShiftModifier}, "one", true},
        {{0, 10}, {Qt::Key_F10, Qt::ShiftModifier}, "one", true},  // just after the word
        {{0, 2}, {Qt::Key_Menu}, "alpha", false},
        {{1, 7}, {Qt::Key_Menu}, "e\xCC\x81x", true},
    };
    for (const TCase& c : cases) {
        view->SetCaret(c.Caret);
        Press(c.Key);
        ASSERT_FALSE(RightClicks.empty());
        EXPECT_EQ(RightClicks.back().second, c.Word);
        EXPECT_EQ(view->RightClickedEntry(), c.Caret.Entry);
        EXPECT_EQ(view->RightClickInDefinition(), c.InDefinition);
    }
    EXPECT_EQ(RightClicks[0].first, "alpha\x01one");
    EXPECT_EQ(view->MenuPoint(), view->mapToGlobal(view->CaretRect().bottomLeft()));
    view->SetSelection({0, 1, 4});
    Press({Qt::Key_Menu});
    EXPECT_EQ(RightClicks.back().second, "lph");
    QTest::keyClick(view.get(), Qt::Key_F10, Qt::ControlModifier);
    EXPECT_EQ(RightClicks.size(), 5u) << "Ctrl+F10 is no menu key";
}

TEST_F(KeysTest, AltArrowsMoveTheDefinitionColumnWithinTheDragLimits)
{
    const int step = std::max(view->fontMetrics().averageCharWidth(), 4);
    const int start = view->Indent();
    Press({Qt::Key_Right, Qt::AltModifier});
    EXPECT_EQ(view->Indent(), start + step);
    Press({Qt::Key_Left, Qt::AltModifier});
    Press({Qt::Key_Left, Qt::AltModifier});
    EXPECT_EQ(view->Indent(), start - step);
    for (int i = 0; i < 200; ++i)
        Press({Qt::Key_Left, Qt::AltModifier});
    EXPECT_EQ(view->Indent(), kLeftMargin);
    for (int i = 0; i < 200; ++i)
        Press({Qt::Key_Right, Qt::AltModifier});
    EXPECT_EQ(view->Indent(), view->ScrollBar()->x() - 15);
    EXPECT_EQ(view->Caret().Entry, 0) << "the caret stays on its entry through the new layouts";
}

TEST_F(KeysTest, TheMouseSelectsAsBeforeAndMovesTheCaret)
{
    view->SetSelection({0, 0, 3});
    const QPoint on = PointOfText(3, "last", 1);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, on);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, on);
    ASSERT_EQ(Selected.size(), 1u);
    EXPECT_EQ(Selected[0], "a");
    EXPECT_EQ(view->Caret(), (TCaret{3, IndexOf(3, "last") + 1}));
    EXPECT_TRUE(view->Selection().Empty()) << "a click ends the keyboard selection";
    EXPECT_EQ(view->LayoutCache().Item(0).Text, "alpha\x01\x07one");

    const QPoint from = PointOfText(2, "many");
    const QPoint to = PointOfText(2, "many", 3);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view.get(), to);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, to);
    EXPECT_EQ(Selected.back(), "many");
    QTest::mouseClick(view.get(), Qt::RightButton, {}, PointOfText(2, "words", 1));
    ASSERT_EQ(RightClicks.size(), 1u);
    EXPECT_EQ(RightClicks[0].second, "words");
    EXPECT_EQ(view->MenuPoint(), view->mapToGlobal(PointOfText(2, "words", 1)));
}

TEST_F(KeysTest, TheCaretAndFocusShowOnlyWithTheFocus)
{
    view->SetCaret({0, 0});
    const QImage plain = Shot();
    view->SetCaret({0, 3});
    EXPECT_EQ(Shot(), plain) << "an unfocused view looks as it did";

    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    const QImage focused = Shot();
    const QRect caret = view->CaretRect();
    ASSERT_TRUE(caret.isValid());
    EXPECT_EQ(CountPixels(focused, caret, QColor(0, 0, 0)), caret.width() * caret.height());
    const QColor frame = view->palette().color(QPalette::Highlight);
    EXPECT_GT(CountPixels(focused, QRect(0, 0, view->width(), 3), frame), 100);
}

// Renders the focused view with its caret in a keyboard selection, then with
// a focused link (focusing it moves the caret, which ends the selection), so
// that both can be looked at.
TEST_F(KeysTest, RendersTheFocusedViewToPictures)
{
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    view->ShowEntries(2, 1);
    view->SetSelection({2, IndexOf(2, "many"), IndexOf(2, "many") + 10});
    QImage image = Shot();
    ASSERT_TRUE(image.save(QStringLiteral(LIRABO_RENDER_DIR "/dictionary_view_keys_selection.png")));
    EXPECT_GT(CountPixels(image, image.rect(), Rgb(0xFCC898)), 50);

    QTest::keyClick(view.get(), Qt::Key_Tab);
    QTest::keyClick(view.get(), Qt::Key_Tab);
    ASSERT_EQ(view->Links()[static_cast<size_t>(view->FocusedLink())].Link, "epsilon");
    image = Shot();
    ASSERT_TRUE(image.save(QStringLiteral(LIRABO_RENDER_DIR "/dictionary_view_keys_link.png")));
    const TRect link = view->Links()[static_cast<size_t>(view->FocusedLink())].Rect;
    // The focus rectangle runs along the link's bottom in the link colour.
    EXPECT_GT(CountPixels(image, QRect(link.Left, link.Bottom - 1, link.Right - link.Left, 1), Rgb(0x800000)),
              (link.Right - link.Left) / 3);
}

TEST_F(KeysTest, CurrentEntryLineIsCutAtAWord)
{
    std::string body = kDefinition;
    for (int i = 0; i < 100; ++i)
        body += "word" + std::to_string(i) + " ";
    std::vector<TWordItem> items{{"long", body}};
    view->SetItems(items, TTextEncoding::Utf8);
    view->ShowEntries(0, 1);
    const QString line = view->CurrentEntryLine();
    EXPECT_LE(line.size(), 300);
    EXPECT_GT(line.size(), 250);
    EXPECT_TRUE(line.startsWith(QStringLiteral("long word0 word1")));
    EXPECT_TRUE(line.contains(QRegularExpression(QStringLiteral("word[0-9]+$"))))
        << line.right(20).toStdString();
}

TEST_F(KeysTest, PageKeysScrollAndCarryTheCaretAlong)
{
    std::vector<TWordItem> items;
    for (int i = 0; i < 100; ++i)
        items.push_back({"w" + std::to_string(1000 + i), kDefinition + "entry"});
    view->SetItems(items, TTextEncoding::Utf8);
    view->ShowEntries(0, 1);
    view->setFocus();
    Shot();
    const int page = view->height() / LineHeight();
    Press({Qt::Key_PageDown});
    EXPECT_EQ(view->Caret().Entry, page);
    EXPECT_TRUE(view->CaretRect().isValid());
    Press({Qt::Key_PageUp});
    EXPECT_EQ(view->Caret().Entry, 0);
    Press({Qt::Key_End, Qt::ControlModifier});
    EXPECT_EQ(view->Caret().Entry, 99);
    Shot();
    EXPECT_TRUE(view->CaretRect().isValid()) << "the caret is scrolled into view";
    for (int i = 0; i < page + 3; ++i)
        Press({Qt::Key_Up});
    Shot();
    EXPECT_TRUE(view->CaretRect().isValid());
    EXPECT_EQ(view->Caret().Entry, 99 - page - 3);
}

}  // namespace
}  // namespace lirabo::testing

namespace lirabo::testing {
namespace {

// A dictionary whose later sections cannot be decoded: the keys that reach
// them leave the caret where it was, and nothing escapes the key handlers.
TEST_F(ViewTest, KeysOverAnUndecodableSectionLeaveTheCaretInPlace)
{
    std::vector<unsigned char> bytes = SampleDictionary();
    for (size_t i = bytes.size() * 3 / 4; i < bytes.size() * 3 / 4 + 64 && i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(bytes[i] ^ 0x5A);
    // The file's checksum made right again, so that only the section is bad.
    WriteUInt32LE(bytes.data(), BufferCRC(bytes.data() + 4, bytes.size() - 4));
    ASSERT_NO_THROW(view->OpenDictionary(std::make_unique<TMemoryStream>(bytes)));
    int bad = -1;
    for (int i = 0; i < view->EntryCount() && bad < 0; ++i)
        try {
            view->Store().GetItem(i);
        } catch (const std::exception&) {
            bad = i;
        }
    ASSERT_GT(bad, 1) << "the edit should spoil a later section";
    view->ShowEntries(bad - 1, 1);
    Shot();
    view->setFocus();
    ASSERT_EQ(view->Caret(), (TDictionaryView::TCaret{bad - 1, 0}));
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Right, Qt::Key_Right})
        QTest::keyClick(view.get(), key);
    EXPECT_LT(view->Caret().Entry, bad) << "an unreadable entry never gets the caret";
    view->SetCaret({bad, 0});
    view->SetSelection({bad, 0, 3});
    EXPECT_LT(view->Caret().Entry, bad);
    QTest::keyClick(view.get(), Qt::Key_F10, Qt::ShiftModifier);
    QTest::keyClick(view.get(), Qt::Key_End, Qt::ControlModifier);
    Shot();
    EXPECT_NO_THROW(view->CurrentEntryLine());
}

}  // namespace
}  // namespace lirabo::testing
