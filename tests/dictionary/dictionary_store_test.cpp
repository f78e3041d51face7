#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dictionary/exceptions.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

using test::BuildDictionary;
using test::NumberedEntries;

int DecodedSections(const TDictionaryStore& Store)
{
    int n = 0;
    for (const TSection& s : Store.Sections())
        n += s.Items.has_value();
    return n;
}

TEST(DictionaryStoreTest, OpensAndReadsEveryEntryAcrossSections)
{
    const auto entries = NumberedEntries(5);
    TDictionaryStore store;
    test::Open(store, BuildDictionary(entries, 2));
    EXPECT_EQ(TDictionaryStore::kSourceFile, store.Source());
    EXPECT_EQ(5, store.EntryCount());
    ASSERT_EQ(3u, store.Sections().size());
    EXPECT_EQ(2, store.Sections()[0].Count);
    EXPECT_EQ(1, store.Sections()[2].Count);
    EXPECT_EQ(1, DecodedSections(store)) << "opening decodes section 0 only";
    for (int i = 0; i < 5; ++i) {
        const TWordItem* item = store.GetItem(i);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(entries[static_cast<size_t>(i)].Word, item->Word);
        EXPECT_EQ(entries[static_cast<size_t>(i)].Definition, item->Definition);
    }
    const auto key = store.Sections()[1].Key;
    EXPECT_EQ(std::string("w002"), std::string(key.begin(), key.end()));
}

TEST(DictionaryStoreTest, FullLastSectionAndOutOfRangeItems)
{
    TDictionaryStore store;
    test::Open(store, BuildDictionary(NumberedEntries(4), 4));
    ASSERT_EQ(1u, store.Sections().size());
    EXPECT_EQ(4, store.Sections()[0].Count);

    test::Open(store, BuildDictionary(NumberedEntries(6), 3));
    EXPECT_EQ(3, store.Sections()[1].Count);
    store.FreeSection(const_cast<TSection&>(store.Sections()[0]));
    EXPECT_EQ(nullptr, store.GetItem(-1));
    EXPECT_EQ(nullptr, store.GetItem(6));
    EXPECT_EQ(0, DecodedSections(store)) << "an index out of range decodes nothing";
}

TEST(DictionaryStoreTest, KeepSectionsFollowsTheTopOfTheView)
{
    TDictionaryStore store;
    test::Open(store, BuildDictionary(NumberedEntries(30), 10));
    store.GetItem(25);
    EXPECT_EQ(2, DecodedSections(store)) << "a search's sections stay until the next layout";

    // The last entries of section 0 on screen: both sections stay.
    store.SetViewPosition(8, 5);
    store.KeepSections();
    EXPECT_TRUE(store.Sections()[0].Items && store.Sections()[1].Items);
    EXPECT_FALSE(store.Sections()[2].Items);
    // The top moves into section 1: section 0 goes.
    store.SetViewPosition(11, 5);
    store.KeepSections();
    EXPECT_FALSE(store.Sections()[0].Items);
    EXPECT_TRUE(store.Sections()[1].Items);
    EXPECT_EQ(1, DecodedSections(store));
}

TEST(DictionaryStoreTest, ClearResetsTheSourceAndTellsTheView)
{
    TDictionaryStore store;
    int cleared = 0;
    store.SetOnCleared([&] { ++cleared; });
    test::Open(store, BuildDictionary(NumberedEntries(3), 2));
    store.SetViewPosition(2, 7);
    store.SetCurrent(1, 2);
    const int before = cleared;
    store.Clear();
    EXPECT_EQ(before + 1, cleared);
    EXPECT_EQ(TDictionaryStore::kSourceNone, store.Source());
    EXPECT_EQ(0, store.EntryCount());
    EXPECT_EQ(0, store.TopEntry());
    EXPECT_EQ(0, store.ProcessedLines());
    EXPECT_EQ(nullptr, store.GetItem(0));
    EXPECT_EQ(1, store.CurrentFirst()) << "the current range and the header stay";
    EXPECT_EQ(3, store.Header().WordCount);
}

