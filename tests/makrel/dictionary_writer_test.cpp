#include <gtest/gtest.h>

#include <random>

#include "dictionary/dictionary_header.h"
#include "dictionary/exceptions.h"
#include "dictionary/utf8_text.h"
#include "dictionary/word_order.h"
#include "makrel/core/entry_limits.h"
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

// The header and the entries of a built file, in file order.
struct TBuilt {
    TDictionaryHeader Header;
    std::vector<TWordItem> Entries;
};

TBuilt Read(const std::vector<unsigned char>& File)
{
    TBuilt built;
    TMemoryStream stream(File);
    built.Header.LoadFromStream(stream, true);
    TDictionaryStore store;
    lirabo::test::Open(store, File);
    for (int i = 0; i < store.EntryCount(); ++i)
        built.Entries.push_back(*store.GetItem(i));
    return built;
}

std::string Hex(std::string_view Text)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < Text.size(); i += 2)
        bytes += static_cast<char>(std::stoi(std::string(Text.substr(i, 2)), nullptr, 16));
    return bytes;
}

// What the writer wrote when all text was Windows-1252 (section size 2):
// text that fits must still give exactly these bytes.
const std::string kEarlierFile = Hex(
    "4f960ce4000400006101000000000000050000000300000002000000610100000000000009000000"
    "200000000400000009000000130000000a000000436166e9a920dc6eef636f646568747470733a2f"
    "2f6578616d706c652e6f72676f6e650d0a74776f20807e0000006170706cd80000007a6562722701"
    "0000c4706665425a6839314159265359e484824000000279e146820100400102002f25f70040000c"
    "000020a000230f29e44c4190da6a79428001a000002002381c7edeabc4c50943c1aaa76c23ab2615"
    "99f193c36fc5dc914e14243921209000425a683931415926535961ee0a94000001d3f0e302400008"
    "103e6017100004002040000004200022864000d1885068d1a0c80d1c20630e67480425a032791a9f"
    "95788cbafc5dc914e1424187b82a50425a68393141592653595734c057000000d1844228c0002304"
    "4800040020003100d0010001a33c3d14e2f6f1305123c5dc914e142415cd3015c0");

TEST(DictionaryWriterTest, TextThatFitsWindows1252IsWrittenAsBefore)
{
    TWriterOptions options;
    options.SectionSize = 2;
    options.Name = "Caf\u00E9";
    options.Notice = "\u00A9 \u00DCn\u00EFcode";
    options.URL = "https://example.org";
    options.Information = "one\r\ntwo \u20AC";
    for (const TEncodingChoice choice : {TEncodingChoice::Auto, TEncodingChoice::Windows1252}) {
        options.Encoding = choice;
        TDictionaryWriter writer(options);
        writer.Add("caf\u00E9", "na\u00EFve \u201Cquoted\u201D \u20AC5 \x07n.\r");
        writer.Add("\u00C4pfel", "see \x09" "apple\x0F");
        writer.Add("apple", "fruit");
        writer.Add("Z\u00FCrich", "Stadt \u0152uvre \u2122");
        writer.Add("zebra", "\u00A0");
        const std::vector<unsigned char> file = writer.Build();
        EXPECT_EQ(kEarlierFile, std::string(file.begin(), file.end())) << static_cast<int>(choice);
        EXPECT_EQ(lirabo::TTextEncoding::Windows1252, writer.Encoding());
        EXPECT_EQ(0u, writer.ReplacedCharacters());
    }
}

