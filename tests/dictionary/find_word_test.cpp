#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "dictionary/exceptions.h"
#include "dictionary/word_order.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

using test::Entry;

struct Range {
    int First;
    int Count;
    bool operator==(const Range&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const Range& R)
{
    return Out << "{" << R.First << ", " << R.Count << "}";
}

// Brute force over the sorted headwords: the model every search must match.
std::optional<Range> Model(const std::vector<std::string>& Words, const std::string& S, bool Exact)
{
    const int n = static_cast<int>(Words.size());
    int first = -1;
    for (int i = 0; i < n; ++i)
        if (CompareWords(Words[static_cast<size_t>(i)], S) >= 0) {
            if (!Exact || CompareWords(Words[static_cast<size_t>(i)], S) == 0)
                first = i;
            break;
        }
    if (first == -1)
        return Exact ? std::nullopt : std::optional<Range>(Range{n - 1, 1});
    int count = 1;
    while (first + count < n && CompareWords(Words[static_cast<size_t>(first + count)],
                                             Words[static_cast<size_t>(first)]) == 0)
        ++count;
    return Range{first, count};
}

std::optional<Range> Find(TDictionaryStore& Store, const std::string& S, bool Exact)
{
    Range r{};
    try {
        Store.FindWord(S, Exact, r.First, r.Count);
    } catch (const EAbort&) {
        return std::nullopt;
    }
    return r;
}

std::vector<std::string> SortedWords(std::vector<Entry> Entries)
{
    std::stable_sort(Entries.begin(), Entries.end(),
                     [](const Entry& a, const Entry& b) { return CompareWords(a.Word, b.Word) < 0; });
    std::vector<std::string> words;
    for (const Entry& e : Entries)
        words.push_back(e.Word);
    return words;
}

TEST(WordOrderTest, OnlyAsciiLettersFoldAndPrefixesSortFirst)
{
    EXPECT_EQ(0, CompareWords("apple", "APPLE"));
    EXPECT_LT(CompareWords("app", "apple"), 0);
    EXPECT_GT(CompareWords("_x", "zebra"), 0) << "underscore sorts after the letters";
    EXPECT_NE(0, CompareWords("\xE4", "\xC4")) << "accented letters match only themselves";
    EXPECT_GT(CompareWords("\xE4", "z"), 0) << "bytes compare unsigned";
    EXPECT_EQ(0, CompareWords("", ""));
}

// Random headwords over a tiny alphabet, so that groups, shared prefixes and
// section boundaries are everywhere; every search is compared with the model.
TEST(FindWordTest, AgreesWithBruteForceOverRandomDictionaries)
{
    std::mt19937 random(7);
    const std::string alphabet = "aAbB_\xE4";
    auto word = [&](int maxLength) {
        std::string w(random() % static_cast<unsigned>(maxLength + 1), ' ');
        for (char& c : w)
            c = alphabet[random() % alphabet.size()];
        return w;
    };
    for (int round = 0; round < 12; ++round) {
        std::vector<Entry> entries;
        const int n = 1 + static_cast<int>(random() % 120);
        for (int i = 0; i < n; ++i)
            entries.push_back({word(6), "def" + std::to_string(i)});
        const int sectionSize = 1 + static_cast<int>(random() % 9);
        const auto words = SortedWords(entries);
        TDictionaryStore file;
        test::Open(file, test::BuildDictionary(entries, sectionSize));
        TDictionaryStore list;
        std::vector<TWordItem> items;
        for (const std::string& w : words)
            items.push_back({w, ""});
        list.SetItems(items);
        for (int q = 0; q < 300; ++q) {
            const std::string s = q < n ? words[static_cast<size_t>(q)] : word(7);
            for (bool exact : {false, true}) {
                const auto expected = Model(words, s, exact);
                EXPECT_EQ(expected, Find(file, s, exact)) << "section size " << sectionSize << " '" << s << "'";
                EXPECT_EQ(expected, Find(list, s, exact)) << "list '" << s << "'";
            }
        }
    }
}

TEST(FindWordTest, EdgesOfTheRange)
{
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary({{"bat", ""}, {"cat", ""}, {"dog", ""}}, 2));
    EXPECT_EQ((Range{0, 1}), Find(store, "", false)) << "an empty text finds entry 0";
    EXPECT_EQ((Range{2, 1}), Find(store, "zzz", false)) << "after the last: the last entry";
    EXPECT_EQ((Range{1, 1}), Find(store, "bz", false)) << "between two: the following entry";
    EXPECT_EQ(std::nullopt, Find(store, "bz", true));
    EXPECT_EQ((Range{1, 1}), Find(store, "CAT", true));
    TDictionaryStore nothing;
    EXPECT_EQ((Range{-1, 1}), Find(nothing, "a", false));
    EXPECT_EQ(std::nullopt, Find(nothing, "a", true));
}

TEST(FindWordTest, GroupCrossesIntoNextSection)
{
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary({{"a", ""}, {"set", "1"}, {"SET", "2"}, {"Set", "3"}, {"z", ""}}, 3));
    EXPECT_EQ((Range{1, 3}), Find(store, "set", true));
    EXPECT_EQ("3", store.GetItem(3)->Definition) << "equal headwords keep their input order";
    // The group is extended by the candidate's own headword, not by the text.
    EXPECT_EQ((Range{1, 3}), Find(store, "sa", false));
}

TEST(FindWordTest, ShortKeysCompareWithTheirZeroBytes)
{
    // Section 1 starts with "ab": its key is "ab\0\0".
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary({{"aa", ""}, {"aaz", ""}, {"ab", ""}, {"abc", ""}, {"abd", ""}}, 2));
    ASSERT_EQ(std::string("ab\0\0", 4), std::string(store.Sections()[1].Key.begin(), store.Sections()[1].Key.end()));
    EXPECT_EQ((Range{2, 1}), Find(store, "ab", true));
    EXPECT_EQ((Range{3, 1}), Find(store, "abc", true));
    EXPECT_EQ((Range{4, 1}), Find(store, "abd", true));
}

}  // namespace
}  // namespace lirabo
