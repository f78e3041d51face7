#include <gtest/gtest.h>

#include <bzlib.h>

#include "dictionary/exceptions.h"
#include "dictionary/relation_names.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

using test::Bytes;

// Replaces the relation block of File with Raw, compressed.
Bytes WithRelationBlock(Bytes File, const Bytes& Raw)
{
    const int32_t start = test::GetInt(File, test::kRelationsStart);
    unsigned length = static_cast<unsigned>(Raw.size() + Raw.size() / 100 + 600);
    Bytes compressed(length);
    EXPECT_EQ(BZ_OK, BZ2_bzBuffToBuffCompress(reinterpret_cast<char*>(compressed.data()), &length,
                                              const_cast<char*>(reinterpret_cast<const char*>(Raw.data())),
                                              static_cast<unsigned>(Raw.size()), 9, 0, 0));
    compressed.resize(length);
    File.resize(static_cast<size_t>(start));
    File.insert(File.end(), compressed.begin(), compressed.end());
    test::SetInt(File, test::kRelationsEnd, static_cast<int64_t>(File.size()));
    test::SetField(File, test::kFileSize, static_cast<int64_t>(File.size()));
    return File;
}

std::vector<std::pair<int, std::string>> Listing(TDictionaryStore& Store, int First, int Count = 1)
{
    TRelationRows rows;
    Store.ListRelations(First, rows, Count);
    std::vector<std::pair<int, std::string>> out;
    for (const TRelationRow& r : rows)
        out.push_back({r.Mark, r.Text});
    return out;
}

TEST(RelationsTest, RowsAreGroupedByPartOfSpeechAndKind)
{
    // Entries sort as: bad, dog, good, hound.
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary({{"good", ""}, {"bad", ""}, {"dog", ""}, {"hound", ""}}, 2,
                                            {{0, 33, 2}, {0, 1, 1}, {0, 2, 3}}));
    EXPECT_TRUE(store.HasRelations());
    const std::vector<std::pair<int, std::string>> expected = {
        {-3, "+-0"}, {-2, "+1"}, {0, "bad"}, {-2, "+2"}, {3, "hound"}, {-3, "+-1"}, {-2, "+33"}, {1, "dog"}};
    EXPECT_EQ(expected, Listing(store, 2));

    TExtendedInfo raw;
    store.ReadRelations(2, raw);
    EXPECT_EQ((TExtendedInfo{{33, 1}, {1, 0}, {2, 3}}), raw) << "file order";
    store.ReadRelations(0, raw);
    EXPECT_TRUE(raw.empty());
}

TEST(RelationsTest, EqualKindsKeepTheExchangeSortOrder)
{
    // Kinds 5, 3, 5, 3 for A, B, C, D list as B, D, C, A.
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary({{"x", ""}, {"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}}, 256,
                                            {{0, 5, 1}, {0, 3, 2}, {0, 5, 3}, {0, 3, 4}}));
    const std::vector<std::pair<int, std::string>> expected = {
        {-3, "+-0"}, {-2, "+3"}, {1, "B"}, {3, "D"}, {-2, "+5"}, {2, "C"}, {0, "A"}};
    EXPECT_EQ(expected, Listing(store, 4));
}

TEST(RelationsTest, RangeOfEntriesAndSectionOffsets)
{
    // WordCount 5, SectionSize 2: entry 4 is alone in section 2, reached
    // through the third offset without skipping any list.
    const auto entries = test::NumberedEntries(5);
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(entries, 2, {{4, 7, 0}, {3, 7, 1}, {1, 9, 2}}));
    TExtendedInfo raw;
    store.ReadRelations(4, raw);
    EXPECT_EQ((TExtendedInfo{{7, 0}}), raw);
    store.ReadRelations(1, raw);
    EXPECT_EQ((TExtendedInfo{{9, 2}}), raw) << "one empty list skipped";
    const std::vector<std::pair<int, std::string>> both = {
        {-3, "+-0"}, {-2, "+7"}, {1, "w001"}, {0, "w000"}};
    EXPECT_EQ(both, Listing(store, 3, 2));
    store.SetCurrent(3, 2);
    TRelationRows rows;
    store.ListCurrentRelations(rows);
    EXPECT_EQ(4u, rows.size());
}