TEST(DictionaryWriterTest, TheEncodingFollowsTheText)
{
    using lirabo::TTextEncoding;
    const struct {
        const char* Label;
        TEncodingChoice Choice;
        std::string Word, Definition, Name;
        TTextEncoding Encoding;
        std::string StoredWord, StoredDefinition;
        size_t Replaced;
    } cases[] = {
        {"fits", TEncodingChoice::Auto, "caf\u00E9", "\u20AC\x07", "", TTextEncoding::Windows1252, "caf\xE9",
         "\x80\x07", 0},
        {"Greek", TEncodingChoice::Auto, "\u03C3\u03C0\u03AF\u03C4\u03B9", "house", "", TTextEncoding::Utf8,
         "\u03C3\u03C0\u03AF\u03C4\u03B9", "house", 0},
        {"Polish", TEncodingChoice::Auto, "w", "\u017C\u00F3\u0142w", "", TTextEncoding::Utf8, "w",
         "\u017C\u00F3\u0142w", 0},
        {"Japanese", TEncodingChoice::Auto, "\u5BB6", "house", "", TTextEncoding::Utf8, "\u5BB6", "house", 0},
        {"only the name", TEncodingChoice::Auto, "a", "b", "\u0141\u00F3d\u017A", TTextEncoding::Utf8, "a", "b", 0},
        {"forced UTF-8", TEncodingChoice::Utf8, "caf\u00E9", "x", "", TTextEncoding::Utf8, "caf\u00E9", "x", 0},
        // Mark-up codes stay where they are; each character without a byte counts.
        {"forced, Polish", TEncodingChoice::Windows1252, "\u017C\u00F3\u0142w", "\x07\u017C\x0D\u0142\x01", "",
         TTextEncoding::Windows1252, "z\xF3lw", "\x07z\rl\x01", 4},
        {"forced, Greek and IPA", TEncodingChoice::Windows1252, "\u03C3\u03C0\u03AF\u03C4\u03B9",
         "\x08\u02C8h\u028As\x07", "", TTextEncoding::Windows1252, "spiti", "\x08'hUs\x07", 7},
        {"forced, the name", TEncodingChoice::Windows1252, "a", "b", "\u0141\u00F3d\u017A",
         TTextEncoding::Windows1252, "a", "b", 2},
    };
    for (const auto& c : cases) {
        TWriterOptions options;
        options.Encoding = c.Choice;
        options.Name = c.Name;
        TDictionaryWriter writer(options);
        writer.Add(c.Word, c.Definition);
        const TBuilt built = Read(writer.Build());
        EXPECT_EQ(c.Encoding, built.Header.Text.Encoding) << c.Label;
        EXPECT_EQ(c.Encoding, writer.Encoding()) << c.Label;
        EXPECT_EQ(c.Replaced, writer.ReplacedCharacters()) << c.Label;
        ASSERT_EQ(1u, built.Entries.size()) << c.Label;
        EXPECT_EQ(c.StoredWord, built.Entries[0].Word) << c.Label;
        EXPECT_EQ(c.StoredDefinition, built.Entries[0].Definition) << c.Label;
    }
}

TEST(DictionaryWriterTest, StoredTextIsWellFormedAndInNfc)
{
    const std::pair<std::string, std::string> cases[] = {
        {"e\u0301te\u0301", "\u00E9t\u00E9"},                      // decomposed
        {"\u212B", "\u00C5"},                                       // a singleton
        {"caf\xE9 \x80", "caf\u00E9 \u20AC"},                      // Windows-1252 bytes
        {"\xC5\u0142\xE5\xAE", "\u00C5\u0142\u00E5\u00AE"},     // a character cut short
        {"\x01\x07\x0D\x0F", "\x01\x07\x0D\x0F"},               // mark-up
    };
    TWriterOptions options;
    options.Encoding = TEncodingChoice::Utf8;
    for (const auto& [given, stored] : cases) {
        TDictionaryWriter writer(options);
        writer.Add(given, given);
        writer.SuggestDescription(given, "", "", "");
        const TBuilt built = Read(writer.Build());
        ASSERT_EQ(1u, built.Entries.size());
        EXPECT_EQ(stored, built.Entries[0].Word) << given;
        EXPECT_EQ(stored, built.Entries[0].Definition) << given;
        EXPECT_EQ(stored, built.Header.Name) << given;
    }
}

TEST(DictionaryWriterTest, CutsFallBetweenCharacters)
{
    const auto repeat = [](const std::string& Text, size_t Times) {
        std::string out;
        for (size_t i = 0; i < Times; ++i)
            out += Text;
        return out;
    };
    const struct {
        const char* Label;
        std::string Word, Definition;
        size_t WordSize, DefinitionSize;
        std::string DefinitionEnd;
    } cases[] = {
        {"two-byte letters", repeat("\u017C", 200), "x", 254, 1, "x"},
        {"three-byte letters", repeat("\u5BB6", 100), repeat("\u5BB6", 22000), 255, 65532, "\u5BB6\u2026"},
        {"in a link", "w", "\x09" + repeat("\u0142", 33000), 1, 65535, "\u0142\x0F\u2026"},
        {"closed link", "w", "\x09x\x0F" + repeat("\u0142", 33000), 1, 65534, "\u0142\u2026"},
    };
    for (const auto& c : cases) {
        TDictionaryWriter writer({});
        TImportReport report;
        AddShortened(writer, report, c.Word, c.Definition);
        EXPECT_EQ(1u, report.ShortenedEntries) << c.Label;
        const TBuilt built = Read(writer.Build());
        const TWordItem& e = built.Entries.at(0);
        EXPECT_EQ(c.WordSize, e.Word.size()) << c.Label;
        EXPECT_EQ(c.DefinitionSize, e.Definition.size()) << c.Label;
        EXPECT_TRUE(e.Definition.ends_with(c.DefinitionEnd)) << c.Label;
        EXPECT_EQ(std::string::npos, FindInvalidUtf8(e.Word + e.Definition)) << c.Label;
    }

    // Header texts: at a character, or at the last line break before the limit.
    TDictionaryWriter writer({});
    writer.SuggestDescription(repeat("\u017C", 300), repeat("\u5BB6", 100) + "\r\n" + repeat("\u5BB6", 100),
                              "", repeat("\u0142", 1030));
    const TBuilt built = Read(writer.Build());
    EXPECT_EQ(repeat("\u017C", 256), built.Header.Name);
    EXPECT_EQ(repeat("\u5BB6", 100), built.Header.Notice);
    EXPECT_EQ(repeat("\u0142", 1024), built.Header.Information);

    // Transliteration can lengthen: forced Windows-1252 still fits the format.
    TWriterOptions options;
    options.Encoding = TEncodingChoice::Windows1252;
    TDictionaryWriter ansi(options);
    ansi.Add(repeat("\u0449", 120), "\x09" + repeat("\u0449", 30000));
    ansi.SuggestDescription(repeat("\u0449", 250), "", "", "");
    const TBuilt converted = Read(ansi.Build());
    EXPECT_EQ(255u, converted.Entries.at(0).Word.size());
    EXPECT_EQ(65535u, converted.Entries.at(0).Definition.size());
    EXPECT_TRUE(converted.Entries.at(0).Definition.ends_with("shch\x0F\x85"));
    EXPECT_EQ(512u, converted.Header.Name.size());
    EXPECT_EQ(1u, ansi.ShortenedEntries());
    EXPECT_EQ(120u + 30000u + 250u, ansi.ReplacedCharacters());
}

