#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dictionary/utf8_text.h"
#include "makrel/core/dictionary_recoder.h"
#include "makrel_runner.h"
#include "makrel_test_folder.h"
#include "untagged_dictionary.h"

namespace makrel {
namespace {

using lirabo::TDictionaryStore;
using lirabo::test::Link;
using TTexts = std::vector<std::pair<std::string, std::string>>;

void Save(const std::string& File, const lirabo::test::Bytes& Data)
{
    std::ofstream(File, std::ios::binary).write(reinterpret_cast<const char*>(Data.data()), Data.size());
}

struct TSample {
    const char* CodePage;
    std::vector<test::TRawEntry> Old;  // in the old byte order
    std::vector<Link> Links;           // between old places
    TTexts Expected;                   // the new order, UTF-8
    std::vector<size_t> NewPlace;      // of each old entry
    TTexts Lookups;                    // typed, and the headword found
    size_t Replaced;
};

const TSample kSamples[] = {
    {"windows-1251",
     {{"\xB8\xE6", "\x08\xF1\xF3\xF9.\x07 \xE7\xE2\xE5\xF0\xFC"},
      {"\xC6\xF3\xEA", "\xED\xE0\xF1\xE5\xEA\xEE\xEC\xEE\xE5"},
      {"\xDF\xE1\xEB\xEE\xEA\xEE", "\xEF\xEB\xEE\xE4"},
      {"\xE0\xF0\xE1\xF3\xE7", "\xFF\xE3\xEE\xE4\xE0\x98"},
      {"\xE6\xE0\xF0\xE0", "\xE7\xED\xEE\xE9"}},
     {{1, 1, 4}, {0, 33, 2}, {3, 2, 1}, {3, 2, 0}},
     {{"арбуз", "ягода\uFFFD"}, {"жара", "зной"}, {"Жук", "насекомое"}, {"Яблоко", "плод"},
      {"ёж", "\x08сущ.\x07 зверь"}},
     {4, 2, 3, 0, 1},
     {{"ЖУК", "Жук"}, {"жук", "Жук"}, {"ЯБЛОКО", "Яблоко"}, {"ЁЖ", "ёж"}, {"Арбуз", "арбуз"}},
     1},
    {"windows-1253",
     {{"\xC1\xEB\xF6\xE1", "\x08n.\x07"},
      {"\xC3\xC1\xCC\xCC\xC1", "x\xD2\x81"},
      {"\xD9\xF1\xE1", "\xFE"},
      {"\xE2\xDE\xF4\xE1", ""},
      {"\xF3\xEF\xF6\xFC\xF2", "\xA2"},
      {"\xF9\xEC\xDD\xE3\xE1", "\x09\xC1\x0F"}},
     {{2, 5, 4}, {4, 1, 0}},
     {{"Αλφα", "\x08n.\x07"}, {"βήτα", ""}, {"ΓΑΜΜΑ", "x\uFFFD\uFFFD"}, {"σοφός", "Ά"}, {"ωμέγα", "\x09Α\x0F"},
      {"Ωρα", "ώ"}},
     {0, 2, 5, 1, 3, 4},
     {{"ΣΟΦΌΣ", "σοφός"}, {"ωρα", "Ωρα"}, {"ΑΛΦΑ", "Αλφα"}},
     2},
    {"windows-1250",
     {{"zebra", "\x08n.\x07 x"},
      {"\xA3\xF3" "d\x9F", "miasto"},
      {"\xB3\xB9ka", "\x8C\x9C"},
      {"\xC6ma", ""},
      {"\xE6wier\xE6", "\xAF\xBF"}},
     {{0, 3, 2}, {3, 4, 1}},
     {{"zebra", "\x08n.\x07 x"}, {"Ćma", ""}, {"ćwierć", "Żż"}, {"Łódź", "miasto"}, {"łąka", "Śś"}},
     {0, 3, 4, 1, 2},
     {{"ŁÓDŹ", "Łódź"}, {"ĆMA", "Ćma"}, {"ŁĄKA", "łąka"}, {"Zebra", "zebra"}},
     0},
};

TEST(DictionaryRecoderTest, OldCodePagesBecomeUtf8InTheNewOrder)
{
    test::TTestFolder folder("recode");
    for (const TSample& sample : kSamples) {
        SCOPED_TRACE(sample.CodePage);
        const std::string old = folder.File("old.ldi");
        const std::string recoded = folder.File("new.ldi");
        Save(old, test::BuildUntagged(sample.Old, 2, sample.Links, {"\xC1\xC3", "", "", "a\r\nb"}));
        TCodePageDecoder decoder(sample.CodePage);
        const TRecodeReport report = RecodeDictionary(old, recoded, decoder, {"ru", ""});
        EXPECT_EQ(sample.Old.size(), report.Entries);
        EXPECT_EQ(sample.Links.size(), report.Relations);
        EXPECT_EQ(sample.Replaced, report.ReplacedBytes);
        EXPECT_EQ(sample.Replaced > 0 ? 1u : 0u, report.Warnings.size());

        TDictionaryStore store;
        store.OpenDictionary(recoded);
        EXPECT_EQ(lirabo::TTextEncoding::Utf8, store.Header().Text.Encoding);
        EXPECT_EQ("ru", store.Header().Text.HeadwordLanguage);
        EXPECT_EQ("a\r\nb", store.Header().Information);
        size_t replaced = 0;
        EXPECT_EQ(decoder.Decode("\xC1\xC3", replaced), store.Header().Name);
        TTexts entries;
        for (int i = 0; i < store.EntryCount(); ++i)
            entries.emplace_back(store.GetItem(i)->Word, store.GetItem(i)->Definition);
        EXPECT_EQ(sample.Expected, entries);

        // Each relation still points from and to the same words.
        for (size_t i = 0; i < sample.Expected.size(); ++i) {
            TTexts expected;
            for (const Link& link : sample.Links)
                if (sample.NewPlace[static_cast<size_t>(link.From)] == i)
                    expected.emplace_back(std::to_string(link.Kind),
                                          sample.Expected[sample.NewPlace[static_cast<size_t>(link.To)]].first);
            lirabo::TExtendedInfo relations;
            store.ReadRelations(static_cast<int>(i), relations);
            TTexts actual;
            for (const lirabo::TExtended& r : relations)
                actual.emplace_back(std::to_string(r.Kind), store.GetItem(r.Target)->Word);
            EXPECT_EQ(expected, actual) << sample.Expected[i].first;
        }
        for (const auto& [typed, found] : sample.Lookups) {
            int first = -1;
            int count = 0;
            store.FindWord(typed, true, first, count);
            EXPECT_EQ(found, store.GetItem(first)->Word) << typed;
        }
    }
}

TEST(DictionaryRecoderTest, TextGrownPastTheLimitsIsShortenedAndBadRelationsDropped)
{
    test::TTestFolder folder("recode_limits");
    const std::string old = folder.File("old.ldi");
    // 150 Cyrillic letters take 300 bytes in UTF-8, 400 take 800.
    Save(old, test::BuildUntagged({{std::string(150, '\xC6'), "a"}, {"\xE0", "b"}}, 256, {{0, 1, 1}, {1, 2, 99}},
                                  {std::string(400, '\xC6'), "", "", ""}));
    TCodePageDecoder decoder("windows-1251");
    const TRecodeReport report = RecodeDictionary(old, folder.File("new.ldi"), decoder);
    EXPECT_EQ(1u, report.ShortenedEntries);
    EXPECT_EQ(1u, report.Relations);
    EXPECT_EQ(1u, report.DroppedRelations);
    TDictionaryStore store;
    store.OpenDictionary(folder.File("new.ldi"));
    for (int i = 0; i < store.EntryCount(); ++i) {
        const std::string word = store.GetItem(i)->Word;
        EXPECT_LE(word.size(), 255u);
        EXPECT_EQ(std::string::npos, lirabo::FindInvalidUtf8(word)) << "cut inside a character";
    }
    EXPECT_EQ(254u, store.GetItem(1)->Word.size()) << "127 letters after \"а\"";
    EXPECT_EQ(512u, store.Header().Name.size());
    EXPECT_EQ(std::string::npos, lirabo::FindInvalidUtf8(store.Header().Name));
}

TEST(DictionaryRecoderTest, DecodingKeepsMarkupAndCountsWhatIsUndefined)
{
    const struct {
        const char* CodePage;
        std::string Input;
        std::string Expected;
        size_t Replaced;
    } cases[] = {
        {"windows-1251", "\x08\xC6\xF3\xEA\x07\x0D", "\x08Жук\x07\x0D", 0},
        {"windows-1251", "\x98", "\uFFFD", 1},
        {"windows-1253", "\xD2\x81\xFF", "\uFFFD\uFFFD\uFFFD", 3},
        {"windows-1254", "\xD0\xFE\xDD\xFD", "Ğşİı", 0},
        {"windows-1257", "\xC0\xE0", "Ąą", 0},
        {"koi8-r", "\xC1\x7F", "а\x7F", 0},
        {"ibm-866", "\x80\x7F\x1A", "А\x7F\x1A", 0},
        {"windows-1258", "a\xEC", "á", 0},
        {"shift_jis", "\x82\x07\x82\xA0", "\uFFFD\x07あ", 1},
    };
    for (const auto& c : cases) {
        TCodePageDecoder decoder(c.CodePage);
        size_t replaced = 0;
        EXPECT_EQ(c.Expected, decoder.Decode(c.Input, replaced)) << c.CodePage;
        EXPECT_EQ(c.Replaced, replaced) << c.CodePage;
    }
}

TEST(DictionaryRecoderTest, RefusalsNameTheReasonAndWriteNothing)
{
    test::TTestFolder folder("recode_refusals");
    const std::vector<test::TRawEntry> entries = {{"a", "b"}};
    const std::string plain = folder.File("plain.ldi");
    Save(plain, test::BuildUntagged(entries, 1));
    const std::string utf8 = folder.File("utf8.ldi");
    Save(utf8, test::BuildUntagged(entries, 1, {}, {}, lirabo::TextWord({lirabo::TTextEncoding::Utf8, "", ""})));
    const std::string tagged = folder.File("tagged.ldi");
    Save(tagged, test::BuildUntagged(entries, 1, {}, {}, lirabo::TextWord({{}, "ru", "en"})));
    const std::string junk = folder.Write("junk.ldi", std::string(100, 'x'));
    lirabo::test::Bytes bytes = test::BuildUntagged({{"a", "b"}, {"c", std::string(200, 'd')}}, 1);
    bytes[bytes.size() - 20] ^= 0x55;  // inside the last section, the checksum made right again
    lirabo::test::FixCRC(bytes);
    const std::string damaged = folder.File("damaged.ldi");
    Save(damaged, bytes);
    const std::string out = folder.File("out.ldi");
    const std::string missing = folder.File("missing.ldi");

    const struct {
        std::vector<std::string> Args;
        std::string Error;
    } cases[] = {
        {{"recode", "--from", "windows-1251", utf8, out}, utf8 + ": the dictionary is UTF-8 already"},
        {{"recode", "--from", "windows-1251", tagged, out}, tagged + ": the dictionary's text word says it is windows-1252"},
        {{"recode", "--from", "windows-1251", junk, out}, junk + ": not a dictionary file"},
        {{"recode", "--from", "windows-1251", missing, out}, missing + ": Cannot open"},
        {{"recode", "--from", "windows-1251", damaged, out}, damaged + ": the dictionary is damaged: BZ_"},
        {{"recode", "--from", "windows-1251", plain, plain}, plain + ": the new dictionary would replace the old one"},
        {{"recode", "--from", "windows-9999", plain, out}, "--from: unknown code page \"windows-9999\"; for example windows-1250"},
        {{"recode", "--from", "", plain, out}, "--from: a code page is needed: the one of the system"},
        {{"recode", "--from", "utf-16", plain, out}, "--from: \"utf-16\" is not a code page recode reads"},
        {{"recode", "--from", "ibm-037", plain, out}, "--from: \"ibm-037\" is not a code page recode reads"},
        {{"recode", plain, out}, "--from: a code page is needed"},
        {{"recode", "--from", "windows-1251", "--languages", "russian", plain, out}, "--languages: expected HEAD-DEFS"},
        {{"recode", "--from", "windows-1251", "--languages", "xx-en", plain, out}, "--languages: \"xx\" is not a two-letter ISO 639-1"},
        {{"recode", "--from", "windows-1251", plain}, "recode: wrong number of arguments"},
        {{"recode", "--to", "utf-8", plain, out}, "recode: unknown or incomplete option --to"},
    };
    for (const auto& c : cases) {
        const test::TRun run = test::RunCommand(c.Args);
        EXPECT_EQ(2, run.Code) << c.Error;
        EXPECT_EQ("", run.Out) << c.Error;
        EXPECT_EQ(0u, run.Err.rfind("makrel: " + c.Error, 0)) << run.Err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.Error;
    }
}

TEST(DictionaryRecoderTest, TheCommandSumsUpAndWarns)
{
    test::TTestFolder folder("recode_command");
    const std::string old = folder.File("old.ldi");
    Save(old, test::BuildUntagged(kSamples[0].Old, 2, kSamples[0].Links));
    const test::TRun run =
        test::RunCommand({"recode", "--from", "cp1251", "--languages", "ru-en", old, folder.File("new.ldi")});
    EXPECT_EQ(0, run.Code) << run.Err;
    EXPECT_EQ("entries: 5, relations: 4, replaced bytes: 1, shortened entries: 0\n", run.Out);
    EXPECT_EQ("makrel: " + old + ": the entry \"арбуз\": 1 byte undefined in cp1251 replaced by U+FFFD\n", run.Err);
    lirabo::TDictionaryHeader header;
    header.LoadFromFile(folder.File("new.ldi"), true);
    EXPECT_EQ((lirabo::TTextDescription{lirabo::TTextEncoding::Utf8, "ru", "en"}), header.Text);
    ASSERT_EQ(0, test::RunCommand({"recode", "--from", "cp1251", "--languages", "?-en", old, folder.File("new.ldi")}).Code);
    header.LoadFromFile(folder.File("new.ldi"), true);
    EXPECT_EQ((lirabo::TTextDescription{lirabo::TTextEncoding::Utf8, "", "en"}), header.Text);
}

}  // namespace
}  // namespace makrel
