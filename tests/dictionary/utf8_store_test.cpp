#include <gtest/gtest.h>

#include <random>

#include "dictionary/exceptions.h"
#include "dictionary/text_rule.h"
#include "dictionary/wildcard_pattern.h"
#include "test_dictionary.h"
#include "utf8_model.h"
#include "wildcard_reference.h"

namespace lirabo {
namespace {

using test::ModelCompare;
using test::ModelUnits;

makrel::TWriterOptions Utf8Options()
{
    makrel::TWriterOptions options = test::FastOptions();
    options.Encoding = makrel::TEncodingChoice::Utf8;
    return options;
}

struct Range {
    int First = -1;
    int Count = 1;
    bool operator==(const Range&) const = default;
};

std::optional<Range> Find(TDictionaryStore& Store, const std::string& S, bool Exact)
{
    Range r;
    try {
        Store.FindWord(S, Exact, r.First, r.Count);
    } catch (const EAbort&) {
        return std::nullopt;
    }
    return r;
}

// Brute force over the stored, sorted headwords.
std::optional<Range> Model(const std::vector<std::string>& Words, const std::string& S, bool Exact)
{
    const std::string s = NormalizeNfc(S);
    const int n = static_cast<int>(Words.size());
    for (int i = 0; i < n; ++i) {
        if (ModelCompare(Words[static_cast<size_t>(i)], s) < 0)
            continue;
        if (Exact && ModelCompare(Words[static_cast<size_t>(i)], s) != 0)
            return std::nullopt;
        Range r{i, 1};
        while (i + r.Count < n && ModelCompare(Words[static_cast<size_t>(i + r.Count)], Words[static_cast<size_t>(i)]) == 0)
            ++r.Count;
        return r;
    }
    return Exact ? std::nullopt : std::optional<Range>(Range{n - 1, 1});
}

// Well-formed pieces only: the writer repairs malformed input, so files hold
// none; lists may, and get the full set.
const std::vector<std::string> kWellFormed = {"a", "K", "\u212A", "\u017F", "s", "\u00DF", "\u03C3", "\u03C2", "\u03A3",
                                              "\u0416", "\u0436", "\u017C", "\u017B", "\u5BB6", "\u0301", "\u0130"};

TEST(Utf8StoreTest, LookupsAgreeWithBruteForceInFilesAndLists)
{
    std::mt19937 random(31);
    for (int round = 0; round < 10; ++round) {
        std::vector<test::Entry> entries;
        const int n = 1 + static_cast<int>(random() % 150);
        for (int i = 0; i < n; ++i)
            entries.push_back({test::RandomText(random, 4, kWellFormed), "d" + std::to_string(i)});
        const int sectionSize = 1 + static_cast<int>(random() % 9);
        TDictionaryStore file;
        test::Open(file, test::BuildDictionary(entries, sectionSize, {}, Utf8Options()));
        ASSERT_TRUE(file.Rule().Utf8());
        std::vector<std::string> words;
        for (int i = 0; i < file.EntryCount(); ++i)
            words.push_back(file.GetItem(i)->Word);
        file.KeepSections();
        for (size_t i = 1; i < words.size(); ++i)
            ASSERT_LE(ModelCompare(words[i - 1], words[i]), 0) << "the writer sorts by the UTF-8 order";

        // A list may hold what no writer writes: malformed bytes.
        std::vector<std::string> listWords;
        for (int i = 0; i < n; ++i)
            listWords.push_back(test::RandomText(random, 4));
        std::stable_sort(listWords.begin(), listWords.end(),
                         [](const std::string& a, const std::string& b) { return ModelCompare(a, b) < 0; });
        std::vector<TWordItem> items;
        for (const std::string& w : listWords)
            items.push_back({w, ""});
        TDictionaryStore list;
        list.SetItems(items, TTextEncoding::Utf8);

        for (int q = 0; q < 200; ++q) {
            const std::string s = q < n ? words[static_cast<size_t>(q)] : test::RandomText(random, 5, kWellFormed);
            const std::string t = q < n ? listWords[static_cast<size_t>(q)] : test::RandomText(random, 5);
            for (bool exact : {false, true}) {
                ASSERT_EQ(Model(words, s, exact), Find(file, s, exact)) << "section size " << sectionSize << " '" << s << "'";
                ASSERT_EQ(Model(listWords, t, exact), Find(list, t, exact)) << "list '" << t << "'";
            }
        }
    }
}

TEST(Utf8StoreTest, WildcardSearchesFindWhatBruteForceFinds)
{
    std::mt19937 random(32);
    std::vector<test::Entry> entries;
    for (int i = 0; i < 400; ++i)
        entries.push_back({test::RandomText(random, 4, kWellFormed), std::to_string(i)});
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(entries, 7, {}, Utf8Options()));
    std::vector<TWordItem> all;
    for (int i = 0; i < store.EntryCount(); ++i)
        all.push_back(*store.GetItem(i));
    store.KeepSections();
    TDictionaryStore list;
    std::vector<TWordItem> copy = all;
    list.SetItems(copy, TTextEncoding::Utf8);