TEST(RelationsTest, RequestsWithoutRelationDataAbort)
{
    TExtendedInfo raw;
    TDictionaryStore store;
    EXPECT_THROW(store.ReadRelations(0, raw), EAbort);
    test::Open(store, test::BuildDictionary(test::NumberedEntries(3)));
    EXPECT_FALSE(store.HasRelations());
    EXPECT_THROW(store.ReadRelations(0, raw), EAbort);

    test::Open(store, test::BuildDictionary(test::NumberedEntries(3), 2, {{0, 1, 1}}));
    EXPECT_THROW(store.ReadRelations(-1, raw), EAbort);
    EXPECT_THROW(store.ReadRelations(3, raw), EAbort);
    std::vector<TWordItem> list = {{"a", ""}};
    store.SetItems(list);
    EXPECT_THROW(store.ReadRelations(0, raw), EAbort);
}

TEST(RelationsTest, DamagedRelationDataIsBoundsChecked)
{
    const Bytes base = test::BuildDictionary(test::NumberedEntries(3), 2, {{0, 1, 1}});
    auto readError = [&](const Bytes& Raw, int Index) {
        TDictionaryStore store;
        test::Open(store, WithRelationBlock(base, Raw));
        TExtendedInfo raw;
        try {
            store.ReadRelations(Index, raw);
        } catch (const EReadError&) {
            return true;
        }
        return false;
    };
    // Offsets of the two sections, then lists.
    EXPECT_TRUE(readError({8, 0, 0, 0}, 0)) << "offset table shorter than the sections";
    EXPECT_TRUE(readError({8, 0, 0, 0, 0xFF, 0xFF, 0, 0}, 2)) << "offset far beyond the data";
    EXPECT_TRUE(readError({8, 0, 0, 0, 9, 0, 0, 0, 1, 1, 0}, 0)) << "record cut short";
    EXPECT_TRUE(readError({8, 0, 0, 0, 9, 0, 0, 0, 1, 1, 0, 0, 0}, 0)) << "list without its zero byte";
    EXPECT_TRUE(readError({8, 0, 0, 0, 9, 0, 0, 0, 1, 1, 0, 0, 0}, 1)) << "skipping past the end";
    EXPECT_FALSE(readError({8, 0, 0, 0, 9, 0, 0, 0, 0, 0}, 2));

    // A target outside the dictionary is left out of the listing.
    TDictionaryStore store;
    test::Open(store, WithRelationBlock(base, {8, 0, 0, 0, 9, 0, 0, 0, 1, 99, 0, 0, 0, 2, 1, 0, 0, 0, 0, 0}));
    const std::vector<std::pair<int, std::string>> expected = {{-3, "+-0"}, {-2, "+2"}, {1, "w001"}};
    EXPECT_EQ(expected, Listing(store, 0));
}

TEST(RelationsTest, RelationBlockBombFailsCleanly)
{
    const Bytes base = test::BuildDictionary(test::NumberedEntries(3), 2, {{0, 1, 1}});
    TDictionaryStore store;
    test::Open(store, WithRelationBlock(base, Bytes(50'000'000, 0)));
    TExtendedInfo raw;
    EXPECT_THROW(store.ReadRelations(0, raw), EBzip2Error);
}

TEST(RelationNamesTest, HeadingsAreNamedByTheirNumber)
{
    EXPECT_EQ("Noun", NameRelationRow("+-0"));
    EXPECT_EQ("Verb", NameRelationRow("+-1"));
    EXPECT_EQ("Adverb", NameRelationRow("+-3"));
    EXPECT_EQ("Antonym", NameRelationRow("+1"));
    EXPECT_EQ("Type of", NameRelationRow("+33"));
    EXPECT_EQ("Similar to", NameRelationRow("+65"));
    EXPECT_EQ("Usage", NameRelationRow("+100"));
    EXPECT_EQ("", NameRelationRow("+20")) << "a code without a name";
    EXPECT_EQ("", NameRelationRow("+-5"));
    EXPECT_EQ("", NameRelationRow("+130"));
    EXPECT_EQ("hound", NameRelationRow("hound"));
}

}  // namespace
}  // namespace lirabo
