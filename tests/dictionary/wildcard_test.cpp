#include <gtest/gtest.h>

#include <random>

#include "dictionary/wildcard_pattern.h"
#include "dictionary/word_order.h"
#include "test_dictionary.h"
#include "wildcard_reference.h"

namespace lirabo {
namespace {

// Random patterns and texts over the bytes that matter to the matcher,
// compared with the direct transcription of the procedure.
TEST(WildcardMatchTest, AgreesWithTheReferenceProcedure)
{
    std::mt19937 random(11);
    const std::string patternBytes = "AB*?[]-C";
    const std::string textBytes = "ABC-][";
    int matches = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string pattern(random() % 9, ' ');
        for (char& c : pattern)
            c = patternBytes[random() % patternBytes.size()];
        std::string text(random() % 7, ' ');
        for (char& c : text)
            c = textBytes[random() % textBytes.size()];
        const bool expected = test::ReferenceMatch(text, pattern);
        matches += expected;
        ASSERT_EQ(expected, WildcardMatch(text, pattern)) << "text '" << text << "' pattern '" << pattern << "'";
    }
    EXPECT_GT(matches, 1000) << "the sample must exercise matches too";
}

TEST(WildcardMatchTest, DocumentedCases)
{
    EXPECT_TRUE(WildcardMatch("", "*"));
    EXPECT_TRUE(WildcardMatch("ANYTHING", "*"));
    EXPECT_TRUE(WildcardMatch("", ""));
    EXPECT_FALSE(WildcardMatch("A", ""));
    EXPECT_TRUE(WildcardMatch("ABC", "???"));
    EXPECT_FALSE(WildcardMatch("AB", "???"));
    EXPECT_FALSE(WildcardMatch("ABCD", "???"));
    EXPECT_TRUE(WildcardMatch("BX", "[A-C]X"));
    EXPECT_FALSE(WildcardMatch("DX", "[A-C]X"));
    EXPECT_TRUE(WildcardMatch("\x05", "[-C]")) << "a leading '-' is a range from byte 0";
    EXPECT_FALSE(WildcardMatch("B", "[A-]")) << "'-' before ']' fails without an earlier hit";
    EXPECT_TRUE(WildcardMatch("A", "[A-]"));
    EXPECT_FALSE(WildcardMatch("A", "[]A]"));
    EXPECT_FALSE(WildcardMatch("A", "[A")) << "an open set matches nothing";
    EXPECT_FALSE(WildcardMatch("A", "[A-"));
    EXPECT_FALSE(WildcardMatch("A", "[-"));
    EXPECT_TRUE(WildcardMatch("\xE9T\xE9", "\xE9*"));
}

TEST(WildcardMatchTest, PathologicalPatternsStayLinear)
{
    // Exponential for a backtracking matcher; instant here. Not timed: a
    // regression would make the test suite hang visibly.
    const std::string text(255, 'A');
    EXPECT_FALSE(WildcardMatch(text, "*A*A*A*A*A*A*A*A*B"));
    EXPECT_TRUE(WildcardMatch(text, "*A*A*A*A*A*A*A*A*"));
    EXPECT_FALSE(WildcardMatch(text, std::string(200, '*') + "B"));
}

TEST(WildcardSearchTest, FindsWhatBruteForceFindsInOrder)
{
    std::mt19937 random(5);
    std::vector<test::Entry> entries;
    for (int i = 0; i < 400; ++i) {
        std::string w(1 + random() % 5, ' ');
        for (char& c : w)
            c = "abcAB"[random() % 5];
        entries.push_back({w, std::to_string(i)});
    }
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(entries, 7));
    std::vector<std::string> sorted;
    for (int i = 0; i < store.EntryCount(); ++i)
        sorted.push_back(store.GetItem(i)->Word);
    store.KeepSections();

    for (const std::string pattern : {"*", "a*", "*B", "?", "[a-b]?c*", "*a*b*", "abc", "a[b-c]*", "ab[a]?", "b[]*", "A[AB]", "c[-b]*", "b[c"}) {
        std::vector<TWordItem> items;
        const int n = store.WildcardSearch(pattern, items, INT32_MAX);
        std::vector<std::string> expected;
        for (const std::string& w : sorted)
            if (WildcardMatch(UpperCaseAscii(w), UpperCaseAscii(pattern)))
                expected.push_back(w);
        ASSERT_EQ(static_cast<int>(expected.size()), n) << pattern;
        ASSERT_EQ(expected.size(), items.size());
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(expected[i], items[i].Word);
    }
    int decoded = 0;
    for (const TSection& s : store.Sections())
        decoded += s.Items.has_value();
    EXPECT_EQ(1, decoded) << "a search releases the sections it decoded";
}

TEST(WildcardSearchTest, MaxCountAndNarrowingTheList)
{
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(test::NumberedEntries(1000), 16));
    std::vector<TWordItem> items;
    EXPECT_EQ(1, store.WildcardSearch("w*", items, 1));
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ("w000", items[0].Word);

    std::vector<TWordItem> untouched = {{"keep", ""}};
    EXPECT_EQ(0, store.WildcardSearch("*", untouched, 0));
    EXPECT_EQ(1u, untouched.size());

    EXPECT_EQ(100, store.WildcardSearch("w?5?", items, INT32_MAX));
    TDictionaryStore results;
    results.SetItems(items);
    EXPECT_EQ(10, results.WildcardSearch("*5", items, INT32_MAX)) << "a search over the list narrows it";
    EXPECT_EQ("w555", items[5].Word);
    EXPECT_EQ(0, results.WildcardSearch("nothing", items, INT32_MAX));
    EXPECT_TRUE(items.empty());
}

}  // namespace
}  // namespace lirabo