    for (const std::string pattern : {"*", "\u03C3*", "\u03A3?", "k*", "\u212A\u212A*", "[\u03B1-\u03C9]*", "?",
                                      "\u017C[\u017B\u0436]*", "*\u5BB6", "s\u00DF*", "\u017F*", "a[b"}) {
        std::vector<std::string> expected;
        for (const TWordItem& item : all)
            if (test::ReferenceMatch(ModelUnits(item.Word), ModelUnits(NormalizeNfc(pattern))))
                expected.push_back(item.Word);
        for (TDictionaryStore* source : {&store, &list}) {
            std::vector<TWordItem> items;
            const int n = source->WildcardSearch(pattern, items, INT32_MAX);
            ASSERT_EQ(static_cast<int>(expected.size()), n) << pattern;
            for (size_t i = 0; i < items.size(); ++i)
                EXPECT_EQ(expected[i], items[i].Word) << pattern;
        }
    }
}

TEST(Utf8StoreTest, DefinitionSearchFoldsWholeCharacters)
{
    const std::vector<test::Entry> entries = {
        {"house", "\u03C3\u03C0\u03AF\u03C4\u03B9, \u03BF\u03AF\u03BA\u03BF\u03C2"},  // σπίτι, οίκος
        {"home", "\u0414\u041E\u041C"},                                               // ДОМ
        {"turtle", "\u017C\u00F3\u0142w"},
        {"ie", "\u5BB6 (\u3044\u3048)"},
        {"other", "sta\u00DF"},
    };
    TDictionaryStore store;
    test::Open(store, test::BuildDictionary(entries, 2, {}, Utf8Options()));
    struct Case {
        const char* Query;
        std::vector<std::string> Headwords;
    };
    const Case cases[] = {
        {"\u03A3\u03A0\u038A\u03A4\u0399", {"house"}},    // ΣΠΊΤΙ
        {"\u039F\u038A\u039A\u039F\u03A3", {"house"}},    // final sigma found by capital sigma
        {"\u0434\u043E\u043C", {"home"}},
        {"\u017B\u00D3\u0141W", {"turtle"}},
        {"\u5BB6", {"ie"}},
        {"*(\u3044\u3048)", {"ie"}},
        {"STASS", {}},                                     // ß is not ss
        {"\u00F3", {"turtle"}},
        {"o\u0301", {"turtle"}},                          // the query is brought to NFC
    };
    for (const Case& c : cases) {
        std::vector<TWordItem> items;
        store.DefinitionSearch(c.Query, items, INT32_MAX);
        std::vector<std::string> found;
        for (const TWordItem& item : items)
            found.push_back(item.Word);
        std::sort(found.begin(), found.end());
        EXPECT_EQ(c.Headwords, found) << c.Query;
    }
}

TEST(Utf8StoreTest, TheTextWordDecidesHowAFileReads)
{
    const std::vector<test::Entry> entries = {{"\u03B1", "alpha"}, {"b", "beta"}};
    const test::Bytes utf8 = test::BuildDictionary(entries, 1, {}, Utf8Options());
    const test::Bytes plain = test::BuildDictionary({{"a", "x"}, {"\xE4", "y"}}, 1);
    EXPECT_EQ(0, test::GetInt(plain, 12)) << "Windows-1252 of unknown languages writes what older files hold";

    TDictionaryStore store;
    test::Open(store, utf8);
    EXPECT_EQ(TTextEncoding::Utf8, store.Header().Text.Encoding);

    // What other tools may have written there reads as before.
    for (const int64_t other : {1, 65535, -1, -7, 0x7FFFFFFF, 0x12345678}) {
        test::Bytes file = plain;
        test::SetField(file, 12, other);
        test::Open(store, file);
        EXPECT_FALSE(store.Rule().Utf8()) << other;
        EXPECT_EQ("\xE4", store.GetItem(1)->Word) << other;
    }

    test::Bytes future = utf8;
    test::SetField(future, 12, 0xC0D70000);
    try {
        test::Open(store, future);
        FAIL() << "an unknown encoding must be refused";
    } catch (const EInvalidDictionary& e) {
        EXPECT_NE(std::string(e.what()).find("encoding"), std::string::npos) << e.what();
    }
    EXPECT_EQ(TDictionaryStore::kSourceNone, store.Source());
}

}  // namespace
}  // namespace lirabo
