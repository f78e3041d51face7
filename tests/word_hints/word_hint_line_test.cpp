// The quiet line above the entries: what it says for each kind of answer,
// which words it offers as links, that only the latest question's answer
// shows, and that a link is followed from the keyboard.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include "test_folder.h"
#include "word_hints/word_hint_line.h"

namespace lirabo::test {
namespace {

QString PlainText(const TWordHintLine& Line)
{
    return QTextDocumentFragment::fromHtml(Line.text()).toPlainText();
}

// The words the links stand for, in order.
QStringList LinkWords(const TWordHintLine& Line)
{
    QStringList words;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (const QRegularExpressionMatch& m : href.globalMatch(Line.text()))
        words << TWordHintLine::LinkWord(QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText());
    return words;
}

TWordHintAnswer Answer(uint64_t Generation, QString Word, QStringList Forms, QStringList Suggestions)
{
    return {Generation, std::move(Word), std::move(Forms), std::move(Suggestions)};
}

// Plain text reads the gap's non-breaking spaces as spaces.
const QString kGap = QStringLiteral("  \u00b7  ");

struct TLineCase {
    const char* Name;
    QString Word;
    QStringList Forms;
    QStringList Suggestions;
    QString Said;  // empty: hidden
    QStringList Links;
};

TEST(WordHintLineTest, SaysFormsAndSuggestionsWithTheirWordsAsLinks)
{
    const TLineCase cases[] = {
        {"one form", "mice", {"mouse"}, {}, "mice: a form of mouse", {"mouse"}},
        {"several forms", "axes", {"axe", "axis"}, {}, "axes: a form of axe, axis", {"axe", "axis"}},
        {"suggestions only", "recieve", {}, {"receive", "relieve"}, "Did you mean: receive, relieve",
         {"receive", "relieve"}},
        {"both", "Häuser", {"Haus"}, {"Hauser"}, "Häuser: a form of Haus" + kGap + "Did you mean: Hauser",
         {"Haus", "Hauser"}},
        {"mark-up and link characters stay text", "a<b>", {"x&y", "50% \"off\""}, {},
         "a<b>: a form of x&y, 50% \"off\"", {"x&y", "50% \"off\""}},
        {"nothing to say", "mouse", {}, {}, "", {}},
    };
    for (const TLineCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TWordHintLine line;
        line.ShowAnswer(Answer(line.Expect(), c.Word, c.Forms, c.Suggestions));
        EXPECT_EQ(line.isVisibleTo(nullptr), !c.Said.isEmpty());
        EXPECT_EQ(PlainText(line), c.Said);
        EXPECT_EQ(LinkWords(line), c.Links);
        EXPECT_EQ(line.accessibleDescription(), c.Said);
    }
}

TEST(WordHintLineTest, NewTextsShowTheAnswerAgainAndATranslationMayDropAPlaceholder)
{
    TWordHintLine line;
    line.ShowAnswer(Answer(line.Expect(), "Häuser", {"Haus"}, {"Hauser"}));
    line.SetTexts({"%s: eine Form von %s", "Meinten Sie: %s", "Wortformen und Vorschläge"});
    EXPECT_EQ(PlainText(line), "Häuser: eine Form von Haus" + kGap + "Meinten Sie: Hauser");
    EXPECT_EQ(line.accessibleName(), "Wortformen und Vorschläge");
    line.SetTexts({"a form of %s", "%s?", "Hints"});
    EXPECT_EQ(PlainText(line), "a form of Häuser" + kGap + "Hauser?");
}

TEST(WordHintLineTest, OnlyTheLatestQuestionsAnswerShows)
{
    TWordHintLine line;
    const uint64_t first = line.Expect();
    const uint64_t second = line.Expect();
    ASSERT_NE(first, second);
    // The first question's answer arrives after the second was asked.
    line.ShowAnswer(Answer(first, "houses", {"house"}, {}));
    EXPECT_FALSE(line.Shown().has_value());
    EXPECT_FALSE(line.isVisibleTo(nullptr));
    line.ShowAnswer(Answer(second, "mice", {"mouse"}, {}));
    EXPECT_EQ(PlainText(line), "mice: a form of mouse");
    // ... or even after the second one's.
    line.ShowAnswer(Answer(first, "houses", {"house"}, {}));
    EXPECT_EQ(PlainText(line), "mice: a form of mouse");
    // The same question answered again (suggestions gathered later) replaces it.
    line.ShowAnswer(Answer(second, "mice", {"mouse"}, {"mica"}));
    EXPECT_EQ(LinkWords(line), QStringList({"mouse", "mica"}));
    // A new question hides the old answer at once.
    line.Expect();
    EXPECT_FALSE(line.isVisibleTo(nullptr));
    line.Clear();
    line.ShowAnswer(Answer(second, "mice", {"mouse"}, {}));
    EXPECT_FALSE(line.Shown().has_value());
}

TEST(WordHintLineTest, LinksAreReachedWithTabAndFollowedWithEnter)
{
    QWidget window;
    auto* box = new QLineEdit(&window);
    auto* line = new TWordHintLine(&window);
    auto* after = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(box);
    layout->addWidget(line);
    layout->addWidget(after);
    QStringList followed;
    line->OnLookUp = [&followed](const QString& Word) { followed << Word; };
    line->ShowAnswer(Answer(line->Expect(), "recieve", {}, {"receive", "relieve"}));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(line->accessibleName().isEmpty());

    // Tab from the box reaches the first link, Tab again the second.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Tab);
    ASSERT_TRUE(line->hasFocus());
    QTest::keyClick(line, Qt::Key_Tab);
    ASSERT_TRUE(line->hasFocus()) << "the second link is inside the line";
    QTest::keyClick(line, Qt::Key_Return);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Tab);
    QTest::keyClick(line, Qt::Key_Return);
    // Shift+Tab from below lands on the last link.
    after->setFocus();
    QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(followed, QStringList({"relieve", "receive", "relieve"}));
}

}  // namespace
}  // namespace lirabo::test
