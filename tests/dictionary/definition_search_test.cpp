#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "dictionary/definition_query.h"
#include "dictionary/exceptions.h"
#include "dictionary/markup_codes.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

// What a reader sees of a definition, written out plainly: codes dropped, a
// hard break as a space, nothing after a byte that ends the text.
std::string ReadableText(const std::string& Definition)
{
    std::string text;
    for (const char c : Definition) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0 || b == 2 || (b >= 16 && b < 32))
            break;
        if (b == 13)
            text += ' ';
        else if (b >= 32)
            text += c;
    }
    return text;
}

bool ContainsIgnoringCase(const std::string& Text, const std::string& Word)
{
    const auto same = [](char a, char b) {
        const auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        return up(a) == up(b);
    };
    return std::search(Text.begin(), Text.end(), Word.begin(), Word.end(), same) != Text.end();
}

// Definitions made of a few words that contain each other, with style and
// element codes inside words, links, hard breaks and now and then an
// invalid byte that hides the rest.
std::vector<test::Entry> RandomEntries(std::mt19937& Random, int Count)
{
    const std::vector<std::string> words = {"river", "Rivers", "RIVERBANK", "bank", "of", "the", "Bank", "riv"};
    const std::string codes = {markup::kBold, markup::kItalic, markup::kGrammar, markup::kField,
                               markup::kDefinition};
    std::vector<test::Entry> entries;
    for (int i = 0; i < Count; ++i) {
        std::string definition;
        const int n = static_cast<int>(Random() % 7);
        for (int w = 0; w < n; ++w) {
            std::string word = words[Random() % words.size()];
            if (Random() % 4 == 0)
                word.insert(Random() % (word.size() + 1), 1, codes[Random() % codes.size()]);
            if (Random() % 5 == 0)
                word = markup::kLinkStart + word + markup::kLinkEnd;
            if (w > 0)
                definition += Random() % 4 == 0 ? markup::kLineBreak : ' ';
            definition += word;
        }
        if (Random() % 20 == 0)
            definition += std::string("\x1F hidden river");
        entries.push_back({"w" + std::to_string(i), definition});
    }
    return entries;
}

std::vector<int> Expected(TDictionaryStore& Store, const std::vector<std::string>& Words)
{
    std::vector<int> indexes;
    for (int i = 0; i < Store.EntryCount(); ++i) {
        const std::string text = ReadableText(Store.GetItem(i)->Definition);
        if (std::all_of(Words.begin(), Words.end(), [&](const std::string& w) { return ContainsIgnoringCase(text, w); }))
            indexes.push_back(i);
    }
    Store.KeepSections();
    return indexes;
}

std::vector<int> Found(TDictionaryStore& Store, const std::string& Query, int MaxCount = INT32_MAX)
{
    std::vector<int> indexes;
    Store.ForEachDefinitionMatch(Query, MaxCount, [&](int Index, const TWordItem&) { indexes.push_back(Index); });
    return indexes;
}

int DecodedSections(const TDictionaryStore& Store)
{
    return static_cast<int>(std::count_if(Store.Sections().begin(), Store.Sections().end(),
                                          [](const TSection& s) { return s.Items.has_value(); }));
}

