// The worker behind the line, with real forms and a real headword index over
// dictionaries written for the test: what it answers, that suggestions
// gathered later still come, and that a newer question wins.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "test_folder.h"
#include "word_hints/word_hint_line.h"
#include "word_hints/word_hints.h"

namespace lirabo::test {
namespace {

class WordHintsTest : public ::testing::Test {
protected:
    QString English()
    {
        makrel::TWriterOptions options;
        options.Name = "English";
        options.HeadwordLanguage = "en";
        options.DefinitionLanguage = "en";
        return FFolder.AddDictionary("english.ldi", options,
                                     {{"house", "a building"},
                                      {"mouse", "a small rodent"},
                                      {"receive", "to get"},
                                      {"relieve", "to ease"},
                                      {"recipe", "how to cook"},
                                      {"zebra", "a striped horse"}});
    }

    // Answers until one of Generation satisfies Done (at most Limit answers).
    TWordHintAnswer WaitFor(QSignalSpy& Spy, uint64_t Generation,
                            const std::function<bool(const TWordHintAnswer&)>& Done)
    {
        for (int seen = 0; seen < 20; ++seen) {
            if (Spy.isEmpty() && !Spy.wait(20000))
                break;
            const auto answer = Spy.takeFirst().at(0).value<TWordHintAnswer>();
            FAll.push_back(answer);
            if (answer.Generation == Generation && Done(answer))
                return answer;
        }
        ADD_FAILURE() << "no such answer came";
        return {};
    }

    TProgramFolder FFolder;
    std::vector<TWordHintAnswer> FAll;
};

bool Any(const TWordHintAnswer&)
{
    return true;
}
bool WithSuggestions(const TWordHintAnswer& Answer)
{
    return !Answer.Suggestions.isEmpty();
}

TEST_F(WordHintsTest, FormsAlwaysSuggestionsOnlyForANeitherHeadwordNorForm)
{
    TWordHints hints;
    QSignalSpy spy(&hints, &TWordHints::Answered);
    hints.SetDictionary(English(), "en", 0);
    struct TCase {
        QString Word;
        QStringList Forms;
        QStringList Suggestions;
    } cases[] = {
        // First, so that the headwords are gathered for the rest.
        {"recieve", {}, {"receive", "relieve"}},
        // An inflected form is spelt right: no spellings close to it ("mouse").
        {"houses", {"house"}, {}},
        {"mice", {"mouse"}, {}},
        // A headword of its own: nothing to correct.
        {"zebra", {}, {}},
    };
    uint64_t generation = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Word.toStdString());
        hints.Ask(++generation, c.Word);
        // Suggestions are complete once the headwords are gathered: the
        // last answer to the question counts.
        TWordHintAnswer answer = WaitFor(spy, generation, [&c](const TWordHintAnswer& A) {
            return c.Suggestions.isEmpty() || !A.Suggestions.isEmpty();
        });
        EXPECT_EQ(answer.Word, c.Word);
        EXPECT_EQ(answer.Forms, c.Forms);
        QStringList first = answer.Suggestions.mid(0, c.Suggestions.size());
        first.sort();
        EXPECT_EQ(first, c.Suggestions);
        if (c.Suggestions.isEmpty())
            EXPECT_EQ(answer.Suggestions, QStringList());
    }
}

// The gathering waits for the window's start, but not for a word that
// needs suggestions now.
TEST_F(WordHintsTest, AWordNeedingSuggestionsStartsTheGatheringAtOnce)
{
    TWordHints hints;
    QSignalSpy spy(&hints, &TWordHints::Answered);
    hints.SetDictionary(English(), "en", 3600 * 1000);
    hints.Ask(1, "recieve");
    EXPECT_EQ(WaitFor(spy, 1, WithSuggestions).Suggestions.mid(0, 2), QStringList({"receive", "relieve"}));
}

TEST_F(WordHintsTest, ANewerQuestionWinsAndTheLineDropsTheOlderAnswer)
{
    TWordHints hints;
    TWordHintLine line;
    QSignalSpy spy(&hints, &TWordHints::Answered);
    QObject::connect(&hints, &TWordHints::Answered, &line, &TWordHintLine::ShowAnswer);
    hints.SetDictionary(English(), "en", 0);
    const uint64_t a = line.Expect();
    hints.Ask(a, "houses");
    const uint64_t b = line.Expect();
    hints.Ask(b, "recieve");
    WaitFor(spy, b, WithSuggestions);
    for (const TWordHintAnswer& answer : FAll)
        EXPECT_TRUE(answer.Generation == a || answer.Generation == b);
    ASSERT_TRUE(line.Shown().has_value());
    EXPECT_EQ(line.Shown()->Word, "recieve");
    // However late the first answer comes, the line keeps the second.
    line.ShowAnswer({a, "houses", {"house"}, {}});
    EXPECT_EQ(line.Shown()->Word, "recieve");
}

TEST_F(WordHintsTest, AnotherDictionaryOrNoneChangesTheAnswers)
{
    makrel::TWriterOptions options;
    options.Name = "Other";
    options.HeadwordLanguage = "en";
    const QString other = FFolder.AddDictionary("other.ldi", options, {{"houses", "plural"}, {"horse", "animal"}});
    TWordHints hints;
    QSignalSpy spy(&hints, &TWordHints::Answered);
    hints.SetDictionary(English(), "en", 0);
    hints.Ask(1, "houses");
    EXPECT_EQ(WaitFor(spy, 1, Any).Forms, QStringList({"house"}));
    // The other file has no "house": no form to offer; "houses" is an entry.
    hints.SetDictionary(other, "en", 0);
    hints.Ask(2, "houses");
    const TWordHintAnswer second = WaitFor(spy, 2, Any);
    EXPECT_TRUE(second.Empty());
    // Nothing local open: an empty answer, still one per question.
    hints.SetDictionary(QString(), QString(), 0);
    hints.Ask(3, "houses");
    EXPECT_TRUE(WaitFor(spy, 3, Any).Empty());
    // A file that cannot be opened gives no hints, and no error.
    hints.SetDictionary(FFolder.Path() + "/missing.ldi", "en", 0);
    hints.Ask(4, "recieve");
    EXPECT_TRUE(WaitFor(spy, 4, Any).Empty());
}

TEST_F(WordHintsTest, NothingEverOpenStillAnswers)
{
    TWordHints hints;
    QSignalSpy spy(&hints, &TWordHints::Answered);
    hints.Ask(7, "houses");
    const TWordHintAnswer answer = WaitFor(spy, 7, Any);
    EXPECT_EQ(answer.Word, "houses");
    EXPECT_TRUE(answer.Empty());
}

}  // namespace
}  // namespace lirabo::test
