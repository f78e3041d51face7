#include <gtest/gtest.h>

#include <bzlib.h>

#include "dictionary/exceptions.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

using test::Bytes;

Bytes Compress(const std::string& Raw)
{
    unsigned length = static_cast<unsigned>(Raw.size() + Raw.size() / 100 + 600);
    Bytes out(length);
    EXPECT_EQ(BZ_OK, BZ2_bzBuffToBuffCompress(reinterpret_cast<char*>(out.data()), &length,
                                              const_cast<char*>(Raw.data()),
                                              static_cast<unsigned>(Raw.size()), 9, 0, 0));
    out.resize(length);
    return out;
}

// A dictionary written by hand: one section holding the given decompressed
// bytes for WordCount entries, no strings, no relations.
Bytes HandMade(const std::string& SectionData, int WordCount)
{
    Bytes file(60 + 8, 0);
    const Bytes section = Compress(SectionData);
    test::SetInt(file, 60, 68);
    file.insert(file.end(), section.begin(), section.end());
    test::SetInt(file, test::kFormat, 1024);
    test::SetInt(file, test::kFileSize, static_cast<int64_t>(file.size()));
    test::SetInt(file, test::kWordCount, WordCount);
    test::SetInt(file, test::kSectionCount, 1);
    test::SetInt(file, test::kSectionSize, WordCount);
    test::SetInt(file, test::kRelationsStart, static_cast<int64_t>(file.size()));
    test::SetInt(file, test::kBufferSize, 32);
    test::FixCRC(file);
    return file;
}

// The reason an open gives, or "opened".
std::string OpenError(const Bytes& File)
{
    TDictionaryStore store;
    try {
        test::Open(store, File);
    } catch (const std::exception& e) {
        EXPECT_EQ(TDictionaryStore::kSourceNone, store.Source());
        return e.what();
    }
    return "opened";
}

Bytes ThreeSections()
{
    return test::BuildDictionary(test::NumberedEntries(5), 2);
}

TEST(MalformedDictionaryTest, ImpossibleCountsAreRejectedAtOpen)
{
    Bytes file = ThreeSections();
    test::SetField(file, test::kWordCount, -1);
    EXPECT_EQ("the word count is negative (-1)", OpenError(file));

    file = ThreeSections();
    test::SetField(file, test::kSectionSize, 0);
    EXPECT_EQ("the section size is 0; it must lie between 1 and 65536", OpenError(file));

    file = ThreeSections();
    test::SetField(file, test::kSectionCount, 2);
    EXPECT_EQ("the header gives 2 sections where 5 words in sections of 2 need 3", OpenError(file));

    file = ThreeSections();
    test::SetField(file, test::kSectionCount, 0);
    EXPECT_NE("opened", OpenError(file));

    file = ThreeSections();
    test::SetField(file, test::kWordCount, 0x7FFFFFFF);
    EXPECT_NE("opened", OpenError(file)) << "a huge count must not allocate a huge table";
}

TEST(MalformedDictionaryTest, SectionOffsetsMustAscendInsideTheBody)
{
    const Bytes good = ThreeSections();
    const size_t table = test::SectionTable(good);
    const int32_t first = test::GetInt(good, table);
    const int32_t second = test::GetInt(good, table + 8);

    Bytes swapped = good;
    test::SetInt(swapped, table, second);
    test::SetInt(swapped, table + 8, first);
    test::FixCRC(swapped);
    EXPECT_NE(std::string::npos, OpenError(swapped).find("section 1 starts at"));

    Bytes same = good;
    test::SetInt(same, table + 8, first);
    test::FixCRC(same);
    EXPECT_NE(std::string::npos, OpenError(same).find("section 1 starts at"));

    Bytes intoHeader = good;
    test::SetInt(intoHeader, table, 10);
    test::FixCRC(intoHeader);
    EXPECT_NE(std::string::npos, OpenError(intoHeader).find("section 0 starts at 10"));

    Bytes pastRelations = good;
    test::SetInt(pastRelations, table + 16, test::GetInt(good, test::kRelationsStart));
    test::FixCRC(pastRelations);
    EXPECT_NE(std::string::npos, OpenError(pastRelations).find("section 2 starts at"));
}

