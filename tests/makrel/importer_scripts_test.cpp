#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "dictd_fixture.h"
#include "makrel/core/entry_text.h"
#include "makrel/dictd/dictd_article.h"
#include "stardict_fixture.h"
#include "written_entries.h"

// The importers hand the writer UTF-8 with every character kept, whatever
// code page the dictionary is written in later: these read back the entries
// a writer that keeps UTF-8 holds.

namespace makrel {
namespace {

struct TDictdCase {
    const char* Script;
    std::string Name;  // of the index, without .index
    std::string IndexWord;
    std::string Article;
    std::string Headword;
    std::string Definition;
    std::string Languages;  // headword-definition
};

class DictdScriptsTest : public test::DictdFixture {};

TEST_F(DictdScriptsTest, EveryScriptReachesTheWriterWhole)
{
    const TDictdCase cases[] = {
        {"Polish", "freedict-pol-eng", "\xC5\xBA\x64\xC5\xBA\x62\xC5\x82o",
         "\xC5\xBA\x64\xC5\xBA\x62\xC5\x82o /\xCB\x88\xCA\x91\x64\xCD\xA1\xCA\x91\x62w\xC9\x94/ <n, neut>\n"
         "blade of grass; stalk\n",
         "\xC5\xBA\x64\xC5\xBA\x62\xC5\x82o",
         "\x04/\xCB\x88\xCA\x91\x64\xCD\xA1\xCA\x91\x62w\xC9\x94/\x04 \x08n, neut\x07\rblade of grass; stalk",
         "pl-en"},
        {"Greek: the headline keeps its capital", "freedict-ell-eng",
         "\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82",
         "\xCE\x9B\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82 /\xCB\x88lo\xC9\xA3os/ <masc>\nword, reason\n",
         "\xCE\x9B\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82",
         "\x04/\xCB\x88lo\xC9\xA3os/\x04 \x08masc\x07\rword, reason", "el-en"},
        {"Russian, with an example", "rus-eng", "\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE",
         "\xD0\xA1\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE /\xCB\x88slov\xC9\x99/ <n>\nword\n"
         "  \"\xD1\x87\xD0\xB5\xD1\x81\xD1\x82\xD0\xBD\xD0\xBE\xD0\xB5 "
         "\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE\"  "
         "- word of honour\n",
         "\xD0\xA1\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE",
         "\x04/\xCB\x88slov\xC9\x99/\x04 "
         "\x08n\x07\rword\r\x04\"\xD1\x87\xD0\xB5\xD1\x81\xD1\x82\xD0\xBD\xD0\xBE"
         "\xD0\xB5 \xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE\"\x04 - word of honour",
         "ru-en"},
        {"Japanese", "freedict-jpn-deu", "\xE8\xA8\x80\xE8\x91\x89",
         "\xE8\xA8\x80\xE8\x91\x89 /kotoba/\nWort; Sprache\n", "\xE8\xA8\x80\xE8\x91\x89",
         "\x04/kotoba/\x04\rWort; Sprache", "ja-de"},
        {"a decomposed capital, a bibliographic code", "ger-eng", "\xC3\xA4pfel",
         "A\xCC\x88pfel <pl>\napples\n", "\xC3\x84pfel", "\x08pl\x07\rapples", "de-en"},
        {"a stray control and a Windows-1252 byte", "tiny", "kaffee", "Kaffee\ncaf\xE9\x01 au lait\n",
         "Kaffee", "caf\xC3\xA9 au lait", "-"},
    };
    for (const TDictdCase& c : cases) {
        Index.clear();
        Data.clear();
        Article({"00-database-short"},
                "00-database-short\n     " + c.Headword + " \xE2\x80\x93 " + c.Script + "\n");
        Article({c.IndexWord}, c.Article);
        TDictionaryWriter writer(test::Utf8Options());
        TImportReport report;
        Import(c.Name, writer, report);
        const test::TWritten written = test::ReadBack(writer);
        ASSERT_EQ(1u, written.Entries.size()) << c.Script;
        EXPECT_EQ(c.Headword, written.Entries.begin()->first) << c.Script;
        EXPECT_EQ(c.Definition, written.Entries.begin()->second) << c.Script;
        EXPECT_EQ(c.Headword + " \xE2\x80\x93 " + c.Script, written.Header.Name) << c.Script;
    }
}

// The languages reach the file only through a writer that writes them.
TEST_F(DictdScriptsTest, AnIndexNamedForItsLanguagesGivesTheDictionarysLanguages)
{
    Article({"haus"}, "Haus <n>\nhouse\n");
    for (const auto& [name, headword, definition] :
         {std::tuple{"freedict-deu-eng", "de", "en"}, std::tuple{"ger-fre", "de", "fr"},
          std::tuple{"tiny", "", ""}}) {
        TDictionaryWriter writer(test::Utf8Options());
        TImportReport report;
        Import(name, writer, report);
        const test::TWritten written = test::ReadBack(writer);
        EXPECT_EQ(headword, written.Header.Text.HeadwordLanguage) << name;
        EXPECT_EQ(definition, written.Header.Text.DefinitionLanguage) << name;
    }
}

// Letter codes of wrapped prose become their real letters, marks Windows-1252
// lacks as well.
TEST(DictdLetterCodesTest, CodesInProseBecomeWholeLetters)
{
    TEntryText text;
    TDictdArticleFormatter formatter(text);
    formatter.SetWrapColumn(64);
    TDictdEntry entry;
    ASSERT_TRUE(formatter.Format("lodge",
                                 "Lodge \\Lodge\\ (l[o^]j), n. Old English l[=o]ge.\n"
                                 "   1. A hut; C[ae]sar's r['e]sum['e] of a b[.a]rn.\n",
                                 0, entry));
    EXPECT_EQ("Lodge", entry.Word);
    EXPECT_EQ(
        "\x04Lodge\x04 (l\xC5\x8Fj), n. Old English l\xC5\x8Dge.\r"
        "1. A hut; C\xC3\xA6sar's r\xC3\xA9sum\xC3\xA9 of a b\xC8\xA7rn.",
        entry.Definition);
}

using StarDictScriptsTest = test::StarDictFixture;

TEST_F(StarDictScriptsTest, EveryScriptReachesTheWriterWhole)
{
    const std::string end(1, '\0');  // each typed field's
    Article("\xCE\xB1-particle",
            "h\xCE\xB1-\xCF\x83\xCF\x89\xCE\xBC\xCE\xB1\xCF\x84\xCE\xAF\xCE\xB4\xCE\xB9\xCE\xBF" + end);
    Article("\xD0\xBC\xD0\xB8\xD1\x80", "hpeace; <b>world</b> &mdash; caf&eacute;&#x2026;" + end);
    Article("\xE6\x97\xA5\xE6\x9C\xAC", "m\xE3\x81\xAB\xE3\x81\xBB\xE3\x82\x93\nJapan\x01" + end);
    Article("ship", "t\xCA\x83\xC9\xAAp" + end + "ma vessel" + end);
    Folder.Write("tiny.syn", "\xC5\x82\xC3\xB3\xC5\xBA" + std::string(1, '\0') + test::BigEndian(3, 4));
    TDictionaryWriter writer(test::Utf8Options());
    TImportReport report;
    Import(
        "bookname=\xD0\xA1\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x80\xD1\x8C\n"
        "description=\xCE\xBB\xCE\xAD\xCE\xBE\xCE\xB5\xCE\xB9\xCF\x82<br>\xE8\xA8\x80\xE8\x91\x89\n",
        writer, report);
    const test::TWritten written = test::ReadBack(writer);
    EXPECT_EQ(5u, written.Entries.size());
    EXPECT_EQ("\xCE\xB1-\xCF\x83\xCF\x89\xCE\xBC\xCE\xB1\xCF\x84\xCE\xAF\xCE\xB4\xCE\xB9\xCE\xBF",
              written.Definition("\xCE\xB1-particle"));
    EXPECT_EQ("peace; \x03world\x03 \xE2\x80\x94 caf\xC3\xA9\xE2\x80\xA6",
              written.Definition("\xD0\xBC\xD0\xB8\xD1\x80"));
    EXPECT_EQ("\xE3\x81\xAB\xE3\x81\xBB\xE3\x82\x93\rJapan", written.Definition("\xE6\x97\xA5\xE6\x9C\xAC"));
    EXPECT_EQ("\x04[\xCA\x83\xC9\xAAp]\x04\ra vessel", written.Definition("ship"));
    EXPECT_EQ("\x09ship\x0F\r\x04[\xCA\x83\xC9\xAAp]\x04\ra vessel",
              written.Definition("\xC5\x82\xC3\xB3\xC5\xBA"));
    EXPECT_EQ("\xD0\xA1\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x80\xD1\x8C", written.Header.Name);
    EXPECT_EQ("\xCE\xBB\xCE\xAD\xCE\xBE\xCE\xB5\xCE\xB9\xCF\x82\r\n\xE8\xA8\x80\xE8\x91\x89",
              written.Header.Information);
    EXPECT_EQ("", written.Header.Text.HeadwordLanguage)
        << "a StarDict dictionary does not name its languages";
}

}  // namespace
}  // namespace makrel
