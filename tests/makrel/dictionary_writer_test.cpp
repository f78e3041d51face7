#include <gtest/gtest.h>

#include <random>

#include "dictionary/exceptions.h"
#include "dictionary/word_order.h"
#include "test_dictionary.h"

namespace makrel {
namespace {

using namespace lirabo;

// Random entries through the writer and back through the store, over many
// section sizes, compared with a stable sort of the input.
TEST(DictionaryWriterTest, RoundTripsOverSectionBoundaries)
{
    std::mt19937 random(3);
    for (int sectionSize : {1, 2, 3, 7, 64, 256}) {
        std::vector<lirabo::test::Entry> entries;
        for (int i = 0; i < 150; ++i) {
            std::string word(random() % 6, ' ');
            for (char& c : word)
                c = "xyXY\xE9"[random() % 5];
            std::string definition(random() % 40, ' ');
            for (char& c : definition)
                c = static_cast<char>(random() % 256);
            entries.push_back({word, definition});
        }
        auto expected = entries;
        std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
            return CompareWords(a.Word, b.Word) < 0;
        });
        TDictionaryStore store;
        lirabo::test::Open(store, lirabo::test::BuildDictionary(entries, sectionSize));
        ASSERT_EQ(150, store.EntryCount());
        for (int i = 0; i < 150; ++i) {
            const TWordItem* item = store.GetItem(i);
            ASSERT_EQ(expected[static_cast<size_t>(i)].Word, item->Word) << sectionSize << " " << i;
            ASSERT_EQ(expected[static_cast<size_t>(i)].Definition, item->Definition);
        }
    }
}

TEST(DictionaryWriterTest, RelationsFollowTheirEntriesThroughTheSort)
{
    TWriterOptions options;
    options.SectionSize = 2;
    TDictionaryWriter writer(options);
    const int zebra = writer.Add("zebra", "");
    const int ant = writer.Add("ant", "");
    const int mole = writer.Add("mole", "");
    writer.AddRelation(zebra, 2, ant);
    writer.AddRelation(zebra, 1, mole);
    writer.AddRelation(ant, 3, zebra);
    EXPECT_EQ(ant, writer.FindFirst("ANT"));
    EXPECT_EQ(-1, writer.FindFirst("an"));
    TDictionaryStore store;
    lirabo::test::Open(store, writer.Build());
    TExtendedInfo r;
    store.ReadRelations(2, r);  // zebra sorts last
    EXPECT_EQ((TExtendedInfo{{2, 0}, {1, 1}}), r);
    store.ReadRelations(0, r);
    EXPECT_EQ((TExtendedInfo{{3, 2}}), r);
    store.ReadRelations(1, r);
    EXPECT_TRUE(r.empty());
}

TEST(DictionaryWriterTest, RejectsWhatTheFormatCannotHold)
{
    TWriterOptions options;
    options.SectionSize = 0;
    EXPECT_THROW(TDictionaryWriter{options}, std::invalid_argument);
    options.SectionSize = 1;
    options.Name = std::string(513, 'n');
    EXPECT_THROW(TDictionaryWriter{options}, std::invalid_argument);
    TDictionaryWriter writer({});
    EXPECT_THROW(writer.Add(std::string(256, 'w'), ""), std::invalid_argument);
    EXPECT_THROW(writer.Add("w", std::string(65536, 'd')), std::invalid_argument);
    const int a = writer.Add("a", "");
    EXPECT_THROW(writer.AddRelation(a, 0, a), std::invalid_argument);
    EXPECT_THROW(writer.AddRelation(a, 1, 5), std::invalid_argument);
}

}  // namespace
}  // namespace makrel