TEST(MalformedDictionaryTest, RelationBoundsMustLieInTheFile)
{
    const Bytes good = test::BuildDictionary(test::NumberedEntries(5), 2, {{0, 1, 1}});
    const int32_t size = test::GetInt(good, test::kFileSize);
    const int32_t start = test::GetInt(good, test::kRelationsStart);

    Bytes file = good;
    test::SetField(file, test::kRelationsStart, size + 1);
    EXPECT_EQ("the relation data start (" + std::to_string(size + 1) + ") lies outside the file body",
              OpenError(file));
    file = good;
    test::SetField(file, test::kRelationsStart, 60);
    EXPECT_NE(std::string::npos, OpenError(file).find("relation data start"));
    file = good;
    test::SetField(file, test::kRelationsEnd, start - 1);
    EXPECT_NE(std::string::npos, OpenError(file).find("relation data end"));
    file = good;
    test::SetField(file, test::kRelationsEnd, size + 1);
    EXPECT_NE(std::string::npos, OpenError(file).find("relation data end"));
}

TEST(MalformedDictionaryTest, SectionDataShorterThanItsTableRaisesTheReadError)
{
    // 4 entries promised, 3 written: the fourth row is read from the text.
    Bytes file = test::BuildDictionary(test::NumberedEntries(3), 3);
    test::SetInt(file, test::kWordCount, 4);
    test::SetField(file, test::kSectionSize, 4);
    EXPECT_EQ("Stream read error", OpenError(file));

    EXPECT_EQ("Stream read error", OpenError(HandMade(std::string(5, '\0'), 2)))
        << "a table longer than the data";
    EXPECT_EQ("Stream read error", OpenError(HandMade(std::string("\x03\x00\x00", 3) + "ab", 1)))
        << "a headword longer than the data";
    EXPECT_EQ("opened", OpenError(HandMade(std::string("\x02\x01\x00", 3) + "abc", 1)));
}

TEST(MalformedDictionaryTest, DecompressionBombFailsCleanly)
{
    // 100 MB of zeros compress to about a hundred bytes; two entries can never
    // need more than 2 x 65793 bytes, so decoding stops far earlier.
    const Bytes file = HandMade(std::string(100'000'000, '\0'), 2);
    EXPECT_LT(file.size(), 300u);
    EXPECT_EQ("BZ_OUTBUFF_FULL", OpenError(file));
}

TEST(MalformedDictionaryTest, DamagedLaterSectionFailsOnlyItsAccess)
{
    Bytes file = ThreeSections();
    const size_t table = test::SectionTable(file);
    file[static_cast<size_t>(test::GetInt(file, table + 8))] = 'X';  // the bzip2 magic
    test::FixCRC(file);
    TDictionaryStore store;
    test::Open(store, file);
    EXPECT_EQ("w001", store.GetItem(1)->Word);
    EXPECT_THROW(store.GetItem(2), EBzip2Error);
    EXPECT_FALSE(store.Sections()[1].Items.has_value()) << "never half decoded";
    EXPECT_THROW(store.GetItem(3), EBzip2Error) << "a later access tries again";
    int first = 0;
    int count = 0;
    EXPECT_THROW(store.FindWord("w003", false, first, count), EBzip2Error);
    std::vector<TWordItem> items;
    EXPECT_THROW(store.WildcardSearch("*", items, 100), EBzip2Error);
    EXPECT_EQ("w004", store.GetItem(4)->Word);
}

TEST(MalformedDictionaryTest, TrailingBytesInASectionRangeFail)
{
    // Garbage between the last section and RelationsStart.
    Bytes file = ThreeSections();
    const int32_t start = test::GetInt(file, test::kRelationsStart);
    file.insert(file.begin() + start, {'X', 'Y'});
    test::SetInt(file, test::kRelationsStart, start + 2);
    test::SetField(file, test::kFileSize, static_cast<int64_t>(file.size()));
    TDictionaryStore store;
    test::Open(store, file);
    EXPECT_THROW(store.GetItem(4), EBzip2Error);
}

}  // namespace
}  // namespace lirabo
