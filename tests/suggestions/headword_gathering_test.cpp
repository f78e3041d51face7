#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dictionary/exceptions.h"
#include "suggestions/headword_index.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

makrel::TWriterOptions Utf8Options()
{
    makrel::TWriterOptions options = test::FastOptions();
    options.Encoding = makrel::TEncodingChoice::Utf8;
    return options;
}

// Headwords as a Windows-1252 file holds them; the index speaks UTF-8.
const std::vector<test::Entry> kWindows1252 = {
    {"\xC4rger", "anger"},
    {"\xE4rger", "worse"},
    {"Haus", "house"},
    {"Haus", "home"},
    {"Maus", "mouse"},
    {"\xFC"
     "ber",
     "over"},
    {"Stra\xDF"
     "e",
     "street"},
    {"Zug", "train"},
};

const std::vector<test::Entry> kUtf8 = {
    {"\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1", "wisdom"},  // Σοφία
    {"\xD0\x96\xD0\x98\xD0\x97\xD0\x9D\xD0\xAC", "life"},    // ЖИЗНЬ
    {"\xE5\xAE\xB6\xE4\xBA\xBA", "family"},                  // 家人
    {"caf\xC3\xA9", "coffee"},
    {"zebra", "zebra"},
};

// Which sections the store holds decoded, and what its cache holds.
std::pair<std::vector<bool>, size_t> Decoded(const TDictionaryStore& Store)
{
    std::vector<bool> decoded;
    for (const TSection& s : Store.Sections())
        decoded.push_back(s.Items.has_value());
    return {decoded, Store.SectionCache().Used()};
}

TEST(HeadwordGatheringTest, BothEncodingsAnswerInUtf8AndLeaveTheStoreAsItWas)
{
    const struct {
        const char* Name;
        test::Bytes File;
        std::string Word;
        std::vector<std::string> Expected;
        size_t Headwords;
    } cases[] = {
        {"Windows-1252, Ä sorted before ä",
         test::BuildDictionary(kWindows1252, 2),
         "arger",
         {"\xC3\x84rger"},
         6},
        {"Windows-1252, accents", test::BuildDictionary(kWindows1252, 2), "uber", {"\u00FCber"}, 6},
        {"Windows-1252, ß", test::BuildDictionary(kWindows1252, 2), "strase", {"Stra\u00DFe"}, 6},
        {"UTF-8, Greek",
         test::BuildDictionary(kUtf8, 2, {}, Utf8Options()),
         "\xCF\x83\xCE\xBF\xCF\x86\xCE\xB1",
         {"\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1"},
         5},
        {"UTF-8, Cyrillic",
         test::BuildDictionary(kUtf8, 2, {}, Utf8Options()),
         "\xD0\xB6\xD0\xB8\xD0\xB7\xD0\xBD",
         {"\xD0\x96\xD0\x98\xD0\x97\xD0\x9D\xD0\xAC"},
         5},
        {"UTF-8, CJK",
         test::BuildDictionary(kUtf8, 2, {}, Utf8Options()),
         "\xE5\xAE\xB6",
         {"\xE5\xAE\xB6\xE4\xBA\xBA"},
         5},
    };
    for (const auto& c : cases) {
        TDictionaryStore store;
        test::Open(store, c.File);
        TScanControl own;
        store.SetScanControl(&own);
        const auto before = Decoded(store);
        const THeadwordIndex index = THeadwordIndex::FromStore(store);
        EXPECT_EQ(c.Expected, index.Suggest(c.Word)) << c.Name;
        EXPECT_EQ(c.Headwords, index.HeadwordCount()) << c.Name;
        EXPECT_EQ(before, Decoded(store)) << c.Name << ": nothing kept decoded for the gathering";
        EXPECT_EQ(&own, store.ScanControl()) << c.Name;
    }
}

TEST(HeadwordGatheringTest, AFileIsReadWithAStoreOfItsOwn)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "lirabo_suggestions_test.ldi";
    const test::Bytes bytes = test::BuildDictionary(kUtf8, 3, {}, Utf8Options());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const THeadwordIndex index = THeadwordIndex::FromFile(path.string());
    EXPECT_EQ(std::vector<std::string>{"caf\xC3\xA9"}, index.Suggest("CAFE"));
    std::filesystem::remove(path);
    EXPECT_THROW(THeadwordIndex::FromFile(path.string()), EFOpenError);
}

TEST(HeadwordGatheringTest, AStopEndsTheGatheringAndTheStoreGoesOn)
{
    std::vector<test::Entry> entries;
    for (int i = 0; i < 400; ++i)
        entries.push_back({"word" + std::to_string(i), "d"});
    const test::Bytes file = test::BuildDictionary(entries, 16);

    const struct {
        const char* Name;
        bool List;
        bool StopAtOnce;
    } cases[] = {
        {"a file, stopped before it starts", false, true},
        {"a file, stopped halfway", false, false},
        {"a list, stopped before it starts", true, true},
    };
    for (const auto& c : cases) {
        TDictionaryStore store;
        if (c.List) {
            std::vector<TWordItem> items;
            for (const test::Entry& e : entries)
                items.push_back({e.Word, e.Definition});
            store.SetItems(items);
        } else {
            test::Open(store, file);
        }
        TScanControl control;
        control.Stop = c.StopAtOnce;
        int64_t seen = 0;
        control.OnProgress = [&](int64_t Done, int64_t) {
            seen = Done;
            if (Done == 3)
                control.Stop = true;
        };
        EXPECT_THROW(THeadwordIndex::FromStore(store, &control), EScanStopped) << c.Name;
        EXPECT_LE(seen, 3) << c.Name << ": nothing read past the stop";
        EXPECT_EQ(nullptr, store.ScanControl()) << c.Name;

        // The store is whole: a second gathering finds every headword.
        EXPECT_EQ(400u, THeadwordIndex::FromStore(store).HeadwordCount()) << c.Name;
    }
}

TEST(HeadwordGatheringTest, ADamagedSectionRaisesItsError)
{
    std::vector<test::Entry> entries;
    for (int i = 0; i < 200; ++i)
        entries.push_back({"word" + std::to_string(i), std::string(50, 'x')});
    test::Bytes file = test::BuildDictionary(entries, 16);
    // A byte inside the last section's compressed data.
    const size_t at = static_cast<size_t>(test::GetInt(file, test::kRelationsStart)) - 20;
    file[at] = static_cast<unsigned char>(file[at] ^ 0x5A);
    test::FixCRC(file);
    TDictionaryStore store;
    test::Open(store, file);
    EXPECT_THROW(THeadwordIndex::FromStore(store), std::runtime_error);
}

}  // namespace
}  // namespace lirabo
