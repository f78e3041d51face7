#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <thread>

#include "dictionary/dictionary_store.h"
#include "dictionary/utf8_text.h"
#include "distance_model.h"
#include "suggestions/folded_text.h"
#include "suggestions/headword_collector.h"
#include "suggestions/headword_index.h"

namespace lirabo {
namespace {

// An index of Words (UTF-8) gathered from an entry list.
THeadwordIndex IndexOf(const std::vector<std::string>& Words)
{
    std::vector<TWordItem> items;
    for (const std::string& w : Words)
        items.push_back({w, "d"});
    TDictionaryStore store;
    store.SetItems(items, TTextEncoding::Utf8);
    return THeadwordIndex::FromStore(store);
}

// Characters of several scripts, with upper and lower case and accented
// forms, drawn from few enough that random words lie close to each other.
const std::vector<std::vector<std::string>> kScripts = {
    {"a", "A", "b", "e", "\xC3\xA9", "\xC3\x89", "\xC3\xBC", "\xC3\x9C", "s", "\xC3\x9F"},  // é É ü Ü ß
    {"\xCE\xB1", "\xCE\x91", "\xCE\xB2", "\xCF\x83", "\xCF\x82", "\xCE\xA3", "\xCE\xAC"},  // α Α β σ ς Σ ά
    {"\xD0\xB0", "\xD0\x90", "\xD0\xB1", "\xD0\xB6", "\xD0\x96", "\xD1\x91"},  // а А б ж Ж ё
    {"\xE5\xAE\xB6", "\xE4\xBA\xBA", "\xE5\xA4\xA7", "\xE4\xB8\xAD"},          // 家 人 大 中
};

std::string RandomWord(std::mt19937& Random, const std::vector<std::string>& Letters, size_t MaxLength)
{
    std::string word;
    for (size_t n = 1 + Random() % MaxLength; n > 0; --n)
        word += Letters[Random() % Letters.size()];
    return word;
}

TEST(HeadwordIndexTest, SuggestionsAreExactlyTheHeadwordsWithinReachInEveryScript)
{
    std::mt19937 random(11);
    for (const auto& letters : kScripts) {
        for (int round = 0; round < 4; ++round) {
            std::vector<std::string> words;
            for (int i = 0; i < 300; ++i)
                words.push_back(RandomWord(random, letters, 7));
            const THeadwordIndex index = IndexOf(words);

            // The model: the first spelling met of each folded form.
            std::map<std::u32string, std::string> forms;
            for (const std::string& w : words)
                forms.emplace(FoldedCharacters(w), w);
            ASSERT_EQ(forms.size(), index.HeadwordCount());

            for (int q = 0; q < 60; ++q) {
                const std::string query =
                    q % 2 == 0 ? words[random() % words.size()] + letters[random() % letters.size()]
                               : RandomWord(random, letters, 8);
                const std::u32string folded = FoldedCharacters(query);
                const int limit = THeadwordIndex::MaxDistance(folded.size());
                std::set<std::string> expected;
                for (const auto& [form, spelling] : forms) {
                    const int d = test::ModelDistance(folded, form);
                    if (d > 0 && d <= limit)
                        expected.insert(spelling);
                }
                const std::vector<std::string> found = index.Suggest(query, forms.size());
                EXPECT_EQ(expected, std::set<std::string>(found.begin(), found.end())) << query;
                EXPECT_EQ(expected.size(), found.size()) << query << ": each once";
                for (size_t k = 1; k < found.size(); ++k)
                    EXPECT_LE(test::ModelDistance(folded, FoldedCharacters(found[k - 1])),
                              test::ModelDistance(folded, FoldedCharacters(found[k])))
                        << query << ": fewer edits first";
                const std::vector<std::string> firstThree = index.Suggest(query, 3);
                EXPECT_EQ(std::vector<std::string>(found.begin(),
                                                   found.begin() + std::min<size_t>(3, found.size())),
                          firstThree)
                    << query << ": a limit keeps the best";
            }
        }
    }
}

TEST(HeadwordIndexTest, TheLikelyWordComesFirst)
{
    const struct {
        const char* Why;
        std::vector<std::string> Headwords;  // in file order
        std::string Word;
        std::vector<std::string> Expected;  // the whole answer, in order
    } cases[] = {
        {"a longer common beginning first", {"relieve", "receive"}, "recieve", {"receive", "relieve"}},
        {"fewer edits before any beginning", {"recieved", "recede"}, "recieve", {"recieved", "recede"}},
        {"accents left off cost nothing among equal edits",
         {"Huber", "\u00FCber"},
         "uber",
         {"\u00FCber", "Huber"}},
        {"a wrong or missing accent is nearer than a wrong letter",
         {"caf\u00E8s", "cafas", "cafes"},
         "caf\u00E9s",
         {"cafes", "caf\u00E8s", "cafas"}},
        {"then the nearer length", {"abdef", "abydef"}, "abxdef", {"abydef", "abdef"}},
        {"then the folded order, not the file's", {"hat", "Bat"}, "cat", {"Bat", "hat"}},
        {"a word equal after folding is no suggestion", {"Haus", "HAUS", "haus", "Maus"}, "hAUS", {"Maus"}},
        {"words of four characters reach one edit", {"abcdef", "abed", "abc"}, "abcd", {"abc", "abed"}},
        {"words of five reach two", {"abcdefg", "bacdx"}, "abcde", {"abcdefg", "bacdx"}},
        {"the first spelling met stands for its folded form", {"Tag", "TAG", "tug"}, "tog", {"Tag", "tug"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, IndexOf(c.Headwords).Suggest(c.Word)) << c.Why;
}

TEST(HeadwordIndexTest, SillyInputGetsNoSuggestionsAndLongWordsTheirOwn)
{
    const std::string longest(THeadwordIndex::kMaxWordLength, 'a');
    const THeadwordIndex index =
        IndexOf({"a", "b", "x\xEF\xBF\xBDy", longest + "bc", longest + "bcd", "\u00FCbel"});
    const struct {
        const char* Why;
        std::string Word;
        size_t Limit;
        std::vector<std::string> Expected;
    } cases[] = {
        {"empty", "", 10, {}},
        {"no room asked for", "c", 0, {}},
        {"a stray byte counts as the replacement character", "x\xFFz", 10, {"x\xEF\xBF\xBDy"}},
        {"the longest word reaches two edits further", longest, 10, {longest + "bc"}},
        {"one character longer gets none", longest + "b", 10, {}},
        {"far too long gets none", std::string(100000, 'a'), 10, {}},
        {"a typed combining mark is composed first",
         "u\xCC\x88"
         "ber",
         10,
         {"\u00FCbel"}},
        {"single characters reach one edit", "c", 10, {"a", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, index.Suggest(c.Word, c.Limit)) << c.Why;
    EXPECT_EQ(5u, index.HeadwordCount()) << "the headword no word can reach is not kept";
    EXPECT_GT(index.MemoryBytes(), 0u);

    const THeadwordIndex empty;
    EXPECT_TRUE(empty.Suggest("a").empty()) << "nothing gathered";
    EXPECT_EQ(0u, empty.HeadwordCount());
}

TEST(HeadwordIndexTest, ThreadsAskingAtOnceGetTheAnswersOfOne)
{
    std::mt19937 random(5);
    std::vector<std::string> words;
    for (int i = 0; i < 2000; ++i)
        words.push_back(RandomWord(random, kScripts[i % kScripts.size()], 6));
    const THeadwordIndex index = IndexOf(words);
    std::vector<std::vector<std::string>> expected;
    for (const std::string& w : words)
        expected.push_back(index.Suggest(w));

    std::vector<std::vector<std::vector<std::string>>> answers(4);
    std::vector<std::thread> threads;
    for (auto& answer : answers)
        threads.emplace_back([&] {
            for (const std::string& w : words)
                answer.push_back(index.Suggest(w));
        });
    for (std::thread& t : threads)
        t.join();
    for (const auto& answer : answers)
        EXPECT_EQ(expected, answer);
}

TEST(HeadwordIndexTest, GatheringStopsKeepingHeadwordsAtItsMemoryCap)
{
    // Room for a few headwords of five bytes: the rest of a flood is left
    // out, repeats of kept ones cost nothing.
    THeadwordCollector collector(200);
    for (int i = 0; i < 1000; ++i)
        collector.Add("w" + std::to_string(10000 + i % 500));
    size_t kept = 0;
    size_t bytes = 0;
    for (const THeadwordBucket& bucket : collector.Finish()) {
        kept += bucket.Count();
        bytes += bucket.Spellings.size();
    }
    EXPECT_GT(kept, 0u);
    EXPECT_LT(kept, 10u);
    EXPECT_EQ(6 * kept, bytes);
}

}  // namespace
}  // namespace lirabo