TEST(DefinitionSearchTest, FindsWhatBruteForceFindsOnEveryThreadCount)
{
    std::mt19937 random(3);
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(RandomEntries(random, 900), 16));
    const std::vector<std::pair<std::string, std::vector<std::string>>> queries = {
        {"river", {"river"}},
        {"RIVERS", {"RIVERS"}},
        {"bank", {"bank"}},
        {"riverbank", {"riverbank"}},
        {"river of", {"river", "of"}},
        {"bank  the\trivers", {"bank", "the", "rivers"}},
        {"r b", {"r", "b"}},
    };
    std::vector<std::vector<int>> expected;
    for (const auto& query : queries)
        expected.push_back(Expected(store, query.second));
    for (const unsigned threads : {1u, 3u}) {
        store.SetScanThreads(threads);
        // A middle section on screen is searched in place, not decoded again.
        store.SetViewPosition(400, 3);
        store.KeepSections();
        const size_t cached = store.SectionCache().Used();
        for (size_t q = 0; q < queries.size(); ++q) {
            const std::string& query = queries[q].first;
            ASSERT_FALSE(expected[q].empty()) << query;
            EXPECT_EQ(expected[q], Found(store, query)) << query << " on " << threads << " threads";
            const std::vector<int> first(expected[q].begin(),
                                         expected[q].begin() + std::min<size_t>(3, expected[q].size()));
            EXPECT_EQ(first, Found(store, query, 3)) << "an exact MaxCount";
        }
        EXPECT_EQ(cached, store.SectionCache().Used()) << "the scan leaves the section cache as it was";
        EXPECT_EQ(1, DecodedSections(store));
    }
    EXPECT_EQ(std::vector<int>{}, Found(store, "   ")) << "no word finds nothing";
    EXPECT_EQ(std::vector<int>{}, Found(store, "hidden")) << "text after an invalid byte is not shown, so not found";
}

TEST(DefinitionSearchTest, PatternsCoverTheWholeTextAndCrossLineBreaks)
{
    const std::vector<test::Entry> entries = {
        {"a", std::string("near the ") + markup::kBold + "Ri" + markup::kBold + "ver" + markup::kLineBreak + "bank"},
        {"b", "the river bank"},
        {"c", std::string("river") + markup::kLinkStart + "bank" + markup::kLinkEnd},
        {"d", "a river"},
    };
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(entries, 2));
    EXPECT_EQ((std::vector<int>{0, 1}), Found(store, "*river bank"));
    EXPECT_EQ((std::vector<int>{2}), Found(store, "riverbank*")) << "link text is text; the pattern is anchored";
    EXPECT_EQ((std::vector<int>{3}), Found(store, "? river"));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), Found(store, "bank"));

    // Narrowing a result list works the same way.
    std::vector<TWordItem> items;
    ASSERT_EQ(4, store.DefinitionSearch("river", items, INT32_MAX));
    TDictionaryStore results;
    results.SetItems(items);
    EXPECT_EQ(2, results.DefinitionSearch("the", items, INT32_MAX));
    EXPECT_EQ("a", items[0].Word);
    EXPECT_EQ("b", items[1].Word);
}

TEST(DefinitionSearchTest, QueryPiecesForHighlighting)
{
    const TDefinitionQuery words("river  Bank river");
    EXPECT_FALSE(words.IsPattern());
    EXPECT_EQ((std::vector<std::string>{"RIVER", "BANK"}), words.Pieces());
    const TDefinitionQuery pattern("*big ri?er [a-z]bank*x");
    EXPECT_TRUE(pattern.IsPattern());
    EXPECT_EQ((std::vector<std::string>{"BIG RI", "ER", "BANK"}), pattern.Pieces());
    EXPECT_TRUE(TDefinitionQuery(" \t ").Empty());
}