TEST(DictionaryWriterTest, TheTextWordNamesEncodingAndLanguages)
{
    using lirabo::TTextEncoding;
    const struct {
        TEncodingChoice Choice;
        std::string Head, Definitions;
        TTextEncoding Encoding;
        bool Tagged;
    } cases[] = {
        {TEncodingChoice::Auto, "", "", TTextEncoding::Windows1252, false},
        {TEncodingChoice::Auto, "pl", "en", TTextEncoding::Windows1252, true},
        {TEncodingChoice::Utf8, "el", "", TTextEncoding::Utf8, true},
        {TEncodingChoice::Windows1252, "", "de", TTextEncoding::Windows1252, true},
    };
    for (const auto& c : cases) {
        TWriterOptions options;
        options.Encoding = c.Choice;
        options.HeadwordLanguage = c.Head;
        options.DefinitionLanguage = c.Definitions;
        TDictionaryWriter writer(options);
        writer.Add("a", "b");
        const TBuilt built = Read(writer.Build());
        const lirabo::TTextDescription expected{c.Encoding, c.Head, c.Definitions};
        EXPECT_EQ(expected, built.Header.Text) << c.Head << "-" << c.Definitions;
        EXPECT_EQ(c.Tagged, built.Header.Reserved != 0) << c.Head << "-" << c.Definitions;
    }

    TWriterOptions bad;
    bad.HeadwordLanguage = "xx";
    EXPECT_THROW(TDictionaryWriter{bad}, std::invalid_argument);
    TWriterOptions kept;
    kept.DefinitionLanguage = "en";
    kept.KeepLanguages = true;
    TDictionaryWriter writer(kept);
    writer.SuggestLanguages("de", "fr");
    EXPECT_EQ((lirabo::TTextDescription{TTextEncoding::Windows1252, "", "en"}), Read(writer.Build()).Header.Text)
        << "explicit languages are not filled in";
}

// A UTF-8 file opens in the store, which finds its words in any case.
TEST(DictionaryWriterTest, AUtf8FileFindsItsWordsInAnyCase)
{
    TWriterOptions options;
    options.SectionSize = 2;
    TDictionaryWriter writer(options);
    for (const char* word : {"zebra", "\u017C\u00F3\u0142w", "\u03C3\u03C0\u03AF\u03C4\u03B9", "apple",
                             "\u5BB6", "\u00C4pfel", "zz"})
        writer.Add(word, std::string("def ") + word);
    EXPECT_EQ(1, writer.FindFirst("\u017B\u00D3\u0141W")) << "the import compares by the UTF-8 rule";
    TDictionaryStore store;
    lirabo::test::Open(store, writer.Build());
    ASSERT_EQ(lirabo::TTextEncoding::Utf8, store.Rule().Encoding());
    const std::pair<std::string, std::string> lookups[] = {
        {"\u017C\u00F3\u0142w", "\u017C\u00F3\u0142w"},
        {"\u017B\u00D3\u0141W", "\u017C\u00F3\u0142w"},
        {"z\u0307o\u0301\u0142w", "\u017C\u00F3\u0142w"},  // decomposed
        {"\u03C3\u03C0\u03AF\u03C4\u03B9", "\u03C3\u03C0\u03AF\u03C4\u03B9"},
        {"\u03A3\u03A0\u038A\u03A4\u0399", "\u03C3\u03C0\u03AF\u03C4\u03B9"},
        {"\u5BB6", "\u5BB6"},
        {"\u00E4PFEL", "\u00C4pfel"},
    };
    for (const auto& [query, found] : lookups) {
        int first = -1;
        int count = 0;
        store.FindWord(query, true, first, count);
        ASSERT_EQ(1, count) << query;
        EXPECT_EQ(found, store.GetItem(first)->Word) << query;
        EXPECT_EQ("def " + found, store.GetItem(first)->Definition) << query;
    }
}

}  // namespace
}  // namespace makrel