TEST(DictionaryStoreTest, SetItemsTakesTheListOver)
{
    TDictionaryStore store;
    test::Open(store, BuildDictionary(NumberedEntries(3)));
    std::vector<TWordItem> items = {{"b", "1"}, {"c", "2"}};
    store.SetItems(items);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(TDictionaryStore::kSourceList, store.Source());
    EXPECT_EQ(2, store.EntryCount());
    EXPECT_EQ("c", store.GetItem(1)->Word);
    EXPECT_EQ(nullptr, store.GetItem(2));

    std::vector<TWordItem> none;
    store.SetItems(none);
    EXPECT_EQ(TDictionaryStore::kSourceNone, store.Source());
    EXPECT_EQ(0, store.EntryCount());
}

TEST(DictionaryStoreTest, AFailedSecondOpenLeavesTheStoreEmpty)
{
    TDictionaryStore store;
    test::Open(store, BuildDictionary(NumberedEntries(3)));
    test::Bytes bad = BuildDictionary(NumberedEntries(3));
    bad[bad.size() - 1] ^= 0xFF;
    EXPECT_THROW(test::Open(store, bad), EAbort);
    EXPECT_EQ(TDictionaryStore::kSourceNone, store.Source());
    EXPECT_EQ(0, store.EntryCount());
    EXPECT_THROW(store.OpenDictionary("/nonexistent/lirabo.ldi"), EFOpenError);
    EXPECT_EQ(TDictionaryStore::kSourceNone, store.Source());
}

TEST(DictionaryStoreTest, OpensFromAFileAndTakesTheDecompressionSettings)
{
    makrel::TWriterOptions options = test::FastOptions();
    options.BufferSize = 1;
    options.Name = "Test";
    const test::Bytes file = BuildDictionary(NumberedEntries(600), 256, {}, options);
    const auto path = std::filesystem::temp_directory_path() / "lirabo_store_test.ldi";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                 static_cast<std::streamsize>(file.size()));
    TDictionaryStore store;
    store.OpenDictionary(path.string());
    EXPECT_EQ("Test", store.Header().Name);
    EXPECT_EQ(1, store.Bzip2().BufferSize());
    EXPECT_EQ("w599", store.GetItem(599)->Word);
    store.Clear();
    std::filesystem::remove(path);
}

TEST(DictionaryStoreTest, EmptyDictionaryOpensWithNoEntries)
{
    TDictionaryStore store;
    test::Open(store, BuildDictionary({}));
    EXPECT_EQ(TDictionaryStore::kSourceFile, store.Source());
    EXPECT_EQ(0, store.EntryCount());
    EXPECT_EQ(nullptr, store.GetItem(0));
    int first = 0;
    int count = 0;
    store.FindWord("a", false, first, count);
    EXPECT_EQ(-1, first);
    EXPECT_THROW(store.FindWord("a", true, first, count), EAbort);
    std::vector<TWordItem> items;
    EXPECT_EQ(0, store.WildcardSearch("*", items, 100));
}

TEST(DictionaryStoreTest, EdgeLengthsRoundTrip)
{
    const std::vector<test::Entry> entries = {
        {"", ""}, {std::string(255, 'z'), std::string(65535, '\x01')}, {"a", std::string(1, '\0')}};
    TDictionaryStore store;
    test::Open(store, BuildDictionary(entries, 2));
    EXPECT_EQ("", store.GetItem(0)->Word);
    EXPECT_EQ("", store.GetItem(0)->Definition);
    EXPECT_EQ(std::string(1, '\0'), store.GetItem(1)->Definition);
    EXPECT_EQ(65535u, store.GetItem(2)->Definition.size());
    EXPECT_EQ(255u, store.GetItem(2)->Word.size());
}

}  // namespace
}  // namespace lirabo