// A stop at each point of a scan: the search raises EScanStopped, and the
// store afterwards answers everything as if the scan had never run.
TEST(DefinitionSearchTest, StoppingAtAnyPointLeavesTheStoreUsable)
{
    std::mt19937 random(8);
    const std::vector<test::Entry> entries = RandomEntries(random, 300);
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(entries, 8));
    const std::vector<int> expected = Expected(store, {"river"});
    const int sections = static_cast<int>(store.Sections().size());
    ASSERT_EQ(1, DecodedSections(store));

    using TSearch = std::function<void()>;
    std::vector<TWordItem> items;
    const std::vector<std::pair<const char*, TSearch>> searches = {
        {"definitions", [&] { store.DefinitionSearch("river", items, INT32_MAX); }},
        {"headwords, every section", [&] { store.WildcardSearch("*1", items, INT32_MAX); }},
        {"headwords, by prefix", [&] { store.WildcardSearch("w*", items, INT32_MAX); }},
    };
    for (const auto& [name, search] : searches) {
        for (unsigned threads : {1u, 2u}) {
            store.SetScanThreads(threads);
            for (int stopAt = 0; stopAt < sections; ++stopAt) {
                TScanControl control;
                control.Stop = stopAt == 0;
                control.OnProgress = [&control, stopAt](int64_t Done, int64_t) {
                    if (Done >= stopAt)
                        control.Stop = true;
                };
                store.SetScanControl(&control);
                items = {{"kept", ""}};
                EXPECT_THROW(search(), EScanStopped) << name << " stopped at " << stopAt;
                store.SetScanControl(nullptr);
                ASSERT_EQ(1u, items.size()) << "a stopped search leaves the results alone";
                ASSERT_EQ(1, DecodedSections(store)) << name << " stopped at " << stopAt;
            }
            EXPECT_EQ(expected, Found(store, "river"));
            int first = -1;
            int count = 0;
            store.FindWord("w150", true, first, count);
            EXPECT_EQ("w150", store.GetItem(first)->Word);
            store.KeepSections();
        }
    }

    // A list stops too.
    store.DefinitionSearch("river", items, INT32_MAX);
    TDictionaryStore list;
    list.SetItems(items);
    TScanControl stopped;
    stopped.Stop = true;
    list.SetScanControl(&stopped);
    EXPECT_THROW(list.DefinitionSearch("the", items, INT32_MAX), EScanStopped);
    list.SetScanControl(nullptr);
    EXPECT_EQ(static_cast<int>(expected.size()), list.DefinitionSearch("river", items, INT32_MAX));
}

TEST(DefinitionSearchTest, ProgressCountsEverySection)
{
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(test::NumberedEntries(200), 16));
    std::vector<int64_t> done;
    TScanControl control;
    control.OnProgress = [&](int64_t Done, int64_t Total) {
        EXPECT_EQ(13, Total);
        done.push_back(Done);
    };
    store.SetScanControl(&control);
    std::vector<TWordItem> items;
    store.DefinitionSearch("nothing", items, INT32_MAX);
    ASSERT_EQ(13u, done.size());
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_EQ(13, done.back());
}

// The whole-file walk behind gathering headwords: every entry once, in
// order, on one thread or several, nothing left in the cache.
TEST(ForEachEntryTest, VisitsEveryEntryInOrderAndKeepsNothing)
{
    const std::vector<test::Entry> entries = test::NumberedEntries(300);
    const test::Bytes file = test::BuildDictionary(entries, 7);
    const struct {
        unsigned Threads;
        bool WithDefinitions;
    } cases[] = {{1, true}, {3, true}, {1, false}, {3, false}};
    for (const auto& c : cases) {
        TDictionaryStore store;
        test::Open(store, file);
        store.SetScanThreads(c.Threads);
        const size_t cached = store.SectionCache().Used();  // the first section, decoded on opening
        std::vector<int> indexes;
        std::vector<test::Entry> seen;
        store.ForEachEntry(
            [&](int Index, const TWordItem& Item) {
                indexes.push_back(Index);
                seen.push_back({Item.Word, Item.Definition});
            },
            c.WithDefinitions);
        ASSERT_EQ(entries.size(), seen.size()) << c.Threads;
        for (size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(static_cast<int>(i), indexes[i]);
            EXPECT_EQ(entries[i].Word, seen[i].Word);
            // The first section is decoded by the opening and comes whole.
            if (c.WithDefinitions || i < 7)
                EXPECT_EQ(entries[i].Definition, seen[i].Definition);
            else
                EXPECT_EQ("", seen[i].Definition) << "no definition copied";
        }
        EXPECT_EQ(cached, store.SectionCache().Used()) << c.Threads;
    }
}

}  // namespace
}  // namespace lirabo
